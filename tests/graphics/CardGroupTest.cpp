#include "graphics/PngCardGroupGraphic.h"
#include "gui/Form.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace morvane {
namespace {

TEST(CardCodeTest, CharactersCodesSuitsAndRanks) {
    struct Case {
        char ch;
        int value, suit, rank;
        std::string_view name;
    };
    for (const Case& c : {Case{'A', 0, 0, 1, "SA"}, Case{'J', 9, 0, 10, "S10"}, Case{'M', 12, 0, 13, "SK"},
                          Case{'a', 13, 1, 1, "HA"}, Case{'l', 24, 1, 12, "HQ"}, Case{'N', 26, 2, 1, "CA"},
                          Case{'x', 49, 3, 11, "DJ"}, Case{'z', 51, 3, 13, "DK"}, Case{'0', 52, 4, 14, "GL"},
                          Case{'1', 53, 4, 15, "GH"}}) {
        TPngCardInfo card = CardFromChar(c.ch);
        EXPECT_EQ(card.Value, c.value) << c.ch;
        EXPECT_EQ(card.Suit, c.suit) << c.ch;
        EXPECT_EQ(card.Rank, c.rank) << c.ch;
        EXPECT_EQ(CardName(c.value), c.name);
        EXPECT_EQ(CardChar(c.value), c.ch);
    }
    for (char outside : {'#', '2', ' ', '\0', char(0xB0)})
        EXPECT_EQ(CardFromChar(outside), TPngCardInfo{}) << int(outside);
    EXPECT_EQ(CardPictureName(0), "SA0");
    EXPECT_EQ(CardPictureName(9), "S100");
    EXPECT_EQ(CardPictureName(52), "GL0");
    EXPECT_EQ(CardPictureName(54), "");
    TPngCardInfo beyond;
    beyond.Value = 54;
    CardFromCode(beyond);
    EXPECT_EQ(beyond.Rank, 0);
}

TEST(CardCodeTest, EveryCardPictureIsThereAtCardSize) {
    std::string error;
    auto pictures = LoadCardResource(&error);
    EXPECT_EQ(error, "");
    ASSERT_EQ(pictures->size(), 58u);
    for (const auto& picture : *pictures) {
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->Width(), 73);
        EXPECT_EQ(picture->Height(), 98);
    }
}

TEST(CardCodeTest, ABackOutsideOneToThreeShowsTheNearestBack) {
    TPngCardInfo card = CardFromChar('C');
    EXPECT_EQ(CardPictureIndex(card), 2);
    for (auto [back, picture] : {std::pair{1, 54}, {3, 56}, {4, 56}, {1000, 56}, {-5, 54}}) {
        card.Back = back;
        EXPECT_EQ(CardPictureIndex(card), picture) << back;
    }
}

class CardGroupTest : public test::HeadlessTest {
protected:
    CardGroupTest() {
        TPngCardGroupGraphic::SharedClickState() = {};
        form->SetBounds(0, 0, 400, 300);
        below = form->Own(std::make_unique<TBelow>(form.get()));
        below->SetParent(form.get());
        below->SetBounds(0, 0, 400, 300);
        group = form->Own(std::make_unique<TPngCardGroupGraphic>(form.get()));
        group->SetParent(form.get());
        group->SetCardHeight(98);
        group->SetCardWidth(73);
        group->SetCardSpacing(20);
        group->SetLeft(100);
        group->SetTop(50);
        group->OnSelected = [this](TControl*) { ++selectedEvents; };
        form->Show();
        platform.RunUntilIdle();
    }

    // The table under the cards, recording the presses it gets.
    class TBelow : public TGraphicControl {
    public:
        using TGraphicControl::TGraphicControl;
        std::vector<std::string> events;
        void MouseDown(TMouseButton, TShiftState, int x, int y) override {
            events.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        }
        void MouseMove(TShiftState, int x, int y) override {
            events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
        }
    };

    // A click at a point of the group, a while after the last one so that it is no double click.
    void ClickCard(int x, int y, TMouseButton button = TMouseButton::mbLeft) {
        platform.AdvanceBy(1000);
        platform.Click({group->Left() + x, group->Top() + y}, button);
    }
    std::vector<bool> Selection() const {
        std::vector<bool> selected;
        for (const auto& card : group->Data().Cards())
            selected.push_back(card.Selected);
        return selected;
    }

    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TBelow* below = nullptr;
    TPngCardGroupGraphic* group = nullptr;
    int selectedEvents = 0;
};

TEST_F(CardGroupTest, TheGroupIsAsLargeAsItsCards) {
    EXPECT_EQ(group->Width(), 0);
    EXPECT_EQ(group->Height(), 114);
    group->SetCards("ABC");
    EXPECT_EQ(group->Width(), 113);
    EXPECT_EQ(group->Height(), 114);
    group->SetVertical(true);
    EXPECT_EQ(group->Width(), 89);
    EXPECT_EQ(group->Height(), 138);
    group->Clear();
    EXPECT_EQ(group->Width(), 89);
    EXPECT_EQ(group->Height(), 0);

    TPngCardGroupGraphic plain(nullptr);
    plain.AddCard(0);
    EXPECT_EQ(plain.Width(), 71) << "default card width";
    EXPECT_EQ(plain.Height(), 96 + 16);
}

TEST_F(CardGroupTest, CardsAreShownInStringOrderOrSortedHighestFirst) {
    group->SetCards("A1x");
    EXPECT_EQ(group->GetCards(), "A1x");
    EXPECT_EQ(group->Data().Cards()[1].Rank, 15);
    group->SetSorted(true);
    EXPECT_EQ(group->GetCards(), "1xA");
    group->SetCards("A#x\xB0");
    EXPECT_EQ(group->GetCards(), "xA") << "characters outside the alphabet are skipped, the rest sorted";

    group->SetOnCompare(
        [](TPngCardGroupData* sender, const TPngCardInfo& a, const TPngCardInfo& b, int& compare) {
            EXPECT_NE(sender, nullptr);
            compare = a.Value > b.Value ? 1 : 0;
        });
    EXPECT_EQ(group->GetCards(), "Ax") << "a new compare handler sorts at once";
}

TEST_F(CardGroupTest, SettingTheSameCardsAgainChangesNothing) {
    group->SetCards("Aax");
    platform.RunUntilIdle();
    const int paints = form->PaintCount();
    group->SetCards("Aax");
    platform.RunUntilIdle();
    EXPECT_EQ(form->PaintCount(), paints);
    group->SetCards("Aay");
    platform.RunUntilIdle();
    EXPECT_GT(form->PaintCount(), paints);
}

TEST_F(CardGroupTest, TheUpperCardWinsWhereCardsOverlap) {
    group->SetCards("ABC");
    EXPECT_EQ(group->CardAt(5, 50), 0);
    EXPECT_EQ(group->CardAt(25, 50), 1);
    EXPECT_EQ(group->CardAt(45, 50), 2);
    EXPECT_EQ(group->CardAt(112, 113), 2);
    EXPECT_EQ(group->CardAt(113, 50), -1) << "the right edge is outside";
    EXPECT_EQ(group->CardAt(50, 114), -1) << "the bottom edge is outside";
    EXPECT_EQ(group->CardAt(25, 5), -1) << "above an unraised card";
    group->SelectCards("B");
    EXPECT_EQ(group->CardAt(25, 5), 1);
    EXPECT_EQ(group->CardRect(1), Bounds(20, 0, 73, 98));
    EXPECT_EQ(group->CardRect(3), TRect{});
    group->SetVertical(true);
    EXPECT_EQ(group->CardRect(1), Bounds(16, 20, 73, 98));
    EXPECT_EQ(group->CardRect(2), Bounds(0, 40, 73, 98));
}

TEST_F(CardGroupTest, MarksMatchEachCharacterOnceFromTheLastCard) {
    group->SetCards("AAB");
    group->MarkCards("AA");
    EXPECT_EQ(group->GetMarkedCards(), "AA");
    EXPECT_EQ(group->Data().Cards()[0].MarkColor, 0xFF0000u);
    EXPECT_EQ(group->Data().Cards()[2].MarkColor, kCardUnmarked);
    group->MarkCards("A");
    EXPECT_EQ(group->Data().Cards()[0].MarkColor, kCardUnmarked) << "the last matching card takes the mark";
    EXPECT_EQ(group->Data().Cards()[1].MarkColor, 0xFF0000u);
    group->MarkCards("");
    EXPECT_EQ(group->GetMarkedCards(), "");
}

TEST_F(CardGroupTest, CardsThatAreNoCardsAreNotAddedAndBacksStayInRange) {
    group->AddCard(54);
    group->AddCard(-1);
    group->AddCard(1000);
    EXPECT_EQ(group->Count(), 0);
    TPngCardInfo card = CardFromChar('B');
    card.Back = 9;
    group->AddCardInfo(card);
    card.Back = -4;
    group->AddCardInfo(card);
    card.Value = 200;
    group->AddCardInfo(card);
    ASSERT_EQ(group->Count(), 2);
    EXPECT_EQ(group->Data().Cards()[0].Back, 3);
    EXPECT_EQ(group->Data().Cards()[1].Back, 1);
    EXPECT_EQ(group->Data().Card(2), nullptr);
    EXPECT_EQ(group->Data().Card(-1), nullptr);
}

TEST_F(CardGroupTest, AClickTogglesItsCardAndASecondQuickClickIsADoubleClick) {
    group->SetCards("ABC");
    int doubleClicks = 0;
    group->OnDblClick = [&](TControl*) { ++doubleClicks; };
    ClickCard(25, 50);
    EXPECT_EQ(Selection(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(group->SelectedCards(), "B");
    EXPECT_EQ(selectedEvents, 1);
    EXPECT_EQ(group->Height(), 114) << "raising a card does not resize the group";

    // Within the double-click time the same card is not toggled back.
    platform.Click({group->Left() + 25, group->Top() + 10});
    EXPECT_EQ(Selection(), (std::vector<bool>{false, true, false}));
    EXPECT_GE(doubleClicks, 1);
    EXPECT_EQ(selectedEvents, 1);

    ClickCard(25, 10);
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(group->SelectedCards(), "");
    EXPECT_EQ(selectedEvents, 2);
}

TEST_F(CardGroupTest, SingleSelectionClearsTheOthersAndRightClicksFetch) {
    group->SetCards("ABC");
    group->SingleSelected = true;
    ClickCard(5, 50);
    ClickCard(60, 50);
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false, true}));
    int fetches = 0;
    group->OnRightFetch = [&](TControl*) { ++fetches; };
    ClickCard(25, 50, TMouseButton::mbRight);
    EXPECT_EQ(fetches, 1);
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false, true}));

    group->CanSelect = false;
    ClickCard(5, 50);
    ClickCard(25, 50, TMouseButton::mbRight);
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(fetches, 1);
    EXPECT_TRUE(below->events.empty()) << "presses on cards stay with the cards";
}

TEST_F(CardGroupTest, DraggingAcrossCardsSelectsEveryCardPassedOver) {
    group->SetCards("ABCDE");
    group->CanMoveSelect = true;
    group->MarkCards("E");
    const TPoint origin{group->Left(), group->Top()};
    platform.AdvanceBy(1000);
    platform.MouseDown({origin.x + 5, origin.y + 50});
    platform.RunUntilIdle();
    form->Input().WindowMouseMove(ssLeft, {origin.x + 65, origin.y + 50}); // straight onto card 3
    EXPECT_EQ(Selection(), (std::vector<bool>{true, true, true, true, false}));
    EXPECT_EQ(group->SelectedCards(), "ABCD");
    form->Input().WindowMouseMove(ssLeft, {origin.x + 65, origin.y + 50});
    const int events = selectedEvents;
    EXPECT_EQ(events, 2);
    platform.MouseUp({origin.x + 65, origin.y + 50});
    platform.RunUntilIdle();
    EXPECT_EQ(group->GetMarkedCards(), "") << "the release clears the marks";

    // A drag that starts on a selected card clears what it passes over.
    platform.AdvanceBy(1000);
    platform.MouseDown({origin.x + 45, origin.y + 10});
    platform.RunUntilIdle();
    EXPECT_FALSE(Selection()[2]);
    form->Input().WindowMouseMove(ssLeft, {origin.x + 5, origin.y + 10});
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false, true, false}));
}

TEST_F(CardGroupTest, TheMouseWhereNoCardIsReachesTheTableBelow) {
    group->SetCards("ABC");
    platform.AdvanceBy(1000);
    platform.Click({group->Left() + 30, group->Top() + 5}); // above the unraised cards
    EXPECT_EQ(below->events, (std::vector<std::string>{"move 130,55", "down 130,55"}));
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false}));
    below->events.clear();
    platform.MouseMove({group->Left() + 30, group->Top() + 6});
    EXPECT_EQ(below->events, (std::vector<std::string>{"move 130,56"}));
    below->events.clear();
    platform.MouseMove({group->Left() + 30, group->Top() + 60});
    EXPECT_TRUE(below->events.empty());
}

} // namespace
} // namespace morvane
