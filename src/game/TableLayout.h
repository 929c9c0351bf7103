#pragma once

#include "base/Types.h"
#include "game/TwoEightPublic.h"

#include <array>

// Where the table's controls stand, in the client's coordinates.
namespace morvane::tablelayout {

inline constexpr TPoint kTopBarAt{11, 28};
inline constexpr TPoint kResultTableAt{200, 170};
inline constexpr TPoint kBottomBarAt{10, 613};
inline constexpr TPoint kBoardAt{25, 174};
inline constexpr TPoint kQuestAt{592, 162};
inline constexpr TPoint kBeamAt{9, 572};
inline constexpr TPoint kClockAt{135, 560};
// The clock's value while it shows nothing at all (a negative value blanks it).
inline constexpr int kBlankClock = -1;
inline constexpr TPoint kClockFrameAt{134, 538};
inline constexpr TPoint kCardTrayAt{268, 177};
inline constexpr TPoint kPlayerLabelAt{300, 189};
inline constexpr TPoint kBankerLabelAt{442, 189};
inline constexpr int kPointLabelWidth = 80;
inline constexpr int kPointLabelHeight = 22;
inline constexpr TPoint kPhasePictureAt{188, 580};
inline constexpr TPoint kSaveButtonAt{14, 582};
inline constexpr TPoint kDrawButtonAt{73, 582};
inline constexpr TPoint kNoBankerAt{321, 358};
inline constexpr TPoint kSettlementAt{274, 230};
inline constexpr TPoint kTableButtonAt{293, 579};
inline constexpr int kBetCaptionOffset = 55;
inline constexpr TColor kPointLabelColour = 0x0000FFFF;

struct TPileRect {
    int Left, Top, Width, Height;
};
inline constexpr std::array<TPileRect, kRegionCount> kPileRects{{{549, 284, 220, 170},
                                                                 {549, 451, 220, 75},
                                                                 {25, 284, 220, 170},
                                                                 {25, 451, 220, 75},
                                                                 {263, 348, 220, 105},
                                                                 {263, 451, 220, 75},
                                                                 {549, 205, 230, 75},
                                                                 {25, 205, 230, 75}}};
inline constexpr std::array<TPoint, kRegionCount> kTotalAt{
    {{665, 319}, {665, 470}, {150, 319}, {150, 470}, {413, 369}, {413, 470}, {665, 230}, {150, 230}}};
inline constexpr std::array<TPoint, kRegionCount> kOwnStakeAt{
    {{610, 432}, {610, 510}, {90, 432}, {90, 510}, {330, 432}, {330, 510}, {610, 260}, {90, 260}}};
// The fields of the board the region highlights are centred on (left, top, width, height).
inline constexpr std::array<TPileRect, kRegionCount> kFieldRects{{{551, 286, 229, 170},
                                                                  {551, 460, 229, 72},
                                                                  {29, 286, 235, 170},
                                                                  {29, 460, 235, 72},
                                                                  {267, 350, 280, 106},
                                                                  {267, 460, 280, 72},
                                                                  {551, 207, 229, 75},
                                                                  {29, 207, 235, 75}}};

} // namespace morvane::tablelayout
