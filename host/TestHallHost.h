#pragma once

#include "plugin/QXOpenInterface_TLB.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

class TCustomPluginShare;
class TImageList;

// A hall host in plain C++: it answers the seven operations a table calls, records what the table sends
// and can route each sent frame to a handler (a simulated server). Reference counting is kept but the
// object is owned by its creator.
class TTestHallHost final : public IQXOpenInterfaceReq {
public:
    struct TSentFrame {
        std::int64_t cookie{0};
        std::int64_t toId{0};
        std::vector<std::uint8_t> bytes;
    };
    // What the text filter does with a line: pass it, replace it, or drop it.
    using TTextFilter = std::function<std::optional<std::string>(const std::string& line)>;

    TTestHallHost() = default;
    TTestHallHost(const TTestHallHost&) = delete;
    TTestHallHost& operator=(const TTestHallHost&) = delete;
    ~TTestHallHost() = default;

    // [Setup]
    void SetDirectory(std::string directory) { directory_ = std::move(directory); }
    void SetFaceImages(TImageList* faces) { faces_ = faces; }
    void SetTextFilter(TTextFilter filter) { filter_ = std::move(filter); }
    // Every frame the table sends is also handed here, after it is recorded.
    std::function<void(const TSentFrame&)> OnSendData;
    // Called when a table reports its close, after it is recorded (a hall releases the table here).
    std::function<void(std::int64_t cookie)> OnPluginClosed;
    // A failure result for the next call of the named operation ("SendData", "FilterText", ...).
    void FailNext(const std::string& operation) { FailCall(operation, 1); }
    // A failure result for the `nth` next call (1 = the next) of the named operation; one per operation.
    void FailCall(const std::string& operation, int nth) { failAt_[operation] = nth; }
    // The names of the seven operations a table calls.
    static const std::vector<std::string>& Operations();

    // [Records]
    const std::vector<TSentFrame>& Sent() const { return sent_; }
    std::vector<TSentFrame> TakeSent();
    // Forgets every record (sent frames, closes, filtered lines, calls), keeping the setup.
    void ClearRecords();
    const std::vector<std::int64_t>& Closed() const { return closed_; }
    int InviteCount() const { return invites_; }
    int TagRequests() const { return tagRequests_; }
    const std::vector<std::string>& FilteredLines() const { return filtered_; }
    // Every call in order, by operation name ("SendData", "GetHostDirectory", ...).
    const std::vector<std::string>& Calls() const { return calls_; }
    ULONG References() const { return references_; }

    // [IUnknown]
    HRESULT __stdcall QueryInterface(REFIID riid, void** object) override;
    ULONG __stdcall AddRef() override { return ++references_; }
    ULONG __stdcall Release() override { return --references_; }

    // [IQXOpenInterfaceReq]
    HRESULT __stdcall GetHostTag(void* tag) override;
    HRESULT __stdcall Reserved1() override { return S_OK; }
    HRESULT __stdcall Reserved2() override { return S_OK; }
    HRESULT __stdcall Reserved3() override { return S_OK; }
    HRESULT __stdcall Reserved4() override { return S_OK; }
    HRESULT __stdcall FilterText(std::int64_t cookie, const char* src, std::int32_t srcLen, char** dst,
                                 std::int32_t* dstLen) override;
    HRESULT __stdcall Reserved6() override { return S_OK; }
    HRESULT __stdcall Reserved7() override { return S_OK; }
    HRESULT __stdcall Invite(std::int64_t cookie, std::int32_t reserved1, std::int32_t reserved2) override;
    HRESULT __stdcall Reserved9() override { return S_OK; }
    HRESULT __stdcall Reserved10() override { return S_OK; }
    HRESULT __stdcall PluginClosed(std::int64_t cookie) override;
    HRESULT __stdcall Reserved12() override { return S_OK; }
    HRESULT __stdcall GetHostDirectory(std::int64_t cookie, char** buffer) override;
    HRESULT __stdcall GetFaceImageList(std::int64_t cookie, TImageList** list) override;
    HRESULT __stdcall Reserved15() override { return S_OK; }
    HRESULT __stdcall Reserved16() override { return S_OK; }
    HRESULT __stdcall Reserved17() override { return S_OK; }
    HRESULT __stdcall SendData(std::int64_t cookie, std::int64_t toId, std::int32_t len,
                               const void* buffer) override;

private:
    // Records the call; true when it is to fail.
    bool Enter(const std::string& operation);

    std::string directory_{"C:\\Hall"};
    TImageList* faces_{nullptr};
    TTextFilter filter_;
    std::map<std::string, int> failAt_; // operation -> calls until the one that fails
    std::vector<TSentFrame> sent_;
    std::vector<std::int64_t> closed_;
    std::vector<std::string> filtered_;
    std::vector<std::string> calls_;
    int invites_{0};
    int tagRequests_{0};
    ULONG references_{0};
};

} // namespace morvane
