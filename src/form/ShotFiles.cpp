#include "form/ShotFiles.h"

#include "base/ByteWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <jpeglib.h>
#include <vector>

namespace morvane {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitmapSignature = 0x4D42; // "BM"
constexpr std::int32_t kPixelsPerMetre = 3780;     // 96 dots per inch

bool WriteWholeFile(const std::string& hostPath, const std::vector<std::uint8_t>& bytes) {
    {
        std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
        if (out && out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())) &&
            out.flush())
            return true;
    }
    std::error_code ignored;
    std::filesystem::remove(hostPath, ignored);
    return false;
}

// The colour at (x, y) as red, green and blue bytes, whatever the bitmap's format.
void RgbAt(const TBitmap& bitmap, int x, int y, std::uint8_t* rgb) {
    const TColor colour = bitmap.Pixel(x, y);
    rgb[0] = std::uint8_t(colour & 0xFF);
    rgb[1] = std::uint8_t((colour >> 8) & 0xFF);
    rgb[2] = std::uint8_t((colour >> 16) & 0xFF);
}

// libjpeg reports a fault by calling error_exit, which must not return: it jumps back to the call.
struct TJpegError {
    jpeg_error_mgr manager{};
    std::jmp_buf back{};
};

[[noreturn]] void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->back, 1);
}

// Compresses into a buffer libjpeg allocates; nothing with a destructor lives between setjmp and the end.
bool CompressJpeg(const TBitmap& bitmap, int quality, std::vector<std::uint8_t>& rows,
                  std::vector<std::uint8_t>& out) {
    jpeg_compress_struct info{};
    TJpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpBack;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(error.back)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(bitmap.Width());
    info.image_height = JDIMENSION(bitmap.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = std::size_t(bitmap.Width()) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = rows.data() + std::size_t(info.next_scanline) * stride;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    out.assign(buffer, buffer + size);
    std::free(buffer);
    return true;
}

} // namespace

bool SaveBmpFile(const std::string& hostPath, const TBitmap& bitmap) {
    if (bitmap.Empty()) return false;
    const std::uint32_t rowBytes = (std::uint32_t(bitmap.Width()) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * std::uint32_t(bitmap.Height());
    ByteWriter writer;
    writer.WriteU16(kBitmapSignature);
    writer.WriteU32(kFileHeaderSize + kInfoHeaderSize + imageBytes);
    writer.WriteU32(0);
    writer.WriteU32(kFileHeaderSize + kInfoHeaderSize);
    writer.WriteU32(kInfoHeaderSize);
    writer.WriteI32(bitmap.Width());
    writer.WriteI32(bitmap.Height()); // positive: the rows are stored bottom-up
    writer.WriteU16(1);
    writer.WriteU16(24);
    writer.WriteU32(0); // BI_RGB
    writer.WriteU32(imageBytes);
    writer.WriteI32(kPixelsPerMetre);
    writer.WriteI32(kPixelsPerMetre);
    writer.WriteU32(0);
    writer.WriteU32(0);
    for (int y = bitmap.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            std::uint8_t rgb[3];
            RgbAt(bitmap, x, y, rgb);
            writer.WriteU8(rgb[2]);
            writer.WriteU8(rgb[1]);
            writer.WriteU8(rgb[0]);
        }
        writer.WriteZeros(rowBytes - std::uint32_t(bitmap.Width()) * 3);
    }
    return WriteWholeFile(hostPath, writer.Bytes());
}

bool SaveJpegFile(const std::string& hostPath, const TBitmap& bitmap, int quality) {
    if (bitmap.Empty() || quality < 1 || quality > 100) return false;
    std::vector<std::uint8_t> rows(std::size_t(bitmap.Width()) * std::size_t(bitmap.Height()) * 3);
    std::uint8_t* at = rows.data();
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x, at += 3)
            RgbAt(bitmap, x, y, at);
    std::vector<std::uint8_t> jpeg;
    if (!CompressJpeg(bitmap, quality, rows, jpeg)) return false;
    return WriteWholeFile(hostPath, jpeg);
}

} // namespace morvane
