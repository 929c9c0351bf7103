#include "dll/TComServer.h"
#include "plugin/PluginInterface50.h"

#include <cstring>
#include <memory>

// The system headers come last: see WinApi.h.
#include "dll/TComClassFactory.h"

namespace morvane {
namespace {

// The system's and the table's GUIDs have the same 16-byte layout.
morvane::IID TableIid(const ::IID& iid) {
    morvane::IID copy;
    static_assert(sizeof copy == sizeof iid);
    std::memcpy(&copy, &iid, sizeof copy);
    return copy;
}

} // namespace

TComClassFactory* TComClassFactory::Create() {
    return std::unique_ptr<TComClassFactory>(new TComClassFactory()).release();
}

TComClassFactory::TComClassFactory() {
    TComServer::Instance().FactoryCreated();
}

TComClassFactory::~TComClassFactory() {
    TComServer::Instance().FactoryDestroyed();
}

::HRESULT TComClassFactory::QueryInterface(const ::IID& riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, ::IID_IUnknown) || IsEqualIID(riid, ::IID_IClassFactory)) {
        *object = static_cast<::IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

::ULONG TComClassFactory::AddRef() {
    return ++references_;
}

::ULONG TComClassFactory::Release() {
    const ::ULONG left = --references_;
    if (left == 0) std::unique_ptr<TComClassFactory> last(this);
    return left;
}

::HRESULT TComClassFactory::CreateInstance(::IUnknown* outer, const ::IID& riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
        TComServer::Instance().EnsureRuntime();
    } catch (...) {
        return RPC_E_WRONG_THREAD;
    }
    TPluginInterface50* table = nullptr;
    try {
        table = TPluginInterface50::Create();
    } catch (...) {
        // The form could not be made (no window, no memory): nothing of the object is left.
        return E_OUTOFMEMORY;
    }
    // The creation reference goes once the caller holds its own (or nothing holds the object).
    const ::HRESULT result = table->QueryInterface(TableIid(riid), object);
    table->Release();
    return result;
}

::HRESULT TComClassFactory::LockServer(BOOL lock) {
    TComServer::Instance().Lock(lock != FALSE);
    return S_OK;
}

} // namespace morvane
