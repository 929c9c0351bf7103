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
    // A hook may remove hooks or free the control; walk a copy of the ids and stop when the control is gone.
    std::vector<int> ids;
    for (const auto& [id, hook] : hooks_)
        ids.push_back(id);
    for (int id : ids) {
        auto it = hooks_.find(id);
        if (it == hooks_.end()) continue;
        TMessageHook hook = it->second;
        hook(control, message);
        if (!FindControl(handle)) return;
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
