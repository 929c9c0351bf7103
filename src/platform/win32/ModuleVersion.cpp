#include "platform/win32/ModuleVersion.h"

#include "platform/win32/WideText.h"

#include <cstring>
#include <cwchar>
#include <vector>

// The system headers come last: see WinApi.h.
#include "platform/win32/WinApi.h"

namespace morvane {
namespace {

// A string of the version resource under the given translation ("080404b0"); empty when absent.
std::string VersionString(const std::vector<std::uint8_t>& data, const wchar_t* translation,
                          const wchar_t* key) {
    std::wstring path = std::wstring(L"\\StringFileInfo\\") + translation + L"\\" + key;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), path.c_str(), &value, &length) || !value || length == 0) return {};
    const auto* text = static_cast<const wchar_t*>(value);
    return GbkFromWide(std::wstring_view(text, wcsnlen(text, length)));
}

} // namespace

// The module's file name as the system spells it.
std::wstring WideModuleFileName(HMODULE module) {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(module, name.data(), DWORD(name.size()));
        if (length == 0) return {};
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2); // the name was cut: try a larger buffer
    }
}

bool ReadModuleVersion(HMODULE module, TFileVersionInfomation& info) {
    info = TFileVersionInfomation{};
    std::wstring file = WideModuleFileName(module);
    DWORD ignored = 0;
    DWORD size = file.empty() ? 0 : GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<std::uint8_t> data(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return false;

    struct TTranslation {
        WORD language;
        WORD codePage;
    };
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
        length < sizeof(TTranslation))
        return false;
    TTranslation first{};
    std::memcpy(&first, value, sizeof(first));
    wchar_t translation[16];
    std::swprintf(translation, 16, L"%04x%04x", unsigned(first.language), unsigned(first.codePage));

    if (VerQueryValueW(data.data(), L"\\", &value, &length) && length >= sizeof(TVsFixedFileInfo))
        std::memcpy(&info.FixedInfo, value, sizeof(TVsFixedFileInfo));
    const std::pair<std::string*, const wchar_t*> fields[] = {
        {&info.CompanyName, L"CompanyName"},           {&info.FileDescription, L"FileDescription"},
        {&info.FileVersion, L"FileVersion"},           {&info.InternalName, L"InternalName"},
        {&info.LegalCopyright, L"LegalCopyright"},     {&info.LegalTrademarks, L"LegalTrademarks"},
        {&info.OriginalFileName, L"OriginalFilename"}, {&info.ProductName, L"ProductName"},
        {&info.ProductVersion, L"ProductVersion"},     {&info.Comments, L"Comments"},
    };
    for (const auto& [field, key] : fields)
        *field = VersionString(data, translation, key);
    return true;
}

} // namespace morvane
