// A small dialog with the standard controls, drawn by the headless platform with the real CJK font, so
// that the look can be checked by eye (screenshots/controls.png) and its key pixels by the test.
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/ComboBox.h"
#include "gui/Edit.h"
#include "gui/Form.h"
#include "gui/GroupBox.h"
#include "gui/Label.h"
#include "gui/ListView.h"
#include "gui/PngImage.h"
#include "gui/RichView.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

class ControlsScreenshotTest : public test::HeadlessTest {
protected:
    template <typename T>
    T* Place(TWinControl* parent, int left, int top, int width, int height, const std::string& caption = {}) {
        T* control = form->Own(std::make_unique<T>(form.get()));
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        if (!caption.empty()) control->SetCaption(caption);
        return control;
    }

    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
};

TEST_F(ControlsScreenshotTest, DialogWithStandardControls) {
    form->SetBounds(100, 100, 420, 330);
    form->SetColor(clBtnFace);
    Place<TLabel>(form.get(), 16, 18, 80, 13, "账户数量：");
    auto* amount = Place<TEdit>(form.get(), 96, 14, 121, 21);
    amount->SetText("1 0000 5000");
    amount->SetReadOnly(true);
    amount->SetColor(clBtnFace);
    Place<TLabel>(form.get(), 16, 46, 80, 13, "存入数量：");
    auto* input = Place<TEdit>(form.get(), 96, 42, 121, 21);
    input->SetText("庄家赢了");
    Place<TCheckBox>(form.get(), 232, 16, 120, 17, "允许旁观")->SetChecked(true);
    Place<TCheckBox>(form.get(), 232, 40, 120, 17, "拒绝邀请");
    auto* combo = Place<TComboBox>(form.get(), 232, 64, 170, 21);
    combo->SetText("大家好！");

    auto* group = Place<TGroupBox>(form.get(), 10, 92, 200, 72, "账户保护答案");
    auto* question = Place<TLabel>(group, 12, 22, 180, 13, "你最喜欢的颜色是什么？");
    question->SetAutoSize(false);
    Place<TEdit>(group, 12, 40, 176, 21)->SetText("red");

    auto* users = Place<TListView>(form.get(), 220, 92, 190, 130);
    users->AddColumn({"昵称", 70, 1});
    users->AddColumn({"等级", 50, 2});
    users->AddColumn({"游戏豆", 60, 3});
    const char* names[] = {"张三", "李四", "王五", "赵六", "钱七", "孙八", "周九"};
    for (int i = 0; i < 7; ++i) {
        TListItem* item = users->AddItem();
        item->SetCaption(names[i]);
        item->SetSubItems({"农民", std::to_string(1000 * (i + 1))});
    }
    users->SetItemIndex(1);

    auto* chat = Place<TRichView>(form.get(), 10, 172, 200, 110);
    TPngImage face(12, 12, true);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            std::uint8_t* p = face.Scanline(y) + x * 4;
            const int dx = 2 * x - 11, dy = 2 * y - 11;
            p[0] = 255, p[1] = 200, p[2] = 0, p[3] = dx * dx + dy * dy <= 121 ? 255 : 0;
        }
    chat->AddLine({TRichRun::Text("[系统] ", clRed), TRichRun::Text("欢迎来到百家乐！", RGB(0, 0, 160))});
    chat->AddLine({TRichRun::Text("张三：", clBlack), TRichRun::Picture(&face),
                   TRichRun::Text(" 押庄家，必赢！", clBlack)});
    chat->AddLine(
        {TRichRun::Text("请访问 ", clBlack), TRichRun::Link("官方网站", "http://example.com", clBlue)});
    for (int i = 0; i < 6; ++i)
        chat->AddText("闲家 " + std::to_string(i + 5) + " 点，庄家 " + std::to_string(i + 3) + " 点。",
                      RGB(0, 100, 0));

    auto* ok = Place<TButton>(form.get(), 240, 290, 75, 25, "存入");
    ok->SetDefault(true);
    Place<TButton>(form.get(), 328, 290, 75, 25, "取消");

    form->Show();
    input->SetFocus();
    platform.RunUntilIdle();
    const std::string path = test::SaveScreenshot(platform, form->WindowId(), "controls.png");
    const TBitmap* screen = platform.Screenshot(form->WindowId());
    ASSERT_NE(screen, nullptr);
    // The selected row is highlighted, the chat view scrolled to its last line, glyphs really drawn.
    const TRect row = users->ItemRect(1).Offset(users->Left(), users->Top());
    EXPECT_EQ(screen->Pixel(row.left + 1, row.top + 1), ColorToRGB(clHighlight));
    EXPECT_TRUE(chat->AtEnd());
    EXPECT_TRUE(chat->ScrollBarInfo(TScrollBarKind::sbVertical).visible);
    int dark = 0;
    for (int x = 16; x < 90; ++x)
        for (int y = 18; y < 32; ++y)
            if ((screen->Pixel(x, y) & 0xFF) < 80) ++dark;
    EXPECT_GT(dark, 40) << "no text drawn for the label; see " << path;
}

} // namespace
} // namespace morvane
