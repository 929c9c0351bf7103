#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace morvane {

// The option file: sections of key=value lines in GBK. Sections and keys match without regard to case;
// values are read with their surrounding blanks (and one pair of quotes) removed. Reads come from the copy
// this object holds, looked up through an index, so a file of any length answers at once.
//
// The file is shared: every table of the game, in this process and in others, writes the same one. So a
// write works as the system's profile functions do: it takes the file as it is on the disk now, changes
// only the one key (every other line, comment and unknown key stays as it is, in its place), and replaces
// the file in one step with a new file written under a name of its own and flushed to the disk first, so
// a crash leaves either the old file or the new one. Other writers are held off meanwhile.
class TIniFile {
public:
    // Loads `fileName` (a system path) when it exists; a missing file reads as empty.
    explicit TIniFile(std::string fileName);

    const std::string& FileName() const { return fileName_; }

    // Reads the file again when another writer has replaced it since this object last read or wrote it.
    void Refresh();

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
    // Where a section and its keys are; only the first section of a name, and its first line of a key,
    // count, as they do when the file is read from its start.
    struct SectionIndex {
        Range range;
        std::unordered_map<std::string, std::size_t> keys; // folded key -> line index
    };
    // What tells one version of the file from the next.
    struct Stamp {
        bool exists{false};
        std::uintmax_t size{0};
        std::int64_t modified{0};
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    using Lines = std::vector<std::string>;

    void Load();
    void Reindex();
    Stamp CurrentStamp() const;
    bool FindSection(std::string_view section, Range& range) const;
    // Index of the key's line inside the section, or npos.
    std::size_t FindKey(std::string_view section, std::string_view key) const;
    // Applies `change` to the file as it is on the disk now and writes it back; the change is applied
    // to this object's copy too, so it stays readable here even when the file cannot be written.
    bool Modify(const std::function<void(Lines&)>& change);

    std::string fileName_;
    Lines lines_;
    std::unordered_map<std::string, SectionIndex> sections_; // folded section name -> its index
    Stamp stamp_;
    std::string lastError_;
};

} // namespace morvane
