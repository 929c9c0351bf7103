#include "base/IniFile.h"

#include "base/Gbk.h"
#include "base/Paths.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

namespace morvane {
namespace {

constexpr std::size_t npos = std::string::npos;

std::string_view Trim(std::string_view s) {
    const char* blanks = " \t\r\n";
    std::size_t first = s.find_first_not_of(blanks);
    if (first == npos) return {};
    std::size_t last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

// Case-insensitive for ASCII letters only, and never folding the second byte of a GBK character.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t pos = 0; pos < a.size();) {
        std::size_t length = gbk::CharLength(a, pos);
        if (length == 2) {
            if (a.substr(pos, 2) != b.substr(pos, 2)) return false;
        } else {
            char x = a[pos], y = b[pos];
            if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
            if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
            if (x != y) return false;
        }
        pos += length;
    }
    return true;
}

bool IsComment(std::string_view line) {
    return !line.empty() && (line[0] == ';' || line[0] == '#');
}

// The section name of a "[name]" line, or nothing.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return false;
    std::size_t close = line.find(']');
    if (close == npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

bool SplitKeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    line = Trim(line);
    if (line.empty() || IsComment(line) || line.front() == '[') return false;
    std::size_t eq = line.find('=');
    if (eq == npos) return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return true;
}

std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

} // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {
    std::ifstream in(paths::ToHost(fileName_), std::ios::binary);
    if (!in) return;
    std::ostringstream content;
    content << in.rdbuf();
    lines_ = SplitLines(content.str());
}

bool TIniFile::FindSection(std::string_view section, Range& range) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        if (!SectionName(lines_[i], name) || !SameName(name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !SectionName(lines_[end], name))
            ++end;
        range = {i, end};
        return true;
    }
    return false;
}

std::size_t TIniFile::FindKey(const Range& range, std::string_view key) const {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        std::string_view k, v;
        if (SplitKeyValue(lines_[i], k, v) && SameName(k, key)) return i;
    }
    return npos;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    Range range;
    if (!FindSection(section, range)) return std::string(def);
    std::size_t index = FindKey(range, key);
    if (index == npos) return std::string(def);
    std::string_view k, value;
    SplitKeyValue(lines_[index], k, value);
    return std::string(value);
}

bool TIniFile::ParseInt64(std::string_view text, std::int64_t& value) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    std::uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (ec != std::errc{} || end != text.data() + text.size()) return false;
    constexpr std::uint64_t maxPositive = std::uint64_t(std::numeric_limits<std::int64_t>::max());
    if (base == 16 && !negative) {
        value = std::int64_t(magnitude); // hexadecimal may spell a negative number in two's complement
        return true;
    }
    if (magnitude > maxPositive + (negative ? 1 : 0)) return false;
    value = negative ? std::int64_t(0 - magnitude) : std::int64_t(magnitude);
    return true;
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const {
    std::int64_t value;
    if (!ParseInt64(ReadString(section, key, ""), value)) return def;
    if (value >= 0 && value <= 0xFFFFFFFFll && value > std::numeric_limits<std::int32_t>::max())
        return std::int32_t(std::uint32_t(value)); // "$FFFFFFFF" is -1, as hexadecimal options are written
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return def;
    return std::int32_t(value);
}

std::int64_t TIniFile::ReadInt64(std::string_view section, std::string_view key, std::int64_t def) const {
    std::int64_t value;
    return ParseInt64(ReadString(section, key, ""), value) ? value : def;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    std::string text = ReadString(section, key, "");
    std::int64_t number;
    if (ParseInt64(text, number)) return number != 0;
    for (const char* yes : {"true", "yes", "on"})
        if (SameName(text, yes)) return true;
    for (const char* no : {"false", "no", "off"})
        if (SameName(text, no)) return false;
    return def;
}

bool TIniFile::SectionExists(std::string_view section) const {
    Range range;
    return FindSection(section, range);
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    Range range;
    return FindSection(section, range) && FindKey(range, key) != npos;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    Range range;
    if (!FindSection(section, range)) return keys;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        std::string_view k, v;
        if (SplitKeyValue(lines_[i], k, v)) keys.emplace_back(k);
    }
    return keys;
}

std::vector<std::string> TIniFile::ReadSections() const {
    std::vector<std::string> sections;
    for (const std::string& line : lines_) {
        std::string_view name;
        if (SectionName(line, name)) sections.emplace_back(name);
    }
    return sections;
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(Trim(key)) + "=" + std::string(value);
    Range range;
    if (!FindSection(section, range)) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
        return Save();
    }
    std::size_t index = FindKey(range, key);
    if (index != npos) {
        std::string_view oldKey, oldValue;
        SplitKeyValue(lines_[index], oldKey, oldValue);
        lines_[index] = std::string(oldKey) + "=" + std::string(value);
        return Save();
    }
    // New keys go after the section's last non-blank line, so a blank line before the next section stays.
    std::size_t insertAt = range.end;
    while (insertAt > range.header + 1 && Trim(lines_[insertAt - 1]).empty())
        --insertAt;
    lines_.insert(lines_.begin() + std::ptrdiff_t(insertAt), std::move(line));
    return Save();
}

bool TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteInt64(std::string_view section, std::string_view key, std::int64_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::DeleteKey(std::string_view section, std::string_view key) {
    Range range;
    if (!FindSection(section, range)) return true;
    std::size_t index = FindKey(range, key);
    if (index == npos) return true;
    lines_.erase(lines_.begin() + std::ptrdiff_t(index));
    return Save();
}

bool TIniFile::EraseSection(std::string_view section) {
    Range range;
    if (!FindSection(section, range)) return true;
    lines_.erase(lines_.begin() + std::ptrdiff_t(range.header), lines_.begin() + std::ptrdiff_t(range.end));
    return Save();
}

bool TIniFile::Save() {
    namespace fs = std::filesystem;
    const fs::path target = paths::ToHost(fileName_);
    fs::path temporary = target;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines_)
            out << line << "\r\n";
        out.flush();
        if (!out) {
            lastError_ = "Unable to write to " + fileName_;
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        lastError_ = "Unable to write to " + fileName_;
        fs::remove(temporary, ec);
        return false;
    }
    lastError_.clear();
    return true;
}

} // namespace morvane
