#pragma once

#include <map>
#include <mutex>
#include <string>

namespace morvane {

// Factories kept by name for the registries of form classes and game clients: a library's threads may
// register and look up at once, and a factory is copied out so that it runs without the lock held.
template <typename Factory>
class TFactoryRegistry {
public:
    void Add(const std::string& name, Factory factory) {
        std::lock_guard guard(lock_);
        factories_[name] = std::move(factory);
    }
    void Remove(const std::string& name) {
        std::lock_guard guard(lock_);
        factories_.erase(name);
    }
    bool Contains(const std::string& name) const {
        std::lock_guard guard(lock_);
        return factories_.contains(name);
    }
    // An empty factory when nothing of that name is registered.
    Factory Find(const std::string& name) const {
        std::lock_guard guard(lock_);
        auto it = factories_.find(name);
        return it == factories_.end() ? Factory{} : it->second;
    }

private:
    mutable std::mutex lock_;
    std::map<std::string, Factory> factories_;
};

} // namespace morvane
