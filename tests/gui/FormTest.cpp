#include "gui/Form.h"

#include "gui/Canvas.h"
#include "gui/CustomPanel.h"
#include "gui/Timer.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

// A control that records what happens to it.
class TProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string> events;
    std::string typed;
    int paints = 0;

protected:
    void Paint(TCanvas& canvas) override {
        ++paints;
        canvas.FillRect(ClientRect(), Color());
    }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
        events.push_back("down " + std::to_string(x) + "," + std::to_string(y) +
                         ((s & ssDouble) ? " double" : ""));
        TCustomControl::MouseDown(b, s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
        events.push_back("up " + std::to_string(x) + "," + std::to_string(y));
        TCustomControl::MouseUp(b, s, x, y);
    }
    void MouseEnter() override { events.push_back("enter"); }
    void MouseLeave() override { events.push_back("leave"); }
    void Click() override { events.push_back("click"); }
    void DblClick() override { events.push_back("dblclick"); }
    void KeyPress(std::string& ch) override { typed += ch; }
};

class FormTest : public test::HeadlessTest {
protected:
    FormTest() {
        form->SetBounds(100, 50, 200, 120);
        form->SetColor(RGB(0, 80, 0));
        probe = form->Own(std::make_unique<TProbe>(form.get()));
        probe->SetParent(form.get());
        probe->SetBounds(20, 30, 40, 20);
        probe->SetColor(clRed);
        probe->SetTabStop(true);
        form->Show();
        platform.RunUntilIdle();
    }
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TProbe* probe = nullptr;
};

TEST_F(FormTest, ShowingPaintsTheWholeFormOnTheScreen) {
    const TBitmap* screen = platform.Screenshot(form->WindowId());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->Pixel(5, 5), RGB(0, 80, 0));
    EXPECT_EQ(screen->Pixel(25, 35), clRed);
    EXPECT_EQ(screen->Pixel(60, 35), RGB(0, 80, 0)); // just right of the probe
}

TEST_F(FormTest, TheWindowsCaptionFollowsTheFormsOnceTheWindowIsThere) {
    form->SetCaption("百家乐一号桌[玩家甲]");
    EXPECT_EQ(platform.WindowCaption(form->WindowId()), "百家乐一号桌[玩家甲]");
    form->SetCaption("");
    EXPECT_EQ(platform.WindowCaption(form->WindowId()), "");
}

TEST_F(FormTest, AChangeRepaintsOnlyWhatItMust) {
    long long before = form->PaintedPixels();
    int probePaints = probe->paints;
    probe->SetColor(clBlue);
    platform.RunUntilIdle();
    EXPECT_EQ(form->PaintedPixels() - before, 40 * 20);
    EXPECT_EQ(probe->paints, probePaints + 1);
    EXPECT_EQ(platform.Screenshot(form->WindowId())->Pixel(30, 40), clBlue);

    // Moving repaints the old place and the new one, nothing else.
    before = form->PaintedPixels();
    probe->SetLeft(100);
    platform.RunUntilIdle();
    EXPECT_EQ(form->PaintedPixels() - before, 2 * 40 * 20);
    EXPECT_EQ(platform.Screenshot(form->WindowId())->Pixel(25, 35), RGB(0, 80, 0));
}

// An animation repaints at once (Repaint) on every step, also while its window is hidden (the boss key):
// a hidden window paints nothing, and showing it again brings the changes of the hidden time.
TEST_F(FormTest, AHiddenFormPaintsNothingAndShowsItsChangesWhenShownAgain) {
    form->Hide();
    const int paints = form->PaintCount();
    const long long pixels = form->PaintedPixels();
    const int probePaints = probe->paints;
    probe->SetColor(clBlue);
    probe->Repaint();
    platform.AdvanceBy(1000);
    EXPECT_EQ(form->PaintCount(), paints);
    EXPECT_EQ(probe->paints, probePaints);
    EXPECT_TRUE(form->PendingPaint().Empty());

    form->Show();
    platform.RunUntilIdle();
    EXPECT_EQ(form->PaintedPixels() - pixels, 200 * 120);
    EXPECT_EQ(probe->paints, probePaints + 1);
    EXPECT_EQ(platform.Screenshot(form->WindowId())->Pixel(30, 40), clBlue);
    EXPECT_EQ(platform.Screenshot(form->WindowId())->Pixel(5, 5), RGB(0, 80, 0));
}

TEST_F(FormTest, MarksPilingUpWhileNothingPaintsStayFewAndCoverEveryChange) {
    // No paint runs (as while the window is hidden by the boss key), while chips keep landing in new places.
    probe->SetColor(clBlue);
    for (int i = 0; i < 1000; ++i)
        form->InvalidateFormRect(Bounds(i % 190, (i * 7) % 110, 3, 3));
    EXPECT_LE(form->PendingPaint().Rects().size(), TForm::kMostDirtyRects);
    EXPECT_EQ(form->PendingPaint().Bounds(), Bounds(0, 0, 192, 112));

    // When the paint comes, the screen is what a whole repaint draws.
    platform.RunUntilIdle();
    EXPECT_EQ(platform.Screenshot(form->WindowId())->Pixel(30, 40), clBlue);
    EXPECT_EQ(platform.Screenshot(form->WindowId())->Pixel(5, 5), RGB(0, 80, 0));
}

TEST_F(FormTest, MessageHooksSeeEachMessageOnceAndMayChangeTheHooksOrFreeTheControl) {
    constexpr std::uint32_t kMessage = 5120;
    std::vector<std::string> ran;
    int second = 0;
    int added = 0;
    const int first = Application().AddMessageHook([&](TControl&, const TMessage& m) {
        if (m.Msg != kMessage) return;
        ran.push_back("first");
        // Removing a later hook keeps it from running; a hook added now waits for the next message.
        Application().RemoveMessageHook(second);
        if (!added)
            added = Application().AddMessageHook([&](TControl&, const TMessage& m2) {
                if (m2.Msg == kMessage) ran.push_back("added");
            });
    });
    second = Application().AddMessageHook([&](TControl&, const TMessage& m) {
        if (m.Msg == kMessage) ran.push_back("second");
    });
    probe->Perform(kMessage, 0, 0);
    EXPECT_EQ(ran, (std::vector<std::string>{"first"}));
    ran.clear();
    probe->Perform(kMessage, 0, 0);
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "added"}));

    // A hook that frees the control ends the walk: the hooks after it do not see a freed control.
    ran.clear();
    Application().RemoveMessageHook(first);
    Application().RemoveMessageHook(added);
    const int freeing = Application().AddMessageHook([&](TControl& control, const TMessage& m) {
        if (m.Msg != kMessage) return;
        ran.push_back("freeing");
        if (&control == probe) {
            probe = nullptr;
            form->FreeComponent(&control);
        }
    });
    const int after = Application().AddMessageHook([&](TControl&, const TMessage& m) {
        if (m.Msg == kMessage) ran.push_back("after");
    });
    probe->Perform(kMessage, 0, 0);
    EXPECT_EQ(ran, (std::vector<std::string>{"freeing"}));
    Application().RemoveMessageHook(freeing);
    Application().RemoveMessageHook(after);
}

TEST_F(FormTest, ClicksReachTheControlUnderTheMouseInItsOwnCoordinates) {
    platform.Click({100 + 25, 50 + 35});
    EXPECT_EQ(probe->events, (std::vector<std::string>{"enter", "down 5,5", "up 5,5", "click"}));
    probe->events.clear();
    // Pressed inside, released outside: no click, and the release still goes to the pressed control.
    platform.AdvanceBy(1000);
    platform.MouseDown({125, 85});
    platform.MouseUp({190, 140});
    platform.RunUntilIdle();
    EXPECT_EQ(probe->events, (std::vector<std::string>{"down 5,5", "up 70,60", "leave"}));
}

TEST_F(FormTest, ASecondPressWithinTheDoubleClickTimeIsADoubleClick) {
    platform.Click({125, 85});
    platform.AdvanceBy(200);
    platform.Click({126, 85});
    platform.AdvanceBy(600);
    platform.Click({126, 85});
    std::vector<std::string> expected{"enter",           "down 5,5", "up 5,5", "click",
                                      "down 6,5 double", "dblclick", "up 6,5", "click",
                                      "down 6,5",        "up 6,5",   "click"};
    EXPECT_EQ(probe->events, expected);
}

TEST_F(FormTest, DisabledAndHiddenControlsTakeNoMouse) {
    probe->SetEnabled(false);
    platform.Click({125, 85});
    EXPECT_TRUE(probe->events.empty());
    probe->SetEnabled(true);
    probe->Hide();
    platform.Click({125, 85});
    EXPECT_TRUE(probe->events.empty());
}

TEST_F(FormTest, TypedChineseReachesTheFocusedControlAsGbk) {
    platform.Click({125, 85}); // a press focuses a control that takes the tab stop
    EXPECT_TRUE(probe->Focused());
    platform.Type("a庄1");
    EXPECT_EQ(probe->typed, "a庄1");
    EXPECT_EQ(probe->typed.size(), 4u);
}

TEST_F(FormTest, PostedMessagesToAFreedControlAreDropped) {
    TProbe* doomed = form->Own(std::make_unique<TProbe>(form.get()));
    doomed->SetParent(form.get());
    doomed->PostMessage(WM_USER + 1);
    form->FreeComponent(doomed);
    platform.RunUntilIdle(); // must not reach freed memory (the sanitizer build checks)
    SUCCEED();
}

TEST_F(FormTest, ModalRunEndsWhenTheResultIsSetAndRefusesToWaitForever) {
    TForm dialog(nullptr);
    dialog.SetBounds(0, 0, 50, 50);
    TTimer answer(&dialog);
    answer.SetInterval(300);
    answer.SetOnTimer([&](TTimer*) { dialog.SetModalResult(7); });
    EXPECT_EQ(dialog.ShowModal(), 7);
    EXPECT_EQ(platform.Now(), 300u);
    EXPECT_FALSE(dialog.Visible());

    answer.SetEnabled(false);
    EXPECT_THROW(dialog.ShowModal(), std::runtime_error);
    app.OnModalIdle = [&] {
        dialog.SetModalResult(2);
        return true;
    };
    EXPECT_EQ(dialog.ShowModal(), 2);
}

TEST_F(FormTest, OwnersFreeWhatTheyOwnAndWatchersForgetIt) {
    struct TWatcher : TComponent {
        using TComponent::TComponent;
        TComponent* watched = nullptr;
        void Notification(TComponent* c, bool removing) override {
            if (removing && c == watched) watched = nullptr;
        }
    } watcher;
    TProbe* child = form->Own(std::make_unique<TProbe>(form.get()));
    watcher.watched = child;
    watcher.FreeNotification(child);
    form.reset();
    EXPECT_EQ(watcher.watched, nullptr);
}

TEST(ComponentTest, AWatcherFreedByAnotherWatchersNotificationIsNotNotifiedAfterwards) {
    // The first watcher owns the second and frees it when the watched component goes; the second must
    // then not hear of it any more (it is gone), and the rest still do.
    struct TWatcher : TComponent {
        using TComponent::TComponent;
        std::vector<std::string>* log = nullptr;
        std::string name;
        std::unique_ptr<TComponent> dependant;
        ~TWatcher() override {
            if (log) log->push_back(name + " freed");
        }
        void Notification(TComponent* c, bool removing) override {
            TComponent::Notification(c, removing);
            if (!removing) return;
            log->push_back(name + " notified");
            dependant.reset();
        }
    };
    std::vector<std::string> log;
    auto watched = std::make_unique<TComponent>(nullptr);
    TWatcher first(nullptr), last(nullptr);
    auto second = std::make_unique<TWatcher>(nullptr);
    first.log = second->log = last.log = &log;
    first.name = "first", second->name = "second", last.name = "last";
    first.FreeNotification(watched.get());
    second->FreeNotification(watched.get());
    last.FreeNotification(watched.get());
    first.dependant = std::move(second);
    watched.reset();
    EXPECT_EQ(log, (std::vector<std::string>{"first notified", "second freed", "last notified"}));
}

} // namespace
} // namespace morvane

namespace morvane {
namespace {

class TOpaqueProbe : public TProbe {
public:
    using TProbe::TProbe;
    bool Opaque() const override { return true; }
};

TEST_F(FormTest, WhatAnOpaqueChildCoversIsNotPaintedUnderIt) {
    auto* cover = form->Own(std::make_unique<TOpaqueProbe>(form.get()));
    cover->SetParent(form.get());
    cover->SetBounds(0, 0, 200, 120);
    cover->SetColor(clBlue);
    platform.RunUntilIdle();
    int coverPaints = cover->paints;
    int probePaints = probe->paints;
    cover->Invalidate();
    platform.RunUntilIdle();
    EXPECT_EQ(cover->paints, coverPaints + 1);
    // Neither the form's fill nor the sibling the cover hides entirely is painted.
    EXPECT_EQ(probe->paints, probePaints);
    EXPECT_EQ(platform.Screenshot(form->WindowId())->Pixel(5, 5), clBlue);
    // Partly covered areas still get the form's fill, and a partly covered sibling paints.
    cover->SetBounds(0, 0, 30, 120);
    platform.RunUntilIdle();
    EXPECT_EQ(platform.Screenshot(form->WindowId())->Pixel(150, 5), RGB(0, 80, 0));
    EXPECT_GT(probe->paints, probePaints);
    EXPECT_EQ(platform.Screenshot(form->WindowId())->Pixel(45, 35), clRed);
}

// A control that paints nothing and leaves the canvas with a red brush and a bold white font.
class TStateLeaver : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint(TCanvas& canvas) override {
        canvas.Brush() = {clRed, TBrushStyle::bsSolid};
        canvas.Font().SetStyle(fsBold);
        canvas.Font().SetColor(clWhite);
    }
};

// A control that fills itself with whatever brush the canvas holds and remembers the font it was given.
class TBrushUser : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TFont fontSeen;

protected:
    void Paint(TCanvas& canvas) override {
        fontSeen.Assign(canvas.Font());
        canvas.Pen().width = 0;
        canvas.Rectangle(ClientRect());
    }
};

TEST_F(FormTest, ASiblingsDrawingStateDoesNotReachTheControlsPaintedAfterIt) {
    auto* leaver = form->Own(std::make_unique<TStateLeaver>(form.get()));
    leaver->SetParent(form.get());
    leaver->SetBounds(100, 10, 10, 10);
    auto* user = form->Own(std::make_unique<TBrushUser>(form.get()));
    user->SetParent(form.get());
    user->SetBounds(120, 10, 10, 10);
    form->Invalidate(); // one paint pass over both
    platform.RunUntilIdle();
    // The form hands its children the canvas as it had it: the fresh white brush and the plain font.
    EXPECT_EQ(platform.Screenshot(form->WindowId())->Pixel(125, 15), clWhite);
    EXPECT_TRUE(user->fontSeen.SameAs(TFont{}));
}

} // namespace
} // namespace morvane
