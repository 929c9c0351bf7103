#pragma once

#include "base/Types.h"
#include "gui/Keys.h"

#include <cstdint>
#include <functional>
#include <string>

namespace morvane {

class TBitmap;
class TRegion;
class TTextEngine;

using TWindowId = std::uint32_t;
using TTimerId = std::uint32_t;

// What a top-level window reports to the form that owns it. Coordinates are the window's client pixels.
class IWindowClient {
public:
    virtual ~IWindowClient() = default;
    // Paint the given part of the framebuffer now and present it.
    virtual void WindowPaint(const TRect& dirty) = 0;
    virtual void WindowMouseDown(TMouseButton button, TShiftState shift, TPoint at) = 0;
    virtual void WindowMouseUp(TMouseButton button, TShiftState shift, TPoint at) = 0;
    virtual void WindowMouseMove(TShiftState shift, TPoint at) = 0;
    virtual void WindowMouseWheel(TShiftState shift, int delta, TPoint at) = 0;
    virtual void WindowMouseLeave() = 0;
    virtual void WindowKeyDown(TKey key, TShiftState shift) = 0;
    virtual void WindowKeyUp(TKey key, TShiftState shift) = 0;
    // One character as GBK bytes (one or two), as typed or composed by an input method.
    virtual void WindowChar(const std::string& gbkChar) = 0;
    virtual void WindowCloseRequest() = 0;
    virtual void WindowActivated(bool active) = 0;
    virtual void WindowMoved(const TRect& bounds) = 0;
};

// The part of the platform the control toolkit needs: top-level windows, time, timers, the message loop
// and text. The full platform interface builds on it. What only dresses a window (top-most, z-order,
// shape, minimising, flashing, icon, cursor shape, the title drag) and the clipboard have bodies that do
// nothing, so that a new backend starts with windows, timers and text.
class TWindowSystem {
public:
    static constexpr std::uint32_t kDefaultDoubleClickTime = 500;

    virtual ~TWindowSystem() = default;

    // Milliseconds since some start, wrapping as the system's tick count does.
    virtual std::uint32_t TickCount() = 0;

    virtual TWindowId CreateTopWindow(IWindowClient& client, const TRect& bounds, bool topMost) = 0;
    virtual void DestroyTopWindow(TWindowId window) = 0;
    virtual void ShowTopWindow(TWindowId window, bool show, bool activate) = 0;
    virtual void SetWindowBounds(TWindowId window, const TRect& bounds) = 0;
    virtual TRect WindowBounds(TWindowId window) = 0;
    virtual void SetWindowCaption(TWindowId window, const std::string& caption) = 0;
    virtual void SetWindowTopMost(TWindowId /*window*/, bool /*topMost*/) {}
    virtual void BringWindowToFront(TWindowId /*window*/) {}
    // The window's shape; nullptr makes it rectangular again.
    virtual void SetWindowRegion(TWindowId /*window*/, const TRegion* /*region*/) {}
    virtual void MinimizeWindow(TWindowId /*window*/, bool /*minimize*/) {}
    virtual void FlashWindow(TWindowId /*window*/) {}
    // The window's icon as its two images (see the icon helpers): the screen is ANDed with `mask`, then
    // XORed with `colour`. Empty bitmaps remove it.
    virtual void SetWindowIcon(TWindowId /*window*/, const TBitmap& /*colour*/, const TBitmap& /*mask*/) {}
    // The window that has the keyboard focus among ours; 0 when another program has it.
    virtual TWindowId ActiveWindow() = 0;
    // Where the mouse is, in screen pixels.
    virtual TPoint CursorPos() = 0;
    // Asks for a WindowPaint of that part soon (coalesced with other requests).
    virtual void InvalidateWindow(TWindowId window, const TRect& rect) = 0;
    // Shows the framebuffer's pixels inside `rect` on the window.
    virtual void PresentWindow(TWindowId window, const TBitmap& framebuffer, const TRect& rect) = 0;
    virtual void SetCapture(TWindowId window) = 0;
    virtual void ReleaseCapture() = 0;
    // Shows a cursor of the application's cursor slots (0 is the arrow).
    virtual void SetCursorShape(TWindowId /*window*/, int /*cursor*/) {}
    // Starts a system move of the window following the mouse (the title drag of skinned panels).
    virtual void BeginWindowDrag(TWindowId /*window*/) {}
    // How much larger windows show their pixels on a dense screen: 0 follows what the screen asks for,
    // 1 to 3 are fixed whole factors; open windows follow at once. The backend alone scales: it presents
    // each framebuffer pixel as a square of screen pixels, scales shapes, and maps the mouse back, and
    // every position it hands over or is given (window bounds, the cursor, the work area, screen copies'
    // rectangles) counts framebuffer pixels, so nothing above it knows of a factor.
    virtual void SetScalePreference(int /*preference*/) {}
    // The whole factor the window is shown at.
    virtual int WindowScale(TWindowId /*window*/) { return 1; }

    virtual TTimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) = 0;
    virtual void StopTimer(TTimerId timer) = 0;
    // Runs `task` later on the UI thread, after what is already queued.
    virtual void Post(std::function<void()> task) = 0;
    // Runs `task` on the UI thread and returns when it has run; from the UI thread it runs at once.
    virtual void SendSync(const std::function<void()>& task) = 0;
    // Handles one message: queued input or posted task, a pending paint, or a due timer. With `wait`, when
    // nothing is ready it waits for the next message (the headless platform advances its virtual clock to
    // the next due timer instead). Returns false when there was nothing to handle.
    virtual bool ProcessOneMessage(bool wait) = 0;

    // The system's default unless a backend reads the player's setting.
    virtual std::uint32_t DoubleClickTime() { return kDefaultDoubleClickTime; }
    virtual TTextEngine& TextEngine() = 0;
    // The clipboard's text (GBK), which edits paste; empty without a clipboard.
    virtual std::string ClipboardText() { return {}; }
    // A system message box over `owner` (0: over whichever of ours is active); returns the pressed button
    // (1 OK, 2 Cancel, 6 Yes, 7 No).
    virtual int MessageBox(TWindowId owner, const std::string& caption, const std::string& text,
                           std::uint32_t buttons) = 0;
    // Ends the message boxes open over `owner` as cancelled: the table they ask for has closed, and its
    // code that waits for their answer must return. A backend whose boxes never wait has none to end.
    virtual void EndMessageBoxes(TWindowId /*owner*/) {}
};

} // namespace morvane
