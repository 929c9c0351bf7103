#include "graphics/PngCardGroupData.h"

#include <algorithm>
#include <utility>

namespace morvane {

const TPngCardInfo* TPngCardGroupData::Card(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &cards_[std::size_t(index)];
}

TPngCardInfo* TPngCardGroupData::Card(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    return &cards_[std::size_t(index)];
}

bool TPngCardGroupData::Add(TPngCardInfo card) {
    if (!IsCardCode(card.Value)) return false;
    if (card.Back != 0) card.Back = std::clamp<std::int32_t>(card.Back, 1, kCardBackCount);
    cards_.push_back(card);
    return true;
}

void TPngCardGroupData::Sort() {
    for (std::size_t i = 0; i < cards_.size(); ++i)
        for (std::size_t j = i + 1; j < cards_.size(); ++j) {
            int compare = 0;
            if (OnCompare)
                OnCompare(this, cards_[i], cards_[j], compare);
            else
                compare = cards_[i].Value < cards_[j].Value ? 1 : 0;
            if (compare > 0) std::swap(cards_[i], cards_[j]);
        }
}

std::string TPngCardGroupData::Characters() const {
    std::string text;
    for (const TPngCardInfo& card : cards_)
        text += CardChar(card.Value);
    return text;
}

std::string TPngCardGroupData::SelectedCharacters() const {
    std::string text;
    for (const TPngCardInfo& card : cards_)
        if (card.Selected) text += CardChar(card.Value);
    return text;
}

std::string TPngCardGroupData::MarkedCharacters() const {
    std::string text;
    for (const TPngCardInfo& card : cards_)
        if (card.MarkColor != kCardUnmarked) text += CardChar(card.Value);
    return text;
}

template <typename Reset, typename Take>
void TPngCardGroupData::MatchFromLast(std::string_view characters, Reset reset, Take take) {
    std::string remaining(characters);
    for (TPngCardInfo& card : cards_)
        reset(card);
    for (auto card = cards_.rbegin(); card != cards_.rend(); ++card) {
        std::size_t at = remaining.find(CardChar(card->Value));
        if (at == std::string::npos) continue;
        take(*card);
        remaining.erase(at, 1);
    }
}

void TPngCardGroupData::MarkCards(std::string_view characters, TColor colour) {
    MatchFromLast(
        characters, [](TPngCardInfo& card) { card.MarkColor = kCardUnmarked; },
        [colour](TPngCardInfo& card) { card.MarkColor = colour; });
}

void TPngCardGroupData::SelectCards(std::string_view characters) {
    MatchFromLast(
        characters, [](TPngCardInfo& card) { card.Selected = false; },
        [](TPngCardInfo& card) { card.Selected = true; });
}

} // namespace morvane
