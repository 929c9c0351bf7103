#pragma once

#include "plugin/ComCompat.h"

#include <stdexcept>
#include <string>

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

} // namespace morvane
