#pragma once

#include "gui/PngImage.h"
#include "ui/HoverButton.h"

#include <functional>
#include <memory>
#include <span>
#include <string>

namespace morvane {

// Finds the bytes of a picture resource by name (empty when there is none). The caller supplies it from
// the resources compiled into the library.
using TResourceLookup = std::function<std::span<const std::uint8_t>(const std::string& name)>;

// Makes the named PNG resource the picture; the picture's size follows the PNG. False (and an empty
// picture) when the resource is missing or is not a readable PNG.
bool LoadPictureFromResource(TPngImage& picture, const std::string& name, const TResourceLookup& lookup);

// A button made of four pictures: normal, hover, pressed and disabled. Missing pictures fall back to the
// normal one; while pressed with the left button the picture moves by the press offset. An optional
// caption is written over it.
class TPictureButton : public THoverButton {
public:
    explicit TPictureButton(TComponent* owner);

    const TPngImage& CommPicture() const { return commPicture_; }
    // Sizes the button to the picture.
    void SetCommPicture(const TPngImage& picture);
    const TPngImage& DownPicture() const { return downPicture_; }
    void SetDownPicture(const TPngImage& picture) { SetPictureValue(downPicture_, picture); }
    const TPngImage& MovePicture() const { return movePicture_; }
    void SetMovePicture(const TPngImage& picture) { SetPictureValue(movePicture_, picture); }
    const TPngImage& GrayPicture() const { return grayPicture_; }
    void SetGrayPicture(const TPngImage& picture) { SetPictureValue(grayPicture_, picture); }
    // Loads the four pictures named base + "Comm", "Move", "Down", "Gray"; missing ones stay empty.
    void LoadPictures(const std::string& baseName, const TResourceLookup& lookup);

    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int value) { SetValue(offsetX_, value); }
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int value) { SetValue(offsetY_, value); }
    const std::string& CommCaption() const { return commCaption_; }
    void SetCommCaption(const std::string& value) { SetValue(commCaption_, value); }
    int CommX() const { return commX_; }
    void SetCommX(int value) { SetValue(commX_, value); }
    int CommY() const { return commY_; }
    void SetCommY(int value) { SetValue(commY_, value); }
    int CommSize() const { return commSize_; }
    // Only sizes above 0 are taken.
    void SetCommSize(int value) {
        if (value > 0) SetValue(commSize_, value);
    }
    const TFont& CommFont() const { return commFont_; }
    void SetCommFont(const TFont& font);
    bool BUseFont() const { return bUseFont_; }
    void SetBUseFont(bool value) { SetValue(bUseFont_, value); }

    // The picture the button shows in its present state.
    const TPngImage& StatePicture() const;

protected:
    bool PressesWith(TMouseButton button) const override { return button == TMouseButton::mbLeft; }
    void Paint(TCanvas& canvas) override;

private:
    template <typename T>
    void SetValue(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    void SetPictureValue(TPngImage& field, const TPngImage& picture) { SetValue(field, picture); }

    TPngImage commPicture_;
    TPngImage downPicture_;
    TPngImage movePicture_;
    TPngImage grayPicture_;
    int offsetX_{1};
    int offsetY_{1};
    std::string commCaption_;
    int commX_{0};
    int commY_{0};
    int commSize_{10};
    TFont commFont_;
    bool bUseFont_{false};
};

} // namespace morvane
