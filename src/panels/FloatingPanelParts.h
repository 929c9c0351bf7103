#pragma once

#include "gui/Control.h"

#include <string>

namespace morvane {

class TImageList;
class TLovelyButton;
class TLovelyPanel;
class TLovelyTextBtn;
class TMemo;
class TWinControl;

// The window that had the focus when a panel opened; the panel gives it back when a button closes it,
// provided that window still exists and can take the focus.
class TFocusReturn {
public:
    void Remember(const TControl& panel);
    void Restore();

private:
    TControlHandle handle_{0};
    TWinControl* control_{nullptr};
};

// The two text buttons at the foot of a small floating panel and its close button in the top right
// corner: the gaps left of, between and right of the text buttons are equal.
class TFloatingButtons {
public:
    // Creates the buttons on the panel and gives the panel its title look, size and caption.
    void Build(TLovelyPanel& panel, const std::string& caption, const std::string& first,
               const std::string& second);
    void Layout(const TControl& panel) const;

    void SetButtonImages(TImageList* images);
    void SetButtonStartIndex(int index);
    void SetCloseImages(TImageList* images);
    void SetCloseStartIndex(int index);

    TLovelyTextBtn* first{nullptr};
    TLovelyTextBtn* second{nullptr};
    TLovelyButton* close{nullptr};
    int buttonBottomSpace{8};
    int closeTop{6};
    int closeRight{10};
};

// The memo's margins inside the advice and events panels.
struct TMemoSpaces {
    int left{10};
    int top{36};
    int right{10};
    int bottom{40};
    void Layout(TMemo& memo, const TControl& panel) const;
};

} // namespace morvane
