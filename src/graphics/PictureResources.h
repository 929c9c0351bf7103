#pragma once

#include "gui/PngImage.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace morvane {

// Loads the named picture resource (any case: "MainBigImage", "bll_TuoPan") as a decoded picture the
// caller owns. nullptr when there is no such resource or its data does not decode; `error`, when given,
// then receives the reason, and is cleared on success.
std::unique_ptr<TPngImage> LoadPictureByName(std::string_view name, std::string* error = nullptr);

// The pixel size of the named picture resource, read from its header without decoding it; nothing when there
// is no such resource or it does not start as a PNG picture should.
struct TPictureSize {
    int Width{0};
    int Height{0};
};
std::optional<TPictureSize> PictureSizeByName(std::string_view name);

// The state pictures of a picture button: base + "Comm", "Move", "Down", "Gray". A family without a
// disabled face (the close button) leaves Gray empty.
struct TButtonPictures {
    std::unique_ptr<TPngImage> Comm;
    std::unique_ptr<TPngImage> Move;
    std::unique_ptr<TPngImage> Down;
    std::unique_ptr<TPngImage> Gray;
};

// Loads the family; `error`, when given, names every state picture that is missing or damaged.
TButtonPictures LoadButtonPictures(std::string_view base, std::string* error = nullptr);

// A colour cursor resource (a .cur file): its first image and hot spot.
struct TCursorResource {
    int Width{0};
    int Height{0};
    int HotSpotX{0};
    int HotSpotY{0};
    // The image's bitmap header, colour rows and mask, as the platform's cursor maker takes it.
    std::span<const std::uint8_t> Image;
    // The whole file.
    std::span<const std::uint8_t> File;
};

// Reads a .cur file held in `bytes`; nothing when it is not a cursor file or its image lies outside it.
std::optional<TCursorResource> ParseCursor(std::span<const std::uint8_t> bytes, std::string* error = nullptr);

// The chip cursor of that name ("5WCUR", any case).
std::optional<TCursorResource> LoadCursorByName(std::string_view name, std::string* error = nullptr);

} // namespace morvane
