#include "panels/TranForm.h"

#include "gui/Form.h"
#include "gui/Region.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>

namespace morvane::test {
namespace {

class TranFormTest : public HeadlessTest {};

// A 6 × 2 strip: magenta, nearly magenta (within the tolerance), a colour just outside it, then red.
TPngImage Strip() {
    TPngImage picture(6, 2, false);
    const std::uint8_t colours[6][3] = {{255, 0, 255}, {240, 10, 250}, {200, 30, 220},
                                        {255, 0, 0},   {255, 0, 0},    {255, 0, 255}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x) {
            std::uint8_t* pixel = picture.Scanline(y) + x * 3;
            for (int c = 0; c < 3; ++c)
                pixel[c] = colours[x][c];
        }
    return picture;
}

TEST_F(TranFormTest, TakesThePictureSizeAndKeepsOnlyPixelsAwayFromTheKey) {
    TForm form(nullptr);
    auto* strip = form.Own(std::make_unique<TTranForm>(&form));
    strip->SetParent(&form);
    const TPngImage picture = Strip();
    strip->SetPicture(&picture);
    EXPECT_EQ(strip->Width(), 6);
    EXPECT_EQ(strip->Height(), 2);
    ASSERT_NE(strip->WindowRegion(), nullptr);
    const TRegion& shape = *strip->WindowRegion();
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(shape.Contains({x, 1}), x >= 2 && x <= 4) << x;

    // While updating, a new picture waits for the end of the update.
    TPngImage wide(10, 3, false);
    strip->BeginUpdate();
    strip->SetPicture(&wide);
    EXPECT_EQ(strip->Width(), 6);
    strip->EndUpdate();
    EXPECT_EQ(strip->Width(), 10);
    strip->SetPicture(nullptr);
    EXPECT_EQ(strip->WindowRegion(), nullptr);
}

} // namespace
} // namespace morvane::test
