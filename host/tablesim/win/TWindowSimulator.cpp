#include "host/tablesim/win/TWindowSimulator.h"

#include "game/TwoEightClient.h"
#include "gui/BitmapPicture.h"
#include "gui/PngImage.h"
#include "host/tablesim/HallGameIni.h"
#include "host/tablesim/RoundPlan.h"
#include "host/tablesim/win/ScreenShot.h"
#include "host/tablesim/win/THallHostObject.h"
#include "host/tablesim/win/THallNetwork.h"

#include <filesystem>
#include <system_error>

// The system headers come last: the table's interface header declares its own COM basics, whose names
// the system's macros would otherwise rewrite.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <objbase.h>
#include <windows.h>

namespace morvane::tablesim {
namespace {

constexpr UINT kRunTasksMessage = WM_APP + 1;
constexpr const wchar_t* kTaskWindowClass = L"MorvaneTableSimTasks";
constexpr const char* kTitle = "百家乐 模拟桌";
// The chip pictures are 55 x 57: a click at this offset from a chip button's corner hits its middle.
constexpr TPoint kChipMiddle{27, 28};

constexpr GUID ParseClassId() {
    // MORVANE_CLASS_ID is the braced GUID of the version resource: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
    constexpr const char* text = MORVANE_CLASS_ID;
    auto hex = [](const char* at, int digits) {
        std::uint32_t value = 0;
        for (int i = 0; i < digits; ++i) {
            const char c = at[i];
            value = value * 16 + std::uint32_t(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
        }
        return value;
    };
    GUID id{};
    id.Data1 = hex(text + 1, 8);
    id.Data2 = std::uint16_t(hex(text + 10, 4));
    id.Data3 = std::uint16_t(hex(text + 15, 4));
    for (int i = 0; i < 2; ++i)
        id.Data4[i] = std::uint8_t(hex(text + 20 + 2 * i, 2));
    for (int i = 0; i < 6; ++i)
        id.Data4[2 + i] = std::uint8_t(hex(text + 25 + 2 * i, 2));
    return id;
}
constexpr GUID kClassId = ParseClassId();

std::wstring FromGbk(const std::string& gbk) {
    if (gbk.empty()) return {};
    const int length = MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), nullptr, 0);
    std::wstring wide(std::size_t(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), wide.data(), length);
    return wide;
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(std::wstring(path, length)).parent_path().wstring();
}

// Runs the messages of this thread, waiting at most `waitMs` for the first; false once a quit was taken.
bool PumpMessages(DWORD waitMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return false;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

} // namespace

struct TTaskWindowProc {
    static LRESULT CALLBACK Run(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kRunTasksMessage) {
            if (auto* simulator =
                    reinterpret_cast<TWindowSimulator*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
                simulator->RunPostedTasks();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

TWindowSimulator::TWindowSimulator(TSimOptions options, std::ostream& progress)
    : options_(std::move(options)), progress_(progress) {}

TWindowSimulator::~TWindowSimulator() {
    if (taskWindow_) DestroyWindow(taskWindow_);
}

// [SECTION] Running

bool TWindowSimulator::Run(std::string& error) {
    if (options_.Record) {
        std::error_code fault;
        std::filesystem::create_directories(options_.OutDir, fault);
        if (fault) {
            error = "cannot create " + options_.OutDir + ": " + fault.message();
            return false;
        }
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        error = "COM does not start on this thread";
        return false;
    }
    const bool opened = OpenTable(error);
    if (opened) Play();
    CloseTable();
    CoUninitialize();
    if (opened && !failure_.empty()) error = failure_;
    return opened && failure_.empty();
}

bool TWindowSimulator::OpenTable(std::string& error) {
    const std::wstring library = options_.LibraryPath.empty()
                                     ? ProgramFolder() + L"\\Morvane.dll"
                                     : std::filesystem::path(options_.LibraryPath).wstring();
    if (!registration_.Register(library, kClassId, error)) return false;
    if (!InstallHallGameIni(std::filesystem::path(library).parent_path(), error)) return false;
    if (!CreateTaskWindow()) {
        error = "cannot create the simulator's message window";
        return false;
    }

    // Screenshots the player takes at the table go to the hall's folder.
    const std::wstring hallFolder =
        options_.Record ? std::filesystem::absolute(options_.OutDir).wstring() : ProgramFolder();
    host_.reset(THallHostObject::Create(std::filesystem::path(hallFolder).string()));
    void* object = nullptr;
    const HRESULT created =
        CoCreateInstance(reinterpret_cast<const CLSID&>(kClassId), nullptr, CLSCTX_INPROC_SERVER,
                         reinterpret_cast<const ::IID&>(IID_IQXOpenInterface), &object);
    if (FAILED(created) || !object) {
        error = "CoCreateInstance of the table failed (" + std::to_string(long(created)) + ")";
        return false;
    }
    table_.reset(static_cast<IQXOpenInterface*>(object));

    network_ = std::make_unique<THallNetwork>(
        options_, *table_,
        TWindowRequests{
            [this](std::string path) { Post([this, path] { TakeShot(path); }); },
            [this](int chip, std::uint8_t region) { Post([this, chip, region] { PlaceBet(chip, region); }); },
            [this] { Post([this] { done_ = true; }); }},
        progress_);
    if (!network_->OpenLog(error)) return false;
    // What the table sends before the server has seated it waits in the queue: the network thread
    // seats the local player first, then hands the server the queue.
    host_->OnSendData = [this](std::vector<std::uint8_t> frame) { network_->FromTable(std::move(frame)); };
    host_->OnPluginClosed = [this] {
        if (!done_) leftEarly_ = true;
        done_ = true;
    };

    const std::int64_t ownId = THallNetwork::kOwnId;
    if (FAILED(table_->SetRequestInterface(host_.get())) ||
        FAILED(table_->Initialize(kCookie, kTitle, &ownId, kOwnNickName, 0, 0, 0, 0))) {
        error = "the table refused to initialise";
        return false;
    }
    const std::wstring caption = FromGbk(std::string(kTitle) + "[" + kOwnNickName + "]");
    window_ = FindWindowW(nullptr, caption.c_str());
    if (!window_ || !IsWindowVisible(window_)) {
        error = "the table's window did not appear";
        return false;
    }
    table_->ShowPluginWindow(2);
    network_->Start();
    return true;
}

void TWindowSimulator::Play() {
    while (!done_)
        if (!PumpMessages(100)) break;
}

void TWindowSimulator::CloseTable() {
    if (network_) {
        // The network thread may be waiting in PostCommand for this thread: keep taking messages until
        // it has left its loop.
        network_->RequestStop();
        while (!network_->Stopped())
            PumpMessages(20);
        network_->Join();
        roundsPlayed_ = network_->RoundsPlayed();
        betsTried_ = network_->OwnBetsTried();
        betsAccepted_ = network_->OwnBetsAccepted();
        if (network_->RefusedFrames() > 0 && failure_.empty())
            failure_ = "the table refused " + std::to_string(network_->RefusedFrames()) + " frames";
    }
    if (table_) table_->Finalize();
    tasks_.clear();
    table_.reset();
    network_.reset();
    host_.reset();
}

// [SECTION] Tasks from the network thread

bool TWindowSimulator::CreateTaskWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &TTaskWindowProc::Run;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTaskWindowClass;
    RegisterClassW(&windowClass);
    taskWindow_ = CreateWindowExW(0, kTaskWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
    if (!taskWindow_) return false;
    SetWindowLongPtrW(taskWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void TWindowSimulator::Post(std::function<void()> task) {
    {
        std::lock_guard lock(taskMutex_);
        tasks_.push_back(std::move(task));
    }
    PostMessageW(taskWindow_, kRunTasksMessage, 0, 0);
}

void TWindowSimulator::RunPostedTasks() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(taskMutex_);
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        if (!done_) task();
    }
}

// [SECTION] Screenshots and clicks

void TWindowSimulator::TakeShot(const std::string& path) {
    const TBitmap shot = ReadWindowFromScreen(window_);
    if (shot.Empty()) {
        failure_ = "cannot read the table's window from the screen";
        done_ = true;
        return;
    }
    if (!PictureOfBitmap(shot).SaveToFile(path)) {
        failure_ = "cannot write " + path;
        done_ = true;
        return;
    }
    ++shotsWritten_;
}

void TWindowSimulator::PlaceBet(int chipButton, std::uint8_t region) {
    const TPoint chip = TTwoEightClient::kChipButtonAt[std::size_t(chipButton)];
    Click(chip.x + kChipMiddle.x, chip.y + kChipMiddle.y);
    Click(kRegionPoints[region].x, kRegionPoints[region].y);
}

void TWindowSimulator::Click(int x, int y) {
    // As the mouse would: it moves there, then the left button goes down and up.
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(window_, WM_MOUSEMOVE, 0, at);
    PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window_, WM_LBUTTONUP, 0, at);
}

} // namespace morvane::tablesim
