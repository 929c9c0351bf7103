#include "graphics/EmbeddedResources.h"

#include <algorithm>

namespace morvane {

namespace {

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Orders the stored upper-case names against a name in any case, byte by byte as the table is sorted.
int CompareIgnoringCase(std::string_view stored, std::string_view wanted) {
    const std::size_t common = std::min(stored.size(), wanted.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto a = static_cast<unsigned char>(stored[i]);
        const auto b = static_cast<unsigned char>(UpperAscii(wanted[i]));
        if (a != b) return a < b ? -1 : 1;
    }
    if (stored.size() == wanted.size()) return 0;
    return stored.size() < wanted.size() ? -1 : 1;
}

} // namespace

std::span<const std::uint8_t> FindEmbeddedResource(std::string_view name) {
    const std::span<const TEmbeddedResource> table = EmbeddedResourceTable();
    const auto found = std::lower_bound(table.begin(), table.end(), name,
                                        [](const TEmbeddedResource& entry, std::string_view wanted) {
                                            return CompareIgnoringCase(entry.Name, wanted) < 0;
                                        });
    if (found == table.end() || CompareIgnoringCase(found->Name, name) != 0) return {};
    return {found->Data, found->Size};
}

} // namespace morvane
