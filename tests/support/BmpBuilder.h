#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace morvane::test {

// Writes a .bmp byte by byte. `rows` are the file's rows in file order without their padding, which the
// builder adds (with 0xEE bytes, so that padding read as pixels shows); `palette` entries are 0x00RRGGBB.
struct TBmpBuilder {
    using Bytes = std::vector<std::uint8_t>;

    std::int32_t width{1};
    std::int32_t height{1};
    std::uint16_t bits{24};
    std::uint32_t compression{0};
    std::uint32_t headerSize{40};
    std::optional<std::uint32_t> coloursUsed;
    std::vector<std::uint32_t> palette;
    std::array<std::uint32_t, 3> masks{0x00FF0000, 0x0000FF00, 0x000000FF};
    std::vector<Bytes> rows;

    Bytes Build() const;
};

} // namespace morvane::test
