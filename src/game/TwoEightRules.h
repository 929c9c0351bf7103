#pragma once

#include "game/TwoEightPublic.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

class TIniFile;

// [SECTION] Betting

// The chip a cursor stands for: cursors 1..10 are the ten chips, anything else no chip (0).
std::int64_t ChipValueOfCursor(int cursor);
// The sound of a chip laid on the table; empty for an amount no chip has.
std::string ChipSoundName(std::int64_t amount);
// The region whose hit area holds the point (right and bottom edges are outside), or nothing.
std::optional<int> RegionAt(int x, int y);

// What the table's banker can still cover on each region, from the region totals, the banker's beans,
// the banker's and the single region's payout caps and the room's hedging rule. Never below 0: a region
// that is over-covered takes nothing more.
struct TAcceptableInputs {
    TRegionAmounts Totals{};
    std::int64_t BankerBeans{0};
    std::int64_t BankerPayoutCap{0};
    std::int64_t RegionPayoutCap{0};
    bool Hedging{false};
};
TRegionAmounts AcceptableAmounts(const TAcceptableInputs& inputs);

// [SECTION] Cards

// Baccarat points of a card string: ranks below 10 counted, the sum modulo 10.
int HandPoints(std::string_view cards);
// "天王(8)" and "天王(9)" for a natural, "N点" otherwise.
std::string HandLabel(std::string_view cards);

// [SECTION] Texts

// The top bar's information line takes 35 bytes a line: a longer text is cut into lines of 35 bytes
// (34 where byte 35 would split a double-byte character) joined by "\n\r", three lines at most.
std::string WrapStatusText(const std::string& text);

// [SECTION] Banker levels

struct TBankerLevel {
    std::int64_t Threshold{0};
    std::string Name;
    std::string Speech;
};
struct TBankerLevelTable {
    bool RelateScore{true};
    std::vector<TBankerLevel> Levels;
};
// Section "Level" of the table's settings file; the first level takes every value from -2147483647 up.
TBankerLevelTable ReadBankerLevels(const TIniFile& ini);
// The 1-based index of the last level whose threshold is not above `value`; 0 when none is.
int BankerLevelOf(const TBankerLevelTable& table, std::int64_t value);

} // namespace morvane
