#pragma once

#include <utility>

namespace morvane {

// Runs its action when the scope ends, by return or by exception.
template <typename F>
class TScopeExit {
public:
    explicit TScopeExit(F done) : done_(std::move(done)) {}
    ~TScopeExit() { done_(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    F done_;
};

} // namespace morvane
