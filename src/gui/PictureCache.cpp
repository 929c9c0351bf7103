#include "gui/PictureCache.h"

#include <iterator>

namespace morvane {

std::unique_ptr<TPngImage> TPictureCache::Find(const std::string& key) {
    const auto it = entries_.find(key);
    if (it == entries_.end()) return nullptr;
    std::shared_ptr<TPngImage::TStore> store = it->second.store.lock();
    if (!store) {
        entries_.erase(it);
        return nullptr;
    }
    auto picture = std::make_unique<TPngImage>();
    picture->width_ = it->second.width;
    picture->height_ = it->second.height;
    picture->alpha_ = it->second.alpha;
    picture->store_ = std::move(store);
    return picture;
}

void TPictureCache::Keep(const std::string& key, TPngImage& picture) {
    DropDeadEntries();
    picture.store_->frozen = true;
    entries_[key] = TEntry{picture.width_, picture.height_, picture.alpha_, picture.store_};
}

std::size_t TPictureCache::LiveCount() const {
    std::size_t live = 0;
    for (const auto& entry : entries_)
        if (!entry.second.store.expired()) ++live;
    return live;
}

void TPictureCache::DropDeadEntries() {
    for (auto it = entries_.begin(); it != entries_.end();)
        it = it->second.store.expired() ? entries_.erase(it) : std::next(it);
}

} // namespace morvane
