#include "gui/PictureCache.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace morvane {

namespace {

template <typename TMap, typename TIsDead>
void EraseDead(TMap& entries, TIsDead isDead) {
    for (auto it = entries.begin(); it != entries.end();)
        it = isDead(it->second) ? entries.erase(it) : std::next(it);
}

} // namespace

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

std::string TPictureCache::KeyOf(const TPngImage& picture) const {
    // Only a frozen block can be one kept here, and a frozen block is never written: while this picture
    // holds it, no other block can take its address.
    if (!picture.store_->frozen) return {};
    for (const auto& [key, entry] : entries_)
        if (entry.store.lock() == picture.store_) return key;
    return {};
}

std::shared_ptr<const void> TPictureCache::FindMade(const std::string& key, std::type_index type) {
    const auto it = made_.find(key);
    if (it == made_.end()) return nullptr;
    if (it->second.type != type) throw std::logic_error("shared key \"" + key + "\" names another type");
    std::shared_ptr<const void> thing = it->second.thing.lock();
    if (!thing) made_.erase(it);
    return thing;
}

void TPictureCache::KeepMade(const std::string& key, std::type_index type, std::weak_ptr<const void> thing) {
    DropDeadEntries();
    made_.insert_or_assign(key, TMade{type, std::move(thing)});
}

std::size_t TPictureCache::LiveMadeCount() const {
    std::size_t live = 0;
    for (const auto& entry : made_)
        if (!entry.second.thing.expired()) ++live;
    return live;
}

void TPictureCache::DropDeadEntries() {
    if (entries_.size() + made_.size() < sweepAt_) return;
    EraseDead(entries_, [](const TEntry& entry) { return entry.store.expired(); });
    EraseDead(made_, [](const TMade& made) { return made.thing.expired(); });
    sweepAt_ = std::max<std::size_t>(64, 2 * (entries_.size() + made_.size()));
}

} // namespace morvane
