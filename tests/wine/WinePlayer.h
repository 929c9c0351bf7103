#pragma once
// A person at a table under Wine: plays a replay script's steps from a thread of its own, as a hall's
// network thread and a person's hands would: frames through PostCommand, clicks and moves as mouse
// messages on the table's window, typing as characters and keys on the window in front (the table, or a
// dialog it opened), the answer to a dialog as Enter or Escape, waits in real time. The UI thread only
// pumps messages meanwhile, as the hall's does.

#include "tests/wine/WineHall.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace morvane::wine {

class TPlayer {
public:
    // Made on the UI thread (`uiThread`), whose pump tells the player when it has taken what was posted.
    TPlayer(morvane::IQXOpenInterface& table, const std::vector<Bytes>& frames, HWND window, DWORD uiThread,
            TChecks& checks);
    ~TPlayer();
    TPlayer(const TPlayer&) = delete;
    TPlayer& operator=(const TPlayer&) = delete;

    bool Ready() const { return settleWindow_ != nullptr; }

    // Plays the script's commands the player does not know (the hall's own, such as "hall ..."); true
    // when one went in. Without it such a step fails.
    std::function<bool(const TScriptStep& step)> otherStep;

    // Waits until the UI thread has taken everything posted to it so far; false after ten seconds.
    bool Settle();

    // Plays every step up to "finalize" (which the UI thread does itself) and says whether each went in.
    void Play(const std::vector<TScriptStep>& steps);

private:
    bool Step(const TScriptStep& step);
    bool Frame(std::size_t number);
    void Click(int x, int y, bool right);
    static void PressKey(HWND window, UINT key);
    HWND FrontWindow() const;
    HWND WaitForDialog() const;

    morvane::IQXOpenInterface& table_;
    const std::vector<Bytes>& frames_;
    HWND window_;
    std::atomic<int> settled_{0};
    HWND settleWindow_;
    DWORD uiThread_;
    TChecks& checks_;
    std::size_t frameIndex_{0};
};

// Plays a script's steps into a table's window from a second thread while this (the UI) thread pumps;
// false when the steps took longer than `timeoutMs`.
bool PlayIntoWindow(morvane::IQXOpenInterface& table, const TScript& script, HWND window, TChecks& checks,
                    DWORD timeoutMs);

// Whether a frame the table sent is the one the headless table sent. A request of the coffer (table
// command 5) ends with the network adapter's address, which is the machine's own: two such requests are
// the same when they agree up to it and in length.
bool SameRequest(const std::string& expectedHex, const std::string& sentHex);

} // namespace morvane::wine
