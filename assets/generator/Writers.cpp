#include "Writers.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fstream>
#include <iconv.h>
#include <iterator>
#include <png.h>
#include <stdexcept>

namespace artgen {

namespace {

struct StraightPixel {
    std::uint8_t r, g, b, a;
};

// cairo keeps premultiplied native-endian ARGB; files want straight colour.
StraightPixel PixelAt(const Picture& picture, int x, int y) {
    cairo_surface_t* surface = picture.surface.get();
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::uint32_t p = 0;
    std::copy_n(data + static_cast<std::ptrdiff_t>(y) * stride + static_cast<std::ptrdiff_t>(x) * 4, 4,
                reinterpret_cast<unsigned char*>(&p));
    const std::uint32_t a = p >> 24;
    auto straight = [a](std::uint32_t v) -> std::uint8_t {
        if (a == 0) return 0;
        return static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (v * 255 + a / 2) / a));
    };
    return {straight((p >> 16) & 0xFF), straight((p >> 8) & 0xFF), straight(p & 0xFF),
            static_cast<std::uint8_t>(a)};
}

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

void WriteFileIfChanged(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            const std::vector<std::uint8_t> old{std::istreambuf_iterator<char>(in), {}};
            if (old == bytes) return;
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WritePng(const std::filesystem::path& path, const Picture& picture) {
    const int w = picture.Width();
    const int h = picture.Height();
    const bool alpha = picture.format == PixelFormat::Rgba;
    const int channels = alpha ? 4 : 3;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(w) * h * channels);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const StraightPixel p = PixelAt(picture, x, y);
            std::uint8_t* out = &rows[(static_cast<std::size_t>(y) * w + x) * channels];
            out[0] = p.r;
            out[1] = p.g;
            out[2] = p.b;
            if (alpha) out[3] = p.a;
        }
    }

    std::vector<std::uint8_t> file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot encode " + picture.name);
    }
    png_set_write_fn(png, &file, AppendToVector, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Every table decodes these pictures when it opens. Rows stored unfiltered decode at about two thirds
    // of the cost of adaptively filtered ones (no per-byte Paeth or average step) and, for these flat
    // drawn pictures, compress just as small.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) {
        png_write_row(png, &rows[static_cast<std::size_t>(y) * w * channels]);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    WriteFileIfChanged(path, file);
}

void WriteCursor(const std::filesystem::path& path, const Picture& picture) {
    const int w = picture.Width();
    const int h = picture.Height();
    const std::uint32_t xorBytes = static_cast<std::uint32_t>(w * h * 4);
    const std::uint32_t maskStride = static_cast<std::uint32_t>((w + 31) / 32 * 4);
    const std::uint32_t maskBytes = maskStride * static_cast<std::uint32_t>(h);
    const std::uint32_t imageBytes = 40 + xorBytes + maskBytes;

    std::vector<std::uint8_t> file;
    // Directory: reserved, type 2 (cursor), one image.
    Put16(file, 0);
    Put16(file, 2);
    Put16(file, 1);
    // Entry: size, no palette, hot spot (0, 0), image length and offset.
    file.push_back(static_cast<std::uint8_t>(w));
    file.push_back(static_cast<std::uint8_t>(h));
    file.push_back(0);
    file.push_back(0);
    Put16(file, 0);
    Put16(file, 0);
    Put32(file, imageBytes);
    Put32(file, 6 + 16);
    // Bitmap header; the height counts the colour rows and the mask rows together.
    Put32(file, 40);
    Put32(file, static_cast<std::uint32_t>(w));
    Put32(file, static_cast<std::uint32_t>(h * 2));
    Put16(file, 1);
    Put16(file, 32);
    Put32(file, 0);
    Put32(file, xorBytes + maskBytes);
    Put32(file, 0);
    Put32(file, 0);
    Put32(file, 0);
    Put32(file, 0);
    // Colour rows bottom-up, BGRA with straight alpha.
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const StraightPixel p = PixelAt(picture, x, y);
            file.push_back(p.b);
            file.push_back(p.g);
            file.push_back(p.r);
            file.push_back(p.a);
        }
    }
    // AND mask bottom-up: a set bit keeps the screen (fully transparent pixels).
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (int x = 0; x < w; ++x) {
            if (PixelAt(picture, x, y).a == 0) row[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
        }
        file.insert(file.end(), row.begin(), row.end());
    }
    WriteFileIfChanged(path, file);
}

void WriteKeyedBmp(const std::filesystem::path& path, const Picture& picture) {
    const int w = picture.Width();
    const int h = picture.Height();
    const std::uint32_t stride = static_cast<std::uint32_t>((w * 3 + 3) / 4 * 4);
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(h);
    constexpr std::uint32_t kHeadersSize = 14 + 40;

    std::vector<std::uint8_t> file{'B', 'M'};
    Put32(file, kHeadersSize + pixelBytes);
    Put32(file, 0);
    Put32(file, kHeadersSize);
    // BITMAPINFOHEADER: positive height (rows bottom-up), one plane, 24 bits, no compression.
    Put32(file, 40);
    Put32(file, static_cast<std::uint32_t>(w));
    Put32(file, static_cast<std::uint32_t>(h));
    Put16(file, 1);
    Put16(file, 24);
    Put32(file, 0);
    Put32(file, pixelBytes);
    Put32(file, 2835); // 72 dots per inch
    Put32(file, 2835);
    Put32(file, 0);
    Put32(file, 0);
    for (int y = h - 1; y >= 0; --y) {
        const std::size_t rowStart = file.size();
        for (int x = 0; x < w; ++x) {
            const StraightPixel p = PixelAt(picture, x, y);
            const bool keyed = p.a < 128;
            file.push_back(keyed ? 0xFF : p.b);
            file.push_back(keyed ? 0x00 : p.g);
            file.push_back(keyed ? 0xFF : p.r);
        }
        file.resize(rowStart + stride, 0);
    }
    WriteFileIfChanged(path, file);
}

void WriteWave(const std::filesystem::path& path, const std::vector<float>& samples, int sampleRate) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> file;
    auto putTag = [&file](const char* tag) { file.insert(file.end(), tag, tag + 4); };
    putTag("RIFF");
    Put32(file, 36 + dataBytes);
    putTag("WAVE");
    putTag("fmt ");
    Put32(file, 16);
    Put16(file, 1); // PCM
    Put16(file, 1); // mono
    Put32(file, static_cast<std::uint32_t>(sampleRate));
    Put32(file, static_cast<std::uint32_t>(sampleRate * 2));
    Put16(file, 2);
    Put16(file, 16);
    putTag("data");
    Put32(file, dataBytes);
    for (float sample : samples) {
        const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
        Put16(file, static_cast<std::uint32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))));
    }
    WriteFileIfChanged(path, file);
}

std::string Utf8ToGbk(std::string_view utf8) {
    iconv_t converter = iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no UTF-8 to GBK converter");
    std::string input(utf8);
    std::string output(input.size() * 2 + 4, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) throw std::runtime_error("not convertible to GBK: " + input);
    output.resize(output.size() - outLeft);
    return output;
}

} // namespace artgen
