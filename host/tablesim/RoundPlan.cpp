#include "host/tablesim/RoundPlan.h"

#include <cstdio>

namespace morvane::tablesim {
namespace {

// The local player's first chip falls this long into the betting time, the next ones at this spacing.
constexpr std::uint32_t kFirstBetAfter = 1500;
constexpr std::uint32_t kBetSpacing = 2200;
// A chip is only laid when the betting time has this much left, so that its answer still arrives.
constexpr std::uint32_t kBetMargin = 1000;

// The phase's word in a screenshot's name.
const char* PhaseWord(TGamePhase phase) {
    static constexpr std::array<const char*, kGamePhases.size()> kWords{"free", "betting", "dealing",
                                                                        "settlement"};
    const std::size_t index = GamePhaseByte(phase);
    return index < kWords.size() ? kWords[index] : "unknown";
}

} // namespace

server::TServerSettings ServerSettingsFor(const TSimOptions& options) {
    server::TServerSettings settings;
    int* const seconds[] = {&settings.FreeSeconds, &settings.BettingSeconds, &settings.DealingSeconds,
                            &settings.SettlementSeconds};
    for (std::size_t phase = 0; phase < options.PhaseSeconds.size(); ++phase)
        if (options.PhaseSeconds[phase] > 0) *seconds[phase] = options.PhaseSeconds[phase];
    return settings;
}

int RoundOfPhase(const server::TBaccaratServer& server, TGamePhase phase) {
    return phase == TGamePhase::Free ? server.Round() + 1 : server.Round();
}

std::uint32_t ShotTimeOfPhase(const server::TBaccaratServer& server) {
    const std::uint32_t end = server.PhaseEndsAt();
    return end > server.PhaseStartedAt() + kShotLead ? end - kShotLead : end;
}

std::string PhaseShotName(int round, TGamePhase phase) {
    char name[48];
    std::snprintf(name, sizeof name, "round-%03d-%d-%s.png", round, GamePhaseByte(phase), PhaseWord(phase));
    return name;
}

std::vector<std::uint32_t> PlanOwnBetTimes(const server::TBaccaratServer& server, TRandom& random) {
    std::vector<std::uint32_t> times;
    const int bets = 1 + random.Next(3);
    const std::uint32_t start = server.PhaseStartedAt();
    for (int i = 0; i < bets; ++i) {
        const std::uint32_t at = start + kFirstBetAfter + std::uint32_t(i) * kBetSpacing;
        if (at + kBetMargin < server.PhaseEndsAt()) times.push_back(at);
    }
    return times;
}

std::uint8_t ChooseRegion(TStrategy strategy, TRandom& random) {
    switch (strategy) {
    case TStrategy::Banker:
        return brBanker;
    case TStrategy::Player:
        return brPlayer;
    case TStrategy::Tie:
        return brTie;
    default:
        break;
    }
    static constexpr std::array<int, kRegionCount> kWeights{40, 4, 40, 4, 6, 2, 2, 2};
    int pick = random.Next(100);
    std::uint8_t region = 0;
    while (pick >= kWeights[region]) {
        pick -= kWeights[region];
        ++region;
    }
    return region;
}

} // namespace morvane::tablesim
