#include "base/Gbk.h"
#include "gui/Canvas.h"
#include "gui/FakeWindowSystem.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::TBoxTextEngine;

class CanvasTextTest : public ::testing::Test {
protected:
    // Literals are GBK at run time, as the drawn texts are.
    const std::vector<std::string>& Drawn() const { return app.system.text.drawn; }

    test::TFakeApplication app;
    TBitmap frame{120, 60};
    TCanvas canvas{frame};
};

TEST_F(CanvasTextTest, EndEllipsisKeepsWholeCharactersThatFitWithTheDots) {
    canvas.DrawText({0, 0, 60, 12}, "abcdefghijklmnop", dtSingleLine | dtEndEllipsis);
    // Ten cells of room: seven letters and three dots.
    canvas.DrawText({0, 0, 60, 12}, "庄家赢了闲家输了", dtSingleLine | dtEndEllipsis);
    // 42 pixels of room take three Chinese characters (36), never half of a fourth.
    canvas.DrawText({0, 0, 60, 12}, "short", dtSingleLine | dtEndEllipsis);
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"abcdefg...", "庄家赢...", "short"}));
}

TEST_F(CanvasTextTest, WordEllipsisCutsAtAWordBoundary) {
    canvas.DrawText({0, 0, 80, 12}, "hello world again", dtSingleLine | dtWordEllipsis);
    canvas.DrawText({0, 0, 40, 12}, "unbreakable", dtSingleLine | dtWordEllipsis);
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"hello...", "unb..."}));
}

TEST_F(CanvasTextTest, WordWrapBreaksAtBlanksAndBetweenChineseCharactersOnly) {
    EXPECT_EQ(canvas.DrawText({0, 0, 48, 60}, "one two three", dtWordBreak), 24);
    // 30 pixels hold two Chinese characters (24) plus a narrow one; no line ends in half a character.
    EXPECT_EQ(canvas.DrawText({0, 0, 30, 60}, "中文a字符测试", dtWordBreak), 36);
    EXPECT_EQ(canvas.DrawText({0, 0, 48, 60}, "line\r\n第二行", dtWordBreak | dtCalcRect), 24);
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"one two", "three", "中文a", "字符", "测试"}));
    for (const std::string& line : app.system.text.drawn)
        EXPECT_EQ(gbk::SafeCutLength(line, line.size()), line.size());
}

TEST_F(CanvasTextTest, CentredTextSitsInTheMiddleInTheFontColour) {
    canvas.Brush().style = TBrushStyle::bsClear;
    canvas.Font().SetColor(clRed);
    canvas.DrawText({0, 0, 100, 40}, "abc", dtSingleLine | dtCenter | dtVCenter);
    // "abc" is 18 wide and 12 high: its cell starts at (41, 14); the first glyph box at (42, 16).
    EXPECT_EQ(frame.Pixel(42, 16), clRed);
    EXPECT_EQ(frame.Pixel(41, 16), clBlack);
    EXPECT_EQ(frame.Pixel(57, 23), clRed);
    EXPECT_EQ(frame.Pixel(42, 15), clBlack);
}

TEST_F(CanvasTextTest, TextOutWithASolidBrushFillsItsCellAndRespectsTheClip) {
    canvas.FillRect({0, 0, 120, 60}, clBlack);
    canvas.Brush().color = clYellow;
    canvas.IntersectClipRect({0, 0, 10, 60});
    canvas.TextOut(4, 4, "ab");
    EXPECT_EQ(frame.Pixel(4, 4), clYellow);
    EXPECT_EQ(frame.Pixel(9, 4), clYellow);
    EXPECT_EQ(frame.Pixel(10, 4), clBlack); // cut by the clip
    EXPECT_EQ(canvas.PenPos(), (TPoint{16, 4}));
}

TEST(CanvasGradientTest, HorizontalAndVerticalLinesFollowTheIntegerRule) {
    TBitmap frame{5, 5};
    TCanvas canvas{frame};
    const TColor from = RGB(10, 200, 0);
    const TColor to = RGB(210, 0, 3);
    canvas.GradientFill({0, 0, 5, 5}, from, to, 0);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(frame.Pixel(k, 2), RGB(std::uint8_t(10 + k * 200 / 4), std::uint8_t(200 - k * 200 / 4),
                                         std::uint8_t(k * 3 / 4)))
            << k;
    canvas.GradientFill({0, 0, 5, 5}, from, to, 3); // bottom to top
    EXPECT_EQ(frame.Pixel(0, 4), from);
    EXPECT_EQ(frame.Pixel(4, 0), to);
    EXPECT_EQ(frame.Pixel(2, 2), RGB(110, 100, 1));
}

TEST(CanvasGradientTest, DiagonalsEmptyAndEqualColours) {
    TBitmap frame{4, 3};
    TCanvas canvas{frame};
    canvas.GradientFill({0, 0, 4, 3}, clBlack, RGB(60, 60, 60), 4);
    EXPECT_EQ(frame.Pixel(0, 0), clBlack);
    EXPECT_EQ(frame.Pixel(3, 2), RGB(60, 60, 60));
    EXPECT_EQ(frame.Pixel(1, 1), RGB(24, 24, 24));                  // line 2 of 6
    canvas.GradientFill({0, 0, 4, 3}, clBlack, RGB(60, 60, 60), 7); // top-right diagonal, reversed
    EXPECT_EQ(frame.Pixel(3, 0), RGB(60, 60, 60));
    EXPECT_EQ(frame.Pixel(0, 2), clBlack);
    canvas.GradientFill({2, 2, 2, 9}, clRed, clBlue, 0);
    EXPECT_EQ(frame.Pixel(2, 2), RGB(24, 24, 24)); // untouched
    canvas.GradientFill({0, 0, 4, 3}, clRed, clRed, 5);
    EXPECT_EQ(frame.Pixel(1, 1), clRed);
}

TEST(CanvasShapeTest, LinesLeaveOutTheirEndAndTrianglesFillInside) {
    TBitmap frame{12, 12};
    TCanvas canvas{frame};
    canvas.Pen().color = clWhite;
    canvas.MoveTo(1, 1);
    canvas.LineTo(5, 1);
    EXPECT_EQ(frame.Pixel(4, 1), clWhite);
    EXPECT_EQ(frame.Pixel(5, 1), clBlack);
    canvas.LineTo(5, 5);
    EXPECT_EQ(frame.Pixel(5, 4), clWhite);
    EXPECT_EQ(frame.Pixel(5, 5), clBlack);
    canvas.LineTo(1, 1); // diagonal back to the start
    EXPECT_EQ(frame.Pixel(3, 3), clWhite);

    canvas.Brush().color = clRed;
    canvas.Pen().width = 0;
    canvas.Polygon({{0, 11}, {10, 11}, {5, 6}});
    EXPECT_EQ(frame.Pixel(5, 10), clRed);
    EXPECT_EQ(frame.Pixel(1, 7), clBlack);
    EXPECT_EQ(frame.Pixel(9, 7), clBlack);
}

} // namespace
} // namespace morvane
