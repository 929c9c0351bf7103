#pragma once

#include "gui/ScrollingControl.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvane {

class TPngImage;

// A piece of a rich line: coloured text, an inline picture (not owned: the caller keeps it alive while
// the line is shown) or a link, which is text that reports clicks.
struct TRichRun {
    enum class TKind { rkText, rkPicture, rkLink };
    TKind kind{TKind::rkText};
    std::string text;
    TColor color{clBlack};
    std::uint8_t style{0};
    const TPngImage* picture{nullptr};
    std::string link;

    static TRichRun Text(std::string text, TColor color, std::uint8_t style = 0) {
        return {TKind::rkText, std::move(text), color, style, nullptr, {}};
    }
    static TRichRun Picture(const TPngImage* picture) {
        return {TKind::rkPicture, {}, clBlack, 0, picture, {}};
    }
    static TRichRun Link(std::string text, std::string target, TColor color) {
        return {TKind::rkLink, std::move(text), color, 0, nullptr, std::move(target)};
    }
};

// The chat view: lines made of runs, wrapped to the width, with a vertical scroll bar in pixels. A view
// scrolled to its end follows new lines.
class TRichView : public TScrollingControl {
public:
    using TLinkClickEvent =
        std::function<void(TRichView* sender, const std::string& link, TMouseButton button)>;

    explicit TRichView(TComponent* owner);

    void AddLine(std::vector<TRichRun> runs);
    void AddText(const std::string& gbkText, TColor color) { AddLine({TRichRun::Text(gbkText, color)}); }
    // Removes the oldest lines; the lines still shown keep their place on screen when possible.
    void DeleteFirstLines(int count);
    void Clear();
    int LineCount() const { return int(lines_.size()); }
    const std::vector<TRichRun>& Line(int index) const { return lines_.at(std::size_t(index)); }
    // The whole line as plain text (pictures left out).
    std::string LineText(int index) const;
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    void ScrollToEnd();
    bool AtEnd() const;
    int ContentHeight() const;
    // The link under a point of the client area, or nullptr.
    const TRichRun* LinkAt(TPoint point) const;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

    TLinkClickEvent OnLinkClick;

protected:
    void Paint(TCanvas& canvas) override;
    void Resized() override;
    void FontChanged() override;
    int LineStep(TScrollBarKind) const override { return 16; }

private:
    // A laid-out part of a run on one row, in content coordinates (before scrolling).
    struct TPiece {
        TRect rect;
        std::size_t line;
        std::size_t run;
        std::string text;
    };
    void Relayout() const;
    void UpdateRange() const;
    int TextWidthAvailable() const;
    void Changed(bool keepAtEnd);
    void LayoutLine(std::size_t index, int width, int& top) const;

    std::vector<std::vector<TRichRun>> lines_;
    bool wordWrap_{true};
    mutable bool dirty_{true};
    mutable std::vector<TPiece> pieces_;
    mutable int contentHeight_{0};
    mutable int layoutWidth_{0};
    // The top of each line in content coordinates.
    mutable std::vector<int> lineTops_;
};

} // namespace morvane
