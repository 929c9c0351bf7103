#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace morvane {
class THeadlessPlatform;
}

namespace morvane::replay {

// A text as the transcript shows it: CR, LF and backslash escaped, so that one event stays one line.
std::string EscapeText(const std::string& utf8);
std::string LowerHex(const std::vector<std::uint8_t>& bytes);

// The table's observable behaviour, one event a line, written as it happens. The platform's effects
// (MCI commands, message boxes, opened addresses) are taken from its log before every event of the
// replay's own, so the two sources stay in the order they happened.
class TReplayTranscript {
public:
    TReplayTranscript(std::ostream& out, THeadlessPlatform& platform) : out_(out), platform_(platform) {}

    // Writes the platform's pending effects, then the event.
    void Add(const std::string& line);
    // Writes the platform's pending effects.
    void TakePlatformEffects();

private:
    void Write(const std::string& line);

    std::ostream& out_;
    THeadlessPlatform& platform_;
};

} // namespace morvane::replay
