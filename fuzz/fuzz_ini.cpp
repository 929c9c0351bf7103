// Arbitrary bytes as the game's option file: every section, key and value reads back without touching
// memory outside the file's text, numbers parse or give the default, and a write keeps every other line.

#include "base/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using morvane::TIniFile;

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

void WriteScratch(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(ScratchFile().c_str(), "wb");
    if (!file) __builtin_trap();
    if (size != 0 && std::fwrite(data, 1, size, file) != size) __builtin_trap();
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteScratch(data, size);
    TIniFile ini(ScratchFile());
    ReadEverything(ini);
    std::int64_t ignored = 0;
    (void)TIniFile::ParseInt64(std::string(reinterpret_cast<const char*>(data), size), ignored);
    // A written value reads back, from this object and from the file it replaced.
    if (!ini.WriteString("FuzzCheck", "Written", "value")) return 0;
    if (ini.ReadString("FuzzCheck", "Written", "") != "value") __builtin_trap();
    TIniFile reloaded(ScratchFile());
    if (reloaded.ReadString("FuzzCheck", "Written", "") != "value") __builtin_trap();
    ReadEverything(reloaded);
    return 0;
}
