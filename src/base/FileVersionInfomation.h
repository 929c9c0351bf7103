#pragma once

#include <cstdint>
#include <string>

namespace morvane {

// The 52-byte fixed part of a version resource.
struct TVsFixedFileInfo {
    std::uint32_t dwSignature{0};
    std::uint32_t dwStrucVersion{0};
    std::uint32_t dwFileVersionMS{0};
    std::uint32_t dwFileVersionLS{0};
    std::uint32_t dwProductVersionMS{0};
    std::uint32_t dwProductVersionLS{0};
    std::uint32_t dwFileFlagsMask{0};
    std::uint32_t dwFileFlags{0};
    std::uint32_t dwFileOS{0};
    std::uint32_t dwFileType{0};
    std::uint32_t dwFileSubtype{0};
    std::uint32_t dwFileDateMS{0};
    std::uint32_t dwFileDateLS{0};
};
static_assert(sizeof(TVsFixedFileInfo) == 52);

// The library's version record, read once from its own version resource.
struct TFileVersionInfomation {
    std::string CompanyName;
    std::string FileDescription;
    std::string FileVersion;
    std::string InternalName;
    std::string LegalCopyright;
    std::string LegalTrademarks;
    std::string OriginalFileName;
    std::string ProductName;
    std::string ProductVersion;
    std::string Comments;
    TVsFixedFileInfo FixedInfo;
    std::string CustomKey;
};

// Fills `info` from the version table the library was built with. The record is cleared first; the
// custom key names one more string to look up, and stays empty when the table has no such key.
bool ReadFileVersionInfomation(TFileVersionInfomation& info, const std::string& customKey = {});

// The library-wide record, filled on first use and kept until unload.
const TFileVersionInfomation& LibraryVersion();
// Puts the record read from the library's own file in place of the built table; the Windows library
// does so when it loads, before any table reads the record.
void SetLibraryVersion(const TFileVersionInfomation& record);

} // namespace morvane
