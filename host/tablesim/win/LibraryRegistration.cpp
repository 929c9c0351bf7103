#include "host/tablesim/win/LibraryRegistration.h"

#include <cstdio>

// The system headers come last: the table's interface header declares its own COM basics.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <objbase.h>
#include <windows.h>

namespace morvane::tablesim {
namespace {

using TEntry = HRESULT(STDAPICALLTYPE*)();

TEntry Entry(HMODULE library, const char* name) {
    // Through void*: the system declares every export as one function type.
    return reinterpret_cast<TEntry>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::string Hex(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

// Runs a registration entry with the classes root redirected to the current user's classes.
HRESULT ForCurrentUser(TEntry entry) {
    HKEY userClasses = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &userClasses, nullptr) != ERROR_SUCCESS)
        return E_FAIL;
    HRESULT result = E_FAIL;
    if (RegOverridePredefKey(HKEY_CLASSES_ROOT, userClasses) == ERROR_SUCCESS) {
        result = entry();
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    }
    RegCloseKey(userClasses);
    return result;
}

HRESULT FindFactory(const GUID& classId) {
    IClassFactory* factory = nullptr;
    const HRESULT result = CoGetClassObject(reinterpret_cast<const CLSID&>(classId), CLSCTX_INPROC_SERVER,
                                            nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (factory) factory->Release();
    return result;
}

} // namespace

TLibraryRegistration::~TLibraryRegistration() {
    Unregister();
}

bool TLibraryRegistration::Register(const std::wstring& path, const GUID& classId, std::string& error) {
    library_ = LoadLibraryW(path.c_str());
    if (!library_) {
        error = "cannot load the library (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    const TEntry registerServer = Entry(library_, "DllRegisterServer");
    if (!registerServer || !Entry(library_, "DllUnregisterServer")) {
        error = "the library exports no DllRegisterServer and DllUnregisterServer";
        return false;
    }
    const HRESULT forUser = ForCurrentUser(registerServer);
    if (FAILED(forUser)) {
        error = "DllRegisterServer for the current user failed with " + Hex(forUser);
        return false;
    }
    user_ = true;
    HRESULT found = FindFactory(classId);
    if (found == REGDB_E_CLASSNOTREG) {
        const HRESULT forMachine = registerServer();
        if (FAILED(forMachine)) {
            error =
                "COM does not read the user's classes, and DllRegisterServer for the machine failed with " +
                Hex(forMachine);
            return false;
        }
        machine_ = true;
        found = FindFactory(classId);
    }
    if (FAILED(found)) {
        error = "COM does not find the registered class (" + Hex(found) + ")";
        return false;
    }
    return true;
}

void TLibraryRegistration::Unregister() {
    if (!library_) return;
    if (const TEntry unregisterServer = Entry(library_, "DllUnregisterServer")) {
        if (machine_) unregisterServer();
        if (user_) ForCurrentUser(unregisterServer);
    }
    machine_ = user_ = false;
    FreeLibrary(library_);
    library_ = nullptr;
}

} // namespace morvane::tablesim
