#pragma once

#include "gui/Application.h"
#include "host/replay/ReplayHost.h"
#include "host/replay/ReplayScript.h"
#include "host/replay/ReplayTranscript.h"
#include "platform/headless/HeadlessPlatform.h"

#include <deque>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace morvane {
class TPluginInterface50;
}

namespace morvane::replay {

// The headless platform with the replay's answers: message boxes take theirs from the same queue as
// the table's dialogs, so that `answer` serves whichever asks first.
class TReplayPlatform : public THeadlessPlatform {
public:
    explicit TReplayPlatform(std::deque<int>& answers) : answers_(answers) {}
    int MessageBox(const std::string& caption, const std::string& text, std::uint32_t buttons) override;

private:
    std::deque<int>& answers_;
};

// A command that fails while it runs (a screenshot that cannot be written); commands out of order
// (before `init`, a second `init`) are script errors.
class TReplayRunError : public TReplayScriptError {
public:
    using TReplayScriptError::TReplayScriptError;
};

// Runs a script against a table object created the way the host creates it, with the test hall host
// behind it, and writes the transcript. The table's form class is registered for the session's life.
class TReplaySession {
public:
    // `libraryFolder` is the table's library folder in host form (the game's INI file is looked up there).
    TReplaySession(std::ostream& out, const std::string& libraryFolder);
    ~TReplaySession();
    TReplaySession(const TReplaySession&) = delete;
    TReplaySession& operator=(const TReplaySession&) = delete;

    void Run(const std::vector<TReplayCommand>& commands);
    // Host calls the table refused (a failure result), as "line N: ..." messages.
    const std::vector<std::string>& Refusals() const { return refusals_; }

private:
    struct TReleaseTable {
        void operator()(TPluginInterface50* table) const;
    };

    void Execute(const TReplayCommand& command);
    void Init(const TReplayCommand& command);
    TPluginInterface50& Table(const TReplayCommand& command);
    TPoint FormPoint(const TReplayCommand& command);
    void Check(const TReplayCommand& command, long result);

    std::deque<int> answers_;
    TReplayPlatform platform_{answers_};
    TApplication app_{platform_};
    TReplayTranscript transcript_;
    TReplayHost host_;
    std::unique_ptr<TPluginInterface50, TReleaseTable> table_;
    std::vector<std::string> refusals_;
};

} // namespace morvane::replay
