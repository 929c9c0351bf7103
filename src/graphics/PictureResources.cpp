#include "graphics/PictureResources.h"

#include "base/ByteReader.h"
#include "graphics/EmbeddedResources.h"
#include "gui/Application.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace morvane {

namespace {

void SetError(std::string* error, std::string message) {
    if (error != nullptr) *error = std::move(message);
}

void AppendError(std::string* error, const std::string& message) {
    if (error == nullptr) return;
    if (!error->empty()) *error += "; ";
    *error += message;
}

// Cursor file layout: a 6-byte directory (reserved 0, type 2, image count) followed by 16-byte entries
// (width, height, colour count, reserved, hot spot x and y, image length, image offset).
constexpr std::uint16_t kCursorType = 2;
constexpr std::size_t kBitmapHeaderSize = 40;

} // namespace

std::unique_ptr<TPngImage> LoadPictureByName(std::string_view name, std::string* error) {
    const std::span<const std::uint8_t> bytes = FindEmbeddedResource(name);
    if (bytes.empty()) {
        SetError(error, "no picture resource named \"" + std::string(name) + "\"");
        return nullptr;
    }
    // Resource names are stored in upper case, so that spelling is the one key for every way of asking.
    std::string key(name);
    for (char& c : key)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    TPictureCache* cache = HasApplication() ? &Application().Pictures() : nullptr;
    if (cache != nullptr) {
        if (std::unique_ptr<TPngImage> shared = cache->Find(key)) {
            SetError(error, {});
            return shared;
        }
    }
    auto picture = std::make_unique<TPngImage>();
    if (!picture->LoadFromBytes(bytes, TPngImage::TChecksums::Skip)) {
        SetError(error,
                 "picture resource \"" + std::string(name) + "\" does not decode: " + picture->Error());
        return nullptr;
    }
    if (cache != nullptr) cache->Keep(key, *picture);
    SetError(error, {});
    return picture;
}

std::optional<TPictureSize> PictureSizeByName(std::string_view name) {
    // The signature, then the header chunk's length and type, then the width and height (big-endian).
    static constexpr std::uint8_t kStart[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                              0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    const std::span<const std::uint8_t> bytes = FindEmbeddedResource(name);
    if (bytes.size() < sizeof kStart + 8 || !std::equal(std::begin(kStart), std::end(kStart), bytes.begin()))
        return std::nullopt;
    const auto bigEndian = [&](std::size_t at) {
        return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 |
               std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
    };
    const std::uint32_t width = bigEndian(sizeof kStart);
    const std::uint32_t height = bigEndian(sizeof kStart + 4);
    if (width == 0 || height == 0 || width > TPngImage::kMaxSide || height > TPngImage::kMaxSide)
        return std::nullopt;
    return TPictureSize{int(width), int(height)};
}

TButtonPictures LoadButtonPictures(std::string_view base, std::string* error) {
    SetError(error, {});
    const std::string prefix(base);
    auto load = [&](const char* state) {
        std::string reason;
        std::unique_ptr<TPngImage> picture = LoadPictureByName(prefix + state, &reason);
        if (!picture) AppendError(error, reason);
        return picture;
    };
    TButtonPictures pictures;
    pictures.Comm = load("Comm");
    pictures.Move = load("Move");
    pictures.Down = load("Down");
    // The disabled face is optional (the close button has none), so its absence is not an error.
    if (!FindEmbeddedResource(prefix + "Gray").empty()) pictures.Gray = load("Gray");
    return pictures;
}

std::optional<TCursorResource> ParseCursor(std::span<const std::uint8_t> bytes, std::string* error) {
    ByteReader reader(bytes);
    std::uint16_t reserved = 0;
    std::uint16_t type = 0;
    std::uint16_t count = 0;
    if (!reader.ReadU16(reserved) || !reader.ReadU16(type) || !reader.ReadU16(count)) {
        SetError(error, "cursor shorter than its directory");
        return std::nullopt;
    }
    if (reserved != 0 || type != kCursorType || count == 0) {
        SetError(error, "not a cursor file");
        return std::nullopt;
    }
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint16_t hotX = 0;
    std::uint16_t hotY = 0;
    std::uint32_t length = 0;
    std::uint32_t offset = 0;
    if (!reader.ReadU8(width) || !reader.ReadU8(height) || !reader.Skip(2) || !reader.ReadU16(hotX) ||
        !reader.ReadU16(hotY) || !reader.ReadU32(length) || !reader.ReadU32(offset)) {
        SetError(error, "cursor shorter than its first entry");
        return std::nullopt;
    }
    if (offset > bytes.size() || length > bytes.size() - offset || length < kBitmapHeaderSize) {
        SetError(error, "cursor image lies outside the file");
        return std::nullopt;
    }
    TCursorResource cursor;
    // A size byte of 0 means 256 pixels.
    cursor.Width = width == 0 ? 256 : width;
    cursor.Height = height == 0 ? 256 : height;
    cursor.HotSpotX = hotX;
    cursor.HotSpotY = hotY;
    cursor.Image = bytes.subspan(offset, length);
    cursor.File = bytes;
    SetError(error, {});
    return cursor;
}

std::optional<TCursorResource> LoadCursorByName(std::string_view name, std::string* error) {
    const std::span<const std::uint8_t> bytes = FindEmbeddedResource(name);
    if (bytes.empty()) {
        SetError(error, "no cursor resource named \"" + std::string(name) + "\"");
        return std::nullopt;
    }
    std::string reason;
    std::optional<TCursorResource> cursor = ParseCursor(bytes, &reason);
    if (!cursor) {
        SetError(error, "cursor resource \"" + std::string(name) + "\": " + reason);
        return std::nullopt;
    }
    SetError(error, {});
    return cursor;
}

} // namespace morvane
