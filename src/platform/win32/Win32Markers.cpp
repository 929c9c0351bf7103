// The table markers of the Windows platform: hidden top-level windows of one class, captioned with the
// marker's name. FindWindow sees them from every process of the desktop, so a second table for the same
// seat and the hall itself can find a table's marker, and the hall may close it to tell the table to go.
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"

#include <stdexcept>

// The system headers come last: see WinApi.h.
#include "platform/win32/WinApi.h"

namespace morvane {
namespace {

std::wstring MarkerClass() {
    return WideFromGbk(kMarkerWindowClass);
}

// The markers need no behaviour of their own: a close from another program destroys the window, which is
// how the hall takes a marker away.
LRESULT CALLBACK MarkerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

void EnsureMarkerClass(HMODULE module) {
    const std::wstring name = MarkerClass();
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(module, name.c_str(), &existing)) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &MarkerWindowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = name.c_str();
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("the marker window class could not be registered");
}

// Whether the handle still names a marker window of this process: a handle kept after the window was
// closed from outside may since name another window.
bool IsOwnMarker(HWND window) {
    if (!window || !IsWindow(window)) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return false;
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    return MarkerClass() == className;
}

HWND FindMarker(const std::string& name) {
    return FindWindowW(MarkerClass().c_str(), WideFromGbk(name).c_str());
}

} // namespace

void TWin32Platform::TWindowDestroyer::operator()(HWND__* window) const {
    if (IsOwnMarker(window)) DestroyWindow(window);
}

bool TWin32Platform::ClaimMarker(const std::string& name) {
    if (MarkerIntact(name) || FindMarker(name)) return false;
    markers_.erase(name); // a window of ours that was closed from outside
    EnsureMarkerClass(module_);
    // A plain hidden pop-up, not a message-only window: FindWindow does not see those.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, MarkerClass().c_str(), WideFromGbk(name).c_str(),
                                  WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module_, nullptr);
    // Without a marker the table cannot prove it is alone: it counts as a second table.
    if (!window) return false;
    markers_.emplace(name, std::unique_ptr<HWND__, TWindowDestroyer>(window));
    return true;
}

bool TWin32Platform::MarkerIntact(const std::string& name) {
    HWND window = MarkerWindow(name);
    return IsOwnMarker(window) && FindMarker(name) == window;
}

HWND__* TWin32Platform::MarkerWindow(const std::string& name) const {
    const auto found = markers_.find(name);
    return found == markers_.end() ? nullptr : found->second.get();
}

void TWin32Platform::ReleaseMarker(const std::string& name) {
    markers_.erase(name);
}

void TWin32Platform::ReleaseAllMarkers() {
    markers_.clear();
    UnregisterClassW(MarkerClass().c_str(), module_);
}

} // namespace morvane
