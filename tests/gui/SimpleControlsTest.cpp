#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/FakeWindowSystem.h"
#include "gui/Form.h"
#include "gui/GroupBox.h"
#include "gui/Label.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

class SimpleControlsTest : public ::testing::Test {
protected:
    SimpleControlsTest() {
        form->SetBounds(0, 0, 300, 200);
        form->Show();
    }
    template <typename T>
    T* Place(TWinControl* parent, int left, int top, int width, int height) {
        T* control = form->Own(std::make_unique<T>(form.get()));
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }
    void Click(int x, int y) {
        form->Input().WindowMouseDown(TMouseButton::mbLeft, 0, {x, y});
        form->Input().WindowMouseUp(TMouseButton::mbLeft, 0, {x, y});
        app.system.now += 1000;
    }

    test::TFakeApplication app;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
};

TEST_F(SimpleControlsTest, AutoSizedLabelFollowsItsTextAndWrapsToItsWidth) {
    auto* label = Place<TLabel>(form.get(), 5, 5, 10, 10);
    label->SetCaption("账户数量：");
    EXPECT_EQ(label->Width(), 60);
    EXPECT_EQ(label->Height(), 12);
    label->SetCaption("ab\r\nlonger");
    EXPECT_EQ(label->Width(), 36);
    EXPECT_EQ(label->Height(), 24);
    label->SetWordWrap(true);
    label->SetWidth(30);
    label->SetCaption("你最喜欢的颜色");
    EXPECT_EQ(label->Width(), 30);
    EXPECT_EQ(label->Height(), 48); // two characters per row, four rows
    label->SetAutoSize(false);
    label->SetCaption("x");
    EXPECT_EQ(label->Height(), 48);
}

TEST_F(SimpleControlsTest, ButtonsEndTheModalRunAndAnswerDialogKeys) {
    auto* ok = Place<TButton>(form.get(), 10, 10, 75, 25);
    auto* group = Place<TGroupBox>(form.get(), 10, 50, 200, 80);
    auto* cancel = Place<TButton>(group, 10, 20, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(1);
    cancel->SetCancel(true);
    cancel->SetModalResult(2);
    int clicks = 0;
    ok->OnClick = [&](TControl*) { ++clicks; };
    Click(20, 20);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ModalResult(), 1);
    EXPECT_TRUE(PressDialogKey(*form, VK_ESCAPE)); // found inside the group box
    EXPECT_EQ(form->ModalResult(), 2);
    EXPECT_TRUE(PressDialogKey(*form, VK_RETURN));
    EXPECT_EQ(clicks, 2);
    ok->SetEnabled(false);
    EXPECT_FALSE(PressDialogKey(*form, VK_RETURN));
    EXPECT_FALSE(PressDialogKey(*form, VK_SPACE));
}

TEST_F(SimpleControlsTest, CheckBoxTogglesOnClickAndSpace) {
    auto* box = Place<TCheckBox>(form.get(), 10, 10, 100, 17);
    std::vector<bool> seen;
    box->OnClick = [&](TControl*) { seen.push_back(box->Checked()); };
    Click(15, 15);
    form->Input().WindowKeyDown(VK_SPACE, 0);
    box->SetChecked(false); // unchanged: no event
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    form->PaintPending();
    box->SetChecked(true);
    form->PaintPending();
    // The tick is drawn inside the box.
    EXPECT_EQ(form->Framebuffer().Pixel(10 + 6, 10 + 2 + 6), clBlack);
}

} // namespace
} // namespace morvane
