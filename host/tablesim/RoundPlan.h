#pragma once

#include "base/Random.h"
#include "base/Types.h"
#include "game/TwoEightPublic.h"
#include "host/server/BaccaratServer.h"
#include "host/tablesim/SimOptions.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What both simulators plan the same way around the server's phases: which round a phase belongs to,
// when its screenshot is taken and under which name, and when and where the local player bets.
namespace morvane::tablesim {

// The local player, as both simulators seat it at the table.
inline constexpr std::int64_t kOwnPlayerId = 80001;
inline constexpr const char* kOwnNickName = "本机玩家";
inline constexpr std::int64_t kOwnStartBeans = 5000000;
inline constexpr std::int64_t kOwnStartCoffer = 1000000;

// Screenshots are taken this long before a phase ends, when its animations have played out.
inline constexpr std::uint32_t kShotLead = 100;

// The middle of each region's hit area on the board, in table coordinates.
inline constexpr std::array<TPoint, kRegionCount> kRegionPoints{
    {{669, 367}, {669, 494}, {137, 367}, {137, 494}, {406, 399}, {406, 494}, {669, 237}, {145, 237}}};

// The server's rules with the phase times the options ask for.
server::TServerSettings ServerSettingsFor(const TSimOptions& options);

// The round of the phase the server has just begun: the free time before a round belongs to that round.
int RoundOfPhase(const server::TBaccaratServer& server, TGamePhase phase);
// When the screenshot of the phase the server has just begun is due.
std::uint32_t ShotTimeOfPhase(const server::TBaccaratServer& server);
// "round-007-2-dealing.png".
std::string PhaseShotName(int round, TGamePhase phase);

// When the local player lays its chips in the betting phase the server has just begun: one to three
// times, the first a little into the phase, each well before it ends.
std::vector<std::uint32_t> PlanOwnBetTimes(const server::TBaccaratServer& server, TRandom& random);
// The region the next chip goes to.
std::uint8_t ChooseRegion(TStrategy strategy, TRandom& random);

} // namespace morvane::tablesim
