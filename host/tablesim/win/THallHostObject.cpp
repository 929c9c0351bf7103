#include "host/tablesim/win/THallHostObject.h"

#include <algorithm>
#include <cstring>

namespace morvane::tablesim {

THallHostObject* THallHostObject::Create(std::string directory) {
    return std::unique_ptr<THallHostObject>(new THallHostObject(std::move(directory))).release();
}

HRESULT __stdcall THallHostObject::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IQXOpenInterfaceReq) {
        *object = static_cast<IQXOpenInterfaceReq*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG __stdcall THallHostObject::AddRef() {
    return ++references_;
}

ULONG __stdcall THallHostObject::Release() {
    const ULONG left = --references_;
    // COM's rule: the last release frees the object.
    if (left == 0) std::unique_ptr<THallHostObject> last(this);
    return left;
}

HRESULT __stdcall THallHostObject::GetHostTag(void* tag) {
    if (!tag) return E_POINTER;
    static constexpr char kTag[8] = {'T', 'A', 'B', 'L', 'E', 'S', 'I', 'M'};
    std::memcpy(tag, kTag, sizeof kTag);
    return S_OK;
}

HRESULT __stdcall THallHostObject::FilterText(std::int64_t, const char* src, std::int32_t srcLen, char** dst,
                                              std::int32_t* dstLen) {
    if (!dst || !*dst || !dstLen || (!src && srcLen > 0)) return E_POINTER;
    // The hall's filter would replace words it refuses; this hall shows every line as it is.
    const std::int32_t length = std::max(0, std::min(srcLen, *dstLen));
    if (length > 0) std::memcpy(*dst, src, std::size_t(length));
    *dstLen = length;
    return S_OK;
}

HRESULT __stdcall THallHostObject::Invite(std::int64_t, std::int32_t, std::int32_t) {
    ++invitations_;
    return S_OK;
}

HRESULT __stdcall THallHostObject::PluginClosed(std::int64_t) {
    if (OnPluginClosed) OnPluginClosed();
    return S_OK;
}

HRESULT __stdcall THallHostObject::GetHostDirectory(std::int64_t, char** buffer) {
    if (!buffer || !*buffer) return E_POINTER;
    const std::size_t length = std::min(directory_.size(), kDirectoryBuffer - 1);
    std::memcpy(*buffer, directory_.data(), length);
    (*buffer)[length] = '\0';
    return S_OK;
}

HRESULT __stdcall THallHostObject::GetFaceImageList(std::int64_t, TImageList** list) {
    if (!list) return E_POINTER;
    // The face pictures are objects of the hall's own toolkit; this hall has none to lend.
    *list = nullptr;
    return S_OK;
}

HRESULT __stdcall THallHostObject::SendData(std::int64_t, std::int64_t, std::int32_t len,
                                            const void* buffer) {
    if (len < 0 || (!buffer && len > 0)) return E_POINTER;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    if (OnSendData) OnSendData(std::vector<std::uint8_t>(bytes, bytes + len));
    return S_OK;
}

} // namespace morvane::tablesim
