#pragma once

#include <cstdio>
#include <string>

namespace morvane::wine {

// The Wine test programs print one line a check and exit 0 only when every one held.
class TChecks {
public:
    void Check(bool held, const std::string& what) {
        std::printf("%s %s\n", held ? "ok    " : "FAILED", what.c_str());
        std::fflush(stdout);
        if (!held) ++failures_;
    }
    int Failures() const { return failures_; }

private:
    int failures_{0};
};

} // namespace morvane::wine
