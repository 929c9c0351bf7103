#pragma once

#include "gui/PngImage.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeindex>

namespace morvane {

// Decoded pictures by name, shared by every table of the process: the first table decodes a picture and the
// others get a copy of it that shares its pixels. The cache only watches the pictures (it holds no pixels
// itself), so the pixels go with the last copy: once every table is gone nothing of them is left. A picture
// handed out here is never changed in place; whoever writes to a copy gets pixels of its own first.
//
// What tables make out of those pictures and never change (the composed felt, a skinned panel's background,
// a window shape cut out of a skin) is shared the same way through Shared: made by the first table that
// asks, handed to every other while one of them still holds it.
class TPictureCache {
public:
    // A copy of the live picture kept under `key`, or nothing when no copy of it is alive any more.
    std::unique_ptr<TPngImage> Find(const std::string& key);
    // Watches `picture` under `key` from now on; it is frozen: writing to it or to a copy copies first.
    void Keep(const std::string& key, TPngImage& picture);
    // How many kept pictures still have a copy alive.
    std::size_t LiveCount() const;

    // The key `picture` shares its pixels under (the same block, not merely equal pixels), or an empty
    // string when its pixels are not the ones kept here.
    std::string KeyOf(const TPngImage& picture) const;

    // The thing made under `key` while somebody still holds it, else what `make` makes now, kept for the
    // next caller. Only the holders keep it alive; the same key must always name the same type.
    template <typename T>
    std::shared_ptr<const T> Shared(const std::string& key, const std::function<T()>& make) {
        if (std::shared_ptr<const void> found = FindMade(key, typeid(T)))
            return std::static_pointer_cast<const T>(found);
        auto made = std::make_shared<const T>(make());
        KeepMade(key, typeid(T), made);
        return made;
    }
    // How many made things still have a holder.
    std::size_t LiveMadeCount() const;

private:
    struct TEntry {
        int width;
        int height;
        bool alpha;
        std::weak_ptr<TPngImage::TStore> store;
    };
    struct TMade {
        std::type_index type;
        std::weak_ptr<const void> thing;
    };
    std::shared_ptr<const void> FindMade(const std::string& key, std::type_index type);
    void KeepMade(const std::string& key, std::type_index type, std::weak_ptr<const void> thing);
    void DropDeadEntries();

    std::map<std::string, TEntry> entries_;
    std::map<std::string, TMade> made_;
    // Dead entries are swept when the maps have doubled since the last sweep, so keeping n pictures costs
    // n log n rather than a pass over every entry for each.
    std::size_t sweepAt_{64};
};

} // namespace morvane
