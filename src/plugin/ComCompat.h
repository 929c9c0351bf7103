#pragma once

#include <cstdint>

// The few COM declarations the host interfaces need, with COM's layout: IUnknown's three slots first,
// 32-bit results, 16-byte GUIDs. They are declared here on every platform rather than taken from the
// Windows headers, whose macros (MessageBox, PlaySound, RGB, IDOK, MB_OK, ...) would rename or clash
// with the toolkit's own names; the layout, and so the binary interface, is the same. Windows code that
// also includes the system headers converts pointers between the two declarations.
// __stdcall is the compiler's own keyword on 32-bit Windows and means nothing elsewhere.

#if !defined(_WIN32) && !defined(__stdcall)
#define __stdcall
#endif

namespace morvane {

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;

// The system headers may have defined these as macros already; their values are the same.
#ifndef S_OK
inline constexpr HRESULT S_OK = 0;
#endif
#ifndef S_FALSE
inline constexpr HRESULT S_FALSE = 1;
#endif
#ifndef E_NOINTERFACE
inline constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
#endif
#ifndef E_POINTER
inline constexpr HRESULT E_POINTER = HRESULT(0x80004003u);
#endif
#ifndef E_FAIL
inline constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
#endif
#ifndef E_UNEXPECTED
inline constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFFu);
#endif
#ifndef SUCCEEDED
constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
#endif
#ifndef FAILED
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}
#endif

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
static_assert(sizeof(GUID) == 16);
using IID = GUID;
#ifndef REFIID // a macro of the Windows headers with the same meaning
using REFIID = const IID&;
#endif

inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

inline constexpr IID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct IUnknown {
    virtual HRESULT __stdcall QueryInterface(REFIID riid, void** object) = 0;
    virtual ULONG __stdcall AddRef() = 0;
    virtual ULONG __stdcall Release() = 0;

protected:
    ~IUnknown() = default;
};

} // namespace morvane
