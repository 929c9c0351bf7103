#include "panels/TranForm.h"

#include "gui/Application.h"
#include "gui/Bitmap.h"
#include "gui/BitmapPicture.h"
#include "gui/Canvas.h"
#include "gui/Region.h"
#include "ui/BitmapRegion.h"

namespace morvane {

TTranForm::TTranForm(TComponent* owner) : TCustomControl(owner) {}

void TTranForm::SetPicture(const TPngImage* picture) {
    if (picture && !picture->Empty())
        picture_ = std::make_unique<TPngImage>(*picture);
    else
        picture_.reset();
    PictureChanged();
}

void TTranForm::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0) PictureChanged();
}

void TTranForm::SetParent(TWinControl* parent) {
    TCustomControl::SetParent(parent);
    if (parent) PictureChanged();
}

void TTranForm::PictureChanged() {
    if (updating_ > 0) return;
    if (!picture_) {
        shape_.reset();
        SetWindowRegion(nullptr);
        Invalidate();
        return;
    }
    SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    const auto cut = [this] {
        // The key is compared against the picture as it shows: blended over black where translucent.
        return RegionFromBitmap(*SharedBitmapOfPicture(*picture_), kKeyColor, kTolerance);
    };
    // Every table's strip is cut from the same skin picture: the first one cuts, the others share it.
    const std::string pictureKey =
        HasApplication() ? Application().Pictures().KeyOf(*picture_) : std::string();
    shape_ = pictureKey.empty()
                 ? std::make_shared<const TRegion>(cut())
                 : Application().Pictures().Shared<TRegion>("strip shape of " + pictureKey, cut);
    SetWindowRegion(shape_.get());
    Invalidate();
}

void TTranForm::Paint(TCanvas& canvas) {
    if (picture_) canvas.Draw(0, 0, *picture_);
}

} // namespace morvane
