#include "host/replay/ReplaySession.h"

#include "plugin/PluginInterface50.h"
#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace morvane::replay {
namespace {

// A whole round with chat, a bet and a settlement, played to its end and finalised; screenshots are left
// out. Its own cookie keeps the table marker apart from other runs.
std::vector<TReplayCommand> RoundStory() {
    const std::filesystem::path script = std::filesystem::path(MORVANE_REPLAY_SCRIPTS) / "round.script";
    std::ifstream in(script);
    EXPECT_TRUE(in) << "cannot read " << script;
    std::ostringstream kept;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("shot ")) continue;
        if (line.starts_with("init ")) line = "init cookie=" + std::to_string(881000000 + ::getpid()) +
                                              " user=1001";
        kept << line << '\n';
    }
    std::istringstream input(kept.str());
    return ParseReplayScript(input);
}

constexpr int kCallsTried = 8;

struct TRun {
    std::string transcript;
    std::vector<std::string> calls;
    std::vector<std::string> refusals;
    std::string error;
    bool Refused(const std::string& command) const {
        return std::any_of(refusals.begin(), refusals.end(), [&](const std::string& refusal) {
            return refusal.ends_with("answered " + command + " with a failure");
        });
    }
};

TRun Play(const std::vector<TReplayCommand>& commands) {
    test::TempDir folder;
    TRun run;
    std::ostringstream out;
    {
        TReplaySession session(out, folder.Path().string());
        try {
            session.Run(commands);
        } catch (const std::exception& error) {
            run.error = error.what();
        }
        run.calls = session.Hall().Calls();
        run.refusals = session.Refusals();
    }
    run.transcript = out.str();
    return run;
}

// The hall fails each of its seven operations once, at every call the table makes of it in a whole round:
// the table abandons what that call was for and goes on, the round's later frames still act, the table
// still reports its close when finalised, and nothing of it is left once the hall has released it.
TEST(ReplayHallFailures, EveryHostCallMayFailOnceAndTheTableStillPlaysOnAndCloses) {
    const std::vector<TReplayCommand> story = RoundStory();
    const TRun clean = Play(story);
    ASSERT_EQ(clean.error, "");
    ASSERT_NE(clean.transcript.find("closed\n"), std::string::npos);
    const std::string lastSend = "send to=0 len=9 0be903000000000000\n"; // the leave frame of Finalize

    int failures = 0;
    for (const std::string& operation : TTestHallHost::Operations()) {
        // The first calls of each operation reach every place the round calls it from; later ones repeat
        // those places (every chat line passes the text filter).
        const int calls = int(std::count(clean.calls.begin(), clean.calls.end(), operation));
        for (int nth = 1; nth <= std::min(calls, kCallsTried); ++nth) {
            SCOPED_TRACE(operation + " failing at call " + std::to_string(nth));
            std::vector<TReplayCommand> commands = story;
            TReplayCommand fail;
            fail.name = "hall";
            fail.words = {"fail", operation, std::to_string(nth)};
            fail.text = "fail";
            fail.number = nth;
            commands.insert(commands.begin(), fail);
            const TRun run = Play(commands);
            EXPECT_EQ(run.error, "");
            EXPECT_EQ(TPluginInterface50::LiveObjects(), 0);
            // PluginClosed is called even when the hall fails it, and after everything else.
            EXPECT_NE(run.transcript.find("closed\n"), std::string::npos);
            // Only a failing SendData can lose the leave frame, and only when it is that very call.
            if (operation != "SendData" || nth != calls) {
                EXPECT_NE(run.transcript.find(lastSend), std::string::npos);
            }
            // The round went on after the failure: unless the table's start itself was refused, the game
            // over still plays its sound.
            if (!run.Refused("init")) {
                EXPECT_NE(run.transcript.find("sound GameOver.wav\n"), std::string::npos);
            }
            // A failure that reached the hall as a result was one of its own calls' failures, nothing else.
            EXPECT_LE(run.refusals.size(), 1u);
            ++failures;
        }
    }
    EXPECT_GE(failures, 12);
}

} // namespace
} // namespace morvane::replay
