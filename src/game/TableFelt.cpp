#include "game/TableFelt.h"

#include "graphics/BarPictures.h"
#include "graphics/PictureResources.h"
#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/PngImage.h"

#include <algorithm>

namespace morvane {

namespace {

// Writes a picture without a see-through pixel straight into the (equally large) composition, as
// framebuffer words: the picture is then not asked for the framebuffer form it would keep for drawing,
// a second copy of the whole felt. False, with nothing promised about the target, when a pixel is not
// opaque; the caller then draws the picture the ordinary way.
bool CopyOpaquePicture(const TPngImage& picture, TBitmap& target) {
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* p = picture.Scanline(y);
        std::uint32_t* word = target.Row32(y);
        if (!picture.HasAlpha()) {
            for (int x = 0; x < picture.Width(); ++x, p += 3)
                word[x] = 0xFF000000u | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
            continue;
        }
        std::uint8_t alphas = 0xFF;
        for (int x = 0; x < picture.Width(); ++x, p += 4) {
            alphas &= p[3];
            word[x] =
                (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
        }
        if (alphas != 0xFF) {
            // Back to the zero words the ordinary drawing expects to find.
            for (int row = 0; row <= y; ++row)
                std::fill_n(target.Row32(row), picture.Width(), 0u);
            return false;
        }
    }
    return true;
}

} // namespace

TTableFelt::TTableFelt(TComponent* owner) : TGraphicControl(owner) {}

void TTableFelt::AddLayer(const std::string& name, int left, int top) {
    const std::optional<TPictureSize> size = PictureSizeByName(name);
    if (!size) return;
    if (layers_.empty()) {
        size_ = *size;
        SetBounds(Left(), Top(), size->Width, size->Height);
    }
    layers_.push_back({name, left, top});
    composed_.reset();
    Invalidate();
}

const TBitmap& TTableFelt::Composed() {
    if (!composed_) {
        if (HasApplication())
            composed_ = Application().Pictures().Shared<TBitmap>(SharingKey(), [this] { return Compose(); });
        else
            composed_ = std::make_shared<const TBitmap>(Compose());
    }
    return *composed_;
}

std::string TTableFelt::SharingKey() const {
    std::string key = "felt";
    for (const TLayer& layer : layers_)
        key += " " + layer.Name + "@" + std::to_string(layer.Left) + "," + std::to_string(layer.Top);
    return key;
}

TBitmap TTableFelt::Compose() const {
    TBitmap composed(size_.Width, size_.Height);
    TCanvas canvas(composed);
    bool first = true;
    for (const TLayer& layer : layers_) {
        const TPngImage picture = BarPicture(layer.Name);
        if (picture.Empty()) continue;
        const bool covers = first && layer.Left == 0 && layer.Top == 0 &&
                            picture.Width() == composed.Width() && picture.Height() == composed.Height();
        first = false;
        if (covers && CopyOpaquePicture(picture, composed)) continue;
        canvas.Draw(layer.Left, layer.Top, picture);
    }
    return composed;
}

void TTableFelt::Paint(TCanvas& canvas) {
    if (!layers_.empty()) canvas.Draw(0, 0, Composed());
}

} // namespace morvane
