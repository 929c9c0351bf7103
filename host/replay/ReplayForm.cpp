#include "host/replay/ReplayForm.h"

#include "base/Gbk.h"
#include "game/TwoEightClient.h"
#include "graphics/PictureResources.h"
#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/SystemColors.h"
#include "panels/HallSkin.h"
#include "panels/PluginChat50.h"
#include "panels/PluginDialog50.h"
#include "panels/PluginUser50.h"
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

// The transcript watches the real chat and dialog: every line as the hub passed it, every dialog when
// its run starts; the dialog then takes the script's next answer (1 when none is queued) as if a
// button had been pressed.
void ObservePanels(TPluginChat50& chat, TPluginDialog50& dialog, TReplayTranscript& transcript,
                   std::deque<int>& answers) {
    chat.OnLineAdded = [&transcript](const std::string& text, std::int64_t kind) {
        transcript.Add("line kind=" + std::to_string(kind) + " " + EscapeText(gbk::ToUtf8(text)));
    };
    dialog.OnExecuteStart = [&transcript, &answers](TPluginDialog50& running) {
        std::string line = running.Caption() + " | " + running.Message() + " | " + running.OkCaption();
        if (running.Buttons() != 0) line += " / " + running.CancelCaption();
        transcript.Add("dialog " + EscapeText(gbk::ToUtf8(line)));
        int answer = TCustomPluginDialog::mrAccepted;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        // Answer 0 gives no answer: the dialog's countdown decides.
        if (answer == 0) return;
        const TControlHandle handle = running.Handle();
        Application().System().Post([handle, answer] {
            if (auto* target = dynamic_cast<TPluginDialog50*>(Application().FindControl(handle)))
                target->SetModalResult(answer);
        });
    };
}

// The whole table at the origin (table coordinates are form coordinates); the user list and the chat sit
// over the hall side of the felt, right of the table's 800-pixel area.
constexpr TRect kUserListBounds{810, 40, 1010, 300};
constexpr TRect kChatBounds{810, 310, 1010, 710};

// The panels dressed as the table dresses them: the user list's columns (nickname, level, beans,
// score), the chat's view over its buttons and input line, the dialog's skin.
void LayOutPanels(TForm& form, TPluginUser50& user, TPluginChat50& chat, TPluginDialog50& dialog) {
    user.HideColumn(TPluginUser50::ctUserId);
    user.HideColumn(TPluginUser50::ctGold);
    const std::pair<int, const char*> columns[] = {{TPluginUser50::ctNickName, "昵称"},
                                                   {TPluginUser50::ctLevel, "等级"},
                                                   {TPluginUser50::ctBean, "游戏豆"},
                                                   {TPluginUser50::ctScore, "积分"}};
    for (const auto& [tag, caption] : columns) {
        user.SetColumnCaption(tag, caption);
        user.SetColumnWidth(tag, tag == TPluginUser50::ctNickName ? 52 : 36);
    }
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
    DressFloatingPanel(dialog);
    dialog.SetButtonImages(MakeButtonList(form, "HALLBTN"));
    dialog.SetCloseImages(MakeButtonList(form, "CLOSE"));
}

// The chip cursors of the library, slot k holding the k-th smallest chip; the table selects a chip by
// making its slot the cursor.
constexpr std::array<const char*, 10> kChipCursors{"100Cur", "500Cur", "1000Cur", "5000Cur", "1wcur",
                                                   "5wcur",  "10wCur", "50wCur",  "100wCur", "500wCur"};

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
        auto* user = Own(std::make_unique<TPluginUser50>(this));
        auto* chat = Own(std::make_unique<TPluginChat50>(this));
        auto* dialog = Own(std::make_unique<TPluginDialog50>(this));
        // The client first, so that the panels and the dialog lie above the felt.
        for (TControl* control : std::initializer_list<TControl*>{client, user, chat, dialog})
            control->SetParent(this);
        ObservePanels(*chat, *dialog, transcript, answers);
        client->SetBounds(0, 0, TTwoEightClient::kTableWidth, TTwoEightClient::kTableHeight);
        user->SetBounds(kUserListBounds.left, kUserListBounds.top, kUserListBounds.Width(),
                        kUserListBounds.Height());
        chat->SetBounds(kChatBounds.left, kChatBounds.top, kChatBounds.Width(), kChatBounds.Height());
        dialog->SetBounds(262, 292, 300, 150);
        LayOutPanels(*this, *user, *chat, *dialog);
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
