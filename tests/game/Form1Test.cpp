#include "game/Form1.h"

#include "gui/Button.h"
#include "gui/GroupBox.h"
#include "gui/Label.h"
#include "support/headless/HeadlessApp.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace morvane {
namespace {

using TRequests = std::vector<std::pair<int, int>>;

TComputerBetNotice Notice(std::uint8_t bankerKind, TRegionAmounts amounts) {
    TComputerBetNotice notice;
    notice.BankerKind = bankerKind;
    notice.Amounts = amounts;
    return notice;
}

class Form1Test : public test::HeadlessTest {
protected:
    Form1Test() {
        form.OnStatisticsRequest = [this](std::uint8_t action, std::int32_t argument) {
            requests.emplace_back(action, argument);
        };
    }
    std::string Outcome(int region) const { return form.OutcomeLabel(region)->Caption(); }
    TColor OutcomeColour(int region) const { return form.OutcomeLabel(region)->Font().Color(); }
    // A point inside a control, in screen coordinates.
    static TPoint ScreenPointIn(const TControl& control) {
        return control.ClientToScreen({control.Width() / 2, control.Height() / 2});
    }

    TForm1 form{nullptr};
    TRequests requests;
};

TEST_F(Form1Test, TheWindowIsLaidOutRegionByRegion) {
    EXPECT_EQ(form.Width(), 693);
    EXPECT_EQ(form.Height(), 517);
    EXPECT_EQ(form.Caption(), "Form1");
    EXPECT_EQ(form.Font().Name(), "Tahoma");
    EXPECT_FALSE(form.Showing());

    struct TExpected {
        const char* Caption;
        TPoint At;
        int Tag;
    };
    const TExpected expected[kRegionCount] = {
        {"庄", {460, 182}, 1},     {"庄天王", {460, 340}, 3}, {"闲", {16, 182}, 2},
        {"闲天王", {16, 340}, 4},  {"和", {238, 182}, -1},    {"同点和", {238, 340}, -1},
        {"庄对子", {460, 24}, -1}, {"闲对子", {16, 24}, -1},
    };
    for (int region = 0; region < kRegionCount; ++region) {
        SCOPED_TRACE(region);
        const TGroupBox& box = *form.RegionBox(region);
        EXPECT_EQ(box.Caption(), expected[region].Caption);
        EXPECT_EQ(box.BoundsRect(), (TRect{expected[region].At.x, expected[region].At.y,
                                           expected[region].At.x + 217, expected[region].At.y + 153}));
        EXPECT_EQ(box.Font().Name(), "宋体");
        EXPECT_EQ(box.Font().Size(), 9);
        EXPECT_EQ(box.Font().Color(), clBlack);

        const TLabel& stake = *form.StakeLabel(region);
        EXPECT_EQ(stake.Parent(), &box);
        EXPECT_EQ(stake.Caption(), "电脑押注：");
        EXPECT_EQ((TPoint{stake.Left(), stake.Top()}), (TPoint{24, 24}));

        const bool commanded = expected[region].Tag >= 1;
        const TLabel& outcome = *form.OutcomeLabel(region);
        EXPECT_EQ(outcome.Caption(), "...");
        EXPECT_EQ((TPoint{outcome.Left(), outcome.Top()}), (TPoint{24, 56}));
        EXPECT_EQ(outcome.Visible(), commanded);

        const TButton& button = *form.CommandButton(region);
        EXPECT_EQ(button.Parent(), &box);
        EXPECT_EQ(button.Caption(), "OK");
        EXPECT_EQ((TPoint{button.Left(), button.Top()}), (TPoint{128, 119}));
        EXPECT_EQ(button.Tag(), expected[region].Tag);
        EXPECT_EQ(button.Visible(), commanded);
    }
}

// Stakes 100, 10, 200, 20, 30, 5, 7, 3 (total 375) with the computer as banker: it keeps the total and
// pays 2, 3, 2, 3 times the winning stake, a King also paying the plain side.
TEST_F(Form1Test, WithTheComputerAsBankerItKeepsTheTotalAndPaysTheWinners) {
    form.ShowNotice(Notice(1, {100, 10, 200, 20, 30, 5, 7, 3}));
    EXPECT_EQ(form.Caption(), "电脑当庄");
    EXPECT_EQ(form.StakeLabel(0)->Caption(), "玩家押注：100");
    EXPECT_EQ(form.StakeLabel(5)->Caption(), "玩家押注：5");
    EXPECT_EQ(form.StakeLabel(7)->Caption(), "玩家押注：3");
    EXPECT_EQ(Outcome(0), "赢：175"); // 375 - 2*100
    EXPECT_EQ(Outcome(1), "赢：145"); // 375 - 3*10 - 2*100
    EXPECT_EQ(Outcome(2), "输：-25"); // 375 - 2*200
    EXPECT_EQ(Outcome(3), "输：-85"); // 375 - 3*20 - 2*200
    EXPECT_EQ(OutcomeColour(0), clBlack);
    EXPECT_EQ(OutcomeColour(1), clBlack);
    EXPECT_EQ(OutcomeColour(2), clRed);
    EXPECT_EQ(OutcomeColour(3), clRed);
    // Regions without a command show no outcome at all.
    for (int region = 4; region < kRegionCount; ++region)
        EXPECT_EQ(Outcome(region), "...") << region;

    // Ties and pairs pay 9, 33, 12 and 12 times.
    const TComputerBetNotice sideBets = Notice(1, {0, 0, 0, 0, 1, 1, 1, 1});
    EXPECT_EQ(TForm1::Outcome(sideBets, 4), 4 - 9);
    EXPECT_EQ(TForm1::Outcome(sideBets, 5), 4 - 33);
    EXPECT_EQ(TForm1::Outcome(sideBets, 6), 4 - 12);
    EXPECT_EQ(TForm1::Outcome(sideBets, 7), 4 - 12);
}

// Stakes 50 and 1000 (on the Banker King), total 1050, with a player as banker: the computer's own stakes
// are paid when they win and lost otherwise.
TEST_F(Form1Test, WithAPlayerAsBankerTheComputersOwnStakesWinOrLose) {
    form.ShowNotice(Notice(1, {100, 10, 200, 20, 30, 5, 7, 3}));
    form.ShowNotice(Notice(0, {50, 1000, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(form.Caption(), "玩家当庄");
    EXPECT_EQ(form.StakeLabel(1)->Caption(), "电脑押注：1000");
    EXPECT_EQ(form.StakeLabel(6)->Caption(), "电脑押注：0");
    EXPECT_EQ(Outcome(0), "输：-950");  // 2*50 - 1050
    EXPECT_EQ(Outcome(1), "赢：2050");  // 3*1000 + 2*50 - 1050
    EXPECT_EQ(Outcome(2), "输：-1050"); // 0 - 1050
    EXPECT_EQ(Outcome(3), "输：-1050"); // 0 + 0 - 1050
    EXPECT_EQ(OutcomeColour(0), clRed);
    EXPECT_EQ(OutcomeColour(1), clBlack);

    // Nothing staked is no loss: black, and written as a win of 0.
    form.ShowNotice(Notice(0, {}));
    EXPECT_EQ(Outcome(2), "赢：0");
    EXPECT_EQ(OutcomeColour(2), clBlack);
    // Any banker kind other than 1 counts as a player.
    form.ShowNotice(Notice(7, {0, 0, 10, 0, 0, 0, 0, 0}));
    EXPECT_EQ(form.Caption(), "玩家当庄");
    EXPECT_EQ(Outcome(2), "赢：10");
}

// Stakes near the top of the 64-bit range are worked out exactly, and an outcome beyond the range stays
// at its end instead of wrapping to the other sign.
TEST_F(Form1Test, HugeStakesAreExactOrHeldToTheRange) {
    const std::int64_t huge = INT64_MAX / 2;
    EXPECT_EQ(TForm1::Outcome(Notice(0, {huge, huge, 0, 0, 0, 0, 0, 0}), 1), INT64_MAX); // 3 * huge
    EXPECT_EQ(TForm1::Outcome(Notice(1, {0, 0, 0, 0, 0, huge, 0, 0}), 5), INT64_MIN);    // -32 * huge
    // The total of these stakes is past the range, the outcomes are not.
    EXPECT_EQ(TForm1::Outcome(Notice(1, {huge, huge, huge, 0, 0, 0, 0, 0}), 3), huge);
    EXPECT_EQ(TForm1::Outcome(Notice(1, {huge, huge, huge, huge, 0, 0, 0, 0}), 3), -huge);
    // -INT64_MIN + 11 * 1 is past the top.
    EXPECT_EQ(TForm1::Outcome(Notice(0, {INT64_MIN, 0, 0, 0, 0, 0, 0, 1}), 7), INT64_MAX);
    EXPECT_EQ(TForm1::Outcome(Notice(0, {INT64_MIN + 12, 0, 0, 0, 0, 0, 0, 1}), 7), INT64_MAX);
    EXPECT_EQ(TForm1::Outcome(Notice(0, {INT64_MIN + 13, 0, 0, 0, 0, 0, 0, 1}), 7), INT64_MAX - 1);
    form.ShowNotice(Notice(0, {huge, huge, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Outcome(1), "赢：" + std::to_string(INT64_MAX));
}

TEST_F(Form1Test, CommandButtonsSendTheirTagAndHiddenOnesNothing) {
    form.ShowStatistics();
    platform.RunUntilIdle();
    // Banker, Banker King, Player, Player King, clicked with the mouse.
    for (int region : {0, 1, 2, 3})
        platform.Click(ScreenPointIn(*form.CommandButton(region)));
    EXPECT_EQ(requests, (TRequests{{0, 1}, {0, 3}, {0, 2}, {0, 4}}));

    // Where the hidden buttons would be, the click lands on the box; a tag below 1 sends nothing even
    // when the button is pressed in code.
    requests.clear();
    for (int region = 4; region < kRegionCount; ++region) {
        platform.Click(ScreenPointIn(*form.CommandButton(region)));
        form.CommandButton(region)->Click();
    }
    form.CommandButton(0)->SetTag(0);
    form.CommandButton(0)->Click();
    EXPECT_TRUE(requests.empty());
}

TEST_F(Form1Test, TheTimerPollsOnlyWhileTheWindowIsShowing) {
    platform.AdvanceBy(3500);
    EXPECT_TRUE(requests.empty());

    form.ShowStatistics();
    EXPECT_TRUE(form.Showing());
    EXPECT_EQ((TPoint{form.Left(), form.Top()}), (TPoint{(1280 - 693) / 2, (984 - 517) / 2}));
    platform.AdvanceBy(3000);
    EXPECT_EQ(requests, (TRequests{{1, -1}, {1, -1}, {1, -1}}));

    form.CloseStatistics();
    EXPECT_FALSE(form.Showing());
    requests.clear();
    platform.AdvanceBy(3000);
    EXPECT_TRUE(requests.empty());

    // The close box in the caption band hides it as well.
    form.ShowStatistics();
    platform.RunUntilIdle();
    const TRect close = form.CloseBox();
    platform.Click(form.ClientToScreen({(close.left + close.right) / 2, (close.top + close.bottom) / 2}));
    EXPECT_FALSE(form.Showing());
}

TEST_F(Form1Test, ScreenshotOfTheWindowWithTheComputerAsBanker) {
    form.ShowNotice(Notice(1, {125000, 20000, 318000, 45000, 70000, 5000, 12000, 8000}));
    form.ShowStatistics();
    platform.RunUntilIdle();
    test::SaveScreenshot(platform, form.WindowId(), "statistics.png");
    const TBitmap* shot = platform.Screenshot(form.WindowId());
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->Width(), 693);
    EXPECT_EQ(shot->Height(), 517);
    EXPECT_EQ(platform.WindowCaption(form.WindowId()), "电脑当庄");
    // The Player box loses: some of its outcome text is red; the Banker box wins, in black.
    auto hasColour = [&](const TLabel& label, TColor colour) {
        const TPoint origin = label.ClientToScreen({0, 0});
        const TPoint at{origin.x - form.Left(), origin.y - form.Top()};
        for (int y = at.y; y < at.y + label.Height(); ++y)
            for (int x = at.x; x < at.x + label.Width(); ++x)
                if (shot->Pixel(x, y) == colour) return true;
        return false;
    };
    EXPECT_TRUE(hasColour(*form.OutcomeLabel(2), clRed));
    EXPECT_FALSE(hasColour(*form.OutcomeLabel(0), clRed));
    EXPECT_TRUE(hasColour(*form.OutcomeLabel(0), clBlack));
}

} // namespace
} // namespace morvane
