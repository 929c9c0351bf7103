#pragma once

#include "plugin/QXOpenInterface_TLB.h"

#include <atomic>
#include <memory>
#include <thread>

namespace morvane {

class TCustomPluginShare;
class TForm;

// The table object the host creates for each table: it owns the table's form and passes the host's
// calls to the hub on it. Every method is guarded: a failure inside becomes a failure result; without a
// form or hub every method does nothing and succeeds.
class TPluginInterface50 final : public IQXOpenInterface {
public:
    static constexpr const char* kFormClassName = "TFormPluginClient";

    // A new object with one reference held by the caller.
    static TPluginInterface50* Create();

    // Table objects alive in this process; the library may be unloaded only while there are none.
    static long LiveObjects();

    TForm* Form() const { return form_.get(); }
    TCustomPluginShare* Hub() const { return hub_; }

    // [IUnknown]
    HRESULT __stdcall QueryInterface(REFIID riid, void** object) override;
    ULONG __stdcall AddRef() override;
    ULONG __stdcall Release() override;

    // [IQXOpenInterface]
    HRESULT __stdcall GetPluginCode(std::int32_t* code) override;
    HRESULT __stdcall SetRequestInterface(IQXOpenInterfaceReq* request) override;
    HRESULT __stdcall Initialize(std::int64_t cookie, const char* title, const std::int64_t* userId,
                                 const char* nick, std::int32_t extra, std::int32_t, std::int32_t,
                                 std::int32_t) override;
    HRESULT __stdcall Reserved3(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                std::int32_t, std::int32_t) override {
        return S_OK;
    }
    HRESULT __stdcall Reserved4(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                std::int32_t) override {
        return S_OK;
    }
    HRESULT __stdcall Reserved5(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                std::int32_t) override {
        return S_OK;
    }
    HRESULT __stdcall Reserved6(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                std::int32_t, std::int32_t) override {
        return S_OK;
    }
    HRESULT __stdcall Finalize() override;
    HRESULT __stdcall ShowPluginWindow(std::int32_t mode) override;
    HRESULT __stdcall UpdateUserName(const std::int64_t* userId, const char* name,
                                     std::int32_t value) override;
    HRESULT __stdcall Reserved10(std::int32_t, std::int32_t, std::int32_t) override { return S_OK; }
    HRESULT __stdcall ShowSystemText(std::int32_t len, const char* text) override;
    HRESULT __stdcall PostCommand(std::int32_t len, const char* data) override;

private:
    TPluginInterface50();
    ~TPluginInterface50();
    friend struct std::default_delete<TPluginInterface50>;

    template <typename F>
    HRESULT Guarded(F&& call);
    template <typename F>
    HRESULT GuardedOnUiThread(F&& call);
    bool OnUiThread() const { return std::this_thread::get_id() == uiThread_; }
    // The last reference is gone: the object is freed on its UI thread once none of its code is running.
    void DestroyWhenUnwound();
    void DestroyOnUiThread();

    // Counts the object among the live ones from its first member to its last, also when the
    // constructor fails.
    struct TLiveObject {
        TLiveObject();
        ~TLiveObject();
        TLiveObject(const TLiveObject&) = delete;
        TLiveObject& operator=(const TLiveObject&) = delete;
    };

    TLiveObject live_;
    std::atomic<ULONG> references_{1};
    // The thread that made the object, its windows and timers: the only one that may touch them.
    const std::thread::id uiThread_{std::this_thread::get_id()};
    std::unique_ptr<TForm> form_;
    TCustomPluginShare* hub_{nullptr};
};

} // namespace morvane
