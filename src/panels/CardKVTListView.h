#pragma once

#include "gui/ListView.h"
#include "gui/PngImage.h"

#include <memory>
#include <string>

namespace morvane {

// A report list view whose header is painted in the table's colours or pictures: a 16-pixel band with
// a background (picture stretched, or a colour), captions shortened with "..." to fit their column and
// a separator (picture, or a line) at each column's right edge.
class TCardKVTCustomListView : public TListView {
public:
    static constexpr int kHeaderHeight = 16;

    explicit TCardKVTCustomListView(TComponent* owner);

    TColor HeaderBgColor() const { return headerBgColor_; }
    void SetHeaderBgColor(TColor value) { headerBgColor_ = value; }
    TColor HeaderFontColor() const { return headerFontColor_; }
    void SetHeaderFontColor(TColor value) { headerFontColor_ = value; }
    TColor HeaderSplitColor() const { return headerSplitColor_; }
    void SetHeaderSplitColor(TColor value) { headerSplitColor_ = value; }
    // Copied; nullptr or an empty picture removes it.
    const TPngImage* HeaderBgPicture() const { return headerBgPicture_.get(); }
    void SetHeaderBgPicture(const TPngImage* picture);
    const TPngImage* HeaderSplitPicture() const { return headerSplitPicture_.get(); }
    void SetHeaderSplitPicture(const TPngImage* picture);

    // The caption as drawn in `available` pixels: whole when it fits, else the longest run of its first
    // characters followed by "..." that fits (one character at least).
    static std::string ShortenedCaption(const TCanvas& canvas, const std::string& caption, int available);

protected:
    void PaintHeader(TCanvas& canvas, const TRect& header) override;

private:
    void PaintHeaderBackground(TCanvas& canvas, TRect rect, bool first) const;

    TColor headerBgColor_{0x323232};
    TColor headerFontColor_{0xFFFFFF};
    TColor headerSplitColor_{0x808080};
    std::unique_ptr<TPngImage> headerBgPicture_;
    std::unique_ptr<TPngImage> headerSplitPicture_;
};

// The user panel's list view.
class TCardKVTListView : public TCardKVTCustomListView {
public:
    using TCardKVTCustomListView::TCardKVTCustomListView;
};

} // namespace morvane
