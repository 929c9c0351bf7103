#include "host/TestHallHost.h"

#include <algorithm>
#include <cstring>

namespace morvane {

namespace {
constexpr std::size_t kDirectoryBufferSize = 260;
constexpr std::uint8_t kHostTag[8] = {'M', 'o', 'r', 'v', 'H', 'a', 'l', 'l'};
} // namespace

const std::vector<std::string>& TTestHallHost::Operations() {
    static const std::vector<std::string> names{"GetHostTag",       "FilterText",       "Invite",  "PluginClosed",
                                                "GetHostDirectory", "GetFaceImageList", "SendData"};
    return names;
}

bool TTestHallHost::Enter(const std::string& operation) {
    calls_.push_back(operation);
    const auto due = failAt_.find(operation);
    if (due == failAt_.end() || --due->second > 0) return false;
    failAt_.erase(due);
    return true;
}

std::vector<TTestHallHost::TSentFrame> TTestHallHost::TakeSent() {
    std::vector<TSentFrame> taken = std::move(sent_);
    sent_.clear();
    return taken;
}

void TTestHallHost::ClearRecords() {
    sent_.clear();
    closed_.clear();
    filtered_.clear();
    calls_.clear();
    invites_ = 0;
    tagRequests_ = 0;
}

HRESULT TTestHallHost::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IQXOpenInterfaceReq) {
        *object = static_cast<IQXOpenInterfaceReq*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT TTestHallHost::GetHostTag(void* tag) {
    if (Enter("GetHostTag")) return E_FAIL;
    ++tagRequests_;
    if (tag) std::memcpy(tag, kHostTag, sizeof kHostTag);
    return S_OK;
}

HRESULT TTestHallHost::FilterText(std::int64_t /*cookie*/, const char* src, std::int32_t srcLen, char** dst,
                                  std::int32_t* dstLen) {
    if (Enter("FilterText")) return E_FAIL;
    if (!src || !dst || !*dst || !dstLen || srcLen < 0) return E_POINTER;
    std::string line(src, std::size_t(srcLen));
    filtered_.push_back(line);
    std::optional<std::string> shown = filter_ ? filter_(line) : std::optional<std::string>(line);
    if (!shown) {
        *dstLen = 0;
        return S_OK;
    }
    // The table's buffer holds *dstLen bytes; a longer answer is cut to it.
    std::size_t length = std::min(shown->size(), std::size_t(std::max(*dstLen, 0)));
    std::memcpy(*dst, shown->data(), length);
    *dstLen = std::int32_t(length);
    return S_OK;
}

HRESULT TTestHallHost::Invite(std::int64_t /*cookie*/, std::int32_t /*reserved1*/,
                              std::int32_t /*reserved2*/) {
    if (Enter("Invite")) return E_FAIL;
    ++invites_;
    return S_OK;
}

HRESULT TTestHallHost::PluginClosed(std::int64_t cookie) {
    if (Enter("PluginClosed")) return E_FAIL;
    closed_.push_back(cookie);
    if (OnPluginClosed) OnPluginClosed(cookie);
    return S_OK;
}

HRESULT TTestHallHost::GetHostDirectory(std::int64_t /*cookie*/, char** buffer) {
    if (Enter("GetHostDirectory")) return E_FAIL;
    if (!buffer || !*buffer) return E_POINTER;
    std::size_t length = std::min(directory_.size(), kDirectoryBufferSize - 1);
    std::memcpy(*buffer, directory_.data(), length);
    (*buffer)[length] = '\0';
    return S_OK;
}

HRESULT TTestHallHost::GetFaceImageList(std::int64_t /*cookie*/, TImageList** list) {
    if (Enter("GetFaceImageList")) return E_FAIL;
    if (!list) return E_POINTER;
    *list = faces_;
    return S_OK;
}

HRESULT TTestHallHost::SendData(std::int64_t cookie, std::int64_t toId, std::int32_t len,
                                const void* buffer) {
    if (Enter("SendData")) return E_FAIL;
    if (len < 0 || (len > 0 && !buffer)) return E_POINTER;
    TSentFrame frame{cookie, toId, {}};
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    if (len > 0) frame.bytes.assign(bytes, bytes + len);
    sent_.push_back(frame);
    if (OnSendData) OnSendData(frame);
    return S_OK;
}

} // namespace morvane
