#include "ui/SyncObject.h"

namespace morvane {

void TSyncObject::Enable(bool enabled) {
    if (enabled && !lock_)
        lock_ = std::make_unique<std::recursive_mutex>();
    else if (!enabled)
        lock_.reset();
}

void TSyncObject::Lock() {
    if (lock_) lock_->lock();
}

void TSyncObject::Unlock() {
    if (lock_) lock_->unlock();
}

} // namespace morvane
