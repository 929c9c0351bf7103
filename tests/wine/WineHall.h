#pragma once
// What the Wine tests of the library share: a hall host object that records what a table sends, the
// message pump of a hall's UI thread, text and path conversions, and replay scripts read as a hall would
// see them.

#include "plugin/QXOpenInterface_TLB.h"
#include "tests/wine/WineChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The system headers come last: the table's interface header declares its own COM basics, whose names
// the system's macros (S_OK, REFIID, ...) would otherwise rewrite. Below them the macros are used.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <objbase.h>
#include <windows.h>

namespace morvane::wine {

using Bytes = std::vector<std::uint8_t>;

std::string Hex(const Bytes& bytes);
void PutI64(Bytes& out, std::int64_t value);
std::wstring Wide(const std::string& ascii);
// A Linux path handed in by CTest, as Wine sees it.
std::string WindowsPath(std::string path);
std::wstring WideOfUtf8(const std::string& utf8);
std::string GbkOfUtf8(const std::string& utf8);
std::wstring Wide936(const std::string& gbk);

// The library's DllGetClassObject, and a table made through its class factory (null when either fails).
using TGetClassObject = ::HRESULT(STDAPICALLTYPE*)(const ::GUID&, const ::GUID&, void**);
morvane::IQXOpenInterface* NewTable(TGetClassObject getClassObject);

// The hall's side of one table: it records what the table sends and may fail one operation.
class THallHost final : public morvane::IQXOpenInterfaceReq {
public:
    std::vector<Bytes> sent;
    // The texts the table asked to have filtered, each a line it is about to show.
    std::vector<std::string> filtered;
    int closed{0};
    bool failDirectory{false};
    // What the hall does inside PluginClosed, after counting it (it may release the table there).
    std::function<void()> onPluginClosed;

    morvane::HRESULT __stdcall QueryInterface(const morvane::IID& riid, void** object) override {
        if (riid == morvane::IID_IUnknown || riid == morvane::IID_IQXOpenInterfaceReq) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The test owns its hosts; counting still shows whether the table keeps and gives back its reference.
    morvane::ULONG __stdcall AddRef() override { return ++references; }
    morvane::ULONG __stdcall Release() override { return --references; }

    morvane::HRESULT __stdcall GetHostTag(void* tag) override {
        std::memset(tag, 0x5A, 8);
        return S_OK;
    }
    morvane::HRESULT __stdcall FilterText(std::int64_t, const char* src, std::int32_t srcLen, char** dst,
                                          std::int32_t* dstLen) override {
        const std::int32_t length = std::min(srcLen, *dstLen);
        filtered.emplace_back(src, std::size_t(std::max(srcLen, 0)));
        std::memcpy(*dst, src, std::size_t(length));
        *dstLen = length;
        return S_OK;
    }
    morvane::HRESULT __stdcall Invite(std::int64_t, std::int32_t, std::int32_t) override { return S_OK; }
    morvane::HRESULT __stdcall PluginClosed(std::int64_t) override {
        ++closed;
        if (onPluginClosed) onPluginClosed();
        return S_OK;
    }
    morvane::HRESULT __stdcall GetHostDirectory(std::int64_t, char** buffer) override {
        if (failDirectory) return E_FAIL;
        std::strcpy(*buffer, "C:\\Hall");
        return S_OK;
    }
    morvane::HRESULT __stdcall GetFaceImageList(std::int64_t, morvane::TImageList** list) override {
        *list = nullptr;
        return S_OK;
    }
    morvane::HRESULT __stdcall SendData(std::int64_t, std::int64_t, std::int32_t len,
                                        const void* buffer) override {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        sent.emplace_back(bytes, bytes + len);
        return S_OK;
    }

#define MORVANE_UNUSED_SLOT(name)                                                                            \
    morvane::HRESULT __stdcall name() override {                                                             \
        return E_FAIL;                                                                                       \
    }
    MORVANE_UNUSED_SLOT(Reserved1)
    MORVANE_UNUSED_SLOT(Reserved2)
    MORVANE_UNUSED_SLOT(Reserved3)
    MORVANE_UNUSED_SLOT(Reserved4)
    MORVANE_UNUSED_SLOT(Reserved6)
    MORVANE_UNUSED_SLOT(Reserved7)
    MORVANE_UNUSED_SLOT(Reserved9)
    MORVANE_UNUSED_SLOT(Reserved10)
    MORVANE_UNUSED_SLOT(Reserved12)
    MORVANE_UNUSED_SLOT(Reserved15)
    MORVANE_UNUSED_SLOT(Reserved16)
    MORVANE_UNUSED_SLOT(Reserved17)
#undef MORVANE_UNUSED_SLOT

    morvane::ULONG references{0};
};

// Pumps this thread's messages, as the hall's loop does, until `done` holds; false on a timeout.
template <typename TDone>
bool PumpUntil(TDone done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

// One command of a replay script: its name and the rest of its line.
struct TScriptStep {
    std::string command;
    std::string argument;
};

// What the table is given in a replay script: its init line's fields (texts in GBK, as a hall passes
// them), its frames in order, and every command in order for a player who also clicks and types.
struct TScript {
    std::map<std::string, std::string> init;
    std::vector<Bytes> frames;
    std::vector<TScriptStep> steps;
    // The time the script lets pass (its waits), which a run in real time lets pass too.
    DWORD waitMs{0};
};

// False when the file cannot be read, a frame's hex is odd, or the init line or every frame is missing.
bool ReadScript(const std::string& path, TScript& script);

// The frames the headless table sent for a script: the hex of its transcript's "send" lines.
std::vector<std::string> TranscriptSends(const std::string& path);

} // namespace morvane::wine
