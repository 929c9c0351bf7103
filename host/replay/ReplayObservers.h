#pragma once

#include "host/replay/ReplayTranscript.h"

#include <deque>

namespace morvane {
class TFormPluginClient;
}

namespace morvane::replay {

// Ties the transcript to the table's real form: every chat line as the hub passed it, every sound that
// passes the switches, and every dialog when its run starts; the dialog then takes the script's next
// answer. The table's chance (where chips fall, which chips of others thin out) gets a fixed seed, so
// that transcripts repeat.
void ObserveTable(TFormPluginClient& form, TReplayTranscript& transcript, std::deque<int>& answers);

} // namespace morvane::replay
