#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace morvane {

// One picture or cursor compiled into the library under its upper-case resource name.
struct TEmbeddedResource {
    std::string_view Name;
    const std::uint8_t* Data;
    std::size_t Size;
};

// Every compiled-in resource, sorted by name. The table is generated at build time from the drawn
// pictures and cursors.
std::span<const TEmbeddedResource> EmbeddedResourceTable();

// The bytes of the named resource; the name is matched without regard to ASCII case ("bll_TuoPan" finds
// BLL_TUOPAN). Empty when there is no such resource.
std::span<const std::uint8_t> FindEmbeddedResource(std::string_view name);

} // namespace morvane
