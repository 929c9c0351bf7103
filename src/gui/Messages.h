#pragma once

#include <cstdint>

namespace morvane {

// A window message as controls receive it: the numbers are the system's, so that the private messages
// of the table (below) and the notices the scroll-bar skin listens to keep their values.
struct TMessage {
    std::uint32_t Msg{0};
    std::intptr_t WParam{0};
    std::intptr_t LParam{0};
    std::intptr_t Result{0};
};

inline constexpr std::uint32_t WM_NULL = 0x0000;
inline constexpr std::uint32_t WM_SIZE = 0x0005;
inline constexpr std::uint32_t WM_ENABLE = 0x000A;
inline constexpr std::uint32_t WM_SETTEXT = 0x000C;
inline constexpr std::uint32_t WM_PAINT = 0x000F;
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
inline constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
inline constexpr std::uint32_t WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr std::uint32_t WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr std::uint32_t WM_NCLBUTTONUP = 0x00A2;
inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
inline constexpr std::uint32_t WM_KEYUP = 0x0101;
inline constexpr std::uint32_t WM_CHAR = 0x0102;
inline constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr std::uint32_t WM_TIMER = 0x0113;
inline constexpr std::uint32_t WM_HSCROLL = 0x0114;
inline constexpr std::uint32_t WM_VSCROLL = 0x0115;
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A;
inline constexpr std::uint32_t WM_MOUSEHOVER = 0x02A1;
inline constexpr std::uint32_t WM_MOUSELEAVE = 0x02A3;
inline constexpr std::uint32_t WM_HOTKEY = 0x0312;
inline constexpr std::uint32_t WM_USER = 0x0400;

// The table's private messages: work one control leaves for later, or for another control, on the one
// thread. Each number is handled by one control only.
// A double click on the user list, handled by the list's panel once the click is over.
inline constexpr std::uint32_t WM_LIST_DBLCLICK = WM_USER + 11; // 1035
// The hub holds a host frame for its form, which decodes it in the form's own thread.
inline constexpr std::uint32_t WM_PLUGIN_COMMAND = WM_USER + 13; // 1037
// The bottom bar's arrows tell the top bar the strip's new first game (first parameter), so that both
// strips scroll together.
inline constexpr std::uint32_t WM_BAR_SCROLL = WM_USER + 101; // 1125
// The chat panel scrolls its view to the end once it sits on its form.
inline constexpr std::uint32_t WM_CHAT_SCROLL = 5120;

inline constexpr std::uint32_t SC_MOVE = 0xF010;
inline constexpr std::uint32_t SC_DRAGMOVE = 0xF012;
inline constexpr std::uint32_t HTHSCROLL = 6;
inline constexpr std::uint32_t HTVSCROLL = 7;

// Notices of the component library, as the scroll-bar skin knows them.
inline constexpr std::uint32_t CM_BASE = 0xB000;
inline constexpr std::uint32_t CM_ENABLEDCHANGED = CM_BASE + 10;
inline constexpr std::uint32_t CM_VISIBLECHANGED = CM_BASE + 11; // 45067
inline constexpr std::uint32_t CM_COLORCHANGED = CM_BASE + 12;   // 45068
inline constexpr std::uint32_t CM_FONTCHANGED = CM_BASE + 13;    // 45069
inline constexpr std::uint32_t CM_MOUSEENTER = CM_BASE + 18;     // 45074
inline constexpr std::uint32_t CM_MOUSELEAVE = CM_BASE + 19;     // 45075
inline constexpr std::uint32_t CM_TEXTCHANGED = CM_BASE + 20;    // 45076
inline constexpr std::uint32_t CM_SHOWINGCHANGED = CM_BASE + 36; // 45092
inline constexpr std::uint32_t CM_CONTROLCHANGE = CM_BASE + 67;  // 45123

} // namespace morvane
