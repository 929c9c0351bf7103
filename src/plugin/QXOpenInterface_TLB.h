#pragma once

#include "plugin/ComCompat.h"

#include <cstdint>
#include <type_traits>

// The two interfaces between the hall program and a table object, in their exact slot order. 64-bit
// identities are passed by value, which on 32-bit Windows puts them on the stack as two halves, low first.

namespace morvane {

class TImageList;

// {A992843F-0737-41CA-81C4-C78EAB522845}
inline constexpr IID IID_IQXOpenInterfaceReq{
    0xA992843F, 0x0737, 0x41CA, {0x81, 0xC4, 0xC7, 0x8E, 0xAB, 0x52, 0x28, 0x45}};
// {CA7E6096-1E95-4855-ABDB-A40772E3C202}
inline constexpr IID IID_IQXOpenInterface{
    0xCA7E6096, 0x1E95, 0x4855, {0xAB, 0xDB, 0xA4, 0x07, 0x72, 0xE3, 0xC2, 0x02}};

// What the host offers the table. The table calls slots 0, 5, 8, 11, 13, 14 and 18; the others exist so
// that the slots keep their places.
struct IQXOpenInterfaceReq : public IUnknown {
    // 0: an 8-byte value the table stores and never reads.
    virtual HRESULT __stdcall GetHostTag(void* tag) = 0;
    virtual HRESULT __stdcall Reserved1() = 0;
    virtual HRESULT __stdcall Reserved2() = 0;
    virtual HRESULT __stdcall Reserved3() = 0;
    virtual HRESULT __stdcall Reserved4() = 0;
    // 5: the host writes the line to show into *dst (a buffer of *dstLen bytes) and its length into
    // *dstLen; a length of 0 or less drops the line.
    virtual HRESULT __stdcall FilterText(std::int64_t cookie, const char* src, std::int32_t srcLen,
                                         char** dst, std::int32_t* dstLen) = 0;
    virtual HRESULT __stdcall Reserved6() = 0;
    virtual HRESULT __stdcall Reserved7() = 0;
    // 8: opens the host's invitation window.
    virtual HRESULT __stdcall Invite(std::int64_t cookie, std::int32_t reserved1, std::int32_t reserved2) = 0;
    virtual HRESULT __stdcall Reserved9() = 0;
    virtual HRESULT __stdcall Reserved10() = 0;
    // 11: the table has left; the host tears it down.
    virtual HRESULT __stdcall PluginClosed(std::int64_t cookie) = 0;
    virtual HRESULT __stdcall Reserved12() = 0;
    // 13: the host writes its folder, zero-terminated, into the 260-byte buffer *buffer.
    virtual HRESULT __stdcall GetHostDirectory(std::int64_t cookie, char** buffer) = 0;
    // 14: the host's face pictures; the table only draws from the list and never frees it.
    virtual HRESULT __stdcall GetFaceImageList(std::int64_t cookie, TImageList** list) = 0;
    virtual HRESULT __stdcall Reserved15() = 0;
    virtual HRESULT __stdcall Reserved16() = 0;
    virtual HRESULT __stdcall Reserved17() = 0;
    // 18: forwards `len` bytes to the game server (to user `toId` when it is not 0).
    virtual HRESULT __stdcall SendData(std::int64_t cookie, std::int64_t toId, std::int32_t len,
                                       const void* buffer) = 0;

protected:
    ~IQXOpenInterfaceReq() = default;
};

// What the table offers the host.
struct IQXOpenInterface : public IUnknown {
    virtual HRESULT __stdcall GetPluginCode(std::int32_t* code) = 0;
    virtual HRESULT __stdcall SetRequestInterface(IQXOpenInterfaceReq* request) = 0;
    virtual HRESULT __stdcall Initialize(std::int64_t cookie, const char* title, const std::int64_t* userId,
                                         const char* nick, std::int32_t extra, std::int32_t reserved1,
                                         std::int32_t reserved2, std::int32_t reserved3) = 0;
    virtual HRESULT __stdcall Reserved3(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                        std::int32_t, std::int32_t) = 0;
    virtual HRESULT __stdcall Reserved4(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                        std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                        std::int32_t) = 0;
    virtual HRESULT __stdcall Reserved5(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                        std::int32_t) = 0;
    virtual HRESULT __stdcall Reserved6(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                        std::int32_t, std::int32_t) = 0;
    virtual HRESULT __stdcall Finalize() = 0;
    virtual HRESULT __stdcall ShowPluginWindow(std::int32_t mode) = 0;
    virtual HRESULT __stdcall UpdateUserName(const std::int64_t* userId, const char* name,
                                             std::int32_t value) = 0;
    virtual HRESULT __stdcall Reserved10(std::int32_t, std::int32_t, std::int32_t) = 0;
    virtual HRESULT __stdcall ShowSystemText(std::int32_t len, const char* text) = 0;
    virtual HRESULT __stdcall PostCommand(std::int32_t len, const char* data) = 0;

protected:
    ~IQXOpenInterface() = default;
};

// A hall calls both interfaces by slot number with 32-bit COM's convention: arguments on the stack,
// `this` first, and the callee removing them. On 32-bit Windows the convention is part of a member
// function's type, so each slot's type is pinned here; a slot that lost its __stdcall (GCC's default
// there passes `this` in ECX) or changed an argument would no longer compile. Elsewhere __stdcall is
// empty and only the signatures are pinned. The slots' order is checked where it can be seen, by the
// tests that call them by number.
template <typename TInterface, typename TResult, typename... TArgs>
using TComSlot = TResult (__stdcall TInterface::*)(TArgs...);

static_assert(std::is_same_v<decltype(&IQXOpenInterfaceReq::QueryInterface),
                             TComSlot<IUnknown, HRESULT, REFIID, void**>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterfaceReq::AddRef), TComSlot<IUnknown, ULONG>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterfaceReq::Release), TComSlot<IUnknown, ULONG>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterfaceReq::GetHostTag),
                             TComSlot<IQXOpenInterfaceReq, HRESULT, void*>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved1), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved2), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved3), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved4), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterfaceReq::FilterText),
                             TComSlot<IQXOpenInterfaceReq, HRESULT, std::int64_t, const char*, std::int32_t,
                                      char**, std::int32_t*>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved6), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved7), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Invite),
                   TComSlot<IQXOpenInterfaceReq, HRESULT, std::int64_t, std::int32_t, std::int32_t>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved9), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved10), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterfaceReq::PluginClosed),
                             TComSlot<IQXOpenInterfaceReq, HRESULT, std::int64_t>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved12), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterfaceReq::GetHostDirectory),
                             TComSlot<IQXOpenInterfaceReq, HRESULT, std::int64_t, char**>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterfaceReq::GetFaceImageList),
                             TComSlot<IQXOpenInterfaceReq, HRESULT, std::int64_t, TImageList**>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved15), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved16), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterfaceReq::Reserved17), TComSlot<IQXOpenInterfaceReq, HRESULT>>);
static_assert(std::is_same_v<
              decltype(&IQXOpenInterfaceReq::SendData),
              TComSlot<IQXOpenInterfaceReq, HRESULT, std::int64_t, std::int64_t, std::int32_t, const void*>>);

static_assert(
    std::is_same_v<decltype(&IQXOpenInterface::QueryInterface), TComSlot<IUnknown, HRESULT, REFIID, void**>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::AddRef), TComSlot<IUnknown, ULONG>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::Release), TComSlot<IUnknown, ULONG>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::GetPluginCode),
                             TComSlot<IQXOpenInterface, HRESULT, std::int32_t*>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::SetRequestInterface),
                             TComSlot<IQXOpenInterface, HRESULT, IQXOpenInterfaceReq*>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterface::Initialize),
                   TComSlot<IQXOpenInterface, HRESULT, std::int64_t, const char*, const std::int64_t*,
                            const char*, std::int32_t, std::int32_t, std::int32_t, std::int32_t>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::Reserved3),
                             TComSlot<IQXOpenInterface, HRESULT, std::int32_t, std::int32_t, std::int32_t,
                                      std::int32_t, std::int32_t, std::int32_t, std::int32_t>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::Reserved4),
                             TComSlot<IQXOpenInterface, HRESULT, std::int32_t, std::int32_t, std::int32_t,
                                      std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                      std::int32_t, std::int32_t, std::int32_t>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::Reserved5),
                             TComSlot<IQXOpenInterface, HRESULT, std::int32_t, std::int32_t, std::int32_t,
                                      std::int32_t, std::int32_t, std::int32_t>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::Reserved6),
                             TComSlot<IQXOpenInterface, HRESULT, std::int32_t, std::int32_t, std::int32_t,
                                      std::int32_t, std::int32_t, std::int32_t, std::int32_t>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::Finalize), TComSlot<IQXOpenInterface, HRESULT>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::ShowPluginWindow),
                             TComSlot<IQXOpenInterface, HRESULT, std::int32_t>>);
static_assert(
    std::is_same_v<decltype(&IQXOpenInterface::UpdateUserName),
                   TComSlot<IQXOpenInterface, HRESULT, const std::int64_t*, const char*, std::int32_t>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::Reserved10),
                             TComSlot<IQXOpenInterface, HRESULT, std::int32_t, std::int32_t, std::int32_t>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::ShowSystemText),
                             TComSlot<IQXOpenInterface, HRESULT, std::int32_t, const char*>>);
static_assert(std::is_same_v<decltype(&IQXOpenInterface::PostCommand),
                             TComSlot<IQXOpenInterface, HRESULT, std::int32_t, const char*>>);

} // namespace morvane
