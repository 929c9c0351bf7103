#pragma once

#include "gui/Form.h"
#include "host/replay/ReplayTranscript.h"

#include <deque>
#include <memory>

namespace morvane::replay {

// The plain table form the replay registers under the table's form class name until the table's main
// form exists: a hub with the table's user list, chat and dialog, and a client with the base behaviour.
// The dialog is answered from the script. Chat lines, sounds and dialogs are written to the transcript.
std::unique_ptr<TForm> MakeReplayForm(TReplayTranscript& transcript, std::deque<int>& answers);

} // namespace morvane::replay
