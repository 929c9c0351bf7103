#pragma once

#include <cstdint>

namespace morvane {

// The version strings the build was made with; the Windows version resource is made from the same table.
struct TVersionTable {
    const char* CompanyName;
    const char* FileDescription;
    const char* FileVersion;
    const char* InternalName;
    const char* LegalCopyright;
    const char* LegalTrademarks;
    const char* OriginalFileName;
    const char* ProductName;
    const char* ProductVersion;
    const char* Comments;
    std::uint16_t VersionMajor;
    std::uint16_t VersionMinor;
    std::uint16_t VersionPatch;
    std::uint16_t VersionBuild;
};

const TVersionTable& BuiltVersionTable();

} // namespace morvane
