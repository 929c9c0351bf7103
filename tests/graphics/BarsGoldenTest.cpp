#include "graphics/BjlBottomBar.h"
#include "graphics/BjlTopBar.h"
#include "gui/Form.h"
#include "support/RoadGames.h"
#include "support/headless/GoldenPicture.h"
#include "support/headless/HeadlessApp.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace morvane {
namespace {

class TTableUsers : public IBarUserLookup {
public:
    std::map<std::int64_t, TBarUser> users{{1, {"小明同学", 3456789}},
                                           {2, {"庄家大老板", 52000000}},
                                           {3, {"排队的张三", 1200000}},
                                           {4, {"一个名字很长很长的玩家", 880000}}};
    std::int64_t OwnUserId() const override { return 1; }
    std::optional<TBarUser> FindBarUser(std::int64_t userId, std::int32_t) const override {
        auto it = users.find(userId);
        return it == users.end() ? std::nullopt : std::optional<TBarUser>(it->second);
    }
};

class BarsGoldenTest : public test::HeadlessTest {};

// Both bars as a player sees them in the middle of a session: fourteen games on the strips (the newest
// highlighted), a banker with two applicants, the apply and grab buttons, and the player's own record.
TEST_F(BarsGoldenTest, BothBarsFilled) {
    TTableUsers users;
    TForm form(nullptr);
    form.SetBounds(0, 0, 800, 262);
    form.SetColor(RGB(0, 80, 40));
    auto* top = form.Own(std::make_unique<TBjlTopBar>(&form));
    top->SetBounds(8, 8, top->Width(), top->Height());
    top->SetParent(&form);
    auto* bottom = form.Own(std::make_unique<TBjlBottomBar>(&form));
    bottom->SetBounds(4, 150, bottom->Width(), bottom->Height());
    bottom->SetParent(&form);
    top->SetUserLookup(&users);
    bottom->SetUserLookup(&users);
    top->SetCaptions("游戏豆");
    bottom->SetCaptions("游戏豆");
    bottom->SetTopBar(top->Handle());

    const std::vector<TBarRoadEntry> games = test::roads::SampleBarGames();
    for (std::size_t n = 0; n < games.size(); ++n) {
        top->AddResult(games[n]);
        bottom->AddResult(n % 3 != 0, n % 2 == 0 ? 20000 : -10000, games[n]);
    }
    top->SetAcceptable({1234500, 0, 987650000, 0, 150000, 0, 0, 0});
    top->UpdateBanker(6, {{{2, 10}, {3, 11}, {4, 12}, {-1, -1}, {-1, -1}}}, 360000, 0);
    top->Notice().SetCaption("庄家已连庄6局，本局可下注。");
    top->SetButtonStates({true, false, false, true, false, false});
    top->SetHogState(true, true);
    form.Show();
    platform.RunUntilIdle();

    test::ExpectGolden(platform, form.WindowId(), "bars.png");
}

} // namespace
} // namespace morvane
