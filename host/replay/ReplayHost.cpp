#include "host/replay/ReplayHost.h"

namespace morvane::replay {

HRESULT TReplayHost::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IQXOpenInterfaceReq) {
        *object = static_cast<IQXOpenInterfaceReq*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT TReplayHost::PluginClosed(std::int64_t cookie) {
    const HRESULT result = inner_.PluginClosed(cookie);
    if (OnClosed) OnClosed();
    return result;
}

} // namespace morvane::replay
