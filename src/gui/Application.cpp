#include "gui/Application.h"

#include "gui/Control.h"

#include <stdexcept>

namespace morvane {
namespace {

TApplication* current = nullptr;

} // namespace

TApplication::TApplication(TWindowSystem& system) : system_(system) {
    if (current) throw std::logic_error("an application is already running");
    current = this;
}

TApplication::~TApplication() {
    current = nullptr;
}

TApplication& Application() {
    if (!current) throw std::logic_error("no application is running");
    return *current;
}

bool HasApplication() {
    return current != nullptr;
}

void RunAsHandler(const std::function<void()>& run) {
    if (!HasApplication()) {
        run();
        return;
    }
    TApplication& app = Application();
    TApplication::THandlerScope scope(app);
    try {
        run();
    } catch (...) {
        if (!app.HandleHandlerError(std::current_exception())) throw;
    }
}

void TApplication::ProcessMessages() {
    while (system_.ProcessOneMessage(false)) {
    }
}

void TApplication::PostMessage(TControlHandle target, std::uint32_t msg, std::intptr_t wParam,
                               std::intptr_t lParam) {
    system_.Post([this, target, msg, wParam, lParam] {
        if (TControl* control = FindControl(target)) control->Perform(msg, wParam, lParam);
    });
}

TControlHandle TApplication::RegisterControl(TControl* control) {
    TControlHandle handle = nextHandle_++;
    controls_[handle] = control;
    return handle;
}

void TApplication::UnregisterControl(TControlHandle handle) {
    controls_.erase(handle);
}

TControl* TApplication::FindControl(TControlHandle handle) const {
    auto it = controls_.find(handle);
    return it == controls_.end() ? nullptr : it->second;
}

int TApplication::AddMessageHook(TMessageHook hook) {
    int id = nextHookId_++;
    hooks_[id] = std::move(hook);
    return id;
}

void TApplication::RemoveMessageHook(int id) {
    hooks_.erase(id);
}

void TApplication::RunMessageHooks(TControl& control, const TMessage& message) {
    if (hooks_.empty()) return;
    TControlHandle handle = control.Handle();
    // A hook may add or remove hooks or free the control. Ids only grow, so the hooks there when the message
    // came are those up to the last id now; each is looked up afresh after the one before it ran, and the
    // walk stops when the control is gone. (This runs for every control painted: it allocates nothing.)
    const int last = hooks_.rbegin()->first;
    for (auto it = hooks_.begin(); it != hooks_.end() && it->first <= last;) {
        const int id = it->first;
        TMessageHook hook = it->second;
        hook(control, message);
        if (!FindControl(handle)) return;
        it = hooks_.upper_bound(id);
    }
}

void TApplication::RunWhenUnwound(std::function<void()> task) {
    unwoundTasks_.push_back(std::move(task));
    if (handlerDepth_ == 0) RunUnwoundTasks();
}

void TApplication::LeaveHandler() {
    if (--handlerDepth_ == 0 && !unwoundTasks_.empty()) RunUnwoundTasks();
}

void TApplication::RunUnwoundTasks() {
    // A task runs as a handler of its own, so that what it releases in turn waits for it to finish.
    while (!unwoundTasks_.empty()) {
        std::function<void()> task = std::move(unwoundTasks_.front());
        unwoundTasks_.erase(unwoundTasks_.begin());
        ++handlerDepth_;
        try {
            task();
        } catch (...) {
            // Destruction that throws has nobody to report to; the other tasks still run.
        }
        --handlerDepth_;
    }
}

const std::string* TApplication::Cursor(int slot) const {
    auto it = cursors_.find(slot);
    return it == cursors_.end() ? nullptr : &it->second;
}

} // namespace morvane
