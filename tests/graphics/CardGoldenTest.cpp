#include "graphics/PngCardGroupGraphic.h"
#include "gui/Form.h"
#include "support/headless/HeadlessApp.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace morvane {
namespace {

// tests/golden/, beside the folder of this file.
const std::string kGoldenCards =
    (std::filesystem::path(__FILE__).parent_path().parent_path() / "golden" / "cards.png").string();

class CardGoldenTest : public test::HeadlessTest {};

// Three cards as the table deals them, the middle one selected: it stands 16 pixels higher and is shaded.
TEST_F(CardGoldenTest, ThreeCardsWithTheMiddleOneSelected) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 160, 140);
    form.SetColor(RGB(0, 96, 40));
    auto* group = form.Own(std::make_unique<TPngCardGroupGraphic>(&form));
    group->SetParent(&form);
    group->SetCardHeight(98);
    group->SetCardWidth(73);
    group->SetCardSpacing(20);
    group->SetLeft(20);
    group->SetTop(12);
    group->SetPictures(LoadCardResource());
    group->SetCards("Ajx");
    group->SelectCards("j");
    form.Show();
    platform.RunUntilIdle();

    const std::string shot = test::SaveScreenshot(platform, form.WindowId(), "cards.png");
    if (std::getenv("MORVANE_REFRESH_GOLDEN")) {
        std::filesystem::copy_file(shot, kGoldenCards, std::filesystem::copy_options::overwrite_existing);
        GTEST_SKIP() << "golden picture rewritten: " << kGoldenCards;
    }
    TPngImage actual;
    TPngImage golden;
    ASSERT_TRUE(actual.LoadFromFile(shot)) << actual.Error();
    ASSERT_TRUE(golden.LoadFromFile(kGoldenCards))
        << golden.Error() << "\nmake it with scripts/refresh-golden after checking " << shot;
    EXPECT_TRUE(actual == golden) << "the card group draws differently from " << kGoldenCards << "; look at "
                                  << shot << " and, if the change is meant, run scripts/refresh-golden";
}

} // namespace
} // namespace morvane
