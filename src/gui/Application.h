#pragma once

#include "gui/Messages.h"
#include "gui/PictureCache.h"
#include "gui/WindowSystem.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace morvane {

class TControl;

// Numbered handles of live controls, so that a message posted to a control that has gone away is dropped
// instead of reaching freed memory.
using TControlHandle = std::uint32_t;

// The toolkit's application: the window system it runs on, the message loop, the registry of live controls
// and the cursor slots. One exists while the table runs; `Application()` reaches it.
class TApplication {
public:
    explicit TApplication(TWindowSystem& system);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    TWindowSystem& System() { return system_; }

    // Handles one message, waiting for one when none is ready; returns false when there was nothing to do.
    bool HandleMessage() { return system_.ProcessOneMessage(true); }
    // Handles everything that is ready now, without waiting and without advancing time.
    void ProcessMessages();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

    // Posts a message to a control; it is dropped when the control is gone by the time it is delivered.
    void PostMessage(TControlHandle target, std::uint32_t msg, std::intptr_t wParam, std::intptr_t lParam);

    TControlHandle RegisterControl(TControl* control);
    void UnregisterControl(TControlHandle handle);
    TControl* FindControl(TControlHandle handle) const;

    // Cursor slots: 0 is the arrow; the table loads its chip cursors into slots 1 … 10. The value is the
    // resource name of the cursor picture, which the platform turns into a real cursor.
    void SetCursor(int slot, const std::string& resourceName) { cursors_[slot] = resourceName; }
    const std::string* Cursor(int slot) const;

    // The decoded pictures the tables of this process share.
    TPictureCache& Pictures() { return pictures_; }

    // Observers told after a control has handled a message (and after it painted, as WM_PAINT): the
    // toolkit's window hook, used by the scroll-bar skin to follow the controls it covers.
    using TMessageHook = std::function<void(TControl& control, const TMessage& message)>;
    int AddMessageHook(TMessageHook hook);
    void RemoveMessageHook(int id);
    void RunMessageHooks(TControl& control, const TMessage& message);

    // [Handlers on the stack] Every entry into the toolkit's code on the UI thread (a window message, a
    // timer, a posted task, a call of the host) holds a THandlerScope. Work that frees what such code may
    // still be using (a table released by its host inside one of its own callbacks or modal loops) waits
    // in RunWhenUnwound until the outermost scope has ended.
    class THandlerScope {
    public:
        explicit THandlerScope(TApplication& app) : app_(app) { ++app_.handlerDepth_; }
        ~THandlerScope() { app_.LeaveHandler(); }
        THandlerScope(const THandlerScope&) = delete;
        THandlerScope& operator=(const THandlerScope&) = delete;

    private:
        TApplication& app_;
    };
    // What a handler threw, offered before it unwinds into the platform's loop (and from there into the
    // program that runs it): true when it was dealt with and the message counts as handled.
    std::function<bool(std::exception_ptr error)> OnHandlerError;
    bool HandleHandlerError(std::exception_ptr error) { return OnHandlerError && OnHandlerError(error); }
    // Runs `task` at once when no handler is on the stack, else when the outermost one ends.
    void RunWhenUnwound(std::function<void()> task);
    int HandlerDepth() const { return handlerDepth_; }

    // Called by modal runs when the loop finds nothing to do; on the headless platform a test answers
    // dialogs from here. It returns false when it did nothing either.
    std::function<bool()> OnModalIdle;

private:
    void LeaveHandler();
    void RunUnwoundTasks();

    TWindowSystem& system_;
    int handlerDepth_{0};
    std::vector<std::function<void()>> unwoundTasks_;
    bool terminated_{false};
    TControlHandle nextHandle_{1};
    std::map<TControlHandle, TControl*> controls_;
    std::map<int, std::string> cursors_;
    TPictureCache pictures_;
    std::map<int, TMessageHook> hooks_;
    int nextHookId_{1};
};

// Runs the toolkit's code for one message of the platform's loop as a handler: what the host asks to free
// inside it waits until the outermost handler has ended, and what it throws is offered to OnHandlerError
// before it goes on into the loop. Nothing of the message's window may be touched after it returns.
void RunAsHandler(const std::function<void()>& run);

// The application of the running table; throws when none exists.
TApplication& Application();
bool HasApplication();

} // namespace morvane
