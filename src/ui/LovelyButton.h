#pragma once

#include "gui/ImageList.h"
#include "ui/HoverButton.h"

namespace morvane {

// A button drawn from four consecutive pictures of an image list, from StartIndex: normal, hover,
// pressed (any mouse button) and disabled.
class TLovelyButton : public THoverButton {
public:
    static constexpr int kNormal = 0;
    static constexpr int kHover = 1;
    static constexpr int kPressed = 2;
    static constexpr int kDisabled = 3;

    explicit TLovelyButton(TComponent* owner);
    ~TLovelyButton() override;

    TImageList* Images() const { return images_; }
    // Not owned; the button forgets the list when it is destroyed. Sizes the button to one picture.
    void SetImages(TImageList* images);
    int StartIndex() const { return startIndex_; }
    void SetStartIndex(int value);

    // 3 disabled, else 2 pressed, else 1 hovered, else 0.
    int StateIndex() const;
    int ImageIndex() const { return startIndex_ + StateIndex(); }

protected:
    bool PressesWith(TMouseButton) const override { return true; }
    void Paint(TCanvas& canvas) override;
    void Notification(TComponent* component, bool removing) override;
    // Takes the size of the list's pictures.
    virtual void AdoptImageSize();

private:
    TImageList* images_{nullptr};
    int startIndex_{0};
};

} // namespace morvane
