#include "host/HallPanels.h"

#include "graphics/PictureResources.h"
#include "gui/Form.h"
#include "gui/SystemColors.h"
#include "panels/HallSkin.h"
#include "panels/PluginChat50.h"
#include "panels/PluginDialog50.h"
#include "panels/PluginUser50.h"

#include <utility>

namespace morvane {
namespace {

// The whole table at the origin (table coordinates are form coordinates); the user list and the chat sit
// over the hall side of the felt, right of the table's 800-pixel area.
constexpr TRect kUserListBounds{810, 40, 1010, 300};
constexpr TRect kChatBounds{810, 310, 1010, 710};

} // namespace

void PlaceHallPanels(TForm& form, TPluginUser50& user, TPluginChat50& chat) {
    user.SetBounds(kUserListBounds.left, kUserListBounds.top, kUserListBounds.Width(),
                   kUserListBounds.Height());
    chat.SetBounds(kChatBounds.left, kChatBounds.top, kChatBounds.Width(), kChatBounds.Height());
    user.HideColumn(TPluginUser50::ctUserId);
    user.HideColumn(TPluginUser50::ctGold);
    const std::pair<int, const char*> columns[] = {{TPluginUser50::ctNickName, "昵称"},
                                                   {TPluginUser50::ctLevel, "等级"},
                                                   {TPluginUser50::ctBean, "游戏豆"},
                                                   {TPluginUser50::ctScore, "积分"}};
    // Beans are what players compare, so that column is wide enough for eight digits; with the scroll
    // bar the four fill the list.
    const std::pair<int, int> widths[] = {{TPluginUser50::ctNickName, 58},
                                          {TPluginUser50::ctLevel, 34},
                                          {TPluginUser50::ctBean, 62},
                                          {TPluginUser50::ctScore, 30}};
    for (const auto& [tag, caption] : columns)
        user.SetColumnCaption(tag, caption);
    for (const auto& [tag, width] : widths)
        user.SetColumnWidth(tag, width);
    user.SetListItemBackColor(0xF6EEE2);
    user.SetUserListColor(0xF6EEE2);
    user.SetSelfInfoBackColor(0xF6EEE2);
    // The chat skin's input strip and its three square buttons sit at its foot, the say button beside.
    chat.SetViewSpaces(6, 6, 6, 62);
    chat.SetViewColor(0xF0FAFF);
    chat.SetInputSpaces(7, 7, 30);
    chat.SetInputColor(clWhite);
    const struct {
        TPluginChat50::TChatButton button;
        const char* family;
        int right;
        int bottom;
    } buttons[] = {{TPluginChat50::cbEmotion, "CHATFACE", kChatBounds.Width() - 8 - 18, 6},
                   {TPluginChat50::cbAction, "CHATACTION", kChatBounds.Width() - 30 - 18, 6},
                   {TPluginChat50::cbShout, "CHATSHOUT", kChatBounds.Width() - 52 - 18, 6},
                   {TPluginChat50::cbSay, "CHATSAY", 6, 4}};
    for (const auto& entry : buttons) {
        chat.SetButtonImages(entry.button, MakeButtonList(form, entry.family));
        chat.SetButtonRightSpace(entry.button, entry.right);
        chat.SetButtonBottomSpace(entry.button, entry.bottom);
    }
    chat.SetComboxImage(LoadPictureByName("CHATHISTORY").get());
    chat.SetEmotionImages(MakeFaceList(form));
    if (auto skin = LoadPictureByName("TWOEIGHT_BTIMAPBUSERCHAT")) {
        chat.SetCenterX(95);
        chat.SetCenterY(150);
        chat.SetPicture(skin.get());
        chat.SetTransparentColor(clNone);
    }
    if (auto skin = LoadPictureByName("TWOEIGHT_BTIMAPUSERLIST")) {
        user.SetPicture(skin.get());
        user.SetTransparentColor(clNone);
    }
}

void DressHallDialog(TForm& form, TPluginDialog50& dialog) {
    DressFloatingPanel(dialog);
    dialog.SetButtonImages(MakeButtonList(form, "HALLBTN"));
    dialog.SetCloseImages(MakeButtonList(form, "CLOSE"));
}

} // namespace morvane
