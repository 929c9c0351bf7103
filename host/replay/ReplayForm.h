#pragma once

#include "gui/Form.h"
#include "host/replay/ReplayTranscript.h"

#include <deque>
#include <memory>

namespace morvane::replay {

// The plain table form the replay registers under the table's form class name until the table's main
// form exists: a hub with the baccarat table client at the origin (the chip cursors in slots 1 … 10) and
// the table's real user list, chat and dialog right of the table. The dialog is answered from the script.
// Chat lines, sounds and dialogs are written to the transcript.
std::unique_ptr<TForm> MakeReplayForm(TReplayTranscript& transcript, std::deque<int>& answers);

} // namespace morvane::replay
