#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace morvane {

// Checked little-endian reads over a byte span. A read that does not fit reports failure and leaves the
// cursor where it was, so a caller can stop at the first short field and keep what it read before.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t Size() const { return data_.size(); }
    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }
    std::span<const std::uint8_t> Rest() const { return data_.subspan(pos_); }

    bool Seek(std::size_t position);
    bool Skip(std::size_t count);

    bool ReadU8(std::uint8_t& value);
    bool ReadU16(std::uint16_t& value);
    bool ReadU32(std::uint32_t& value);
    bool ReadU64(std::uint64_t& value);
    bool ReadI8(std::int8_t& value);
    bool ReadI16(std::int16_t& value);
    bool ReadI32(std::int32_t& value);
    bool ReadI64(std::int64_t& value);

    bool ReadBytes(std::span<std::uint8_t> out);
    bool ReadSpan(std::size_t count, std::span<const std::uint8_t>& out);
    // A fixed field of `width` bytes holding text up to its first zero byte.
    bool ReadFixedString(std::size_t width, std::string& out);
    // `count` bytes taken as text as they are (zero bytes included).
    bool ReadString(std::size_t count, std::string& out);

private:
    bool Fits(std::size_t count) const { return count <= Remaining(); }
    template <typename T>
    bool ReadLittleEndian(T& value);

    std::span<const std::uint8_t> data_;
    std::size_t pos_{0};
};

} // namespace morvane
