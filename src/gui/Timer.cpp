#include "gui/Timer.h"

#include "gui/Application.h"

namespace morvane {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
    Stop();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Restart();
}

void TTimer::SetInterval(std::uint32_t interval) {
    if (interval_ == interval) return;
    interval_ = interval;
    Restart();
}

void TTimer::SetOnTimer(std::function<void(TTimer*)> handler) {
    onTimer_ = std::move(handler);
    Restart();
}

void TTimer::EndActivity() {
    TComponent::EndActivity();
    Stop();
}

void TTimer::Stop() {
    if (timer_ && HasApplication()) Application().System().StopTimer(timer_);
    timer_ = 0;
}

void TTimer::Restart() {
    Stop();
    if (!enabled_ || interval_ == 0 || !onTimer_ || !HasApplication() || ActivityEnded()) return;
    timer_ = Application().System().StartTimer(interval_, [this] {
        // Copied first: the handler may free this timer or replace its handler.
        auto handler = onTimer_;
        if (handler) handler(this);
    });
}

} // namespace morvane
