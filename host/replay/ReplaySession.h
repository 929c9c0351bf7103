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
class TComponent;
class TForm;
class TPluginInterface50;
} // namespace morvane

namespace morvane::replay {

// The headless platform with the replay's answers: message boxes take theirs from the same queue as
// the table's dialogs, so that `answer` serves whichever asks first. Time moves only with the script's
// `wait`: a modal window that finds nothing to do does not run the clock on by itself but asks the
// script for its next command.
class TReplayPlatform : public THeadlessPlatform {
public:
    explicit TReplayPlatform(std::deque<int>& answers) : answers_(answers) {}
    int MessageBox(TWindowId owner, const std::string& caption, const std::string& text,
                   std::uint32_t buttons) override;
    bool ProcessOneMessage(bool) override { return THeadlessPlatform::ProcessOneMessage(false); }

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
    // `libraryFolder` is the table's library folder in host form (the game's INI file is looked up there);
    // the hall answers with it for its own folder too (where screenshots go).
    TReplaySession(std::ostream& out, const std::string& libraryFolder);
    ~TReplaySession();
    TReplaySession(const TReplaySession&) = delete;
    TReplaySession& operator=(const TReplaySession&) = delete;

    void Run(const std::vector<TReplayCommand>& commands);
    // Host calls the table refused (a failure result), as "line N: ..." messages.
    const std::vector<std::string>& Refusals() const { return refusals_; }
    // The hall as the table saw it: the calls it made, the frames it sent.
    const TTestHallHost& Hall() { return host_.Inner(); }

private:
    struct TReleaseTable {
        void operator()(TPluginInterface50* table) const;
    };

    void Execute(const TReplayCommand& command);
    // A modal window of the table waits: it is announced once, answered when an answer is queued, and
    // otherwise the script's next command runs inside it.
    bool ModalIdle();
    TForm* ModalForm() const;
    // Where the table's windows hang: the form and the table client it holds.
    std::vector<const TComponent*> TableRoots() const;
    // The line of the command that ran last.
    int LastLine() const;
    void Shot(const TReplayCommand& command);
    void Init(const TReplayCommand& command);
    TPluginInterface50& Table(const TReplayCommand& command);
    void Hall(const TReplayCommand& command);
    // The hall drops its reference: the table may go at once, or once its code on the stack is done.
    void ReleaseTable();
    // The screen pixel showing a point of the table's form named by the command.
    TPoint FormPoint(const TReplayCommand& command);
    void Check(const TReplayCommand& command, long result);

    std::deque<int> answers_;
    TReplayPlatform platform_{answers_};
    TApplication app_{platform_};
    TReplayTranscript transcript_;
    TReplayHost host_;
    std::unique_ptr<TPluginInterface50, TReleaseTable> table_;
    std::vector<std::string> refusals_;
    const std::vector<TReplayCommand>* commands_{nullptr};
    std::size_t next_{0};
    TForm* announcedModal_{nullptr};
    bool released_{false};
    // What the hall does when the table reports its close.
    enum class TCloseAnswer { kNothing, kRelease, kPostRelease } closeAnswer_{TCloseAnswer::kNothing};
};

} // namespace morvane::replay
