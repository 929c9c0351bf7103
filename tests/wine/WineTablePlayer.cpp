// A person at the table under Wine: one table made by the library's class object and opened as a hall
// opens it, then a replay script played into it from a second thread as the hall's network thread and a
// person's hands would play it: frames through PostCommand, clicks as mouse messages on the table's
// window, typing as characters and keys on the window in front (the table, or a dialog it opened), the
// answer to a dialog as Enter or Escape. This (the UI) thread only pumps messages, as the hall's does,
// and the table's modal dialogs pump them in its place while they are open. At the end the frames the
// table sent must be the frames the headless table sent for the same script, in the same order.
//   wine_table_player <Morvane.dll> <replay script> <headless transcript> [<shot to write.png>]
// Exits 0 only when every check held; each check prints one line.
#include "gui/BitmapPicture.h"
#include "gui/PngImage.h"
#include "host/tablesim/win/ScreenShot.h"
#include "tests/wine/WineHall.h"

#include <algorithm>
#include <atomic>
#include <sstream>
#include <thread>

namespace {

using namespace morvane::wine;

constexpr UINT kSettledMessage = WM_APP + 7;
constexpr const wchar_t* kSettleWindowClass = L"MorvaneTablePlayerSettle";

// Counts the settle messages the UI thread has taken from its queue, in the counter its window carries.
LRESULT CALLBACK SettleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSettledMessage) {
        ++*reinterpret_cast<std::atomic<int>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateSettleWindow(std::atomic<int>& settled) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &SettleWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kSettleWindowClass;
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, kSettleWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, nullptr);
    if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&settled));
    return window;
}

// The keys the scripts name, as virtual keys.
UINT VirtualKey(const std::string& name) {
    if (name == "Enter") return VK_RETURN;
    if (name == "Escape") return VK_ESCAPE;
    if (name == "Backspace") return VK_BACK;
    if (name == "Tab") return VK_TAB;
    return 0;
}

struct TFrontWindowSearch {
    HWND table;
    HWND found{nullptr};
};

BOOL CALLBACK FindFrontWindow(HWND window, LPARAM search) {
    auto& find = *reinterpret_cast<TFrontWindowSearch*>(search);
    if (window == find.table || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    find.found = window;
    return FALSE;
}

// The person's side of the table: runs the script's steps from its own thread.
class TPlayer {
public:
    TPlayer(morvane::IQXOpenInterface& table, const std::vector<Bytes>& frames, HWND window, DWORD uiThread,
            TChecks& checks)
        : table_(table), frames_(frames), window_(window), settleWindow_(CreateSettleWindow(settled_)),
          uiThread_(uiThread), checks_(checks) {}
    ~TPlayer() {
        if (settleWindow_) DestroyWindow(settleWindow_);
    }
    TPlayer(const TPlayer&) = delete;
    TPlayer& operator=(const TPlayer&) = delete;

    // Made on the UI thread, the settle window tells when that thread has taken what was posted.
    bool Ready() const { return settleWindow_ != nullptr; }

    // Plays every step up to "finalize" (which the UI thread does itself) and says whether each went in.
    void Play(const std::vector<TScriptStep>& steps) {
        for (const TScriptStep& step : steps) {
            if (step.command == "finalize") break;
            if (!Step(step)) {
                checks_.Check(false,
                              "the step \"" + step.command + " " + step.argument + "\" could be played");
                return;
            }
        }
        checks_.Check(true, "every step of the script was played into the window");
    }

private:
    bool Step(const TScriptStep& step) {
        std::istringstream words(step.argument);
        if (step.command == "init" || step.command == "shot") return true;
        if (step.command == "frame") return Frame(++frameIndex_);
        if (step.command == "click") {
            int x = 0, y = 0;
            std::string button;
            words >> x >> y >> button;
            Click(x, y, button == "right");
            return Settle();
        }
        if (step.command == "type") {
            const HWND front = FrontWindow();
            for (wchar_t c : WideOfUtf8(step.argument))
                PostMessageW(front, WM_CHAR, WPARAM(c), 1);
            return Settle();
        }
        if (step.command == "key") {
            const UINT key = VirtualKey(step.argument);
            if (key == 0) return false;
            PressKey(FrontWindow(), key);
            return Settle();
        }
        if (step.command == "wait") {
            int ms = 0;
            words >> ms;
            // Real time: a little more than the script asks, so that a timer due then has run.
            Sleep(DWORD(ms) + 100);
            return Settle();
        }
        if (step.command == "answer") {
            int button = 0;
            words >> button;
            const HWND dialog = WaitForDialog();
            if (!dialog) return false;
            PressKey(dialog, button == 1 ? VK_RETURN : VK_ESCAPE);
            return Settle();
        }
        return false;
    }

    // The frames were read in order with the steps; the n-th frame step hands over the n-th frame.
    bool Frame(std::size_t number) {
        if (number > frames_.size()) return false;
        const Bytes& frame = frames_[number - 1];
        return table_.PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data())) ==
               S_OK;
    }

    void Click(int x, int y, bool right) {
        const LPARAM at = MAKELPARAM(x, y);
        PostMessageW(window_, WM_MOUSEMOVE, 0, at);
        PostMessageW(window_, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
        PostMessageW(window_, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
    }

    // Down and up as a keyboard sends them; the pump's TranslateMessage adds the character, as for a
    // real key.
    static void PressKey(HWND window, UINT key) {
        const LPARAM scan = LPARAM(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(window, WM_KEYDOWN, key, scan | 1);
        PostMessageW(window, WM_KEYUP, key, scan | 1 | (LPARAM(1) << 30) | (LPARAM(1) << 31));
    }

    // The window that takes the keys: a dialog or message box the table opened, else the table.
    HWND FrontWindow() const {
        TFrontWindowSearch search{window_};
        EnumThreadWindows(uiThread_, &FindFrontWindow, reinterpret_cast<LPARAM>(&search));
        return search.found ? search.found : window_;
    }

    HWND WaitForDialog() const {
        for (int tries = 0; tries < 100; ++tries) {
            if (const HWND front = FrontWindow(); front != window_) return front;
            Sleep(50);
        }
        return nullptr;
    }

    // Waits until the UI thread has taken everything posted so far, twice over: the characters that
    // its TranslateMessage makes of a key are posted behind the first mark.
    bool Settle() {
        for (int round = 0; round < 2; ++round) {
            const int before = settled_;
            PostMessageW(settleWindow_, kSettledMessage, 0, 0);
            const DWORD start = GetTickCount();
            while (settled_ == before) {
                if (GetTickCount() - start > 10000) return false;
                Sleep(5);
            }
        }
        return true;
    }

    morvane::IQXOpenInterface& table_;
    const std::vector<Bytes>& frames_;
    HWND window_;
    std::atomic<int> settled_{0};
    HWND settleWindow_;
    DWORD uiThread_;
    TChecks& checks_;
    std::size_t frameIndex_{0};
};

// A request of the coffer (table command 5) ends with the network adapter's address, which is the
// machine's own: two such requests are the same when they agree up to it (kind, player, command,
// operation and amount: 20 bytes) and in length.
bool SameRequest(const std::string& expectedHex, const std::string& sentHex) {
    constexpr std::size_t kCofferRequestHead = 2 * 20;
    const bool cofferRequest = expectedHex.size() > kCofferRequestHead &&
                               expectedHex.compare(0, 2, "03") == 0 && expectedHex.compare(18, 2, "05") == 0;
    if (!cofferRequest) return expectedHex == sentHex;
    return expectedHex.size() == sentHex.size() &&
           expectedHex.compare(0, kCofferRequestHead, sentHex, 0, kCofferRequestHead) == 0;
}

using TGetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

} // namespace

int main(int argc, char** argv) {
    TChecks checks;
    if (argc < 4) {
        std::printf(
            "usage: wine_table_player <Morvane.dll> <replay script> <headless transcript> [<shot.png>]\n");
        return 2;
    }
    TScript script;
    checks.Check(ReadScript(WindowsPath(argv[2]), script), std::string("the script is read: ") + argv[2]);
    const std::vector<std::string> expected = TranscriptSends(WindowsPath(argv[3]));
    checks.Check(!expected.empty(), std::string("the headless transcript has frames: ") + argv[3]);
    HMODULE library = LoadLibraryW(Wide(WindowsPath(argv[1])).c_str());
    auto getClassObject = library ? reinterpret_cast<TGetClassObject>(
                                        reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")))
                                  : nullptr;
    checks.Check(getClassObject != nullptr, std::string("the library loads: ") + argv[1]);
    if (!getClassObject || script.frames.empty() || expected.empty()) return 1;

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CLSID classId{};
    CLSIDFromString(Wide(MORVANE_CLASS_ID).c_str(), &classId);
    IClassFactory* factory = nullptr;
    morvane::IQXOpenInterface* table = nullptr;
    if (getClassObject(classId, IID_IClassFactory, reinterpret_cast<void**>(&factory)) == S_OK && factory) {
        factory->CreateInstance(nullptr, reinterpret_cast<const IID&>(morvane::IID_IQXOpenInterface),
                                reinterpret_cast<void**>(&table));
        factory->Release();
    }
    checks.Check(table != nullptr, "the class object makes a table");
    if (!table) return 1;

    THallHost host;
    const std::int64_t me = std::stoll(script.init["user"]);
    const std::string title = script.init["title"], nick = script.init["nick"];
    checks.Check(table->SetRequestInterface(&host) == S_OK &&
                     table->Initialize(std::stoll(script.init["cookie"]), title.c_str(), &me, nick.c_str(), 0,
                                       0, 0, 0) == S_OK,
                 "the table initialises with the script's cookie, title, player and name");
    const HWND window = FindWindowW(nullptr, Wide936(title + "[" + nick + "]").c_str());
    checks.Check(window != nullptr, "the table's window is found by its caption");
    if (window) {
        TPlayer player(*table, script.frames, window, GetCurrentThreadId(), checks);
        std::atomic<bool> done{!player.Ready()};
        std::thread hands([&] {
            if (player.Ready()) player.Play(script.steps);
            done = true;
        });
        const bool finished = PumpUntil([&] { return done.load(); }, 120000);
        // The hands may be waiting for this thread: it keeps pumping until they are done.
        if (!finished) PumpUntil([&] { return done.load(); }, INFINITE);
        hands.join();
        checks.Check(finished && player.Ready(), "the script was played within two minutes");
        if (argc > 4) {
            const morvane::TBitmap shot = morvane::tablesim::ReadWindowFromScreen(window);
            checks.Check(!shot.Empty() && morvane::PictureOfBitmap(shot).SaveToFile(WindowsPath(argv[4])),
                         std::string("the window is read from the screen into ") + argv[4]);
        }
    }
    checks.Check(table->Finalize() == S_OK && host.closed == 1, "the table closes");

    std::vector<std::string> sent;
    for (const Bytes& frame : host.sent)
        sent.push_back(Hex(frame));
    bool same = sent.size() == expected.size();
    for (std::size_t i = 0; same && i < sent.size(); ++i)
        same = SameRequest(expected[i], sent[i]);
    std::string listing;
    if (!same)
        for (const std::string& frame : sent)
            listing += "\n         sent " + frame;
    checks.Check(same, "the table sent the " + std::to_string(expected.size()) +
                           " frames the headless table sent for the script, in its order (here " +
                           std::to_string(sent.size()) + ")" + listing);
    checks.Check(table->Release() == 0, "the table object goes with the last Release");
    CoUninitialize();
    FreeLibrary(library);
    std::printf("%d checks failed\n", checks.Failures());
    return checks.Failures() == 0 ? 0 : 1;
}
