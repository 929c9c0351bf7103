#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace morvane {

// A decoded PNG picture: straight (not premultiplied) 8-bit pixels, rows top-down and packed without
// padding, either R, G, B, A (HasAlpha) or R, G, B. Palette, grey, low-depth and 16-bit files are
// converted on loading; a transparency chunk makes the picture RGBA. No gamma correction is applied.
//
// Copies share one block of pixels (and its framebuffer form) until one of them is written to: the first
// write through a mutable scan line gives that copy pixels of its own. So handing a picture to a setter that
// copies it, or to every table of the process, costs no second decoded picture.
class TPngImage {
public:
    // Pictures with a larger side are refused when loading, so a hostile header cannot ask for gigabytes.
    static constexpr int kMaxSide = 8192;

    TPngImage() = default;
    TPngImage(int width, int height, bool alpha) { SetSize(width, height, alpha); }
    // Copying shares the pixels, so there is no separate move: a moved-from picture keeps a valid block.
    TPngImage(const TPngImage&) = default;
    TPngImage& operator=(const TPngImage&) = default;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    bool HasAlpha() const { return alpha_; }
    int BytesPerPixel() const { return alpha_ ? 4 : 3; }
    std::size_t Stride() const { return std::size_t(width_) * BytesPerPixel(); }

    // Writing through a scan line makes that row of the framebuffer form kept for drawing out of date; it
    // is made again when it is next drawn, and the other rows stay.
    std::uint8_t* Scanline(int y) {
        MakePixelsOwn();
        if (!store_->staleRows.empty()) store_->staleRows[std::size_t(y)] = 1;
        return store_->pixels.data() + std::size_t(y) * Stride();
    }
    const std::uint8_t* Scanline(int y) const { return store_->pixels.data() + std::size_t(y) * Stride(); }

    // A new picture of the given size with every byte 0; negative sizes count as 0, sides above
    // kMaxSide raise std::length_error.
    void SetSize(int width, int height, bool alpha);
    void Clear() { SetSize(0, 0, false); }
    void Assign(const TPngImage& source) { *this = source; }

    // Decoding replaces the picture. On a corrupt, truncated or oversized input the result is false, the
    // picture is empty and Error() says what was wrong; on success Error() is empty. Pictures built into
    // the program may skip the chunk and stream checksums (a sixth of the decoding); the decoder still
    // checks every length and bound, so a damaged picture is refused or decodes wrong, never read past.
    enum class TChecksums { Verify, Skip };
    bool LoadFromBytes(std::span<const std::uint8_t> data, TChecksums checksums = TChecksums::Verify);
    bool LoadFromFile(const std::string& systemPath);
    const std::string& Error() const { return error_; }

    // The PNG form of the picture (8-bit RGB or RGBA); an empty picture has none and gives no bytes.
    std::vector<std::uint8_t> SaveToBytes() const;
    // False when the picture is empty or the file cannot be written.
    bool SaveToFile(const std::string& systemPath) const;

    // A row as framebuffer words 0xAARRGGBB (straight alpha; 255 for RGB pictures), made on first use and
    // kept, so that drawing the same picture again is a copy of words rather than a conversion of bytes.
    const std::uint32_t* FramebufferRow(int y) const;

    // What a stretch of a row needs when it is drawn: nothing (alpha 0), a copy (alpha 255) or a blend.
    enum class TAlphaRun : std::uint8_t { Transparent, Opaque, Blended };
    struct TPixelRun {
        std::uint16_t Length;
        TAlphaRun Kind;
    };
    // A row of the framebuffer form cut into maximal runs of one kind, left to right, made with the row;
    // drawing skips the transparent runs and copies the opaque ones without looking at each pixel.
    std::span<const TPixelRun> FramebufferRuns(int y) const;

    // Same size, form and pixels.
    friend bool operator==(const TPngImage& a, const TPngImage& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.alpha_ == b.alpha_ &&
               (a.store_ == b.store_ || a.store_->pixels == b.store_->pixels);
    }

    // True while this picture and `other` use one block of pixels (neither was written to since the copy).
    bool SharesPixelsWith(const TPngImage& other) const { return store_ == other.store_; }

private:
    friend class TPictureCache;

    // Leaves new elements uninitialised: the decoder and the framebuffer form write every byte themselves,
    // and zero-filling megabytes first was a tenth of opening a table.
    template <typename T>
    struct TNoFillAllocator : std::allocator<T> {
        template <typename U>
        struct rebind {
            using other = TNoFillAllocator<U>;
        };
        TNoFillAllocator() = default;
        template <typename U>
        TNoFillAllocator(const TNoFillAllocator<U>&) noexcept {}
        template <typename U>
        void construct(U* at) noexcept(std::is_nothrow_default_constructible_v<U>) {
            ::new (static_cast<void*>(at)) U;
        }
        template <typename U, typename... Args>
        void construct(U* at, Args&&... args) {
            ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
        }
    };
    template <typename T>
    using TBuffer = std::vector<T, TNoFillAllocator<T>>;

    struct TStore {
        TBuffer<std::uint8_t> pixels;
        TBuffer<std::uint32_t> framebufferForm;
        std::vector<std::vector<TPixelRun>> rowRuns;
        // 1 for each row of the framebuffer form not yet made from the pixels, or changed since.
        std::vector<std::uint8_t> staleRows;
        // Kept by the picture cache: no holder writes to it, not even the only one.
        bool frozen{false};
    };

    // Gives this picture a block of its own before a write when copies share the current one.
    void MakePixelsOwn() {
        if (store_.use_count() > 1 || store_->frozen) {
            store_ = std::make_shared<TStore>(*store_);
            store_->frozen = false;
        }
    }

    bool Fail(std::string message);
    // SetSize without clearing: the new block's bytes are undefined until written.
    void Resize(int width, int height, bool alpha);
    // Makes row y of the framebuffer form (and its runs) if it is missing or out of date.
    void MakeFramebufferRow(int y) const;

    int width_{0};
    int height_{0};
    bool alpha_{false};
    // Never null. The framebuffer form inside is a cache made by const readers, which is why it may be
    // filled in while other copies share the block.
    std::shared_ptr<TStore> store_{std::make_shared<TStore>()};
    std::string error_;
};

} // namespace morvane
