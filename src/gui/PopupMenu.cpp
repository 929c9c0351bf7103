#include "gui/PopupMenu.h"

#include "gui/Form.h"
#include "gui/Frame3D.h"

#include <algorithm>

namespace morvane {
namespace {

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 7;
constexpr int kTextLeft = 22;  // room for the check mark
constexpr int kTextRight = 22; // room for the sub-menu arrow
constexpr int kPadding = 2;

} // namespace

// One level of an open pop-up menu.
class TMenuForm : public TForm {
public:
    TMenuForm(TPopupMenu& menu, TMenuItem& parent, std::size_t level)
        : TForm(nullptr), menu_(menu), parent_(parent), level_(level) {
        SetTopMost(true);
        KeyPreview = false;
    }

    void Layout(int screenX, int screenY) {
        TBitmap none;
        TCanvas measure(none);
        measure.Font().Assign(Font());
        rects_.clear();
        int width = 0;
        int top = kPadding;
        for (int i = 0; i < parent_.Count(); ++i) {
            TMenuItem* item = parent_.Items(i);
            int w = item->IsSeparator() ? 0 : measure.TextWidth(item->Caption()) + kTextLeft + kTextRight;
            int h = item->IsSeparator() ? kSeparatorHeight : kItemHeight;
            if (item->OnMeasureItem) item->OnMeasureItem(item, measure, w, h);
            if (!item->Visible()) h = 0;
            rects_.push_back({kPadding, top, 0, top + h});
            width = std::max(width, w);
            top += h;
        }
        for (TRect& r : rects_)
            r.right = kPadding + width;
        SetBounds(screenX, screenY, width + 2 * kPadding, top + kPadding);
    }

    std::size_t Level() const { return level_; }
    bool Active() const { return active_; }
    int Hover() const { return hover_; }
    TRect ItemRect(int index) const { return rects_.at(std::size_t(index)); }

    void MouseMove(TShiftState shift, int x, int y) override {
        TForm::MouseMove(shift, x, y);
        SetHover(ItemAt({x, y}));
    }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
        TForm::MouseUp(button, shift, x, y);
        const int index = ItemAt({x, y});
        if (index >= 0) Choose(index);
    }
    void KeyDown(TKey& key, TShiftState shift) override {
        TForm::KeyDown(key, shift);
        switch (key) {
        case VK_ESCAPE:
            if (level_ == 0)
                menu_.CloseMenu();
            else
                menu_.CloseFrom(level_);
            break;
        case VK_UP:
            Step(-1);
            break;
        case VK_DOWN:
            Step(1);
            break;
        case VK_RETURN:
        case VK_RIGHT:
            if (hover_ >= 0) Choose(hover_);
            break;
        case VK_LEFT:
            if (level_ > 0) menu_.CloseFrom(level_);
            break;
        default:
            return;
        }
        key = 0;
    }

protected:
    void Paint(TCanvas& canvas) override {
        canvas.FillRect(ClientRect(), ColorToRGB(clMenu));
        Frame3D(canvas, ClientRect(), clBtnHighlight, cl3DDkShadow);
        canvas.Font().Assign(Font());
        canvas.Brush().style = TBrushStyle::bsClear;
        for (int i = 0; i < parent_.Count(); ++i) {
            TMenuItem* item = parent_.Items(i);
            const TRect r = rects_[std::size_t(i)];
            if (!item->Visible() || r.IsEmpty()) continue;
            const bool selected = i == hover_ && !item->IsSeparator();
            if (item->OnDrawItem) {
                TCanvasSaver saver(canvas);
                canvas.IntersectClipRect(r);
                item->OnDrawItem(item, canvas, r, selected);
                continue;
            }
            if (item->IsSeparator()) {
                const int y = r.top + r.Height() / 2;
                canvas.FillRect({r.left + 1, y - 1, r.right - 1, y}, ColorToRGB(clBtnShadow));
                canvas.FillRect({r.left + 1, y, r.right - 1, y + 1}, ColorToRGB(clBtnHighlight));
                continue;
            }
            if (selected && item->Enabled()) canvas.FillRect(r, ColorToRGB(clHighlight));
            const TColor text = !item->Enabled() ? clGrayText : selected ? clHighlightText : clWindowText;
            canvas.Font().SetColor(ColorToRGB(text));
            canvas.DrawText({r.left + kTextLeft, r.top, r.right - kTextRight, r.bottom}, item->Caption(),
                            dtSingleLine | dtVCenter);
            const int cy = r.top + r.Height() / 2;
            if (item->Checked()) {
                for (int k = 0; k < 3; ++k) {
                    canvas.FillRect(Bounds(r.left + 7 + k, cy - 1 + k, 1, 3), ColorToRGB(text));
                    canvas.FillRect(Bounds(r.left + 10 + k, cy + 1 - k, 1, 3), ColorToRGB(text));
                }
                canvas.FillRect(Bounds(r.left + 13, cy - 2, 1, 3), ColorToRGB(text));
            }
            if (item->Count() > 0) {
                TCanvasSaver saver(canvas);
                canvas.Brush().color = ColorToRGB(text);
                canvas.Brush().style = TBrushStyle::bsSolid;
                canvas.Pen().width = 0;
                canvas.Polygon({{r.right - 12, cy - 4}, {r.right - 12, cy + 5}, {r.right - 7, cy}});
            }
        }
    }

private:
    void WindowActivated(bool active) override {
        active_ = active;
        if (active || !HasApplication()) return;
        // Another menu level may be taking the activation; decide once that has arrived.
        TPopupMenu* menu = &menu_;
        const TControlHandle handle = Handle();
        Application().System().Post([menu, handle] {
            if (!Application().FindControl(handle)) return;
            for (TForm* form : menu->PopupForms())
                if (static_cast<TMenuForm*>(form)->Active()) return;
            menu->CloseMenu();
        });
    }

    int ItemAt(TPoint point) const {
        for (std::size_t i = 0; i < rects_.size(); ++i)
            if (rects_[i].Contains(point)) return int(i);
        return -1;
    }
    bool Selectable(int index) const {
        TMenuItem* item = parent_.Items(index);
        return item->Visible() && item->Enabled() && !item->IsSeparator();
    }
    void SetHover(int index) {
        if (index >= 0 && !Selectable(index)) index = -1;
        if (index == hover_) return;
        hover_ = index;
        Invalidate();
        menu_.CloseFrom(level_ + 1);
        if (index >= 0 && parent_.Items(index)->Count() > 0) {
            const TRect r = rects_[std::size_t(index)];
            menu_.OpenLevel(*parent_.Items(index), Left() + Width() - kPadding, Top() + r.top - kPadding,
                            level_ + 1);
        }
    }
    void Step(int direction) {
        const int count = parent_.Count();
        for (int k = 1; k <= count; ++k) {
            const int index =
                ((hover_ < 0 ? (direction > 0 ? -1 : 0) : hover_) + direction * k + count) % count;
            if (Selectable(index)) {
                SetHover(index);
                return;
            }
        }
    }
    void Choose(int index) {
        if (!Selectable(index)) return;
        TMenuItem* item = parent_.Items(index);
        if (item->Count() > 0) {
            hover_ = -1;
            SetHover(index);
            return;
        }
        menu_.Pick(item);
    }

    TPopupMenu& menu_;
    TMenuItem& parent_;
    std::size_t level_;
    std::vector<TRect> rects_;
    int hover_{-1};
    bool active_{false};
};

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {
    items_ = Own(std::make_unique<TMenuItem>(this));
}

TPopupMenu::~TPopupMenu() {
    forms_.clear();
    closed_.clear();
}

bool TPopupMenu::IsOpen() const {
    return !forms_.empty();
}

std::vector<TForm*> TPopupMenu::PopupForms() const {
    std::vector<TForm*> forms;
    for (const auto& form : forms_)
        forms.push_back(form.get());
    return forms;
}

void TPopupMenu::Popup(int screenX, int screenY) {
    CloseMenu();
    closed_.clear();
    if (OnPopup) OnPopup(nullptr);
    OpenLevel(*items_, screenX, screenY, 0);
}

void TPopupMenu::OpenLevel(TMenuItem& parent, int screenX, int screenY, std::size_t level) {
    CloseFrom(level);
    bool anyVisible = false;
    for (int i = 0; i < parent.Count(); ++i)
        anyVisible = anyVisible || parent.Items(i)->Visible();
    if (!anyVisible) return;
    auto form = std::make_unique<TMenuForm>(*this, parent, level);
    form->Layout(screenX, screenY);
    if (OnFormShow) OnFormShow(this, form.get());
    TMenuForm* raw = form.get();
    forms_.push_back(std::move(form));
    raw->Show();
    raw->SetActiveControl(nullptr);
}

void TPopupMenu::CloseFrom(std::size_t level) {
    while (forms_.size() > level) {
        forms_.back()->Hide();
        closed_.push_back(std::move(forms_.back()));
        forms_.pop_back();
    }
}

void TPopupMenu::CloseMenu() {
    CloseFrom(0);
}

void TPopupMenu::Pick(TMenuItem* item) {
    CloseMenu();
    item->Click();
}

} // namespace morvane
