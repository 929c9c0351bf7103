// The hall panels under load, on the headless platform with every change painted as the player would
// see it: one chat line with two faces added to a view of 100 lines, 200 users sorted by beans, and a
// user entering a table of 200 through the hub (the list updated and repainted).
#include "gui/Application.h"
#include "gui/Form.h"
#include "gui/ImageList.h"
#include "gui/RichView.h"
#include "panels/PluginChat50.h"
#include "panels/PluginUser50.h"
#include "platform/headless/HeadlessPlatform.h"
#include "plugin/PluginCommandForm.h"
#include "plugin/PluginShare50.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <string>

namespace morvane {
namespace {

constexpr std::int64_t kMe = 1001;
constexpr int kTableSize = 200;

// A table form with a hub and the real user list and chat; the users arrive through the hub as the
// host's enter and leave frames hand them over.
struct TPanelsBench {
    THeadlessPlatform platform;
    TApplication app{platform};
    std::unique_ptr<TPluginCommandForm> form = std::make_unique<TPluginCommandForm>(nullptr);
    TPluginShare50* hub{nullptr};
    TPluginUser50* users{nullptr};
    TPluginChat50* chat{nullptr};
    TImageList* faces{nullptr};

    TPanelsBench() {
        form->SetBounds(0, 0, 640, 480);
        hub = form->Own(std::make_unique<TPluginShare50>(form.get()));
        form->SetCommandHub(hub);
        users = form->Own(std::make_unique<TPluginUser50>(form.get()));
        users->SetParent(form.get());
        users->SetBounds(0, 0, 198, 165);
        chat = form->Own(std::make_unique<TPluginChat50>(form.get()));
        chat->SetParent(form.get());
        chat->SetBounds(220, 0, 191, 292);
        chat->SetViewSpaces(6, 6, 6, 54);
        faces = form->Own(std::make_unique<TImageList>(form.get(), 24, 24));
        TPngImage face;
        face.SetSize(24, 24, true);
        for (int i = 0; i < 90; ++i)
            faces->Add(face);
        chat->SetEmotionImages(faces);
        hub->SetPluginUser(users);
        hub->SetPluginChat(chat);
        hub->SetSoundOn(false);
        hub->Initialize("百家乐一号桌", "玩家甲", 880000900, form->Handle(), kMe, 0);
        form->Show();
        platform.RunUntilIdle();
    }
    ~TPanelsBench() { form.reset(); }
    void Enter(std::int64_t id) {
        STRU_PLUGIN_USERINFO user{};
        user.UserID = id;
        user.Seat = std::uint8_t(id % 200);
        const std::string nick = "玩家" + std::to_string(id);
        std::memcpy(user.NickName, nick.data(), std::min(nick.size(), sizeof user.NickName));
        user.Beans = (id * 7919) % 1000003;
        user.Score = (id * 104729) % 50000;
        hub->DoUserEnter(user);
    }
};

// Argument 0: the line is added (its runs built, faces found, the view laid out and scrolled to its
// end); 1: and the window repainted.
void BM_ChatLineWithTwoFacesIntoAHundredLines(benchmark::State& state) {
    const bool repaint = state.range(0) != 0;
    TPanelsBench bench;
    for (int i = 0; i < 100; ++i)
        bench.chat->AddLine("第" + std::to_string(i) + "行聊天内容", 2002);
    bench.platform.RunUntilIdle();
    for (auto _ : state) {
        bench.chat->AddLine("手气不错/013今天赢了/066大家加油", 2002);
        if (repaint) bench.platform.RunUntilIdle();
        state.PauseTiming();
        bench.chat->View().DeleteFirstLines(1);
        bench.platform.RunUntilIdle();
        state.ResumeTiming();
    }
    if (bench.chat->View().LineCount() != 100) state.SkipWithError("the view does not hold 100 lines");
}
BENCHMARK(BM_ChatLineWithTwoFacesIntoAHundredLines)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SortTwoHundredUsersByBeans(benchmark::State& state) {
    TPanelsBench bench;
    for (int i = 0; i < kTableSize; ++i)
        bench.Enter(i == 0 ? kMe : 5000 + i);
    if (bench.users->Records().size() != std::size_t(kTableSize)) state.SkipWithError("not 200 users");
    for (auto _ : state) {
        bench.users->ColumnClicked(TPluginUser50::ctBean);
        benchmark::DoNotOptimize(bench.users->Records().front().get());
    }
}
BENCHMARK(BM_SortTwoHundredUsersByBeans)->Unit(benchmark::kMicrosecond);

void BM_UserEntersATableOfTwoHundred(benchmark::State& state) {
    TPanelsBench bench;
    for (int i = 0; i < kTableSize - 1; ++i)
        bench.Enter(i == 0 ? kMe : 5000 + i);
    bench.platform.RunUntilIdle();
    for (auto _ : state) {
        bench.Enter(9999);
        bench.platform.RunUntilIdle();
        state.PauseTiming();
        if (bench.users->Records().size() != std::size_t(kTableSize))
            state.SkipWithError("the user was not listed");
        bench.hub->DoUserLeave(9999);
        bench.platform.RunUntilIdle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UserEntersATableOfTwoHundred)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace morvane
