#pragma once

#include "gui/Component.h"
#include "gui/Control.h"

#include <functional>
#include <string>
#include <vector>

namespace morvane {

class TCanvas;

// An entry of a pop-up menu: a caption ("-" makes a separator line), its state, a click handler and
// sub-items. Owner-drawn menus set the measure and draw handlers.
class TMenuItem : public TComponent {
public:
    using TMeasureEvent = std::function<void(TMenuItem* item, TCanvas& canvas, int& width, int& height)>;
    using TDrawEvent =
        std::function<void(TMenuItem* item, TCanvas& canvas, const TRect& rect, bool selected)>;

    explicit TMenuItem(TComponent* owner);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    bool IsSeparator() const { return caption_ == "-"; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    bool Checked() const { return checked_; }
    void SetChecked(bool value) { checked_ = value; }
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    // Sub-items, owned by this item.
    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(std::size_t(index)); }
    TMenuItem* Add(const std::string& caption, TNotifyEvent onClick = {});
    void Delete(int index);
    void Clear();
    TMenuItem* ParentItem() const { return parentItem_; }

    // Runs OnClick (the menu calls it after closing).
    void Click();

    TNotifyEvent OnClick;
    TMeasureEvent OnMeasureItem;
    TDrawEvent OnDrawItem;

private:
    std::string caption_;
    bool visible_{true};
    bool enabled_{true};
    bool checked_{false};
    std::intptr_t tag_{0};
    std::vector<TMenuItem*> items_;
    TMenuItem* parentItem_{nullptr};
};

} // namespace morvane
