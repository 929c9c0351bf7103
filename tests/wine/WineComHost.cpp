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
#include "tests/wine/WineHall.h"

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

namespace {

using namespace morvane::wine;

constexpr const char* kClassIdText = MORVANE_CLASS_ID;

// A table frame: kind 3, the user, the command and its payload.
Bytes TableFrame(std::int64_t user, std::uint8_t cmd, const Bytes& payload = {}) {
    Bytes frame{3};
    PutI64(frame, user);
    frame.push_back(cmd);
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
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

// Whether a registration outside the library could take these keys now (it gives them back at once).
bool KeysFree(UINT modifiers, UINT key) {
    constexpr int kProbeId = 0x3101;
    if (!RegisterHotKey(nullptr, kProbeId, modifiers, key)) return false;
    UnregisterHotKey(nullptr, kProbeId);
    return true;
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
    // Only the boss key is the whole system's; the chat key belongs to the table's window alone.
    checks.Check(!KeysFree(MOD_ALT, 'Q'), "while tables are open, Alt+Q is the boss key of the whole system");
    checks.Check(KeysFree(MOD_CONTROL, VK_ADD),
                 "other programs keep Ctrl + numpad \"+\" while tables are open");

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
    checks.Check(first.object->Release() == 0, "the last Release destroys the table object");
    checks.Check(!KeysFree(MOD_ALT, 'Q'),
                 "with the first table gone, the tables still open keep the boss key");
    for (TTable* table : {&second, &duplicate, &refused})
        checks.Check(table->object->Release() == 0, "the last Release destroys the table object");
    checks.Check(KeysFree(MOD_ALT, 'Q'), "with every table gone, Alt+Q is free again");
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
