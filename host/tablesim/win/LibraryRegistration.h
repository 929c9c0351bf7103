#pragma once

#include "plugin/ComCompat.h"

#include <string>

struct HINSTANCE__;

namespace morvane::tablesim {

// The table library registered as an in-process COM server while this object lives: for the current
// user, and for the machine as well where COM reads no per-user classes (Wine's does not). Whatever it
// registered it unregisters again when it goes.
class TLibraryRegistration {
public:
    TLibraryRegistration() = default;
    ~TLibraryRegistration();
    TLibraryRegistration(const TLibraryRegistration&) = delete;
    TLibraryRegistration& operator=(const TLibraryRegistration&) = delete;

    // Loads the library from `path`, registers it and checks that COM now finds the class `classId`;
    // false, with `error` set, when any step fails.
    bool Register(const std::wstring& path, const GUID& classId, std::string& error);
    bool ForMachine() const { return machine_; }

private:
    void Unregister();

    HINSTANCE__* library_{nullptr};
    bool user_{false};
    bool machine_{false};
};

} // namespace morvane::tablesim
