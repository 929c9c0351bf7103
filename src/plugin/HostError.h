#pragma once

#include "plugin/ComCompat.h"

#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

namespace morvane {

// A failure result from a host call; it ends the operation that made the call.
class THostError : public std::runtime_error {
public:
    THostError(const std::string& operation, HRESULT result);
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

// Throws THostError when a host call reports a failure.
void CheckHost(const char* operation, HRESULT result);

// Runs steps that must all run even when one fails (closing a table), keeping the first failure to report
// once they are done.
class TFirstFailure {
public:
    template <typename F>
    void Run(F&& step) {
        try {
            step();
        } catch (...) {
            if (!first_) first_ = std::current_exception();
        }
    }
    void Rethrow() {
        if (first_) std::rethrow_exception(std::exchange(first_, nullptr));
    }

private:
    std::exception_ptr first_;
};

} // namespace morvane
