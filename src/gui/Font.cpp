#include "gui/Font.h"

namespace morvane {

void TFont::SetHeight(int height) {
    int pixels = height < 0 ? -height : height;
    SetSize((pixels * 72 + kPixelsPerInch / 2) / kPixelsPerInch);
}

void TFont::Assign(const TFont& other) {
    if (SameAs(other)) return;
    name_ = other.name_;
    size_ = other.size_;
    style_ = other.style_;
    color_ = other.color_;
    if (OnChange) OnChange();
}

} // namespace morvane
