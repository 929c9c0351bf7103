#include "graphics/ResultTable.h"

#include "graphics/BigRoad.h"
#include "gui/Form.h"
#include "support/RoadGames.h"
#include "support/headless/GoldenPicture.h"
#include "support/headless/HeadlessApp.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {
namespace {

using TCells = std::vector<TRoadCell>;

using namespace test::roads;

class ResultTableTest : public test::HeadlessTest {
protected:
    ResultTableTest() {
        form.SetBounds(0, 0, 1024, 734);
        form.SetColor(RGB(0, 96, 40));
        table = form.Own(std::make_unique<TBJLResultTable>(&form));
        table->SetParent(&form);
        table->SetLeft(200);
        table->SetTop(170);
        form.Show();
        platform.RunUntilIdle();
    }
    void Show(const std::vector<TResultTableEntry>& games) { table->SetResults(games, int(games.size())); }
    std::string LabelText(TBJLResultTable::TLabelSlot slot) const { return table->Label(slot).Caption(); }

    enum class TMark { None, Banker, Player, Tie };
    // The inside of a cell on the form, leaving out the pixel the next cell's mark overlaps.
    TRect RoadCellAt(TRoadCell cell) const {
        const TPoint at = TBJLResultTable::RoadCellOrigin(cell);
        return {table->Left() + at.x, table->Top() + at.y, table->Left() + at.x + 15,
                table->Top() + at.y + 15};
    }
    TRect BeadCellAt(TRoadCell cell) const {
        const TPoint at = TBJLResultTable::BeadCellOrigin(cell);
        return {table->Left() + at.x, table->Top() + at.y, table->Left() + at.x + 30,
                table->Top() + at.y + 30};
    }
    // The roads page's cells on the form: a big-road cell, a derived-road cell.
    TRect BigRoadCellAt(TRoadCell cell) const {
        const TPoint at = TRoadsPage::BigRoadCellOrigin(cell);
        return {table->Left() + at.x + 1, table->Top() + at.y + 1, table->Left() + at.x + 16,
                table->Top() + at.y + 16};
    }
    TRect DerivedCellAt(TDerivedRoadKind kind, TRoadCell cell) const {
        const TPoint at = TRoadsPage::DerivedCellOrigin(kind, cell);
        return {table->Left() + at.x + 1, table->Top() + at.y + 1, table->Left() + at.x + 9,
                table->Top() + at.y + 9};
    }
    struct TInk {
        int Red{0}, Blue{0}, Green{0};
    };
    TInk InkIn(const TRect& cell) const {
        TInk ink;
        for (int y = cell.top; y < cell.bottom; ++y) {
            for (int x = cell.left; x < cell.right; ++x) {
                const TColor pixel = form.Framebuffer().Pixel(x, y);
                const int r = int(pixel & 0xFF), g = int((pixel >> 8) & 0xFF), b = int((pixel >> 16) & 0xFF);
                ink.Red += r > 150 && g < 110 && b < 110;
                ink.Blue += b > 150 && r < 110;
                ink.Green += g > 100 && r < 90 && b < 110;
            }
        }
        return ink;
    }
    // Which mark the form shows in a cell, by the colour of its ring: red Banker, blue Player, green Tie.
    // The roads page's small marks take fewer pixels than `enough`.
    TMark MarkIn(const TRect& cell, int enough = 8) const {
        const TInk ink = InkIn(cell);
        const int most = std::max({ink.Red, ink.Blue, ink.Green});
        if (most < enough) return TMark::None;
        return most == ink.Red ? TMark::Banker : most == ink.Blue ? TMark::Player : TMark::Tie;
    }
    TMark DerivedMarkIn(TDerivedRoadKind kind, TRoadCell cell) const {
        return MarkIn(DerivedCellAt(kind, cell), 4);
    }
    static TMark MarkOf(TRoadColour colour) {
        return colour == TRoadColour::Red ? TMark::Banker : TMark::Player;
    }
    void ClickOnTable(TPoint at) {
        platform.Click({table->Left() + at.x, table->Top() + at.y});
        platform.RunUntilIdle();
    }
    void ClickButton(const TControl& button) {
        ClickOnTable({button.Left() + button.Width() / 2, button.Top() + button.Height() / 2});
    }

    TForm form{nullptr};
    TBJLResultTable* table{nullptr};
};

TEST_F(ResultTableTest, AnEmptyTableReadsZeroEverywhere) {
    EXPECT_EQ(table->Width(), 501);
    EXPECT_EQ(table->Height(), 390);
    EXPECT_EQ(table->Count(), 0);
    EXPECT_TRUE(table->ColumnRoad().Marks.empty());
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerCountLabel), "0");
    EXPECT_EQ(LabelText(TBJLResultTable::BankerPercentLabel), "00.00%");
    EXPECT_EQ(table->Entry(63).ResultCode, 0xFF);
    Show({});
    EXPECT_EQ(LabelText(TBJLResultTable::TiePercentLabel), "00.00%");
    EXPECT_EQ(table->Label(TBJLResultTable::BankerCountLabel).Font().Color(), clRed);
    EXPECT_EQ(table->Label(TBJLResultTable::PlayerCountLabel).Left(), 72);
}

TEST_F(ResultTableTest, BankerBankerPlayerTieLaysOutBothRoadsAndCounts) {
    Show(Games({B, B, P, T}));
    EXPECT_EQ(table->ColumnRoad().Cells(), (TCells{{1, 1}, {1, 2}, {2, 1}, {3, 1}}));
    EXPECT_EQ(table->BeadPlate().Cells(), (TCells{{1, 1}, {1, 2}, {1, 3}, {1, 4}}));
    EXPECT_EQ(LabelText(TBJLResultTable::BankerCountLabel), "2");
    EXPECT_EQ(LabelText(TBJLResultTable::BankerPercentLabel), "50.00%");
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerCountLabel), "1");
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPercentLabel), "25.00%");
    EXPECT_EQ(LabelText(TBJLResultTable::TieCountLabel), "1");
    EXPECT_EQ(LabelText(TBJLResultTable::TiePercentLabel), "25.00%");

    Show(Games({P}));
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPercentLabel), "100.00%");
    Show(Games({B, B, B, B, B, B, B, B, B, B, B, B, B, B, B, P}));
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPercentLabel), "06.25%");
}

TEST_F(ResultTableTest, ALongStreakTurnsRightAndTheNextSideStartsBesideItsHead) {
    Show(Games({B, B, B, B, B, B, B, P, P}));
    EXPECT_EQ(table->ColumnRoad().Cells(),
              (TCells{{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 6}, {2, 1}, {2, 2}}));
    EXPECT_EQ(table->BeadPlate().Marks[6].Cell, (TRoadCell{2, 1}));
    EXPECT_EQ(table->BeadPlate().Marks[8].Cell, (TRoadCell{2, 3}));
    // A streak that meets a mark below it turns right at that row.
    Show(Games({B, B, B, B, B, B, B, P, P, P, P, P, P}));
    EXPECT_EQ(table->ColumnRoad().Marks.back().Cell, (TRoadCell{3, 5}));
}

TEST_F(ResultTableTest, KingsTiesAndPairsAreCountedWithTheirSide) {
    Show({Game(BK, true), Game(PK, false, true), Game(TS, true, true), Game(T), Game(B)});
    EXPECT_EQ(table->Counts().WinsOf(TResultKind::Banker), 2);
    EXPECT_EQ(table->Counts().BankerKings, 1);
    EXPECT_EQ(table->Counts().WinsOf(TResultKind::Player), 1);
    EXPECT_EQ(table->Counts().PlayerKings, 1);
    EXPECT_EQ(table->Counts().WinsOf(TResultKind::Tie), 2);
    EXPECT_EQ(table->Counts().SamePointTies, 1);
    EXPECT_EQ(table->Counts().BankerPairs, 2);
    EXPECT_EQ(table->Counts().PlayerPairs, 2);
    EXPECT_EQ(LabelText(TBJLResultTable::BankerKingLabel), "1");
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPairsLabel), "2");
    EXPECT_EQ(table->ColumnRoad().Cells(), (TCells{{1, 1}, {2, 1}, {3, 1}, {3, 2}, {4, 1}}));
    // A King result is drawn as its side: it continues that side's column.
    Show(Games({B, BK, P, PK, T, TS}));
    EXPECT_EQ(table->ColumnRoad().Cells(), (TCells{{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}}));
}

TEST_F(ResultTableTest, SixtyFiveGamesEmptyTheTable) {
    Show(Games({B, P, T}));
    // Streaks of three that would fit the road if only 64 of them were taken.
    std::vector<TResultTableEntry> many;
    for (int game = 0; game < 65; ++game)
        many.push_back(Game((game / 3) % 2 ? P : B));
    Show(many);
    EXPECT_TRUE(table->ColumnRoad().Marks.empty());
    EXPECT_EQ(table->Count(), 0);
    EXPECT_EQ(table->Counts().WinsOf(TResultKind::Banker), 0);
    EXPECT_EQ(LabelText(TBJLResultTable::BankerCountLabel), "0");
    platform.RunUntilIdle();
    EXPECT_EQ(MarkIn(RoadCellAt({1, 1})), TMark::None);
    EXPECT_EQ(MarkIn(BeadCellAt({1, 1})), TMark::None);
}

// A road longer than the window keeps its history: the column road shows its newest 29 columns, the
// bead plate, the counters and the labels show every game.
TEST_F(ResultTableTest, AColumnRoadWiderThanTheWindowShowsItsNewestColumns) {
    std::vector<TResultTableEntry> alternating;
    for (int game = 0; game < 29; ++game)
        alternating.push_back(Game(game % 2 ? P : B));
    Show(alternating);
    EXPECT_EQ(table->ColumnRoad().Marks.back().Cell, (TRoadCell{29, 1}));
    EXPECT_EQ(table->HiddenRoadColumns(), 0);

    // Sixty-four games needing 64 columns: Banker on the even games, Player on the odd ones, a King
    // and a pair among them.
    std::vector<TResultTableEntry> games;
    for (int game = 0; game < 64; ++game)
        games.push_back(Game(game % 2 ? P : B, game == 40));
    games[61] = Game(PK);
    Show(games);
    ASSERT_EQ(table->Count(), 64);
    EXPECT_EQ(table->ColumnRoad().Marks.back().Cell, (TRoadCell{64, 1}));
    EXPECT_EQ(table->HiddenRoadColumns(), 64 - 29);
    EXPECT_EQ(table->BeadPlate().Marks.back().Cell, (TRoadCell{11, 4}));
    EXPECT_EQ(table->Counts().WinsOf(TResultKind::Banker), 32);
    EXPECT_EQ(table->Counts().PlayerKings, 1);
    EXPECT_EQ(table->Counts().BankerPairs, 1);
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerCountLabel), "32");
    EXPECT_EQ(LabelText(TBJLResultTable::BankerPercentLabel), "50.00%");
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerKingLabel), "1");

    platform.RunUntilIdle();
    test::SaveScreenshot(platform, form.WindowId(), "road-newest-columns.png");
    // Column 1 of the window holds game 36 (Player), column 29 game 64 (Player); the bead plate still
    // starts with game 1 and ends with game 64.
    EXPECT_EQ(MarkIn(RoadCellAt({1, 1})), TMark::Player);
    EXPECT_EQ(MarkIn(RoadCellAt({2, 1})), TMark::Banker);
    EXPECT_EQ(MarkIn(RoadCellAt({29, 1})), TMark::Player);
    EXPECT_EQ(MarkIn(RoadCellAt({1, 2})), TMark::None);
    EXPECT_EQ(MarkIn(BeadCellAt({1, 1})), TMark::Banker);
    EXPECT_EQ(MarkIn(BeadCellAt({11, 4})), TMark::Player);
    EXPECT_EQ(MarkIn(BeadCellAt({11, 5})), TMark::None);

    // A streak so long that its tail runs along the foot past the window: the newest games, back beside
    // the streak's head, stay in view at the left edge.
    std::vector<TResultTableEntry> streaks(40, Game(B));
    streaks.push_back(Game(P));
    streaks.push_back(Game(T));
    Show(streaks);
    EXPECT_EQ(table->ColumnRoad().Marks[39].Cell, (TRoadCell{35, 6}));
    EXPECT_EQ(table->ColumnRoad().Marks.back().Cell, (TRoadCell{3, 1}));
    EXPECT_EQ(table->HiddenRoadColumns(), 2);
    platform.RunUntilIdle();
    test::SaveScreenshot(platform, form.WindowId(), "road-long-streak.png");
    EXPECT_EQ(MarkIn(RoadCellAt({1, 1})), TMark::Tie);
    EXPECT_EQ(MarkIn(RoadCellAt({1, 6})), TMark::Banker);
    EXPECT_EQ(MarkIn(RoadCellAt({29, 6})), TMark::Banker);
    EXPECT_EQ(MarkIn(RoadCellAt({2, 1})), TMark::None);
    // The rest of the tail lies past the window's right edge and is not drawn over the frame.
    EXPECT_EQ(MarkIn(RoadCellAt({30, 6})), TMark::None);
}

// Bytes that are no result code never reach a picture table or a counter; short input is not read past.
TEST_F(ResultTableTest, UnknownCodesAreLeftOutAndCountsAreHeldToTheInput) {
    Show({Game(B), Game(6), Game(0xFF), Game(200), Game(P)});
    EXPECT_EQ(table->Count(), 2);
    EXPECT_EQ(table->ColumnRoad().Cells(), (TCells{{1, 1}, {2, 1}}));
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPercentLabel), "50.00%");

    const std::vector<TResultTableEntry> two = Games({T, T});
    table->SetResults(two, 40);
    EXPECT_EQ(table->Count(), 2);
    platform.RunUntilIdle();
    EXPECT_EQ(MarkIn(RoadCellAt({1, 2})), TMark::Tie);

    // A negative count is no history: the road is emptied as well as counted as empty.
    table->SetResults(two, -3);
    EXPECT_EQ(table->Count(), 0);
    EXPECT_TRUE(table->ColumnRoad().Marks.empty());
    EXPECT_EQ(LabelText(TBJLResultTable::TieCountLabel), "0");
    EXPECT_EQ(LabelText(TBJLResultTable::TiePercentLabel), "00.00%");
    platform.RunUntilIdle();
    EXPECT_EQ(MarkIn(RoadCellAt({1, 1})), TMark::None);
    EXPECT_EQ(MarkIn(RoadCellAt({1, 2})), TMark::None);
    EXPECT_EQ(MarkIn(BeadCellAt({1, 1})), TMark::None);
}

// Hundredths of a per cent round half away from zero.
TEST_F(ResultTableTest, PercentagesRoundHalfUp) {
    std::vector<TResultTableEntry> games(31, Game(B));
    games.push_back(Game(P));
    Show(games);
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPercentLabel), "03.13%"); // 3.125
    EXPECT_EQ(LabelText(TBJLResultTable::BankerPercentLabel), "96.88%"); // 96.875
    EXPECT_EQ(LabelText(TBJLResultTable::TiePercentLabel), "00.00%");
    Show(Games({B, P, P}));
    EXPECT_EQ(LabelText(TBJLResultTable::BankerPercentLabel), "33.33%");
    EXPECT_EQ(LabelText(TBJLResultTable::PlayerPercentLabel), "66.67%");
    games.assign(61, Game(B));
    games.insert(games.end(), {Game(T), Game(T), Game(T)});
    Show(games);
    EXPECT_EQ(LabelText(TBJLResultTable::TiePercentLabel), "04.69%");    // 4.6875
    EXPECT_EQ(LabelText(TBJLResultTable::BankerPercentLabel), "95.31%"); // 95.3125
}

TEST_F(ResultTableTest, TheBandDragsThePanelAndTheCloseButtonHidesIt) {
    platform.MouseDown({200 + 100, 170 + 20});
    platform.MouseMove({200 + 130, 170 + 60});
    platform.MouseUp({200 + 130, 170 + 60});
    platform.RunUntilIdle();
    EXPECT_EQ(table->Left(), 230);
    EXPECT_EQ(table->Top(), 210);

    // Below the band, and right of it, the panel stays put.
    for (TPoint inside : {TPoint{100, 50}, TPoint{490, 30}}) {
        platform.MouseDown({230 + inside.x, 210 + inside.y});
        platform.MouseMove({230 + inside.x + 40, 210 + inside.y + 40});
        platform.MouseUp({230 + inside.x + 40, 210 + inside.y + 40});
        platform.RunUntilIdle();
        EXPECT_EQ(table->Left(), 230) << inside.x;
    }

    const TPoint band = table->ClientToScreen({300, 20});
    const TPoint below = table->ClientToScreen({300, 40});
    auto hitTest = [&](TPoint at) {
        return table->Perform(TBJLResultTable::kHitTestMessage, 0, (at.y << 16) | (at.x & 0xFFFF));
    };
    EXPECT_EQ(hitTest(band), TBJLResultTable::kHitCaption);
    EXPECT_NE(hitTest(below), TBJLResultTable::kHitCaption);

    EXPECT_EQ(table->CloseButton().Left(), 475);
    platform.Click({230 + 480, 210 + 15});
    platform.RunUntilIdle();
    EXPECT_FALSE(table->Visible());
}

// Twenty mixed games with Kings and pairs, as the road window shows them over the felt.
TEST_F(ResultTableTest, GoldenRoadAfterTwentyMixedGames) {
    Show({Game(B),
          Game(B, true),
          Game(P),
          Game(PK, false, true),
          Game(P),
          Game(T),
          Game(B, true, true),
          Game(BK),
          Game(B),
          Game(B),
          Game(B),
          Game(B),
          Game(B),
          Game(B, false, true),
          Game(P),
          Game(TS),
          Game(T, true),
          Game(P),
          Game(B),
          Game(P, true)});
    platform.RunUntilIdle();

    test::ExpectGolden(platform, form.WindowId(), "road.png");
}

// [SECTION] The roads page

std::vector<TResultTableEntry> Shoe(std::string_view results) {
    std::vector<TResultTableEntry> games;
    for (char result : results)
        games.push_back(Game(result == 'B' ? B : result == 'P' ? P : T));
    return games;
}

TEST_F(ResultTableTest, TheTitleLeadsToTheRoadsPageAndTheWindowReopensOnTheBeadPlate) {
    EXPECT_EQ(table->Page(), TBJLResultTable::TPage::Beads);
    EXPECT_FALSE(table->AskButton(TResultKind::Banker).Visible());
    ClickOnTable({240, 17});
    EXPECT_EQ(table->Page(), TBJLResultTable::TPage::Roads);
    EXPECT_FALSE(table->Label(TBJLResultTable::BankerCountLabel).Visible());
    EXPECT_TRUE(table->AskButton(TResultKind::Player).Visible());
    EXPECT_FALSE(table->RoadsPageButton().Visible());

    // On this page too the band drags the window, but not on the button that leads back.
    auto hitTest = [&](TPoint client) {
        const TPoint at = table->ClientToScreen(client);
        return table->Perform(TBJLResultTable::kHitTestMessage, 0, (at.y << 16) | (at.x & 0xFFFF));
    };
    EXPECT_EQ(hitTest({240, 17}), TBJLResultTable::kHitCaption);
    EXPECT_NE(hitTest({20, 15}), TBJLResultTable::kHitCaption);
    ClickButton(table->BeadsPageButton());
    EXPECT_EQ(table->Page(), TBJLResultTable::TPage::Beads);
    EXPECT_TRUE(table->Label(TBJLResultTable::BankerCountLabel).Visible());
    EXPECT_NE(hitTest({240, 17}), TBJLResultTable::kHitCaption);

    // Closed on the roads page, the window opens on the bead plate again.
    ClickOnTable({240, 17});
    table->CloseButton().Click();
    table->SetVisible(true);
    EXPECT_EQ(table->Page(), TBJLResultTable::TPage::Beads);
    EXPECT_TRUE(table->RoadsPageButton().Visible());
}

// Every mark of every road is drawn in its cell in its colour, with the tie stroke where ties fell; a
// cell after the last mark stays empty.
TEST_F(ResultTableTest, TheRoadsPageDrawsEachRoadFromTheHistoryItIsGiven) {
    const std::vector<TResultTableEntry> games = Shoe("TBBPPPTBPPBBBBBTPBPPB");
    Show(games);
    ClickOnTable({240, 17});
    ASSERT_EQ(table->RoadsPage().BigRoad().Marks, LayOutBigRoad(games).Marks);
    for (const TBigRoadMark& mark : table->RoadsPage().BigRoad().Marks) {
        EXPECT_EQ(MarkIn(BigRoadCellAt(mark.Cell)), MarkOf(mark.Colour())) << mark.Game;
        EXPECT_EQ(InkIn(BigRoadCellAt(mark.Cell)).Green > 3, mark.Ties > 0) << mark.Game;
    }
    EXPECT_EQ(MarkIn(BigRoadCellAt({1, 3})), TMark::None);
    for (TDerivedRoadKind kind : kDerivedRoadKinds) {
        const TDerivedRoad& road = table->RoadsPage().DerivedRoad(kind);
        ASSERT_FALSE(road.Marks.empty());
        for (const TDerivedRoadMark& mark : road.Marks)
            EXPECT_EQ(DerivedMarkIn(kind, mark.Cell), MarkOf(mark.Colour)) << int(kind) << " " << mark.Game;
        const TRoadCell last = road.Marks.back().Cell;
        EXPECT_EQ(DerivedMarkIn(kind, {last.Column + 1, 1}), TMark::None) << int(kind);
    }

    // The page follows a new history.
    Show(Shoe("P"));
    platform.RunUntilIdle();
    EXPECT_EQ(MarkIn(BigRoadCellAt({1, 1})), TMark::Player);
    EXPECT_EQ(MarkIn(BigRoadCellAt({1, 2})), TMark::None);
    EXPECT_EQ(DerivedMarkIn(TDerivedRoadKind::BigEye, {1, 1}), TMark::None);
}

// B B P P P B P: streaks of 2, 3, 1 and 1 at big-road columns 1 to 4.
// A Banker result would start streak 5 at (5, 1); on 大眼仔 it compares streaks 4 and 3, both one long:
// red. 大眼仔 so far, from the second row of streak 2: row 2 against streak 1 (2 long) red, row 3 blue,
// streak 3 against 2 ≠ 1 blue, streak 4 against 1 ≠ 3 blue, laid out (1,1) red, (2,1) (2,2) (2,3) blue;
// so the red ask mark takes (3, 1).
// A Player result would go to (4, 2), row 2 of streak 4 with streak 3 one long (r − 1): blue, which
// goes below the blues at (2, 4).
TEST_F(ResultTableTest, AnAskBlinksWhatThatResultWouldAddForThreeSeconds) {
    Show(Shoe("BBPPPBP"));
    ClickOnTable({240, 17});
    const TRect bankerBig = BigRoadCellAt({5, 1});
    const TRect playerBig = BigRoadCellAt({4, 2});
    EXPECT_EQ(MarkIn(bankerBig), TMark::None);
    EXPECT_EQ(DerivedMarkIn(TDerivedRoadKind::BigEye, {3, 1}), TMark::None);

    ClickButton(table->AskButton(TResultKind::Banker));
    EXPECT_EQ(table->RoadsPage().Asking(), TResultKind::Banker);
    EXPECT_EQ(MarkIn(bankerBig), TMark::Banker);
    EXPECT_EQ(DerivedMarkIn(TDerivedRoadKind::BigEye, {3, 1}), TMark::Banker);
    EXPECT_EQ(MarkIn(playerBig), TMark::None);
    // Lit and dark by turns, half a second each, and gone after three seconds.
    const std::vector<bool> lit{false, true, false, true, false, false};
    for (std::size_t phase = 0; phase < lit.size(); ++phase) {
        platform.AdvanceBy(TBJLResultTable::kAskBlinkInterval);
        EXPECT_EQ(MarkIn(bankerBig), lit[phase] ? TMark::Banker : TMark::None) << phase;
        EXPECT_EQ(DerivedMarkIn(TDerivedRoadKind::BigEye, {3, 1}), lit[phase] ? TMark::Banker : TMark::None);
    }
    EXPECT_EQ(table->RoadsPage().Asking(), TResultKind::None);

    // The other ask in the middle of one takes over with a whole first phase of its own.
    ClickButton(table->AskButton(TResultKind::Banker));
    platform.AdvanceBy(1200);
    ClickButton(table->AskButton(TResultKind::Player));
    platform.AdvanceBy(400);
    EXPECT_EQ(MarkIn(bankerBig), TMark::None);
    EXPECT_EQ(MarkIn(playerBig), TMark::Player);
    EXPECT_EQ(DerivedMarkIn(TDerivedRoadKind::BigEye, {2, 4}), TMark::Player);

    // A new history ends the ask: its marks were asked of the games before.
    Show(Shoe("BBPPPBPP"));
    platform.RunUntilIdle();
    EXPECT_EQ(table->RoadsPage().Asking(), TResultKind::None);
    EXPECT_EQ(MarkIn(BigRoadCellAt({4, 3})), TMark::None);
    EXPECT_EQ(MarkIn(playerBig), TMark::Player);
    // So does leaving the page.
    ClickButton(table->AskButton(TResultKind::Player));
    ClickButton(table->BeadsPageButton());
    ClickOnTable({240, 17});
    EXPECT_EQ(table->RoadsPage().Asking(), TResultKind::None);
    EXPECT_EQ(MarkIn(BigRoadCellAt({4, 3})), TMark::None);
}

// Sixty-four games that alternate need 64 big-road columns: the page shows the newest and keeps the
// column the next result would take in view, so an ask is seen at the right edge.
TEST_F(ResultTableTest, ALongShoeKeepsTheNewestColumnsAndTheAskedMarkInView) {
    std::string alternating;
    for (int game = 0; game < 64; ++game)
        alternating += game % 2 ? 'P' : 'B';
    Show(Shoe(alternating));
    ClickOnTable({240, 17});
    EXPECT_EQ(table->RoadsPage().HiddenBigRoadColumns(), 64 - (TRoadsPage::kBigRoadColumns - 1));
    EXPECT_EQ(MarkIn(BigRoadCellAt({TRoadsPage::kBigRoadColumns - 1, 1})), TMark::Player);
    EXPECT_EQ(MarkIn(BigRoadCellAt({1, 1})), TMark::Player);
    ClickButton(table->AskButton(TResultKind::Banker));
    EXPECT_EQ(MarkIn(BigRoadCellAt({TRoadsPage::kBigRoadColumns, 1})), TMark::Banker);
    // Nothing is drawn past the grid's right edge.
    const TRect pastEdge = BigRoadCellAt({TRoadsPage::kBigRoadColumns + 1, 1});
    EXPECT_EQ(MarkIn(pastEdge), TMark::None);
}

const std::string kGoldenRoadsDir =
    (std::filesystem::path(__FILE__).parent_path().parent_path() / "golden").string();

void ExpectGolden(const std::string& shot, const std::string& name) {
    const std::string golden = kGoldenRoadsDir + "/" + name;
    if (std::getenv("MORVANE_REFRESH_GOLDEN")) {
        std::filesystem::copy_file(shot, golden, std::filesystem::copy_options::overwrite_existing);
        return;
    }
    TPngImage actual;
    TPngImage expected;
    ASSERT_TRUE(actual.LoadFromFile(shot)) << actual.Error();
    ASSERT_TRUE(expected.LoadFromFile(golden))
        << expected.Error() << "\nmake it with scripts/refresh-golden after checking " << shot;
    EXPECT_TRUE(actual == expected) << "the roads page draws differently from " << golden << "; look at "
                                    << shot << " and, if the change is meant, run scripts/refresh-golden";
}

// A long shoe: ties before the first result and inside streaks, a dragon of ten Bankers that turns along
// the foot, chops and pairs of streaks after it; each ask at its first, lit phase.
TEST_F(ResultTableTest, GoldenRoadsPageOfALongShoeAskingBothSides) {
    Show(Shoe("TTBPPBTBBPBBBBBBBBBBPTTPBPPPBBTPBPBBPPPTPBBBPPBPTBBPPPPBP"));
    ClickOnTable({240, 17});
    ClickButton(table->AskButton(TResultKind::Banker));
    ExpectGolden(test::SaveScreenshot(platform, form.WindowId(), "road-page-ask-banker.png"),
                 "road-page-ask-banker.png");
    ClickButton(table->AskButton(TResultKind::Player));
    ExpectGolden(test::SaveScreenshot(platform, form.WindowId(), "road-page-ask-player.png"),
                 "road-page-ask-player.png");
    if (std::getenv("MORVANE_REFRESH_GOLDEN"))
        GTEST_SKIP() << "golden pictures rewritten in " << kGoldenRoadsDir;
}

} // namespace
} // namespace morvane
