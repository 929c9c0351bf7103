#include "ui/LovelyPanel.h"

#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/Form.h"
#include "gui/Region.h"
#include "ui/BitmapRegion.h"
#include "ui/NinePart.h"

#include <stdexcept>

namespace morvane {

TLovelyPanel::TLovelyPanel(TComponent* owner) : TCustomPanel(owner) {
    ReRender();
}

TLovelyPanel::~TLovelyPanel() {
    KillTimer(kLifeTimer);
    KillTimer(kSecondLifeTimer);
}

void TLovelyPanel::SetPicture(const TPngImage* picture) {
    if (picture && !picture->Empty())
        picture_ = std::make_unique<TPngImage>(*picture);
    else
        picture_.reset();
    ReRender();
}

void TLovelyPanel::SetCenterX(int value) {
    if (centerX_ == value) return;
    centerX_ = value;
    ReRender();
}

void TLovelyPanel::SetCenterY(int value) {
    if (centerY_ == value) return;
    centerY_ = value;
    ReRender();
}

void TLovelyPanel::SetTransparentColor(TColor value) {
    if (transparentColor_ == value) return;
    transparentColor_ = value;
    ReRender();
}

void TLovelyPanel::SetTransparentSpace(int value) {
    if (transparentSpace_ == value) return;
    transparentSpace_ = value;
    ReRender();
}

void TLovelyPanel::Resized() {
    ReRender();
    TCustomPanel::Resized();
}

void TLovelyPanel::ReRender() {
    stale_ = true;
    // Only a panel on a window is given a shape, as when it renders at once.
    if (Parent()) regionOwed_ = true;
    // A hidden panel (most dialogs and floating panels stay so for a whole session) neither renders nor
    // cuts its shape until it is shown, and a panel set up piece by piece before it is shown renders once.
    if (Visible() && Parent()) RenderIfStale();
}

void TLovelyPanel::VisibleChanged() {
    TCustomPanel::VisibleChanged();
    if (Visible() && Parent()) RenderIfStale();
}

void TLovelyPanel::SetParent(TWinControl* parent) {
    TCustomPanel::SetParent(parent);
    if (Visible() && Parent()) RenderIfStale();
}

void TLovelyPanel::RenderIfStale() {
    const bool rendering = stale_ || (regionOwed_ && Parent());
    if (stale_) RenderBackground();
    if (regionOwed_ && Parent()) {
        regionOwed_ = false;
        ApplyRegion();
    }
    if (rendering && Parent()) Invalidate();
}

const TBitmap& TLovelyPanel::Background() {
    RenderIfStale();
    return *background_;
}

std::string TLovelyPanel::SharingKey() const {
    if (!picture_ || !HasApplication()) return {};
    const std::string pictureKey = Application().Pictures().KeyOf(*picture_);
    if (pictureKey.empty()) return {};
    return "panel " + pictureKey + " " + std::to_string(centerX_) + "," + std::to_string(centerY_) + " " +
           std::to_string(Width()) + "x" + std::to_string(Height());
}

void TLovelyPanel::RenderBackground() {
    stale_ = false;
    const auto render = [this] {
        TBitmap background(Width(), Height());
        RenderNinePart(picture_.get(), centerX_, centerY_, background);
        return background;
    };
    const std::string key = SharingKey();
    background_ = key.empty() ? std::make_shared<const TBitmap>(render())
                              : Application().Pictures().Shared<TBitmap>(key, render);
}

bool TLovelyPanel::IsWindowPanel() const {
    const TWinControl* parent = Parent();
    return parent && parent == ParentForm() && Left() == 0 && Top() == 0 && Width() == parent->Width() &&
           Height() == parent->Height();
}

void TLovelyPanel::ApplyRegion() {
    if (Designing() || !Parent()) return;
    if (transparentColor_ == clNone) {
        // Without a colour key the panel is a plain rectangle again.
        shape_.reset();
        SetWindowRegion(nullptr);
        if (IsWindowPanel()) ParentForm()->SetFormRegion(nullptr);
        return;
    }
    const auto cut = [this] { return RegionFromBitmap(*background_, transparentColor_, transparentSpace_); };
    const std::string key = SharingKey();
    shape_ = key.empty() ? std::make_shared<const TRegion>(cut())
                         : Application().Pictures().Shared<TRegion>(
                               "shape of " + key + " " + std::to_string(transparentColor_) + " " +
                                   std::to_string(transparentSpace_),
                               cut);
    SetWindowRegion(shape_.get());
    if (IsWindowPanel()) ParentForm()->SetFormRegion(shape_.get());
}

void TLovelyPanel::Paint(TCanvas& canvas) {
    RenderIfStale();
    PaintBackground(canvas);
    if (titleHeight_ > 0 && !Caption().empty()) PaintTitle(canvas);
}

void TLovelyPanel::PaintBackground(TCanvas& canvas) {
    // A panel inside a window shares the window's pixels: its shape does not clip the drawing, so only
    // the background within the shape is drawn and the keyed-out corners show what lies under them.
    const TRegion* shape = WindowRegion();
    if (!shape || IsWindowPanel()) {
        canvas.Draw(0, 0, *background_);
        return;
    }
    for (const TRect& run : shape->Rects()) {
        TCanvasSaver saver(canvas);
        canvas.IntersectClipRect(run);
        canvas.Draw(0, 0, *background_);
    }
}

void TLovelyPanel::PaintTitle(TCanvas& canvas) {
    const TRect titleRect{titleLeft_, titleTop_, Width() - titleRight_, titleTop_ + titleHeight_};
    std::uint32_t flags = dtSingleLine | dtVCenter | dtNoPrefix;
    if (titleAlignment_ == TAlignment::taCenter) flags |= dtCenter;
    if (titleAlignment_ == TAlignment::taRightJustify) flags |= dtRight;
    canvas.Font().Assign(Font());
    canvas.Brush().style = TBrushStyle::bsClear;
    if (titleShadowColor_ != clNone) {
        canvas.Font().SetColor(titleShadowColor_);
        canvas.DrawText(titleRect.Offset(1, 1), Caption(), flags);
    }
    canvas.Font().SetColor(titleColor_);
    canvas.DrawText(titleRect, Caption(), flags);
}

void TLovelyPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || lockedPoint_ || y > titleHeight_) return;
    if (TForm* form = ParentForm()) form->ReleaseCapture();
    dragAnchor_ = {x, y};
    Perform(WM_SYSCOMMAND, SC_DRAGMOVE + 1);
}

void TLovelyPanel::StartDrag(TPoint at) {
    TForm* form = ParentForm();
    if (!form) return;
    if (IsWindowPanel()) {
        form->StartTitleDrag();
        return;
    }
    // A panel inside a window follows the mouse itself until the button is released.
    dragging_ = true;
    dragAnchor_ = at;
    form->SetCaptureControl(this);
}

void TLovelyPanel::MouseMove(TShiftState shift, int x, int y) {
    TCustomPanel::MouseMove(shift, x, y);
    if (dragging_) SetBounds(Left() + x - dragAnchor_.x, Top() + y - dragAnchor_.y, Width(), Height());
}

void TLovelyPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    dragging_ = false;
    TCustomPanel::MouseUp(button, shift, x, y);
}

void TLovelyPanel::SetRemaining(int value) {
    if (remaining_ == value) return;
    remaining_ = value;
    if (OnLifeChange) OnLifeChange(this);
}

void TLovelyPanel::WndProc(TMessage& message) {
    if (message.Msg == WM_SYSCOMMAND && (std::uint32_t(message.WParam) & 0xFFF0) == SC_MOVE) {
        StartDrag(dragAnchor_);
        return;
    }
    if (message.Msg == WM_TIMER && (std::uintptr_t(message.WParam) == kLifeTimer ||
                                    std::uintptr_t(message.WParam) == kSecondLifeTimer)) {
        LifeTick(std::uintptr_t(message.WParam));
        return;
    }
    TCustomPanel::WndProc(message);
}

void TLovelyPanel::LifeTick(std::uintptr_t timer) {
    // A panel nobody sees has no time left.
    SetRemaining(Visible() ? remaining_ - 1 : 0);
    if (remaining_ > 0) return;
    KillTimer(timer);
    Hide();
}

void TLovelyPanel::EndActivity() {
    TCustomPanel::EndActivity();
    if (running_ && modalResult_ == 0) modalResult_ = 2; // as cancelled
}

int TLovelyPanel::ShowModal() {
    // A panel of a closed table no longer opens.
    if (running_ || ActivityEnded()) return 0;
    running_ = true;
    SetRemaining(lifeCount_);
    if (lifeCount_ > 0) SetTimer(kLifeTimer, kLifeInterval);

    const bool windowPanel = IsWindowPanel();
    BringToFront();
    Show();
    if (TForm* form = ParentForm(); form && windowPanel) {
        form->Show();
        form->BringWindowToFront();
    }
    if (CanFocus()) SetFocus();
    modalResult_ = 0;

    TApplication& app = Application();
    // The loop is code of the table on the stack: nothing it belongs to may be freed before it ends.
    TApplication::THandlerScope scope(app);
    const TControlHandle self = Handle();
    do {
        if (Destroying()) return 0;
        if (app.Terminated() || (lifeCount_ > 0 && remaining_ <= 0)) break;
        if (app.HandleMessage()) continue;
        if (!app.FindControl(self)) return 0; // freed by what the message did
        if (app.OnModalIdle && app.OnModalIdle()) continue;
        running_ = false;
        KillTimer(kLifeTimer);
        Hide();
        throw std::runtime_error("a skinned panel waits for input that never comes");
    } while (app.FindControl(self) && modalResult_ == 0);
    if (!app.FindControl(self)) return 0;

    KillTimer(kLifeTimer);
    Hide();
    if (TForm* form = ParentForm(); form && windowPanel) form->Hide();
    running_ = false;
    return modalResult_;
}

} // namespace morvane
