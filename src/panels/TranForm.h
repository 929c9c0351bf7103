#pragma once

#include "gui/PngImage.h"
#include "gui/Region.h"
#include "gui/WinControl.h"

#include <memory>

namespace morvane {

// A control shaped like its picture: it takes the picture's size, and its window region is every pixel
// that is not (nearly) the magenta key. The table form carries its title strip on one.
class TTranForm : public TCustomControl {
public:
    static constexpr TColor kKeyColor = 0xFF00FF;
    static constexpr int kTolerance = 16;

    explicit TTranForm(TComponent* owner);

    const TPngImage* Picture() const { return picture_.get(); }
    // Copied; nullptr or an empty picture removes it.
    void SetPicture(const TPngImage* picture);
    // While updating, picture changes wait for EndUpdate.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    // Placed on a window, it takes its picture's size and shape there.
    void SetParent(TWinControl* parent) override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    void PictureChanged();

    std::unique_ptr<TPngImage> picture_;
    // The window region cut out of the picture, shared with the other tables' strips.
    std::shared_ptr<const TRegion> shape_;
    int updating_{0};
};

} // namespace morvane
