// Every number the table takes from the hall and the game server, driven to the ends of its field: the
// figures a hostile or broken server may send must leave the table computing sound values (UBSan, in the
// sanitizer build, stops the program at the first overflow) and must not wrap a stake sum into "the player
// has nothing on the table".
#include "base/Paths.h"
#include "form/FormPluginClient.h"
#include "form/TableClasses.h"
#include "game/Form1.h"
#include "game/GameNotices.h"
#include "game/TableScene.h"
#include "game/TwoEightClient.h"
#include "host/HostFrames.h"
#include "host/TestHallHost.h"
#include "panels/PluginChat50.h"
#include "panels/PluginUser50.h"
#include "plugin/PluginInterface50.h"
#include "plugin/PluginShare50.h"
#include "support/TempDir.h"
#include "support/TwoEightClientTestApi.h"
#include "support/headless/HeadlessApp.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <unistd.h>

namespace morvane::test {
namespace {

namespace hf = hostframes;

constexpr std::int64_t kMe = 1001;
constexpr std::int64_t kBanker = 20002;
constexpr std::int64_t kOther = 30003;
constexpr std::uint8_t kMySeat = 3;
constexpr std::uint8_t kBankerSeat = 5;

std::int64_t NextCookie() {
    static int counter = 0;
    return 550000000 + std::int64_t(::getpid()) * 64 + ++counter;
}

// Picks, for each field, one of the values at the ends of its type and around zero.
class TExtremes {
public:
    explicit TExtremes(std::uint32_t seed) : random_(seed) {}

    template <typename T>
    T Next() {
        using L = std::numeric_limits<T>;
        const T values[] = {L::min(), T(L::min() + 1), T(L::min() / 2), T(-1),   T(0), T(1),
                            T(2),     T(L::max() / 2), T(L::max() - 1), L::max()};
        return values[std::uniform_int_distribution<std::size_t>(0, std::size(values) - 1)(random_)];
    }
    bool Coin() { return std::uniform_int_distribution<int>(0, 1)(random_) != 0; }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

private:
    std::mt19937 random_;
};

class ServerExtremesTest : public HeadlessTest {
protected:
    ServerExtremesTest() {
        platform.SetLibraryFolder(paths::IncludeTrailingBackslash(paths::FromHost(library.Path().string())));
        host.SetDirectory(paths::FromHost(library.Path().string()));
        RegisterTableClasses();
        table = TPluginInterface50::Create();
        form = dynamic_cast<TFormPluginClient*>(table->Form());
    }
    ~ServerExtremesTest() override {
        if (table) table->Release();
        platform.RunUntilIdle();
    }

    void Open() {
        ASSERT_EQ(table->SetRequestInterface(&host), S_OK);
        const std::int64_t me = kMe;
        ASSERT_EQ(table->Initialize(NextCookie(), "百家乐", &me, "玩家甲", 0, 0, 0, 0), S_OK);
        platform.RunUntilIdle();
        client = dynamic_cast<TTwoEightClient*>(form->GameClient());
    }
    void Post(const std::vector<std::uint8_t>& frame) {
        table->PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data()));
    }
    void Notice(const std::vector<std::uint8_t>& record) { Post(hf::TableData(0, record)); }

    STRU_PLUGIN_USERINFO ExtremeUser(TExtremes& x, std::int64_t id, std::uint8_t seat) {
        STRU_PLUGIN_USERINFO user = hf::MakeUser(id, seat, true, "u" + std::to_string(id));
        user.Face = x.Next<std::int32_t>();
        user.ExtValue = x.Next<std::int32_t>();
        user.Beans = x.Next<std::int64_t>();
        user.Money = x.Next<std::int64_t>();
        user.Score = x.Next<std::int64_t>();
        user.Wins = x.Next<std::int32_t>();
        user.Losses = x.Next<std::int32_t>();
        user.Draws = x.Next<std::int32_t>();
        user.Flees = x.Next<std::int32_t>();
        user.Drops = x.Next<std::int32_t>();
        user.VipLevel = x.Next<std::int32_t>();
        user.UserValue = x.Next<std::int32_t>();
        return user;
    }

    std::vector<std::uint8_t> ExtremeSettings(TExtremes& x) {
        hf::TSettingsRecord record;
        for (std::int32_t& value : record.values)
            value = x.Next<std::int32_t>();
        record.flag = x.Next<std::uint8_t>();
        record.settings.RequiredRounds = x.Next<std::uint8_t>();
        record.settings.ScoreNotes = x.Next<std::int32_t>();
        record.settings.BeanNotes = x.Next<std::int32_t>();
        record.settings.PenaltySwitchA = x.Next<std::int32_t>();
        record.settings.PenaltySwitchB = x.Next<std::int32_t>();
        record.settings.MinPlayerCount = x.Next<std::int32_t>();
        record.settings.FreeLeave = x.Next<std::uint8_t>();
        record.count = 3;
        for (std::int64_t id : {kMe, kBanker, kOther}) {
            TPluginSeatEntry seat;
            seat.UserID = id;
            seat.Name = "s" + std::to_string(id);
            seat.Value28 = x.Next<std::int32_t>();
            seat.Inactive = x.Coin() ? 1 : 0;
            seat.RoundsPlayed = x.Next<std::int32_t>();
            seat.Value39 = x.Next<std::int32_t>();
            seat.Value43 = x.Next<std::int32_t>();
            seat.Amount47 = x.Next<std::int64_t>();
            seat.Amount55 = x.Next<std::int64_t>();
            record.seats.push_back(seat);
        }
        return hf::TableSettingsRecord(record);
    }

    TTableScene ExtremeScene(TExtremes& x) {
        TTableScene s;
        s.GameInProgress = x.Coin();
        s.BankerList[0] = {x.Coin() ? kBanker : kMe, x.Next<std::int32_t>()};
        s.BankerList[1] = {x.Coin() ? kMe : kOther, x.Next<std::int32_t>()};
        s.BankerList[2] = {x.Next<std::int64_t>(), x.Next<std::int32_t>()};
        for (int r = 0; r < kRegionCount; ++r) {
            s.OwnStakes[std::size_t(r)] = x.Next<std::int64_t>();
            s.TotalStakes[std::size_t(r)] = x.Next<std::int64_t>();
            s.AcceptableAmounts[std::size_t(r)] = x.Next<std::int64_t>();
        }
        s.LastPointsA = x.Next<std::int32_t>();
        s.LastPointsB = x.Next<std::int32_t>();
        s.BankerBeans = x.Next<std::int64_t>();
        s.BankerWinnings = x.Next<std::int64_t>();
        s.PlayerCards = "Aax";
        s.BankerCards = "M1";
        s.ResultRoadCount = x.Next<std::int32_t>();
        s.BankerRounds = x.Next<std::int32_t>();
        const TGamePhase phases[] = {TGamePhase::Free,    TGamePhase::Betting,    TGamePhase::Betting,
                                     TGamePhase::Dealing, TGamePhase::Settlement, TGamePhase::Unknown};
        s.Phase = phases[x.Below(6)];
        s.BettingTime = x.Next<std::int32_t>();
        s.FreeTime = x.Next<std::int32_t>();
        s.DealingTime = x.Next<std::int32_t>();
        s.NoBanker = x.Coin();
        s.Unused720 = x.Next<std::int32_t>();
        s.AutoPass = x.Coin();
        for (int& index : s.ChipIndices)
            index = x.Next<std::int32_t>();
        s.Hedging = x.Coin();
        s.SettlementTime = x.Next<std::int32_t>();
        s.BankerApplyBeans = x.Next<std::int64_t>();
        s.BankerKeepBeans = x.Next<std::int64_t>();
        s.BankerPayoutCap = x.Next<std::int64_t>();
        s.RegionPayoutCap = x.Next<std::int64_t>();
        s.PersonalStakeCap = x.Next<std::int64_t>();
        s.PhaseElapsed = x.Next<std::int32_t>();
        s.ThirdCardPauseMs = x.Next<std::int32_t>();
        s.CardFlightStepMs = x.Next<std::int32_t>();
        s.DealStartDelayMs = x.Next<std::int32_t>();
        s.GrabAllowed = x.Coin();
        s.GrabPrice = x.Next<std::int64_t>();
        s.GrabAfterRounds = x.Next<std::uint16_t>();
        s.MinBankerRounds = x.Next<std::uint16_t>();
        s.EarlyLeavePenalty = x.Next<std::int64_t>();
        s.StatisticsAllowed = true;
        return s;
    }

    std::vector<std::uint8_t> ExtremeScoreBlock(TExtremes& x) {
        std::vector<hf::TScoreLine> lines;
        for (std::int64_t id : {kMe, kBanker, kOther})
            lines.push_back({id, x.Next<std::int64_t>(), x.Next<std::int64_t>(), x.Next<std::int64_t>(),
                             x.Next<std::int64_t>()});
        const std::uint8_t flag = x.Coin() ? 1 : 2;
        return hf::ScoreBlock(flag, x.Coin() ? 3 : x.Next<std::int32_t>(), lines);
    }

    // The table's controls' handlers, called as the controls call them.
    TTwoEightClientTestApi Table() const { return TTwoEightClientTestApi(*client); }

    // The player at the table meanwhile: chips, clicks and moves over every region, the quit questions.
    void PlayEveryRegion() {
        static constexpr TPoint kRegionPoints[] = {{600, 300}, {600, 480}, {100, 300}, {100, 480},
                                                   {300, 400}, {300, 480}, {600, 230}, {100, 230}};
        for (int button = 0; button < kChipButtonCount; ++button) {
            Table().ChipButtonClick(button);
            for (const TPoint at : kRegionPoints) {
                Table().TableMouseMove(at.x, at.y);
                Table().TableMouseDown(TMouseButton::mbLeft, at.x, at.y);
            }
        }
        std::string message;
        client->CanQuitFreely();
        client->QueryQuit(message);
    }

    TempDir library;
    TTestHallHost host;
    TPluginInterface50* table{nullptr};
    TFormPluginClient* form{nullptr};
    TTwoEightClient* client{nullptr};
};

TEST_F(ServerExtremesTest, EveryFieldAtItsExtremesKeepsTheTableComputingSoundValues) {
    Open();
    ASSERT_TRUE(client);
    for (std::uint32_t round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        TExtremes x(round);
        Post(hf::FullUserList(
            {ExtremeUser(x, kMe, kMySeat), ExtremeUser(x, kBanker, kBankerSeat), ExtremeUser(x, kOther, 9)}));
        Notice(ExtremeSettings(x));
        Post(hf::GameStart());
        Post(hf::GameData(0, WriteTableScene(ExtremeScene(x))));
        Table().StatisticsButtonMouseDown(TMouseButton::mbRight, ssCtrl);
        PlayEveryRegion();
        for (std::uint8_t region = 0; region < kRegionCount; ++region) {
            for (std::int64_t bettor : {kMe, kOther}) {
                TBetNotice bet{bettor,
                               x.Next<std::int64_t>(),
                               region,
                               x.Next<std::int64_t>(),
                               x.Next<std::int64_t>(),
                               x.Next<std::int32_t>()};
                Notice(bet.Write());
            }
        }
        PlayEveryRegion();
        TComputerBetNotice computer;
        computer.BankerKind = x.Coin() ? 1 : 0;
        for (std::int64_t& amount : computer.Amounts)
            amount = x.Next<std::int64_t>();
        Notice(computer.Write());
        TBankerListNotice banker;
        banker.BankerState = x.Next<std::uint8_t>();
        banker.BankerWinnings = x.Next<std::int64_t>();
        banker.BankerRounds = x.Next<std::int32_t>();
        banker.BankerList[0] = {x.Coin() ? kMe : kBanker, x.Next<std::int32_t>()};
        Notice(banker.Write());
        Notice(TGrabBankerReply{TGrabBankerReply::kNotEnoughBeans}.Write());
        // A coffer answer that only shows its text; its four amounts at their ends all the same.
        std::vector<std::uint8_t> coffer = hf::CofferReplyRecord(1, x.Coin() ? 1 : 0, 0);
        for (std::size_t at = 11; at < 43; at += 8) {
            const std::int64_t amount = x.Next<std::int64_t>();
            std::memcpy(coffer.data() + at, &amount, sizeof amount);
        }
        Post(hf::CofferReply(0, coffer));
        platform.AdvanceBy(10);
        Post(ExtremeScoreBlock(x));
        TSettlementNotice settlement;
        settlement.ResultCode = std::uint8_t(x.Below(6));
        for (std::int64_t& stake : settlement.OwnStakes)
            stake = x.Next<std::int64_t>();
        settlement.NetResult = x.Next<std::int64_t>();
        Notice(settlement.Write());
        Post(ExtremeScoreBlock(x));
        Post(hf::UserValue(kOther, x.Next<std::int32_t>()));
        Post(hf::SeatChange(kOther, x.Next<std::uint8_t>(), x.Coin(), 1));
        for (std::int64_t id : {kMe, kBanker, kOther})
            form->PluginShare501()->ShowUserMenu(id);
        TPluginScoreBlock deltas{};
        for (int i = 0; i < 3; ++i) {
            const std::int64_t fields[] = {i == 0   ? kMe
                                           : i == 1 ? kBanker
                                                    : kOther,
                                           x.Next<std::int64_t>(), x.Next<std::int64_t>(),
                                           x.Next<std::int64_t>(), x.Next<std::int64_t>()};
            std::memcpy(deltas.data() + std::size_t(i) * kScoreEntrySize, fields, sizeof fields);
        }
        form->PluginUser501()->AddScoreDeltas(deltas);
        PlayEveryRegion();
        platform.AdvanceBy(7000);
        Post(hf::GameOver());
        platform.AdvanceBy(1500);
    }
}

// What the player has on the table decides the warning on leaving and the personal maximum: stakes whose
// sum passes the largest amount still count as stakes, and a chip on top of them is refused.
TEST_F(ServerExtremesTest, StakesWhoseSumPassesTheLargestAmountStillCountAsStakes) {
    constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
    Open();
    STRU_PLUGIN_USERINFO me = hf::MakeUser(kMe, kMySeat, true, "me");
    me.Beans = kMost;
    Post(hf::FullUserList({me, hf::MakeUser(kBanker, kBankerSeat, true, "b")}));
    TTableScene scene;
    scene.GameInProgress = true;
    scene.Phase = TGamePhase::Betting;
    scene.BankerList[0] = {kBanker, kBankerSeat};
    scene.PersonalStakeCap = kMost;
    scene.OwnStakes = {kMost, kMost, 0, 0, 0, 0, 0, 1};
    Post(hf::GameData(0, WriteTableScene(scene)));
    EXPECT_FALSE(client->CanQuitFreely());

    scene.OwnStakes = {kMost - 50, 0, 0, 0, 0, 0, 0, 0};
    Post(hf::GameData(0, WriteTableScene(scene)));
    std::vector<std::string> shown;
    form->PluginChat501()->OnLineAdded = [&](const std::string& text, std::int64_t) {
        shown.push_back(text);
    };
    host.ClearRecords();
    Table().ChipButtonClick(0);
    Table().TableMouseDown(TMouseButton::mbLeft, 600, 300);
    EXPECT_TRUE(host.Sent().empty());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("下注失败，因为您的下注金额已经达到个人最大下注金额"), std::string::npos);
}

} // namespace
} // namespace morvane::test
