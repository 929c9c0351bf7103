#include "host/tablesim/win/ScreenShot.h"

#include "base/ScopeExit.h"

#include <cstring>

// The system headers come last: their macros would rename the toolkit's names.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace morvane::tablesim {

TBitmap ReadWindowFromScreen(HWND window) {
    RECT bounds{};
    if (!IsWindow(window) || !GetWindowRect(window, &bounds)) return {};
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) return {};
    // Whatever the window still has to paint is painted first.
    UpdateWindow(window);
    GdiFlush();

    HDC screen = GetDC(nullptr);
    if (!screen) return {};
    TScopeExit releaseScreen([screen] { ReleaseDC(nullptr, screen); });
    HDC memory = CreateCompatibleDC(screen);
    if (!memory) return {};
    TScopeExit deleteMemory([memory] { DeleteDC(memory); });
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!target || !bits) return {};
    TScopeExit deleteTarget([target] { DeleteObject(target); });
    HGDIOBJ previous = SelectObject(memory, target);
    const bool copied =
        BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY | CAPTUREBLT) != FALSE;
    GdiFlush();
    SelectObject(memory, previous);
    if (!copied) return {};

    TBitmap shot(width, height);
    for (int y = 0; y < height; ++y)
        std::memcpy(shot.Row32(y),
                    static_cast<const std::uint32_t*>(bits) + std::size_t(y) * std::size_t(width),
                    std::size_t(width) * 4);
    return shot;
}

} // namespace morvane::tablesim
