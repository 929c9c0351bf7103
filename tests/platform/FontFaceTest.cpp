#include "gui/Bitmap.h"
#include "gui/Font.h"
#include "platform/headless/FreeTypeTextEngine.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace morvane {
namespace {

TFont Face(const std::string& name) {
    TFont font;
    font.SetName(name);
    font.SetSize(12);
    return font;
}

// The pixels of one line of text drawn in the font, black on white.
std::vector<TColor> Drawn(TFreeTypeTextEngine& engine, const TFont& font, const std::string& text) {
    TBitmap bitmap(160, 30);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.Row32(y)[x] = 0xFFFFFFFF;
    engine.DrawText(bitmap, {0, 0, 160, 30}, 2, 2, font, text, clBlack);
    std::vector<TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            pixels.push_back(bitmap.Pixel(x, y));
    return pixels;
}

bool Installed(const char* file) {
    return std::filesystem::exists(file);
}

class FontFaceTest : public ::testing::Test {
protected:
    TFreeTypeTextEngine engine;
    const TFont song = Face("宋体");
};

TEST_F(FontFaceTest, AFaceThatIsNotInstalledDrawsExactlyAsTheSongStyleFont) {
    const TFont missing = Face("Morvane No Such Face");
    EXPECT_EQ(engine.TextExtent(missing, "庄家 Banker 5000"), engine.TextExtent(song, "庄家 Banker 5000"));
    EXPECT_EQ(Drawn(engine, missing, "庄家 Banker 5000"), Drawn(engine, song, "庄家 Banker 5000"));
}

TEST_F(FontFaceTest, AnInstalledFaceIsTakenByItsNameInAnyCaseAndBorrowsTheCharactersItLacks) {
    if (!Installed("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf") ||
        engine.FontFile() == "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")
        GTEST_SKIP() << "DejaVu Sans beside a Song-style font is not installed (scripts/setup installs both)";
    const TFont dejaVu = Face("DejaVu Sans");
    EXPECT_NE(engine.TextExtent(dejaVu, "Banker 5000"), engine.TextExtent(song, "Banker 5000"));
    EXPECT_NE(Drawn(engine, dejaVu, "Banker 5000"), Drawn(engine, song, "Banker 5000"));
    EXPECT_EQ(Drawn(engine, Face("dejavu SANS"), "Banker 5000"), Drawn(engine, dejaVu, "Banker 5000"));
    // DejaVu Sans has no Chinese: the characters come from the Song-style font, at its advance.
    EXPECT_EQ(engine.TextExtent(dejaVu, "庄家").cx, engine.TextExtent(song, "庄家").cx);
}

TEST_F(FontFaceTest, AChineseFamilyNameFindsItsFont) {
    if (!Installed("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc") ||
        engine.FontFile() == "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc")
        GTEST_SKIP() << "WenQuanYi Zen Hei beside a Song-style font is not installed";
    EXPECT_NE(Drawn(engine, Face("文泉驿正黑"), "庄家赢"), Drawn(engine, song, "庄家赢"));
    EXPECT_EQ(Drawn(engine, Face("文泉驿正黑"), "庄家赢"),
              Drawn(engine, Face("WenQuanYi Zen Hei"), "庄家赢"));
}

} // namespace
} // namespace morvane
