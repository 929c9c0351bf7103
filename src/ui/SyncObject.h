#pragma once

#include <memory>
#include <mutex>

namespace morvane {

// A lock that exists only while enabled: Lock and Unlock do nothing while it is absent. The lock is
// re-entrant, so a thread holding it may call operations that take it again. The owner enables or disables
// it while no other thread uses the object.
class TSyncObject {
public:
    TSyncObject() = default;
    virtual ~TSyncObject() = default;
    TSyncObject(const TSyncObject&) = delete;
    TSyncObject& operator=(const TSyncObject&) = delete;

    void Enable(bool enabled);
    bool Enabled() const { return lock_ != nullptr; }
    void Lock();
    void Unlock();

private:
    std::unique_ptr<std::recursive_mutex> lock_;
};

// Holds a TSyncObject's lock for a scope.
class TSyncLock {
public:
    explicit TSyncLock(TSyncObject& object) : object_(object) { object_.Lock(); }
    ~TSyncLock() { object_.Unlock(); }
    TSyncLock(const TSyncLock&) = delete;
    TSyncLock& operator=(const TSyncLock&) = delete;

private:
    TSyncObject& object_;
};

} // namespace morvane
