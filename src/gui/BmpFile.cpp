#include "gui/BmpFile.h"

#include "base/ByteReader.h"
#include "gui/PngImage.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace morvane {
namespace {

// Pictures of either file format share one bound, so a hostile header cannot ask for gigabytes.
constexpr int kMaxSide = TPngImage::kMaxSide;

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kCompressionBitfields = 3;
// Red, green and blue masks of 32-bit pixels stored as blue, green, red and an unused byte: the only
// field layout whose pixels are read.
constexpr std::array<std::uint32_t, 3> kStandardMasks{0x00FF0000, 0x0000FF00, 0x000000FF};

// What the file and info headers say, the colour masks included when the pixels are bit fields.
struct TBmpHeader {
    std::uint32_t pixelOffset{0};
    std::uint32_t headerSize{0};
    std::int32_t width{0};
    std::int32_t height{0};
    std::uint16_t bitCount{0};
    std::uint32_t compression{0};
    std::uint32_t coloursUsed{0};
    std::array<std::uint32_t, 3> masks{};
};

bool Fail(std::string& error, std::string message) {
    error = std::move(message);
    return false;
}

// BITMAPINFOHEADER, its two extensions with colour masks, BITMAPV4HEADER and BITMAPV5HEADER.
bool IsKnownHeaderSize(std::uint32_t size) {
    return size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 || size == 124;
}

bool ReadFileHeader(ByteReader& reader, TBmpHeader& header, std::string& error) {
    std::uint8_t b = 0;
    std::uint8_t m = 0;
    if (!reader.ReadU8(b) || !reader.ReadU8(m) || b != 'B' || m != 'M')
        return Fail(error, "Not a bitmap file");
    std::uint32_t fileSize = 0;
    std::uint32_t reserved = 0;
    if (!reader.ReadU32(fileSize) || !reader.ReadU32(reserved) || !reader.ReadU32(header.pixelOffset))
        return Fail(error, "Truncated bitmap");
    return true;
}

// Leaves the reader at the first palette entry (or where one would be).
bool ReadInfoHeader(ByteReader& reader, TBmpHeader& header, std::string& error) {
    const std::size_t start = reader.Position();
    if (!reader.ReadU32(header.headerSize)) return Fail(error, "Truncated bitmap");
    if (!IsKnownHeaderSize(header.headerSize))
        return Fail(error, "Unsupported bitmap header size " + std::to_string(header.headerSize));
    std::uint16_t planes = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPixelsPerMetre = 0;
    std::int32_t yPixelsPerMetre = 0;
    std::uint32_t coloursImportant = 0;
    if (!reader.ReadI32(header.width) || !reader.ReadI32(header.height) || !reader.ReadU16(planes) ||
        !reader.ReadU16(header.bitCount) || !reader.ReadU32(header.compression) ||
        !reader.ReadU32(imageSize) || !reader.ReadI32(xPixelsPerMetre) || !reader.ReadI32(yPixelsPerMetre) ||
        !reader.ReadU32(header.coloursUsed) || !reader.ReadU32(coloursImportant))
        return Fail(error, "Truncated bitmap");
    // The masks follow the 40 bytes either way: inside the larger headers, or as three extra words after a
    // plain BITMAPINFOHEADER.
    if (header.compression == kCompressionBitfields) {
        for (std::uint32_t& mask : header.masks)
            if (!reader.ReadU32(mask)) return Fail(error, "Truncated bitmap");
    }
    if (reader.Position() < start + header.headerSize && !reader.Seek(start + header.headerSize))
        return Fail(error, "Truncated bitmap");
    return true;
}

bool CheckFormat(const TBmpHeader& header, std::string& error) {
    if (header.width <= 0 || header.height == 0 || header.height == std::numeric_limits<std::int32_t>::min())
        return Fail(error, "Bad bitmap size " + std::to_string(header.width) + " x " +
                               std::to_string(header.height));
    if (header.width > kMaxSide || std::abs(header.height) > kMaxSide) return Fail(error, "Bitmap too large");
    if (header.compression != kCompressionRgb && header.compression != kCompressionBitfields)
        return Fail(error, "Unsupported bitmap compression " + std::to_string(header.compression));
    const int bits = header.bitCount;
    const bool palettised = bits == 1 || bits == 4 || bits == 8;
    const bool rgbDepth = palettised || bits == 24 || bits == 32;
    const bool depthFits = header.compression == kCompressionRgb ? rgbDepth : bits == 32;
    if (!depthFits) return Fail(error, "Unsupported bitmap depth " + std::to_string(bits));
    if (header.compression == kCompressionBitfields && header.masks != kStandardMasks)
        return Fail(error, "Unsupported bitmap colour masks");
    return true;
}

// True-colour files may carry a palette as a hint for displays with few colours; it is not needed.
bool ReadPalette(ByteReader& reader, const TBmpHeader& header, std::vector<TColor>& palette,
                 std::string& error) {
    if (header.bitCount > 8) return true;
    const std::uint32_t capacity = 1u << header.bitCount;
    const std::uint32_t count = header.coloursUsed == 0 ? capacity : header.coloursUsed;
    if (count > capacity) return Fail(error, "Bad bitmap palette size " + std::to_string(count));
    palette.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::array<std::uint8_t, 4> entry{}; // blue, green, red, reserved
        if (!reader.ReadBytes(entry)) return Fail(error, "Truncated bitmap");
        palette.push_back(RGB(entry[2], entry[1], entry[0]));
    }
    return true;
}

// Writes one row of pf24bit pixels (blue, green, red) from a file row that is known to be long enough.
bool DecodeRow(std::span<const std::uint8_t> source, const TBmpHeader& header,
               const std::vector<TColor>& palette, std::uint8_t* target, std::string& error) {
    const int bits = header.bitCount;
    if (bits == 24) {
        std::copy_n(source.begin(), std::size_t(header.width) * 3, target);
        return true;
    }
    if (bits == 32) {
        for (int x = 0; x < header.width; ++x)
            std::copy_n(source.begin() + std::size_t(x) * 4, 3, target + std::size_t(x) * 3);
        return true;
    }
    const unsigned indexMask = (1u << bits) - 1;
    for (int x = 0; x < header.width; ++x) {
        const std::size_t bitPosition = std::size_t(x) * bits;
        // The leftmost pixel sits in the highest bits of its byte.
        const unsigned shift = 8 - bits - unsigned(bitPosition % 8);
        const unsigned index = (source[bitPosition / 8] >> shift) & indexMask;
        if (index >= palette.size())
            return Fail(error, "Bitmap palette index " + std::to_string(index) + " out of range");
        const TColor colour = palette[index];
        std::uint8_t* pixel = target + std::size_t(x) * 3;
        pixel[0] = GetBValue(colour);
        pixel[1] = GetGValue(colour);
        pixel[2] = GetRValue(colour);
    }
    return true;
}

} // namespace

bool LoadBmp(std::span<const std::uint8_t> bytes, TBitmap& bitmap, std::string& error) {
    ByteReader reader(bytes);
    TBmpHeader header;
    if (!ReadFileHeader(reader, header, error) || !ReadInfoHeader(reader, header, error) ||
        !CheckFormat(header, error))
        return false;
    std::vector<TColor> palette;
    if (!ReadPalette(reader, header, palette, error)) return false;
    // Pixels overlapping the headers would be read as nonsense; a writer that put them there is broken.
    if (header.pixelOffset < reader.Position())
        return Fail(error, "Bad bitmap pixel offset " + std::to_string(header.pixelOffset));

    // The sides are at most kMaxSide, so these products fit even a 32-bit size_t.
    const int rows = std::abs(header.height);
    const std::size_t rowBytes = (std::size_t(header.width) * header.bitCount + 31) / 32 * 4;
    const std::size_t pixelBytes = rowBytes * std::size_t(rows);
    std::span<const std::uint8_t> pixels;
    if (!reader.Seek(header.pixelOffset) || !reader.ReadSpan(pixelBytes, pixels))
        return Fail(error, "Truncated bitmap");

    const bool topDown = header.height < 0;
    TBitmap decoded(header.width, rows, TPixelFormat::pf24bit);
    for (int fileRow = 0; fileRow < rows; ++fileRow) {
        const int y = topDown ? fileRow : rows - 1 - fileRow;
        if (!DecodeRow(pixels.subspan(std::size_t(fileRow) * rowBytes, rowBytes), header, palette,
                       decoded.ScanLine(y), error))
            return false;
    }
    bitmap = std::move(decoded);
    error.clear();
    return true;
}

bool LoadBmpFile(const std::string& hostPath, TBitmap& bitmap, std::string& error) {
    std::ifstream file(hostPath, std::ios::binary);
    if (!file) return Fail(error, "Cannot open the bitmap file " + hostPath);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>()};
    if (file.bad()) return Fail(error, "Cannot read the bitmap file " + hostPath);
    return LoadBmp(bytes, bitmap, error);
}

} // namespace morvane
