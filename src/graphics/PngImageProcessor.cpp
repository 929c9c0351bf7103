#include "graphics/PngImageProcessor.h"

#include "gui/Application.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <zlib.h>

namespace morvane {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kFilterSub = 1;

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value >> 24));
    out.push_back(std::uint8_t(value >> 16));
    out.push_back(std::uint8_t(value >> 8));
    out.push_back(std::uint8_t(value));
}

std::string SizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

void CheckBlankSize(int width, int height) {
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("a blank picture needs a positive size, not " + SizeText(width, height));
    if (width > TPngImage::kMaxSide || height > TPngImage::kMaxSide)
        throw std::invalid_argument("a blank picture of " + SizeText(width, height) + " is too large");
}

// value / divisor rounded to the nearest integer, ties to even.
inline std::uint32_t DivideRoundingHalfEven(std::uint32_t value, std::uint32_t divisor) {
    std::uint32_t quotient = value / divisor;
    const std::uint32_t twiceRemainder = 2 * (value - quotient * divisor);
    if (twiceRemainder > divisor || (twiceRemainder == divisor && (quotient & 1))) ++quotient;
    return quotient;
}

// value / 255 rounded to the nearest integer for value in 0 … 65025 (255 is odd, so there are no ties).
inline std::uint32_t DivideBy255(std::uint32_t value) {
    value += 128;
    return (value + (value >> 8)) >> 8;
}

// One destination pixel under one source pixel. sourceAlpha and destAlpha are 255 for pictures without
// alpha; destPixel[3] is written only when the destination has alpha.
inline void ComposePixel(std::uint8_t* destPixel, std::uint32_t destAlpha, bool destHasAlpha,
                         const std::uint8_t* sourcePixel, std::uint32_t sourceAlpha) {
    if (sourceAlpha == 255 || (destAlpha == 0 && sourceAlpha != 0)) {
        // Opaque source, or a visible source over nothing: the source pixel as it is.
        destPixel[0] = sourcePixel[0];
        destPixel[1] = sourcePixel[1];
        destPixel[2] = sourcePixel[2];
        if (destHasAlpha) destPixel[3] = std::uint8_t(sourceAlpha);
        return;
    }
    if (sourceAlpha == 0) {
        if (destAlpha != 0) return; // the destination stays exactly as it is
        destPixel[0] = destPixel[1] = destPixel[2] = 255;
        if (destHasAlpha) destPixel[3] = 0;
        return;
    }
    const std::uint32_t sourceWeight = sourceAlpha * 255;
    if (destAlpha == 255) {
        // The resulting alpha is 255 and the weights share the factor 255.
        for (int c = 0; c < 3; ++c)
            destPixel[c] =
                std::uint8_t(DivideBy255((255 - sourceAlpha) * destPixel[c] + sourceAlpha * sourcePixel[c]));
        return;
    }
    const std::uint32_t destWeight = (255 - sourceAlpha) * destAlpha;
    const std::uint32_t scaledAlpha = destWeight + sourceWeight; // = 65025 − (255 − As)(255 − Ad)
    for (int c = 0; c < 3; ++c)
        destPixel[c] = std::uint8_t(
            DivideRoundingHalfEven(destWeight * destPixel[c] + sourceWeight * sourcePixel[c], scaledAlpha));
    if (destHasAlpha) destPixel[3] = std::uint8_t(DivideBy255(scaledAlpha));
}

// Source pixels [from, from + count) of one RGBA row over an RGBA destination row, a stretch of one
// alpha kind at a time (a chip is mostly clear corners and an opaque face): the same bytes ComposePixel
// writes, without weighing every pixel.
void ComposeRowByRuns(std::uint8_t* dest, const std::uint8_t* sourceRow,
                      std::span<const TPngImage::TPixelRun> runs, int from, int count) {
    const int to = from + count;
    int x = 0;
    for (const TPngImage::TPixelRun& run : runs) {
        const int begin = std::max(x, from);
        x += run.Length;
        const int end = std::min(x, to);
        if (begin < end) {
            std::uint8_t* out = dest + std::size_t(begin - from) * 4;
            const std::uint8_t* in = sourceRow + std::size_t(begin) * 4;
            const int length = end - begin;
            switch (run.Kind) {
            case TPngImage::TAlphaRun::Opaque:
                std::memcpy(out, in, std::size_t(length) * 4);
                break;
            case TPngImage::TAlphaRun::Transparent:
                for (int i = 0; i < length; ++i, out += 4)
                    ComposePixel(out, out[3], true, in, 0);
                break;
            case TPngImage::TAlphaRun::Blended:
                for (int i = 0; i < length; ++i, out += 4, in += 4)
                    ComposePixel(out, out[3], true, in, in[3]);
                break;
            }
        }
        if (x >= to) break;
    }
}

} // namespace

TPngChunkWriter::TPngChunkWriter(int width, int height, const char (&type)[5])
    : width_(width), height_(height), type_{type[0], type[1], type[2], type[3]} {
    if (width <= 0 || height <= 0)
        throw std::invalid_argument(std::string(type) + " chunk needs a positive size, not " +
                                    SizeText(width, height));
}

void TPngChunkWriter::WriteTo(std::vector<std::uint8_t>& stream) {
    data_.clear();
    BuildData();
    AppendChunk(stream, data_);
}

void TPngChunkWriter::AppendChunk(std::vector<std::uint8_t>& stream,
                                  std::span<const std::uint8_t> data) const {
    AppendU32(stream, std::uint32_t(data.size()));
    const std::size_t typeAt = stream.size();
    stream.insert(stream.end(), type_.begin(), type_.end());
    stream.insert(stream.end(), data.begin(), data.end());
    // The CRC covers the type letters and the data, which now lie together at the end of the stream.
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), stream.data() + typeAt, uInt(stream.size() - typeAt));
    AppendU32(stream, std::uint32_t(crc));
}

void TPngChunkWriter::PutU32(std::uint32_t value) {
    AppendU32(data_, value);
}

void TPngIhdrWriter::BuildData() {
    PutU32(std::uint32_t(Width()));
    PutU32(std::uint32_t(Height()));
    PutU8(8); // bits per sample
    PutU8(6); // colour type: RGBA
    PutU8(0); // compression: deflate
    PutU8(0); // filter method: adaptive
    PutU8(0); // no interlacing
}

void TPngPhysWriter::BuildData() {
    constexpr std::uint32_t kPixelsPerMetre = 2835;
    PutU32(kPixelsPerMetre);
    PutU32(kPixelsPerMetre);
    PutU8(1); // unit: metre
}

void TPngIdatWriter::BuildData() {
    // Every row is the same (the Sub filter byte, then zeros), so one row is fed to deflate once per line.
    std::vector<std::uint8_t> row(1 + std::size_t(Width()) * 4, 0);
    row[0] = kFilterSub;
    const std::size_t total = row.size() * std::size_t(Height());

    z_stream zs{};
    if (deflateInit(&zs, kCompressionLevel) != Z_OK) throw std::runtime_error("deflate could not start");
    data_.resize(deflateBound(&zs, uLong(total)));
    zs.next_out = data_.data();
    zs.avail_out = uInt(data_.size());
    int result = Z_OK;
    for (int y = 0; y < Height() && result == Z_OK; ++y) {
        zs.next_in = row.data();
        zs.avail_in = uInt(row.size());
        result = deflate(&zs, y + 1 == Height() ? Z_FINISH : Z_NO_FLUSH);
    }
    const std::size_t written = zs.total_out;
    deflateEnd(&zs);
    if (result != Z_STREAM_END) throw std::runtime_error("deflate of the image rows failed");
    data_.resize(written);
}

void TPngIdatWriter::WriteTo(std::vector<std::uint8_t>& stream) {
    data_.clear();
    BuildData();
    const std::span<const std::uint8_t> all(data_);
    for (std::size_t at = 0; at < all.size(); at += kMaxChunkData)
        AppendChunk(stream, all.subspan(at, std::min(kMaxChunkData, all.size() - at)));
}

std::vector<std::uint8_t> WriteBlankPictureStream(int width, int height) {
    CheckBlankSize(width, height);
    std::vector<std::uint8_t> stream(kPngSignature.begin(), kPngSignature.end());
    TPngIhdrWriter(width, height).WriteTo(stream);
    TPngPhysWriter(width, height).WriteTo(stream);
    TPngIdatWriter(width, height).WriteTo(stream);
    TPngIendWriter(width, height).WriteTo(stream);
    return stream;
}

void MakeBlankPicture(int width, int height, TPngImage& picture) {
    CheckBlankSize(width, height);
    // Decoding WriteBlankPictureStream gives exactly this picture (RGBA, every byte 0), but deflating and
    // inflating the rows costs milliseconds for a chip heap, and heaps are made while the table animates.
    // Most heaps of most tables stay blank for much of a round, so blank pictures of one size share their
    // zeros until the first chip is laid on one (which gives that heap pixels of its own).
    const std::string key = "blank " + std::to_string(width) + "x" + std::to_string(height);
    TPictureCache* cache = HasApplication() ? &Application().Pictures() : nullptr;
    if (cache != nullptr) {
        if (std::unique_ptr<TPngImage> shared = cache->Find(key)) {
            picture = *shared;
            return;
        }
    }
    picture = TPngImage(width, height, true);
    if (cache != nullptr) cache->Keep(key, picture);
}

void ComposeOver(TPngImage& dest, const TPngImage& src, const TRect& destRect, TPoint srcOrigin) {
    if (&dest == &src) throw std::invalid_argument("a picture cannot be composed over itself");
    if (srcOrigin.x < 0 || srcOrigin.y < 0)
        throw std::invalid_argument("the source origin must not be negative");

    const std::int64_t left = std::max(destRect.left, 0);
    const std::int64_t top = std::max(destRect.top, 0);
    const std::int64_t right = std::min(
        {std::int64_t(destRect.right), std::int64_t(dest.Width()), left + src.Width() - srcOrigin.x});
    const std::int64_t bottom = std::min(
        {std::int64_t(destRect.bottom), std::int64_t(dest.Height()), top + src.Height() - srcOrigin.y});
    if (right <= left || bottom <= top) return;

    const int destStep = dest.BytesPerPixel();
    const int sourceStep = src.BytesPerPixel();
    const bool destHasAlpha = dest.HasAlpha();
    const bool sourceHasAlpha = src.HasAlpha();
    const int width = int(right - left);
    if (destHasAlpha && sourceHasAlpha) {
        for (std::int64_t y = top; y < bottom; ++y) {
            const int sourceRow = int(y - top + srcOrigin.y);
            ComposeRowByRuns(dest.Scanline(int(y)) + std::size_t(left) * 4, src.Scanline(sourceRow),
                             src.FramebufferRuns(sourceRow), srcOrigin.x, width);
        }
        return;
    }
    for (std::int64_t y = top; y < bottom; ++y) {
        std::uint8_t* destPixel = dest.Scanline(int(y)) + std::size_t(left) * destStep;
        const std::uint8_t* sourcePixel =
            src.Scanline(int(y - top + srcOrigin.y)) + std::size_t(srcOrigin.x) * sourceStep;
        for (int x = 0; x < width; ++x, destPixel += destStep, sourcePixel += sourceStep) {
            const std::uint32_t sourceAlpha = sourceHasAlpha ? sourcePixel[3] : 255;
            const std::uint32_t destAlpha = destHasAlpha ? destPixel[3] : 255;
            ComposePixel(destPixel, destAlpha, destHasAlpha, sourcePixel, sourceAlpha);
        }
    }
}

} // namespace morvane
