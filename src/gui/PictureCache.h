#pragma once

#include "gui/PngImage.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>

namespace morvane {

// Decoded pictures by name, shared by every table of the process: the first table decodes a picture and the
// others get a copy of it that shares its pixels. The cache only watches the pictures (it holds no pixels
// itself), so the pixels go with the last copy: once every table is gone nothing of them is left. A picture
// handed out here is never changed in place; whoever writes to a copy gets pixels of its own first.
class TPictureCache {
public:
    // A copy of the live picture kept under `key`, or nothing when no copy of it is alive any more.
    std::unique_ptr<TPngImage> Find(const std::string& key);
    // Watches `picture` under `key` from now on; it is frozen: writing to it or to a copy copies first.
    void Keep(const std::string& key, TPngImage& picture);
    // How many kept pictures still have a copy alive.
    std::size_t LiveCount() const;

private:
    struct TEntry {
        int width;
        int height;
        bool alpha;
        std::weak_ptr<TPngImage::TStore> store;
    };
    void DropDeadEntries();

    std::map<std::string, TEntry> entries_;
};

} // namespace morvane
