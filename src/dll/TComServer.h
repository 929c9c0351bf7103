#pragma once

#include "base/FileVersionInfomation.h"
#include "plugin/ComCompat.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

struct HINSTANCE__;

namespace morvane {

class TApplication;
class TWin32Platform;

// The library as an in-process COM server: its one class (identity, name and description from the
// version resource of its own file), the server locks and live class factories that keep it loaded,
// and the platform the tables run on, made on the thread of the first table and given up when the
// library becomes unloadable.
class TComServer {
public:
    // The library's server; one per loaded module.
    static TComServer& Instance();

    // Reads the version record of the module's own file and the class identity from its "Comments";
    // false when the file has no version record or the identity is malformed: the library then refuses
    // to load.
    bool Initialize(HINSTANCE__* module);

    const GUID& ClassId() const { return classId_; }
    std::string ClassIdText() const;
    // The class name registers a ProgID "<file stem>.<class name>"; an empty one registers none.
    const std::string& ClassName() const { return className_; }
    const std::string& Description() const { return description_; }
    std::string ProgId() const;
    std::string ModuleFileName() const;
    HINSTANCE__* Module() const { return module_; }

    void Lock(bool lock) { locks_ += lock ? 1 : -1; }
    void FactoryCreated() { ++factories_; }
    void FactoryDestroyed() { --factories_; }
    // No table, no factory and no lock is left.
    bool Idle() const;

    // Makes sure a platform runs on the calling thread for a new table; throws when the tables already
    // run on another thread, as one apartment holds them all.
    void EnsureRuntime();
    // Gives up the platform when the library is idle and the call comes from the platform's thread;
    // true when nothing of the runtime is left.
    bool ReleaseRuntimeIfIdle();

private:
    TComServer() = default;
    ~TComServer();

    HINSTANCE__* module_{nullptr};
    GUID classId_{};
    std::string className_;
    std::string description_;
    std::atomic<long> locks_{0};
    std::atomic<long> factories_{0};
    std::thread::id runtimeThread_;
    std::unique_ptr<TWin32Platform> platform_;
    std::unique_ptr<TApplication> application_;
};

} // namespace morvane
