#include "ui/PluginPictureButton.h"

#include "gui/Canvas.h"

namespace morvane {

bool LoadPictureFromResource(TPngImage& picture, const std::string& name, const TResourceLookup& lookup) {
    std::span<const std::uint8_t> bytes = lookup ? lookup(name) : std::span<const std::uint8_t>{};
    if (bytes.empty()) {
        picture.Clear();
        return false;
    }
    return picture.LoadFromBytes(bytes);
}

TPictureButton::TPictureButton(TComponent* owner) : THoverButton(owner) {
    SetBounds(0, 0, 75, 25);
    commFont_.SetHeight(-12);
    commFont_.SetColor(clBlack);
    commFont_.OnChange = [this] { Invalidate(); };
}

void TPictureButton::SetCommPicture(const TPngImage& picture) {
    if (commPicture_ == picture) return;
    commPicture_ = picture;
    if (!picture.Empty()) SetBounds(Left(), Top(), picture.Width(), picture.Height());
    Invalidate();
}

void TPictureButton::LoadPictures(const std::string& baseName, const TResourceLookup& lookup) {
    TPngImage picture;
    LoadPictureFromResource(picture, baseName + "Comm", lookup);
    SetCommPicture(picture);
    LoadPictureFromResource(picture, baseName + "Move", lookup);
    SetMovePicture(picture);
    LoadPictureFromResource(picture, baseName + "Down", lookup);
    SetDownPicture(picture);
    LoadPictureFromResource(picture, baseName + "Gray", lookup);
    SetGrayPicture(picture);
}

void TPictureButton::SetCommFont(const TFont& font) {
    commFont_.Assign(font);
    Invalidate();
}

const TPngImage& TPictureButton::StatePicture() const {
    auto orNormal = [this](const TPngImage& picture) -> const TPngImage& {
        return picture.Empty() ? commPicture_ : picture;
    };
    if (!Enabled()) return orNormal(grayPicture_);
    if (Pressed()) return orNormal(downPicture_);
    if (Hovered()) return orNormal(movePicture_);
    return commPicture_;
}

void TPictureButton::Paint(TCanvas& canvas) {
    const TPngImage& picture = StatePicture();
    if (!picture.Empty()) {
        if (Pressed())
            canvas.Draw(offsetX_, offsetY_, picture);
        else
            canvas.Draw(0, 0, picture);
    }
    if (commCaption_.empty()) return;
    if (bUseFont_) {
        canvas.Font().Assign(commFont_);
    } else {
        // A fresh canvas font: the canvas still holds the font the container painted its own text in.
        canvas.Font().Assign(TFont{});
        canvas.Font().SetSize(commSize_);
    }
    if (canvas.TextWidth(commCaption_) < 1) return;
    canvas.Brush().style = TBrushStyle::bsClear;
    canvas.TextOut(commX_, commY_, commCaption_);
}

} // namespace morvane
