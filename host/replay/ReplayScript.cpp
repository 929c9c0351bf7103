#include "host/replay/ReplayScript.h"

#include "base/Gbk.h"
#include "host/TestHallHost.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <sstream>

namespace morvane::replay {
namespace {

std::vector<std::string> SplitWords(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

std::string WithoutComment(const std::string& line) {
    std::string text = line.substr(0, line.find('#'));
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return text;
}

std::int64_t ParseInteger(const std::string& text, int line, const std::string& what) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end)
        throw TReplayScriptError(line, what + " is not a whole number: " + text);
    return value;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Script texts are UTF-8; the table sees GBK. A text GBK cannot carry is refused rather than mangled.
std::string ScriptText(const std::string& utf8, int line) {
    std::string gbkText = gbk::FromUtf8(utf8);
    if (gbk::ToUtf8(gbkText) != utf8)
        throw TReplayScriptError(line, "text has characters GBK cannot carry: " + utf8);
    return gbkText;
}

void ExpectCount(const TReplayCommand& command, std::size_t least, std::size_t most) {
    if (command.words.size() < least || command.words.size() > most)
        throw TReplayScriptError(command.line,
                                 command.name + " takes " +
                                     (least == most ? std::to_string(least)
                                                    : std::to_string(least) + " to " + std::to_string(most)) +
                                     " argument(s), found " + std::to_string(command.words.size()));
}

void ParseInit(TReplayCommand& command) {
    static const std::set<std::string> known{"cookie", "user", "nick", "title"};
    for (const std::string& word : command.words) {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos)
            throw TReplayScriptError(command.line, "init expects key=value, found " + word);
        const std::string key = word.substr(0, equals);
        if (!known.contains(key)) throw TReplayScriptError(command.line, "init has no field " + key);
        command.fields[key] = ScriptText(word.substr(equals + 1), command.line);
    }
    for (const char* required : {"cookie", "user"})
        if (!command.fields.contains(required))
            throw TReplayScriptError(command.line, std::string("init needs ") + required + "=");
    ParseInteger(command.fields["cookie"], command.line, "cookie");
    ParseInteger(command.fields["user"], command.line, "user");
}

// After the point a click may name the right button and the keys held, each once, in any order.
void ParseClickOptions(TReplayCommand& command) {
    std::set<std::string> seen;
    for (std::size_t index = 2; index < command.words.size(); ++index) {
        const std::string& option = command.words[index];
        if (!seen.insert(option).second)
            throw TReplayScriptError(command.line, "click names " + option + " twice");
        if (option == "right")
            command.right = true;
        else if (option == "ctrl")
            command.shift |= ssCtrl;
        else if (option == "shift")
            command.shift |= ssShift;
        else
            throw TReplayScriptError(command.line, "click expects right, ctrl or shift, found " + option);
    }
}

// hall release-on-close | release-posted | fail <operation> [<n>]
void ParseHall(TReplayCommand& command) {
    ExpectCount(command, 1, 3);
    const std::string& what = command.words[0];
    command.text = what;
    if (what == "release-on-close" || what == "release-posted") {
        ExpectCount(command, 1, 1);
        return;
    }
    if (what != "fail")
        throw TReplayScriptError(command.line,
                                 "hall expects release-on-close, release-posted or fail, found " + what);
    ExpectCount(command, 2, 3);
    const auto& operations = TTestHallHost::Operations();
    if (std::find(operations.begin(), operations.end(), command.words[1]) == operations.end())
        throw TReplayScriptError(command.line, "hall fail names no host operation: " + command.words[1]);
    command.number = 1;
    if (command.words.size() == 3) {
        command.number = ParseInteger(command.words[2], command.line, "hall fail");
        if (command.number < 1 || command.number > 0x7fffffff)
            throw TReplayScriptError(command.line, "hall fail counts calls from 1: " + command.words[2]);
    }
}

void ParseArguments(TReplayCommand& command, const std::string& rest) {
    const std::string& name = command.name;
    if (name == "init") {
        ParseInit(command);
    } else if (name == "frame" || name == "text") {
        command.bytes = ParseHex(rest, command.line);
        if (command.bytes.empty()) throw TReplayScriptError(command.line, name + " needs hex bytes");
    } else if (name == "wait" || name == "answer") {
        ExpectCount(command, 1, 1);
        command.number = ParseInteger(command.words[0], command.line, name);
        if (command.number < 0 || command.number > 0x7fffffff)
            throw TReplayScriptError(command.line, name + " is out of range: " + command.words[0]);
    } else if (name == "click" || name == "move") {
        ExpectCount(command, 2, name == "click" ? 5 : 2);
        command.x = int(ParseInteger(command.words[0], command.line, "x"));
        command.y = int(ParseInteger(command.words[1], command.line, "y"));
        ParseClickOptions(command);
    } else if (name == "key") {
        ExpectCount(command, 1, 1);
        command.text = command.words[0];
        if (!ParseKeyName(command.text, command.key, command.shift))
            throw TReplayScriptError(command.line, "unknown key " + command.text);
    } else if (name == "shot") {
        ExpectCount(command, 1, 1);
        command.text = command.words[0];
    } else if (name == "type") {
        ExpectCount(command, 1, 1);
        command.text = ScriptText(command.words[0], command.line);
    } else if (name == "finalize" || name == "release") {
        ExpectCount(command, 0, 0);
    } else if (name == "hall") {
        ParseHall(command);
    } else {
        throw TReplayScriptError(command.line, "unknown command " + name);
    }
}

} // namespace

bool ParseKeyName(const std::string& name, TKey& key, TShiftState& shift) {
    static const std::map<std::string, TKey> named{
        {"Enter", VK_RETURN},     {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},       {"Space", VK_SPACE},
        {"Back", VK_BACK},        {"Delete", VK_DELETE}, {"Insert", VK_INSERT}, {"Home", VK_HOME},
        {"End", VK_END},          {"PageUp", VK_PRIOR},  {"PageDown", VK_NEXT}, {"Left", VK_LEFT},
        {"Right", VK_RIGHT},      {"Up", VK_UP},         {"Down", VK_DOWN},     {"Add", VK_ADD},
        {"Subtract", VK_SUBTRACT}};
    static const std::map<std::string, TShiftState> modifiers{
        {"Alt", ssAlt}, {"Ctrl", ssCtrl}, {"Shift", ssShift}};
    shift = 0;
    std::string rest = name;
    for (std::size_t plus; (plus = rest.find('+')) != std::string::npos && plus + 1 < rest.size();) {
        const auto modifier = modifiers.find(rest.substr(0, plus));
        if (modifier == modifiers.end()) return false;
        shift |= modifier->second;
        rest.erase(0, plus + 1);
    }
    if (const auto found = named.find(rest); found != named.end()) {
        key = found->second;
        return true;
    }
    if (rest.size() == 1 && ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= '0' && rest[0] <= '9'))) {
        key = TKey(rest[0]);
        return true;
    }
    if (rest.size() >= 2 && rest.size() <= 3 && rest[0] == 'F') {
        int number = 0;
        auto [ptr, ec] = std::from_chars(rest.data() + 1, rest.data() + rest.size(), number);
        if (ec == std::errc() && ptr == rest.data() + rest.size() && number >= 1 && number <= 12) {
            key = TKey(VK_F1 + number - 1);
            return true;
        }
    }
    return false;
}

std::vector<std::uint8_t> ParseHex(const std::string& text, int line) {
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (char c : text) {
        if (c == ' ' || c == '\t') continue;
        const int digit = HexDigit(c);
        if (digit < 0) throw TReplayScriptError(line, std::string("not a hex digit: ") + c);
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(std::uint8_t(high * 16 + digit));
            high = -1;
        }
    }
    if (high >= 0) throw TReplayScriptError(line, "hex has an odd number of digits");
    return bytes;
}

std::vector<TReplayCommand> ParseReplayScript(std::istream& input) {
    std::vector<TReplayCommand> commands;
    int lineNumber = 0;
    for (std::string line; std::getline(input, line);) {
        ++lineNumber;
        const std::string text = WithoutComment(line);
        std::vector<std::string> words = SplitWords(text);
        if (words.empty()) continue;
        TReplayCommand command;
        command.line = lineNumber;
        command.name = words[0];
        command.words.assign(words.begin() + 1, words.end());
        const std::size_t start = text.find(command.name) + command.name.size();
        ParseArguments(command, text.substr(start));
        commands.push_back(std::move(command));
    }
    return commands;
}

} // namespace morvane::replay
