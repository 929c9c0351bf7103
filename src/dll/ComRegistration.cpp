#include "dll/ComRegistration.h"

#include "dll/TComServer.h"
#include "platform/win32/WideText.h"

// The system headers come last: see WinApi.h.
#include "platform/win32/WinApi.h"

namespace morvane {
namespace {

// Creates the key below HKEY_CLASSES_ROOT and sets one string value (the default one for an empty name).
std::string SetClassesValue(const std::string& key, const std::string& name, const std::string& value) {
    HKEY opened = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, WideFromGbk(key).c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &opened, nullptr);
    if (status != ERROR_SUCCESS) return "cannot create " + key + " (error " + std::to_string(status) + ")";
    const std::wstring wideName = WideFromGbk(name), wideValue = WideFromGbk(value);
    status = RegSetValueExW(opened, wideName.empty() ? nullptr : wideName.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(wideValue.c_str()),
                            DWORD((wideValue.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS) return "cannot write " + key + " (error " + std::to_string(status) + ")";
    return {};
}

std::string DeleteClassesTree(const std::string& key) {
    const LONG status = RegDeleteTreeW(HKEY_CLASSES_ROOT, WideFromGbk(key).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return "cannot remove " + key + " (error " + std::to_string(status) + ")";
    // RegDeleteTree empties the key; the key itself goes with RegDeleteKey.
    const LONG removed = RegDeleteKeyW(HKEY_CLASSES_ROOT, WideFromGbk(key).c_str());
    if (removed != ERROR_SUCCESS && removed != ERROR_FILE_NOT_FOUND)
        return "cannot remove " + key + " (error " + std::to_string(removed) + ")";
    return {};
}

} // namespace

std::string RegisterComServer(const TComServer& server) {
    const std::string classKey = "CLSID\\" + server.ClassIdText();
    const std::string file = server.ModuleFileName();
    if (file.empty()) return "the library does not know its own file";
    std::string failure = SetClassesValue(classKey, "", server.Description());
    if (failure.empty()) failure = SetClassesValue(classKey + "\\InprocServer32", "", file);
    if (failure.empty())
        failure = SetClassesValue(classKey + "\\InprocServer32", "ThreadingModel", "Apartment");
    const std::string progId = server.ProgId();
    if (failure.empty() && !progId.empty()) {
        failure = SetClassesValue(progId, "", server.Description());
        if (failure.empty()) failure = SetClassesValue(progId + "\\CLSID", "", server.ClassIdText());
        if (failure.empty()) failure = SetClassesValue(classKey + "\\ProgID", "", progId);
    }
    return failure;
}

std::string UnregisterComServer(const TComServer& server) {
    std::string failure;
    const std::string progId = server.ProgId();
    if (!progId.empty()) failure = DeleteClassesTree(progId);
    const std::string classFailure = DeleteClassesTree("CLSID\\" + server.ClassIdText());
    return failure.empty() ? classFailure : failure;
}

} // namespace morvane
