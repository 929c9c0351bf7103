#include "base/Gbk.h"
#include "gui/Bitmap.h"
#include "gui/Font.h"
#include "gui/Form.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace morvane {
namespace {

using test::HeadlessTest;

TEST_F(HeadlessTest, TimersFireInOrderOfDueTimeAsTimeAdvances) {
    std::vector<std::string> fired;
    TTimerId slow =
        platform.StartTimer(300, [&] { fired.push_back("slow@" + std::to_string(platform.Now())); });
    platform.StartTimer(200, [&] { fired.push_back("fast@" + std::to_string(platform.Now())); });
    platform.AdvanceBy(199);
    EXPECT_TRUE(fired.empty());
    platform.AdvanceBy(401);
    EXPECT_EQ(fired, (std::vector<std::string>{"fast@200", "slow@300", "fast@400", "slow@600", "fast@600"}));
    platform.StopTimer(slow);
    fired.clear();
    platform.AdvanceBy(300);
    EXPECT_EQ(fired, (std::vector<std::string>{"fast@800"}));
    EXPECT_EQ(platform.Now(), 900u);
}

TEST_F(HeadlessTest, WorkWithinATimeSliceIsATimerDueInItAPostedTaskOrAPaint) {
    EXPECT_FALSE(platform.HasWorkWithin(1000000));
    platform.StartTimer(100, [] {});
    EXPECT_FALSE(platform.HasWorkWithin(99));
    EXPECT_TRUE(platform.HasWorkWithin(100));
    platform.AdvanceBy(50);
    EXPECT_TRUE(platform.HasWorkWithin(50));
    EXPECT_FALSE(platform.HasWorkWithin(49));

    platform.Post([] {});
    EXPECT_TRUE(platform.HasWorkWithin(0));
    platform.RunUntilIdle();
    EXPECT_FALSE(platform.HasWorkWithin(0));
    std::thread([&] { platform.Post([] {}); }).join();
    EXPECT_TRUE(platform.HasWorkWithin(0));
    platform.RunUntilIdle();

    TForm form(nullptr);
    form.SetBounds(0, 0, 40, 30);
    form.Show();
    EXPECT_TRUE(platform.HasWorkWithin(0)) << "a shown window waits for its first paint";
    platform.RunUntilIdle();
    EXPECT_FALSE(platform.HasWorkWithin(0));
    form.InvalidateFormRect(Bounds(1, 1, 2, 2));
    EXPECT_TRUE(platform.HasWorkWithin(0));
}

TEST_F(HeadlessTest, WaitingAdvancesToTheNextTimerButIdleProcessingDoesNot) {
    int ticks = 0;
    platform.StartTimer(1000, [&] { ++ticks; });
    EXPECT_FALSE(platform.ProcessOneMessage(false));
    EXPECT_EQ(platform.Now(), 0u);
    EXPECT_TRUE(platform.ProcessOneMessage(true));
    EXPECT_EQ(platform.Now(), 1000u);
    EXPECT_EQ(ticks, 1);
}

TEST_F(HeadlessTest, WaitingWithNothingScheduledReportsNothingAndALongWaitIsRefused) {
    EXPECT_FALSE(platform.ProcessOneMessage(true));
    platform.SetWaitLimit(5000);
    platform.StartTimer(6000, [] {});
    EXPECT_THROW(platform.ProcessOneMessage(true), std::runtime_error);
}

TEST_F(HeadlessTest, PostedTasksRunInOrderAndCallsFromOtherThreadsRunOnTheUiThread) {
    std::vector<int> order;
    platform.Post([&] { order.push_back(1); });
    platform.Post([&] { order.push_back(2); });
    std::thread::id ranOn;
    bool finished = false;
    std::thread other([&] {
        platform.SendSync([&] { ranOn = std::this_thread::get_id(); });
        finished = true;
    });
    while (!finished)
        platform.ProcessOneMessage(false);
    other.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    platform.RunUntilIdle();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST_F(HeadlessTest, EffectsAreLoggedForPeople) {
    platform.MciSendString("play 1");
    platform.ShellOpen("http://example.invalid/");
    EXPECT_TRUE(platform.RegisterHotKey(0, 1, MOD_ALT, 'Q', [] {}));
    platform.QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(platform.MessageBox(0, "提示", "确定离开?", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(platform.TakeEffects(),
              (std::vector<std::string>{"mci play 1", "shell http://example.invalid/",
                                        "hotkey register 1 1+81", gbk::ToUtf8("msgbox 提示 | 确定离开?")}));
}

// Windows of one process that want the same keys take turns, as the tables of one hall do with the boss
// key: the first holds them, the next takes over when it gives them up or goes.
TEST_F(HeadlessTest, WindowsWantingTheSameHotKeyTakeTurnsInTheOrderTheyAsked) {
    std::vector<std::string> pressed;
    TForm first(nullptr), second(nullptr);
    auto third = std::make_unique<TForm>(nullptr);
    for (TForm* form : {&first, &second, third.get()})
        form->Show();
    const auto want = [&](TForm& form, const char* name) {
        return platform.RegisterHotKey(form.WindowId(), 123, MOD_ALT, 'Q',
                                       [&pressed, name] { pressed.push_back(name); });
    };
    EXPECT_TRUE(want(first, "first"));
    EXPECT_TRUE(want(second, "second"));
    EXPECT_TRUE(want(*third, "third"));
    ASSERT_TRUE(
        platform.RegisterHotKey(second.WindowId(), 7, MOD_CONTROL, 'M', [&] { pressed.push_back("M"); }));
    EXPECT_TRUE(platform.PressHotKey(MOD_ALT, 'Q'));
    // A window waiting in line gives up: the holder keeps the key.
    platform.UnregisterHotKey(second.WindowId(), 123);
    EXPECT_TRUE(platform.PressHotKey(MOD_ALT, 'Q'));
    // The holder gives up, under its own window's id only.
    platform.UnregisterHotKey(third->WindowId() + 100, 123);
    platform.UnregisterHotKey(first.WindowId(), 123);
    EXPECT_TRUE(platform.PressHotKey(MOD_ALT, 'Q'));
    // The second window's other key is still its own.
    EXPECT_TRUE(platform.PressHotKey(MOD_CONTROL, 'M'));
    EXPECT_EQ(pressed, (std::vector<std::string>{"first", "first", "third", "M"}));
    // A window that goes takes its keys along.
    third.reset();
    EXPECT_FALSE(platform.PressHotKey(MOD_ALT, 'Q'));
}

TEST_F(HeadlessTest, ChineseTextIsDrawnWithTheSongFace) {
    TFont font;
    TSize extent = platform.TextEngine().TextExtent(font, "庄家");
    EXPECT_GE(extent.cx, 20);
    EXPECT_LE(extent.cx, 28);
    EXPECT_GE(extent.cy, 12);
    TBitmap bitmap(40, 20);
    platform.TextEngine().DrawText(bitmap, {0, 0, 40, 20}, 0, 0, font, "庄家", clWhite);
    int lit = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            lit += bitmap.Pixel(x, y) == clWhite;
    EXPECT_GT(lit, 20);
    // Nothing is drawn outside the clip rectangle.
    TBitmap clipped(40, 20);
    platform.TextEngine().DrawText(clipped, {0, 0, 10, 20}, 0, 0, font, "庄家", clWhite);
    for (int y = 0; y < 20; ++y)
        for (int x = 10; x < 40; ++x)
            ASSERT_EQ(clipped.Alpha(x, y), 0) << x << "," << y;
}

// Scripted presses carry the modifier keys held, together with the pressed button on the way down.
TEST_F(HeadlessTest, ScriptedClicksCarryTheKeysHeld) {
    TForm form(nullptr);
    form.SetBounds(100, 50, 200, 100);
    std::vector<TShiftState> downs;
    std::vector<TShiftState> ups;
    form.OnMouseDown = [&](TControl*, TMouseButton, TShiftState shift, int, int) { downs.push_back(shift); };
    form.OnMouseUp = [&](TControl*, TMouseButton, TShiftState shift, int, int) { ups.push_back(shift); };
    form.Show();
    platform.RunUntilIdle();
    platform.Click({150, 80}, TMouseButton::mbRight, ssCtrl);
    platform.Click({150, 80}, TMouseButton::mbLeft, ssCtrl | ssShift);
    platform.AdvanceBy(1000); // not a double click
    platform.Click({150, 80});
    EXPECT_EQ(downs, (std::vector<TShiftState>{ssRight | ssCtrl, ssLeft | ssCtrl | ssShift, ssLeft}));
    EXPECT_EQ(ups, (std::vector<TShiftState>{ssCtrl, ssCtrl | ssShift, 0}));
}

// The system takes a registered hot key before any window: a key pressed with the hot key's modifiers runs
// the hot key and is not delivered; the same key with other modifiers reaches the active window.
TEST_F(HeadlessTest, AKeyThatIsARegisteredHotKeyIsTakenBeforeTheWindow) {
    TForm form(nullptr);
    std::vector<std::string> delivered;
    form.OnKeyDown = [&](TControl*, TKey& key, TShiftState shift) {
        delivered.push_back(std::to_string(key) + "/" + std::to_string(shift));
    };
    form.Show();
    platform.RunUntilIdle();
    int pressed = 0;
    ASSERT_TRUE(platform.RegisterHotKey(form.WindowId(), 7, MOD_ALT, 'Q', [&pressed] { ++pressed; }));
    ASSERT_TRUE(platform.RegisterHotKey(form.WindowId(), 8, MOD_CONTROL | MOD_SHIFT, VK_ADD,
                                        [&pressed] { pressed += 10; }));
    platform.PressKey('Q', ssAlt);
    platform.PressKey(VK_ADD, ssCtrl | ssShift);
    EXPECT_EQ(pressed, 11);
    EXPECT_TRUE(delivered.empty());
    platform.PressKey('Q');
    platform.PressKey(VK_ADD, ssCtrl);
    EXPECT_EQ(pressed, 11);
    EXPECT_EQ(delivered,
              (std::vector<std::string>{"81/0", std::to_string(VK_ADD) + "/" + std::to_string(ssCtrl)}));
    platform.UnregisterHotKey(form.WindowId(), 7);
    platform.PressKey('Q', ssAlt);
    EXPECT_EQ(pressed, 11);
    EXPECT_EQ(delivered.size(), 3u);
}

} // namespace
} // namespace morvane
