// Arbitrary bytes as the frames two tables send to the simulated game server, with time passing between
// them, so that requests meet every phase. A chunk starts with one byte: 0xFF lets the next byte × 250 ms
// of time pass (up to two rounds and a half in all); any other value is a frame of (byte & 0x7F) bytes, from
// the second table when the high bit is set. Whatever the bytes, reading stays inside each frame, every frame
// the server sends is whole, and the table's books hold: nobody's beans, coffer or stakes go below zero, no
// stake passes the personal maximum, and no region total is below the stakes of the players at the table on
// it (it may be above: the stakes of a player who walked away stay in the round).
#include "host/server/BaccaratServer.h"
#include "plugin/HostProtocol.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

using morvane::server::TBaccaratServer;
using morvane::server::TServerSettings;

constexpr std::int64_t kFirstTable = 1001;
constexpr std::int64_t kSecondTable = 1002;
constexpr std::int64_t kBankerBot = 2001;
constexpr std::uint8_t kTimeStep = 0xFF;
constexpr std::uint32_t kStepMs = 250;
// Two rounds and a half: every phase is met, and a run stays short enough for many runs a second.
constexpr std::uint32_t kLongestRunMs = 90000;
constexpr std::uint32_t kSeed = 20261209;

void CheckFrame(const TBaccaratServer::TFrame& frame) {
    if (frame.empty() || frame.size() > morvane::frames::kSeatFrameSize) std::abort();
}

void CheckBooks(const TBaccaratServer& server) {
    morvane::TRegionAmounts sums{};
    for (const auto& user : server.Users()) {
        const std::int64_t beans = user->Info.Beans;
        if (beans < 0 || user->Coffer < 0) std::abort();
        std::int64_t staked = 0;
        for (std::size_t region = 0; region < sums.size(); ++region) {
            const std::int64_t stake = user->Stakes[region];
            if (stake < 0) std::abort();
            staked += stake;
            sums[region] += stake;
        }
        if (staked > server.Settings().PersonalStakeCap) std::abort();
    }
    for (std::size_t region = 0; region < sums.size(); ++region)
        if (sums[region] > server.Totals()[region]) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TBaccaratServer server(TServerSettings{}, kSeed);
    std::uint32_t now = 0;
    server.Start(now);
    server.Connect(kFirstTable, "甲", 3000000, 500000, CheckFrame);
    server.Connect(kSecondTable, "乙", 800000, 0, CheckFrame);
    // A banker, so that bets are taken in the betting time.
    server.AddBot(kBankerBot, "庄", 90000000);
    server.ApplyBanker(kBankerBot);

    std::span<const std::uint8_t> input(data, size);
    while (!input.empty()) {
        const std::uint8_t head = input[0];
        input = input.subspan(1);
        if (head == kTimeStep) {
            const std::uint32_t steps = input.empty() ? 1 : input[0];
            if (!input.empty()) input = input.subspan(1);
            now = std::min(now + steps * kStepMs, kLongestRunMs);
            server.AdvanceTo(now);
        } else {
            const std::size_t length = std::min<std::size_t>(head & 0x7F, input.size());
            server.Receive((head & 0x80) ? kSecondTable : kFirstTable, input.first(length));
            input = input.subspan(length);
        }
        CheckBooks(server);
    }
    return 0;
}
