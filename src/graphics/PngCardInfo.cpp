#include "graphics/PngCardInfo.h"

#include "graphics/PictureResources.h"

#include <algorithm>

namespace morvane {

namespace {

constexpr int kCardsPerSuit = 13;
constexpr int kJokerSuit = 4;

constexpr std::array<std::string_view, kCardCodeCount> kCardNames = {
    "SA", "S2", "S3", "S4", "S5", "S6", "S7", "S8", "S9", "S10", "SJ", "SQ", "SK", //
    "HA", "H2", "H3", "H4", "H5", "H6", "H7", "H8", "H9", "H10", "HJ", "HQ", "HK", //
    "CA", "C2", "C3", "C4", "C5", "C6", "C7", "C8", "C9", "C10", "CJ", "CQ", "CK", //
    "DA", "D2", "D3", "D4", "D5", "D6", "D7", "D8", "D9", "D10", "DJ", "DQ", "DK", //
    "GL", "GH"};

} // namespace

void CardFromCode(TPngCardInfo& card) {
    int code = card.Value;
    if (!IsCardCode(code)) {
        card.Suit = 0;
        card.Rank = 0;
    } else if (code >= kSmallJoker) {
        card.Suit = kJokerSuit;
        card.Rank = std::uint8_t(code == kSmallJoker ? 14 : 15);
    } else {
        card.Suit = std::uint8_t(code / kCardsPerSuit);
        card.Rank = std::uint8_t(code % kCardsPerSuit + 1);
    }
}

std::optional<int> CardCodeOf(char character) {
    std::size_t at = kCardAlphabet.find(character);
    if (at == std::string_view::npos) return std::nullopt;
    return int(at);
}

TPngCardInfo CardFromChar(char character) {
    TPngCardInfo card{};
    if (auto code = CardCodeOf(character)) {
        card.Value = std::uint8_t(*code);
        CardFromCode(card);
    }
    return card;
}

char CardChar(int code) {
    return IsCardCode(code) ? kCardAlphabet[std::size_t(code)] : '?';
}

std::string_view CardName(int code) {
    return IsCardCode(code) ? kCardNames[std::size_t(code)] : std::string_view{};
}

std::string CardPictureName(int code) {
    return IsCardCode(code) ? std::string(CardName(code)) + "0" : std::string{};
}

int CardPictureIndex(const TPngCardInfo& card) {
    if (card.Back == 0) return card.Value;
    return kCardBackPicture - 1 + std::clamp<std::int32_t>(card.Back, 1, kCardBackCount);
}

std::shared_ptr<const TCardResource> LoadCardResource(std::string* error) {
    auto pictures = std::make_shared<TCardResource>(kCardPictureCount);
    std::string missing;
    auto load = [&](int index, const std::string& name) {
        (*pictures)[std::size_t(index)] = LoadPictureByName(name);
        if (!(*pictures)[std::size_t(index)]) missing += (missing.empty() ? "" : ", ") + name;
    };
    for (int code = 0; code < kCardCodeCount; ++code)
        load(code, CardPictureName(code));
    for (int back = 1; back <= kCardBackCount; ++back)
        load(kCardBackPicture - 1 + back, "B00");
    load(kCardShadePicture, "MASK");
    if (error) *error = missing.empty() ? std::string{} : "card pictures missing: " + missing;
    return pictures;
}

} // namespace morvane
