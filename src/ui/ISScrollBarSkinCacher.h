#pragma once

#include "base/Types.h"

#include <array>

namespace morvane {

// Skinner kinds of the scroll-bar skin.
inline constexpr int kStdScrollBarSkinner = 0;
inline constexpr int kXPScrollBarSkinner = 1;

// The six colours of a scroll-bar skin, in their fixed roles.
enum TScrollBarColorRole { scFace = 0, scLight = 1, scDark = 2, scArrow = 3, scTrack = 4, scCorner = 5 };
using TScrollBarScheme = std::array<TColor, 6>;

// What a skinned control's bars are painted with: the skinner kind and a copy of the colour scheme.
class TISScrollBarSkinCacher {
public:
    TISScrollBarSkinCacher(int skinnerKind, const TScrollBarScheme& scheme)
        : skinnerKind_(skinnerKind), scheme_(scheme) {}

    int SkinnerKind() const { return skinnerKind_; }
    const TScrollBarScheme& Scheme() const { return scheme_; }
    TColor Color(TScrollBarColorRole role) const { return scheme_[role]; }

private:
    int skinnerKind_;
    TScrollBarScheme scheme_;
};

} // namespace morvane
