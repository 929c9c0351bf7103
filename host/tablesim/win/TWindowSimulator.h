#pragma once

#include "host/tablesim/SimOptions.h"
#include "host/tablesim/win/LibraryRegistration.h"
#include "plugin/QXOpenInterface_TLB.h"

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>

struct HWND__;

namespace morvane::tablesim {

class THallHostObject;
class THallNetwork;

// The table simulator on Windows, on the thread that runs it (the table's user-interface thread): it
// registers the library, creates the table object through COM with a hall host object of its own,
// opens the table's real window and pumps messages until the rounds asked for are played or the person
// at the window leaves the table. The server runs on the hall's network thread (THallNetwork); what that
// thread asks for here (screenshots, the local player's clicks, the end) arrives as tasks through a
// message-only window, so that the table's own modal loops run them too.
class TWindowSimulator {
public:
    static constexpr std::int64_t kCookie = 0x5A17;

    TWindowSimulator(TSimOptions options, std::ostream& progress);
    ~TWindowSimulator();
    TWindowSimulator(const TWindowSimulator&) = delete;
    TWindowSimulator& operator=(const TWindowSimulator&) = delete;

    // Plays. False, with `error` set, when the library cannot be registered or created, its window does
    // not appear, or a screenshot or the round log cannot be written.
    bool Run(std::string& error);

    // [What happened]
    int RoundsPlayed() const { return roundsPlayed_; }
    int ShotsWritten() const { return shotsWritten_; }
    int OwnBetsTried() const { return betsTried_; }
    int OwnBetsAccepted() const { return betsAccepted_; }
    // The person at the window left the table before the rounds were played.
    bool LeftEarly() const { return leftEarly_; }

private:
    struct TReleaseCom {
        void operator()(IUnknown* object) const { object->Release(); }
    };

    bool OpenTable(std::string& error);
    void Play();
    void CloseTable();

    // Runs `task` on this thread soon; callable from any thread.
    void Post(std::function<void()> task);
    void RunPostedTasks();
    bool CreateTaskWindow();
    friend struct TTaskWindowProc;

    void TakeShot(const std::string& path);
    void PlaceBet(int chipButton, std::uint8_t region);
    void Click(int x, int y);

    TSimOptions options_;
    std::ostream& progress_;
    std::string libraryPath_;
    TLibraryRegistration registration_;
    HWND__* taskWindow_{nullptr};
    std::mutex taskMutex_;
    std::deque<std::function<void()>> tasks_;

    std::unique_ptr<THallHostObject, TReleaseCom> host_;
    std::unique_ptr<IQXOpenInterface, TReleaseCom> table_;
    std::unique_ptr<THallNetwork> network_;
    HWND__* window_{nullptr};

    bool done_{false};
    bool leftEarly_{false};
    std::string failure_;
    int roundsPlayed_{0};
    int shotsWritten_{0};
    int betsTried_{0};
    int betsAccepted_{0};
};

} // namespace morvane::tablesim
