#include "panels/PopupBox.h"

#include "gui/Canvas.h"
#include "gui/Form.h"
#include "gui/SystemColors.h"

namespace morvane {

TPopupBox::TPopupBox(TComponent* owner) : TCustomPanel(owner) {
    SetBounds(0, 0, 100, 100);
    SetVisible(false);
    SetColor(clWhite);
}

TPopupBox::~TPopupBox() {
    Unwatch();
}

void TPopupBox::Popup(TPoint screenAt) {
    if (watched_) return;
    TForm* form = ParentForm();
    if (!form) return;
    // The box floats over the whole form, not only over the panel that owns it.
    if (Parent() != form) SetParent(form);
    FitToContent();
    const TPoint at = form->ScreenToClient(screenAt);
    SetBounds(at.x, at.y, Width(), Height());
    if (TWinControl* active = form->ActiveControl()) {
        watched_ = active;
        watched_->FreeNotification(this);
        previousOnExit_ = watched_->OnExit;
        watched_->OnExit = [this](TControl* sender) {
            TNotifyEvent previous = previousOnExit_;
            Close();
            if (previous) previous(sender);
        };
    }
    BringToFront();
    Show();
}

void TPopupBox::Close() {
    Unwatch();
    Hide();
}

void TPopupBox::Unwatch() {
    if (!watched_) return;
    TWinControl* watched = watched_;
    watched_ = nullptr;
    watched->OnExit = std::move(previousOnExit_);
    previousOnExit_ = nullptr;
    watched->RemoveFreeNotification(this);
}

void TPopupBox::Notification(TComponent* component, bool removing) {
    TCustomPanel::Notification(component, removing);
    if (removing && component == watched_) {
        watched_ = nullptr;
        previousOnExit_ = nullptr;
        Hide();
    }
}

void TPopupBox::FitToContent() {
    if (ControlCount() == 0) return;
    TControl* content = Controls(0);
    content->SetBounds(kBorder, kBorder, content->Width(), content->Height());
    SetBounds(Left(), Top(), content->Width() + 2 * kBorder, content->Height() + 2 * kBorder);
}

void TPopupBox::Paint(TCanvas& canvas) {
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    canvas.FrameRect(ClientRect(), ColorToRGB(cl3DDkShadow));
}

} // namespace morvane
