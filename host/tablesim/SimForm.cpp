#include "host/tablesim/SimForm.h"

#include "game/TwoEightClient.h"
#include "gui/ListView.h"
#include "gui/RichView.h"
#include "plugin/CustomPluginChat.h"
#include "plugin/CustomPluginUser.h"
#include "plugin/PluginCommandForm.h"
#include "plugin/PluginShare50.h"

#include <string>

namespace morvane::tablesim {
namespace {

constexpr int kPanelLeft = TTwoEightClient::kTableAreaWidth;
constexpr int kPanelWidth = TTwoEightClient::kTableWidth - TTwoEightClient::kTableAreaWidth;
constexpr int kUserListHeight = 260;
constexpr int kPanelMargin = 6;

// Everybody at the table with their beans, refreshed whenever the hub's list or the records change.
class TSimUserList : public TCustomPluginUser {
public:
    explicit TSimUserList(TComponent* owner) : TCustomPluginUser(owner) {
        list_ = Own(std::make_unique<TListView>(this));
        list_->SetParent(this);
        list_->SetAlign(TAlign::alClient);
        list_->AddColumn({"昵称", 110});
        list_->AddColumn({"游戏豆", 96});
    }
    void DoUserList(int, const TPluginUserSlots&) override { Refill(); }
    void DoUserEnter(const STRU_PLUGIN_USERINFO& user) override {
        TCustomPluginUser::DoUserEnter(user);
        Refill();
    }
    void DoUserLeave(std::int64_t) override { Refill(); }
    void DoScoreBlock(std::uint8_t, int, const TPluginScoreBlock&) override { Refill(); }

protected:
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), Color()); }

private:
    void Refill() {
        TCustomPluginShare* hub = Share();
        if (!hub) return;
        list_->Clear();
        for (const auto& user : hub->Users()) {
            TListItem* item = list_->AddItem();
            item->SetCaption(FilteredNickName(*user));
            item->SetSubItems({std::to_string(user->Beans)});
            item->SetTag(user->UserID);
        }
    }

    TListView* list_{nullptr};
};

// The lines the table shows, coloured by their kind: refusals and banker news red, room settings and
// broadcasts blue, chat black.
class TSimChat : public TCustomPluginChat {
public:
    explicit TSimChat(TComponent* owner) : TCustomPluginChat(owner) {
        view_ = Own(std::make_unique<TRichView>(this));
        view_->SetParent(this);
        view_->SetAlign(TAlign::alClient);
        view_->SetWordWrap(true);
    }
    void AddLine(const std::string& text, std::int64_t kind) override {
        if (view_->LineCount() > 400) view_->DeleteFirstLines(100);
        // Identities above the categories are users: their lines carry the speaker's name.
        if (kind > kLastCategory && Share()) {
            view_->AddLine(
                {TRichRun::Text(Share()->DisplayName(kind) + ": ", 0x805000), TRichRun::Text(text, clBlack)});
            return;
        }
        view_->AddText(text, ColourOf(kind));
    }

protected:
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), Color()); }

private:
    static constexpr std::int64_t kLastCategory = 10000;

    static TColor ColourOf(std::int64_t kind) {
        switch (kind) {
        case 7:
            return 0x0000C0;
        case 10:
            return 0xA04000;
        case 6:
        case 8:
            return 0x008000;
        default:
            return clBlack;
        }
    }

    TRichView* view_{nullptr};
};

class TSimForm : public TPluginCommandForm {
public:
    TSimForm() : TPluginCommandForm(nullptr) {
        SetBounds(0, 0, TTwoEightClient::kTableWidth, TTwoEightClient::kTableHeight);
        SetCaption("百家乐");
        auto* hub = Own(std::make_unique<TPluginShare50>(this));
        SetCommandHub(hub);
        client_ = Own(std::make_unique<TTwoEightClient>(this));
        client_->SetParent(this);
        client_->SetBounds(0, 0, TTwoEightClient::kTableWidth, TTwoEightClient::kTableHeight);
        auto* users = Own(std::make_unique<TSimUserList>(this));
        auto* chat = Own(std::make_unique<TSimChat>(this));
        users->SetParent(this);
        chat->SetParent(this);
        users->SetColor(0xF4F8FA);
        chat->SetColor(0xF0FAFF);
        users->SetBounds(kPanelLeft + kPanelMargin, kPanelMargin, kPanelWidth - 2 * kPanelMargin,
                         kUserListHeight);
        const int chatTop = kPanelMargin * 2 + kUserListHeight;
        chat->SetBounds(kPanelLeft + kPanelMargin, chatTop, kPanelWidth - 2 * kPanelMargin,
                        TTwoEightClient::kTableHeight - chatTop - kPanelMargin);
        hub->SetPluginUser(users);
        hub->SetPluginChat(chat);
        hub->SetPluginClient(client_);
    }
    TTwoEightClient* Client() const { return client_; }

private:
    TTwoEightClient* client_{nullptr};
};

} // namespace

std::unique_ptr<TForm> MakeSimForm() {
    return std::make_unique<TSimForm>();
}

TTwoEightClient* SimFormClient(TForm* form) {
    auto* sim = dynamic_cast<TSimForm*>(form);
    return sim ? sim->Client() : nullptr;
}

} // namespace morvane::tablesim
