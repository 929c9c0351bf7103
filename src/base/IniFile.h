#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// The option file: sections of key=value lines in GBK. Sections and keys match without regard to case;
// values are read with their surrounding blanks (and one pair of quotes) removed. Every write goes to
// disk at once, keeps every other line (comments, unknown keys, their order) as it was, and replaces the
// file atomically, so a crash leaves either the old file or the new one.
class TIniFile {
public:
    // Loads `fileName` (a system path) when it exists; a missing file reads as empty.
    explicit TIniFile(std::string fileName);

    const std::string& FileName() const { return fileName_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const;
    std::int64_t ReadInt64(std::string_view section, std::string_view key, std::int64_t def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> ReadSection(std::string_view section) const;
    std::vector<std::string> ReadSections() const;

    // Writes return false, with the reason in LastError(), when the file cannot be replaced; the values
    // stay readable from this object either way.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    bool WriteInt64(std::string_view section, std::string_view key, std::int64_t value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool EraseSection(std::string_view section);

    const std::string& LastError() const { return lastError_; }

    // Parsing rules shared with the option readers: decimal, or hexadecimal with "$" or "0x"; an optional
    // sign; anything else, or a value out of range, gives nothing.
    static bool ParseInt64(std::string_view text, std::int64_t& value);

private:
    struct Range {
        std::size_t header; // index of the "[section]" line
        std::size_t end;    // one past the section's last line
    };

    bool FindSection(std::string_view section, Range& range) const;
    // Index of the key's line inside the section, or npos.
    std::size_t FindKey(const Range& range, std::string_view key) const;
    bool Save();

    std::string fileName_;
    std::vector<std::string> lines_;
    std::string lastError_;
};

} // namespace morvane
