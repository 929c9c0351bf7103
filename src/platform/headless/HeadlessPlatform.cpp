#include "platform/headless/HeadlessPlatform.h"

#include "base/Gbk.h"
#include "base/Paths.h"
#include "base/ShellAddress.h"
#include "gui/Application.h"
#include "gui/BitmapPicture.h"

#include <algorithm>
#include <stdexcept>

namespace morvane {
namespace {

constexpr int kWorkWidth = 1280;
constexpr int kWorkHeight = 984;

std::string RectText(const TRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.Width()) + "x" +
           std::to_string(r.Height());
}

TRect Union(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

THeadlessPlatform::THeadlessPlatform() : uiThread_(std::this_thread::get_id()) {}

THeadlessPlatform::~THeadlessPlatform() = default;

// [Time]

bool THeadlessPlatform::RunQueued() {
    RunCrossThreadCalls();
    if (queue_.empty()) return false;
    std::function<void()> task = std::move(queue_.front());
    queue_.pop_front();
    RunAsHandler(task);
    return true;
}

bool THeadlessPlatform::RunPaint() {
    for (auto& [id, window] : windows_) {
        if (window.pendingPaint.IsEmpty()) continue;
        TRect dirty = window.pendingPaint;
        window.pendingPaint = {};
        if (window.shown) {
            IWindowClient* client = window.client;
            RunAsHandler([&] { client->WindowPaint(dirty); });
            return true;
        }
    }
    return false;
}

std::map<TTimerId, THeadlessPlatform::Timer>::iterator THeadlessPlatform::NextTimer() {
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
        if (best == timers_.end() || it->second.due < best->second.due) best = it;
    return best;
}

void THeadlessPlatform::FireTimer(std::map<TTimerId, Timer>::iterator it) {
    // The next tick counts from this one, as a system timer does; the handler may stop or restart it.
    it->second.due += std::max<std::uint32_t>(1, it->second.interval);
    std::function<void()> onTick = it->second.onTick;
    RunAsHandler(onTick);
}

bool THeadlessPlatform::ProcessOneMessage(bool wait) {
    if (RunQueued() || RunPaint()) return true;
    auto next = NextTimer();
    if (next == timers_.end()) return false;
    if (next->second.due <= now_) {
        FireTimer(next);
        return true;
    }
    if (!wait) return false;
    if (next->second.due - now_ > waitLimit_)
        throw std::runtime_error(
            "the table waits for input that never comes (no event within the wait limit)");
    now_ = next->second.due;
    FireTimer(next);
    return true;
}

void THeadlessPlatform::RunUntilIdle() {
    while (ProcessOneMessage(false)) {
    }
}

bool THeadlessPlatform::HasWorkWithin(std::uint32_t ms) {
    if (!queue_.empty()) return true;
    {
        std::lock_guard lock(crossMutex_);
        if (!crossPosted_.empty() || !crossCalls_.empty()) return true;
    }
    for (const auto& [id, window] : windows_)
        if (window.shown && !window.pendingPaint.IsEmpty()) return true;
    const auto next = NextTimer();
    return next != timers_.end() && next->second.due <= std::uint64_t(now_) + ms;
}

void THeadlessPlatform::AdvanceBy(std::uint32_t ms) {
    const std::uint64_t target = now_ + ms;
    RunUntilIdle();
    for (;;) {
        auto next = NextTimer();
        if (next == timers_.end() || next->second.due > target) break;
        now_ = std::max(now_, next->second.due);
        FireTimer(next);
        RunUntilIdle();
    }
    now_ = target;
    RunUntilIdle();
}

TTimerId THeadlessPlatform::StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
    TTimerId id = nextTimer_++;
    timers_[id] = Timer{intervalMs, now_ + std::max<std::uint32_t>(1, intervalMs), std::move(onTick)};
    return id;
}

void THeadlessPlatform::StopTimer(TTimerId timer) {
    timers_.erase(timer);
}

void THeadlessPlatform::Post(std::function<void()> task) {
    if (std::this_thread::get_id() == uiThread_) {
        queue_.push_back(std::move(task));
        return;
    }
    // Posting from another thread goes through a list of its own, which the UI thread moves into its queue;
    // the poster does not wait (it may be the thread the UI thread is waiting for).
    std::lock_guard lock(crossMutex_);
    crossPosted_.push_back(std::move(task));
}

void THeadlessPlatform::SendSync(const std::function<void()>& task) {
    if (std::this_thread::get_id() == uiThread_) {
        task();
        return;
    }
    TCrossCall call{&task, false, nullptr};
    std::unique_lock lock(crossMutex_);
    crossCalls_.push_back(&call);
    crossDone_.wait(lock, [&] { return call.done; });
    if (call.error) std::rethrow_exception(call.error);
}

void THeadlessPlatform::RunCrossThreadCalls() {
    {
        std::lock_guard lock(crossMutex_);
        for (auto& task : crossPosted_)
            queue_.push_back(std::move(task));
        crossPosted_.clear();
    }
    for (;;) {
        TCrossCall* call = nullptr;
        {
            std::lock_guard lock(crossMutex_);
            if (crossCalls_.empty()) return;
            call = crossCalls_.front();
            crossCalls_.pop_front();
        }
        std::exception_ptr error;
        try {
            RunAsHandler(*call->task);
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard lock(crossMutex_);
            call->error = error;
            call->done = true;
        }
        crossDone_.notify_all();
    }
}

// [Windows]

THeadlessPlatform::Window* THeadlessPlatform::Find(TWindowId window) {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

const THeadlessPlatform::Window* THeadlessPlatform::Find(TWindowId window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

TWindowId THeadlessPlatform::CreateTopWindow(IWindowClient& client, const TRect& bounds, bool topMost) {
    TWindowId id = nextWindow_++;
    Window& w = windows_[id];
    w.client = &client;
    w.bounds = bounds;
    w.topMost = topMost;
    w.surface.Rescale(Scale());
    w.surface.Resize(bounds.Width(), bounds.Height());
    w.zOrder = nextZ_++;
    return id;
}

void THeadlessPlatform::DestroyTopWindow(TWindowId window) {
    windows_.erase(window);
    // The system drops a window's hot keys with it.
    std::erase_if(hotKeys_, [window](const HotKey& hotKey) { return hotKey.window == window; });
    if (activeWindow_ == window) activeWindow_ = 0;
    if (captureWindow_ == window) captureWindow_ = 0;
}

void THeadlessPlatform::ShowTopWindow(TWindowId window, bool show, bool activate) {
    Window* w = Find(window);
    if (!w) return;
    w->shown = show;
    if (show) {
        w->zOrder = nextZ_++;
        if (activate) activeWindow_ = window;
        w->pendingPaint = {0, 0, w->bounds.Width(), w->bounds.Height()};
    } else if (activeWindow_ == window) {
        activeWindow_ = 0;
    }
}

void THeadlessPlatform::SetWindowBounds(TWindowId window, const TRect& bounds) {
    Window* w = Find(window);
    if (!w || w->bounds == bounds) return;
    bool moved = bounds.left != w->bounds.left || bounds.top != w->bounds.top;
    if (bounds.Width() != w->bounds.Width() || bounds.Height() != w->bounds.Height())
        w->surface.Resize(bounds.Width(), bounds.Height());
    w->bounds = bounds;
    if (moved) Log("move " + RectText(bounds));
}

TRect THeadlessPlatform::WindowBounds(TWindowId window) {
    Window* w = Find(window);
    return w ? w->bounds : TRect{};
}

void THeadlessPlatform::SetWindowCaption(TWindowId window, const std::string& caption) {
    if (Window* w = Find(window)) w->caption = caption;
}

void THeadlessPlatform::SetWindowTopMost(TWindowId window, bool topMost) {
    if (Window* w = Find(window)) w->topMost = topMost;
}

void THeadlessPlatform::BringWindowToFront(TWindowId window) {
    if (Window* w = Find(window)) w->zOrder = nextZ_++;
}

void THeadlessPlatform::SetWindowRegion(TWindowId window, const TRegion* region) {
    Window* w = Find(window);
    if (!w) return;
    if (region) {
        w->frameRegion = *region;
        w->region = ScaledRegion(*region, w->surface.Scale());
    } else {
        w->frameRegion.reset();
        w->region.reset();
    }
    Log(w->region ? "region " + RectText(w->region->Bounds()) : std::string("region none"));
}

void THeadlessPlatform::MinimizeWindow(TWindowId window, bool minimize) {
    if (Window* w = Find(window)) {
        w->minimized = minimize;
        Log(minimize ? "minimize" : "restore");
    }
}

void THeadlessPlatform::FlashWindow(TWindowId) {
    Log("flash");
}

void THeadlessPlatform::SetWindowIcon(TWindowId window, const TBitmap& colour, const TBitmap&) {
    Window* w = Find(window);
    if (!w) return;
    w->icon = colour;
    Log(colour.Empty() ? std::string("icon none")
                       : "icon " + std::to_string(colour.Width()) + "x" + std::to_string(colour.Height()));
}

const TBitmap* THeadlessPlatform::WindowIcon(TWindowId window) const {
    const Window* w = Find(window);
    return w && !w->icon.Empty() ? &w->icon : nullptr;
}

void THeadlessPlatform::InvalidateWindow(TWindowId window, const TRect& rect) {
    if (Window* w = Find(window)) w->pendingPaint = Union(w->pendingPaint, rect);
}

void THeadlessPlatform::PresentWindow(TWindowId window, const TBitmap& framebuffer, const TRect& rect) {
    Window* w = Find(window);
    if (!w) return;
    w->surface.Present(framebuffer, rect);
}

void THeadlessPlatform::SetScreenFactor(int factor) {
    screenFactor_ = std::clamp(factor, 1, kLargestWindowScale);
    for (auto& [id, w] : windows_)
        ApplyScale(w, Scale());
}

void THeadlessPlatform::SetScalePreference(int preference) {
    scalePreference_ = preference;
    for (auto& [id, w] : windows_)
        ApplyScale(w, Scale());
}

int THeadlessPlatform::Scale() const {
    return EffectiveScale(scalePreference_, screenFactor_);
}

int THeadlessPlatform::WindowScale(TWindowId window) {
    const Window* w = Find(window);
    return w ? w->surface.Scale() : 1;
}

// A window whose factor changes keeps its place in the toolkit's positions and shows what was presented
// at the new size at once.
void THeadlessPlatform::ApplyScale(Window& w, int scale) {
    if (w.surface.Scale() == scale) return;
    w.surface.Rescale(scale);
    if (w.frameRegion) w.region = ScaledRegion(*w.frameRegion, scale);
}

TPoint THeadlessPlatform::CursorPos() {
    return FramePointOf(cursorPos_, Scale());
}

// The screen is 1280 × 984 free pixels at the base density, and as many more as its factor asks for.
TRect THeadlessPlatform::ScreenWorkArea() {
    return {0, 0, kWorkWidth * screenFactor_ / Scale(), kWorkHeight * screenFactor_ / Scale()};
}

void THeadlessPlatform::SetCursorShape(TWindowId window, int cursor) {
    if (Window* w = Find(window)) w->cursor = cursor;
}

void THeadlessPlatform::BeginWindowDrag(TWindowId window) {
    if (Find(window)) Log("drag");
}

const TBitmap* THeadlessPlatform::Screenshot(TWindowId window) const {
    const Window* w = Find(window);
    return w ? &w->surface.Screen() : nullptr;
}

bool THeadlessPlatform::WriteScreenshot(TWindowId window, const std::string& pngPath) const {
    const TBitmap* screen = Screenshot(window);
    if (!screen || screen->Empty()) return false;
    return PictureOfBitmap(*screen).SaveToFile(paths::FromHost(pngPath));
}

bool THeadlessPlatform::WindowShown(TWindowId window) const {
    const Window* w = Find(window);
    return w && w->shown;
}

std::vector<TWindowId> THeadlessPlatform::ShownWindows() const {
    std::vector<TWindowId> shown;
    for (const auto& [id, w] : windows_)
        if (w.shown) shown.push_back(id);
    return shown;
}

int THeadlessPlatform::CursorShape(TWindowId window) const {
    const Window* w = Find(window);
    return w ? w->cursor : 0;
}

const TRegion* THeadlessPlatform::WindowRegion(TWindowId window) const {
    const Window* w = Find(window);
    return w && w->region ? &*w->region : nullptr;
}

std::string THeadlessPlatform::WindowCaption(TWindowId window) const {
    const Window* w = Find(window);
    return w ? w->caption : std::string();
}

// [Scripted input]

TWindowId THeadlessPlatform::WindowAt(TPoint screen) const {
    if (captureWindow_ && Find(captureWindow_)) return captureWindow_;
    TWindowId best = 0;
    std::pair<bool, std::uint64_t> bestRank{false, 0};
    for (const auto& [id, w] : windows_) {
        const TRect onScreen = ScreenRectOf(w);
        if (!w.shown || w.minimized || !onScreen.Contains(screen)) continue;
        TPoint local{screen.x - onScreen.left, screen.y - onScreen.top};
        if (w.region && !w.region->Contains(local)) continue;
        std::pair<bool, std::uint64_t> rank{w.topMost, w.zOrder};
        if (!best || rank > bestRank) {
            best = id;
            bestRank = rank;
        }
    }
    return best;
}

void THeadlessPlatform::QueueMouse(TPoint at, std::function<void(IWindowClient&, TPoint)> deliver) {
    queue_.push_back([this, at, deliver = std::move(deliver)] {
        cursorPos_ = at;
        TWindowId id = WindowAt(at);
        Window* w = Find(id);
        if (!w) return;
        const TRect onScreen = ScreenRectOf(*w);
        deliver(*w->client, FramePointOf({at.x - onScreen.left, at.y - onScreen.top}, w->surface.Scale()));
    });
}

void THeadlessPlatform::MouseDown(TPoint at, TMouseButton button, TShiftState keys) {
    queue_.push_back([this, at] {
        if (TWindowId id = WindowAt(at)) {
            activeWindow_ = id;
            if (Window* w = Find(id)) w->zOrder = w->topMost ? w->zOrder : nextZ_++;
        }
    });
    QueueMouse(at, [button, keys](IWindowClient& c, TPoint p) {
        c.WindowMouseMove(keys, p);
        c.WindowMouseDown(button, (button == TMouseButton::mbLeft ? ssLeft : ssRight) | keys, p);
    });
}

void THeadlessPlatform::MouseUp(TPoint at, TMouseButton button, TShiftState keys) {
    QueueMouse(at, [button, keys](IWindowClient& c, TPoint p) { c.WindowMouseUp(button, keys, p); });
}

void THeadlessPlatform::Click(TPoint at, TMouseButton button, TShiftState keys) {
    MouseDown(at, button, keys);
    MouseUp(at, button, keys);
    RunUntilIdle();
}

void THeadlessPlatform::MouseMove(TPoint at) {
    QueueMouse(at, [](IWindowClient& c, TPoint p) { c.WindowMouseMove(0, p); });
    RunUntilIdle();
}

void THeadlessPlatform::Wheel(TPoint at, int delta) {
    QueueMouse(at, [delta](IWindowClient& c, TPoint p) { c.WindowMouseWheel(0, delta, p); });
    RunUntilIdle();
}

void THeadlessPlatform::PressKey(TKey key, TShiftState shift) {
    // A registered hot key is the system's: it runs its handler and no window sees the key.
    std::uint32_t modifiers = 0;
    if (shift & ssAlt) modifiers |= MOD_ALT;
    if (shift & ssCtrl) modifiers |= MOD_CONTROL;
    if (shift & ssShift) modifiers |= MOD_SHIFT;
    if (PressHotKey(modifiers, key)) return;
    queue_.push_back([this, key, shift] {
        if (Window* w = Find(activeWindow_)) w->client->WindowKeyDown(key, shift);
    });
    // The space bar also types its character, as the system's key translation does; other keys that
    // translate to control characters are left to their key events.
    if (key == VK_SPACE && (shift & (ssCtrl | ssAlt)) == 0) {
        queue_.push_back([this] {
            if (Window* w = Find(activeWindow_)) w->client->WindowChar(" ");
        });
    }
    queue_.push_back([this, key, shift] {
        if (Window* w = Find(activeWindow_)) w->client->WindowKeyUp(key, shift);
    });
    RunUntilIdle();
}

void THeadlessPlatform::Type(const std::string& gbkText) {
    for (std::size_t pos = 0; pos < gbkText.size();) {
        std::size_t length = gbk::CharLength(gbkText, pos);
        std::string ch = gbkText.substr(pos, length);
        pos += length;
        queue_.push_back([this, ch] {
            if (Window* w = Find(activeWindow_)) w->client->WindowChar(ch);
        });
    }
    RunUntilIdle();
}

bool THeadlessPlatform::PressHotKey(std::uint32_t modifiers, TKey key) {
    const auto holder = std::find_if(hotKeys_.begin(), hotKeys_.end(), [&](const HotKey& hotKey) {
        return hotKey.modifiers == modifiers && hotKey.key == key;
    });
    if (holder == hotKeys_.end()) return false;
    queue_.push_back(holder->onPressed);
    RunUntilIdle();
    return true;
}

std::vector<std::string> THeadlessPlatform::TakeEffects() {
    std::vector<std::string> taken = std::move(effects_);
    effects_.clear();
    return taken;
}

// [TPlatform]

int THeadlessPlatform::MciSendString(const std::string& command) {
    Log("mci " + gbk::ToUtf8(command));
    return mciResult_;
}

void THeadlessPlatform::ShellOpen(const std::string& address) {
    // What the shell would be handed, as the Windows platform hands it.
    Log("shell " + gbk::ToUtf8(ShellSafeAddress(address)));
}

bool THeadlessPlatform::RegisterHotKey(TWindowId window, int id, std::uint32_t modifiers, TKey key,
                                       std::function<void()> onPressed) {
    std::erase_if(hotKeys_, [&](const HotKey& hotKey) { return hotKey.window == window && hotKey.id == id; });
    hotKeys_.push_back(HotKey{window, id, modifiers, key, std::move(onPressed)});
    Log("hotkey register " + std::to_string(id) + " " + std::to_string(modifiers) + "+" +
        std::to_string(key));
    return true;
}

void THeadlessPlatform::UnregisterHotKey(TWindowId window, int id) {
    if (std::erase_if(hotKeys_,
                      [&](const HotKey& hotKey) { return hotKey.window == window && hotKey.id == id; }))
        Log("hotkey unregister " + std::to_string(id));
}

void THeadlessPlatform::ShowTrayIcon(const std::string& tip, std::function<void()> onClick) {
    trayClick_ = std::move(onClick);
    trayShown_ = true;
    trayTip_ = tip;
    Log("tray show " + gbk::ToUtf8(tip));
}

void THeadlessPlatform::RemoveTrayIcon() {
    trayClick_ = nullptr;
    trayShown_ = false;
    trayTip_.clear();
    Log("tray remove");
}

bool THeadlessPlatform::ClickTrayIcon() {
    if (!trayShown_) return false;
    if (trayClick_) {
        std::function<void()> onClick = trayClick_;
        queue_.push_back(std::move(onClick));
    }
    RunUntilIdle();
    return true;
}

// [Other programs' windows]

TForeignWindow THeadlessPlatform::AddForeignWindow(const std::string& caption, TForeignWindow owner) {
    const TForeignWindow id = nextForeign_++;
    foreign_[id] = ForeignWindow{caption, owner};
    return id;
}

bool THeadlessPlatform::ForeignWindowShown(TForeignWindow window) const {
    const auto found = foreign_.find(window);
    return found != foreign_.end() && found->second.shown;
}

bool THeadlessPlatform::ForeignWindowMinimized(TForeignWindow window) const {
    const auto found = foreign_.find(window);
    return found != foreign_.end() && found->second.minimized;
}

TForeignWindow THeadlessPlatform::FindWindowByCaption(const std::string& caption) {
    for (const auto& [id, window] : foreign_)
        if (window.caption == caption) return id;
    return 0;
}

TForeignWindow THeadlessPlatform::WindowOwner(TForeignWindow window) {
    const auto found = foreign_.find(window);
    return found == foreign_.end() ? 0 : found->second.owner;
}

void THeadlessPlatform::MinimizeForeignWindow(TForeignWindow window) {
    const auto found = foreign_.find(window);
    if (found == foreign_.end()) return;
    found->second.minimized = true;
    Log("foreign minimize " + gbk::ToUtf8(found->second.caption));
}

void THeadlessPlatform::ShowForeignWindow(TForeignWindow window, bool show) {
    const auto found = foreign_.find(window);
    if (found == foreign_.end()) return;
    found->second.shown = show;
    // Showing a minimised window again restores it, as SW_SHOW on a minimised owner brings it back.
    if (show) found->second.minimized = false;
    Log(std::string(show ? "foreign show " : "foreign hide ") + gbk::ToUtf8(found->second.caption));
}

TBitmap THeadlessPlatform::CopyScreen(const TRect& frameRect) {
    const TRect rect = ScaledRect(frameRect, Scale());
    TBitmap copy(std::max(0, rect.Width()), std::max(0, rect.Height()), TPixelFormat::pf32bit);
    std::vector<const Window*> shown;
    for (const auto& [id, window] : windows_)
        if (window.shown && !window.minimized && !window.surface.Screen().Empty()) shown.push_back(&window);
    std::sort(shown.begin(), shown.end(), [](const Window* a, const Window* b) {
        return std::pair(a->topMost, a->zOrder) < std::pair(b->topMost, b->zOrder);
    });
    for (const Window* window : shown) {
        const TRect onScreen = ScreenRectOf(*window);
        for (int y = 0; y < copy.Height(); ++y) {
            const int sy = rect.top + y - onScreen.top;
            if (sy < 0 || sy >= window->surface.Screen().Height()) continue;
            for (int x = 0; x < copy.Width(); ++x) {
                const int sx = rect.left + x - onScreen.left;
                if (sx < 0 || sx >= window->surface.Screen().Width()) continue;
                if (window->region && !window->region->Contains(TPoint{sx, sy})) continue;
                copy.Row32(y)[x] = window->surface.Screen().Row32(sy)[sx] | 0xFF000000u;
            }
        }
    }
    copy.SetPixelFormat(TPixelFormat::pf24bit);
    return copy;
}

bool THeadlessPlatform::ChangeDisplayMode(const TDisplayMode& mode) {
    if (mode.width <= 0 || mode.height <= 0) return false;
    display_ = mode;
    Log("display " + std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" +
        std::to_string(mode.bitsPerPixel));
    return true;
}

bool THeadlessPlatform::AdapterAddress(std::array<std::uint8_t, 6>& address) {
    address = adapter_;
    return true;
}

std::span<const std::uint8_t> THeadlessPlatform::Resource(const std::string& name) {
    return resourceProvider_ ? resourceProvider_(name) : std::span<const std::uint8_t>{};
}

bool THeadlessPlatform::FileExists(const std::string& systemPath) {
    return paths::FileExists(systemPath);
}

int THeadlessPlatform::MessageBox(TWindowId, const std::string& caption, const std::string& text,
                                  std::uint32_t buttons) {
    Log("msgbox " + gbk::ToUtf8(caption) + " | " + gbk::ToUtf8(text));
    int answer = IDOK;
    if (!messageBoxAnswers_.empty()) {
        answer = messageBoxAnswers_.front();
        messageBoxAnswers_.pop_front();
    } else if (buttons == MB_YESNO) {
        answer = IDYES;
    }
    return answer;
}

} // namespace morvane
