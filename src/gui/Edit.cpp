#include "gui/Edit.h"

#include "base/Gbk.h"
#include "gui/Frame3D.h"

#include <algorithm>
#include <cstdlib>

namespace morvane {
namespace {

constexpr int kTextIndent = 2;
constexpr char kCtrlA = 0x01;
constexpr char kCtrlV = 0x16;

TSize MeasureText(const TFont& font, std::string_view text) {
    TBitmap none;
    TCanvas measure(none);
    measure.Font().Assign(font);
    return measure.TextExtent(text);
}

// The first line of pasted text: an edit holds one line.
std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

} // namespace

TEdit::TEdit(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

void TEdit::SetPasswordChar(char value) {
    if (passwordChar_ == value) return;
    passwordChar_ = value;
    Invalidate();
}

void TEdit::SetBorderVisible(bool value) {
    if (border_ == value) return;
    border_ = value;
    Invalidate();
}

std::size_t TEdit::SelStart() const {
    return std::min(anchor_, caret_);
}

std::size_t TEdit::SelLength() const {
    return std::max(anchor_, caret_) - SelStart();
}

std::string TEdit::SelText() const {
    return Text().substr(SelStart(), SelLength());
}

std::size_t TEdit::PreviousCharStart(std::size_t pos) const {
    // GBK cannot be walked backwards: find the character boundary before pos from the start.
    std::size_t previous = 0;
    for (std::size_t at = 0; at < pos; at += gbk::CharLength(Text(), at))
        previous = at;
    return previous;
}

std::size_t TEdit::NextCharStart(std::size_t pos) const {
    return pos >= Text().size() ? Text().size() : pos + gbk::CharLength(Text(), pos);
}

void TEdit::SetSelection(std::size_t anchor, std::size_t caret) {
    // Both ends snap to character boundaries.
    auto snap = [this](std::size_t pos) {
        pos = std::min(pos, Text().size());
        return gbk::SafeCutLength(Text(), pos);
    };
    anchor_ = snap(anchor);
    caret_ = snap(caret);
    ScrollCaretIntoView();
    Invalidate();
}

void TEdit::MoveCaret(std::size_t pos, bool extend) {
    SetSelection(extend ? anchor_ : pos, pos);
}

void TEdit::SetSelText(const std::string& gbkText) {
    const std::string& text = Text();
    const std::size_t start = SelStart();
    const std::size_t rest = text.size() - SelLength();
    std::string insert = gbkText;
    if (maxLength_ > 0) insert = gbk::SafeCut(insert, maxLength_ > rest ? maxLength_ - rest : 0);
    std::string next = text.substr(0, start) + insert + text.substr(start + SelLength());
    anchor_ = caret_ = start + insert.size();
    SetText(next);
    ScrollCaretIntoView();
    Invalidate();
}

void TEdit::DeleteSelectionOr(bool forward) {
    if (SelLength() == 0) {
        if (forward)
            caret_ = NextCharStart(caret_);
        else
            anchor_ = PreviousCharStart(caret_);
    }
    SetSelText("");
}

void TEdit::PasteFromClipboard() {
    if (readOnly_ || !HasApplication()) return;
    SetSelText(FirstLine(Application().System().ClipboardText()));
}

void TEdit::KeyDown(TKey& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    const bool extend = (shift & ssShift) != 0;
    switch (key) {
    case VK_LEFT:
        MoveCaret(PreviousCharStart(caret_), extend);
        break;
    case VK_RIGHT:
        MoveCaret(NextCharStart(caret_), extend);
        break;
    case VK_HOME:
        MoveCaret(0, extend);
        break;
    case VK_END:
        MoveCaret(Text().size(), extend);
        break;
    case VK_DELETE:
        if (!readOnly_) DeleteSelectionOr(true);
        break;
    case VK_INSERT:
        if (extend) PasteFromClipboard();
        break;
    default:
        return;
    }
    key = 0;
}

void TEdit::KeyPress(std::string& gbkChar) {
    TCustomControl::KeyPress(gbkChar);
    if (gbkChar.empty()) return;
    const auto first = static_cast<unsigned char>(gbkChar[0]);
    if (gbkChar.size() == 1 && first < 0x20) {
        if (first == '\b' && !readOnly_) DeleteSelectionOr(false);
        if (first == kCtrlA) SelectAll();
        if (first == kCtrlV) PasteFromClipboard();
        return;
    }
    if (readOnly_) return;
    // A character that does not fit whole is refused, never cut in half.
    if (maxLength_ > 0 && Text().size() - SelLength() + gbkChar.size() > maxLength_) return;
    SetSelText(gbkChar);
}

TRect TEdit::TextArea() const {
    const int inset = border_ ? 2 : 0;
    return {inset, inset, Width() - inset, Height() - inset};
}

std::string TEdit::DisplayText() const {
    if (!passwordChar_) return Text();
    return std::string(gbk::WideLength(Text()), passwordChar_);
}

int TEdit::DisplayX(std::size_t bytePos) const {
    std::size_t displayPos =
        passwordChar_ ? gbk::WideLength(std::string_view(Text()).substr(0, bytePos)) : bytePos;
    return MeasureText(Font(), std::string_view(DisplayText()).substr(0, displayPos)).cx;
}

std::size_t TEdit::PosAtX(int x) const {
    // The boundary nearest to x.
    const int target = x - TextArea().left - kTextIndent + scrollX_;
    std::size_t best = 0;
    int bestDistance = std::abs(target);
    for (std::size_t pos = 0; pos < Text().size();) {
        pos = NextCharStart(pos);
        const int distance = std::abs(DisplayX(pos) - target);
        if (distance < bestDistance) {
            best = pos;
            bestDistance = distance;
        }
    }
    return best;
}

void TEdit::ScrollCaretIntoView() {
    const int room = std::max(1, TextArea().Width() - 2 * kTextIndent);
    const int x = DisplayX(caret_);
    if (x - scrollX_ > room) scrollX_ = x - room;
    if (x < scrollX_) scrollX_ = std::max(0, x - room / 3);
}

void TEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    if (CanFocus()) SetFocus();
    if (shift & ssDouble)
        SelectAll();
    else
        MoveCaret(PosAtX(x), (shift & ssShift) != 0);
}

void TEdit::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (shift & ssLeft) MoveCaret(PosAtX(x), true);
}

void TEdit::WndProc(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED) {
        anchor_ = std::min(anchor_, Text().size());
        caret_ = std::min(caret_, Text().size());
        if (OnChange) OnChange(this);
    }
    TCustomControl::WndProc(message);
}

void TEdit::Paint(TCanvas& canvas) {
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    if (border_) {
        SunkenBorder(canvas, ClientRect());
        Frame3D(canvas, {1, 1, Width() - 1, Height() - 1}, cl3DDkShadow, clBtnFace);
    }
    const TRect area = TextArea();
    canvas.IntersectClipRect(area);
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    canvas.Brush().style = TBrushStyle::bsClear;
    const int lineHeight = canvas.TextHeight("Wg");
    const int y = area.top + (area.Height() - lineHeight) / 2;
    const int x0 = area.left + kTextIndent - scrollX_;
    const std::string shown = DisplayText();
    canvas.TextOut(x0, y, shown);
    if (Focused() && SelLength() > 0) {
        const int left = x0 + DisplayX(SelStart());
        const int right = x0 + DisplayX(SelStart() + SelLength());
        canvas.FillRect({left, y, right, y + lineHeight}, ColorToRGB(clHighlight));
        canvas.IntersectClipRect({left, y, right, y + lineHeight});
        canvas.Font().SetColor(ColorToRGB(clHighlightText));
        canvas.TextOut(x0, y, shown);
    } else if (Focused()) {
        const int x = x0 + DisplayX(caret_);
        canvas.FillRect({x, y, x + 1, y + lineHeight}, ColorToRGB(clWindowText));
    }
}

} // namespace morvane
