#include "gui/ComboBox.h"

#include "gui/Edit.h"
#include "gui/Form.h"
#include "gui/Frame3D.h"
#include "gui/ListBox.h"

#include <algorithm>

namespace morvane {

TComboBox::TComboBox(TComponent* owner) : TCustomControl(owner) {
    SetColor(clWindow);
    edit_ = Add<TEdit>();
    edit_->SetBorderVisible(false);
    list_ = Own(std::make_unique<TListBox>(this));
    list_->SetVisible(false);
    SetBounds(0, 0, 145, 21);
    edit_->OnChange = [this](TControl*) {
        syncing_ = true;
        SetCaption(edit_->Text());
        syncing_ = false;
    };
    edit_->OnKeyDown = [this](TControl*, TKey& key, TShiftState shift) {
        if (OnKeyDown) OnKeyDown(this, key, shift);
        if (key == VK_DOWN && (shift & ssAlt)) {
            SetDroppedDown(true);
            key = 0;
        }
    };
    edit_->OnKeyPress = [this](TControl*, std::string& ch) {
        if (OnKeyPress) OnKeyPress(this, ch);
    };
    list_->OnClick = [this](TControl*) { PickFromList(); };
    list_->OnKeyDown = [this](TControl*, TKey& key, TShiftState) {
        if (key == VK_RETURN) PickFromList();
        if (key == VK_ESCAPE) {
            SetDroppedDown(false);
            edit_->SetFocus();
        }
    };
    list_->OnExit = [this](TControl*) { list_->SetVisible(false); };
}

TComboBox::~TComboBox() {
    // The list may sit on the form rather than on this control.
    if (list_) list_->SetParent(nullptr);
}

void TComboBox::InsertItem(int index, const std::string& item) {
    index = std::clamp(index, 0, int(items_.size()));
    items_.insert(items_.begin() + index, item);
}

void TComboBox::DeleteItem(int index) {
    if (index < 0 || index >= int(items_.size())) return;
    items_.erase(items_.begin() + index);
    if (itemIndex_ >= int(items_.size())) itemIndex_ = -1;
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= int(items_.size())) index = -1;
    itemIndex_ = index;
    if (index >= 0) SetText(items_[std::size_t(index)]);
}

void TComboBox::SetMaxLength(std::size_t bytes) {
    edit_->SetMaxLength(bytes);
}

bool TComboBox::DroppedDown() const {
    return list_->Visible() && list_->Parent() != nullptr;
}

void TComboBox::SetDroppedDown(bool dropped) {
    if (dropped == DroppedDown()) return;
    TForm* form = ParentForm();
    if (!dropped || !form) {
        list_->SetVisible(false);
        return;
    }
    list_->SetItems(items_);
    const int rows = std::clamp(int(items_.size()), 1, std::max(1, dropDownCount_));
    const TPoint at = ClientToForm({0, Height()});
    int top = at.y;
    const int height = rows * list_->ItemHeight() + 4;
    // Open upwards when the form has no room below (the chat input sits at the bottom).
    if (top + height > form->Height()) top = ClientToForm({0, 0}).y - height;
    list_->SetParent(form);
    list_->SetBounds(at.x, top, Width(), height);
    list_->SetItemIndex(itemIndex_);
    list_->SetVisible(true);
    list_->BringToFront();
    list_->SetFocus();
}

void TComboBox::PickFromList() {
    const int index = list_->ItemIndex();
    list_->SetVisible(false);
    edit_->SetFocus();
    if (index < 0) return;
    SetItemIndex(index);
    edit_->SelectAll();
    if (OnSelect) OnSelect(this);
}

void TComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::mbLeft && x >= Width() - kButtonWidth - 2) {
        SetDroppedDown(!DroppedDown());
    } else if (edit_->CanFocus()) {
        edit_->SetFocus();
    }
}

void TComboBox::DoEnter() {
    TCustomControl::DoEnter();
    if (edit_->CanFocus()) edit_->SetFocus();
}

void TComboBox::Resized() {
    edit_->SetBounds(2, 2, std::max(0, Width() - kButtonWidth - 4), std::max(0, Height() - 4));
    TCustomControl::Resized();
}

void TComboBox::WndProc(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED) {
        if (!syncing_ && edit_->Text() != Text()) {
            edit_->SetText(Text());
            edit_->SetSelection(Text().size(), Text().size());
        }
        if (OnChange) OnChange(this);
    }
    TCustomControl::WndProc(message);
}

void TComboBox::Paint(TCanvas& canvas) {
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    SunkenBorder(canvas, ClientRect());
    Frame3D(canvas, {1, 1, Width() - 1, Height() - 1}, cl3DDkShadow, clBtnFace);
    const TRect button{Width() - kButtonWidth - 2, 2, Width() - 2, Height() - 2};
    canvas.FillRect(button, ColorToRGB(clBtnFace));
    Frame3D(canvas, button, clBtnHighlight, clBtnShadow);
    const int cx = button.left + button.Width() / 2;
    const int cy = button.top + button.Height() / 2;
    canvas.Brush().color = ColorToRGB(Enabled() ? clBtnText : clGrayText);
    canvas.Brush().style = TBrushStyle::bsSolid;
    canvas.Pen().width = 0;
    canvas.Polygon({{cx - 4, cy - 2}, {cx + 5, cy - 2}, {cx, cy + 3}});
}

} // namespace morvane
