#include "graphics/AmountText.h"
#include "graphics/BjlBottomBar.h"
#include "graphics/BjlTopBar.h"
#include "gui/Form.h"
#include "support/headless/HeadlessApp.h"
#include "ui/PluginPictureButton.h"

#include <gtest/gtest.h>
#include <map>

namespace morvane {
namespace {

// The table's user list as the bars see it, recording the chairs it is asked with.
class TFakeUsers : public IBarUserLookup {
public:
    std::int64_t ownId{0};
    std::map<std::int64_t, TBarUser> users;
    mutable std::vector<std::int32_t> chairsAsked;

    std::int64_t OwnUserId() const override { return ownId; }
    std::optional<TBarUser> FindBarUser(std::int64_t userId, std::int32_t chair) const override {
        chairsAsked.push_back(chair);
        auto it = users.find(userId);
        return it == users.end() ? std::nullopt : std::optional<TBarUser>(it->second);
    }
};

// Game n (1-based) of a test road: Banker n mod 10 points, Player (n + 3) mod 10, result n mod 6.
TBarRoadEntry Game(int n) {
    return {std::uint8_t(n % 10), std::uint8_t((n + 3) % 10), std::uint8_t(n % 6)};
}

TBarRoad Road(int games) {
    TBarRoad road{};
    for (int n = 1; n <= games; ++n)
        road[std::size_t(n - 1)] = Game(n);
    return road;
}

class BarsTest : public test::HeadlessTest {
protected:
    TBjlTopBar top{nullptr};
    TBjlBottomBar bottom{nullptr};
    TFakeUsers users;

    void AddToBoth(int n, bool played = false, std::int64_t win = 0) {
        top.AddResult(Game(n));
        bottom.AddResult(played, win, Game(n));
    }
    // What the top strip shows in a column: "banker/player", or "" when the column is empty.
    std::string Column(int column) const {
        const std::string banker = top.PointsLabel(column, true).Caption();
        const std::string player = top.PointsLabel(column, false).Caption();
        return banker.empty() && player.empty() ? "" : banker + "/" + player;
    }
};

TEST(AmountTextTest, GroupsOfFourDigitsEachFollowedByASpace) {
    EXPECT_EQ(GroupedAmount(5), "5 ");
    EXPECT_EQ(GroupedAmount(0), "0 ");
    EXPECT_EQ(GroupedAmount(9999), "9999 ");
    EXPECT_EQ(GroupedAmount(10000), "1 0000 ");
    EXPECT_EQ(GroupedAmount(123456789), "1 2345 6789 ");
    EXPECT_EQ(GroupedAmount(-20000), "-2 0000 ");
    EXPECT_EQ(GroupedAmount(100000000000000000), "10 0000 0000 0000 0000 ");
    // At most four groups are cut; the rest leads, and the lowest amount has a magnitude too.
    EXPECT_EQ(GroupedAmount(INT64_MIN), "-922 3372 0368 5477 5808 ");
}

TEST_F(BarsTest, AcceptableAmountsShowPlayerTieAndBankerGrouped) {
    EXPECT_EQ(top.AcceptableLabel(0).Caption(), "0");
    top.SetAcceptable({1000000, 0, 25000, 0, 30000, 0, 0, 0});
    EXPECT_EQ(top.AcceptableLabel(0).Caption(), "2 5000 ");
    EXPECT_EQ(top.AcceptableLabel(1).Caption(), "3 0000 ");
    EXPECT_EQ(top.AcceptableLabel(2).Caption(), "100 0000 ");
}

TEST_F(BarsTest, ARoadShowsItsLastTenGamesAndOnlyIntoAnEmptyBar) {
    top.SetRoad(Road(12));
    bottom.SetRoad(Road(12));
    EXPECT_EQ(top.Count(), 12);
    EXPECT_EQ(top.First(), 2);
    EXPECT_EQ(bottom.Count(), 12);
    EXPECT_EQ(bottom.First(), 2);
    EXPECT_EQ(Column(0), "3/6");
    EXPECT_EQ(Column(9), "2/5");
    EXPECT_EQ(top.PointsLabel(9, true).Font().Color(), 0xE1E100u);
    EXPECT_EQ(top.PointsLabel(8, false).Font().Color(), 0x00FFFFu);

    top.SetRoad(Road(3));
    bottom.SetRoad(Road(3));
    EXPECT_EQ(top.Count(), 12);
    EXPECT_EQ(bottom.Count(), 12);
    EXPECT_EQ(Column(0), "3/6");
}

TEST_F(BarsTest, ARoadEndsAtItsFirstUnusableEntry) {
    for (TBarRoadEntry broken : {TBarRoadEntry{1, 2, 6}, TBarRoadEntry{1, 2, 0xFF}, TBarRoadEntry{1, 2, 0x80},
                                 TBarRoadEntry{10, 2, 0}, TBarRoadEntry{1, 12, 0}}) {
        TBjlTopBar topBar(nullptr);
        TBjlBottomBar bottomBar(nullptr);
        TBarRoad road = Road(8);
        road[5] = broken;
        topBar.SetRoad(road);
        bottomBar.SetRoad(road);
        EXPECT_EQ(topBar.Count(), 5);
        EXPECT_EQ(bottomBar.Count(), 5);
        // Nothing past the road's end is kept, so no stored byte is out of range.
        EXPECT_EQ(topBar.Games()[6], TBarRoadEntry{});
        EXPECT_EQ(bottomBar.Mark(6).ResultCode, 0xFF);
    }
}

TEST_F(BarsTest, ElevenResultsScrollTheFirstOutAndHighlightTheNewest) {
    for (int n = 1; n <= 11; ++n)
        AddToBoth(n);
    EXPECT_EQ(top.First(), 1);
    EXPECT_EQ(bottom.First(), 1);
    EXPECT_EQ(Column(0), "2/5"); // game 2
    EXPECT_EQ(Column(9), "1/4"); // game 11
    EXPECT_EQ(top.PointsLabel(9, true).Font().Color(), 0xE1E100u);
    EXPECT_EQ(top.PointsLabel(0, true).Font().Color(), 0x00FFFFu);
}

TEST_F(BarsTest, TheSixtyFifthResultDropsTheOldestGame) {
    for (int n = 1; n <= 65; ++n)
        AddToBoth(n, true, n % 2 == 0 ? 100 : -100);
    EXPECT_EQ(top.Count(), 64);
    EXPECT_EQ(bottom.Count(), 64);
    EXPECT_EQ(top.Games()[0], Game(2));
    EXPECT_EQ(top.Games()[63], Game(65));
    EXPECT_EQ(bottom.Mark(0).ResultCode, Game(2).ResultCode);
    EXPECT_EQ(bottom.Mark(63).ResultCode, Game(65).ResultCode);
    EXPECT_EQ(top.First(), 54);
    EXPECT_EQ(Column(9), "5/8");
    // Every game still counts in the player's record.
    EXPECT_EQ(bottom.GamesPlayed(), 65);
    EXPECT_EQ(bottom.GamesWon(), 32);
}

TEST_F(BarsTest, UnusableResultsReachNeitherBar) {
    AddToBoth(1);
    for (TBarRoadEntry broken :
         {TBarRoadEntry{1, 2, 6}, TBarRoadEntry{1, 2, 0xFF}, TBarRoadEntry{10, 2, 0}}) {
        top.AddResult(broken);
        bottom.AddResult(true, 500, broken);
    }
    EXPECT_EQ(top.Count(), 1);
    EXPECT_EQ(bottom.Count(), 1);
    EXPECT_EQ(bottom.GamesPlayed(), 0);
    EXPECT_EQ(bottom.Total(), 0);
}

TEST_F(BarsTest, TheArrowsScrollBothStripsTogether) {
    bottom.SetTopBar(top.Handle());
    for (int n = 1; n <= 12; ++n)
        AddToBoth(n);
    bottom.ScrollLeft();
    bottom.ScrollLeft();
    bottom.ScrollLeft();
    platform.RunUntilIdle();
    EXPECT_EQ(bottom.First(), 0);
    EXPECT_EQ(top.First(), 0);
    EXPECT_EQ(Column(0), "1/4");
    EXPECT_EQ(Column(9), "0/3"); // game 10, not the newest: plain colour
    EXPECT_EQ(top.PointsLabel(9, true).Font().Color(), 0x00FFFFu);

    // Right as far as it goes: past the newest game both strips are empty.
    for (int i = 0; i < 20; ++i)
        bottom.RightArrow().Click();
    platform.RunUntilIdle();
    EXPECT_EQ(bottom.First(), 12);
    EXPECT_EQ(top.First(), 12);
    for (int column = 0; column < 10; ++column)
        EXPECT_EQ(Column(column), "") << column;
}

TEST_F(BarsTest, AScrollPositionBeyondTheStoredGamesIsHeldToThem) {
    for (int n = 1; n <= 3; ++n)
        top.AddResult(Game(n));
    top.Perform(WM_BAR_SCROLL, 500);
    EXPECT_EQ(top.First(), 3);
    top.Perform(WM_BAR_SCROLL, -7);
    EXPECT_EQ(top.First(), 0);
    EXPECT_EQ(Column(0), "1/4");
}

TEST_F(BarsTest, OwnFiguresCountPlayedAndWonGames) {
    users.ownId = 7;
    users.users[7] = {"Lucky Seven and some more letters", 123456789};
    bottom.SetUserLookup(&users);
    bottom.SetCaptions("游戏豆");
    EXPECT_EQ(bottom.Caption(0).Caption(), "昵  称：");
    EXPECT_EQ(bottom.Caption(1).Caption(), "游戏豆：");
    EXPECT_EQ(bottom.OwnValue(0).Caption(), "Lucky Seven and some");
    EXPECT_EQ(bottom.OwnValue(1).Caption(), "1 2345 6789 ");
    EXPECT_EQ(bottom.OwnValue(1).Hint(), "123456789");
    EXPECT_EQ(bottom.OwnValue(2).Caption(), "0 %");

    bottom.AddResult(true, 0, Game(2));    // played, not won
    bottom.AddResult(false, 900, Game(4)); // not played: no mark of a win
    bottom.AddResult(true, 300, Game(6));  // won
    EXPECT_EQ(bottom.GamesPlayed(), 2);
    EXPECT_EQ(bottom.GamesWon(), 1);
    EXPECT_EQ(bottom.Total(), 300);
    EXPECT_FALSE(bottom.Mark(0).Won);
    EXPECT_FALSE(bottom.Mark(1).Won);
    EXPECT_TRUE(bottom.Mark(2).Won);
    EXPECT_EQ(bottom.OwnValue(2).Caption(), "50%");
    EXPECT_EQ(bottom.OwnValue(3).Caption(), "300 ");
    // Codes 2 and 4 and 0 (game 6): one win each for Player, Tie, Banker.
    EXPECT_EQ(bottom.WinCounter(0).Caption(), "1");
    EXPECT_EQ(bottom.WinCounter(1).Caption(), "1");
    EXPECT_EQ(bottom.WinCounter(2).Caption(), "1");

    for (int n = 0; n < 18; ++n)
        bottom.AddResult(true, -50, Game(1));
    EXPECT_EQ(bottom.OwnValue(2).Caption(), "5 %");
    EXPECT_EQ(bottom.OwnValue(3).Caption(), "-600 ");

    // Captions are written once; an unknown own user empties the figures.
    bottom.SetCaptions("积分");
    EXPECT_EQ(bottom.Caption(1).Caption(), "游戏豆：");
    users.ownId = 8;
    bottom.RefreshOwnFigures();
    EXPECT_EQ(bottom.OwnValue(0).Caption(), "");
    EXPECT_EQ(bottom.OwnValue(3).Caption(), "");
}

// The round's figures may come after its game was added: the newest game is corrected, never an older one.
TEST_F(BarsTest, TheNewestGamesWinCanBeCorrected) {
    bottom.AddResult(true, 400, Game(1));
    bottom.AddResult(true, -200, Game(2));
    bottom.ReviseLastWin(700);
    EXPECT_TRUE(bottom.Mark(1).Won);
    EXPECT_EQ(bottom.GamesWon(), 2);
    EXPECT_EQ(bottom.GamesPlayed(), 2);
    EXPECT_EQ(bottom.Total(), 1100);
    bottom.ReviseLastWin(-100);
    EXPECT_EQ(bottom.GamesWon(), 1);
    EXPECT_EQ(bottom.Total(), 300);
    // A game the player did not play keeps its plain mark and counts for nothing.
    bottom.AddResult(false, 0, Game(3));
    bottom.ReviseLastWin(900);
    EXPECT_FALSE(bottom.Mark(2).Won);
    EXPECT_EQ(bottom.Total(), 300);
    // After a refused entry there is no newest game to correct.
    TBarRoadEntry broken = Game(4);
    broken.ResultCode = 6;
    bottom.AddResult(true, 50, broken);
    bottom.ReviseLastWin(5000);
    EXPECT_EQ(bottom.Total(), 300);
    EXPECT_EQ(bottom.GamesWon(), 1);
}

TEST_F(BarsTest, CaptionsOfTheTopBar) {
    // Before the unit name is known the beans caption stays empty rather than a lone colon, and the
    // first name that arrives still fills it.
    top.SetCaptions("");
    EXPECT_EQ(top.BankerCaption(0).Caption(), "庄家：");
    EXPECT_EQ(top.BankerCaption(1).Caption(), "");
    top.SetCaptions("游戏豆");
    top.SetCaptions("积分");
    EXPECT_EQ(top.BankerCaption(0).Caption(), "庄家：");
    EXPECT_EQ(top.BankerCaption(1).Caption(), "游戏豆：");
    EXPECT_EQ(top.BankerCaption(3).Caption(), "局数：");
    EXPECT_EQ(top.QueueHeader(0).Caption(), "申请当庄玩家");
    EXPECT_EQ(top.QueueHeader(1).Caption(), "积分");
}

TEST_F(BarsTest, BankerAndQueueComeFromTheUserList) {
    std::array<TBarQueueEntry, kBarQueueLength> queue{{{11, 3}, {12, 200}, {0, 4}, {13, -5}, {99, 6}}};
    users.users[11] = {"Banker", 5000000};
    users.users[12] = {"First in queue", 20000};
    users.users[13] = {"Third", 300};

    // Without a user list nothing is shown.
    top.UpdateBanker(3, queue, 45000, 0);
    EXPECT_EQ(top.BankerValue(0).Caption(), "");

    top.SetUserLookup(&users);
    top.UpdateBanker(3, queue, 45000, 0);
    EXPECT_EQ(top.BankerValue(0).Caption(), "Banker");
    EXPECT_EQ(top.BankerValue(0).Hint(), "Banker");
    // The banker's beans are plain digits, as the applicants' are; the hint carries them too.
    EXPECT_EQ(top.BankerValue(1).Caption(), "5000000");
    EXPECT_EQ(top.BankerValue(1).Hint(), "5000000");
    EXPECT_EQ(top.BankerValue(2).Caption(), "4 5000 ");
    EXPECT_EQ(top.BankerValue(3).Caption(), "3");
    EXPECT_EQ(top.QueueName(0).Caption(), "First in queue");
    EXPECT_EQ(top.QueueName(0).Hint(), "First in queue");
    EXPECT_EQ(top.QueueBeans(0).Caption(), "20000");
    EXPECT_EQ(top.QueueName(1).Caption(), ""); // empty slot
    EXPECT_EQ(top.QueueName(2).Caption(), "Third");
    EXPECT_EQ(top.QueueName(3).Caption(), ""); // not at the table
    // Chairs outside 0..199 are passed on as no chair.
    EXPECT_EQ(users.chairsAsked, (std::vector<std::int32_t>{3, kBarNoChair, kBarNoChair, 6}));

    // A banker who has not played yet has no winnings; a banker who left empties the values.
    top.UpdateBanker(0, queue, 45000, 0);
    EXPECT_EQ(top.BankerValue(2).Caption(), "0 ");
    queue[0] = {-1, -1};
    top.UpdateBanker(0, queue, 45000, 0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(top.BankerValue(i).Caption(), "") << i;
        EXPECT_EQ(top.BankerValue(i).Hint(), "") << i;
    }
}

TEST_F(BarsTest, ButtonsCallTheHandlersTheClientInstalled) {
    std::vector<int> clicked;
    for (int i = 0; i <= 4; ++i)
        top.SetButtonHandler(i, [&clicked, i] { clicked.push_back(i); });
    for (int i = 0; i < TBjlTopBar::kButtonCount; ++i) {
        EXPECT_FALSE(top.Button(i).Visible()) << i;
        EXPECT_FALSE(top.Button(i).Enabled()) << i;
    }
    top.SetButtonStates({true, false, true, true, false, false});
    top.SetHogState(true, true);
    EXPECT_TRUE(top.Button(TBjlTopBar::kButtonUp).Visible());
    EXPECT_TRUE(top.Button(TBjlTopBar::kButtonUp).Enabled());
    EXPECT_FALSE(top.Button(TBjlTopBar::kButtonCancel).Visible());
    EXPECT_TRUE(top.Button(TBjlTopBar::kButtonDown).Visible());
    EXPECT_FALSE(top.Button(TBjlTopBar::kButtonDown).Enabled());
    EXPECT_TRUE(top.Button(TBjlTopBar::kButtonHog).Enabled());
    for (int i = 0; i < TBjlTopBar::kButtonCount; ++i)
        top.Button(i).Click();
    EXPECT_EQ(clicked, (std::vector<int>{0, 1, 2, 3}));
}

// On a shown table the buttons take real clicks at their places; a disabled one passes nothing on.
TEST_F(BarsTest, ClicksOnTheShownBarReachTheHandlers) {
    TForm form(nullptr);
    form.SetBounds(100, 50, 800, 140);
    auto* bar = form.Own(std::make_unique<TBjlTopBar>(&form));
    bar->SetParent(&form);
    std::vector<int> clicked;
    for (int i = 0; i < TBjlTopBar::kButtonCount; ++i)
        bar->SetButtonHandler(i, [&clicked, i] { clicked.push_back(i); });
    bar->SetButtonStates({true, false, false, true, false, false});
    bar->SetHogState(true, false);
    form.Show();
    platform.RunUntilIdle();
    platform.Click({100 + 672 + 20, 50 + 13 + 10}); // Up
    platform.Click({100 + 553 + 20, 50 + 13 + 10}); // Hog, disabled
    platform.RunUntilIdle();
    EXPECT_EQ(clicked, std::vector<int>{TBjlTopBar::kButtonUp});
}

} // namespace
} // namespace morvane
