#include "gui/PngImage.h"

#include "base/Paths.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <png.h>
#include <stdexcept>

// libpng reports errors by longjmp. Every function below that calls into libpng under a setjmp keeps only
// trivially destructible locals, so the jump never skips a destructor; the structures themselves are owned
// by RAII guards in the callers, outside the jumping frames.

namespace morvane {
namespace {

constexpr std::size_t kMessageSize = 160;

// State shared with the libpng callbacks; plain data only.
struct TPngIo {
    const std::uint8_t* data{nullptr};
    std::size_t size{0};
    std::size_t position{0};
    bool truncated{false};
    std::vector<std::uint8_t>* output{nullptr};
    bool outOfMemory{false};
    char message[kMessageSize]{};
};

TPngIo& IoOf(png_structp png) {
    return *static_cast<TPngIo*>(png_get_error_ptr(png));
}

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    TPngIo& io = IoOf(png);
    std::snprintf(io.message, sizeof io.message, "%s", message ? message : "unknown error");
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnRead(png_structp png, png_bytep target, png_size_t length) {
    TPngIo& io = *static_cast<TPngIo*>(png_get_io_ptr(png));
    if (length > io.size - io.position) {
        io.truncated = true;
        png_error(png, "unexpected end of data");
    }
    std::memcpy(target, io.data + io.position, length);
    io.position += length;
}

void OnWrite(png_structp png, png_bytep data, png_size_t length) {
    TPngIo& io = *static_cast<TPngIo*>(png_get_io_ptr(png));
    try {
        io.output->insert(io.output->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        io.outOfMemory = true;
    }
    if (io.outOfMemory) png_error(png, "out of memory");
}

void OnFlush(png_structp) {}

class TReadStructs {
public:
    explicit TReadStructs(TPngIo& io) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &io, OnError, OnWarning);
        if (png_) info_ = png_create_info_struct(png_);
    }
    ~TReadStructs() { png_destroy_read_struct(png_ ? &png_ : nullptr, info_ ? &info_ : nullptr, nullptr); }
    TReadStructs(const TReadStructs&) = delete;
    TReadStructs& operator=(const TReadStructs&) = delete;
    bool Ok() const { return png_ && info_; }
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

private:
    png_structp png_{nullptr};
    png_infop info_{nullptr};
};

class TWriteStructs {
public:
    explicit TWriteStructs(TPngIo& io) {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &io, OnError, OnWarning);
        if (png_) info_ = png_create_info_struct(png_);
    }
    ~TWriteStructs() { png_destroy_write_struct(png_ ? &png_ : nullptr, info_ ? &info_ : nullptr); }
    TWriteStructs(const TWriteStructs&) = delete;
    TWriteStructs& operator=(const TWriteStructs&) = delete;
    bool Ok() const { return png_ && info_; }
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

private:
    png_structp png_{nullptr};
    png_infop info_{nullptr};
};

struct THeader {
    png_uint_32 width{0};
    png_uint_32 height{0};
    int channels{0};
    png_size_t rowBytes{0};
};

void SkipChecksums(png_structp png) {
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#ifdef PNG_IGNORE_ADLER32
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
}

// Reads the header and sets up the conversion to 8-bit RGB or RGBA.
bool ReadHeader(png_structp png, png_infop info, bool skipChecksums, THeader* header) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, TPngImage::kMaxSide, TPngImage::kMaxSide);
    if (skipChecksums) SkipChecksums(png);
    png_read_info(png, info);
    const int colourType = png_get_color_type(png, info);
    png_set_expand(png);
    png_set_scale_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    header->width = png_get_image_width(png, info);
    header->height = png_get_image_height(png, info);
    header->channels = png_get_channels(png, info);
    header->rowBytes = png_get_rowbytes(png, info);
    return true;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

bool WriteRows(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height, int colourType,
               png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, width, height, 8, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

} // namespace

void TPngImage::SetSize(int width, int height, bool alpha) {
    Resize(width, height, alpha);
    std::fill(store_->pixels.begin(), store_->pixels.end(), std::uint8_t{0});
}

void TPngImage::Resize(int width, int height, bool alpha) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width > kMaxSide || height > kMaxSide)
        throw std::length_error("picture of " + std::to_string(width) + " x " + std::to_string(height) +
                                " pixels is too large");
    width_ = width;
    height_ = height;
    alpha_ = alpha;
    store_ = std::make_shared<TStore>();
    store_->pixels.resize(Stride() * height_);
}

const std::uint32_t* TPngImage::FramebufferRow(int y) const {
    if (Empty()) return nullptr;
    MakeFramebufferRow(y);
    return store_->framebufferForm.data() + std::size_t(y) * width_;
}

std::span<const TPngImage::TPixelRun> TPngImage::FramebufferRuns(int y) const {
    if (Empty()) return {};
    MakeFramebufferRow(y);
    return store_->rowRuns[std::size_t(y)];
}

void TPngImage::MakeFramebufferRow(int y) const {
    TStore& store = *store_;
    if (store.framebufferForm.empty()) {
        store.framebufferForm.resize(std::size_t(width_) * height_);
        store.rowRuns.assign(std::size_t(height_), {});
        store.staleRows.assign(std::size_t(height_), 1);
    }
    if (!store.staleRows[std::size_t(y)]) return;
    store.staleRows[std::size_t(y)] = 0;
    // The width is read once: the words written below could alias this picture's int members as far as
    // the compiler knows, which kept it from vectorising the loops.
    const int width = width_;
    std::uint32_t* word = store.framebufferForm.data() + std::size_t(y) * width;
    const std::uint8_t* p = Scanline(y);
    std::vector<TPixelRun>& runs = store.rowRuns[std::size_t(y)];
    runs.clear();
    if (!alpha_) {
        for (int x = 0; x < width; ++x, p += 3)
            word[x] = 0xFF000000u | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
        runs.push_back({std::uint16_t(width), TAlphaRun::Opaque});
        return;
    }
    // R, G, B, A bytes read as one little-endian word are 0xAABBGGRR: swapping red and blue gives the
    // framebuffer word, in a loop the compiler turns into vector shuffles.
    static_assert(std::endian::native == std::endian::little);
    for (int x = 0; x < width; ++x, p += 4) {
        std::uint32_t bytes;
        std::memcpy(&bytes, p, sizeof bytes);
        word[x] = (bytes & 0xFF00FF00u) | ((bytes & 0xFFu) << 16) | ((bytes >> 16) & 0xFFu);
    }
    const auto alphaOf = [word](int x) { return word[x] >> 24; };
    for (int x = 0; x < width;) {
        const std::uint32_t alpha = alphaOf(x);
        const int begin = x++;
        TAlphaRun kind = TAlphaRun::Blended;
        if (alpha == 0) {
            kind = TAlphaRun::Transparent;
            while (x < width && alphaOf(x) == 0)
                ++x;
        } else if (alpha == 255) {
            kind = TAlphaRun::Opaque;
            while (x < width && alphaOf(x) == 255)
                ++x;
        } else {
            while (x < width && alphaOf(x) - 1u < 254u)
                ++x;
        }
        runs.push_back({std::uint16_t(x - begin), kind});
    }
}

bool TPngImage::Fail(std::string message) {
    Clear();
    error_ = std::move(message);
    return false;
}

bool TPngImage::LoadFromBytes(std::span<const std::uint8_t> data, TChecksums checksums) {
    constexpr std::size_t kSignatureSize = 8;
    if (data.size() < kSignatureSize || png_sig_cmp(data.data(), 0, kSignatureSize) != 0)
        return Fail("not a PNG picture (the signature is missing)");

    TPngIo io;
    io.data = data.data();
    io.size = data.size();
    TReadStructs structs(io);
    if (!structs.Ok()) return Fail("PNG decoder could not be created");
    png_set_read_fn(structs.Png(), &io, OnRead);

    THeader header;
    auto failure = [&io](const char* stage) {
        if (io.truncated) return std::string("PNG data is truncated (") + stage + ")";
        return std::string("corrupt PNG data (") + stage + "): " + io.message;
    };
    if (!ReadHeader(structs.Png(), structs.Info(), checksums == TChecksums::Skip, &header))
        return Fail(failure("header"));
    if (header.channels != 3 && header.channels != 4)
        return Fail("unsupported PNG pixel layout (" + std::to_string(header.channels) + " channels)");

    // The decoder writes every pixel, so the block is not cleared first.
    Resize(int(header.width), int(header.height), header.channels == 4);
    if (header.rowBytes != Stride()) return Fail("unsupported PNG row layout");
    std::vector<png_bytep> rows(height_);
    for (int y = 0; y < height_; ++y)
        rows[y] = Scanline(y);
    if (!ReadRows(structs.Png(), structs.Info(), rows.data())) return Fail(failure("image data"));
    error_.clear();
    return true;
}

bool TPngImage::LoadFromFile(const std::string& systemPath) {
    std::ifstream file(paths::ToHost(systemPath), std::ios::binary);
    if (!file) return Fail("cannot open the picture file " + systemPath);
    const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(file),
                                         std::istreambuf_iterator<char>()};
    if (file.bad()) return Fail("cannot read the picture file " + systemPath);
    return LoadFromBytes(data);
}

std::vector<std::uint8_t> TPngImage::SaveToBytes() const {
    std::vector<std::uint8_t> out;
    if (Empty()) return out;
    TPngIo io;
    io.output = &out;
    TWriteStructs structs(io);
    if (!structs.Ok()) throw std::bad_alloc();
    png_set_write_fn(structs.Png(), &io, OnWrite, OnFlush);
    std::vector<png_bytep> rows(height_);
    for (int y = 0; y < height_; ++y)
        rows[y] = const_cast<png_bytep>(Scanline(y));
    const int colourType = alpha_ ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    if (!WriteRows(structs.Png(), structs.Info(), png_uint_32(width_), png_uint_32(height_), colourType,
                   rows.data())) {
        if (io.outOfMemory) throw std::bad_alloc();
        throw std::runtime_error(std::string("PNG encoding failed: ") + io.message);
    }
    return out;
}

bool TPngImage::SaveToFile(const std::string& systemPath) const {
    const std::vector<std::uint8_t> bytes = SaveToBytes();
    if (bytes.empty()) return false;
    std::ofstream file(paths::ToHost(systemPath), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file.flush());
}

} // namespace morvane
