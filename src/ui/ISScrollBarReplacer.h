#pragma once

#include "gui/ScrollingControl.h"
#include "ui/ISEmbedScrollBar.h"
#include "ui/ISScrollBarCorner.h"
#include "ui/ISScrollBarSkinCacher.h"

#include <cstdint>
#include <memory>

namespace morvane {

// The skin of one control's scroll bars: two skin bars and the corner between them, siblings of the
// control placed over its own bars. It registers with the scroll-bar manager for its whole life, and the
// manager's message hook calls Update after the control handled a message that may have moved or changed
// its bars.
class TISScrollBarReplacer {
public:
    // Bars thicker than this are not skinned.
    static constexpr int kMaxThickness = 100;

    TISScrollBarReplacer(TScrollingControl& control, const TScrollBarScheme& scheme, int skinnerKind);
    ~TISScrollBarReplacer();
    TISScrollBarReplacer(const TISScrollBarReplacer&) = delete;
    TISScrollBarReplacer& operator=(const TISScrollBarReplacer&) = delete;

    TScrollingControl& Control() const { return control_; }
    TISEmbedScrollBar& Bar(TScrollBarKind kind) const {
        return kind == TScrollBarKind::sbVertical ? *vertical_ : *horizontal_;
    }
    TISScrollBarCorner& Corner() const { return *corner_; }
    const TISScrollBarSkinCacher& Skin() const { return cacher_; }

    // Follows the control after it handled `msg`.
    void Update(std::uint32_t msg);
    // Lays both bars and the corner over the control's bars and repaints what changed.
    void Relayout();

private:
    bool CanUpdate() const;
    void LayoutBar(TScrollBarKind kind);
    void LayoutCorner();
    void BringAboveControl(TControl& cover);
    TBitmap PaintBar(TScrollBarKind kind, const TScrollBarInfo& info, int width, int height) const;

    TScrollingControl& control_;
    TISScrollBarSkinCacher cacher_;
    std::unique_ptr<TISEmbedScrollBar> horizontal_;
    std::unique_ptr<TISEmbedScrollBar> vertical_;
    std::unique_ptr<TISScrollBarCorner> corner_;
};

} // namespace morvane
