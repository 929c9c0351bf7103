#include "panels/PluginUser50.h"

#include "panels/CardKVTListView.h"
#include "panels/PanelsFixture.h"

#include <cstring>
#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using hostframes::MakeUser;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

STRU_PLUGIN_USERINFO Player(std::int64_t id, const std::string& nick, std::int64_t beans, std::int64_t score,
                            std::int64_t money = 0) {
    STRU_PLUGIN_USERINFO user = MakeUser(id, std::uint8_t(id % 50), false, nick);
    user.Beans = beans;
    user.Score = score;
    user.Money = money;
    return user;
}

class PluginUser50Test : public PanelsTest {
protected:
    void SetUp() override {
        panel = form->Own(std::make_unique<TPluginUser50>(form));
        panel->SetParent(form);
        panel->SetBounds(0, 0, 400, 260);
        hub->SetPluginUser(panel);
        Start();
        panel->SetUserFlag(0);
        for (int tag = 0; tag < TPluginUser50::kColumnCount; ++tag)
            panel->SetColumnCaption(tag, kCaptions[tag]);
    }
    void Enter(const STRU_PLUGIN_USERINFO& user) { Post(hostframes::UserEnter(user)); }
    // The texts of one row, caption first.
    std::vector<std::string> Row(int index) const {
        const TListItem* item = panel->UserListView().Item(index);
        std::vector<std::string> texts{item->Caption()};
        texts.insert(texts.end(), item->SubItems().begin(), item->SubItems().end());
        return texts;
    }
    std::vector<std::int64_t> Order() const {
        std::vector<std::int64_t> ids;
        for (const auto& info : panel->Records())
            ids.push_back(info->UserID);
        return ids;
    }
    // Three others and me, entering before them would be too easy: I come second.
    void FourUsers() {
        Enter(Player(30, "bob", 500, 7));
        Enter(Player(kMe, "甲", 100, 3, 999));
        Enter(Player(10, "Carl", 900, 1));
        Enter(Player(20, "alice", 300, 9));
    }

    static constexpr const char* kCaptions[] = {"ID", "昵称", "等级", "游戏豆", "积分", "星币"};
    TPluginUser50* panel{nullptr};
};

TEST_F(PluginUser50Test, TheFirstUserIsSelectedAndTheOwnRowIsAlwaysFirst) {
    Enter(Player(30, "bob", 500, 7));
    EXPECT_EQ(panel->GetSelectedID(), 30);
    Enter(Player(40, "dan", 5, 5));
    Enter(Player(kMe, "甲", 100, 3, 999));
    EXPECT_THAT(Order(), ElementsAre(kMe, 30, 40));
    EXPECT_EQ(panel->GetSelectedID(), 30);
    // A user the hub does not know (never entered through it) is not listed.
    panel->DoUserEnter(Player(77, "ghost", 1, 1));
    EXPECT_EQ(panel->Records().size(), 3u);
    // The hub hands a known user over again (a changed record): the row is refilled in place.
    panel->DoUserEnter(Player(40, "dan2", 6, 6));
    EXPECT_THAT(Order(), ElementsAre(kMe, 30, 40));
    EXPECT_EQ(Row(2)[1], "dan2");
}

TEST_F(PluginUser50Test, RowsShowTheSixColumnsAndGoldOnlyOnTheOwnRow) {
    FourUsers();
    EXPECT_THAT(Row(0), ElementsAre("1001", "甲", "", "100", "3", "999"));
    EXPECT_THAT(Row(1), ElementsAre("30", "bob", "", "500", "7", "****"));
}

TEST_F(PluginUser50Test, HideNamesMasksEveryOtherRowAndStopsSorting) {
    FourUsers();
    panel->SetUserFlag(1);
    EXPECT_THAT(Row(0), ElementsAre("1001", "甲", "", "100", "3", "999"));
    for (int i = 1; i < 4; ++i)
        EXPECT_THAT(Row(i), ElementsAre("****", "****", "****", "****", "****", "****")) << i;
    const std::vector<std::int64_t> before = Order();
    panel->ColumnClicked(TPluginUser50::ctBean);
    EXPECT_EQ(Order(), before);
    EXPECT_EQ(TPluginUser50::SortState().tag, TPluginUser50::ctBean);
    panel->SetUserFlag(0);
    EXPECT_THAT(Row(1), ElementsAre("30", "bob", "", "500", "7", "****"));
}

TEST_F(PluginUser50Test, EachSortableColumnSortsBothWaysWithTheOwnRowKeptFirst) {
    FourUsers();
    struct TCase {
        int tag;
        std::vector<std::int64_t> ascending;
    };
    const std::vector<TCase> cases{
        {TPluginUser50::ctUserId, {kMe, 10, 20, 30}},
        {TPluginUser50::ctNickName, {kMe, 20, 30, 10}}, // alice, bob, Carl: letter case aside
        {TPluginUser50::ctBean, {kMe, 20, 30, 10}},
        {TPluginUser50::ctScore, {kMe, 10, 30, 20}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.tag);
        panel->ColumnClicked(c.tag);
        EXPECT_THAT(Order(), ElementsAreArray(c.ascending));
        panel->ColumnClicked(c.tag);
        std::vector<std::int64_t> descending{kMe};
        descending.insert(descending.end(), c.ascending.rbegin(), c.ascending.rend() - 1);
        EXPECT_THAT(Order(), ElementsAreArray(descending));
        // The rows follow their records.
        EXPECT_EQ(Row(1)[0], std::to_string(descending[1]));
    }
}

TEST_F(PluginUser50Test, TheSelectionStaysWithItsUserThroughASort) {
    FourUsers();
    panel->SelectUser(30);
    panel->ColumnClicked(TPluginUser50::ctNickName);
    EXPECT_EQ(panel->GetSelectedID(), 30);
    EXPECT_EQ(panel->UserListView().Selected()->SubItems()[0], "bob");
}

TEST_F(PluginUser50Test, AHeaderClickSortsAndTheSortStateIsSharedByAllPanels) {
    FourUsers();
    ShowForm();
    // The header of the bean column (the fourth, 50 pixels each).
    platform.Click(At(panel->UserListView(), 3 * 50 + 10, 5));
    EXPECT_THAT(Order(), ElementsAre(kMe, 20, 30, 10));
    TPluginUser50 other(nullptr);
    EXPECT_EQ(TPluginUser50::SortState().tag, -1) << "a new panel resets the unit's state";
    panel->ColumnClicked(TPluginUser50::ctBean);
    other.ColumnClicked(TPluginUser50::ctBean);
    EXPECT_EQ(TPluginUser50::SortState().direction[TPluginUser50::ctBean], 1);
}

TEST_F(PluginUser50Test, LeavingTheSelectedRowSelectsTheFirstAndOtherLeavesKeepTheSelection) {
    FourUsers();
    panel->SelectUser(10);
    Post(hostframes::UserLeave(20));
    EXPECT_EQ(panel->GetSelectedID(), 10);
    Post(hostframes::UserLeave(10));
    EXPECT_EQ(panel->GetSelectedID(), kMe);
    Post(hostframes::UserLeave(12345));
    EXPECT_EQ(panel->Records().size(), 2u);
}

TEST_F(PluginUser50Test, ScoreBlocksUpdateListedRowsWithTheSignedChange) {
    FourUsers();
    Post(hostframes::ScoreBlock(2, 3, {{30, 25, 32, 0, 640}, {kMe, -4, -1, 0, 96}, {555, 1, 1, 1, 1}}));
    EXPECT_THAT(Row(1), ElementsAre("30", "bob", "", "640", "32", "****"));
    EXPECT_EQ(panel->Records()[1]->LastChange, "+25");
    EXPECT_EQ(panel->Records()[0]->LastChange, "-4");
    EXPECT_EQ(panel->Records()[0]->Bean, 96);
}

TEST_F(PluginUser50Test, SeatChangesAreKeptAndDeltasReachTheHubRecord) {
    FourUsers();
    Post(hostframes::SeatChange(30, 4, true, 1));
    EXPECT_EQ(panel->Records()[1]->Seat, 4);
    EXPECT_EQ(panel->Records()[1]->Seated, 1);
    TPluginScoreBlock block{};
    const std::int64_t entry[5] = {30, 3, 0, -200, 0};
    std::memcpy(block.data(), entry, sizeof entry);
    panel->AddScoreDeltas(block);
    EXPECT_EQ(panel->Records()[1]->Score, 10);
    EXPECT_EQ(panel->Records()[1]->Bean, 300);
    EXPECT_EQ(std::int64_t(hub->FindUser(30)->Beans), 300);
}

TEST_F(PluginUser50Test, HidingAColumnShiftsTheFollowingTexts) {
    FourUsers();
    panel->HideColumn(TPluginUser50::ctLevel);
    EXPECT_THAT(Row(1), ElementsAre("30", "bob", "500", "7", "****"));
    EXPECT_EQ(panel->UserListView().ColumnCount(), 5);
    panel->SetColumnWidth(TPluginUser50::ctLevel, 80); // hidden: ignored
    panel->SetColumnWidth(TPluginUser50::ctBean, 0);   // zero: ignored
    panel->SetColumnWidth(TPluginUser50::ctBean, 64);
    EXPECT_EQ(panel->UserListView().Column(2).width, 64);
}

TEST_F(PluginUser50Test, ADoubleClickPutsTheNameIntoTheChatAndARightClickOpensTheUserMenu) {
    FourUsers();
    ShowForm();
    chat->lines.clear(); // the enter notes
    const TRect row1 = panel->UserListView().ItemRect(1);
    platform.Click(At(panel->UserListView(), 20, row1.top + 3));
    platform.Click(At(panel->UserListView(), 20, row1.top + 3));
    platform.RunUntilIdle();
    EXPECT_THAT(chat->lines, ElementsAre("kind=1 bob"));
    panel->SetUserFlag(1);
    panel->SetUserFlag(0);
    const TRect row2 = panel->UserListView().ItemRect(2);
    platform.Click(At(panel->UserListView(), 20, row2.top + 3), TMouseButton::mbRight);
    EXPECT_EQ(hub->SelectedID(), 10);
    EXPECT_EQ(panel->GetSelectedID(), 10);
}

TEST_F(PluginUser50Test, SelectingRaisesTheEventAndTableSettingsRaiseItWithoutAnItem) {
    FourUsers();
    std::vector<bool> withItem;
    panel->OnSelectChange = [&](TPluginUser50*, TListItem* item) { withItem.push_back(item != nullptr); };
    panel->SelectUser(20);
    ApplySettings({});
    EXPECT_THAT(withItem, ElementsAre(true, false));
}

TEST(CardKVTListViewTest, ACaptionTooWideIsShortenedToTheLongestPrefixThatFits) {
    THeadlessPlatform platform;
    TApplication app{platform};
    TBitmap surface(10, 10);
    TCanvas canvas(surface);
    const std::string caption = "游戏豆数量";
    const int whole = canvas.TextWidth(caption);
    EXPECT_EQ(TCardKVTCustomListView::ShortenedCaption(canvas, caption, whole), caption);
    const std::string cut = TCardKVTCustomListView::ShortenedCaption(canvas, caption, whole - 1);
    EXPECT_EQ(cut, "游戏豆...");
    EXPECT_LE(canvas.TextWidth(cut), whole - 1);
    EXPECT_EQ(TCardKVTCustomListView::ShortenedCaption(canvas, caption, 1), "游...");
}

} // namespace
} // namespace morvane::test
