// Arbitrary bytes as the game's option file and as the writes two tables of one game make to it: every
// section, key and value reads back without touching memory outside the file's text, numbers parse or
// give the default, and the newest write reads back, from its writer and from the file.
//
// The input: two bytes (low first) give the length of the file's starting text, which follows; the rest
// is a run of writes, each a byte (its low bit names the writer, the next two bits what it does: write a
// value, delete a key, erase a section) and its section, key and value, each a length byte and its text.

#include "base/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

using morvane::TIniFile;

constexpr int kMaxWrites = 64;

// Every input is written, read and rewritten: in memory-backed /dev/shm where there is one, as a disk's
// file creation would be most of each run.
const std::string& ScratchFile() {
    static const std::string path = [] {
        std::error_code ignored;
        const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", ignored)
                                                 ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path();
        return (folder / ("fuzz-ini-" + std::to_string(::getpid()) + ".ini")).string();
    }();
    return path;
}

void WriteScratch(std::span<const std::uint8_t> text) {
    std::FILE* file = std::fopen(ScratchFile().c_str(), "wb");
    if (!file) __builtin_trap();
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file) != text.size()) __builtin_trap();
    std::fclose(file);
}

// Reads every value of the file in every way the table reads options.
std::size_t ReadEverything(const TIniFile& ini) {
    std::size_t values = 0;
    for (const std::string& section : ini.ReadSections()) {
        if (!ini.SectionExists(section)) __builtin_trap();
        for (const std::string& key : ini.ReadSection(section)) {
            if (!ini.ValueExists(section, key)) __builtin_trap();
            const std::string text = ini.ReadString(section, key, "");
            std::int64_t parsed = 0;
            if (TIniFile::ParseInt64(text, parsed) && ini.ReadInt64(section, key, -7) != parsed)
                __builtin_trap();
            (void)ini.ReadInteger(section, key, 0);
            (void)ini.ReadBool(section, key, false);
            ++values;
        }
    }
    return values;
}

class TInput {
public:
    explicit TInput(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool Empty() const { return bytes_.empty(); }
    std::uint8_t Byte() {
        if (bytes_.empty()) return 0;
        const std::uint8_t byte = bytes_[0];
        bytes_ = bytes_.subspan(1);
        return byte;
    }
    std::span<const std::uint8_t> Take(std::size_t length) {
        length = std::min(length, bytes_.size());
        const auto taken = bytes_.first(length);
        bytes_ = bytes_.subspan(length);
        return taken;
    }
    std::string Text() {
        const auto taken = Take(Byte());
        return std::string(reinterpret_cast<const char*>(taken.data()), taken.size());
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// Text a line of the file carries as it is: no line breaks, no blanks or quotes at the ends (values are
// read trimmed and unquoted), and for names, nothing the line's syntax reads (brackets, '=', a comment).
bool Plain(std::string_view text, bool name) {
    if (text.empty() || text.front() == ' ' || text.back() == ' ' || text.front() == '\t' ||
        text.back() == '\t' || text.front() == '"' || text.front() == '\'')
        return false;
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == '\0') return false;
        if (name && (c == '=' || c == '[' || c == ']' || c == ';' || c == '#')) return false;
    }
    return true;
}

struct TWrite {
    std::string section, key, value;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TInput input(std::span<const std::uint8_t>(data, size));
    const std::size_t startLength = input.Byte() | std::size_t(input.Byte()) << 8;
    const auto start = input.Take(startLength);
    WriteScratch(start);
    std::int64_t ignored = 0;
    (void)TIniFile::ParseInt64(std::string_view(reinterpret_cast<const char*>(start.data()), start.size()),
                               ignored);

    // Two tables of the same game, each with the file as it found it at its start.
    TIniFile first(ScratchFile());
    TIniFile second(ScratchFile());
    ReadEverything(first);
    TIniFile* writers[] = {&first, &second};
    TIniFile* lastWriter = nullptr;
    TWrite last;
    for (int count = 0; count < kMaxWrites && !input.Empty(); ++count) {
        const std::uint8_t what = input.Byte();
        TIniFile& writer = *writers[what & 1];
        TWrite write{input.Text(), input.Text(), input.Text()};
        bool saved = false;
        lastWriter = nullptr;
        switch ((what >> 1) & 3) {
        case 1:
            saved = writer.DeleteKey(write.section, write.key);
            break;
        case 2:
            saved = writer.EraseSection(write.section);
            break;
        default:
            saved = writer.WriteString(write.section, write.key, write.value);
            // A plain value under plain names reads back from its writer at once.
            if (Plain(write.section, true) && Plain(write.key, true) && Plain(write.value, false)) {
                if (writer.ReadString(write.section, write.key, "") != write.value) __builtin_trap();
                if (saved) lastWriter = &writer, last = write;
            }
            break;
        }
        (void)saved;
    }
    ReadEverything(first);
    ReadEverything(second);
    // The newest write is in the file, whoever wrote before it.
    TIniFile reloaded(ScratchFile());
    if (lastWriter && reloaded.ReadString(last.section, last.key, "") != last.value) __builtin_trap();
    ReadEverything(reloaded);
    return 0;
}
