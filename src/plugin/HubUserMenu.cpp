// The hub's pop-up menu on a user: built once with its requests and the ignore switch, and filled with
// the chosen user's figures each time it opens.
#include "gui/Application.h"
#include "gui/MenuItem.h"
#include "gui/PopupMenu.h"
#include "plugin/CustomPluginShare.h"
#include "ui/LovelyMenu.h"

#include <cstdio>
#include <iterator>

namespace morvane {

void TCustomPluginShare::BuildUserMenu() {
    userMenu_ = Own(std::make_unique<TPopupMenu>(this));
    static const char* const captions[] = {
        "用户名",       "昵称",        "游戏豆",           "-", "局数",          "逃跑", "积分", "-",
        "请他(她)离开", "成为VIP会员", "进入他(她)的空间", "-", "屏蔽该玩家信息"};
    static_assert(std::size(captions) == usermenu::kItemCount);
    int index = 0;
    for (const char* caption : captions) {
        TMenuItem* item = userMenu_->Items().Add(caption);
        item->SetTag(index++);
        item->OnClick = [this, item](TControl*) {
            switch (item->Tag()) {
            case usermenu::kAskToLeave:
                SendAskToLeave(selectedId_);
                break;
            case usermenu::kBecomeVip:
                SendBecomeVip();
                break;
            case usermenu::kVisitSpace:
                SendVisitSpace(selectedId_);
                break;
            case usermenu::kIgnore: {
                bool ignore = !IsIgnored(selectedId_);
                SetIgnored(selectedId_, ignore);
                item->SetCaption(ignore ? "◆屏蔽该玩家信息" : "屏蔽该玩家信息");
                std::string name = DisplayName(selectedId_);
                ShowNote(false, ignore ? "您已屏蔽玩家\"" + name + "\"的信息"
                                       : "您已恢复显示玩家\"" + name + "\"的信息");
                break;
            }
            default:
                break;
            }
        };
    }
}

void TCustomPluginShare::ShowUserMenu(std::int64_t userId) {
    const STRU_PLUGIN_USERINFO* user = FindUser(userId);
    if (!client_ || !userMenuOn_ || !user || (HideNames() && userId != myId_)) return;
    selectedId_ = userId;
    const bool me = userId == myId_;
    TMenuItem& items = userMenu_->Items();
    const std::string account = FixedFieldText(user->Account, sizeof user->Account);
    const std::string id = std::to_string(userId);
    items.Items(usermenu::kAccount)
        ->SetCaption(user->VipLevel != 0
                         ? account + "[" + id + "]，VIP(" + std::to_string(user->VipLevel) + ")"
                         : account + "[" + id + "]，普通用户");
    items.Items(usermenu::kNickName)
        ->SetCaption("昵称：" + FixedFieldText(user->NickName, sizeof user->NickName));
    std::string beans = BeanName() + "：" + std::to_string(user->Beans);
    if (me) beans += "  " + MoneyName() + "：" + std::to_string(user->Money);
    items.Items(usermenu::kBeans)->SetCaption(beans);
    const std::int64_t total = std::int64_t(user->Wins) + user->Losses + user->Draws;
    items.Items(usermenu::kRounds)
        ->SetCaption("胜：" + std::to_string(user->Wins) + "  负：" + std::to_string(user->Losses) +
                     "  平：" + std::to_string(user->Draws) + "  局数：" + std::to_string(total));
    auto rate = [total](std::int64_t part) {
        return total == 0 ? 0.0 : double(part) * 100.0 / double(total);
    };
    char rates[160];
    std::snprintf(rates, sizeof rates, "胜率：%.2f%%  逃跑率：%.2f%%  断线率：%.2f%%", rate(user->Wins),
                  rate(user->Flees), rate(user->Drops));
    items.Items(usermenu::kRates)->SetCaption(rates);
    items.Items(usermenu::kLevel)
        ->SetCaption("游戏等级：" + LevelName(user->Score, user->Beans) + "  " + ScoreName() + "：" +
                     std::to_string(user->Score));
    items.Items(usermenu::kAskToLeave)->SetEnabled(!playing_);
    items.Items(usermenu::kVisitSpace)->SetCaption(me ? "进入我的空间" : "进入他(她)的空间");
    items.Items(usermenu::kIgnore)->SetCaption(IsIgnored(userId) ? "◆屏蔽该玩家信息" : "屏蔽该玩家信息");
    items.Items(usermenu::kAskToLeave)->SetVisible(!me && client_->CanAskToLeave());
    items.Items(usermenu::kIgnoreSeparator)->SetVisible(!me);
    items.Items(usermenu::kIgnore)->SetVisible(!me);
    if (lovelyMenu_) lovelyMenu_->SetPopupMenu(userMenu_);
    const TPoint at = HasApplication() ? Application().System().CursorPos() : TPoint{};
    userMenu_->Popup(at.x, at.y);
}

} // namespace morvane
