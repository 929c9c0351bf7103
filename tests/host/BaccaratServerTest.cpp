#include "game/GameRequests.h"
#include "game/TwoEightRules.h"
#include "host/HostFrames.h"
#include "tests/host/ServerProbe.h"

#include <gtest/gtest.h>

namespace morvane::server {
namespace {

using test::TServerProbe;
namespace hf = hostframes;

constexpr std::int64_t kBankerBot = 11;
constexpr std::int64_t kMe = 500;

TServerSettings QuickTable() {
    TServerSettings settings;
    settings.FreeSeconds = 5;
    settings.BettingSeconds = 15;
    settings.DealingSeconds = 8;
    settings.SettlementSeconds = 6;
    settings.StatisticsAllowed = false;
    return settings;
}

// A table with a bot banking from the first free phase and the local player seated with a table.
class ServerTest : public ::testing::Test {
protected:
    explicit ServerTest(TServerSettings settings = QuickTable()) : server_(settings, 42) {}

    void SetUp() override {
        server_.Start(0);
        server_.AddBot(kBankerBot, "庄家机器人", 50000000);
        ASSERT_EQ(server_.ApplyBanker(kBankerBot), TBankerQueue::TVerdict::Accepted);
        ASSERT_TRUE(server_.Banker().IsBanker(kBankerBot));
        server_.Connect(kMe, "我", 2000000, 300000, me_.Sink());
    }
    // Moves the clock to `seconds` after the start of the table.
    void At(double seconds) { server_.AdvanceTo(std::uint32_t(seconds * 1000)); }
    std::int64_t Beans(std::int64_t id) const { return server_.FindUser(id)->Info.Beans; }
    void SendRequest(const std::vector<std::uint8_t>& record) {
        server_.Receive(kMe, hf::TableFrame(kMe, 1, record));
    }

    TBaccaratServer server_;
    TServerProbe me_;
};

TEST_F(ServerTest, AJoiningTableGetsTheUserListTheSettingsAndASceneOfNow) {
    ASSERT_GE(me_.IndexOf(9), 0);
    ASSERT_GE(me_.IndexOf(3, 17, 255), 0);
    auto scene = me_.LastScene();
    ASSERT_TRUE(scene);
    EXPECT_EQ(scene->Phase, TGamePhase::Free);
    EXPECT_EQ(scene->BankerList[0].UserId, kBankerBot);
    EXPECT_FALSE(scene->NoBanker);
    EXPECT_EQ(scene->PersonalStakeCap, server_.Settings().PersonalStakeCap);
    EXPECT_EQ(scene->ChipIndices[0], server_.Settings().ChipIndices[0]);
}

TEST_F(ServerTest, SceneElapsedSecondsAreRightForAJoinInEveryPhase) {
    // Free 0..5 s, betting 5..20 s, dealing 20..28 s, settlement 28..34 s.
    struct TJoin {
        double at;
        TGamePhase phase;
        std::int32_t elapsed;
    };
    const TJoin joins[] = {{3.2, TGamePhase::Free, 3},
                           {12.9, TGamePhase::Betting, 7},
                           {22.5, TGamePhase::Dealing, 2},
                           {32.0, TGamePhase::Settlement, 4},
                           {34.5, TGamePhase::Free, 0}};
    std::int64_t id = 900;
    for (const TJoin& join : joins) {
        At(join.at);
        TServerProbe late;
        server_.Connect(++id, "迟到者", 100000, 0, late.Sink());
        auto scene = late.LastScene();
        ASSERT_TRUE(scene) << join.at;
        EXPECT_EQ(scene->Phase, join.phase) << join.at;
        EXPECT_EQ(scene->PhaseElapsed, join.elapsed) << join.at;
        EXPECT_EQ(scene->GameInProgress, join.phase != TGamePhase::Free) << join.at;
        // The hands travel from the deal on, never while bets are taken.
        const bool noHandYet = join.phase == TGamePhase::Betting || server_.Round() == 0;
        EXPECT_EQ(scene->PlayerCards.empty(), noHandYet) << join.at;
        server_.RemoveUser(id);
    }
}

TEST_F(ServerTest, ARoundSendsStartScenesNoticesScoresAndOverInOrder) {
    At(5);
    ASSERT_EQ(server_.Phase(), TGamePhase::Betting);
    const int start = me_.IndexOf(3, 49);
    ASSERT_GE(start, 0);
    server_.SetNextCards({0 + 1, 0 + 3, 0 + 2, 13 + 3}); // Player 2+3 = 5, Banker 4+4 = 8: Banker King
    SendRequest(TBetRequest{kMe, 0, 1000, brBanker}.Write());
    SendRequest(TBetRequest{kMe, 0, 100, brBankerPair}.Write());
    ASSERT_EQ(me_.Bets().size(), 2u);
    EXPECT_EQ(me_.Bets()[0].PhaseElapsed, 0);
    me_.Clear();
    At(20);
    auto dealing = me_.LastScene();
    ASSERT_TRUE(dealing);
    EXPECT_EQ(dealing->Phase, TGamePhase::Dealing);
    EXPECT_EQ(dealing->PlayerCards, "BC");
    EXPECT_EQ(dealing->BankerCards, "Dd");
    At(28);
    // The score block comes before the settlement notice, so the table settles with the new balances.
    const int scores = me_.IndexOf(16);
    const int settlement = me_.IndexOf(3, 17, GameRecord::Settlement);
    ASSERT_GE(scores, 0);
    ASSERT_GT(settlement, scores);
    auto notice = TSettlementNotice::Read(me_.Notices(GameRecord::Settlement).at(0));
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->ResultCode, rcBankerKing);
    EXPECT_EQ(notice->PointsA, 8);
    EXPECT_EQ(notice->PointsB, 5);
    EXPECT_TRUE(notice->BankerPair);
    EXPECT_EQ(notice->OwnStakes[brBanker], 1000);
    // Banker and Banker King are won together by the code 1; the Banker pair pays 11:1.
    EXPECT_EQ(notice->NetResult, 1000 + 1100);
    EXPECT_EQ(Beans(kMe), 2000000 + 2100);
    EXPECT_EQ(Beans(kBankerBot), 50000000 - 2100);
    auto settled = me_.LastScene();
    EXPECT_EQ(settled->Phase, TGamePhase::Settlement);
    EXPECT_EQ(settled->ResultRoadCount, 1);
    EXPECT_EQ(settled->ResultRoad[0].ResultCode, rcBankerKing);
    EXPECT_EQ(settled->ResultRoad[0].BankerPair, 1);
    EXPECT_EQ(settled->BarRoad[0], (TBarRoadEntry{8, 5, 1}));
    EXPECT_EQ(settled->BankerRounds, 1);
    At(34);
    EXPECT_GE(me_.IndexOf(3, 50), 0);
    EXPECT_EQ(me_.LastScene()->Phase, TGamePhase::Free);
}

TEST_F(ServerTest, RoadsKeepTheLastSixtyFourGames) {
    for (int round = 0; round < 70; ++round)
        At(34.0 * (round + 1));
    auto scene = me_.LastScene();
    ASSERT_TRUE(scene);
    EXPECT_EQ(server_.Round(), 70);
    EXPECT_EQ(scene->ResultRoadCount, 64);
    for (const auto& entry : scene->BarRoad)
        EXPECT_TRUE(entry.Valid());
}

TEST_F(ServerTest, BetsOverAnyLimitOrOutOfTurnAreNotAccepted) {
    // Before the betting phase.
    EXPECT_EQ(server_.PlaceBet(kMe, brPlayer, 1000), TBaccaratServer::TBetVerdict::NotBetting);
    At(6);
    // Not a chip of this table.
    EXPECT_EQ(server_.PlaceBet(kMe, brPlayer, 700), TBaccaratServer::TBetVerdict::NotAChip);
    EXPECT_EQ(server_.PlaceBet(kMe, brPlayer, 5000000), TBaccaratServer::TBetVerdict::NotAChip);
    // The banker does not bet against the bank.
    EXPECT_EQ(server_.PlaceBet(kBankerBot, brPlayer, 1000), TBaccaratServer::TBetVerdict::IsBanker);
    // Up to the personal maximum exactly, and not one chip more.
    const std::int64_t cap = server_.Settings().PersonalStakeCap;
    std::int64_t staked = 0;
    while (staked + 100000 <= cap) {
        ASSERT_EQ(server_.PlaceBet(kMe, brPlayer, 100000), TBaccaratServer::TBetVerdict::Accepted);
        staked += 100000;
    }
    ASSERT_EQ(staked, cap);
    me_.Clear();
    SendRequest(TBetRequest{kMe, 0, 100, brPlayer}.Write());
    EXPECT_EQ(server_.PlaceBet(kMe, brPlayer, 100), TBaccaratServer::TBetVerdict::OverPersonalCap);
    EXPECT_TRUE(me_.Bets().empty());
    EXPECT_EQ(server_.FindUser(kMe)->Stakes[brPlayer], cap);
}

TEST_F(ServerTest, ABetBeyondTheBalanceOrWhatTheRegionTakesIsRefused) {
    server_.AddBot(21, "穷光蛋", 1500);
    At(6);
    EXPECT_EQ(server_.PlaceBet(21, brPlayer, 1000), TBaccaratServer::TBetVerdict::Accepted);
    EXPECT_EQ(server_.PlaceBet(21, brPlayer, 1000), TBaccaratServer::TBetVerdict::NotEnoughBeans);

    // A region can take what the bank can pay: 20 000 000 of single-region cap over 32:1 for the
    // same-point tie is 625 000, of which a personal cap of 500 000 leaves the rest to others.
    const TRegionAmounts acceptable = server_.Acceptable();
    EXPECT_EQ(acceptable[brSamePointTie], 20000000 / 32);
    server_.AddBot(22, "大户", 90000000);
    server_.AddBot(23, "大户二", 90000000);
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(server_.PlaceBet(22, brSamePointTie, 100000), TBaccaratServer::TBetVerdict::Accepted);
    ASSERT_EQ(server_.PlaceBet(23, brSamePointTie, 100000), TBaccaratServer::TBetVerdict::Accepted);
    EXPECT_EQ(server_.Acceptable()[brSamePointTie], 25000);
    EXPECT_EQ(server_.PlaceBet(23, brSamePointTie, 50000), TBaccaratServer::TBetVerdict::OverRegionLimit);
    EXPECT_EQ(server_.PlaceBet(23, brSamePointTie, 10000), TBaccaratServer::TBetVerdict::Accepted);
}

TEST(BetLimits, TheRegionCapsTheServerRefusesByFollowTheHedgingSwitch) {
    TRegionAmounts totals{};
    totals[brBanker] = 1000;
    totals[brBankerKing] = 100;
    totals[brPlayer] = 2000;
    totals[brPlayerKing] = 200;
    totals[brTie] = 300;
    totals[brSamePointTie] = 10;
    totals[brBankerPair] = 20;
    totals[brPlayerPair] = 30;
    const TAcceptableInputs plain{totals, 1000000, 800000, 600000, false};
    TRegionAmounts a = AcceptableAmounts(plain);
    const std::int64_t pairs = 11 * 30 + 11 * 20;
    // base = min(beans, banker cap) = 800 000; capped per region at 600 000.
    EXPECT_EQ(a[brBanker],
              std::min<std::int64_t>(800000 - 200 + 2000 + 200 + 300 + 10 - pairs, 600000) - 1000);
    EXPECT_EQ(a[brBankerKing],
              std::min<std::int64_t>(800000 + 1000 + 100 - 400 + 300 + 10 - pairs, 600000) / 2 - 100);
    // 800 000 - 32 x 10 - pairs is above the region cap, so the cap of 600 000 counts, at 2:1.
    EXPECT_EQ(a[brPlayerKing], 600000 / 2 - 200);
    EXPECT_EQ(a[brTie], 600000 / 8 - 300);
    TAcceptableInputs hedged = plain;
    hedged.Hedging = true;
    hedged.RegionPayoutCap = 900000;
    a = AcceptableAmounts(hedged);
    EXPECT_EQ(a[brPlayer], 800000 + 1000 + 100 - 400 + 300 + 10 - pairs - 2000);
    EXPECT_EQ(a[brTie], (800000 + 1000 + 100 + 2000 + 200 - 320 - pairs) / 8 - 300);
    EXPECT_EQ(a[brBankerKing], 800000 / 2 - 100);
}

TEST_F(ServerTest, BankerQueueApplyWithdrawAndStepDownBetweenRounds) {
    server_.AddBot(31, "排队一", 5000000);
    server_.AddBot(32, "排队二", 5000000);
    me_.Clear();
    // Through the table's own request record.
    SendRequest(TBankerRequest{TBankerRequest::kApply, kMe, 0}.Write());
    ASSERT_EQ(server_.ApplyBanker(31), TBankerQueue::TVerdict::Accepted);
    EXPECT_EQ(server_.ApplyBanker(31), TBankerQueue::TVerdict::AlreadyListed);
    auto notices = me_.Notices(GameRecord::BankerList);
    ASSERT_FALSE(notices.empty());
    auto list = TBankerListNotice::Read(notices.back());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->BankerList[0].UserId, kBankerBot);
    EXPECT_EQ(list->BankerList[1].UserId, kMe);
    EXPECT_EQ(list->BankerList[2].UserId, 31);
    EXPECT_TRUE(list->ClearsNoBanker());

    // Withdrawing from the queue is immediate.
    SendRequest(TBankerRequest{TBankerRequest::kWithdraw, kMe, 0}.Write());
    EXPECT_FALSE(server_.Banker().Contains(kMe));
    EXPECT_EQ(server_.Banker().Waiting().front().UserId, 31);

    // The banker steps down during a round: the seat is kept to the end of it, then 31 takes it.
    At(6);
    EXPECT_EQ(server_.WithdrawBanker(kBankerBot), TBankerQueue::TVerdict::Accepted);
    EXPECT_TRUE(server_.Banker().IsBanker(kBankerBot));
    At(34);
    EXPECT_TRUE(server_.Banker().IsBanker(31));
    EXPECT_EQ(server_.Banker().Rounds(), 0);
    // Leaving after one of the three minimum rounds cost the early-leave penalty.
    EXPECT_EQ(Beans(kBankerBot), 50000000 - server_.Settings().EarlyLeavePenalty);
}

TEST(BankerQueue, AFullQueueAndTheFifthPlaceNeedMoreBeans) {
    TBankerQueue queue({1000, false, 0, 0, 0});
    EXPECT_EQ(queue.Apply(1, 0, 999), TBankerQueue::TVerdict::NotEnoughBeans);
    ASSERT_EQ(queue.Apply(1, 1, 1000), TBankerQueue::TVerdict::Accepted);
    ASSERT_TRUE(queue.Promote([](std::int64_t) { return true; }));
    for (int id = 2; id <= 4; ++id)
        ASSERT_EQ(queue.Apply(id, id, 1000), TBankerQueue::TVerdict::Accepted);
    EXPECT_EQ(queue.Length(), 4);
    // With four listed the fifth needs three times the price.
    EXPECT_EQ(queue.Apply(5, 5, 2999), TBankerQueue::TVerdict::NotEnoughBeans);
    EXPECT_EQ(queue.Apply(5, 5, 3000), TBankerQueue::TVerdict::Accepted);
    EXPECT_EQ(queue.Apply(6, 6, 9999999), TBankerQueue::TVerdict::QueueFull);
    const TBankerList full = queue.List();
    EXPECT_EQ(full[0].UserId, 1);
    EXPECT_EQ(full[4].UserId, 5);
    EXPECT_EQ(full[4].Chair, 5);
    // Promotion skips those who can no longer bank; they leave the queue.
    queue.ClearBanker();
    EXPECT_TRUE(queue.Promote([](std::int64_t id) { return id >= 3; }));
    EXPECT_EQ(queue.Banker().UserId, 3);
    EXPECT_EQ(queue.Waiting().size(), 2u);
    const TBankerList list = queue.List();
    EXPECT_EQ(list[1].UserId, 4);
    EXPECT_EQ(list[2].UserId, 5);
    EXPECT_FALSE(list[3].Occupied());
    EXPECT_EQ(queue.Withdraw(9), TBankerQueue::TVerdict::NotListed);
}

TEST_F(ServerTest, GrabbingTheBankNeedsRoundsBeansAndPaysThePrice) {
    const TServerSettings& rules = server_.Settings();
    server_.AddBot(41, "抢庄者", rules.BankerKeepBeans + rules.GrabPrice);
    server_.AddBot(42, "穷抢庄", rules.BankerKeepBeans + rules.GrabPrice - 1);
    // Not before the banker has played the rounds after which grabbing opens.
    EXPECT_EQ(server_.GrabBanker(41), TGrabBankerReply::kNotNow);
    At(34.0 * rules.GrabAfterRounds + 1);
    ASSERT_EQ(server_.Banker().Rounds(), rules.GrabAfterRounds);
    ASSERT_EQ(server_.Phase(), TGamePhase::Free);
    EXPECT_EQ(server_.GrabBanker(kBankerBot), TGrabBankerReply::kNotNow);
    EXPECT_EQ(server_.GrabBanker(42), TGrabBankerReply::kNotEnoughBeans);
    const std::int64_t oldBankerBeans = Beans(kBankerBot);
    me_.Clear();
    EXPECT_EQ(server_.GrabBanker(41), 0);
    EXPECT_TRUE(server_.Banker().IsBanker(41));
    EXPECT_EQ(Beans(41), rules.BankerKeepBeans);
    EXPECT_EQ(Beans(kBankerBot), oldBankerBeans + rules.GrabPrice);
    EXPECT_FALSE(me_.Notices(GameRecord::BankerList).empty());
    // Through the table: a grab during a round is answered "not now".
    At(34.0 * rules.GrabAfterRounds + 6);
    me_.Clear();
    SendRequest(TGrabBankerRequest{kMe}.Write());
    auto replies = me_.Notices(GameRecord::GrabBankerReply);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(TGrabBankerReply::Read(replies[0])->Outcome, TGrabBankerReply::kNotNow);
}

TEST(BaccaratServer, WithoutABankerRoundsArePassedAndBetsRefused) {
    TBaccaratServer server(QuickTable(), 3);
    TServerProbe me;
    server.Start(0);
    server.Connect(kMe, "我", 1000000, 0, me.Sink());
    EXPECT_TRUE(me.LastScene()->NoBanker);
    EXPECT_TRUE(me.LastScene()->AutoPass);
    server.AdvanceTo(6000);
    EXPECT_EQ(server.Phase(), TGamePhase::Betting);
    EXPECT_EQ(server.PlaceBet(kMe, brBanker, 1000), TBaccaratServer::TBetVerdict::NoBanker);
    server.AdvanceTo(34000);
    EXPECT_EQ(server.Round(), 1);

    // With passing off the table waits in its free phase until somebody banks.
    TServerSettings waiting = QuickTable();
    waiting.AutoPass = false;
    TBaccaratServer idle(waiting, 3);
    idle.Start(0);
    idle.AdvanceTo(60000);
    EXPECT_EQ(idle.Phase(), TGamePhase::Free);
    EXPECT_EQ(idle.Round(), 0);
}

TEST_F(ServerTest, CofferStateDepositAndWithdrawalWithTheirRefusals) {
    auto coffer = [this](std::uint8_t kind, std::uint8_t operation, std::int64_t amount,
                         const std::string& answer) {
        std::vector<std::uint8_t> request(61, 0);
        request[0] = kind;
        request[1] = operation;
        for (int i = 0; i < 8; ++i)
            request[2 + std::size_t(i)] = std::uint8_t(std::uint64_t(amount) >> (8 * i));
        request[28] = std::uint8_t(answer.size());
        std::copy(answer.begin(), answer.end(), request.begin() + 29);
        me_.Clear();
        server_.Receive(kMe, hf::TableFrame(kMe, 5, request));
        auto replies = me_.Payloads(21);
        EXPECT_EQ(replies.size(), 1u);
        return replies.empty() ? std::vector<std::uint8_t>(76) : replies[0];
    };
    auto i64 = [](const std::vector<std::uint8_t>& bytes, std::size_t at) {
        std::int64_t value = 0;
        for (int i = 7; i >= 0; --i)
            value = (value << 8) | bytes[at + std::size_t(i)];
        return value;
    };
    auto state = coffer(0, 1, 0, "");
    ASSERT_EQ(state.size(), 76u);
    EXPECT_EQ(state[0], 0);
    EXPECT_EQ(state[1], 1);
    EXPECT_EQ(state[10], 0);
    EXPECT_EQ(i64(state, 27), 2000000);
    EXPECT_EQ(i64(state, 35), 300000);
    EXPECT_GT(state[43], 0);

    auto deposit = coffer(1, 1, 500000, "");
    EXPECT_EQ(deposit[0], 1);
    EXPECT_EQ(deposit[10], 0);
    EXPECT_EQ(Beans(kMe), 1500000);
    EXPECT_EQ(server_.FindUser(kMe)->Coffer, 800000);
    // The table is told of the new balance by a silent score block.
    EXPECT_GE(me_.IndexOf(16), 0);

    EXPECT_EQ(coffer(1, 1, 1500001, "")[10], 7);
    EXPECT_EQ(coffer(1, 0, 800001, "上海")[10], 7);
    EXPECT_EQ(coffer(1, 0, 1000, "北京")[10], 8);
    EXPECT_EQ(coffer(1, 0, 800000, "上海")[10], 0);
    EXPECT_EQ(Beans(kMe), 2300000);

    // No deposit with stakes on the table.
    At(6);
    ASSERT_EQ(server_.PlaceBet(kMe, brBanker, 1000), TBaccaratServer::TBetVerdict::Accepted);
    EXPECT_EQ(coffer(0, 1, 0, "")[10], 6);
    EXPECT_EQ(coffer(1, 1, 1000, "")[10], 6);
    // A truncated request gets no answer.
    me_.Clear();
    server_.Receive(kMe, hf::TableFrame(kMe, 5, std::vector<std::uint8_t>(20, 1)));
    EXPECT_TRUE(me_.Payloads(21).empty());
}

TEST_F(ServerTest, ChatIsRelayedAndALeavingUserIsAnnounced) {
    TServerProbe other;
    server_.Connect(600, "旁人", 100000, 0, other.Sink());
    server_.Receive(kMe, hf::Chat(kMe, "大家好"));
    ASSERT_EQ(other.Payloads(67).size(), 1u);
    EXPECT_EQ(other.frames[std::size_t(other.IndexOf(3, 67))][1], std::uint8_t(kMe));
    const std::vector<std::uint8_t> leave{11, 0xF4, 1, 0, 0, 0, 0, 0, 0};
    server_.Receive(kMe, leave);
    EXPECT_EQ(server_.FindUser(kMe), nullptr);
    EXPECT_GE(other.IndexOf(12), 0);
}

TEST(ServerBots, BotsBetWithinTheirLimitsAndTheTableKeepsGoing) {
    TServerSettings settings = QuickTable();
    settings.StatisticsAllowed = true;
    TBaccaratServer server(settings, 99);
    TServerProbe me;
    server.Start(0);
    server.EnableBots(12);
    server.Connect(kMe, "我", 1000000, 0, me.Sink());
    int bets = 0;
    server.OnRoundSettled = [&](const TBaccaratServer::TRoundReport& report) {
        bets += int(report.Bets.size());
        for (const auto& result : report.Results) {
            std::int64_t staked = 0;
            for (std::int64_t stake : result.Stakes)
                staked += stake;
            EXPECT_LE(staked, settings.PersonalStakeCap);
        }
    };
    server.AdvanceTo(40 * 34000);
    EXPECT_GE(server.Round(), 30);
    EXPECT_GT(bets, 100);
    EXPECT_TRUE(server.Banker().HasBanker());
    EXPECT_FALSE(me.Payloads(67).empty());
    EXPECT_FALSE(me.Notices(GameRecord::ComputerBet).empty());
    int bots = 0;
    for (const auto& user : server.Users())
        bots += user->Bot;
    EXPECT_EQ(bots, 12);
}

} // namespace
} // namespace morvane::server

namespace morvane::server {
namespace {

TEST_F(ServerTest, MalformedFramesFromATableAreIgnoredWithoutAnAnswer) {
    At(6);
    me_.Clear();
    const std::vector<std::vector<std::uint8_t>> frames{
        {},
        {3},
        {3, 1, 2, 3, 4, 5, 6, 7, 8},                                  // a table frame without its command
        hf::TableFrame(kMe, 1),                                       // a game request without a record
        hf::TableFrame(kMe, 1, std::vector<std::uint8_t>{6, 1, 2}),   // a bet request cut short
        hf::TableFrame(kMe, 1, TBetRequest{kMe, 0, 1000, 9}.Write()), // a region that does not exist
        hf::TableFrame(kMe, 1, std::vector<std::uint8_t>{24}),
        hf::TableFrame(kMe, 1, std::vector<std::uint8_t>{99, 0, 0}), // an unknown request
        hf::TableFrame(kMe, 5, std::vector<std::uint8_t>(60, 0)),    // a coffer request one byte short
        hf::TableFrame(kMe, 67),                                     // an empty chat line
        {13, 1},                                                     // a seat request cut short
        {200, 1, 2, 3},                                              // an unknown kind
    };
    for (const auto& frame : frames) {
        server_.Receive(kMe, frame);
        EXPECT_TRUE(me_.frames.empty())
            << "answered a frame of " << frame.size() << " bytes, kind " << (frame.empty() ? -1 : frame[0]);
        me_.Clear();
    }
    EXPECT_EQ(server_.FindUser(kMe)->Staked(), 0);
    EXPECT_EQ(server_.Totals(), TRegionAmounts{});
    // Frames of somebody the table does not know change nothing either.
    server_.Receive(123456, hf::TableFrame(123456, 1, TBetRequest{123456, 0, 1000, brBanker}.Write()));
    EXPECT_TRUE(me_.Bets().empty());
}

TEST_F(ServerTest, StandingUpIsRefusedWithStakesAndASeatRequestFindsAFreeChair) {
    const int chair = server_.FindUser(kMe)->Info.Seat;
    At(6);
    ASSERT_EQ(server_.PlaceBet(kMe, brPlayer, 1000), TBaccaratServer::TBetVerdict::Accepted);
    me_.Clear();
    server_.Receive(kMe, std::vector<std::uint8_t>{13, std::uint8_t(chair), 0});
    EXPECT_TRUE(server_.FindUser(kMe)->Info.Seated);
    EXPECT_EQ(me_.Payloads(65).size(), 1u);
    At(40);
    server_.Receive(kMe, std::vector<std::uint8_t>{13, std::uint8_t(chair), 0});
    EXPECT_FALSE(server_.FindUser(kMe)->Info.Seated);
    EXPECT_EQ(server_.PlaceBet(kMe, brPlayer, 1000), TBaccaratServer::TBetVerdict::UnknownUser);
    // Sitting down on the banker's chair lands on a free one instead.
    const int bankerChair = server_.FindUser(kBankerBot)->Info.Seat;
    me_.Clear();
    server_.Receive(kMe, std::vector<std::uint8_t>{13, std::uint8_t(bankerChair), 1});
    EXPECT_TRUE(server_.FindUser(kMe)->Info.Seated);
    EXPECT_NE(server_.FindUser(kMe)->Info.Seat, bankerChair);
    EXPECT_GE(me_.IndexOf(14), 0);
}

} // namespace
} // namespace morvane::server

namespace morvane::server {
namespace {

TEST(BaccaratServer, ABankerSeatedBetweenRoundsComesWithAFreshScene) {
    TBaccaratServer table(QuickTable(), 5);
    TServerProbe me;
    table.Start(0);
    table.Connect(kMe, "我", 1000000, 0, me.Sink());
    EXPECT_TRUE(me.LastScene()->NoBanker);
    table.AddBot(kBankerBot, "庄家机器人", 50000000);
    table.AdvanceTo(2000);
    me.Clear();
    ASSERT_EQ(table.ApplyBanker(kBankerBot), TBankerQueue::TVerdict::Accepted);
    ASSERT_EQ(me.Notices(GameRecord::BankerList).size(), 1u);
    auto scene = me.LastScene();
    ASSERT_TRUE(scene);
    EXPECT_FALSE(scene->NoBanker);
    EXPECT_EQ(scene->BankerBeans, 50000000);
    EXPECT_EQ(scene->PhaseElapsed, 2);
    EXPECT_GT(scene->AcceptableAmounts[brBanker], 0);
}

TEST_F(ServerTest, ABankLeavingDuringTheRoundReturnsEveryStake) {
    At(6);
    ASSERT_EQ(server_.PlaceBet(kMe, brPlayer, 100000), TBaccaratServer::TBetVerdict::Accepted);
    server_.RemoveUser(kBankerBot);
    EXPECT_FALSE(server_.Banker().HasBanker());
    At(28);
    auto notice = TSettlementNotice::Read(me_.Notices(GameRecord::Settlement).at(0));
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->NetResult, 0);
    EXPECT_EQ(Beans(kMe), 2000000);
}

} // namespace
} // namespace morvane::server

namespace morvane::server {
namespace {

std::int64_t Int64At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::int64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | bytes[at + std::size_t(i)];
    return value;
}

TEST_F(ServerTest, TheRoundsScoreBlockCarriesEveryBettorAndTheBank) {
    TServerProbe other;
    server_.Connect(600, "旁人", 1000000, 0, other.Sink());
    At(6);
    server_.SetNextCards({2, 1, 3, 1, 9}); // Player 3+4 = 7 stands, Banker 2+2 draws a ten: 7 to 4
    ASSERT_EQ(server_.PlaceBet(kMe, brPlayer, 5000), TBaccaratServer::TBetVerdict::Accepted);
    ASSERT_EQ(server_.PlaceBet(600, brBanker, 1000), TBaccaratServer::TBetVerdict::Accepted);
    me_.Clear();
    At(28);
    const int at = me_.IndexOf(16);
    ASSERT_GE(at, 0);
    const auto& block = me_.frames[std::size_t(at)];
    ASSERT_EQ(block.size(), 6 + 200 * 40u);
    EXPECT_EQ(block[1], 1);
    ASSERT_EQ(block[2], 3); // two bettors and the bank
    std::map<std::int64_t, std::pair<std::int64_t, std::int64_t>> entries;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t entry = 6 + 40 * i;
        entries[Int64At(block, entry)] = {Int64At(block, entry + 24), Int64At(block, entry + 32)};
    }
    EXPECT_EQ(entries[kMe], std::make_pair(std::int64_t(5000), std::int64_t(2005000)));
    EXPECT_EQ(entries[600], std::make_pair(std::int64_t(-1000), std::int64_t(999000)));
    EXPECT_EQ(entries[kBankerBot], std::make_pair(std::int64_t(-4000), std::int64_t(50000000 - 4000)));
    // The bystander's settlement notice has no stakes of the local player, only its own.
    auto notice = TSettlementNotice::Read(other.Notices(GameRecord::Settlement).back());
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->OwnStakes[brBanker], 1000);
    EXPECT_EQ(notice->OwnStakes[brPlayer], 0);
    EXPECT_EQ(notice->NetResult, -1000);
}

TEST(BaccaratServer, ComputerBetNoticesShowThePlayersAgainstABotBankAndTheBotsAgainstAPlayerBank) {
    TServerSettings settings = QuickTable();
    settings.StatisticsAllowed = true;
    TBaccaratServer server(settings, 8);
    TServerProbe me;
    server.Start(0);
    server.AddBot(kBankerBot, "庄家机器人", 50000000);
    server.ApplyBanker(kBankerBot);
    server.AddBot(12, "机器人", 5000000);
    server.Connect(kMe, "我", 5000000, 0, me.Sink());
    server.AdvanceTo(6000);
    server.PlaceBet(kMe, brPlayer, 5000);
    server.PlaceBet(12, brBanker, 1000);
    me.Clear();
    server.AdvanceTo(7000);
    auto notices = me.Notices(GameRecord::ComputerBet);
    ASSERT_EQ(notices.size(), 1u);
    auto notice = TComputerBetNotice::Read(notices[0]);
    ASSERT_TRUE(notice);
    EXPECT_TRUE(notice->ComputerIsBanker());
    EXPECT_EQ(notice->Amounts[brPlayer], 5000);
    EXPECT_EQ(notice->Amounts[brBanker], 0);
    // A poll is answered at once while bets are taken, and not after.
    me.Clear();
    server.Receive(kMe,
                   hostframes::TableFrame(kMe, 1, TStatisticsRequest{TStatisticsRequest::kPoll, -1}.Write()));
    EXPECT_EQ(me.Notices(GameRecord::ComputerBet).size(), 1u);
    server.AdvanceTo(21000);
    me.Clear();
    server.Receive(kMe,
                   hostframes::TableFrame(kMe, 1, TStatisticsRequest{TStatisticsRequest::kPoll, -1}.Write()));
    EXPECT_TRUE(me.Notices(GameRecord::ComputerBet).empty());
}

} // namespace
} // namespace morvane::server
