#pragma once

#include "graphics/PngCardInfo.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

class TPngCardGroupData;

// Compare > 0 exchanges the two cards.
using TCardCompareEvent = std::function<void(TPngCardGroupData* sender, const TPngCardInfo& card1,
                                             const TPngCardInfo& card2, int& compare)>;

// The cards of one card group, in the order they are shown.
class TPngCardGroupData {
public:
    int Count() const { return int(cards_.size()); }
    const std::vector<TPngCardInfo>& Cards() const { return cards_; }
    // The card at `index`, or nullptr outside the set.
    const TPngCardInfo* Card(int index) const;
    TPngCardInfo* Card(int index);

    // Appends a copy. A card whose code is no card code is not added (false); a back outside 1..3 is
    // brought to the nearest one.
    bool Add(TPngCardInfo card);
    void Clear() { cards_.clear(); }

    // Exchange sort over every pair i < j: OnCompare decides when set, otherwise higher codes go first.
    void Sort();

    // The characters of all cards, of the selected ones and of the marked ones, in card order.
    std::string Characters() const;
    std::string SelectedCharacters() const;
    std::string MarkedCharacters() const;

    // Marks (or selects) the cards named by `characters`: all are cleared first, then from the last card
    // to the first each card whose character is still in the string takes it, one occurrence each.
    void MarkCards(std::string_view characters, TColor colour);
    void SelectCards(std::string_view characters);

    TCardCompareEvent OnCompare;
    bool Sorted{false};
    // What new cards are added with; left face up by the table.
    std::int32_t DefaultBack{0};
    std::string BackCards;

private:
    template <typename Reset, typename Take>
    void MatchFromLast(std::string_view characters, Reset reset, Take take);

    std::vector<TPngCardInfo> cards_;
};

} // namespace morvane
