#include "graphics/PngCardGroupGraphic.h"
#include "gui/Form.h"
#include "support/headless/GoldenPicture.h"
#include "support/headless/HeadlessApp.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace morvane {
namespace {

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

    test::ExpectGolden(platform, form.WindowId(), "cards.png");
}

} // namespace
} // namespace morvane
