#include "gui/Edit.h"

#include "gui/FakeWindowSystem.h"
#include "gui/Form.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

class EditTest : public ::testing::Test {
protected:
    EditTest() {
        form->SetBounds(0, 0, 200, 100);
        edit->SetParent(form.get());
        edit->SetBounds(10, 10, 121, 21);
        form->Show();
        edit->OnChange = [this](TControl*) { ++changes; };
    }
    void Type(const std::string& gbkChars) {
        for (std::size_t pos = 0; pos < gbkChars.size();) {
            std::size_t length = gbk::CharLength(gbkChars, pos);
            form->Input().WindowChar(gbkChars.substr(pos, length));
            pos += length;
        }
    }
    void Key(TKey key, TShiftState shift = 0) { form->Input().WindowKeyDown(key, shift); }
    void Click(int x, int y) {
        form->Input().WindowMouseDown(TMouseButton::mbLeft, 0, {x, y});
        form->Input().WindowMouseUp(TMouseButton::mbLeft, 0, {x, y});
    }

    test::TFakeApplication app;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TEdit* edit = form->Own(std::make_unique<TEdit>(form.get()));
    int changes = 0;
};

TEST_F(EditTest, ClickFocusesAndTypedAsciiAndChineseLandAtTheCaret) {
    Type("lost");
    EXPECT_EQ(edit->Text(), "");
    Click(20, 20);
    EXPECT_TRUE(edit->Focused());
    Type("ab庄家");
    EXPECT_EQ(edit->Text(), "ab庄家");
    EXPECT_EQ(edit->CaretPos(), 6u);
    Key(VK_LEFT);
    EXPECT_EQ(edit->CaretPos(), 4u); // one whole double-byte character back
    Type("c");
    EXPECT_EQ(edit->Text(), "ab庄c家");
    EXPECT_EQ(changes, 5);
}

TEST_F(EditTest, BackspaceAndDeleteRemoveWholeDoubleByteCharacters) {
    edit->SetFocus();
    Type("x闲和");
    Type("\b");
    EXPECT_EQ(edit->Text(), "x闲");
    Key(VK_HOME);
    Key(VK_RIGHT);
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "x");
    Type("\b");
    Type("\b"); // nothing left to remove
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(EditTest, MaxLengthCountsBytesAndRefusesAHalfCharacter) {
    edit->SetMaxLength(5);
    edit->SetFocus();
    Type("abc庄");
    EXPECT_EQ(edit->Text(), "abc庄");
    Type("d");
    Type("家"); // would need 7 bytes
    EXPECT_EQ(edit->Text(), "abc庄");
    app.system.clipboard = "1234\r\nsecond line";
    edit->SetMaxLength(8);
    Type("\x16"); // Ctrl+V
    EXPECT_EQ(edit->Text(), "abc庄123");
    app.system.clipboard = "我们";
    edit->SetMaxLength(9);
    Type("\x16"); // room for one byte only: no half character
    EXPECT_EQ(edit->Text(), "abc庄123");
}

TEST_F(EditTest, ReadOnlyAndKeyFilterKeepTheTextButAllowMoving) {
    edit->SetText("100");
    edit->SetFocus();
    edit->OnKeyPress = [](TControl*, std::string& ch) {
        const bool digit = ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9';
        if (static_cast<unsigned char>(ch[0]) >= 32 && !digit) ch.clear();
    };
    Key(VK_END);
    Type("a5庄\b");
    EXPECT_EQ(edit->Text(), "100");
    Type("7");
    EXPECT_EQ(edit->Text(), "1007");
    edit->SetReadOnly(true);
    Type("9\b");
    Key(VK_DELETE);
    Key(VK_HOME);
    EXPECT_EQ(edit->Text(), "1007");
    EXPECT_EQ(edit->CaretPos(), 0u);
}

TEST_F(EditTest, ShiftArrowsSelectAndTypingReplacesTheSelection) {
    edit->SetText("庄家赢了");
    edit->SetFocus();
    Key(VK_HOME);
    Key(VK_RIGHT, ssShift);
    Key(VK_RIGHT, ssShift);
    EXPECT_EQ(edit->SelText(), "庄家");
    Type("闲");
    EXPECT_EQ(edit->Text(), "闲赢了");
    edit->SetSelection(1, 3); // inside characters: snapped to whole ones
    EXPECT_EQ(edit->SelStart(), 0u);
    EXPECT_EQ(edit->SelLength(), 2u);
}

TEST_F(EditTest, MouseDragSelectsAndPasswordHidesEachCharacterOnce) {
    edit->SetText("abcdef");
    // Text starts 4 pixels in (border and indent); letters are 6 wide.
    form->Input().WindowMouseDown(TMouseButton::mbLeft, 0, {10 + 4 + 6, 20});
    form->Input().WindowMouseMove(ssLeft, {10 + 4 + 24, 20});
    form->Input().WindowMouseUp(TMouseButton::mbLeft, 0, {10 + 4 + 24, 20});
    EXPECT_EQ(edit->SelText(), "bcd");
    edit->SetPasswordChar('*');
    edit->SetText("密码1");
    app.system.text.drawn.clear();
    form->PaintPending();
    ASSERT_FALSE(app.system.text.drawn.empty());
    EXPECT_EQ(app.system.text.drawn.front(), "***");
}

} // namespace
} // namespace morvane
