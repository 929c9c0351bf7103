#pragma once

#include "game/GamePhase.h"
#include "game/TwoEightPublic.h"

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace morvane {

// Raised when a record ends before one of its fields.
class ERangeCheckError : public std::runtime_error {
public:
    static constexpr const char* kText = "Range Check Error!!";
    ERangeCheckError() : std::runtime_error(kText) {}
};

// The whole table as the server describes it: what each region holds, the banker queue, both roads, the last
// hands, the phase and its times, the texts and the room's rules. The client keeps one as its table state;
// every scene overwrites it field by field. The defaults are what the table shows before the first scene.
struct TTableScene {
    bool GameInProgress{false};
    TBankerList BankerList{};
    TRegionAmounts OwnStakes{};
    TRegionAmounts TotalStakes{};
    TRegionAmounts AcceptableAmounts{};
    TBarRoad BarRoad{};
    TResultRoad ResultRoad{};
    std::int32_t LastPointsA{0};
    std::int32_t LastPointsB{0};
    std::int64_t BankerBeans{0};
    std::int64_t BankerWinnings{0};
    // Card characters in dealing order, at most three per hand.
    std::string PlayerCards;
    std::string BankerCards;
    // How many leading entries of the road table are games, 0..64.
    std::int32_t ResultRoadCount{0};
    std::uint8_t LastResultCode{kNoResult};
    std::int32_t BankerRounds{0};
    TGamePhase Phase{TGamePhase::Free};
    std::int32_t BettingTime{0};
    std::int32_t FreeTime{0};
    std::int32_t DealingTime{0};
    bool NoBanker{false};
    std::int32_t Unused720{0};
    bool AutoPass{false};
    std::string StatusText{"游戏开始，请下注..."};
    std::string NoBankerText{"无人上庄"};
    // Chip index 0..9 of each chip button.
    std::array<int, kChipButtonCount> ChipIndices{0, 1, 2, 3, 4, 5};
    bool Hedging{false};
    std::int32_t SettlementTime{0};
    std::int64_t BankerApplyBeans{0};
    std::int64_t BankerKeepBeans{0};
    std::int64_t BankerPayoutCap{0};
    std::int64_t RegionPayoutCap{0};
    std::int64_t PersonalStakeCap{0};
    std::int32_t PhaseElapsed{0};
    std::int32_t ThirdCardPauseMs{0};
    std::int32_t CardFlightStepMs{200};
    std::int32_t DealStartDelayMs{200};
    bool GrabAllowed{false};
    std::int64_t GrabPrice{0};
    std::uint16_t GrabAfterRounds{0};
    std::uint16_t MinBankerRounds{0};
    std::int64_t EarlyLeavePenalty{0};
    bool StatisticsAllowed{false};

    friend bool operator==(const TTableScene&, const TTableScene&) = default;
};

// Where the fixed part of a scene ends and the two texts begin.
inline constexpr std::size_t kSceneTextsOffset = 725;
// The part after the two texts.
inline constexpr std::size_t kSceneTailBytes = 107;
// The longest status or no-banker text the table keeps; a longer one is cut on a character boundary (the
// information line shows three lines of 35 bytes; a real text is a short sentence).
inline constexpr std::size_t kSceneTextLimit = 4096;

// Reads a scene front to back into `scene`. Each field is copied only when it lies wholly inside `bytes`;
// the first that does not raises ERangeCheckError, and the fields read before it keep their new values.
// Unusable values are brought into range as they are read: a card string longer than three cards is cut
// to three, a road count to the leading games of the road, a chip index to 0..9, a chair to none, a
// phase byte past the four phases to TGamePhase::Unknown, a text to kSceneTextLimit bytes.
void ReadTableScene(std::span<const std::uint8_t> bytes, TTableScene& scene);

// The scene as the server sends it (text lengths from the texts, card strings cut to three cards).
std::vector<std::uint8_t> WriteTableScene(const TTableScene& scene);

} // namespace morvane
