#pragma once

#include "host/TestHallHost.h"

#include <functional>

namespace morvane::replay {

// The test hall host with the table's close reported at the moment it is called, so that the
// transcript keeps it in its place among the other events.
class TReplayHost final : public IQXOpenInterfaceReq {
public:
    TTestHallHost& Inner() { return inner_; }
    std::function<void()> OnClosed;

    // [IUnknown]
    HRESULT __stdcall QueryInterface(REFIID riid, void** object) override;
    ULONG __stdcall AddRef() override { return inner_.AddRef(); }
    ULONG __stdcall Release() override { return inner_.Release(); }

    // [IQXOpenInterfaceReq]
    HRESULT __stdcall GetHostTag(void* tag) override { return inner_.GetHostTag(tag); }
    HRESULT __stdcall Reserved1() override { return S_OK; }
    HRESULT __stdcall Reserved2() override { return S_OK; }
    HRESULT __stdcall Reserved3() override { return S_OK; }
    HRESULT __stdcall Reserved4() override { return S_OK; }
    HRESULT __stdcall FilterText(std::int64_t cookie, const char* src, std::int32_t srcLen, char** dst,
                                 std::int32_t* dstLen) override {
        return inner_.FilterText(cookie, src, srcLen, dst, dstLen);
    }
    HRESULT __stdcall Reserved6() override { return S_OK; }
    HRESULT __stdcall Reserved7() override { return S_OK; }
    HRESULT __stdcall Invite(std::int64_t cookie, std::int32_t reserved1, std::int32_t reserved2) override {
        return inner_.Invite(cookie, reserved1, reserved2);
    }
    HRESULT __stdcall Reserved9() override { return S_OK; }
    HRESULT __stdcall Reserved10() override { return S_OK; }
    HRESULT __stdcall PluginClosed(std::int64_t cookie) override;
    HRESULT __stdcall Reserved12() override { return S_OK; }
    HRESULT __stdcall GetHostDirectory(std::int64_t cookie, char** buffer) override {
        return inner_.GetHostDirectory(cookie, buffer);
    }
    HRESULT __stdcall GetFaceImageList(std::int64_t cookie, TImageList** list) override {
        return inner_.GetFaceImageList(cookie, list);
    }
    HRESULT __stdcall Reserved15() override { return S_OK; }
    HRESULT __stdcall Reserved16() override { return S_OK; }
    HRESULT __stdcall Reserved17() override { return S_OK; }
    HRESULT __stdcall SendData(std::int64_t cookie, std::int64_t toId, std::int32_t len,
                               const void* buffer) override {
        return inner_.SendData(cookie, toId, len, buffer);
    }

private:
    TTestHallHost inner_;
};

} // namespace morvane::replay
