// Text on the canvas: measuring and drawing go through the application's text engine; layout (lines, wrap,
// ellipsis, alignment) is done here on whole GBK characters.
#include "base/Gbk.h"
#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/SystemColors.h"
#include "gui/TextEngine.h"

#include <string>
#include <vector>

namespace morvane {
namespace {

constexpr std::string_view kEllipsis = "...";

TTextEngine* Engine() {
    return HasApplication() ? &Application().System().TextEngine() : nullptr;
}

// One character of a line: where it starts, how long it is in bytes and how wide it draws.
struct TGlyphCell {
    std::size_t pos;
    std::size_t length;
    int width;
};

std::vector<TGlyphCell> Cells(const TCanvas& canvas, std::string_view text) {
    std::vector<TGlyphCell> cells;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = gbk::CharLength(text, pos);
        cells.push_back({pos, length, canvas.TextWidth(text.substr(pos, length))});
        pos += length;
    }
    return cells;
}

bool IsBlank(std::string_view text, const TGlyphCell& cell) {
    return cell.length == 1 && text[cell.pos] == ' ';
}

// A line may break before cell i when a blank precedes it or either side is a double-byte character
// (Chinese text breaks between any two characters).
bool CanBreakBefore(std::string_view text, const std::vector<TGlyphCell>& cells, std::size_t i) {
    if (i == 0 || i >= cells.size()) return false;
    return IsBlank(text, cells[i - 1]) || cells[i].length == 2 || cells[i - 1].length == 2;
}

std::string_view TrimBlanksRight(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// Breaks one paragraph into lines no wider than maxWidth; a character wider than the whole line still gets
// a line of its own.
std::vector<std::string> WrapParagraph(const TCanvas& canvas, std::string_view text, int maxWidth) {
    std::vector<std::string> lines;
    const std::vector<TGlyphCell> cells = Cells(canvas, text);
    std::size_t start = 0;
    while (start < cells.size()) {
        int width = 0;
        std::size_t end = start;
        while (end < cells.size() && (end == start || width + cells[end].width <= maxWidth)) {
            width += cells[end].width;
            ++end;
        }
        if (end < cells.size()) {
            // Go back to the last place where the line may break, unless the line holds a single word.
            std::size_t breakAt = end;
            while (breakAt > start && !CanBreakBefore(text, cells, breakAt) && !IsBlank(text, cells[breakAt]))
                --breakAt;
            if (breakAt > start) end = breakAt;
        }
        const std::size_t from = cells[start].pos;
        const std::size_t to = end < cells.size() ? cells[end].pos : text.size();
        lines.emplace_back(TrimBlanksRight(text.substr(from, to - from)));
        start = end;
        while (start < cells.size() && IsBlank(text, cells[start]) && end < cells.size())
            ++start;
    }
    if (lines.empty()) lines.emplace_back();
    return lines;
}

// The longest start of the line that fits with "..." after it; with `wholeWords` the cut falls where a
// line could break, when such a place fits.
std::string Ellipsize(const TCanvas& canvas, std::string_view text, int maxWidth, bool wholeWords) {
    const std::vector<TGlyphCell> cells = Cells(canvas, text);
    int total = 0;
    for (const TGlyphCell& c : cells)
        total += c.width;
    if (total <= maxWidth) return std::string(text);
    const int room = maxWidth - canvas.TextWidth(kEllipsis);
    std::size_t fit = 0;
    int width = 0;
    while (fit < cells.size() && width + cells[fit].width <= room)
        width += cells[fit++].width;
    if (wholeWords) {
        std::size_t word = fit;
        while (word > 0 && !CanBreakBefore(text, cells, word))
            --word;
        if (word > 0) fit = word;
    }
    const std::size_t bytes = fit < cells.size() ? cells[fit].pos : text.size();
    return std::string(TrimBlanksRight(text.substr(0, bytes))) + std::string(kEllipsis);
}

std::vector<std::string> Paragraphs(std::string_view text) {
    std::vector<std::string> paragraphs(1);
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n')
            paragraphs.emplace_back();
        else
            paragraphs.back() += c;
    }
    return paragraphs;
}

} // namespace

TSize TCanvas::TextExtent(std::string_view text) const {
    TTextEngine* engine = Engine();
    return engine ? engine->TextExtent(font_, text) : TSize{};
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    const TSize size = TextExtent(text);
    TextRect(Bounds(x, y, size.cx, size.cy), x, y, text);
    penPos_ = {x + size.cx, y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
    if (!CanDraw()) return;
    if (brush_.style == TBrushStyle::bsSolid) FillRect(rect, ColorToRGB(brush_.color));
    TTextEngine* engine = Engine();
    const TRect clip = rect.Offset(origin_.x, origin_.y).Intersect(DeviceClip());
    if (!engine || clip.IsEmpty() || text.empty()) return;
    engine->DrawText(*target_, clip, x + origin_.x, y + origin_.y, font_, text, ColorToRGB(font_.Color()));
}

int TCanvas::DrawText(const TRect& rect, std::string_view text, std::uint32_t flags) {
    const int maxWidth = rect.Width();
    std::vector<std::string> lines;
    if (flags & dtSingleLine) {
        std::string line;
        for (char c : text)
            if (c != '\r' && c != '\n') line += c;
        lines.push_back(std::move(line));
    } else {
        for (const std::string& paragraph : Paragraphs(text)) {
            if (!(flags & dtWordBreak)) {
                lines.push_back(paragraph);
                continue;
            }
            for (std::string& line : WrapParagraph(*this, paragraph, maxWidth))
                lines.push_back(std::move(line));
        }
    }
    if (flags & (dtEndEllipsis | dtWordEllipsis))
        for (std::string& line : lines)
            line = Ellipsize(*this, line, maxWidth, (flags & dtEndEllipsis) == 0);

    const int lineHeight = TextHeight("Wg");
    const int used = lineHeight * int(lines.size());
    if (flags & dtCalcRect) return used;
    int y = rect.top;
    if (flags & dtVCenter)
        y = rect.top + (rect.Height() - used) / 2;
    else if (flags & dtBottom)
        y = rect.bottom - used;
    for (const std::string& line : lines) {
        const int width = TextWidth(line);
        int x = rect.left;
        if (flags & dtCenter)
            x = rect.left + (maxWidth - width) / 2;
        else if (flags & dtRight)
            x = rect.right - width;
        const TRect cell = Bounds(x, y, width, lineHeight).Intersect(rect);
        if (!cell.IsEmpty()) TextRect(cell, x, y, line);
        y += lineHeight;
    }
    return used;
}

} // namespace morvane
