#pragma once

#include "gui/Bitmap.h"
#include "gui/Region.h"
#include "platform/Platform.h"
#include "platform/WindowScale.h"
#include "platform/headless/FreeTypeTextEngine.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace morvane {

// The platform for tests and the replay driver: nothing waits on the wall clock. Time stands still until
// a caller advances it, timers fire in order of their due times as it is advanced, input is scripted, and
// every effect on the outside world (sounds, links, hot keys, the tray icon, window moves, message boxes)
// is written to a log instead.
class THeadlessPlatform : public TPlatform {
public:
    THeadlessPlatform();
    ~THeadlessPlatform() override;

    // [Time]
    // Runs everything that is ready, then moves the clock forward by `ms`, firing every timer that falls due
    // on the way, in order, and running what those timers cause.
    void AdvanceBy(std::uint32_t ms);
    // Runs everything that is ready now without moving the clock.
    void RunUntilIdle();
    // False when advancing the clock by `ms` would run nothing at all: no posted task or cross-thread
    // call waits, no shown window waits for its paint, and no timer falls due within `ms`.
    bool HasWorkWithin(std::uint32_t ms);
    std::uint32_t Now() const { return now_; }

    // [Scripted input] Points are screen pixels, as a mouse gives them (framebuffer pixels times the
    // windows' scale; ScreenPixelOf turns a position the toolkit knows into one); the event goes to the
    // topmost shown window under it.
    // `keys` are the modifier keys held through the press and the release (ssShift, ssCtrl, ssAlt).
    void Click(TPoint at, TMouseButton button = TMouseButton::mbLeft, TShiftState keys = 0);
    void MouseDown(TPoint at, TMouseButton button = TMouseButton::mbLeft, TShiftState keys = 0);
    void MouseUp(TPoint at, TMouseButton button = TMouseButton::mbLeft, TShiftState keys = 0);
    void MouseMove(TPoint at);
    void Wheel(TPoint at, int delta);
    // Keys and characters go to the active window; a key with its modifiers that is a registered hot key
    // is taken by the system first, as PressHotKey, and reaches no window.
    void PressKey(TKey key, TShiftState shift = 0);
    // GBK text typed one character at a time, as an input method hands it over.
    void Type(const std::string& gbkText);
    // Presses a registered system-wide hot key: the window holding it gets it. False when none is held.
    bool PressHotKey(std::uint32_t modifiers, TKey key);
    // A left press on the notification-area icon; false when no icon is shown.
    bool ClickTrayIcon();
    // The answer the next message box gets (IDOK when none is queued).
    void QueueMessageBoxAnswer(int answer) { messageBoxAnswers_.push_back(answer); }

    // [Effects] One line per effect, UTF-8.
    const std::vector<std::string>& Effects() const { return effects_; }
    std::vector<std::string> TakeEffects();
    void SetMciResult(int result) { mciResult_ = result; }

    // [Windows] What the screen shows of a window: the pixels presented so far, at the window's scale.
    const TBitmap* Screenshot(TWindowId window) const;
    bool WriteScreenshot(TWindowId window, const std::string& pngPath) const;
    bool WindowShown(TWindowId window) const;
    std::vector<TWindowId> ShownWindows() const;
    // The icon set on a window (empty when none).
    const TBitmap* WindowIcon(TWindowId window) const;
    int CursorShape(TWindowId window) const;
    const TRegion* WindowRegion(TWindowId window) const;
    std::string WindowCaption(TWindowId window) const;

    // [Other programs' windows] Windows the tests stand in for another program (the hall): found by
    // caption, minimised, hidden and shown through the platform; each effect is logged.
    TForeignWindow AddForeignWindow(const std::string& caption, TForeignWindow owner = 0);
    bool ForeignWindowShown(TForeignWindow window) const;
    bool ForeignWindowMinimized(TForeignWindow window) const;
    bool TrayIconShown() const { return trayShown_; }
    const std::string& TrayTip() const { return trayTip_; }

    // [Setup]
    void SetResourceProvider(std::function<std::span<const std::uint8_t>(const std::string&)> provider) {
        resourceProvider_ = std::move(provider);
    }
    void SetLibraryFolder(const std::string& systemFolder) { libraryFolder_ = systemFolder; }
    void SetAdapterAddress(const std::array<std::uint8_t, 6>& address) { adapter_ = address; }
    void SetDoubleClickTime(std::uint32_t ms) { doubleClickTime_ = ms; }
    // The factor the screen asks windows to be shown at (1 to 3; 1 by default), as a dense screen does.
    void SetScreenFactor(int factor);
    // The factor windows are shown at now: the player's preference, else the screen's.
    int Scale() const;
    // The screen pixel where a point of the toolkit's screen positions is shown.
    TPoint ScreenPixelOf(TPoint at) const { return {at.x * Scale(), at.y * Scale()}; }
    // Moving the clock forward inside one ProcessOneMessage(wait) by more than this is taken as a modal
    // window waiting for input that never comes.
    void SetWaitLimit(std::uint32_t ms) { waitLimit_ = ms; }
    // The folder whose lock files stand for the markers of every process that uses it; empty (the default)
    // keeps this platform's markers within the process.
    void SetMarkerFolder(std::filesystem::path folder) { markerFolder_ = std::move(folder); }
    const std::filesystem::path& MarkerFolder() const { return markerFolder_; }

    // [TWindowSystem]
    std::uint32_t TickCount() override { return now_; }
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
    TWindowId ActiveWindow() override { return activeWindow_; }
    TPoint CursorPos() override;
    void InvalidateWindow(TWindowId window, const TRect& rect) override;
    void PresentWindow(TWindowId window, const TBitmap& framebuffer, const TRect& rect) override;
    void SetCapture(TWindowId window) override { captureWindow_ = window; }
    void ReleaseCapture() override { captureWindow_ = 0; }
    void SetCursorShape(TWindowId window, int cursor) override;
    void BeginWindowDrag(TWindowId window) override;
    void SetScalePreference(int preference) override;
    int WindowScale(TWindowId window) override;
    TTimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
    void StopTimer(TTimerId timer) override;
    void Post(std::function<void()> task) override;
    void SendSync(const std::function<void()>& task) override;
    bool ProcessOneMessage(bool wait) override;
    std::uint32_t DoubleClickTime() override { return doubleClickTime_; }
    TTextEngine& TextEngine() override { return text_; }

    // [TPlatform]
    int MciSendString(const std::string& command) override;
    void ShellOpen(const std::string& address) override;
    bool RegisterHotKey(TWindowId window, int id, std::uint32_t modifiers, TKey key,
                        std::function<void()> onPressed) override;
    void UnregisterHotKey(TWindowId window, int id) override;
    void ShowTrayIcon(const std::string& tip, std::function<void()> onClick) override;
    void RemoveTrayIcon() override;
    TForeignWindow FindWindowByCaption(const std::string& caption) override;
    TForeignWindow WindowOwner(TForeignWindow window) override;
    void MinimizeForeignWindow(TForeignWindow window) override;
    void ShowForeignWindow(TForeignWindow window, bool show) override;
    // Composed from the pictures presented on the shown windows, in their z-order, over black.
    TBitmap CopyScreen(const TRect& rect) override;
    TRect ScreenWorkArea() override;
    TDisplayMode DisplayMode() override { return display_; }
    bool ChangeDisplayMode(const TDisplayMode& mode) override;
    bool AdapterAddress(std::array<std::uint8_t, 6>& address) override;
    std::string LibraryFolder() override { return libraryFolder_; }
    std::string ModuleFileName() override { return libraryFolder_ + "Morvane.dll"; }
    const TFileVersionInfomation& VersionRecord() override { return LibraryVersion(); }
    std::span<const std::uint8_t> Resource(const std::string& name) override;
    std::string ClipboardText() override { return clipboard_; }
    void SetClipboardText(const std::string& gbkText) override { clipboard_ = gbkText; }
    bool FileExists(const std::string& systemPath) override;
    // Answered at once from the queued answers (else OK, or Yes for Yes/No), so none is ever left open.
    int MessageBox(TWindowId owner, const std::string& caption, const std::string& text,
                   std::uint32_t buttons) override;
    void EndMessageBoxes(TWindowId) override {}
    // Markers live in a table of the process, shared by its platforms and seen by no other process: test
    // runs, demos and checkouts side by side on one machine never meet. A platform given a marker folder
    // also keeps its markers there as lock files, which the other processes using that folder see (and
    // which another program may take away, as the hall closes a marker window on Windows).
    bool ClaimMarker(const std::string& name) override;
    bool MarkerIntact(const std::string& name) override;
    void ReleaseMarker(const std::string& name) override;

private:
    struct Window {
        IWindowClient* client{nullptr};
        TRect bounds{};
        bool shown{false};
        bool topMost{false};
        bool minimized{false};
        std::string caption;
        // The shape as the toolkit gave it, and as the screen shows it (scaled).
        std::optional<TRegion> frameRegion;
        std::optional<TRegion> region;
        TRect pendingPaint{};
        int cursor{0};
        TScaledSurface surface;
        TBitmap icon;
        std::uint64_t zOrder{0};
    };
    struct ForeignWindow {
        std::string caption;
        TForeignWindow owner{0};
        bool shown{true};
        bool minimized{false};
    };
    struct Timer {
        std::uint32_t interval{0};
        std::uint64_t due{0};
        std::function<void()> onTick;
    };
    struct HotKey {
        TWindowId window{0};
        int id{0};
        std::uint32_t modifiers{0};
        TKey key{0};
        std::function<void()> onPressed;
    };

    void Log(std::string line) { effects_.push_back(std::move(line)); }
    Window* Find(TWindowId window);
    const Window* Find(TWindowId window) const;
    TWindowId WindowAt(TPoint screen) const;
    // The screen pixels a window covers.
    static TRect ScreenRectOf(const Window& w) { return ScaledRect(w.bounds, w.surface.Scale()); }
    void ApplyScale(Window& w, int scale);
    void QueueMouse(TPoint at, std::function<void(IWindowClient&, TPoint)> deliver);
    bool RunQueued();
    bool RunPaint();
    // The earliest timer, or timers_.end().
    std::map<TTimerId, Timer>::iterator NextTimer();
    void FireTimer(std::map<TTimerId, Timer>::iterator it);
    void RunCrossThreadCalls();

    TFreeTypeTextEngine text_;
    std::uint64_t now_{0};
    std::map<TWindowId, Window> windows_;
    TWindowId nextWindow_{1};
    TWindowId activeWindow_{0};
    TWindowId captureWindow_{0};
    TPoint cursorPos_{};
    std::uint64_t nextZ_{1};
    std::map<TTimerId, Timer> timers_;
    TTimerId nextTimer_{1};
    std::deque<std::function<void()>> queue_;
    std::vector<std::string> effects_;
    std::deque<int> messageBoxAnswers_;
    // In the order of registration: of the registrations of the same keys, the first holds them.
    std::vector<HotKey> hotKeys_;
    std::function<void()> trayClick_;
    bool trayShown_{false};
    std::string trayTip_;
    std::map<TForeignWindow, ForeignWindow> foreign_;
    // Far from our own window numbers, so that the two are never confused.
    TForeignWindow nextForeign_{0x10000};
    std::function<std::span<const std::uint8_t>(const std::string&)> resourceProvider_;
    std::string libraryFolder_{"C:\\Morvane\\"};
    std::string clipboard_;
    std::array<std::uint8_t, 6> adapter_{0x00, 0x16, 0x3E, 0x4D, 0x56, 0x01};
    TDisplayMode display_{1280, 1024, 32};
    std::uint32_t doubleClickTime_{500};
    int screenFactor_{1};
    int scalePreference_{kScaleFollowsScreen};
    std::uint32_t waitLimit_{3600u * 1000u};
    int mciResult_{0};
    std::filesystem::path markerFolder_;

    // Calls from other threads wait here until the UI thread has run them; an exception the call throws
    // goes back to its caller, as a sent message's does on Windows.
    struct TCrossCall {
        const std::function<void()>* task{nullptr};
        bool done{false};
        std::exception_ptr error;
    };
    std::thread::id uiThread_;
    std::mutex crossMutex_;
    std::condition_variable crossDone_;
    std::deque<TCrossCall*> crossCalls_;
    std::deque<std::function<void()>> crossPosted_;
};

} // namespace morvane
