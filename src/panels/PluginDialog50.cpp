#include "panels/PluginDialog50.h"

#include "gui/Canvas.h"
#include "gui/ListBox.h"
#include "ui/LovelyTextBtn.h"

#include <algorithm>
#include <cstdio>

namespace morvane {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty() || lines.empty()) lines.push_back(current);
    return lines;
}

std::string WithCount(const std::string& caption, int count) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "(%d)", count);
    return caption + buffer;
}

} // namespace

TPluginDialog50::TPluginDialog50(TComponent* owner) : TCustomPluginDialog(owner) {
    SetTitleShadowColor(0x83180A);
    SetTitleColor(0xFFFFFF);
    SetTitleLeft(50);
    SetTitleHeight(24);
    SetBounds(Left(), Top(), 300, 150);
    SetTabStop(true);
    // A press on the title moves the dialog.
    SetLockedPoint(false);

    cancel_ = Own(std::make_unique<TLovelyTextBtn>(this));
    accept_ = Own(std::make_unique<TLovelyTextBtn>(this));
    close_ = Own(std::make_unique<TLovelyButton>(this));
    list_ = Own(std::make_unique<TListBox>(this));
    for (TControl* control : std::initializer_list<TControl*>{cancel_, accept_, close_, list_})
        control->SetParent(this);
    accept_->SetBounds(0, 0, 75, 22);
    cancel_->SetBounds(0, 0, 75, 22);
    close_->SetBounds(0, 0, 16, 16);
    accept_->SetCaption(OkCaption());
    cancel_->SetCaption(CancelCaption());
    list_->SetVisible(false);
    list_->SetColor(clWhite);
    accept_->OnClick = [this](TControl*) { Answer(mrAccepted); };
    cancel_->OnClick = [this](TControl*) { Answer(mrCancelled); };
    close_->OnClick = [this](TControl*) { Answer(mrClosed); };
    list_->OnDblClick = [this](TControl*) { Answer(mrAccepted); };
    list_->OnKeyDown = [this](TControl*, TKey& key, TShiftState) {
        if (key == VK_RETURN) {
            Answer(mrAccepted);
            key = 0;
        } else if (key == VK_ESCAPE) {
            Answer(mrCancelled);
            key = 0;
        }
    };
    Relayout();
}

int TPluginDialog50::Execute() {
    // A run inside a run (a second note while the first is open) is refused instead of nesting loops.
    if (executing_ || Running()) return 0;
    executing_ = true;
    const TControlHandle self = Handle();
    SetModalResult(0);
    ShowCount(Remaining());
    Relayout();
    if (OnExecuteStart) OnExecuteStart(*this);
    int result = 0;
    try {
        result = TCustomPluginDialog::Execute();
    } catch (...) {
        if (Application().FindControl(self)) executing_ = false;
        throw;
    }
    if (Application().FindControl(self)) {
        executing_ = false;
        ShowCount(Remaining());
    }
    return result;
}

void TPluginDialog50::Answer(int result) {
    if (Running()) SetModalResult(result);
}

void TPluginDialog50::SetButtons(std::uint8_t kind) {
    TCustomPluginDialog::SetButtons(kind);
    Relayout();
}

int TPluginDialog50::GetItemIndex() {
    return list_->ItemIndex();
}

void TPluginDialog50::SetItemIndex(int index) {
    list_->SetItemIndex(index);
}

void TPluginDialog50::SetLines(const std::vector<std::string>* lines) {
    TCustomPluginDialog::SetLines(lines);
    list_->SetItems(Lines());
    list_->SetItemIndex(Lines().empty() ? -1 : 0);
}

void TPluginDialog50::SetButtonImages(TImageList* images) {
    accept_->SetImages(images);
    cancel_->SetImages(images);
    Relayout();
}

void TPluginDialog50::SetButtonStartIndex(int index) {
    accept_->SetStartIndex(index);
    cancel_->SetStartIndex(index);
}

void TPluginDialog50::SetCloseImages(TImageList* images) {
    close_->SetImages(images);
    Relayout();
}

void TPluginDialog50::SetCloseStartIndex(int index) {
    close_->SetStartIndex(index);
}

void TPluginDialog50::SetDialogPicture(const TPngImage* picture) {
    if (picture && !picture->Empty())
        SetBounds(Left(), Top(), std::max(Width(), picture->Width()), std::max(Height(), picture->Height()));
    SetPicture(picture);
}

void TPluginDialog50::SetSelectColor(TColor color) {
    list_->SetColor(color);
}

void TPluginDialog50::SetLayoutValue(int& field, int value) {
    if (field == value) return;
    field = value;
    Relayout();
}

void TPluginDialog50::Resized() {
    TCustomPluginDialog::Resized();
    Relayout();
}

void TPluginDialog50::Relayout() {
    if (!accept_) return; // still constructing
    const std::uint8_t kind = Buttons();
    const int w = Width();
    const int h = Height();
    const int acceptW = accept_->Width();
    const int acceptH = accept_->Height();
    list_->SetVisible(kind == kKindSelection);
    list_->SetBounds(selectLeft_, TitleHeight() + selectTop_, w - selectLeft_ - selectRight_ - 5,
                     h - TitleHeight() - selectTop_ - acceptH - buttonBottomSpace_ - selectBottom_);
    cancel_->SetVisible(kind == kKindQuestion || kind == kKindSelection);
    const int buttonTop = h - acceptH - buttonBottomSpace_;
    close_->SetBounds(w - close_->Width() - closeRight_, closeTop_, close_->Width(), close_->Height());
    if (kind == kKindMessage) {
        accept_->SetBounds((w - acceptW) / 2, buttonTop, acceptW, acceptH);
    } else if (kind == kKindQuestion || kind == kKindSelection) {
        const int left = (w - 2 * acceptW) / 3;
        accept_->SetBounds(left, buttonTop, acceptW, acceptH);
        cancel_->SetBounds(2 * left + acceptW, buttonTop, cancel_->Width(), cancel_->Height());
    } else {
        accept_->SetBounds(accept_->Left(), buttonTop, acceptW, acceptH);
    }
    cancel_->SetTop(buttonTop);
    ReRender();
}

void TPluginDialog50::SetRemaining(int value) {
    // The buttons show the new count before the change is announced.
    ShowCount(value);
    TCustomPluginDialog::SetRemaining(value);
}

void TPluginDialog50::ShowCount(int n) {
    const bool counting = Running() && n > 0;
    if (Buttons() != kKindMessage) {
        accept_->SetCaption(OkCaption());
        cancel_->SetCaption(counting ? WithCount(CancelCaption(), n) : CancelCaption());
    } else {
        accept_->SetCaption(counting ? WithCount(OkCaption(), n) : OkCaption());
        cancel_->SetCaption(CancelCaption());
    }
}

void TPluginDialog50::DoEnter() {
    TCustomPluginDialog::DoEnter();
    if (list_->Visible() && list_->CanFocus()) list_->SetFocus();
}

void TPluginDialog50::Paint(TCanvas& canvas) {
    PaintBackground(canvas);
    PaintMessage(canvas);
    // The title over the background and the message, as the skinned panel draws it.
    const std::string caption = Caption();
    if (TitleHeight() > 0 && !caption.empty()) {
        const TRect titleRect{TitleLeft(), TitleTop(), Width() - TitleRight(), TitleTop() + TitleHeight()};
        std::uint32_t flags = dtSingleLine | dtVCenter | dtNoPrefix;
        if (TitleAlignment() == TAlignment::taCenter) flags |= dtCenter;
        if (TitleAlignment() == TAlignment::taRightJustify) flags |= dtRight;
        canvas.Font().Assign(Font());
        canvas.Brush().style = TBrushStyle::bsClear;
        if (TitleShadowColor() != clNone) {
            canvas.Font().SetColor(TitleShadowColor());
            canvas.DrawText(titleRect.Offset(1, 1), caption, flags);
        }
        canvas.Font().SetColor(TitleColor());
        canvas.DrawText(titleRect, caption, flags);
    }
}

void TPluginDialog50::PaintMessage(TCanvas& canvas) {
    if (Message().empty()) return;
    const std::vector<std::string> lines = SplitLines(Message());
    const int count = int(lines.size());
    const TRect area{selectLeft_, TitleHeight(), Width() - selectRight_,
                     Height() - accept_->Height() - buttonBottomSpace_};
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(clBlack);
    canvas.Brush().style = TBrushStyle::bsClear;
    for (int i = 0; i < count; ++i) {
        const int shift = kMessageLineStep * i - (kMessageLineStep / 2) * (count - 1);
        canvas.DrawText(area.Offset(0, shift), lines[std::size_t(i)],
                        dtSingleLine | dtCenter | dtVCenter | dtNoPrefix);
    }
}

} // namespace morvane
