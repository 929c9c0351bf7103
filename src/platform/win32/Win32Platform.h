#pragma once

#include "gui/Bitmap.h"
#include "gui/Region.h"
#include "platform/Platform.h"
#include "platform/WindowScale.h"
#include "platform/win32/GdiTextEngine.h"

#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// System handles, declared as the Windows headers declare them, so that this header does not need them.
struct HWND__;
struct HINSTANCE__;
struct HICON__;
struct HDC__;

namespace morvane {

// The platform on Windows: one frameless pop-up window per top-level window, whose framebuffer is kept
// in a copy of what was presented, enlarged to the window's scale, and blitted as a top-down DIB when the
// system asks for paint; timers, posted tasks, cross-thread calls, hot keys and the notification icon go
// through a hidden service window of the UI thread (the thread that creates the platform).
class TWin32Platform : public TPlatform {
public:
    TWin32Platform();
    ~TWin32Platform() override;
    TWin32Platform(const TWin32Platform&) = delete;
    TWin32Platform& operator=(const TWin32Platform&) = delete;

    // [Setup]
    // Turns a cursor slot other than the arrow into a system cursor; the loader keeps owning what it
    // returns. Without a loader, or when it returns nullptr, the arrow shows.
    using TCursorLoader = std::function<HICON__*(int slot)>;
    void SetCursorLoader(TCursorLoader loader) { cursorLoader_ = std::move(loader); }
    // Where resources come from when the module has no RCDATA resource of that name.
    void SetResourceProvider(std::function<std::span<const std::uint8_t>(const std::string&)> provider) {
        resourceProvider_ = std::move(provider);
    }

    // The system window of a top-level window (nullptr for an unknown one), for the host glue and tests.
    HWND__* WindowHandle(TWindowId window) const;
    // The module the platform's code was loaded from: the DLL itself, not the program that loaded it.
    HINSTANCE__* Module() const { return module_; }

    // [TWindowSystem]
    std::uint32_t TickCount() override;
    TWindowId CreateTopWindow(IWindowClient& client, const TRect& bounds, bool topMost) override;
    void DestroyTopWindow(TWindowId window) override;
    void ShowTopWindow(TWindowId window, bool show, bool activate) override;
    void SetWindowBounds(TWindowId window, const TRect& bounds) override;
    TRect WindowBounds(TWindowId window) override;
    void SetWindowCaption(TWindowId window, const std::string& caption) override;
    void SetWindowTopMost(TWindowId window, bool topMost) override;
    void BringWindowToFront(TWindowId window) override;
    void SetWindowRegion(TWindowId window, const TRegion* region) override;
    void MinimizeWindow(TWindowId window, bool minimize) override;
    void FlashWindow(TWindowId window) override;
    void SetWindowIcon(TWindowId window, const TBitmap& colour, const TBitmap& mask) override;
    TWindowId ActiveWindow() override;
    TPoint CursorPos() override;
    void InvalidateWindow(TWindowId window, const TRect& rect) override;
    void PresentWindow(TWindowId window, const TBitmap& framebuffer, const TRect& rect) override;
    void SetCapture(TWindowId window) override;
    void ReleaseCapture() override;
    void SetCursorShape(TWindowId window, int cursor) override;
    void BeginWindowDrag(TWindowId window) override;
    // 0 follows each window's screen: its dots per inch over 96, rounded down, from 1 to 3.
    void SetScalePreference(int preference) override;
    int WindowScale(TWindowId window) override;
    TTimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
    void StopTimer(TTimerId timer) override;
    void Post(std::function<void()> task) override;
    void SendSync(const std::function<void()>& task) override;
    bool ProcessOneMessage(bool wait) override;
    std::uint32_t DoubleClickTime() override;
    TTextEngine& TextEngine() override { return text_; }

    // [TPlatform]
    int MciSendString(const std::string& command) override;
    void ShellOpen(const std::string& address) override;
    // The system holds each combination of keys once, on the service window, under an id of its own;
    // the windows that asked for it take turns behind that registration.
    bool RegisterHotKey(TWindowId window, int id, std::uint32_t modifiers, TKey key,
                        std::function<void()> onPressed) override;
    void UnregisterHotKey(TWindowId window, int id) override;
    void ShowTrayIcon(const std::string& tip, std::function<void()> onClick) override;
    void RemoveTrayIcon() override;
    TForeignWindow FindWindowByCaption(const std::string& caption) override;
    TForeignWindow WindowOwner(TForeignWindow window) override;
    void MinimizeForeignWindow(TForeignWindow window) override;
    void ShowForeignWindow(TForeignWindow window, bool show) override;
    TBitmap CopyScreen(const TRect& rect) override;
    TRect ScreenWorkArea() override;
    TDisplayMode DisplayMode() override;
    bool ChangeDisplayMode(const TDisplayMode& mode) override;
    bool AdapterAddress(std::array<std::uint8_t, 6>& address) override;
    std::string LibraryFolder() override;
    std::string ModuleFileName() override;
    const TFileVersionInfomation& VersionRecord() override;
    std::span<const std::uint8_t> Resource(const std::string& name) override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& gbkText) override;
    bool FileExists(const std::string& systemPath) override;
    int MessageBox(TWindowId owner, const std::string& caption, const std::string& text,
                   std::uint32_t buttons) override;
    void EndMessageBoxes(TWindowId owner) override;
    // Markers are hidden windows of class kMarkerWindowClass captioned with the name: other tables and
    // the hall find them with FindWindow and may close them; the system destroys them with the process.
    bool ClaimMarker(const std::string& name) override;
    bool MarkerIntact(const std::string& name) override;
    void ReleaseMarker(const std::string& name) override;
    // The marker window this platform holds under the name, nullptr when none.
    HWND__* MarkerWindow(const std::string& name) const;

private:
    struct TWindowDestroyer {
        void operator()(HWND__* window) const;
    };

    // The window procedures reach the handlers below through it.
    friend struct TWin32MessageRouter;

    struct TIconDestroyer {
        void operator()(HICON__* icon) const;
    };

    struct Window {
        TWindowId id{0};
        IWindowClient* client{nullptr};
        HWND__* handle{nullptr};
        // What the framebuffer presented, shown at the window's factor: the system's paint requests are
        // answered from its screen pixels.
        TScaledSurface surface;
        // The shape as the toolkit gave it; the system holds it scaled.
        std::optional<TRegion> frameRegion;
        // The screen pixels the client presented during the paint under way.
        TRect presentedInPaint{};
        int cursor{0};
        bool trackingLeave{false};
        // The mouse was captured on a press by the platform itself and is released with the last button.
        bool pressCapture{false};
        // The first half of a character outside the basic plane, waiting for its second half.
        wchar_t pendingSurrogate{0};
        // Destroyed after the window, which may still show it until then.
        std::unique_ptr<HICON__, TIconDestroyer> icon;
    };
    struct HotKey {
        TWindowId window{0};
        int id{0};
        std::uint32_t modifiers{0};
        TKey key{0};
        std::function<void()> onPressed;
    };
    // A combination of keys as the system registers it: modifiers and key.
    using THotKeyCombination = std::pair<std::uint32_t, TKey>;

    Window* Find(TWindowId window);
    const Window* Find(TWindowId window) const;
    Window* FindByHandle(HWND__* handle);
    void BlitScreen(const Window& window, HDC__* dc, const TRect& rect);
    // The factor a window is to be shown at on the screen it is on.
    int ScaleFor(HWND__* handle) const;
    // The factor of the positions the toolkit is told (the cursor, the work area): the preference, else
    // the main screen's.
    int ScreenScale() const;
    // Shows the window at `scale`, keeping its place in the toolkit's positions.
    void ApplyScale(Window& window, int scale);
    void ApplyRegion(const Window& window);
    void ApplyCursor(const Window& window);
    HICON__* CursorFor(int slot);
    void RunNextTask();
    void RunTimer(std::uintptr_t id);
    // The system's hot key `systemId` was pressed: the window first in line for it gets it.
    void RunHotKey(int systemId);
    // The id the service window registers a new combination under: the asking window's own when no other
    // combination uses it, so that the system's message carries the number the table chose.
    int FreeSystemHotKeyId(int wanted) const;
    void DropHotKeys(TWindowId window);
    void RunTrayMessage(std::uintptr_t event);
    // Runs a handler inside a window procedure; an exception is kept and thrown again by
    // ProcessOneMessage, never through the system's frames.
    void Guarded(const std::function<void()>& handler);
    void RethrowPending();
    void UpdateTrayIcon(bool add);
    void ReleaseAllMarkers();

    HINSTANCE__* module_{nullptr};
    HWND__* service_{nullptr};
    std::thread::id uiThread_;
    TGdiTextEngine text_;
    std::map<TWindowId, std::unique_ptr<Window>> windows_;
    TWindowId nextWindow_{1};
    // Set while the platform moves a window itself, so that only the system's moves are reported.
    bool movingWindow_{false};
    // The window inside BeginPaint, whose presents are blitted once at the end of the paint.
    Window* painting_{nullptr};
    std::map<TTimerId, std::function<void()>> timers_;
    TTimerId nextTimer_{1};
    std::mutex taskMutex_;
    std::deque<std::function<void()>> tasks_;
    // Tasks whose wake-up message could not be posted (a full queue); run with the next one.
    std::size_t missedWakeUps_{0};
    // In the order of registration: of the registrations of the same keys, the first holds them.
    std::vector<HotKey> hotKeys_;
    std::map<THotKeyCombination, int> systemHotKeys_;
    std::function<void()> trayClick_;
    std::string trayTip_;
    bool trayShown_{false};
    TCursorLoader cursorLoader_;
    std::function<std::span<const std::uint8_t>(const std::string&)> resourceProvider_;
    std::optional<TFileVersionInfomation> version_;
    std::map<std::string, std::unique_ptr<HWND__, TWindowDestroyer>> markers_;
    std::exception_ptr pendingError_;
    int scalePreference_{0};
};

} // namespace morvane
