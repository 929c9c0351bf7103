#pragma once

#include "gui/Keys.h"

#include <cstdint>
#include <istream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace morvane::replay {

// A script line that cannot be run: the message names the line.
class TReplayScriptError : public std::runtime_error {
public:
    TReplayScriptError(int line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
    int Line() const { return line_; }

private:
    int line_;
};

// One parsed script command; texts are already GBK and hex already bytes.
struct TReplayCommand {
    int line{0};
    std::string name;
    std::vector<std::string> words;            // the blank-separated arguments as written
    std::vector<std::uint8_t> bytes;           // frame, text
    std::map<std::string, std::string> fields; // init: key=value, values in GBK
    std::int64_t number{0};                    // wait, answer, hall fail's count
    int x{0}, y{0};                            // click, move
    bool right{false};                         // click
    std::string text;                          // key name, GBK text of type, file of shot, hall's word
    TKey key{0};                               // key
    TShiftState shift{0};                      // key, click: the modifier keys held
};

// Parses a whole script; the first malformed line throws TReplayScriptError.
std::vector<TReplayCommand> ParseReplayScript(std::istream& input);
// A key as scripts name it: Enter, Escape, F4, Add, A, 5, ... with Alt+, Ctrl+ and Shift+ before it.
bool ParseKeyName(const std::string& name, TKey& key, TShiftState& shift);
// Hex digits in pairs, blanks allowed between them.
std::vector<std::uint8_t> ParseHex(const std::string& text, int line);

} // namespace morvane::replay
