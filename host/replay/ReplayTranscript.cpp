#include "host/replay/ReplayTranscript.h"

#include "platform/headless/HeadlessPlatform.h"

namespace morvane::replay {
namespace {

// The platform's log lines that belong in a transcript, by their first word.
bool IsTranscriptEffect(const std::string& effect) {
    for (const char* prefix : {"mci ", "msgbox ", "shell "})
        if (effect.starts_with(prefix)) return true;
    return false;
}

} // namespace

std::string EscapeText(const std::string& utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '\r':
            text += "\\r";
            break;
        case '\n':
            text += "\\n";
            break;
        case '\\':
            text += "\\\\";
            break;
        default:
            text += c;
        }
    }
    return text;
}

std::string LowerHex(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 15]);
    }
    return text;
}

void TReplayTranscript::Add(const std::string& line) {
    TakePlatformEffects();
    Write(line);
}

void TReplayTranscript::TakePlatformEffects() {
    for (const std::string& effect : platform_.TakeEffects()) {
        if (!IsTranscriptEffect(effect)) continue;
        const std::size_t blank = effect.find(' ');
        Write(effect.substr(0, blank + 1) + EscapeText(effect.substr(blank + 1)));
    }
}

void TReplayTranscript::Write(const std::string& line) {
    out_ << line << '\n';
    out_.flush();
}

} // namespace morvane::replay
