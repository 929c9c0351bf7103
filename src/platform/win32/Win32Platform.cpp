#include "platform/win32/Win32Platform.h"

#include "gui/Application.h"
#include "gui/Region.h"
#include "platform/WindowScale.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

// The system headers come last: see WinApi.h.
#include "platform/win32/GdiObject.h"
#include "platform/win32/ServiceMessages.h"
#include "platform/win32/WinApi.h"

namespace morvane {
namespace {

constexpr wchar_t kTopWindowClass[] = L"MorvaneTopWindow";
constexpr wchar_t kServiceWindowClass[] = L"MorvaneServiceWindow";

// A move of the window following the mouse, as a click on a caption starts it.
constexpr WPARAM kDragMove = SC_MOVE | HTCAPTION;

// Finds the module that holds this code: inside the table's DLL that is the DLL, not the host program.
HMODULE ModuleOfThisCode() {
    static const int anchor = 0; // any address inside this module
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&anchor), &module);
    return module;
}

// Registers the class unless it exists. A class goes away when the last platform that used it does (see
// the destructor), so each window creation makes sure of it again.
void EnsureWindowClass(HMODULE module, const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(module, name, &existing)) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = module;
    windowClass.hCursor = nullptr; // set on WM_SETCURSOR from the window's cursor slot
    windowClass.lpszClassName = name;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("the window class could not be registered");
}

TShiftState KeyboardShift() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

// The shift state of a mouse message from its MK_ flags.
TShiftState MouseShift(WPARAM flags) {
    TShiftState shift = KeyboardShift();
    if (flags & MK_LBUTTON) shift |= ssLeft;
    if (flags & MK_RBUTTON) shift |= ssRight;
    if (flags & MK_MBUTTON) shift |= ssMiddle;
    return shift;
}

bool AnyButtonHeld(WPARAM flags) {
    return (flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
}

TPoint PointOf(LPARAM lParam) {
    return {short(LOWORD(lParam)), short(HIWORD(lParam))};
}

TRect RectOf(const RECT& r) {
    return {int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

// A window's rectangle on the screen as the toolkit counts it: the frame pixel its corner shows, and its
// frame's size.
TRect FrameBoundsOf(const RECT& r, int scale) {
    return Bounds(FrameCoordinate(int(r.left), scale), FrameCoordinate(int(r.top), scale),
                  int(r.right - r.left) / scale, int(r.bottom - r.top) / scale);
}

// Sent when a window moves to a screen of another density (Windows 8.1 on).
constexpr UINT kDpiChangedMessage = 0x02E0;

// Dots per inch of the screen a window is on: its own when the system can tell (Windows 10 on),
// else the screen's.
int DpiOf(HWND window) {
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<TGetDpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window && getDpiForWindow)
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) return int(dpi);
    TWindowDC screen(nullptr);
    return screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : kBaseDpi;
}

TRect Union(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

BITMAPINFO TopDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A region of the window's own coordinates made of the rectangles of a TRegion.
TGdiObject<HRGN> RegionFromRects(const TRegion& region) {
    const std::vector<TRect>& rects = region.Rects();
    if (rects.empty()) return TGdiObject<HRGN>(CreateRectRgn(0, 0, 0, 0));
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = DWORD(rects.size());
    header.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    TRect bounds = region.Bounds();
    header.rcBound = RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
    std::memcpy(data.data(), &header, sizeof(header));
    for (std::size_t i = 0; i < rects.size(); ++i) {
        RECT r{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
        std::memcpy(data.data() + sizeof(header) + i * sizeof(RECT), &r, sizeof(r));
    }
    return TGdiObject<HRGN>(
        ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

// What a cross-thread call hands to the UI thread: the task, and what went wrong running it.
struct TSyncCall {
    const std::function<void()>* task{nullptr};
    std::exception_ptr error;
};

} // namespace

// The window procedures: they find the platform through the window's user data and hand it the message.
struct TWin32MessageRouter {
    static TWin32Platform* PlatformOf(HWND hwnd, UINT msg, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        return reinterpret_cast<TWin32Platform*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }

    static LRESULT CALLBACK TopWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        TWin32Platform* platform = PlatformOf(hwnd, msg, lParam);
        TWin32Platform::Window* window = platform ? platform->FindByHandle(hwnd) : nullptr;
        if (!window) return DefWindowProcW(hwnd, msg, wParam, lParam);
        LRESULT result = 0;
        bool handled = false;
        platform->Guarded(
            [&] { handled = TopWindowMessage(*platform, *window, msg, wParam, lParam, result); });
        return handled ? result : DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    static LRESULT CALLBACK ServiceWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        TWin32Platform* platform = PlatformOf(hwnd, msg, lParam);
        if (!platform) return DefWindowProcW(hwnd, msg, wParam, lParam);
        switch (msg) {
        case kRunTaskMessage:
            platform->Guarded([platform] { platform->RunNextTask(); });
            return 0;
        case kSendSyncMessage: {
            // The caller waits in SendMessage and receives any exception itself.
            auto* call = reinterpret_cast<TSyncCall*>(lParam);
            try {
                RunAsHandler(*call->task);
            } catch (...) {
                call->error = std::current_exception();
            }
            // A sent message is handled inside GetMessage, which then goes on waiting; a loop waiting
            // for what the call changed must get to look at it.
            PostMessageW(hwnd, kWakeMessage, 0, 0);
            return 0;
        }
        case kWakeMessage:
            return 0;
        case WM_TIMER:
            platform->Guarded([platform, wParam] { platform->RunTimer(wParam); });
            return 0;
        case WM_HOTKEY:
            platform->Guarded([platform, wParam] { platform->RunHotKey(int(wParam)); });
            return 0;
        case kTrayMessage:
            platform->Guarded(
                [platform, lParam] { platform->RunTrayMessage(std::uintptr_t(LOWORD(lParam))); });
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
    }

    static void MouseButton(TWin32Platform& platform, TWin32Platform::Window& window, TMouseButton button,
                            bool down, WPARAM wParam, LPARAM lParam) {
        HWND hwnd = window.handle;
        if (down && GetCapture() != hwnd) {
            // Keep the mouse while a button is held, so that the release reaches the control that was
            // pressed even outside the window.
            ::SetCapture(hwnd);
            window.pressCapture = true;
        }
        const TPoint at = FramePointOf(PointOf(lParam), window.surface.Scale());
        if (down)
            window.client->WindowMouseDown(button, MouseShift(wParam), at);
        else
            window.client->WindowMouseUp(button, MouseShift(wParam), at);
        // The click may have closed and freed the form, and its window with it.
        TWin32Platform::Window* still = platform.FindByHandle(hwnd);
        if (!down && still && still->pressCapture && !AnyButtonHeld(wParam) && GetCapture() == hwnd) {
            still->pressCapture = false;
            ::ReleaseCapture();
        }
    }

    static void MouseMove(TWin32Platform::Window& window, WPARAM wParam, LPARAM lParam) {
        if (!window.trackingLeave) {
            TRACKMOUSEEVENT track{};
            track.cbSize = sizeof(track);
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = window.handle;
            window.trackingLeave = TrackMouseEvent(&track) != FALSE;
        }
        window.client->WindowMouseMove(MouseShift(wParam),
                                       FramePointOf(PointOf(lParam), window.surface.Scale()));
    }

    static void Wheel(TWin32Platform::Window& window, WPARAM wParam, LPARAM lParam) {
        POINT at{short(LOWORD(lParam)), short(HIWORD(lParam))}; // screen coordinates for this message
        ScreenToClient(window.handle, &at);
        window.client->WindowMouseWheel(MouseShift(GET_KEYSTATE_WPARAM(wParam)),
                                        GET_WHEEL_DELTA_WPARAM(wParam),
                                        FramePointOf({int(at.x), int(at.y)}, window.surface.Scale()));
    }

    // One UTF-16 unit of typed text; a character outside the basic plane comes in two.
    static void Character(TWin32Platform::Window& window, wchar_t unit) {
        if (unit >= 0xD800 && unit < 0xDC00) {
            window.pendingSurrogate = unit;
            return;
        }
        std::wstring text;
        if (unit >= 0xDC00 && unit < 0xE000 && window.pendingSurrogate) text += window.pendingSurrogate;
        window.pendingSurrogate = 0;
        text += unit;
        std::string gbk = GbkFromWide(text);
        if (!gbk.empty()) window.client->WindowChar(gbk);
    }

    static void Paint(TWin32Platform& platform, TWin32Platform::Window& window) {
        HWND hwnd = window.handle;
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(hwnd, &paint);
        TRect dirty = RectOf(paint.rcPaint);
        platform.painting_ = &window;
        window.presentedInPaint = {};
        try {
            if (!dirty.IsEmpty())
                window.client->WindowPaint(FrameRectCovering(dirty, window.surface.Scale()));
        } catch (...) {
            platform.painting_ = nullptr;
            EndPaint(hwnd, &paint);
            throw;
        }
        // Unless the window went away while it painted, show what the system asked for and whatever else
        // the form presented meanwhile.
        if (platform.painting_ == &window) {
            platform.painting_ = nullptr;
            platform.BlitScreen(window, dc, Union(dirty, window.presentedInPaint));
        }
        EndPaint(hwnd, &paint);
    }

    static void Moved(TWin32Platform& platform, TWin32Platform::Window& window, const WINDOWPOS& position) {
        if (platform.movingWindow_ || (position.flags & SWP_NOMOVE)) return;
        RECT r{};
        GetWindowRect(window.handle, &r);
        window.client->WindowMoved(FrameBoundsOf(r, window.surface.Scale()));
    }

    static bool TopWindowMessage(TWin32Platform& platform, TWin32Platform::Window& window, UINT msg,
                                 WPARAM wParam, LPARAM lParam, LRESULT& result) {
        IWindowClient& client = *window.client;
        switch (msg) {
        case WM_PAINT:
            Paint(platform, window);
            return true;
        case WM_ERASEBKGND:
            result = 1; // the paint covers everything; erasing first would only flicker
            return true;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            MouseButton(platform, window, TMouseButton::mbLeft, msg == WM_LBUTTONDOWN, wParam, lParam);
            return true;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            MouseButton(platform, window, TMouseButton::mbRight, msg == WM_RBUTTONDOWN, wParam, lParam);
            return true;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            MouseButton(platform, window, TMouseButton::mbMiddle, msg == WM_MBUTTONDOWN, wParam, lParam);
            return true;
        case WM_MOUSEMOVE:
            MouseMove(window, wParam, lParam);
            return true;
        case WM_MOUSELEAVE:
            window.trackingLeave = false;
            client.WindowMouseLeave();
            return true;
        case WM_MOUSEWHEEL:
            Wheel(window, wParam, lParam);
            return true;
        case WM_CAPTURECHANGED:
            window.pressCapture = false;
            return false;
        case WM_KEYDOWN:
            client.WindowKeyDown(TKey(wParam), KeyboardShift());
            return true;
        case WM_KEYUP:
            client.WindowKeyUp(TKey(wParam), KeyboardShift());
            return true;
        case WM_SYSKEYDOWN:
            // Reported, and left to the system as well (Alt+F4 asks to close).
            client.WindowKeyDown(TKey(wParam), KeyboardShift());
            return false;
        case WM_SYSKEYUP:
            client.WindowKeyUp(TKey(wParam), KeyboardShift());
            return false;
        case WM_CHAR:
            Character(window, wchar_t(wParam));
            return true;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) return false;
            ::SetCursor(platform.CursorFor(window.cursor));
            result = TRUE;
            return true;
        case WM_CLOSE:
            client.WindowCloseRequest();
            return true;
        case WM_ACTIVATE:
            client.WindowActivated(LOWORD(wParam) != WA_INACTIVE);
            return false;
        case WM_WINDOWPOSCHANGED:
            Moved(platform, window, *reinterpret_cast<const WINDOWPOS*>(lParam));
            return false;
        case kDpiChangedMessage:
            // The window keeps its frame's size in the toolkit's positions, shown at the new screen's factor.
            platform.ApplyScale(window, platform.ScaleFor(window.handle));
            return true;
        default:
            return false;
        }
    }
};

// [Life]

TWin32Platform::TWin32Platform() : module_(ModuleOfThisCode()), uiThread_(std::this_thread::get_id()) {
    EnsureWindowClass(module_, kServiceWindowClass, &TWin32MessageRouter::ServiceWindowProc);
    service_ =
        CreateWindowExW(0, kServiceWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module_, this);
    if (!service_) throw std::runtime_error("the platform's service window could not be created");
}

TWin32Platform::~TWin32Platform() {
    RemoveTrayIcon();
    while (!hotKeys_.empty())
        UnregisterHotKey(hotKeys_.front().window, hotKeys_.front().id);
    while (!timers_.empty())
        StopTimer(timers_.begin()->first);
    while (!windows_.empty())
        DestroyTopWindow(windows_.begin()->first);
    ReleaseAllMarkers();
    DestroyWindow(service_);
    // A DLL that is unloaded must not leave classes behind that point into it. While another platform
    // of the process still has windows of a class, the system refuses, which is what is wanted.
    UnregisterClassW(kTopWindowClass, module_);
    UnregisterClassW(kServiceWindowClass, module_);
}

// [Time and messages]

std::uint32_t TWin32Platform::TickCount() {
    return GetTickCount();
}

std::uint32_t TWin32Platform::DoubleClickTime() {
    return GetDoubleClickTime();
}

TTimerId TWin32Platform::StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
    TTimerId id = nextTimer_++;
    if (!SetTimer(service_, id, std::max<UINT>(USER_TIMER_MINIMUM, intervalMs), nullptr))
        throw std::runtime_error("the system has no timer left");
    timers_[id] = std::move(onTick);
    return id;
}

void TWin32Platform::StopTimer(TTimerId timer) {
    if (timers_.erase(timer)) KillTimer(service_, timer);
}

void TWin32Platform::RunTimer(std::uintptr_t id) {
    auto it = timers_.find(TTimerId(id));
    if (it == timers_.end()) return;
    // A copy: the handler may stop or restart its own timer.
    std::function<void()> onTick = it->second;
    onTick();
}

void TWin32Platform::Post(std::function<void()> task) {
    std::lock_guard lock(taskMutex_);
    tasks_.push_back(std::move(task));
    if (!PostMessageW(service_, kRunTaskMessage, 0, 0)) ++missedWakeUps_;
}

void TWin32Platform::RunNextTask() {
    std::size_t count = 0;
    {
        std::lock_guard lock(taskMutex_);
        count = 1 + std::exchange(missedWakeUps_, 0);
    }
    for (; count > 0; --count) {
        std::function<void()> task;
        {
            std::lock_guard lock(taskMutex_);
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

void TWin32Platform::SendSync(const std::function<void()>& task) {
    if (std::this_thread::get_id() == uiThread_) {
        task();
        return;
    }
    TSyncCall call{&task, nullptr};
    SendMessageW(service_, kSendSyncMessage, 0, reinterpret_cast<LPARAM>(&call));
    if (call.error) std::rethrow_exception(call.error);
}

bool TWin32Platform::ProcessOneMessage(bool wait) {
    MSG msg{};
    if (wait) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            // A quit request belongs to the outermost loop: leave it for that one.
            if (msg.message == WM_QUIT) PostQuitMessage(int(msg.wParam));
            return false;
        }
    } else if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    } else if (msg.message == WM_QUIT) {
        PostQuitMessage(int(msg.wParam));
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    RethrowPending();
    return true;
}

void TWin32Platform::Guarded(const std::function<void()>& handler) {
    try {
        RunAsHandler(handler);
    } catch (...) {
        if (!pendingError_) pendingError_ = std::current_exception();
    }
}

void TWin32Platform::RethrowPending() {
    if (!pendingError_) return;
    std::exception_ptr error = std::exchange(pendingError_, nullptr);
    std::rethrow_exception(error);
}

// [Windows]

TWin32Platform::Window* TWin32Platform::Find(TWindowId window) {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : it->second.get();
}

const TWin32Platform::Window* TWin32Platform::Find(TWindowId window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : it->second.get();
}

TWin32Platform::Window* TWin32Platform::FindByHandle(HWND handle) {
    for (auto& [id, window] : windows_)
        if (window->handle == handle) return window.get();
    return nullptr;
}

HWND TWin32Platform::WindowHandle(TWindowId window) const {
    const Window* w = Find(window);
    return w ? w->handle : nullptr;
}

TWindowId TWin32Platform::CreateTopWindow(IWindowClient& client, const TRect& bounds, bool topMost) {
    EnsureWindowClass(module_, kTopWindowClass, &TWin32MessageRouter::TopWindowProc);
    HWND handle =
        CreateWindowExW(topMost ? WS_EX_TOPMOST : 0, kTopWindowClass, L"", WS_POPUP, bounds.left, bounds.top,
                        bounds.Width(), bounds.Height(), nullptr, nullptr, module_, this);
    if (!handle) throw std::runtime_error("a window could not be created");
    auto window = std::make_unique<Window>();
    window->id = nextWindow_++;
    window->client = &client;
    window->handle = handle;
    window->surface.Resize(bounds.Width(), bounds.Height());
    TWindowId id = window->id;
    Window& made = *windows_.emplace(id, std::move(window)).first->second;
    ApplyScale(made, ScaleFor(handle));
    return id;
}

void TWin32Platform::DestroyTopWindow(TWindowId window) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return;
    // Forgotten first: what the system sends while the window goes (deactivation, capture) must not
    // reach a client that is itself going away.
    std::unique_ptr<Window> gone = std::move(it->second);
    windows_.erase(it);
    if (painting_ == gone.get()) painting_ = nullptr;
    DestroyWindow(gone->handle);
    // The system drops a window's hot keys with it.
    DropHotKeys(window);
}

void TWin32Platform::ShowTopWindow(TWindowId window, bool show, bool activate) {
    if (Window* w = Find(window))
        ShowWindow(w->handle, !show ? SW_HIDE : activate ? SW_SHOW : SW_SHOWNOACTIVATE);
}

void TWin32Platform::SetWindowBounds(TWindowId window, const TRect& bounds) {
    Window* w = Find(window);
    if (!w) return;
    const int scale = w->surface.Scale();
    RECT now{};
    GetWindowRect(w->handle, &now);
    // A window the system placed between two frame pixels stays where it is unless it is really moved.
    const int left =
        FrameCoordinate(int(now.left), scale) == bounds.left ? int(now.left) : bounds.left * scale;
    const int top = FrameCoordinate(int(now.top), scale) == bounds.top ? int(now.top) : bounds.top * scale;
    movingWindow_ = true;
    SetWindowPos(w->handle, nullptr, left, top, bounds.Width() * scale, bounds.Height() * scale,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    movingWindow_ = false;
}

TRect TWin32Platform::WindowBounds(TWindowId window) {
    Window* w = Find(window);
    RECT r{};
    if (!w || !GetWindowRect(w->handle, &r)) return {};
    return FrameBoundsOf(r, w->surface.Scale());
}

int TWin32Platform::ScaleFor(HWND handle) const {
    return EffectiveScale(scalePreference_, ScreenFactorOfDpi(DpiOf(handle)));
}

int TWin32Platform::ScreenScale() const {
    return EffectiveScale(scalePreference_, ScreenFactorOfDpi(DpiOf(nullptr)));
}

void TWin32Platform::SetScalePreference(int preference) {
    scalePreference_ = preference;
    for (auto& [id, window] : windows_)
        ApplyScale(*window, ScaleFor(window->handle));
}

int TWin32Platform::WindowScale(TWindowId window) {
    const Window* w = Find(window);
    return w ? w->surface.Scale() : 1;
}

void TWin32Platform::ApplyScale(Window& window, int scale) {
    if (window.surface.Scale() == scale) return;
    RECT now{};
    GetWindowRect(window.handle, &now);
    const TRect bounds = FrameBoundsOf(now, window.surface.Scale());
    window.surface.Rescale(scale);
    movingWindow_ = true;
    SetWindowPos(window.handle, nullptr, bounds.left * scale, bounds.top * scale, bounds.Width() * scale,
                 bounds.Height() * scale, SWP_NOZORDER | SWP_NOACTIVATE);
    movingWindow_ = false;
    ApplyRegion(window);
    InvalidateRect(window.handle, nullptr, FALSE);
}

void TWin32Platform::ApplyRegion(const Window& window) {
    if (!window.frameRegion) {
        SetWindowRgn(window.handle, nullptr, TRUE);
        return;
    }
    TGdiObject<HRGN> shape = RegionFromRects(ScaledRegion(*window.frameRegion, window.surface.Scale()));
    // The system owns the region once it has taken it.
    if (shape && SetWindowRgn(window.handle, shape.Get(), TRUE)) shape.Release();
}

void TWin32Platform::SetWindowCaption(TWindowId window, const std::string& caption) {
    if (Window* w = Find(window)) SetWindowTextW(w->handle, WideFromGbk(caption).c_str());
}

void TWin32Platform::SetWindowTopMost(TWindowId window, bool topMost) {
    if (Window* w = Find(window))
        SetWindowPos(w->handle, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWin32Platform::BringWindowToFront(TWindowId window) {
    if (Window* w = Find(window))
        SetWindowPos(w->handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWin32Platform::SetWindowRegion(TWindowId window, const TRegion* region) {
    Window* w = Find(window);
    if (!w) return;
    if (region)
        w->frameRegion = *region;
    else
        w->frameRegion.reset();
    ApplyRegion(*w);
}

void TWin32Platform::MinimizeWindow(TWindowId window, bool minimize) {
    if (Window* w = Find(window)) ShowWindow(w->handle, minimize ? SW_MINIMIZE : SW_RESTORE);
}

void TWin32Platform::FlashWindow(TWindowId window) {
    if (Window* w = Find(window)) ::FlashWindow(w->handle, TRUE);
}

void TWin32Platform::TIconDestroyer::operator()(HICON__* icon) const {
    DestroyIcon(icon);
}

namespace {

// The icon's colour image as a 32-bit section whose alpha is 0 throughout, so the system draws it through
// the mask.
TGdiObject<HBITMAP> IconColourBitmap(const TBitmap& colour) {
    BITMAPINFO info = TopDownInfo(colour.Width(), colour.Height());
    void* bits = nullptr;
    TGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return bitmap;
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < colour.Height(); ++y)
        for (int x = 0; x < colour.Width(); ++x) {
            const TColor c = colour.Pixel(x, y);
            *out++ = (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
        }
    return bitmap;
}

// The AND mask as a monochrome bitmap: a set bit where the mask is white (the screen shows through).
TGdiObject<HBITMAP> IconMaskBitmap(const TBitmap& mask, int width, int height) {
    const int stride = ((width + 15) / 16) * 2; // monochrome rows are padded to 16 bits
    std::vector<std::uint8_t> bits(std::size_t(stride) * std::size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((mask.Pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                bits[std::size_t(y) * std::size_t(stride) + std::size_t(x / 8)] |=
                    std::uint8_t(0x80 >> (x % 8));
    return TGdiObject<HBITMAP>(CreateBitmap(width, height, 1, 1, bits.data()));
}

} // namespace

void TWin32Platform::SetWindowIcon(TWindowId window, const TBitmap& colour, const TBitmap& mask) {
    Window* w = Find(window);
    if (!w) return;
    std::unique_ptr<HICON__, TIconDestroyer> icon;
    if (!colour.Empty()) {
        TGdiObject<HBITMAP> colourBits = IconColourBitmap(colour);
        TGdiObject<HBITMAP> maskBits = IconMaskBitmap(mask, colour.Width(), colour.Height());
        ICONINFO info{};
        info.fIcon = TRUE;
        info.hbmColor = colourBits.Get();
        info.hbmMask = maskBits.Get();
        if (colourBits && maskBits) icon.reset(CreateIconIndirect(&info));
        if (!icon) return; // the window keeps the icon it had
    }
    SendMessageW(w->handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
    SendMessageW(w->handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
    w->icon = std::move(icon);
}

TWindowId TWin32Platform::ActiveWindow() {
    const Window* w = FindByHandle(GetActiveWindow());
    return w ? w->id : 0;
}

TPoint TWin32Platform::CursorPos() {
    POINT p{};
    if (!GetCursorPos(&p)) return {};
    return FramePointOf({int(p.x), int(p.y)}, ScreenScale());
}

void TWin32Platform::InvalidateWindow(TWindowId window, const TRect& rect) {
    Window* w = Find(window);
    if (!w || rect.IsEmpty()) return;
    const TRect onScreen = ScaledRect(rect, w->surface.Scale());
    RECT r{onScreen.left, onScreen.top, onScreen.right, onScreen.bottom};
    InvalidateRect(w->handle, &r, FALSE);
}

void TWin32Platform::PresentWindow(TWindowId window, const TBitmap& framebuffer, const TRect& rect) {
    Window* w = Find(window);
    if (!w || framebuffer.PixelFormat() != TPixelFormat::pf32bit) return;
    const TRect presented = rect.Intersect({0, 0, framebuffer.Width(), framebuffer.Height()});
    if (presented.IsEmpty()) return;
    w->surface.Present(framebuffer, presented);
    const TRect r = ScaledRect(presented, w->surface.Scale());
    // Inside a paint everything is blitted once at its end.
    if (painting_ == w) {
        w->presentedInPaint = Union(w->presentedInPaint, r);
        return;
    }
    TWindowDC dc(w->handle);
    if (dc.Get()) BlitScreen(*w, dc.Get(), r);
}

void TWin32Platform::BlitScreen(const Window& window, HDC dc, const TRect& rect) {
    const TBitmap& screen = window.surface.Screen();
    TRect r = rect.Intersect({0, 0, screen.Width(), screen.Height()});
    if (r.IsEmpty()) return;
    // The source is described as just the rows of the rectangle, starting at its first row, so the source
    // origin is (left, 0) whichever way an implementation counts rows of a top-down picture.
    BITMAPINFO info = TopDownInfo(screen.Width(), r.Height());
    StretchDIBits(dc, r.left, r.top, r.Width(), r.Height(), r.left, 0, r.Width(), r.Height(),
                  screen.Row32(r.top), &info, DIB_RGB_COLORS, SRCCOPY);
}

void TWin32Platform::SetCapture(TWindowId window) {
    if (Window* w = Find(window)) {
        w->pressCapture = false; // the toolkit's own capture lasts until it releases it
        ::SetCapture(w->handle);
    }
}

void TWin32Platform::ReleaseCapture() {
    ::ReleaseCapture();
}

void TWin32Platform::BeginWindowDrag(TWindowId window) {
    Window* w = Find(window);
    if (!w) return;
    // The system's move loop takes the mouse from here on; it returns when the button is released.
    ::ReleaseCapture();
    SendMessageW(w->handle, WM_SYSCOMMAND, kDragMove, 0);
}

// [Cursors]

HCURSOR TWin32Platform::CursorFor(int slot) {
    if (slot != 0 && cursorLoader_)
        if (HCURSOR cursor = cursorLoader_(slot)) return cursor;
    return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
}

void TWin32Platform::ApplyCursor(const Window& window) {
    POINT at{};
    if (!GetCursorPos(&at)) return;
    if (GetCapture() == window.handle || WindowFromPoint(at) == window.handle)
        ::SetCursor(CursorFor(window.cursor));
}

void TWin32Platform::SetCursorShape(TWindowId window, int cursor) {
    Window* w = Find(window);
    if (!w || w->cursor == cursor) return;
    w->cursor = cursor;
    ApplyCursor(*w);
}

} // namespace morvane
