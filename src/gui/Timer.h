#pragma once

#include "gui/Component.h"
#include "gui/WindowSystem.h"

#include <cstdint>
#include <functional>

namespace morvane {

// A component that calls OnTimer every Interval milliseconds while enabled, on the UI thread.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner = nullptr);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t interval);
    void SetOnTimer(std::function<void(TTimer*)> handler);
    // Stops the timer for good: enabling it again does nothing.
    void EndActivity() override;

private:
    void Restart();
    void Stop();

    bool enabled_{true};
    std::uint32_t interval_{1000};
    std::function<void(TTimer*)> onTimer_;
    TTimerId timer_{0};
};

} // namespace morvane
