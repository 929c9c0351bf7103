#include "base/ByteReader.h"

#include <algorithm>
#include <cstring>

namespace morvane {

bool ByteReader::Seek(std::size_t position) {
    if (position > data_.size()) return false;
    pos_ = position;
    return true;
}

bool ByteReader::Skip(std::size_t count) {
    if (!Fits(count)) return false;
    pos_ += count;
    return true;
}

template <typename T>
bool ByteReader::ReadLittleEndian(T& value) {
    using U = std::make_unsigned_t<T>;
    if (!Fits(sizeof(T))) return false;
    U result = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        result |= U(U(data_[pos_ + i]) << (8 * i));
    value = T(result);
    pos_ += sizeof(T);
    return true;
}

bool ByteReader::ReadU8(std::uint8_t& value) {
    return ReadLittleEndian(value);
}
bool ByteReader::ReadU16(std::uint16_t& value) {
    return ReadLittleEndian(value);
}
bool ByteReader::ReadU32(std::uint32_t& value) {
    return ReadLittleEndian(value);
}
bool ByteReader::ReadU64(std::uint64_t& value) {
    return ReadLittleEndian(value);
}
bool ByteReader::ReadI8(std::int8_t& value) {
    return ReadLittleEndian(value);
}
bool ByteReader::ReadI16(std::int16_t& value) {
    return ReadLittleEndian(value);
}
bool ByteReader::ReadI32(std::int32_t& value) {
    return ReadLittleEndian(value);
}
bool ByteReader::ReadI64(std::int64_t& value) {
    return ReadLittleEndian(value);
}

bool ByteReader::ReadBytes(std::span<std::uint8_t> out) {
    if (!Fits(out.size())) return false;
    if (!out.empty()) std::memcpy(out.data(), data_.data() + pos_, out.size());
    pos_ += out.size();
    return true;
}

bool ByteReader::ReadSpan(std::size_t count, std::span<const std::uint8_t>& out) {
    if (!Fits(count)) return false;
    out = data_.subspan(pos_, count);
    pos_ += count;
    return true;
}

bool ByteReader::ReadFixedString(std::size_t width, std::string& out) {
    if (!Fits(width)) return false;
    auto field = data_.subspan(pos_, width);
    auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    out.assign(field.begin(), end);
    pos_ += width;
    return true;
}

bool ByteReader::ReadString(std::size_t count, std::string& out) {
    if (!Fits(count)) return false;
    auto field = data_.subspan(pos_, count);
    out.assign(field.begin(), field.end());
    pos_ += count;
    return true;
}

} // namespace morvane
