#include "support/SkinnedDialog.h"

#include "gui/BitmapPicture.h"
#include "gui/Canvas.h"

#include <string>

namespace morvane::test {
namespace {

// A dialog skin: rounded corners cut in magenta, a dark frame, a blue title band and a cream body.
TPngImage DialogSkin() {
    TBitmap bitmap(60, 80);
    TCanvas canvas(bitmap);
    canvas.FillRect({0, 0, 60, 80}, RGB(0x2B, 0x4E, 0x8C));
    canvas.GradientFill({1, 1, 59, 30}, RGB(0x6A, 0x9E, 0xE8), RGB(0x2F, 0x62, 0xB8), 2);
    canvas.FillRect({1, 30, 59, 31}, RGB(0x1F, 0x3C, 0x70));
    canvas.GradientFill({1, 31, 59, 79}, RGB(0xFB, 0xF6, 0xE8), RGB(0xEE, 0xE4, 0xCC), 2);
    for (TPoint p : {TPoint{0, 0}, TPoint{1, 0}, TPoint{2, 0}, TPoint{0, 1}, TPoint{0, 2}}) {
        canvas.SetPixel(p.x, p.y, clFuchsia);
        canvas.SetPixel(59 - p.x, p.y, clFuchsia);
        canvas.SetPixel(p.x, 79 - p.y, clFuchsia);
        canvas.SetPixel(59 - p.x, 79 - p.y, clFuchsia);
    }
    return PictureOfBitmap(bitmap);
}

TPngImage ButtonPicture(TColor top, TColor bottom) {
    TBitmap bitmap(72, 24);
    TCanvas canvas(bitmap);
    canvas.FillRect({0, 0, 72, 24}, RGB(0xFB, 0xF6, 0xE8));
    canvas.GradientFill({1, 1, 71, 23}, top, bottom, 2);
    canvas.FrameRect({0, 0, 72, 24}, RGB(0x9A, 0x6A, 0x1E));
    return PictureOfBitmap(bitmap);
}

TPictureButton* AddButton(TSkinnedDialog& d, int left, TColor top, TColor bottom, const std::string& caption,
                          int captionX) {
    auto* button = d.form->Own(std::make_unique<TPictureButton>(d.form.get()));
    button->SetParent(d.panel);
    button->SetCommPicture(ButtonPicture(top, bottom));
    button->SetLeft(left);
    button->SetTop(280);
    button->SetCommCaption(caption);
    button->SetCommX(captionX);
    button->SetCommY(5);
    return button;
}

void FillUsers(TListView& list) {
    list.AddColumn({"昵称", 110});
    list.AddColumn({"游戏豆", 110});
    list.AddColumn({"积分", 90});
    list.AddColumn({"等级", 90});
    const char* names[] = {"庄家阿龙", "小白",   "闲家老王", "幸运星", "百家乐达人",
                           "金手指",   "大富翁", "夜猫子",   "追风",   "天天赢"};
    for (int i = 0; i < 24; ++i) {
        TListItem* item = list.AddItem();
        item->SetCaption(names[i % 10]);
        item->SetSubItems({std::to_string(125000 + i * 7310), std::to_string(340 - i * 9), "新手"});
    }
    list.SetItemIndex(2);
}

} // namespace

TSkinnedDialog BuildSkinnedDialog(int left, int top) {
    static const TPngImage skin = DialogSkin();
    TSkinnedDialog d;
    d.form = std::make_unique<TForm>(nullptr);
    d.form->SetBounds(left, top, 380, 320);
    d.panel = d.form->Own(std::make_unique<TLovelyPanel>(d.form.get()));
    d.panel->SetParent(d.form.get());
    d.panel->SetCenterX(30);
    d.panel->SetCenterY(50);
    d.panel->SetPicture(&skin);
    d.panel->SetBounds(0, 0, 380, 320);
    d.panel->SetCaption("系统提示 — 用户列表");
    d.panel->SetTitleHeight(30);
    d.panel->SetTitleLeft(12);
    d.panel->SetTitleColor(clWhite);
    d.panel->SetTitleShadowColor(RGB(0x10, 0x28, 0x50));
    d.panel->Font().SetSize(11);
    d.panel->Font().SetStyle(fsBold);

    d.list = d.form->Own(std::make_unique<TListView>(d.form.get()));
    d.list->SetParent(d.panel);
    d.list->SetBounds(14, 42, 352, 220);
    d.list->SetColor(RGB(0xFF, 0xFD, 0xF6));
    FillUsers(*d.list);

    d.accept = AddButton(d, 110, RGB(0xFF, 0xD8, 0x7A), RGB(0xF0, 0xA8, 0x30), "", 14);
    d.accept->SetMovePicture(ButtonPicture(RGB(0xFF, 0xE6, 0x9E), RGB(0xF6, 0xBC, 0x52)));
    d.cancel = AddButton(d, 200, RGB(0xE8, 0xEE, 0xF6), RGB(0xC4, 0xD0, 0xE2), "取消", 24);

    TLovelyPanel* panel = d.panel;
    TPictureButton* accept = d.accept;
    d.panel->OnLifeChange = [panel, accept](TControl*) {
        accept->SetCommCaption("确定(" + std::to_string(panel->Remaining()) + ")");
    };

    d.scrollSkin = d.form->Own(std::make_unique<TPluginScrollbarReplacer>(d.form.get()));
    d.scrollSkin->Skin({d.list}, {0x6FA4EF, 0x94AAC1, 0xABE3FE, 0xF0FAFE, 0xD4EDF7, 0xD4EDF7},
                       kXPScrollBarSkinner);
    d.list->SetTopIndex(1);
    d.panel->SetLifeCount(10);
    return d;
}

} // namespace morvane::test
