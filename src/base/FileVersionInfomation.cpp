#include "base/FileVersionInfomation.h"

#include "base/VersionTable.h"

namespace morvane {
namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedStrucVersion = 0x00010000;
constexpr std::uint32_t kFlagsMask = 0x3F;
constexpr std::uint32_t kOsNtWindows32 = 0x00040004;
constexpr std::uint32_t kFileTypeDll = 2;

std::uint32_t High(std::uint16_t a, std::uint16_t b) {
    return (std::uint32_t(a) << 16) | b;
}

std::string LookUpKey(const TVersionTable& t, const std::string& key) {
    const std::pair<const char*, const char*> keys[] = {
        {"CompanyName", t.CompanyName},           {"FileDescription", t.FileDescription},
        {"FileVersion", t.FileVersion},           {"InternalName", t.InternalName},
        {"LegalCopyright", t.LegalCopyright},     {"LegalTrademarks", t.LegalTrademarks},
        {"OriginalFileName", t.OriginalFileName}, {"ProductName", t.ProductName},
        {"ProductVersion", t.ProductVersion},     {"Comments", t.Comments},
    };
    for (const auto& [name, value] : keys)
        if (key == name) return value;
    return {};
}

} // namespace

bool ReadFileVersionInfomation(TFileVersionInfomation& info, const std::string& customKey) {
    info = TFileVersionInfomation{};
    const TVersionTable& t = BuiltVersionTable();
    info.CompanyName = t.CompanyName;
    info.FileDescription = t.FileDescription;
    info.FileVersion = t.FileVersion;
    info.InternalName = t.InternalName;
    info.LegalCopyright = t.LegalCopyright;
    info.LegalTrademarks = t.LegalTrademarks;
    info.OriginalFileName = t.OriginalFileName;
    info.ProductName = t.ProductName;
    info.ProductVersion = t.ProductVersion;
    info.Comments = t.Comments;
    TVsFixedFileInfo& f = info.FixedInfo;
    f.dwSignature = kFixedSignature;
    f.dwStrucVersion = kFixedStrucVersion;
    f.dwFileVersionMS = f.dwProductVersionMS = High(t.VersionMajor, t.VersionMinor);
    f.dwFileVersionLS = f.dwProductVersionLS = High(t.VersionPatch, t.VersionBuild);
    f.dwFileFlagsMask = kFlagsMask;
    f.dwFileOS = kOsNtWindows32;
    f.dwFileType = kFileTypeDll;
    if (!customKey.empty()) info.CustomKey = LookUpKey(t, customKey);
    return true;
}

namespace {

TFileVersionInfomation& LibraryVersionSlot() {
    static TFileVersionInfomation record = [] {
        TFileVersionInfomation info;
        ReadFileVersionInfomation(info);
        return info;
    }();
    return record;
}

} // namespace

const TFileVersionInfomation& LibraryVersion() {
    return LibraryVersionSlot();
}

void SetLibraryVersion(const TFileVersionInfomation& record) {
    LibraryVersionSlot() = record;
}

} // namespace morvane
