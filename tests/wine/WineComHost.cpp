// The library as the hall uses it, under Wine: registered for the current user, two tables created
// through CoCreateInstance, each given a small hall host object and initialised, a frame pushed into one
// from a second thread while this (the UI) thread pumps messages, the frames the tables send back
// read, the marker windows found by class and caption, a duplicate table refused, a closed marker
// ending its table, then everything finalised, released and unregistered. With a replay script, a third
// table is given that script's frames (a scene and a user list among them) from a hall thread the same way;
// with the headless rendering of that script as well, its window as the screen shows it is written out and
// compared with that rendering.
//   wine_com_host <path of Morvane.dll> [<replay script> [<headless shot.png> <shot to write.png>
//                 [<headless transcript>]]]
// Besides the interface declarations it uses only the toolkit's pictures (to read and write PNG files)
// and the simulator's screen reader.
// Exits 0 only when every check held; each check prints one line.
#include "gui/Bitmap.h"
#include "gui/BitmapPicture.h"
#include "gui/PngImage.h"
#include "host/tablesim/win/ScreenShot.h"
#include "plugin/QXOpenInterface_TLB.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// The system headers come last: the table's interface header declares its own COM basics, whose names
// the system's macros (S_OK, REFIID, ...) would otherwise rewrite. Below them the macros are used.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <objbase.h>
#include <windows.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kClassIdText = MORVANE_CLASS_ID;

class TChecks {
public:
    void Check(bool held, const std::string& what) {
        std::printf("%s %s\n", held ? "ok    " : "FAILED", what.c_str());
        std::fflush(stdout);
        if (!held) ++failures_;
    }
    int Failures() const { return failures_; }

private:
    int failures_{0};
};

std::string Hex(const Bytes& bytes) {
    std::string text;
    char pair[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", b);
        text += pair;
    }
    return text;
}

void PutI64(Bytes& out, std::int64_t value) {
    for (int i = 0; i < 8; ++i)
        out.push_back(std::uint8_t(std::uint64_t(value) >> (8 * i)));
}

// A table frame: kind 3, the user, the command and its payload.
Bytes TableFrame(std::int64_t user, std::uint8_t cmd, const Bytes& payload = {}) {
    Bytes frame{3};
    PutI64(frame, user);
    frame.push_back(cmd);
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

// The hall's side of one table: it records what the table sends and may fail one operation.
class THallHost final : public morvane::IQXOpenInterfaceReq {
public:
    std::vector<Bytes> sent;
    int closed{0};
    bool failDirectory{false};

    morvane::HRESULT __stdcall QueryInterface(const morvane::IID& riid, void** object) override {
        if (riid == morvane::IID_IUnknown || riid == morvane::IID_IQXOpenInterfaceReq) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The test owns its hosts; counting still shows whether the table keeps and gives back its reference.
    morvane::ULONG __stdcall AddRef() override { return ++references; }
    morvane::ULONG __stdcall Release() override { return --references; }

    morvane::HRESULT __stdcall GetHostTag(void* tag) override {
        std::memset(tag, 0x5A, 8);
        return S_OK;
    }
    morvane::HRESULT __stdcall FilterText(std::int64_t, const char* src, std::int32_t srcLen, char** dst,
                                          std::int32_t* dstLen) override {
        const std::int32_t length = std::min(srcLen, *dstLen);
        std::memcpy(*dst, src, std::size_t(length));
        *dstLen = length;
        return S_OK;
    }
    morvane::HRESULT __stdcall Invite(std::int64_t, std::int32_t, std::int32_t) override { return S_OK; }
    morvane::HRESULT __stdcall PluginClosed(std::int64_t) override {
        ++closed;
        return S_OK;
    }
    morvane::HRESULT __stdcall GetHostDirectory(std::int64_t, char** buffer) override {
        if (failDirectory) return E_FAIL;
        std::strcpy(*buffer, "C:\\Hall");
        return S_OK;
    }
    morvane::HRESULT __stdcall GetFaceImageList(std::int64_t, morvane::TImageList** list) override {
        *list = nullptr;
        return S_OK;
    }
    morvane::HRESULT __stdcall SendData(std::int64_t, std::int64_t, std::int32_t len,
                                        const void* buffer) override {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        sent.emplace_back(bytes, bytes + len);
        return S_OK;
    }

#define MORVANE_UNUSED_SLOT(name)                                                                            \
    morvane::HRESULT __stdcall name() override {                                                             \
        return E_FAIL;                                                                                       \
    }
    MORVANE_UNUSED_SLOT(Reserved1)
    MORVANE_UNUSED_SLOT(Reserved2)
    MORVANE_UNUSED_SLOT(Reserved3)
    MORVANE_UNUSED_SLOT(Reserved4)
    MORVANE_UNUSED_SLOT(Reserved6)
    MORVANE_UNUSED_SLOT(Reserved7)
    MORVANE_UNUSED_SLOT(Reserved9)
    MORVANE_UNUSED_SLOT(Reserved10)
    MORVANE_UNUSED_SLOT(Reserved12)
    MORVANE_UNUSED_SLOT(Reserved15)
    MORVANE_UNUSED_SLOT(Reserved16)
    MORVANE_UNUSED_SLOT(Reserved17)
#undef MORVANE_UNUSED_SLOT

    morvane::ULONG references{0};
};

// Pumps this thread's messages, as the hall's loop does, until `done` holds; false on a timeout.
template <typename TDone>
bool PumpUntil(TDone done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// A Linux path handed in by CTest, as Wine sees it.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

bool KeyExists(HKEY root, const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, Wide(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::wstring KeyValue(HKEY root, const std::string& key, const wchar_t* name) {
    wchar_t value[512] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(root, Wide(key).c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return value;
}

std::string MarkerCaption(std::int64_t cookie) {
    char hex[24];
    std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(cookie));
    return std::string(kClassIdText) + "-" + hex;
}

// Adds one top-level window of this process, caption and size, to the list in `text`.
BOOL CALLBACK ListProcessWindow(HWND window, LPARAM text) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    wchar_t caption[128] = {};
    GetWindowTextW(window, caption, 127);
    char utf8[512] = {};
    WideCharToMultiByte(CP_UTF8, 0, caption, -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    char line[700];
    std::snprintf(line, sizeof line, "\n         \"%s\" %ldx%ld%s", utf8, bounds.right - bounds.left,
                  bounds.bottom - bounds.top, IsWindowVisible(window) ? " visible" : "");
    *reinterpret_cast<std::string*>(text) += line;
    return TRUE;
}

// The top-level windows of this process, for a failure's message.
std::string ProcessWindows() {
    std::string list;
    EnumWindows(&ListProcessWindow, reinterpret_cast<LPARAM>(&list));
    return list;
}

HWND FindMarker(std::int64_t cookie) {
    return FindWindowW(L"T1A55E3", Wide(MarkerCaption(cookie)).c_str());
}

using TEntry = HRESULT(STDAPICALLTYPE*)();

// [SECTION] A replay script's frames

// What the table is given in a replay script: its init line's fields (texts in GBK, as a hall passes
// them) and its frames in order. Other commands are not the hall's and are left out.
struct TScript {
    std::map<std::string, std::string> init;
    std::vector<Bytes> frames;
    // The time the script lets pass (its waits), which a run in real time lets pass too.
    DWORD waitMs{0};
};

std::string GbkOfUtf8(const std::string& utf8) {
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(std::max(wideLength, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), wideLength);
    const int length = WideCharToMultiByte(936, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string gbk(std::size_t(std::max(length, 0)), '\0');
    WideCharToMultiByte(936, 0, wide.data(), wideLength, gbk.data(), length, nullptr, nullptr);
    return gbk;
}

std::wstring Wide936(const std::string& gbk) {
    const int length = MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), nullptr, 0);
    std::wstring wide(std::size_t(std::max(length, 0)), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), wide.data(), length);
    return wide;
}

bool ReadScript(const std::string& path, TScript& script) {
    std::ifstream input(path);
    std::string line;
    while (std::getline(input, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string command;
        words >> command;
        if (command == "init") {
            for (std::string field; words >> field;)
                if (const std::size_t equals = field.find('='); equals != std::string::npos)
                    script.init[field.substr(0, equals)] = GbkOfUtf8(field.substr(equals + 1));
        } else if (command == "frame") {
            std::string hex, part;
            while (words >> part)
                hex += part;
            if (hex.size() % 2 != 0) return false;
            Bytes frame;
            for (std::size_t i = 0; i < hex.size(); i += 2)
                frame.push_back(std::uint8_t(std::stoul(hex.substr(i, 2), nullptr, 16)));
            script.frames.push_back(std::move(frame));
        } else if (command == "wait") {
            DWORD ms = 0;
            words >> ms;
            script.waitMs += ms;
        }
    }
    return input.eof() && !script.frames.empty() && script.init.count("user") && script.init.count("cookie");
}

struct TTable {
    morvane::IQXOpenInterface* object{nullptr};
    THallHost host;
    std::int64_t cookie{0};
    std::int64_t me{0};
    std::string title{"Table"};
};

HRESULT CreateTable(const CLSID& classId, TTable& table) {
    void* object = nullptr;
    const HRESULT result =
        CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER,
                         reinterpret_cast<const IID&>(morvane::IID_IQXOpenInterface), &object);
    table.object = static_cast<morvane::IQXOpenInterface*>(object);
    return result;
}

HRESULT OpenTable(TTable& table, std::int32_t extra = 0) {
    HRESULT result = table.object->SetRequestInterface(&table.host);
    if (FAILED(result)) return result;
    return table.object->Initialize(table.cookie, table.title.c_str(), &table.me, "Nick", extra, 0, 0, 0);
}

void RegistrationChecks(TChecks& checks, TEntry registerServer, const std::string& dllPath) {
    // A registration for the current user: HKEY_CLASSES_ROOT redirected to the user's classes.
    HKEY userClasses = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &userClasses, nullptr);
    checks.Check(userClasses && RegOverridePredefKey(HKEY_CLASSES_ROOT, userClasses) == ERROR_SUCCESS,
                 "the classes root can be redirected to the current user");
    checks.Check(registerServer() == S_OK, "DllRegisterServer succeeds");
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    if (userClasses) RegCloseKey(userClasses);

    const std::string classKey = std::string("Software\\Classes\\CLSID\\") + kClassIdText;
    checks.Check(KeyValue(HKEY_CURRENT_USER, classKey, nullptr) == L"\x767E\x5BB6\x4E50",
                 "the class is described with the product name");
    const std::wstring server = KeyValue(HKEY_CURRENT_USER, classKey + "\\InprocServer32", nullptr);
    checks.Check(lstrcmpiW(server.c_str(), Wide(dllPath).c_str()) == 0,
                 "InprocServer32 names the library's file");
    checks.Check(KeyValue(HKEY_CURRENT_USER, classKey + "\\InprocServer32", L"ThreadingModel") ==
                     L"Apartment",
                 "the threading model is Apartment");
    checks.Check(!KeyExists(HKEY_CURRENT_USER, classKey + "\\ProgID"),
                 "no ProgID is registered while the class has no name");
}

// [SECTION] The window on the screen against its headless rendering

struct TArea {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// What the window shows that may rightly differ from the headless rendering, in window coordinates.
// Text: GDI rasterises glyphs differently from FreeType (shapes, hinting, anti-aliasing), so every
// control that draws text is left out: the title strip, the bars' names and figures, the left column's
// limits, the clock's frame caption and the buttons' captions, the road's counters, the user list, the chat
// and its input line. The clock counts real seconds here and virtual ones there, so its digits are left
// out as well. Everything else (the frame, the board and its pictures, the chips on the board, the chip
// buttons, the cards' tray, the road's ticks) is drawn by the same code from the same pictures and must be
// the same to the pixel.
constexpr TArea kMayDiffer[] = {
    {0, 0, 1024, 30},     // title strip with the window's caption
    {11, 28, 800, 160},   // top bar: banker, figures, queue, limits, road counters
    {130, 535, 190, 605}, // the clock and its digits
    {10, 575, 400, 610},  // buttons and phase caption beside the clock
    {10, 613, 800, 734},  // bottom bar: own figures, road, counters
    {802, 30, 1024, 734}, // user list, the selected user's card, chat and its input
};

bool MayDiffer(int x, int y) {
    for (const TArea& area : kMayDiffer)
        if (area.Contains(x, y)) return true;
    return false;
}

// The window's shape: the frame picture's outline, cut to the rectangle (5, 5)-(1019, 729).
void ShapeChecks(TChecks& checks, HWND window) {
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(window, shape);
    RECT box{};
    GetRgnBox(shape, &box);
    checks.Check(kind == COMPLEXREGION && box.left >= 5 && box.top >= 5 && box.right <= 1019 &&
                     box.bottom <= 729,
                 "the window is shaped by its frame, within (5, 5)-(1019, 729)");
    checks.Check(PtInRegion(shape, 512, 367) && !PtInRegion(shape, 2, 2) && !PtInRegion(shape, 1021, 731),
                 "the table lies inside the shape, the window's edge outside it");
    // The frame picture is magenta outside its rounded corners: the cut rectangle's own corners lie
    // outside the shape, keyed out, while the frame's edges a little beside them lie inside.
    const POINT corners[] = {{5, 5}, {1018, 5}, {5, 728}, {1018, 728}};
    const POINT edges[] = {{40, 5}, {5, 40}, {983, 5}, {1018, 688}, {40, 728}};
    bool cornersOut = true, edgesIn = true;
    for (const POINT& at : corners)
        cornersOut = cornersOut && !PtInRegion(shape, at.x, at.y);
    for (const POINT& at : edges)
        edgesIn = edgesIn && PtInRegion(shape, at.x, at.y);
    checks.Check(cornersOut && edgesIn,
                 "the frame's magenta corners are outside the shape, its edges inside");
    DeleteObject(shape);
}

// Compares the screen's picture of the window with the headless one inside the window's shape and
// outside the areas that may differ; writes the screen's picture and, when they differ, a picture of the
// differing pixels in red beside it.
void CompareWithHeadless(TChecks& checks, HWND window, const std::string& headlessPath,
                         const std::string& shotPath) {
    morvane::TPngImage headless;
    checks.Check(headless.LoadFromFile(headlessPath), "the headless rendering is read: " + headlessPath);
    const morvane::TBitmap screen = morvane::tablesim::ReadWindowFromScreen(window);
    checks.Check(!screen.Empty() && morvane::PictureOfBitmap(screen).SaveToFile(shotPath),
                 "the window is read from the screen into " + shotPath);
    if (headless.Empty() || screen.Empty()) return;
    checks.Check(headless.Width() == screen.Width() && headless.Height() == screen.Height(),
                 "the screen's window has the headless window's size");
    if (headless.Width() != screen.Width() || headless.Height() != screen.Height()) return;

    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(window, shape) != ERROR;
    morvane::TPngImage differences(screen.Width(), screen.Height(), false);
    int compared = 0, differing = 0;
    for (int y = 0; y < screen.Height(); ++y) {
        const std::uint8_t* expected = headless.Scanline(y);
        std::uint8_t* marked = differences.Scanline(y);
        for (int x = 0; x < screen.Width(); ++x) {
            const std::uint32_t pixel = screen.Pixel(x, y);
            const std::uint8_t* want = expected + std::size_t(x) * std::size_t(headless.BytesPerPixel());
            const bool same =
                GetRValue(pixel) == want[0] && GetGValue(pixel) == want[1] && GetBValue(pixel) == want[2];
            const bool counted = (!shaped || PtInRegion(shape, x, y)) && !MayDiffer(x, y);
            compared += counted;
            differing += counted && !same;
            marked[3 * x] = counted && !same ? 255 : want[0] / 3;
            marked[3 * x + 1] = counted && !same ? 0 : want[1] / 3;
            marked[3 * x + 2] = counted && !same ? 0 : want[2] / 3;
        }
    }
    DeleteObject(shape);
    if (differing > 0) differences.SaveToFile(shotPath + ".differences.png");
    // The masks leave the frame, the board with its fields, captions and tray, the chip buttons and the
    // road's ticks: about 350000 of the window's 751616 pixels.
    checks.Check(compared > 300000 && differing == 0,
                 "outside text and clock the screen shows the headless window's pixels (" +
                     std::to_string(differing) + " of " + std::to_string(compared) + " differ)");
}

// The script's frames from a hall thread into a table of their own while this thread pumps: every call
// returns once the table has taken its frame, and the table answers the user list in which I only watch
// with its seat request, before the frames after it.
// The frames the headless table sent for the same script: the hex of its transcript's "send" lines.
std::vector<std::string> TranscriptSends(const std::string& path) {
    std::vector<std::string> sends;
    std::ifstream input(path);
    std::string line;
    while (std::getline(input, line))
        if (line.rfind("send ", 0) == 0) sends.push_back(line.substr(line.rfind(' ') + 1));
    return sends;
}

void ScriptFromHallThreadChecks(TChecks& checks, const CLSID& classId, const std::string& scriptPath,
                                const std::string& headlessPath, const std::string& shotPath,
                                const std::string& transcriptPath) {
    TScript script;
    checks.Check(ReadScript(scriptPath, script), "the replay script is read: " + scriptPath);
    if (script.frames.empty()) return;
    TTable table;
    table.cookie = std::stoll(script.init["cookie"]);
    table.me = std::stoll(script.init["user"]);
    table.title = script.init["title"];
    const std::string nick = script.init["nick"];
    checks.Check(CreateTable(classId, table) == S_OK && table.object, "a table for the script is made");
    if (!table.object) return;
    checks.Check(table.object->SetRequestInterface(&table.host) == S_OK &&
                     table.object->Initialize(table.cookie, table.title.c_str(), &table.me, nick.c_str(), 0,
                                              0, 0, 0) == S_OK,
                 "it initialises with the script's cookie, title, player and name");
    const std::size_t sentAtStart = table.host.sent.size();

    // Which frame the table had answered when each call returned, to see the answers come in order.
    std::vector<std::size_t> sentAfterCall(script.frames.size(), 0);
    std::atomic<int> failures{0};
    std::atomic<bool> done{false};
    const DWORD uiThread = GetCurrentThreadId();
    std::atomic<bool> otherThread{true};
    std::thread hall([&] {
        otherThread = GetCurrentThreadId() != uiThread;
        for (std::size_t i = 0; i < script.frames.size(); ++i) {
            const Bytes& frame = script.frames[i];
            if (table.object->PostCommand(std::int32_t(frame.size()),
                                          reinterpret_cast<const char*>(frame.data())) != S_OK)
                ++failures;
            sentAfterCall[i] = table.host.sent.size();
        }
        done = true;
    });
    const bool returned = PumpUntil([&] { return done.load(); }, 20000);
    hall.join();
    checks.Check(
        returned && otherThread && failures == 0,
        "the script's " + std::to_string(script.frames.size()) +
            " frames, scene and user list among them, are taken from a hall thread while this one pumps");
    const Bytes seatRequest{0x0d, 0x00, 0x01};
    const auto seatAt =
        std::find(table.host.sent.begin() + std::ptrdiff_t(sentAtStart), table.host.sent.end(), seatRequest);
    checks.Check(seatAt != table.host.sent.end(), "the table asked for a seat while I only watched");
    // The user list is the script's second frame: its answer was there when that call returned.
    const std::size_t seatIndex = std::size_t(seatAt - table.host.sent.begin());
    checks.Check(script.frames.size() > 1 && sentAfterCall[1] > seatIndex,
                 "the seat request went out before the call that carried the user list returned");
    if (!transcriptPath.empty()) {
        std::vector<std::string> sent;
        for (const Bytes& frame : table.host.sent)
            sent.push_back(Hex(frame));
        const std::vector<std::string> expected = TranscriptSends(transcriptPath);
        checks.Check(!expected.empty() && sent == expected,
                     "the table sent the " + std::to_string(expected.size()) +
                         " frames the headless table sent for the script, in its order (here " +
                         std::to_string(sent.size()) + ")");
    }
    if (!headlessPath.empty()) {
        // The time the headless run let pass, for the animations to play out here as well.
        PumpUntil([] { return false; }, script.waitMs);
        const std::wstring caption = Wide936(table.title + "[" + nick + "]");
        const HWND window = FindWindowW(nullptr, caption.c_str());
        checks.Check(window != nullptr, "the script's table window is found by its caption");
        if (window) CompareWithHeadless(checks, window, headlessPath, shotPath);
    }
    checks.Check(table.object->Finalize() == S_OK && table.host.closed == 1, "the script's table closes");
    checks.Check(table.object->Release() == 0, "and its object goes with the last Release");
}

} // namespace

int main(int argc, char** argv) {
    TChecks checks;
    if (argc < 2) {
        std::printf("usage: wine_com_host <Morvane.dll> [<replay script>]\n");
        return 2;
    }
    const std::string dllPath = WindowsPath(argv[1]);
    HMODULE library = LoadLibraryW(Wide(dllPath).c_str());
    checks.Check(library != nullptr, "the library loads: " + dllPath);
    if (!library) return 1;
    // Through void*: the system declares every export as one function type.
    auto entry = [&](const char* name) {
        return reinterpret_cast<TEntry>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    };
    const TEntry registerServer = entry("DllRegisterServer"), unregisterServer = entry("DllUnregisterServer");
    const TEntry canUnloadNow = entry("DllCanUnloadNow");
    checks.Check(registerServer && unregisterServer && canUnloadNow && entry("DllGetClassObject"),
                 "the four entry points are exported by name");
    if (!registerServer || !unregisterServer || !canUnloadNow) return 1;

    RegistrationChecks(checks, registerServer, dllPath);
    CLSID classId{};
    CLSIDFromString(Wide(kClassIdText).c_str(), &classId);

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool machineRegistration = false;
    {
        void* unknownClass = nullptr;
        CLSID other = classId;
        other.Data1 ^= 1;
        checks.Check(CoGetClassObject(other, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                      &unknownClass) == REGDB_E_CLASSNOTREG,
                     "another class identity is not served");
        IClassFactory* factory = nullptr;
        auto findFactory = [&] {
            return CoGetClassObject(classId, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                    reinterpret_cast<void**>(&factory));
        };
        HRESULT got = findFactory();
        if (got == REGDB_E_CLASSNOTREG) {
            // Wine's COM looks up classes in the machine's registry only, not in the user's classes that
            // Windows merges into it; there the library is registered for the machine as well.
            std::printf("note   this COM reads no per-user classes: registering for the machine as well\n");
            machineRegistration = true;
            checks.Check(registerServer() == S_OK, "DllRegisterServer for the machine succeeds");
            got = findFactory();
        }
        checks.Check(got == S_OK && factory, "the class factory is found through the registration");
        if (factory) {
            IUnknown* aggregated = nullptr;
            void* outer = &checks; // any non-null controlling object
            checks.Check(factory->CreateInstance(static_cast<IUnknown*>(outer), IID_IUnknown,
                                                 reinterpret_cast<void**>(&aggregated)) ==
                                 CLASS_E_NOAGGREGATION &&
                             !aggregated,
                         "the class refuses aggregation");
            factory->Release();
        }
    }

    TTable first, second;
    first.cookie = 0x1A2B3C4D5E;
    first.me = 1001;
    first.title = "Table 7";
    second.cookie = 0x77;
    second.me = 2002;
    second.title = "Table 8";
    checks.Check(CreateTable(classId, first) == S_OK && CreateTable(classId, second) == S_OK,
                 "CoCreateInstance makes two table objects");
    if (!first.object || !second.object) return 1;
    checks.Check(first.object != second.object, "every CoCreateInstance gets a new object");
    std::int32_t code = 0;
    checks.Check(first.object->GetPluginCode(&code) == S_OK && code == 1, "the object has its form and hub");

    checks.Check(OpenTable(first) == S_OK && OpenTable(second) == S_OK, "both tables initialise");
    checks.Check(first.host.references > 0, "the table keeps a reference to its host");
    // Each table shows its window, captioned with the title and the player's name.
    const HWND window = FindWindowW(nullptr, L"Table 7[Nick]");
    RECT bounds{};
    if (window) GetWindowRect(window, &bounds);
    checks.Check(window && IsWindowVisible(window) && bounds.right - bounds.left == 1024 &&
                     bounds.bottom - bounds.top == 734,
                 "the first table's window shows, 1024 x 734, captioned \"Table 7[Nick]\"" +
                     (window ? std::string() : ProcessWindows()));
    if (window) ShapeChecks(checks, window);
    checks.Check(FindWindowW(nullptr, L"Table 8[Nick]") != nullptr,
                 "the second table has a window of its own");
    checks.Check(first.host.sent.size() == 1 && Hex(first.host.sent[0]) == Hex(TableFrame(first.me, 2)),
                 "the first table announces readiness");
    checks.Check(second.host.sent.size() == 1 && Hex(second.host.sent[0]) == Hex(TableFrame(second.me, 2)),
                 "the second table announces readiness on its own host");
    checks.Check(FindMarker(first.cookie) && FindMarker(second.cookie) &&
                     FindMarker(first.cookie) != FindMarker(second.cookie),
                 "each table's marker window is found by class and caption");

    // An empty user list from a second thread: the table, not seated, asks for seat 0.
    std::atomic<bool> done{false};
    HRESULT pushed = E_FAIL;
    const Bytes userList{9, 0, 0, 0, 0};
    std::thread hall([&] {
        pushed = first.object->PostCommand(std::int32_t(userList.size()),
                                           reinterpret_cast<const char*>(userList.data()));
        done = true;
    });
    const bool returned = PumpUntil([&] { return done.load(); });
    hall.join();
    checks.Check(returned && pushed == S_OK,
                 "a frame from another thread is handled while the UI thread pumps");
    checks.Check(first.host.sent.size() == 2 && Hex(first.host.sent.back()) == "0d0001",
                 "the frame's answer (a seat request) went to the host before the call returned");
    checks.Check(second.host.sent.size() == 1, "the other table heard nothing of it");

    // A second table for the same seat finds the first one's marker and leaves at once.
    TTable duplicate;
    duplicate.cookie = first.cookie;
    duplicate.me = 3003;
    checks.Check(CreateTable(classId, duplicate) == S_OK && OpenTable(duplicate) == S_OK,
                 "a duplicate table initialises");
    checks.Check(duplicate.host.closed == 1, "the duplicate table closes itself");
    checks.Check(duplicate.host.sent.size() == 1 && Hex(duplicate.host.sent[0]) == "0bbb0b000000000000",
                 "the duplicate table sends only its leave frame, no readiness");

    // Failures inside a call come back as failure results.
    TTable refused;
    refused.cookie = 0x999;
    refused.me = 4004;
    refused.host.failDirectory = true;
    checks.Check(CreateTable(classId, refused) == S_OK && FAILED(OpenTable(refused)),
                 "a failing host call fails Initialize");
    checks.Check(refused.host.sent.empty(), "after the host's failure nothing was sent");
    checks.Check(FAILED(refused.object->UpdateUserName(&refused.me, "x", 70000)),
                 "a value above 65535 fails the call");

    // The hall closes the second table's marker: the next ready frame ends that table.
    const HWND marker = FindMarker(second.cookie);
    if (marker) SendMessageW(marker, WM_CLOSE, 0, 0);
    checks.Check(marker && !IsWindow(marker), "the marker window can be closed from outside");
    Bytes ready;
    PutI64(ready, second.me);
    ready.push_back(0);
    const Bytes readyFrame = TableFrame(0, 19, ready);
    checks.Check(second.object->PostCommand(std::int32_t(readyFrame.size()),
                                            reinterpret_cast<const char*>(readyFrame.data())) == S_OK &&
                     second.host.closed == 1,
                 "a ready frame after the marker was closed finalises the table");
    checks.Check(first.host.closed == 0, "the first table is still open");

    checks.Check(first.object->Finalize() == S_OK && first.host.closed == 1,
                 "Finalize closes the first table");
    Bytes leave{11};
    PutI64(leave, first.me);
    checks.Check(Hex(first.host.sent.back()) == Hex(leave), "its last frame is the leave frame");
    checks.Check(first.object->Finalize() == S_OK && first.host.closed == 1,
                 "a second Finalize does nothing");

    if (argc > 2)
        ScriptFromHallThreadChecks(checks, classId, WindowsPath(argv[2]),
                                   argc > 4 ? WindowsPath(argv[3]) : "", argc > 4 ? WindowsPath(argv[4]) : "",
                                   argc > 5 ? WindowsPath(argv[5]) : "");

    checks.Check(canUnloadNow() == S_FALSE, "the library stays while tables exist");
    for (TTable* table : {&first, &second, &duplicate, &refused})
        checks.Check(table->object->Release() == 0, "the last Release destroys the table object");
    checks.Check(first.host.references == 0 && second.host.references == 0,
                 "the destroyed tables gave back their host references");
    checks.Check(!FindMarker(first.cookie), "the first table's marker went with it");
    checks.Check(canUnloadNow() == S_OK, "without tables the library may be unloaded");
    CoUninitialize();

    if (machineRegistration)
        checks.Check(unregisterServer() == S_OK, "DllUnregisterServer for the machine succeeds");
    HKEY userClasses = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, KEY_ALL_ACCESS, &userClasses);
    RegOverridePredefKey(HKEY_CLASSES_ROOT, userClasses);
    checks.Check(unregisterServer() == S_OK, "DllUnregisterServer succeeds");
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    if (userClasses) RegCloseKey(userClasses);
    checks.Check(!KeyExists(HKEY_CURRENT_USER, std::string("Software\\Classes\\CLSID\\") + kClassIdText),
                 "the class's keys are gone");
    checks.Check(!KeyExists(HKEY_LOCAL_MACHINE, std::string("Software\\Classes\\CLSID\\") + kClassIdText),
                 "no key of the class is left for the machine either");
    FreeLibrary(library);

    std::printf("%d checks failed\n", checks.Failures());
    return checks.Failures() == 0 ? 0 : 1;
}
