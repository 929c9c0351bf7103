#include "host/replay/ReplayForm.h"

#include "base/Gbk.h"
#include "game/TwoEightClient.h"
#include "graphics/PictureResources.h"
#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/SystemColors.h"
#include "host/HallPanels.h"
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
        PlaceHallPanels(*this, *user, *chat);
        dialog->SetBounds(262, 292, 300, 150);
        DressHallDialog(*this, *dialog);
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
