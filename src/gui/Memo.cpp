#include "gui/Memo.h"

#include "base/Gbk.h"
#include "gui/Canvas.h"
#include "gui/SystemColors.h"

#include <algorithm>

namespace morvane {
namespace {

constexpr int kIndent = 2;

} // namespace

TMemo::TMemo(TComponent* owner) : TScrollingControl(owner) {
    SetBounds(0, 0, 185, 89);
}

std::vector<std::string> TMemo::Lines() const {
    std::vector<std::string> lines;
    if (Text().empty()) return lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = Text().find('\n', start);
        std::string line = Text().substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\r\n" : "") + lines[i];
    SetText(text);
}

void TMemo::AddLine(const std::string& line) {
    SetText(Text().empty() ? line : Text() + "\r\n" + line);
}

void TMemo::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    UpdateRange();
    Invalidate();
}

int TMemo::TextHeightUsed() const {
    TBitmap none;
    TCanvas measure(none);
    measure.Font().Assign(Font());
    const TRect content = ContentRect();
    return measure.DrawText({0, 0, content.Width() - 2 * kIndent, 0}, Text(),
                            dtCalcRect | (wordWrap_ ? dtWordBreak : 0));
}

void TMemo::UpdateRange() {
    SetScrollRange(TScrollBarKind::sbVertical, 0, std::max(0, TextHeightUsed() - 1),
                   std::max(1, ContentRect().Height()));
}

void TMemo::KeyPress(std::string& gbkChar) {
    TScrollingControl::KeyPress(gbkChar);
    if (gbkChar.empty() || readOnly_) return;
    std::string text = Text();
    if (gbkChar == "\b") {
        if (text.empty()) return;
        // A line break goes as one.
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
            text.resize(text.size() - 2);
        } else {
            std::size_t last = 0;
            for (std::size_t at = 0; at < text.size(); at += gbk::CharLength(text, at))
                last = at;
            text.resize(last);
        }
    } else {
        const std::string add = gbkChar == "\r" ? "\r\n" : gbkChar;
        if (static_cast<unsigned char>(add[0]) < 0x20 && add != "\r\n") return;
        if (maxLength_ > 0 && text.size() + add.size() > maxLength_) return;
        text += add;
    }
    SetText(text);
    SetScrollPos(TScrollBarKind::sbVertical, MaxScrollPos(TScrollBarKind::sbVertical));
}

void TMemo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TScrollingControl::MouseDown(button, shift, x, y);
    if (!ScrollBarBusy() && CanFocus()) SetFocus();
}

void TMemo::WndProc(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED) {
        UpdateRange();
        if (OnChange) OnChange(this);
    }
    TScrollingControl::WndProc(message);
}

void TMemo::Resized() {
    UpdateRange();
    TScrollingControl::Resized();
}

void TMemo::Paint(TCanvas& canvas) {
    canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    {
        TCanvasSaver saver(canvas);
        const TRect content = ContentRect();
        canvas.IntersectClipRect(content);
        canvas.Font().Assign(Font());
        canvas.Font().SetColor(ColorToRGB(Enabled() ? Font().Color() : clGrayText));
        canvas.Brush().style = TBrushStyle::bsClear;
        const int top = content.top + kIndent - ScrollPos(TScrollBarKind::sbVertical);
        const int used =
            canvas.DrawText({content.left + kIndent, top, content.right - kIndent, content.bottom + 100000},
                            Text(), wordWrap_ ? dtWordBreak : 0);
        if (Focused()) {
            // The caret sits after the last character.
            std::vector<std::string> lines = Lines();
            const std::string last = lines.empty() ? "" : lines.back();
            const int lineHeight = canvas.TextHeight("Wg");
            const int x = content.left + kIndent + (wordWrap_ ? 0 : canvas.TextWidth(last));
            int caretX = x;
            if (wordWrap_) {
                // The width of the last wrapped row of the last line.
                const int width = content.Width() - 2 * kIndent;
                std::string row;
                for (std::size_t pos = 0; pos < last.size();) {
                    const std::size_t n = gbk::CharLength(last, pos);
                    const std::string ch = last.substr(pos, n);
                    if (canvas.TextWidth(row + ch) > width) row.clear();
                    row += ch;
                    pos += n;
                }
                caretX = x + canvas.TextWidth(row);
            }
            const int caretTop = top + std::max(0, used - lineHeight);
            canvas.FillRect({caretX, caretTop, caretX + 1, caretTop + lineHeight}, ColorToRGB(clWindowText));
        }
    }
    PaintFrame(canvas);
}

} // namespace morvane
