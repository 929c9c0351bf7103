// A hall that is hard on its tables, under Wine, with the real window: frames handed over from two hall
// threads at once while the UI thread pumps; the player's own leave frame from a hall thread with the hall
// releasing the table inside PluginClosed; the last release on a hall thread; the close button, the
// coffer's deposit dialog and a message box of the table with the hall releasing inside PluginClosed.
// Each table must take every frame once, close once, and go with its window on the UI thread once its
// code has returned; a table that stays behind keeps the library from unloading.
//   wine_table_lifetime <Morvane.dll> <folder of the replay scripts>
// Exits 0 only when every check held; each check prints one line.
#include "tests/wine/WineHall.h"
#include "tests/wine/WinePlayer.h"

#include <atomic>
#include <thread>
#include <utility>

namespace {

using namespace morvane::wine;

using TCanUnloadNow = HRESULT(STDAPICALLTYPE*)();

constexpr std::int64_t kMe = 1001;
// The coffer's reply: table command 21, its record after the 10 bytes of the frame's head; the record's
// byte 10 is its error flag, which makes the table show the reply's text in a message box.
constexpr std::uint8_t kCofferReplyCommand = 21;
constexpr std::size_t kCofferErrorAt = 10 + 10;

Bytes TableFrame(std::int64_t user, std::uint8_t cmd, const std::string& payload = {}) {
    Bytes frame{3};
    PutI64(frame, user);
    frame.push_back(cmd);
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

Bytes UserLeaves(std::int64_t user) {
    Bytes frame{12};
    PutI64(frame, user);
    return frame;
}

// The library, loaded as a hall loads it, and its class object.
class TLibrary {
public:
    explicit TLibrary(const std::string& path) : module_(LoadLibraryW(Wide(path).c_str())) {
        if (!module_) return;
        getClassObject_ = reinterpret_cast<TGetClassObject>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
        canUnloadNow_ = reinterpret_cast<TCanUnloadNow>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
    }
    bool Loaded() const { return getClassObject_ && canUnloadNow_; }

    morvane::IQXOpenInterface* NewTable() const { return morvane::wine::NewTable(getClassObject_); }
    // No table object is left in the library.
    bool NoTableLeft() const { return canUnloadNow_() == S_OK; }

private:
    HMODULE module_;
    TGetClassObject getClassObject_{nullptr};
    TCanUnloadNow canUnloadNow_{nullptr};
};

// One table as the hall holds it: the hall's reference (none once it has released it), its host, its
// window. With releaseOnClose the hall drops its reference inside PluginClosed, on whatever path the
// table closed.
struct THeldTable {
    std::atomic<morvane::IQXOpenInterface*> object{nullptr};
    THallHost host;
    HWND window{nullptr};
    std::atomic<bool> releaseOnClose{false};

    void Release() {
        if (morvane::IQXOpenInterface* held = object.exchange(nullptr)) held->Release();
    }
};

// Every table of the run gets a cookie of its own, so that no one is taken for another's duplicate.
std::int64_t NextCookie() {
    static std::int64_t cookie = 0x6A000000;
    return ++cookie;
}

bool Open(const TLibrary& library, THeldTable& table, const std::string& title) {
    table.object = library.NewTable();
    if (!table.object) return false;
    table.host.onPluginClosed = [&table] {
        if (table.releaseOnClose) table.Release();
    };
    const std::int64_t me = kMe;
    if (table.object.load()->SetRequestInterface(&table.host) != S_OK ||
        table.object.load()->Initialize(NextCookie(), title.c_str(), &me, "Nick", 0, 0, 0, 0) != S_OK)
        return false;
    table.window = FindWindowW(nullptr, Wide(title + "[Nick]").c_str());
    return table.window != nullptr;
}

// Runs `work` on a thread of the hall while this (the UI) thread pumps; false when it took longer than
// the timeout (the pump goes on until it is done all the same). Then lets what the table posted run.
bool OnHallThread(const std::function<void()>& work, DWORD timeoutMs = 30000) {
    std::atomic<bool> done{false};
    std::thread hall([&] {
        work();
        done = true;
    });
    const bool inTime = PumpUntil([&] { return done.load(); }, timeoutMs);
    if (!inTime) PumpUntil([&] { return done.load(); }, INFINITE);
    hall.join();
    PumpUntil([] { return false; }, 300);
    return inTime;
}

HRESULT Post(morvane::IQXOpenInterface* table, const Bytes& frame) {
    return table->PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data()));
}

// The table closed once, went with its window and left nothing of itself in the library.
void GoneChecks(TChecks& checks, const TLibrary& library, const THeldTable& table, const std::string& how) {
    checks.Check(table.host.closed == 1, how + ": the table reported its close once");
    checks.Check(!table.object.load(), how + ": the hall released it");
    checks.Check(!IsWindow(table.window), how + ": its window is gone");
    checks.Check(library.NoTableLeft(), how + ": no table object is left in the library");
}

// [SECTION] Frames from the hall's threads

void FramesFromTwoThreadsChecks(TChecks& checks, const TLibrary& library) {
    THeldTable table;
    checks.Check(Open(library, table, "Lifetime two threads"), "a table opens for two hall threads");
    if (!table.window) return;
    constexpr int kEach = 150;
    std::atomic<int> failures{0};
    morvane::IQXOpenInterface* object = table.object;
    const std::size_t filteredBefore = table.host.filtered.size();
    auto post = [&](char who) {
        for (int i = 0; i < kEach; ++i)
            if (Post(object, TableFrame(7, 67, who + std::to_string(i))) != S_OK) ++failures;
    };
    const bool inTime = OnHallThread([&] {
        std::thread other([&] { post('B'); });
        post('A');
        other.join();
    });
    checks.Check(inTime && failures == 0,
                 "two hall threads hand over 300 chat lines at once while this one pumps");
    std::map<std::string, int> shown;
    for (std::size_t i = filteredBefore; i < table.host.filtered.size(); ++i)
        ++shown[table.host.filtered[i]];
    int once = 0;
    for (char who : {'A', 'B'})
        for (int i = 0; i < kEach; ++i)
            once += shown[who + std::to_string(i)] == 1;
    const std::size_t filtered = table.host.filtered.size() - filteredBefore;
    checks.Check(once == 2 * kEach && filtered == std::size_t(2 * kEach),
                 "each line was taken once, none lost or taken for the other's (" + std::to_string(once) +
                     " of 300 once, " + std::to_string(filtered) + " lines filtered)");
    table.releaseOnClose = true;
    checks.Check(table.object.load()->Finalize() == S_OK, "the table closes");
    PumpUntil([] { return false; }, 300);
    GoneChecks(checks, library, table, "Finalize with a release in PluginClosed");
}

void LeaveFrameFromHallThreadChecks(TChecks& checks, const TLibrary& library) {
    THeldTable table;
    checks.Check(Open(library, table, "Lifetime leave frame"), "a table opens for the leave frame");
    if (!table.window) return;
    table.releaseOnClose = true;
    morvane::IQXOpenInterface* object = table.object;
    HRESULT result = E_FAIL;
    const bool inTime = OnHallThread([&] {
        // Lines first, so that the UI thread has painting to do while the leave frame comes.
        for (int i = 0; i < 40; ++i)
            Post(object, TableFrame(7, 67, "line " + std::to_string(i)));
        result = Post(object, UserLeaves(kMe));
    });
    checks.Check(inTime && result == S_OK, "the player's leave frame from a hall thread is taken");
    GoneChecks(checks, library, table, "the leave frame from a hall thread");
}

void LastReleaseOnHallThreadChecks(TChecks& checks, const TLibrary& library) {
    THeldTable table;
    checks.Check(Open(library, table, "Lifetime release"), "a table opens for a release on a hall thread");
    if (!table.window) return;
    checks.Check(table.object.load()->Finalize() == S_OK && table.host.closed == 1, "the table closes");
    morvane::IQXOpenInterface* object = table.object;
    OnHallThread([&] {
        for (int i = 0; i < 40; ++i)
            Post(object, TableFrame(7, 67, "late " + std::to_string(i)));
        table.Release();
    });
    GoneChecks(checks, library, table, "the last release on a hall thread");
}

// [SECTION] A person at the table, the hall releasing inside PluginClosed

struct TOtherWindowSearch {
    HWND table;
    bool found{false};
};

BOOL CALLBACK FindOtherWindow(HWND window, LPARAM search) {
    auto& find = *reinterpret_cast<TOtherWindowSearch*>(search);
    if (window != find.table && IsWindowVisible(window)) find.found = true;
    return !find.found;
}

// Whether a window of the table's thread other than the table itself shows: a dialog it opened.
bool DialogShows(DWORD uiThread, HWND table) {
    TOtherWindowSearch search{table};
    EnumThreadWindows(uiThread, &FindOtherWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Plays a replay script's steps from a hall thread: "hall release-on-close" makes the hall release in
// PluginClosed, "finalize" is the hall's Finalize from that thread. Says whether a dialog of the table
// showed when the hall finalised.
bool PlayScript(TChecks& checks, THeldTable& table, const TScript& script) {
    TPlayer player(*table.object.load(), script.frames, table.window, GetCurrentThreadId(), checks);
    player.otherStep = [&table](const TScriptStep& step) {
        if (step.command != "hall" || step.argument != "release-on-close") return false;
        table.releaseOnClose = true;
        return true;
    };
    bool finalize = false;
    for (const TScriptStep& step : script.steps)
        finalize = finalize || step.command == "finalize";
    HRESULT finalized = S_OK;
    bool dialogShowed = false;
    const DWORD uiThread = GetCurrentThreadId();
    const bool inTime = OnHallThread(
        [&] {
            if (!player.Ready()) return;
            player.Play(script.steps);
            dialogShowed = DialogShows(uiThread, table.window);
            // The hall's reference goes inside this call, which holds the last one until it returns.
            if (finalize) finalized = table.object.load()->Finalize();
            player.Settle();
        },
        60000);
    checks.Check(inTime && player.Ready(), "the script was played within a minute");
    if (finalize) checks.Check(finalized == S_OK, "Finalize from the hall's thread succeeds");
    return dialogShowed;
}

// With `dialog`, a dialog of the table must show when the hall finalises, and the table must not send the
// request of the dialog's button.
void ScriptChecks(TChecks& checks, const TLibrary& library, const std::string& folder,
                  const std::string& name, const std::string& how, bool dialog) {
    TScript script;
    checks.Check(ReadScript(folder + "\\" + name + ".script", script), "the script is read: " + name);
    if (script.frames.empty()) return;
    THeldTable table;
    checks.Check(Open(library, table, "Lifetime " + name), "a table opens for " + name);
    if (!table.window) return;
    const bool dialogShowed = PlayScript(checks, table, script);
    if (dialog) {
        checks.Check(dialogShowed, how + ": the dialog showed when the hall finalised");
        int cofferRequests = 0;
        for (const Bytes& frame : table.host.sent)
            cofferRequests += frame.size() > 10 && frame[0] == 3 && frame[9] == 5;
        checks.Check(cofferRequests == 1, how + ": the coffer was asked once, and nothing was deposited (" +
                                              std::to_string(cofferRequests) + " requests)");
    }
    GoneChecks(checks, library, table, how);
}

// The coffer's reply says the request failed: the table shows it in a message box, which runs a loop of
// its own. The hall finalises the table from its thread meanwhile and releases it in PluginClosed.
void MessageBoxChecks(TChecks& checks, const TLibrary& library, const std::string& folder) {
    TScript script;
    checks.Check(ReadScript(folder + "\\coffer-dialog-release-on-close.script", script),
                 "the coffer script is read");
    Bytes reply;
    for (const Bytes& frame : script.frames)
        if (frame.size() > kCofferErrorAt && frame[0] == 3 && frame[9] == kCofferReplyCommand) reply = frame;
    checks.Check(!reply.empty(), "it holds the coffer's reply");
    if (reply.empty()) return;
    reply[kCofferErrorAt] = 1;
    THeldTable table;
    checks.Check(Open(library, table, "Lifetime message box"), "a table opens for a message box");
    if (!table.window) return;
    table.releaseOnClose = true;
    morvane::IQXOpenInterface* object = table.object;
    HWND box = nullptr;
    bool boxEnded = false;
    HRESULT finalized = E_FAIL;
    OnHallThread([&] {
        if (Post(object, reply) != S_OK) return;
        for (int tries = 0; tries < 200 && !box; ++tries) {
            Sleep(50);
            box = FindWindowW(L"#32770", nullptr);
        }
        if (!box) return;
        finalized = object->Finalize();
        for (int tries = 0; tries < 100 && IsWindow(box); ++tries)
            Sleep(50);
        boxEnded = !IsWindow(box);
        // A box left open waits for the player: answer it, so that the table can go on and the run end.
        if (!boxEnded) PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    checks.Check(box != nullptr, "the failed request's text shows in a message box over the table");
    checks.Check(finalized == S_OK, "Finalize from the hall's thread succeeds while the box is open");
    checks.Check(boxEnded, "the message box ends with the table");
    GoneChecks(checks, library, table, "Finalize while a message box is open");
}

} // namespace

int main(int argc, char** argv) {
    TChecks checks;
    if (argc < 3) {
        std::printf("usage: wine_table_lifetime <Morvane.dll> <folder of the replay scripts>\n");
        return 2;
    }
    const TLibrary library(WindowsPath(argv[1]));
    checks.Check(library.Loaded(), std::string("the library loads: ") + argv[1]);
    if (!library.Loaded()) return 1;
    const std::string scripts = WindowsPath(argv[2]);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    FramesFromTwoThreadsChecks(checks, library);
    LeaveFrameFromHallThreadChecks(checks, library);
    LastReleaseOnHallThreadChecks(checks, library);
    ScriptChecks(checks, library, scripts, "close-button-release-on-close",
                 "the close button with a release in PluginClosed", false);
    ScriptChecks(checks, library, scripts, "coffer-dialog-release-on-close",
                 "Finalize while the deposit dialog is open", true);
    MessageBoxChecks(checks, library, scripts);

    CoUninitialize();
    std::printf("%d checks failed\n", checks.Failures());
    return checks.Failures() == 0 ? 0 : 1;
}
