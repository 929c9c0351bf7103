#include "base/ShellAddress.h"

#include "base/Gbk.h"

#include <cstdint>

namespace morvane {
namespace {

bool BreaksTheArgument(std::uint8_t byte) {
    return byte < 0x20 || byte == 0x7F || byte == ' ' || byte == '"';
}

void AppendEscape(std::string& out, std::uint8_t byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

} // namespace

std::string ShellSafeAddress(std::string_view address) {
    // Where the run of single-byte backslashes that ends the address starts, if one does.
    std::size_t run = std::string_view::npos;
    for (std::size_t pos = 0; pos < address.size(); pos += gbk::CharLength(address, pos)) {
        const bool backslash = gbk::CharLength(address, pos) == 1 && address[pos] == '\\';
        if (!backslash)
            run = std::string_view::npos;
        else if (run == std::string_view::npos)
            run = pos;
    }
    const std::size_t tail = run == std::string_view::npos ? address.size() : run;
    std::string out;
    out.reserve(address.size());
    for (std::size_t pos = 0; pos < address.size();) {
        const std::size_t length = gbk::CharLength(address, pos);
        const auto byte = std::uint8_t(address[pos]);
        if (length == 1 && (BreaksTheArgument(byte) || pos >= tail))
            AppendEscape(out, byte);
        else
            out.append(address, pos, length);
        pos += length;
    }
    return out;
}

} // namespace morvane
