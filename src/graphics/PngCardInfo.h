#pragma once

#include "base/Types.h"
#include "gui/PngImage.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the whole table writes a card: a code 0..53 (13 spades, 13 hearts, 13 clubs, 13 diamonds, the small
// and the big joker), one character of the card alphabet on the wire, a name and a picture name.
namespace morvane {

inline constexpr int kCardCodeCount = 54;
inline constexpr int kSmallJoker = 52;
inline constexpr int kBigJoker = 53;
inline constexpr std::string_view kCardAlphabet = "ABCDEFGHIJKLMabcdefghijklmNOPQRSTUVWXYZnopqrstuvwxyz01";
static_assert(kCardAlphabet.size() == kCardCodeCount);

// The marking colour of a card that is not marked.
inline constexpr TColor kCardUnmarked = 0x20000000;
// The highest back a face-down card may show.
inline constexpr int kCardBackCount = 3;

// One card of a card group.
struct TPngCardInfo {
    std::uint8_t Value{0}; // card code 0..53
    std::uint8_t Suit{0};  // 0 spade, 1 heart, 2 club, 3 diamond, 4 joker
    std::uint8_t Rank{0};  // 1 ace … 13 king, 14 small joker, 15 big joker; 0 for no card
    // 0 face up; 1..3 face down, showing that back.
    std::int32_t Back{0};
    TColor MarkColor{0};
    bool Selected{false};
    std::uint32_t Reserved{0};
    std::int32_t Tag{0};

    friend bool operator==(const TPngCardInfo&, const TPngCardInfo&) = default;
};

constexpr bool IsCardCode(int code) {
    return code >= 0 && code < kCardCodeCount;
}

// Suit and Rank of `card` filled from its Value; a value that is no card code gets suit and rank 0.
void CardFromCode(TPngCardInfo& card);
// The card a character stands for; an all-zero record (rank 0) for a character outside the alphabet.
TPngCardInfo CardFromChar(char character);
// The code of a card character, or nothing.
std::optional<int> CardCodeOf(char character);
// The character of a card code ('?' for a value that is no card code).
char CardChar(int code);

// "SA", "H10", "DK", "GL" (small joker), "GH" (big joker); empty for a value that is no card code.
std::string_view CardName(int code);
// The name of the face picture: the card name followed by "0" ("SA0", "S100", "GL0").
std::string CardPictureName(int code);

// The pictures every card group of a table draws with, shared by them all:
// 0..53 the faces by code, 54..56 the backs 1..3, 57 the shade laid over a selected card.
using TCardResource = std::vector<std::unique_ptr<TPngImage>>;
inline constexpr int kCardBackPicture = kCardCodeCount; // back k is picture 53 + k
inline constexpr int kCardShadePicture = 57;
inline constexpr int kCardPictureCount = 58;

// The picture a card is drawn with: its face, or its back (a back outside 1..3 shows the nearest one).
int CardPictureIndex(const TPngCardInfo& card);

// Loads all 58 pictures from the picture resources; a picture that is missing stays null, and `error`,
// when given, names it.
std::shared_ptr<const TCardResource> LoadCardResource(std::string* error = nullptr);

} // namespace morvane
