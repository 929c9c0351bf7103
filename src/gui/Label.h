#pragma once

#include "gui/WinControl.h"

namespace morvane {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// A caption drawn on the parent. With AutoSize the label takes the size of its text (keeping its width
// when it wraps); a transparent label leaves the parent's pixels under the text.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

protected:
    void Paint(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;

private:
    void AdjustBounds();
    std::uint32_t TextFlags() const;

    bool autoSize_{true};
    TAlignment alignment_{TAlignment::taLeftJustify};
    TTextLayout layout_{TTextLayout::tlTop};
    bool transparent_{false};
    bool wordWrap_{false};
};

} // namespace morvane
