// The library's entry points: the four exports of an in-process COM server and the load-time set-up
// of its class from the version resource.
#include "dll/ComRegistration.h"
#include "dll/TComServer.h"

#include <cstring>
#include <string>

// The system headers come last: see WinApi.h.
#include "dll/TComClassFactory.h"

#include <olectl.h>

using morvane::TComServer;

namespace {

// Registration failures go to the debugger's output: regsvr32 and installers see only the result.
void ReportFailure(const std::string& what) {
    if (!what.empty()) OutputDebugStringA(("Morvane: " + what + "\n").c_str());
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    DisableThreadLibraryCalls(module);
    // Without a class identity the library has nothing to offer: it refuses to load.
    return TComServer::Instance().Initialize(module) ? TRUE : FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID riid, LPVOID* object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    static_assert(sizeof(::CLSID) == sizeof(morvane::GUID));
    if (std::memcmp(&classId, &TComServer::Instance().ClassId(), sizeof(::CLSID)) != 0)
        return CLASS_E_CLASSNOTAVAILABLE;
    morvane::TComClassFactory* factory = morvane::TComClassFactory::Create();
    const HRESULT result = factory->QueryInterface(riid, object);
    factory->Release();
    return result;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    try {
        return TComServer::Instance().ReleaseRuntimeIfIdle() ? S_OK : S_FALSE;
    } catch (...) {
        return S_FALSE;
    }
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    try {
        const std::string failure = morvane::RegisterComServer(TComServer::Instance());
        ReportFailure(failure);
        return failure.empty() ? S_OK : SELFREG_E_CLASS;
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    try {
        const std::string failure = morvane::UnregisterComServer(TComServer::Instance());
        ReportFailure(failure);
        return failure.empty() ? S_OK : SELFREG_E_CLASS;
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}
