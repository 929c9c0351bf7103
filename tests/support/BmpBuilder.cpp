#include "support/BmpBuilder.h"

#include <algorithm>

namespace morvane::test {
namespace {

using Bytes = TBmpBuilder::Bytes;

void Put16(Bytes& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

TBmpBuilder::Bytes TBmpBuilder::Build() const {
    Bytes info;
    Put32(info, headerSize);
    Put32(info, std::uint32_t(width));
    Put32(info, std::uint32_t(height));
    Put16(info, 1);
    Put16(info, bits);
    Put32(info, compression);
    info.resize(info.size() + 12); // image size and resolution
    Put32(info, coloursUsed.value_or(std::uint32_t(palette.size())));
    Put32(info, 0);
    if (compression == 3)
        for (std::uint32_t mask : masks)
            Put32(info, mask);
    info.resize(std::max<std::size_t>(info.size(), headerSize));
    for (std::uint32_t entry : palette)
        Put32(info, entry);

    Bytes out{'B', 'M'};
    Bytes pixels;
    for (Bytes row : rows) {
        row.resize((row.size() + 3) / 4 * 4, 0xEE); // padding that must not be read as pixels
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    Put32(out, std::uint32_t(14 + info.size() + pixels.size()));
    Put32(out, 0);
    Put32(out, std::uint32_t(14 + info.size()));
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

} // namespace morvane::test
