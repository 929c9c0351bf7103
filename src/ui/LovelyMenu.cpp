#include "ui/LovelyMenu.h"

#include "gui/Canvas.h"
#include "gui/Form.h"
#include "gui/SystemColors.h"
#include "ui/BitmapRegion.h"
#include "ui/NinePart.h"

#include <algorithm>

namespace morvane {

TLovelyMenu::TLovelyMenu(TComponent* owner) : TComponent(owner) {
    selectFont_.SetColor(clHighlightText);
    commonFont_.SetColor(clWindowText);
}

TLovelyMenu::~TLovelyMenu() {
    Detach();
}

void TLovelyMenu::SetPicture(const TPngImage* picture) {
    if (picture && !picture->Empty())
        picture_ = std::make_unique<TPngImage>(*picture);
    else
        picture_.reset();
}

void TLovelyMenu::SetPopupMenu(TPopupMenu* menu) {
    if (menu == popupMenu_) return;
    Detach();
    popupMenu_ = menu;
    if (!menu) return;
    FreeNotification(menu);
    previousFormShow_ = menu->OnFormShow;
    menu->OnFormShow = [this](TPopupMenu* shown, TForm* form) {
        if (previousFormShow_) previousFormShow_(shown, form);
        ShapeWindow(shown, form);
    };
    AttachItems();
}

void TLovelyMenu::AttachItems() {
    if (popupMenu_) Attach(popupMenu_->Items(), true);
}

void TLovelyMenu::Detach() {
    // The items must not keep handlers that point into a skin that is gone.
    if (!popupMenu_) return;
    Attach(popupMenu_->Items(), false);
    popupMenu_->OnFormShow = previousFormShow_;
    previousFormShow_ = nullptr;
    RemoveFreeNotification(popupMenu_);
    popupMenu_ = nullptr;
    subMenus_.clear();
    lastMeasured_ = nullptr;
}

void TLovelyMenu::Notification(TComponent* component, bool removing) {
    if (removing && component == popupMenu_) {
        // The menu is being destroyed: forget it without touching its items.
        popupMenu_ = nullptr;
        previousFormShow_ = nullptr;
        subMenus_.clear();
        lastMeasured_ = nullptr;
    }
    TComponent::Notification(component, removing);
}

void TLovelyMenu::Attach(TMenuItem& item, bool on) {
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem* child = item.Items(i);
        if (on) {
            child->OnMeasureItem = [this](TMenuItem* it, TCanvas& canvas, int& width, int& height) {
                MeasureItem(it, canvas, width, height);
            };
            child->OnDrawItem = [this](TMenuItem* it, TCanvas& canvas, const TRect& rect, bool selected) {
                DrawItem(it, canvas, rect, selected);
            };
        } else {
            child->OnMeasureItem = nullptr;
            child->OnDrawItem = nullptr;
        }
        Attach(*child, on);
    }
}

const TLovelyMenu::TSubMenuState* TLovelyMenu::SubMenu(const TMenuItem* parent) const {
    auto it = subMenus_.find(parent);
    return it == subMenus_.end() ? nullptr : &it->second;
}

TMenuItem* TLovelyMenu::FirstVisible(const TMenuItem& parent) const {
    for (int i = 0; i < parent.Count(); ++i)
        if (parent.Items(i)->Visible()) return parent.Items(i);
    return nullptr;
}

TMenuItem* TLovelyMenu::LastVisible(const TMenuItem& parent) const {
    for (int i = parent.Count() - 1; i >= 0; --i)
        if (parent.Items(i)->Visible()) return parent.Items(i);
    return nullptr;
}

void TLovelyMenu::MeasureItem(TMenuItem* item, TCanvas&, int& width, int& height) {
    const TMenuItem* parent = item->ParentItem();
    if (!parent) return;
    TSubMenuState& state = subMenus_[parent];
    lastMeasured_ = parent;
    if (!item->IsSeparator()) height = kItemHeight;
    width += SpaceLeft + SpaceRight + kExtraWidth;
    if (item == FirstVisible(*parent)) {
        state.widest = 0;
        state.totalHeight = 0;
        height += SpaceTop;
    }
    if (item == LastVisible(*parent)) height += SpaceBottom;
    if (!item->Visible()) return;
    state.totalHeight += height;
    state.widest = std::max(state.widest, width);
}

void TLovelyMenu::RenderBackground(TSubMenuState& state) {
    state.background.SetSize(state.widest, state.totalHeight);
    RenderNinePart(picture_.get(), CenterX, CenterY, state.background);
}

void TLovelyMenu::ShapeWindow(TPopupMenu*, TForm* form) {
    // A menu window is laid out (its items measured) right before it shows, so the sub-menu measured last
    // is the one this window holds.
    if (!form || !lastMeasured_) return;
    TSubMenuState& state = subMenus_[lastMeasured_];
    RenderBackground(state);
    if (ShowBorder) return;
    const int border = std::max(0, (form->Width() - state.widest) / 2);
    if (TransparentColor == clNone) {
        const TRegion inside(TRect{border, border, form->Width() - border, form->Height() - border});
        form->SetFormRegion(&inside);
        return;
    }
    TRegion shape = RegionFromBitmap(state.background, TransparentColor, TransparentSpace);
    shape.Offset(border, border);
    form->SetFormRegion(&shape);
}

void TLovelyMenu::DrawItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, bool selected) {
    const TMenuItem* parent = item->ParentItem();
    if (!parent) return;
    TSubMenuState& state = subMenus_[parent];
    // The item rectangles start inside the window's border; the background covers the items only.
    const TMenuItem* first = FirstVisible(*parent);
    const int border = rect.left;
    if (item == first &&
        (state.background.Width() != state.widest || state.background.Height() != state.totalHeight))
        RenderBackground(state);
    const int top = rect.top - border;
    TPixelRows rows = state.background.Rows();
    if (!state.background.Empty() && top >= 0 && top < state.background.Height()) {
        rows.bits = rows.Row(top);
        rows.height = std::min(rect.Height(), state.background.Height() - top);
        canvas.CopyRows(rect.left, rect.top, rows);
    }
    TRect face{rect.left + SpaceLeft, rect.top, rect.right - SpaceRight, rect.bottom};
    if (item == first) face.top += SpaceTop;
    if (item == LastVisible(*parent)) face.bottom -= SpaceBottom;
    PaintItemFace(item, canvas, face, selected);
}

void TLovelyMenu::PaintItemFace(TMenuItem* item, TCanvas& canvas, const TRect& rect, bool selected) {
    if (item->IsSeparator()) {
        const int y = rect.top + rect.Height() / 2;
        canvas.FillRect({rect.left, y, rect.right, y + 1}, ColorToRGB(LineColor));
        return;
    }
    const bool highlighted = selected && item->Enabled();
    const TColor brush = highlighted ? SelectColor : BackColor;
    if (brush != clNone) canvas.FillRect(rect, ColorToRGB(brush));
    canvas.Font().Assign(highlighted ? selectFont_ : commonFont_);
    if (!item->Enabled()) canvas.Font().SetColor(clGrayText);
    const TColor ink = ColorToRGB(canvas.Font().Color());
    canvas.Font().SetColor(ink);
    canvas.Brush().style = TBrushStyle::bsClear;
    canvas.DrawText({rect.left + kCheckRoom, rect.top, rect.right - kCheckRoom, rect.bottom}, item->Caption(),
                    dtSingleLine | dtVCenter | dtNoPrefix);
    const int cy = rect.top + rect.Height() / 2;
    if (item->Checked()) // a small tick
        for (int k = 0; k < 3; ++k) {
            canvas.FillRect({rect.left + 6 + k, cy - 1 + k, rect.left + 7 + k, cy + 1 + k}, ink);
            canvas.FillRect({rect.left + 9 + k, cy + 1 - k, rect.left + 10 + k, cy + 3 - k}, ink);
        }
    if (item->Count() > 0) // sub-menu arrow
        for (int k = 0; k < 4; ++k)
            canvas.FillRect({rect.right - 10 + k, cy - 3 + k, rect.right - 9 + k, cy + 4 - k}, ink);
}

} // namespace morvane
