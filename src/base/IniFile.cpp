#include "base/IniFile.h"

#include "base/FileReplace.h"
#include "base/Gbk.h"
#include "base/Paths.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
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

// A name as the index keys it: ASCII letters of single-byte characters in lower case, the two bytes of a
// GBK character as they are (its trail byte may look like a letter, but is none).
std::string Folded(std::string_view name) {
    std::string folded(name);
    for (std::size_t pos = 0; pos < folded.size();) {
        const std::size_t length = gbk::CharLength(folded, pos);
        if (length == 1 && folded[pos] >= 'A' && folded[pos] <= 'Z')
            folded[pos] = char(folded[pos] - 'A' + 'a');
        pos += length;
    }
    return folded;
}

// The file's lines as they are on the disk: none for a file that is not there, nothing at all for a file
// that is there but cannot be read (a write must not replace what it could not read).
std::optional<std::vector<std::string>> ReadLines(const std::string& hostPath) {
    std::error_code ec;
    if (!std::filesystem::exists(hostPath, ec) && !ec) return std::vector<std::string>{};
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return SplitLines(content.str());
}

std::string Joined(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string content;
    content.reserve(size);
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

// [SECTION] Edits of a file's lines, by walking them: a write changes the copy it has just read.

struct LineRange {
    std::size_t header;
    std::size_t end;
};

bool FindSectionIn(const std::vector<std::string>& lines, std::string_view section, LineRange& range) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (!SectionName(lines[i], name) || !SameName(name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionName(lines[end], name))
            ++end;
        range = {i, end};
        return true;
    }
    return false;
}

std::size_t FindKeyIn(const std::vector<std::string>& lines, const LineRange& range, std::string_view key) {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        std::string_view k, v;
        if (SplitKeyValue(lines[i], k, v) && SameName(k, key)) return i;
    }
    return npos;
}

void SetValue(std::vector<std::string>& lines, std::string_view section, std::string_view key,
              std::string_view value) {
    std::string line = std::string(Trim(key)) + "=" + std::string(value);
    LineRange range;
    if (!FindSectionIn(lines, section, range)) {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(std::move(line));
        return;
    }
    const std::size_t index = FindKeyIn(lines, range, key);
    if (index != npos) {
        std::string_view oldKey, oldValue;
        SplitKeyValue(lines[index], oldKey, oldValue);
        lines[index] = std::string(oldKey) + "=" + std::string(value);
        return;
    }
    // New keys go after the section's last non-blank line, so a blank line before the next section stays.
    std::size_t insertAt = range.end;
    while (insertAt > range.header + 1 && Trim(lines[insertAt - 1]).empty())
        --insertAt;
    lines.insert(lines.begin() + std::ptrdiff_t(insertAt), std::move(line));
}

void RemoveKey(std::vector<std::string>& lines, std::string_view section, std::string_view key) {
    LineRange range;
    if (!FindSectionIn(lines, section, range)) return;
    const std::size_t index = FindKeyIn(lines, range, key);
    if (index != npos) lines.erase(lines.begin() + std::ptrdiff_t(index));
}

void RemoveSection(std::vector<std::string>& lines, std::string_view section) {
    LineRange range;
    if (!FindSectionIn(lines, section, range)) return;
    lines.erase(lines.begin() + std::ptrdiff_t(range.header), lines.begin() + std::ptrdiff_t(range.end));
}

} // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {
    Load();
}

void TIniFile::Load() {
    // The stamp first: a replacement that comes while the file is read makes the next Refresh read again.
    stamp_ = CurrentStamp();
    std::optional<Lines> lines = ReadLines(paths::ToHost(fileName_));
    lines_ = lines ? std::move(*lines) : Lines{};
    Reindex();
}

void TIniFile::Refresh() {
    if (CurrentStamp() != stamp_) Load();
}

TIniFile::Stamp TIniFile::CurrentStamp() const {
    namespace fs = std::filesystem;
    const fs::path path = paths::ToHost(fileName_);
    std::error_code ec;
    Stamp stamp;
    stamp.size = fs::file_size(path, ec);
    if (ec) return {};
    const fs::file_time_type modified = fs::last_write_time(path, ec);
    if (ec) return {};
    stamp.exists = true;
    stamp.modified = std::int64_t(modified.time_since_epoch().count());
    return stamp;
}

void TIniFile::Reindex() {
    sections_.clear();
    SectionIndex* current = nullptr;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        if (SectionName(lines_[i], name)) {
            if (current) current->range.end = i;
            auto [entry, added] = sections_.try_emplace(Folded(name));
            // A later section of the same name is not read: its keys go nowhere.
            current = added ? &entry->second : nullptr;
            if (current) current->range = {i, lines_.size()};
            continue;
        }
        std::string_view key, value;
        if (current && SplitKeyValue(lines_[i], key, value)) current->keys.try_emplace(Folded(key), i);
    }
    if (current) current->range.end = lines_.size();
}

bool TIniFile::FindSection(std::string_view section, Range& range) const {
    const auto found = sections_.find(Folded(section));
    if (found == sections_.end()) return false;
    range = found->second.range;
    return true;
}

std::size_t TIniFile::FindKey(std::string_view section, std::string_view key) const {
    const auto found = sections_.find(Folded(section));
    if (found == sections_.end()) return npos;
    const auto line = found->second.keys.find(Folded(key));
    return line == found->second.keys.end() ? npos : line->second;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const std::size_t index = FindKey(section, key);
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
    return FindKey(section, key) != npos;
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
    return Modify([&](Lines& lines) { SetValue(lines, section, key, value); });
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
    if (!ValueExists(section, key)) return true;
    return Modify([&](Lines& lines) { RemoveKey(lines, section, key); });
}

bool TIniFile::EraseSection(std::string_view section) {
    if (!SectionExists(section)) return true;
    return Modify([&](Lines& lines) { RemoveSection(lines, section); });
}

bool TIniFile::Modify(const std::function<void(Lines&)>& change) {
    const std::string hostPath = paths::ToHost(fileName_);
    const TFileWriteLock lock(hostPath);
    std::optional<Lines> current = ReadLines(hostPath);
    std::string reason = "the file cannot be read";
    if (current) {
        change(*current);
        if (ReplaceFileContents(hostPath, Joined(*current), reason)) {
            lines_ = std::move(*current);
            stamp_ = CurrentStamp();
            Reindex();
            lastError_.clear();
            return true;
        }
    }
    change(lines_);
    Reindex();
    lastError_ = "Unable to write to " + fileName_ + " (" + reason + ")";
    return false;
}

} // namespace morvane
