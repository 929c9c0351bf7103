#include "host/replay/ReplayForm.h"

#include "base/Gbk.h"
#include "game/TwoEightClient.h"
#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/Edit.h"
#include "gui/ListView.h"
#include "plugin/CustomPluginChat.h"
#include "plugin/CustomPluginDialog.h"
#include "plugin/CustomPluginUser.h"
#include "plugin/PluginCommandForm.h"
#include "plugin/PluginShare50.h"
#include "ui/LovelyMenu.h"

#include <array>

namespace morvane::replay {
namespace {

// The hub with every sound that passes the switches written to the transcript.
class TReplayHub : public TPluginShare50 {
public:
    TReplayHub(TComponent* owner, TReplayTranscript& transcript)
        : TPluginShare50(owner), transcript_(transcript) {}
    void PlaySound(const std::string& fileName) override {
        if (HaveSound() && SoundOn()) transcript_.Add("sound " + EscapeText(gbk::ToUtf8(fileName)));
        TPluginShare50::PlaySound(fileName);
    }

private:
    TReplayTranscript& transcript_;
};

// The users at the table, one row each (nickname and identity); a right click on a row opens the hub's
// user menu for that user.
class TReplayUserList : public TCustomPluginUser {
public:
    explicit TReplayUserList(TComponent* owner) : TCustomPluginUser(owner) {
        list_ = Own(std::make_unique<TListView>(this));
        list_->SetParent(this);
        list_->SetAlign(TAlign::alClient);
        list_->AddColumn({"昵称", 90});
        list_->AddColumn({"ID", 60});
        list_->OnMouseDown = [this](TControl*, TMouseButton button, TShiftState, int x, int y) {
            if (button != TMouseButton::mbRight) return;
            if (TListItem* item = list_->ItemAt({x, y})) {
                list_->SetSelected(item);
                ShowUserMenu(item->Tag());
            }
        };
    }
    void DoUserList(int, const TPluginUserSlots&) override { Refill(); }
    void DoUserEnter(const STRU_PLUGIN_USERINFO& user) override {
        TCustomPluginUser::DoUserEnter(user);
        Refill();
    }
    void DoUserLeave(std::int64_t) override { Refill(); }

private:
    void Refill() {
        list_->Clear();
        TCustomPluginShare* hub = Share();
        if (!hub) return;
        for (const auto& user : hub->Users()) {
            TListItem* item = list_->AddItem();
            item->SetCaption(FixedFieldText(user->NickName, sizeof user->NickName));
            item->SetSubItems({std::to_string(user->UserID)});
            item->SetTag(user->UserID);
        }
    }

    TListView* list_{nullptr};
};

// Chat lines go to the transcript; the input line at the bottom sends its text on Enter.
class TReplayChat : public TCustomPluginChat {
public:
    TReplayChat(TComponent* owner, TReplayTranscript& transcript)
        : TCustomPluginChat(owner), transcript_(transcript) {
        input_ = Own(std::make_unique<TEdit>(this));
        input_->SetParent(this);
        input_->SetAlign(TAlign::alBottom);
        input_->SetMaxLength(200);
        input_->OnKeyDown = [this](TControl*, TKey& key, TShiftState) {
            if (key != VK_RETURN || input_->Text().empty()) return;
            const std::string text = input_->Text();
            input_->Clear();
            SendChat(text);
            key = 0;
        };
    }
    void AddLine(const std::string& text, std::int64_t kind) override {
        transcript_.Add("line kind=" + std::to_string(kind) + " " + EscapeText(gbk::ToUtf8(text)));
    }

protected:
    // No skin picture here: a plain panel in its colour instead of the cleared skin.
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), Color()); }

private:
    TReplayTranscript& transcript_;
    TEdit* input_{nullptr};
};

// A dialog answered from the script instead of a modal loop; its start is written to the transcript.
class TReplayDialog : public TCustomPluginDialog {
public:
    TReplayDialog(TComponent* owner, TReplayTranscript& transcript, std::deque<int>& answers)
        : TCustomPluginDialog(owner), transcript_(transcript), answers_(answers) {}
    int Execute() override {
        std::string line = Caption() + " | " + Message() + " | " + OkCaption();
        if (Buttons() != 0) line += " / " + CancelCaption();
        transcript_.Add("dialog " + EscapeText(gbk::ToUtf8(line)));
        if (answers_.empty()) return mrAccepted;
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

private:
    TReplayTranscript& transcript_;
    std::deque<int>& answers_;
};

// The chip cursors of the library, slot k holding the k-th smallest chip; the table selects a chip by
// making its slot the cursor.
constexpr std::array<const char*, 10> kChipCursors{"100Cur", "500Cur", "1000Cur", "5000Cur", "1wcur",
                                                   "5wcur",  "10wCur", "50wCur",  "100wCur", "500wCur"};

// The whole table at the origin (table coordinates are form coordinates); the user list and the chat sit
// over the hall side of the felt, right of the table's 800-pixel area.
constexpr TRect kUserListBounds{810, 40, 1010, 300};
constexpr TRect kChatBounds{810, 310, 1010, 710};

// The table client, a user list and a chat panel; the hub's frames are handed over in the form's thread.
class TReplayForm : public TPluginCommandForm {
public:
    TReplayForm(TReplayTranscript& transcript, std::deque<int>& answers) : TPluginCommandForm(nullptr) {
        SetBounds(0, 0, TTwoEightClient::kTableWidth, TTwoEightClient::kTableHeight);
        for (std::size_t slot = 0; slot < kChipCursors.size(); ++slot)
            Application().SetCursor(int(slot) + 1, kChipCursors[slot]);
        auto* hub = Own(std::make_unique<TReplayHub>(this, transcript));
        SetCommandHub(hub);
        auto* client = Own(std::make_unique<TTwoEightClient>(this));
        auto* user = Own(std::make_unique<TReplayUserList>(this));
        auto* chat = Own(std::make_unique<TReplayChat>(this, transcript));
        auto* dialog = Own(std::make_unique<TReplayDialog>(this, transcript, answers));
        // The client first, so that the panels lie above the felt.
        for (TControl* control : std::initializer_list<TControl*>{client, user, chat, dialog})
            control->SetParent(this);
        client->SetBounds(0, 0, TTwoEightClient::kTableWidth, TTwoEightClient::kTableHeight);
        user->SetBounds(kUserListBounds.left, kUserListBounds.top, kUserListBounds.Width(),
                        kUserListBounds.Height());
        chat->SetBounds(kChatBounds.left, kChatBounds.top, kChatBounds.Width(), kChatBounds.Height());
        chat->SetColor(0xF0FAFF);
        // The dialog has nothing to show here.
        dialog->SetVisible(false);
        // Chips fall and other players' chips thin out by chance; a fixed seed keeps transcripts repeatable.
        client->Random().SetSeed(20260101);
        hub->SetPluginUser(user);
        hub->SetPluginChat(chat);
        hub->SetPluginClient(client);
        hub->SetPluginDialog(dialog);
        hub->SetLovelyMenu(Own(std::make_unique<TLovelyMenu>(this)));
    }
};

} // namespace

std::unique_ptr<TForm> MakeReplayForm(TReplayTranscript& transcript, std::deque<int>& answers) {
    return std::make_unique<TReplayForm>(transcript, answers);
}

} // namespace morvane::replay
