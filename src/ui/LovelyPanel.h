#pragma once

#include "gui/Bitmap.h"
#include "gui/CustomPanel.h"
#include "gui/Label.h"
#include "gui/PngImage.h"
#include "gui/Region.h"

#include <functional>
#include <memory>
#include <string>

namespace morvane {

// A panel cut out of a skin picture: the picture is stretched by its centre lines to the panel's size,
// pixels near the transparent colour are cut out of the window shape, a title is painted over the top,
// and the panel can run modally with a countdown (the dialogs of the hall build on that).
class TLovelyPanel : public TCustomPanel {
public:
    // Timer id of the countdown; id 2 is taken the same way by descendants with a second clock.
    static constexpr std::uintptr_t kLifeTimer = 1;
    static constexpr std::uintptr_t kSecondLifeTimer = 2;
    static constexpr std::uint32_t kLifeInterval = 1000;

    explicit TLovelyPanel(TComponent* owner);
    ~TLovelyPanel() override;

    // A panel put on a window while shown makes what it still owes.
    void SetParent(TWinControl* parent) override;

    // [Skin]
    const TPngImage* Picture() const { return picture_.get(); }
    // Copied; nullptr or an empty picture leaves a cleared background.
    void SetPicture(const TPngImage* picture);
    int CenterX() const { return centerX_; }
    void SetCenterX(int value);
    int CenterY() const { return centerY_; }
    void SetCenterY(int value);
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor value);
    int TransparentSpace() const { return transparentSpace_; }
    void SetTransparentSpace(int value);
    // The picture stretched to the panel's size; made when first needed, which for a hidden panel is when
    // it is shown. Panels of every table cut from one skin picture at one size share it.
    const TBitmap& Background();

    // [Title] The text is the caption.
    int TitleHeight() const { return titleHeight_; }
    void SetTitleHeight(int value) { SetTitleValue(titleHeight_, value); }
    int TitleLeft() const { return titleLeft_; }
    void SetTitleLeft(int value) { SetTitleValue(titleLeft_, value); }
    int TitleRight() const { return titleRight_; }
    void SetTitleRight(int value) { SetTitleValue(titleRight_, value); }
    int TitleTop() const { return titleTop_; }
    void SetTitleTop(int value) { SetTitleValue(titleTop_, value); }
    TAlignment TitleAlignment() const { return titleAlignment_; }
    void SetTitleAlignment(TAlignment value) { SetTitleValue(titleAlignment_, value); }
    TColor TitleColor() const { return titleColor_; }
    void SetTitleColor(TColor value) { SetTitleValue(titleColor_, value); }
    TColor TitleShadowColor() const { return titleShadowColor_; }
    void SetTitleShadowColor(TColor value) { SetTitleValue(titleShadowColor_, value); }
    // While false, dragging the title moves the panel.
    bool LockedPoint() const { return lockedPoint_; }
    void SetLockedPoint(bool value) { lockedPoint_ = value; }

    // [Modal run]
    int LifeCount() const { return lifeCount_; }
    void SetLifeCount(int value) { lifeCount_ = value; }
    int Remaining() const { return remaining_; }
    // Shows the panel and handles messages until a result is set, the countdown runs out or the
    // application ends; the panel is hidden after. A run started while one is active returns 0 at once.
    int ShowModal();
    bool Running() const { return running_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    // Ends a modal run (with no result) and refuses new ones.
    void EndActivity() override;

    // Raised when the remaining seconds change.
    TNotifyEvent OnLifeChange;

protected:
    void Paint(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;
    void Resized() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Descendants override it to show the count, calling the base.
    virtual void SetRemaining(int value);
    // Builds the background and the window shape, then repaints; a hidden panel waits until it is shown.
    void ReRender();
    void VisibleChanged() override;
    // Draws the rendered background, within the panel's shape.
    void PaintBackground(TCanvas& canvas);

private:
    template <typename T>
    void SetTitleValue(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    void PaintTitle(TCanvas& canvas);
    void ApplyRegion();
    void RenderBackground();
    // Makes what a change left owing: the background, and the shape of a panel that is on a window.
    void RenderIfStale();
    // What names this panel's background among the tables' shared ones; empty when its picture is not a
    // shared one.
    std::string SharingKey() const;
    // A panel filling its form is the window: its shape and its title drag go to the form.
    bool IsWindowPanel() const;
    void StartDrag(TPoint at);
    void LifeTick(std::uintptr_t timer);

    std::unique_ptr<TPngImage> picture_;
    int centerX_{0};
    int centerY_{0};
    int titleHeight_{0};
    int titleLeft_{0};
    int titleRight_{0};
    int titleTop_{0};
    TAlignment titleAlignment_{TAlignment::taLeftJustify};
    TColor titleColor_{clBlack};
    TColor titleShadowColor_{clNone};
    TColor transparentColor_{clFuchsia};
    int transparentSpace_{0};
    int lifeCount_{0};
    bool lockedPoint_{true};
    std::shared_ptr<const TBitmap> background_{std::make_shared<const TBitmap>()};
    bool stale_{false};
    bool regionOwed_{false};
    // Held so that the other tables' panels of this skin and size find it.
    std::shared_ptr<const TRegion> shape_;
    int remaining_{0};
    int modalResult_{0};
    bool running_{false};
    // Moving a child panel by its title: where the mouse took hold of it.
    bool dragging_{false};
    TPoint dragAnchor_{};
};

} // namespace morvane
