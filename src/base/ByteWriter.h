#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace morvane {

// Little-endian writes appended to a byte vector; records are written field by field at their exact length.
class ByteWriter {
public:
    ByteWriter() = default;
    explicit ByteWriter(std::size_t reserve) { bytes_.reserve(reserve); }

    void WriteU8(std::uint8_t value) { bytes_.push_back(value); }
    void WriteU16(std::uint16_t value) { WriteLittleEndian(value, 2); }
    void WriteU32(std::uint32_t value) { WriteLittleEndian(value, 4); }
    void WriteU64(std::uint64_t value) { WriteLittleEndian(value, 8); }
    void WriteI8(std::int8_t value) { WriteU8(std::uint8_t(value)); }
    void WriteI16(std::int16_t value) { WriteU16(std::uint16_t(value)); }
    void WriteI32(std::int32_t value) { WriteU32(std::uint32_t(value)); }
    void WriteI64(std::int64_t value) { WriteU64(std::uint64_t(value)); }
    void WriteBytes(std::span<const std::uint8_t> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    void WriteString(std::string_view text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
    // A fixed field of `width` bytes: the text cut so that no double-byte character is split, then zeros.
    void WriteFixedString(std::string_view text, std::size_t width);
    void WriteZeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    void WriteLittleEndian(std::uint64_t value, int width) {
        for (int i = 0; i < width; ++i)
            bytes_.push_back(std::uint8_t(value >> (8 * i)));
    }

    std::vector<std::uint8_t> bytes_;
};

} // namespace morvane
