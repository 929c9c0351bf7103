#include "plugin/ComGuid.h"

#include <cstdio>

namespace morvane {
namespace {

constexpr std::size_t kBracedLength = 38;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at `pos`; false when one of them is not a digit.
bool ReadHex(const std::string& text, std::size_t pos, int digits, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int digit = HexDigit(text[pos + std::size_t(i)]);
        if (digit < 0) return false;
        value = (value << 4) | std::uint32_t(digit);
    }
    return true;
}

} // namespace

std::optional<GUID> GuidFromText(const std::string& text) {
    if (text.size() != kBracedLength || text.front() != '{' || text.back() != '}') return std::nullopt;
    for (std::size_t dash : {9u, 14u, 19u, 24u})
        if (text[dash] != '-') return std::nullopt;
    GUID guid{};
    std::uint32_t part = 0;
    if (!ReadHex(text, 1, 8, part)) return std::nullopt;
    guid.Data1 = part;
    if (!ReadHex(text, 10, 4, part)) return std::nullopt;
    guid.Data2 = std::uint16_t(part);
    if (!ReadHex(text, 15, 4, part)) return std::nullopt;
    guid.Data3 = std::uint16_t(part);
    // The last eight bytes: two in the fourth group, six in the fifth.
    const std::size_t bytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(text, bytePos[i], 2, part)) return std::nullopt;
        guid.Data4[i] = std::uint8_t(part);
    }
    return guid;
}

std::string GuidText(const GUID& g) {
    char text[kBracedLength + 1];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", unsigned(g.Data1),
                  unsigned(g.Data2), unsigned(g.Data3), g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3],
                  g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

} // namespace morvane
