#include "host/replay/ReplayObservers.h"

#include "base/Gbk.h"
#include "form/FormPluginClient.h"
#include "game/TwoEightClient.h"
#include "gui/Application.h"
#include "panels/PluginChat50.h"
#include "panels/PluginDialog50.h"
#include "plugin/PluginShare50.h"

#include <ctime>

namespace morvane::replay {
namespace {

constexpr std::uint32_t kTableSeed = 20260101;
// 2026-01-01 00:00:00 UTC: the date the table's clock reads when the script starts.
constexpr std::time_t kReplayEpoch = 1767225600;

void ObserveDialog(TPluginDialog50& dialog, TReplayTranscript& transcript, std::deque<int>& answers) {
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

} // namespace

void ObserveTable(TFormPluginClient& form, TReplayTranscript& transcript, std::deque<int>& answers) {
    if (auto* client = dynamic_cast<TTwoEightClient*>(form.GameClient())) client->Random().SetSeed(kTableSeed);
    // Names stamped with the time (a screenshot's) follow the script's virtual time from a fixed date, so
    // that a transcript does not depend on when the script runs.
    form.WallClock = [] { return kReplayEpoch + std::time_t(Application().System().TickCount() / 1000); };
    form.PluginShare501()->OnSoundPlayed = [&transcript](const std::string& fileName) {
        transcript.Add("sound " + EscapeText(gbk::ToUtf8(fileName)));
    };
    form.PluginChat501()->OnLineAdded = [&transcript](const std::string& text, std::int64_t kind) {
        transcript.Add("line kind=" + std::to_string(kind) + " " + EscapeText(gbk::ToUtf8(text)));
    };
    ObserveDialog(*form.PluginDialog501(), transcript, answers);
}

} // namespace morvane::replay
