#pragma once

// The system headers come last: see WinApi.h.
#include "platform/win32/WinApi.h"

#include <atomic>
#include <memory>
#include <objbase.h>

namespace morvane {

// The factory of the library's one class: every CreateInstance makes a new table object (multi-instance)
// in the caller's apartment. Its life and its locks keep the library loaded.
class TComClassFactory final : public ::IClassFactory {
public:
    // A new factory with one reference held by the caller.
    static TComClassFactory* Create();

    // [IUnknown]
    ::HRESULT STDMETHODCALLTYPE QueryInterface(const ::IID& riid, void** object) override;
    ::ULONG STDMETHODCALLTYPE AddRef() override;
    ::ULONG STDMETHODCALLTYPE Release() override;

    // [IClassFactory]
    ::HRESULT STDMETHODCALLTYPE CreateInstance(::IUnknown* outer, const ::IID& riid, void** object) override;
    ::HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    TComClassFactory();
    ~TComClassFactory();
    friend struct std::default_delete<TComClassFactory>;

    std::atomic<::ULONG> references_{1};
};

} // namespace morvane
