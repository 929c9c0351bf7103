#include "host/replay/ReplayForm.h"

#include "base/Gbk.h"
#include "graphics/PictureResources.h"
#include "gui/Canvas.h"
#include "gui/SystemColors.h"
#include "panels/HallSkin.h"
#include "panels/PluginChat50.h"
#include "panels/PluginDialog50.h"
#include "panels/PluginUser50.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/PluginCommandForm.h"
#include "plugin/PluginShare50.h"
#include "ui/LovelyMenu.h"

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

// A client with the base behaviour only: it keeps the table settings and seats the hub asks about.
class TReplayClient : public TCustomPluginClient {
public:
    using TCustomPluginClient::TCustomPluginClient;
    void GetFacePath(std::string& path) override { path.clear(); }
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
    } buttons[] = {{TPluginChat50::cbEmotion, "CHATFACE", 240 - 8 - 18, 6},
                   {TPluginChat50::cbAction, "CHATACTION", 240 - 30 - 18, 6},
                   {TPluginChat50::cbShout, "CHATSHOUT", 240 - 52 - 18, 6},
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

// User list on the left (160 × 300), chat on the right; the hub's frames are handed over in the form's
// thread.
class TReplayForm : public TPluginCommandForm {
public:
    TReplayForm(TReplayTranscript& transcript, std::deque<int>& answers) : TPluginCommandForm(nullptr) {
        SetBounds(0, 0, 400, 300);
        auto* hub = Own(std::make_unique<TReplayHub>(this, transcript));
        SetCommandHub(hub);
        auto* user = Own(std::make_unique<TPluginUser50>(this));
        auto* chat = Own(std::make_unique<TPluginChat50>(this));
        auto* client = Own(std::make_unique<TReplayClient>(this));
        auto* dialog = Own(std::make_unique<TPluginDialog50>(this));
        for (TControl* control : std::initializer_list<TControl*>{user, chat, client, dialog})
            control->SetParent(this);
        ObservePanels(*chat, *dialog, transcript, answers);
        user->SetBounds(0, 0, 160, 300);
        chat->SetBounds(160, 0, 240, 300);
        dialog->SetBounds(50, 75, 300, 150);
        LayOutPanels(*this, *user, *chat, *dialog);
        // The client has nothing to show here.
        client->SetVisible(false);
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
