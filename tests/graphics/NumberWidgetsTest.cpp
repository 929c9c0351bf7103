#include "graphics/ClockNumber.h"
#include "graphics/PngNumber.h"
#include "gui/Form.h"
#include "support/headless/GoldenPicture.h"
#include "support/headless/HeadlessApp.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace morvane {
namespace {

class NumberWidgetsTest : public test::HeadlessTest {
protected:
    NumberWidgetsTest() {
        form.SetBounds(0, 0, 300, 120);
        form.SetColor(RGB(0, 96, 40));
        form.Show();
    }
    TPngNumber* MakeNumber(std::int64_t value, std::uint8_t align, TPoint anchor, const std::string& prefix) {
        return form.Own(std::make_unique<TPngNumber>(&form, value, align, anchor, prefix, &form));
    }
    TClockNumber* MakeTableClock() {
        auto* clock = form.Own(std::make_unique<TClockNumber>(&form));
        clock->SetParent(&form);
        clock->SetBackground("ClockNum_BackGround");
        clock->SetDigitPrefix("ClockNum_");
        clock->SetDigits(2);
        clock->SetDigitLeft(11);
        clock->SetDigitTop(15);
        clock->SetDigitStep(13);
        return clock;
    }
    TForm form{nullptr};
};

TEST_F(NumberWidgetsTest, WidthsFollowTheDigitsThePlusSignAndTheAlignment) {
    TPngNumber* small = MakeNumber(0, TPngNumber::AlignLeft, {30, 40}, "x");
    small->SetIsShowAdd(false);
    EXPECT_EQ(small->Width(), 14);
    EXPECT_EQ(small->Height(), 18);
    EXPECT_EQ(small->Left(), 30);
    EXPECT_EQ(small->Top(), 40);

    TPngNumber* large = MakeNumber(12345, TPngNumber::AlignCenter, {100, 0}, "d");
    large->SetIsShowAdd(false);
    EXPECT_EQ(large->Width(), 88);
    EXPECT_EQ(large->Left(), 56);
    large->SetIsShowAdd(true);
    EXPECT_EQ(large->Width(), 88 + 16 + 2);
    EXPECT_EQ(large->Left(), 100 - 106 / 2);

    TPngNumber* right = MakeNumber(7, TPngNumber::AlignRight, {200, 0}, "x");
    EXPECT_EQ(right->Left() + right->Width(), 200);

    large->SetTotalNum(-5);
    EXPECT_EQ(large->TotalNum(), 12345);
    large->SetTotalNum(9);
    EXPECT_EQ(large->Width(), 16 + 18);
}

TEST_F(NumberWidgetsTest, ACountUpStepsUnderTheTimerAndFinishesWithTheRest) {
    TPngNumber* number = MakeNumber(100, TPngNumber::AlignLeft, {0, 0}, "d");
    number->SetIncrement(3);
    number->SetTimerInterval(50);
    std::vector<std::int64_t> seen;
    int ends = 0;
    number->ChangeEvent = [&](TControl*, std::int64_t value) { seen.push_back(value); };
    number->OnAddEnd = [&](TControl*) { ++ends; };
    TTimer followUp(nullptr);
    followUp.SetEnabled(false);
    number->SetFollowUpTimer(&followUp);

    number->StartCountUp(10);
    EXPECT_TRUE(number->CountingUp());
    platform.AdvanceBy(150);
    EXPECT_EQ(seen, (std::vector<std::int64_t>{103, 106, 109}));
    platform.AdvanceBy(50);
    EXPECT_EQ(seen.back(), 110);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(number->CountingUp());
    EXPECT_TRUE(followUp.Enabled());

    // Finishing at once, silently: the rest is added and no end is reported.
    number->StartCountUp(1000);
    platform.AdvanceBy(50);
    number->FinishCountUp(true);
    EXPECT_EQ(number->TotalNum(), 1110);
    EXPECT_EQ(ends, 1);
    // Without gradual change the whole amount lands at once; nothing runs afterwards.
    number->SetIsAddChangeGradually(false);
    number->StartCountUp(5);
    EXPECT_EQ(number->TotalNum(), 1115);
    EXPECT_EQ(ends, 2);
    number->FinishCountUp(false);
    EXPECT_EQ(ends, 2);
    number->StartCountUp(0);
    EXPECT_FALSE(number->CountingUp());
    number->SetIncrement(0);
    number->SetTimerInterval(-1);
    EXPECT_EQ(number->Increment(), 3);
    EXPECT_EQ(number->TimerInterval(), 50);
}

TEST_F(NumberWidgetsTest, TheClockCountsDownToZeroAndStops) {
    TClockNumber* clock = MakeTableClock();
    EXPECT_EQ(clock->Width(), 51);
    EXPECT_EQ(clock->Height(), 57);
    clock->SetValue(3);
    EXPECT_EQ(clock->Text(), "03");
    std::vector<std::string> shown;
    for (int second = 0; second < 5; ++second) {
        platform.AdvanceBy(1000);
        shown.push_back(clock->Text());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"02", "01", "00", "00", "00"}));
    EXPECT_FALSE(clock->Ticking());

    clock->SetValue(120);
    EXPECT_EQ(clock->Text(), "120");
    clock->SetValue(0);
    EXPECT_FALSE(clock->Ticking());
    clock->SetValue(-1);
    EXPECT_EQ(clock->Text(), "");
    platform.AdvanceBy(1000);
    EXPECT_FALSE(clock->Ticking());
    EXPECT_EQ(clock->Value(), -1);
    clock->SetDigits(1 << 30);
    clock->SetValue(7);
    EXPECT_EQ(clock->Text().size(), std::size_t(TClockNumber::kMaxDigits));
}

TEST_F(NumberWidgetsTest, ABlankClockDrawsNothingNotEvenItsDial) {
    TClockNumber* clock = MakeTableClock();
    clock->SetLeft(20);
    clock->SetValue(-1);
    platform.RunUntilIdle();
    TPngImage shot;
    ASSERT_TRUE(shot.LoadFromFile(test::SaveScreenshot(platform, form.WindowId(), "clock-blank.png")));
    for (int y = 0; y < 57; y += 4)
        for (int x = 20; x < 71; x += 4) {
            const std::uint8_t* pixel = shot.Scanline(y) + x * shot.BytesPerPixel();
            ASSERT_EQ(pixel[1], 96) << x << "," << y;
        }
}

// The table's clock five seconds before the end of a phase.
TEST_F(NumberWidgetsTest, GoldenClockAtFive) {
    form.SetBounds(0, 0, 71, 77);
    TClockNumber* clock = MakeTableClock();
    clock->SetLeft(10);
    clock->SetTop(10);
    clock->SetValue(8);
    platform.AdvanceBy(3000);
    ASSERT_EQ(clock->Text(), "05");
    platform.RunUntilIdle();

    test::ExpectGolden(platform, form.WindowId(), "clock.png");
}

} // namespace
} // namespace morvane
