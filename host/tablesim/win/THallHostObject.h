#pragma once

#include "plugin/QXOpenInterface_TLB.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace morvane::tablesim {

// The hall's side of one table as a COM object: the table holds counted references to it and the last
// Release frees it. It answers the seven operations a table calls; what the table sends goes to
// OnSendData and its close to OnPluginClosed, both on the thread that makes the call (the table's).
class THallHostObject final : public IQXOpenInterfaceReq {
public:
    // A new object with one reference held by the caller. `directory` is the hall's folder (screenshots
    // go there), at most 259 bytes of it are handed out.
    static THallHostObject* Create(std::string directory);

    std::function<void(std::vector<std::uint8_t> frame)> OnSendData;
    std::function<void()> OnPluginClosed;

    int Invitations() const { return invitations_; }

    // [IUnknown]
    HRESULT __stdcall QueryInterface(REFIID riid, void** object) override;
    ULONG __stdcall AddRef() override;
    ULONG __stdcall Release() override;

    // [IQXOpenInterfaceReq]
    HRESULT __stdcall GetHostTag(void* tag) override;
    HRESULT __stdcall FilterText(std::int64_t cookie, const char* src, std::int32_t srcLen, char** dst,
                                 std::int32_t* dstLen) override;
    HRESULT __stdcall Invite(std::int64_t cookie, std::int32_t reserved1, std::int32_t reserved2) override;
    HRESULT __stdcall PluginClosed(std::int64_t cookie) override;
    HRESULT __stdcall GetHostDirectory(std::int64_t cookie, char** buffer) override;
    HRESULT __stdcall GetFaceImageList(std::int64_t cookie, TImageList** list) override;
    HRESULT __stdcall SendData(std::int64_t cookie, std::int64_t toId, std::int32_t len,
                               const void* buffer) override;

    // The slots a table never calls.
    HRESULT __stdcall Reserved1() override { return kNotImplemented; }
    HRESULT __stdcall Reserved2() override { return kNotImplemented; }
    HRESULT __stdcall Reserved3() override { return kNotImplemented; }
    HRESULT __stdcall Reserved4() override { return kNotImplemented; }
    HRESULT __stdcall Reserved6() override { return kNotImplemented; }
    HRESULT __stdcall Reserved7() override { return kNotImplemented; }
    HRESULT __stdcall Reserved9() override { return kNotImplemented; }
    HRESULT __stdcall Reserved10() override { return kNotImplemented; }
    HRESULT __stdcall Reserved12() override { return kNotImplemented; }
    HRESULT __stdcall Reserved15() override { return kNotImplemented; }
    HRESULT __stdcall Reserved16() override { return kNotImplemented; }
    HRESULT __stdcall Reserved17() override { return kNotImplemented; }

private:
    static constexpr HRESULT kNotImplemented = HRESULT(0x80004001u);
    // The host's directory buffer is 260 bytes with its terminating zero.
    static constexpr std::size_t kDirectoryBuffer = 260;

    explicit THallHostObject(std::string directory) : directory_(std::move(directory)) {}
    ~THallHostObject() = default;
    friend struct std::default_delete<THallHostObject>;

    std::string directory_;
    std::atomic<ULONG> references_{1};
    int invitations_{0};
};

} // namespace morvane::tablesim
