#include "gui/Edit.h"
#include "gui/Memo.h"
#include "panels/PanelsFixture.h"
#include "panels/PluginAdvice50.h"
#include "panels/PluginDialog50.h"
#include "panels/PluginEvents50.h"
#include "panels/PluginOption50.h"
#include "ui/LovelyTextBtn.h"

#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The option, advice and events panels on a form with an edit that has the focus before they open.
class FloatingPanelsTest : public PanelsTest {
protected:
    void SetUp() override {
        option = Place(std::make_unique<TPluginOption50>(form));
        advice = Place(std::make_unique<TPluginAdvice50>(form));
        events = Place(std::make_unique<TPluginEvents50>(form));
        realDialog = Place(std::make_unique<TPluginDialog50>(form));
        edit = form->Own(std::make_unique<TEdit>(form));
        edit->SetParent(form);
        edit->SetBounds(10, 440, 200, 20);
        hub->SetPluginOption(option);
        hub->SetPluginAdvice(advice);
        hub->SetPluginEvents(events);
        Start();
        ShowForm();
        edit->SetFocus();
    }
    template <typename T>
    T* Place(std::unique_ptr<T> panel) {
        T* p = form->Own(std::move(panel));
        p->SetParent(form);
        p->SetLeft(100);
        return p;
    }

    TPluginOption50* option{nullptr};
    TPluginAdvice50* advice{nullptr};
    TPluginEvents50* events{nullptr};
    TPluginDialog50* realDialog{nullptr};
    TEdit* edit{nullptr};
};

TEST_F(FloatingPanelsTest, ThePanelsShareTheirLookAndButtonLayout) {
    for (TLovelyPanel* panel : std::initializer_list<TLovelyPanel*>{option, advice, events}) {
        EXPECT_EQ(panel->Width(), 250);
        EXPECT_EQ(panel->Height(), 200);
        EXPECT_EQ(panel->TitleHeight(), 30);
        EXPECT_FALSE(panel->Visible());
    }
    EXPECT_EQ(option->Caption(), "游戏设置");
    EXPECT_EQ(advice->Caption(), "意见提交");
    EXPECT_EQ(events->Caption(), "游戏活动");
    TFloatingButtons& b = option->Buttons();
    const int left = (250 - 2 * 70) / 3;
    EXPECT_EQ(b.first->Left(), left);
    EXPECT_EQ(b.second->Left(), 2 * left + 70);
    EXPECT_EQ(b.first->Top(), 200 - b.first->Height() - 8);
    EXPECT_EQ(b.close->Left(), 250 - b.close->Width() - 10);
    EXPECT_EQ(b.close->Top(), 6);
    EXPECT_EQ(b.first->Caption(), "确定");
    EXPECT_EQ(advice->Memo().BoundsRect(), (TRect{10, 36, 240, 160}));
    option->SetButtonBottomSpace(20);
    EXPECT_EQ(b.first->Top(), 200 - b.first->Height() - 20);
}

TEST_F(FloatingPanelsTest, OptionsAreLoadedOnShowStoredOnAcceptAndTheFocusComesBack) {
    std::vector<std::string> calls;
    option->OnConfigOption = [&](TControl*) { calls.push_back("config"); };
    option->OnAcceptOption = [&](TControl*) { calls.push_back("accept"); };
    option->OnNoChange = [&](TControl*) { calls.push_back("nochange"); };
    hub->ShowOptionPanel();
    EXPECT_TRUE(option->Visible());
    EXPECT_FALSE(edit->Focused());
    platform.Click(At(*option->Buttons().first, 5, 5));
    EXPECT_FALSE(option->Visible());
    EXPECT_TRUE(edit->Focused());
    hub->ShowOptionPanel();
    platform.Click(At(*option->Buttons().close, 3, 3));
    hub->ShowOptionPanel();
    platform.Click(At(*option->Buttons().second, 5, 5));
    EXPECT_THAT(calls, ElementsAre("config", "accept", "config", "nochange", "config", "nochange"));
    EXPECT_TRUE(edit->Focused());
}

TEST_F(FloatingPanelsTest, AdviceOfEightChineseCharactersIsAcceptedAndSevenWithABlankRefused) {
    std::vector<std::string> delivered;
    advice->OnAdviceSubmit = [&](TPluginAdvice50*, const std::string& text) { delivered.push_back(text); };
    hub->ShowAdvicePanel();
    EXPECT_TRUE(advice->Memo().Focused());
    advice->Memo().SetText("这个游戏很好玩呀");
    advice->Submit();
    EXPECT_THAT(delivered, ElementsAre("这个游戏很好玩呀"));
    EXPECT_EQ(advice->Memo().Text(), "");
    EXPECT_TRUE(advice->Visible());
    EXPECT_THAT(log, IsEmpty());

    advice->Memo().SetText("这个游戏很好玩 ");
    advice->Submit();
    EXPECT_THAT(log, ElementsAre("dialog 错误 | 意见内容小于16字符,不予提交,请重新输入! | 确定 life=10"));
    EXPECT_THAT(delivered, ElementsAre("这个游戏很好玩呀"));
}

TEST_F(FloatingPanelsTest, AdviceFoldsBlanksAndLineBreaksBeforeItIsJudged) {
    EXPECT_EQ(TPluginAdvice50::FoldedAdvice("a    b\r\nc"), "a b c");
    EXPECT_EQ(TPluginAdvice50::FoldedAdvice("一二三四五六七  \r\n"), "一二三四五六七  ");
    EXPECT_EQ(TPluginAdvice50::FoldedAdvice("一二三四五六七  \r\n").size(), 16u);
}

TEST_F(FloatingPanelsTest, ASecondSubmitWhileTheErrorShowsDoesNothing) {
    hub->SetPluginDialog(realDialog);
    realDialog->SetDialogPicture(nullptr);
    hub->ShowAdvicePanel();
    advice->Memo().SetText("太短");
    int runs = 0;
    realDialog->OnExecuteStart = [&](TPluginDialog50&) {
        ++runs;
        platform.Post([&] {
            advice->Submit(); // the dialog is showing: ignored
            realDialog->SetModalResult(1);
        });
    };
    advice->Submit();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(realDialog->Caption(), "错误");
}

TEST_F(FloatingPanelsTest, AnEventShowsItsFieldsAndOpensOnlyAWebAddress) {
    Post(hostframes::TextLine(0, "@$春节活动开始了@$新春活动@$去看看@$http://example.com/spring"));
    EXPECT_TRUE(events->Visible());
    EXPECT_THAT(events->Memo().Lines(), ElementsAre("春节活动开始了"));
    EXPECT_EQ(events->Caption(), "新春活动");
    EXPECT_EQ(events->Buttons().first->Caption(), "去看看");
    EXPECT_EQ(events->EventsAddress(), "http://example.com/spring");
    platform.TakeEffects();
    platform.Click(At(*events->Buttons().first, 5, 5));
    EXPECT_THAT(platform.TakeEffects(), ElementsAre("shell http://example.com/spring"));

    // Blanks and quotes in the server's address would split it into several arguments of the browser.
    events->AddEvent("x@$正文@$标题@$打开@$http://example.com/a\" --user-data-dir=\"C:\\x");
    events->OpenDetails();
    EXPECT_THAT(platform.TakeEffects(),
                ElementsAre("shell http://example.com/a%22%20--user-data-dir=%22C:\\x"));

    // An address from the server that is a program is shown but never opened.
    events->AddEvent("x@$正文@$标题@$打开@$C:\\Windows\\system32\\cmd.exe");
    EXPECT_EQ(events->EventsAddress(), "C:\\Windows\\system32\\cmd.exe");
    events->OpenDetails();
    EXPECT_THAT(platform.TakeEffects(), IsEmpty());

    events->AddEvent("没有分隔符");
    EXPECT_EQ(events->Memo().Text(), "");
    EXPECT_EQ(events->Caption(), "");
    EXPECT_EQ(events->Buttons().first->Caption(), "");
    EXPECT_EQ(events->EventsAddress(), "");
    platform.Click(At(*events->Buttons().close, 3, 3));
    EXPECT_FALSE(events->Visible());
}

} // namespace
} // namespace morvane::test
