#pragma once

#include "base/Types.h"
#include "gui/PngImage.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace morvane {

// Writes one kind of PNG chunk for a picture of a given size: the data length (big-endian), the four type
// letters, the data and the CRC-32 of type and data (big-endian).
class TPngChunkWriter {
public:
    // Both sides must be positive (std::invalid_argument otherwise).
    TPngChunkWriter(int width, int height, const char (&type)[5]);
    virtual ~TPngChunkWriter() = default;
    TPngChunkWriter(const TPngChunkWriter&) = delete;
    TPngChunkWriter& operator=(const TPngChunkWriter&) = delete;

    // Appends the chunk (or, for image data, the chunks) to the stream.
    virtual void WriteTo(std::vector<std::uint8_t>& stream);

    int Width() const { return width_; }
    int Height() const { return height_; }

protected:
    // Fills data_ with the chunk's content.
    virtual void BuildData() = 0;
    void AppendChunk(std::vector<std::uint8_t>& stream, std::span<const std::uint8_t> data) const;
    void PutU32(std::uint32_t value);
    void PutU8(std::uint8_t value) { data_.push_back(value); }

    std::vector<std::uint8_t> data_;

private:
    int width_;
    int height_;
    std::array<char, 4> type_;
};

// The header: size, 8 bits per sample, RGBA, no interlacing.
class TPngIhdrWriter : public TPngChunkWriter {
public:
    TPngIhdrWriter(int width, int height) : TPngChunkWriter(width, height, "IHDR") {}

protected:
    void BuildData() override;
};

// The physical pixel size: 2835 pixels a metre (72 dpi) both ways.
class TPngPhysWriter : public TPngChunkWriter {
public:
    TPngPhysWriter(int width, int height) : TPngChunkWriter(width, height, "pHYs") {}

protected:
    void BuildData() override;
};

// The image data of a fully transparent picture: every row filtered with Sub, deflated at level 7, and cut
// into chunks of at most 65535 bytes.
class TPngIdatWriter : public TPngChunkWriter {
public:
    static constexpr std::size_t kMaxChunkData = 65535;
    static constexpr int kCompressionLevel = 7;

    TPngIdatWriter(int width, int height) : TPngChunkWriter(width, height, "IDAT") {}
    void WriteTo(std::vector<std::uint8_t>& stream) override;

protected:
    void BuildData() override;
};

class TPngIendWriter : public TPngChunkWriter {
public:
    TPngIendWriter(int width, int height) : TPngChunkWriter(width, height, "IEND") {}

protected:
    void BuildData() override {}
};

// The complete PNG stream of a transparent black RGBA picture: signature, IHDR, pHYs, IDAT…, IEND.
// Sizes must be positive and at most TPngImage::kMaxSide (std::invalid_argument otherwise).
std::vector<std::uint8_t> WriteBlankPictureStream(int width, int height);

// Replaces the picture with a fully transparent RGBA picture of the given size: the picture that decoding
// the stream above gives, made directly. Sizes as for WriteBlankPictureStream.
void MakeBlankPicture(int width, int height, TPngImage& picture);

// Composites src over dest inside destRect (dest pixels), taking source pixels from srcOrigin onward, with
// straight alpha: an opaque source replaces, a transparent one leaves dest, both transparent give white of
// alpha 0. Pictures without alpha count as opaque. The area is cut to dest and to what src has left.
// dest and src must be different pictures and srcOrigin must not be negative (std::invalid_argument).
void ComposeOver(TPngImage& dest, const TPngImage& src, const TRect& destRect, TPoint srcOrigin);

} // namespace morvane
