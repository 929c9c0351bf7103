#include "tests/wine/WinePlayer.h"

#include <sstream>
#include <thread>

namespace morvane::wine {
namespace {

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

} // namespace

TPlayer::TPlayer(morvane::IQXOpenInterface& table, const std::vector<Bytes>& frames, HWND window,
                 DWORD uiThread, TChecks& checks)
    : table_(table), frames_(frames), window_(window), settleWindow_(CreateSettleWindow(settled_)),
      uiThread_(uiThread), checks_(checks) {}

TPlayer::~TPlayer() {
    if (settleWindow_) DestroyWindow(settleWindow_);
}

void TPlayer::Play(const std::vector<TScriptStep>& steps) {
    for (const TScriptStep& step : steps) {
        if (step.command == "finalize") break;
        if (!Step(step)) {
            checks_.Check(false, "the step \"" + step.command + " " + step.argument + "\" could be played");
            return;
        }
    }
    checks_.Check(true, "every step of the script was played into the window");
}

bool TPlayer::Step(const TScriptStep& step) {
    std::istringstream words(step.argument);
    if (step.command == "init" || step.command == "shot") return true;
    if (step.command == "frame") return Frame(++frameIndex_);
    if (step.command == "click" || step.command == "move") {
        int x = 0, y = 0;
        std::string button;
        words >> x >> y >> button;
        if (step.command == "click")
            Click(x, y, button == "right");
        else
            PostMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
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
    return otherStep && otherStep(step);
}

// The frames were read in order with the steps; the n-th frame step hands over the n-th frame.
bool TPlayer::Frame(std::size_t number) {
    if (number > frames_.size()) return false;
    const Bytes& frame = frames_[number - 1];
    return table_.PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data())) ==
           S_OK;
}

void TPlayer::Click(int x, int y, bool right) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(window_, WM_MOUSEMOVE, 0, at);
    PostMessageW(window_, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    PostMessageW(window_, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

// Down and up as a keyboard sends them; the pump's TranslateMessage adds the character, as for a real key.
void TPlayer::PressKey(HWND window, UINT key) {
    const LPARAM scan = LPARAM(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, scan | 1);
    PostMessageW(window, WM_KEYUP, key, scan | 1 | (LPARAM(1) << 30) | (LPARAM(1) << 31));
}

// The window that takes the keys: a dialog or message box the table opened, else the table.
HWND TPlayer::FrontWindow() const {
    TFrontWindowSearch search{window_};
    EnumThreadWindows(uiThread_, &FindFrontWindow, reinterpret_cast<LPARAM>(&search));
    return search.found ? search.found : window_;
}

HWND TPlayer::WaitForDialog() const {
    for (int tries = 0; tries < 100; ++tries) {
        if (const HWND front = FrontWindow(); front != window_) return front;
        Sleep(50);
    }
    return nullptr;
}

// Waits until the UI thread has taken everything posted so far, twice over: the characters that its
// TranslateMessage makes of a key are posted behind the first mark.
bool TPlayer::Settle() {
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

bool PlayIntoWindow(morvane::IQXOpenInterface& table, const TScript& script, HWND window, TChecks& checks,
                    DWORD timeoutMs) {
    TPlayer player(table, script.frames, window, GetCurrentThreadId(), checks);
    std::atomic<bool> done{!player.Ready()};
    std::thread hands([&] {
        if (player.Ready()) player.Play(script.steps);
        done = true;
    });
    const bool finished = PumpUntil([&] { return done.load(); }, timeoutMs);
    // The hands may be waiting for this thread: it keeps pumping until they are done.
    if (!finished) PumpUntil([&] { return done.load(); }, INFINITE);
    hands.join();
    return finished && player.Ready();
}

bool SameRequest(const std::string& expectedHex, const std::string& sentHex) {
    // Kind, player, command, operation and amount: 20 bytes.
    constexpr std::size_t kCofferRequestHead = 2 * 20;
    const bool cofferRequest = expectedHex.size() > kCofferRequestHead &&
                               expectedHex.compare(0, 2, "03") == 0 && expectedHex.compare(18, 2, "05") == 0;
    if (!cofferRequest) return expectedHex == sentHex;
    return expectedHex.size() == sentHex.size() &&
           expectedHex.compare(0, kCofferRequestHead, sentHex, 0, kCofferRequestHead) == 0;
}

} // namespace morvane::wine
