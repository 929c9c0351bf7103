// The toolkit on the Windows platform under Wine: a skinned form with a background picture, a picture
// button, a line of Chinese text and a shaped window is shown, read back from the screen, clicked, and
// written as wine-toolkit.png into the working folder. Then the platform's input translation, timers,
// posted and cross-thread calls, resources, version record, clipboard and files are checked.
// Exits 0 only when every check held; each check prints one line.
#include "graphics/EmbeddedResources.h"
#include "graphics/PictureResources.h"
#include "gui/Application.h"
#include "gui/BitmapPicture.h"
#include "gui/Canvas.h"
#include "gui/Font.h"
#include "gui/Form.h"
#include "gui/Label.h"
#include "gui/PngImage.h"
#include "gui/Region.h"
#include "platform/win32/Win32Platform.h"
#include "support/SkinnedDialog.h"
#include "ui/PluginPictureButton.h"
#include "wine/WineChecks.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

// The system headers come last: see WinApi.h.
#include "platform/win32/GdiObject.h"

namespace morvane::test {
namespace {

using wine::TChecks;

constexpr int kNotch = 48; // the cut-out corner of the window's shape
constexpr TColor kNotchColour = clFuchsia;

// Runs messages until `done` holds or the time is up; true when it held.
template <typename TDone>
bool RunUntil(TWin32Platform& platform, TDone done, DWORD timeoutMs = 3000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        if (!platform.ProcessOneMessage(false)) Sleep(1);
    }
    return true;
}

void RunFor(TWin32Platform& platform, DWORD ms) {
    RunUntil(
        platform, [] { return false; }, ms);
}

// A form painting the table's background picture with a marked corner that the window's shape cuts off.
class TToolkitForm : public TForm {
public:
    explicit TToolkitForm(const TPngImage& background) : TForm(nullptr), background_(background) {}

protected:
    void Paint(TCanvas& canvas) override {
        canvas.FillRect(ClientRect(), RGB(0, 64, 32));
        if (!background_.Empty()) canvas.Draw(0, 0, background_);
        canvas.FillRect({0, 0, kNotch, kNotch}, kNotchColour);
    }

private:
    const TPngImage& background_;
};

// What the screen shows inside `bounds`, read with BitBlt from the screen's device context.
TBitmap ReadScreen(const TRect& bounds) {
    TBitmap shot(bounds.Width(), bounds.Height());
    TWindowDC screen(nullptr);
    TMemoryDC memory;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bounds.Width();
    info.bmiHeader.biHeight = -bounds.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TGdiObject<HBITMAP> target(CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!target || !bits) return shot;
    {
        TSelectObject selected(memory.Get(), target.Get());
        BitBlt(memory.Get(), 0, 0, bounds.Width(), bounds.Height(), screen.Get(), bounds.left, bounds.top,
               SRCCOPY);
        GdiFlush();
    }
    for (int y = 0; y < bounds.Height(); ++y)
        std::memcpy(shot.Row32(y), static_cast<const std::uint32_t*>(bits) + std::size_t(y) * bounds.Width(),
                    std::size_t(bounds.Width()) * 4);
    return shot;
}

bool WritePng(const TBitmap& shot, const std::string& path) {
    return PictureOfBitmap(shot).SaveToFile(path);
}

std::string Hex(TColor colour) {
    char text[16];
    std::snprintf(text, sizeof(text), "%06X", unsigned(colour & 0xFFFFFF));
    return text;
}

// The screen and the framebuffer agree at a point.
void CheckSame(TChecks& checks, const TBitmap& shot, const TBitmap& framebuffer, TPoint at,
               const char* what) {
    TColor onScreen = shot.Pixel(at.x, at.y), painted = framebuffer.Pixel(at.x, at.y);
    checks.Check(onScreen == painted, std::string("the screen shows the ") + what + " at " +
                                          std::to_string(at.x) + "," + std::to_string(at.y) + " (screen " +
                                          Hex(onScreen) + ", painted " + Hex(painted) + ")");
}

void CheckSkinnedForm(TChecks& checks, TWin32Platform& platform) {
    std::string error;
    std::unique_ptr<TPngImage> background = LoadPictureByName("MAINBIGIMAGE", &error);
    checks.Check(background != nullptr, "the table's background picture loads (" + error + ")");
    static const TPngImage none;
    TToolkitForm form(background ? *background : none);
    const int width = background ? std::min(1024, background->Width()) : 800;
    const int height = background ? std::min(734, background->Height()) : 600;
    form.SetBounds(40, 30, width, height);

    auto* button = form.Own(std::make_unique<TPictureButton>(&form));
    button->SetParent(&form);
    button->LoadPictures("Clear", [&](const std::string& name) { return platform.Resource(name); });
    button->SetLeft(width / 2 - button->Width() / 2);
    button->SetTop(height - 120);
    int clicks = 0;
    button->OnClick = [&](TControl*) { ++clicks; };
    checks.Check(!button->CommPicture().Empty() && button->Width() > 0,
                 "the button's pictures come from the program's RCDATA resources");

    auto* label = form.Own(std::make_unique<TLabel>(&form));
    label->SetParent(&form);
    label->SetTransparent(true);
    label->SetAutoSize(true);
    label->Font().SetName("宋体");
    label->Font().SetSize(14);
    label->Font().SetColor(clYellow);
    label->SetCaption("百家乐 Morvane 庄闲和");
    label->SetLeft(kNotch + 20);
    label->SetTop(kNotch + 10);

    TRegion shape;
    shape.Add({kNotch, 0, width, kNotch});
    shape.Add({0, kNotch, width, height});
    form.SetFormRegion(&shape);
    form.Show();

    const bool painted =
        RunUntil(platform, [&] { return form.PaintCount() > 0 && form.PendingPaint().Empty(); });
    checks.Check(painted, "the shown form is painted (" + std::to_string(form.PaintCount()) + " passes)");
    RunFor(platform, 300); // let the system finish showing the window
    const TBitmap& framebuffer = form.Framebuffer();

    // The text: drawn in its colour (the same area just below, plain background, has no such pixels),
    // and opaque wherever it touched the framebuffer.
    const TRect text{label->Left(), label->Top(), label->Left() + label->Width(),
                     label->Top() + label->Height()};
    auto yellowish = [&](const TRect& area) {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                TColor c = framebuffer.Pixel(x, y);
                count += GetRValue(c) > 180 && GetGValue(c) > 180 && GetBValue(c) < 100;
            }
        return count;
    };
    const int inked = yellowish(text), below = yellowish(text.Offset(0, text.Height()));
    int transparent = 0;
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = text.left; x < text.right; ++x)
            transparent += framebuffer.Alpha(x, y) != 255;
    checks.Check(label->Width() > 100 && label->Height() >= 14, "GDI measures the line of text (" +
                                                                    std::to_string(label->Width()) + "x" +
                                                                    std::to_string(label->Height()) + ")");
    checks.Check(inked > 60 && below < 5, "GDI draws the text in its colour (" + std::to_string(inked) +
                                              " yellow pixels, " + std::to_string(below) + " below it)");
    checks.Check(transparent == 0, "the text leaves the framebuffer opaque");

    const TRect bounds = platform.WindowBounds(form.WindowId());
    checks.Check(bounds == TRect{40, 30, 40 + width, 30 + height}, "the window sits where the form is");
    TBitmap shot = ReadScreen(bounds);
    const TPoint buttonCentre{button->Left() + button->Width() / 2, button->Top() + button->Height() / 2};
    CheckSame(checks, shot, framebuffer, {width / 2, height / 3}, "background");
    CheckSame(checks, shot, framebuffer, {width - 5, height - 5}, "background");
    CheckSame(checks, shot, framebuffer, {kNotch + 2, 2}, "background");
    CheckSame(checks, shot, framebuffer, buttonCentre, "button");
    int textSame = 0;
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = text.left; x < text.right; ++x)
            textSame += shot.Pixel(x, y) == framebuffer.Pixel(x, y);
    checks.Check(textSame == text.Width() * text.Height(), "the screen shows the text as painted");
    checks.Check(framebuffer.Pixel(kNotch / 2, kNotch / 2) == kNotchColour &&
                     shot.Pixel(kNotch / 2, kNotch / 2) != kNotchColour,
                 "the window's shape cuts off the marked corner (screen " +
                     Hex(shot.Pixel(kNotch / 2, kNotch / 2)) + ")");
    checks.Check(WritePng(shot, "wine-toolkit.png"), "the screen picture is written to wine-toolkit.png");

    HWND window = platform.WindowHandle(form.WindowId());
    const LPARAM at = MAKELPARAM(buttonCentre.x, buttonCentre.y);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
    checks.Check(RunUntil(platform, [&] { return clicks > 0; }), "a click on the button runs its handler");
    checks.Check(GetCapture() != window, "the mouse is free again after the release");
    RunFor(platform, 100);
    checks.Check(clicks == 1, "one click, one handler run (" + std::to_string(clicks) + ")");
}

// A window client that writes down what it is told.
class TRecordingClient : public IWindowClient {
public:
    std::vector<std::string> events;
    std::function<void()> onMouseUp;

    void WindowPaint(const TRect&) override {}
    void WindowMouseDown(TMouseButton, TShiftState shift, TPoint at) override {
        Add("down " + Point(at) + " shift " + std::to_string(shift));
    }
    void WindowMouseUp(TMouseButton, TShiftState, TPoint at) override {
        Add("up " + Point(at));
        if (onMouseUp) onMouseUp();
    }
    void WindowMouseMove(TShiftState, TPoint at) override { Add("move " + Point(at)); }
    void WindowMouseWheel(TShiftState, int delta, TPoint at) override {
        Add("wheel " + std::to_string(delta) + " " + Point(at));
    }
    void WindowMouseLeave() override {}
    void WindowKeyDown(TKey key, TShiftState) override { Add("key " + std::to_string(key)); }
    void WindowKeyUp(TKey, TShiftState) override {}
    void WindowChar(const std::string& gbkChar) override {
        std::string hex;
        for (unsigned char c : gbkChar)
            hex += Hex(c).substr(4);
        Add("char " + hex);
    }
    void WindowCloseRequest() override { Add("close"); }
    void WindowActivated(bool) override {}
    void WindowMoved(const TRect& bounds) override { Add("moved " + Point({bounds.left, bounds.top})); }

    bool Has(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }

private:
    void Add(std::string event) { events.push_back(std::move(event)); }
    static std::string Point(TPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
};

// The colour of an icon drawn 32 × 32 on white, at (x, y).
COLORREF IconPixelOnWhite(HICON icon, int x, int y) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, target);
    std::fill_n(static_cast<std::uint32_t*>(bits), 32 * 32, 0x00FFFFFFu);
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const std::uint32_t pixel = static_cast<std::uint32_t*>(bits)[y * 32 + x];
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void CheckIconFocusAndMouse(TChecks& checks, TWin32Platform& platform, TWindowId id) {
    HWND window = platform.WindowHandle(id);
    // Left half green, right half keyed out: black in the colour image, white in the mask.
    TBitmap colour(32, 32, TPixelFormat::pf24bit);
    TBitmap mask(32, 32, TPixelFormat::pf24bit);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            colour.SetPixel(x, y, x < 16 ? RGB(0, 160, 0) : clBlack);
            mask.SetPixel(x, y, x < 16 ? clBlack : clWhite);
        }
    platform.SetWindowIcon(id, colour, mask);
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    checks.Check(icon != nullptr, "the window takes an icon");
    if (icon) {
        const COLORREF shown = IconPixelOnWhite(icon, 4, 4);
        const COLORREF through = IconPixelOnWhite(icon, 28, 4);
        checks.Check(shown == RGB(0, 160, 0) && through == RGB(255, 255, 255),
                     "the icon shows its colour where the mask is black and the screen elsewhere (" +
                         Hex(shown) + ", " + Hex(through) + ")");
    }
    platform.SetWindowIcon(id, TBitmap(), TBitmap());
    checks.Check(SendMessageW(window, WM_GETICON, ICON_BIG, 0) == 0, "empty pictures take the icon away");

    SetActiveWindow(window);
    checks.Check(platform.ActiveWindow() == id, "the platform knows which of its windows is active");
    SetCursorPos(1130, 815);
    const TPoint mouse = platform.CursorPos();
    checks.Check(mouse.x == 1130 && mouse.y == 815, "the mouse position is read in screen pixels (" +
                                                        std::to_string(mouse.x) + "," +
                                                        std::to_string(mouse.y) + ")");
}

void CheckInput(TChecks& checks, TWin32Platform& platform) {
    TRecordingClient client;
    TWindowId id = platform.CreateTopWindow(client, {1100, 800, 1200, 860}, false);
    platform.ShowTopWindow(id, true, false);
    HWND window = platform.WindowHandle(id);
    RunFor(platform, 100);
    client.events.clear();

    PostMessageW(window, WM_CHAR, 0x4E2D, 0); // 中, GBK D6 D0
    PostMessageW(window, WM_CHAR, 'a', 0);
    PostMessageW(window, WM_CHAR, 0xD835, 0); // a character outside GBK, in two halves
    PostMessageW(window, WM_CHAR, 0xDC9C, 0);
    PostMessageW(window, WM_KEYDOWN, VK_F1, 0);
    PostMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(1100 + 10, 800 + 5));
    PostMessageW(window, WM_CLOSE, 0, 0);
    RunUntil(platform, [&] { return client.Has("close"); });
    checks.Check(client.Has("char D6D0"), "a typed Chinese character arrives as its two GBK bytes");
    checks.Check(client.Has("char 61"), "a typed letter arrives as one byte");
    checks.Check(client.Has("char 3F") &&
                     std::count_if(client.events.begin(), client.events.end(),
                                   [](const std::string& e) { return e == "char 3F"; }) == 1,
                 "a character GBK lacks arrives once, as a question mark");
    checks.Check(client.Has("key 112"), "a key press arrives with its key code");
    checks.Check(client.Has("wheel 120 10,5"), "the wheel arrives in the window's own coordinates");
    checks.Check(IsWindow(window), "a close request is left to the form, not done by the system");

    client.events.clear();
    platform.SetWindowBounds(id, {1000, 700, 1100, 760});
    RunFor(platform, 50);
    checks.Check(!client.Has("moved 1000,700") && platform.WindowBounds(id) == TRect{1000, 700, 1100, 760},
                 "the platform's own moves are not reported back");
    MoveWindow(window, 900, 650, 100, 60, FALSE);
    RunFor(platform, 50);
    checks.Check(client.Has("moved 900,650"), "a move by the system is reported");

    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    RunUntil(platform, [&] { return client.Has("down 3,4 shift 8"); });
    checks.Check(GetCapture() == window, "a pressed button keeps the mouse for the window");

    platform.SetCursorLoader([](int slot) { return slot == 3 ? LoadCursorA(nullptr, IDC_HAND) : nullptr; });
    platform.SetCursorShape(id, 3);
    SendMessageW(window, WM_SETCURSOR, WPARAM(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    checks.Check(GetCursor() == LoadCursorA(nullptr, IDC_HAND), "a cursor slot shows the loader's cursor");
    platform.SetCursorShape(id, 0);
    SendMessageW(window, WM_SETCURSOR, WPARAM(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    checks.Check(GetCursor() == LoadCursorA(nullptr, IDC_ARROW), "slot 0 is the arrow");

    CheckIconFocusAndMouse(checks, platform, id);

    // The release takes the window away, as a click on a close button may.
    client.onMouseUp = [&] { platform.DestroyTopWindow(id); };
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    RunUntil(platform, [&] { return client.Has("up 3,4"); });
    checks.Check(!IsWindow(window) && platform.WindowHandle(id) == nullptr && GetCapture() == nullptr,
                 "a window destroyed by its own click is gone, and the mouse with it");
}

void CheckTimersAndTasks(TChecks& checks, TWin32Platform& platform) {
    int ticks = 0;
    TTimerId timer = platform.StartTimer(15, [&] { ++ticks; });
    RunFor(platform, 400);
    const int ticksWhileRunning = ticks;
    platform.StopTimer(timer);
    RunFor(platform, 100);
    checks.Check(ticksWhileRunning >= 5, "a 15 ms timer ticks in real time (" +
                                             std::to_string(ticksWhileRunning) + " ticks in 400 ms)");
    checks.Check(ticks == ticksWhileRunning, "a stopped timer ticks no more");

    std::string order;
    platform.Post([&] { order += '1'; });
    platform.Post([&] { order += '2'; });
    platform.Post([&] { order += '3'; });
    checks.Check(order.empty(), "a posted task waits for the message loop");
    RunUntil(platform, [&] { return order.size() == 3; });
    checks.Check(order == "123", "posted tasks run in order (" + order + ")");

    const std::thread::id ui = std::this_thread::get_id();
    std::atomic<bool> ranOnUi{false}, returnedAfterRun{false}, errorCameBack{false}, postedRan{false},
        done{false};
    std::thread worker([&] {
        bool ran = false;
        platform.SendSync([&] {
            ranOnUi = std::this_thread::get_id() == ui;
            ran = true;
        });
        returnedAfterRun = ran;
        try {
            platform.SendSync([] { throw std::runtime_error("refused"); });
        } catch (const std::runtime_error& e) {
            errorCameBack = std::string(e.what()) == "refused";
        }
        platform.Post([&] { postedRan = std::this_thread::get_id() == ui; });
        done = true;
    });
    RunUntil(platform, [&] { return done && postedRan; });
    worker.join();
    checks.Check(ranOnUi && returnedAfterRun,
                 "a call from another thread runs on the UI thread before it returns");
    checks.Check(errorCameBack, "an exception of such a call reaches the calling thread");
    checks.Check(postedRan, "a task posted from another thread runs on the UI thread");

    // A loop waiting for the next message sees what a call from another thread changed at once.
    std::atomic<bool> called{false};
    std::thread caller([&] {
        Sleep(100);
        platform.SendSync([&] { called = true; });
        Sleep(3000);
        platform.Post([] {}); // ends the wait below if nothing else does
    });
    const DWORD waitStart = GetTickCount();
    while (!called)
        platform.ProcessOneMessage(true);
    const DWORD waited = GetTickCount() - waitStart;
    caller.join();
    checks.Check(waited < 2000, "a waiting loop returns after a call from another thread (" +
                                    std::to_string(waited) + " ms)");

    platform.Post([] { throw std::runtime_error("task failed"); });
    bool thrown = false;
    try {
        RunFor(platform, 200);
    } catch (const std::runtime_error& e) {
        thrown = std::string(e.what()) == "task failed";
    }
    checks.Check(thrown, "an exception of a posted task comes out of the message loop");
}

void CheckServices(TChecks& checks, TWin32Platform& platform) {
    std::span<const std::uint8_t> fromModule = platform.Resource("mainBigImage");
    std::span<const std::uint8_t> embedded = FindEmbeddedResource("MAINBIGIMAGE");
    checks.Check(!fromModule.empty() && fromModule.size() == embedded.size() &&
                     std::equal(fromModule.begin(), fromModule.end(), embedded.begin()),
                 "an RCDATA resource is found by name in any case (" + std::to_string(fromModule.size()) +
                     " bytes)");
    checks.Check(platform.Resource("NoSuchPicture").empty(), "a missing resource is empty");
    const std::uint8_t provided[] = {1, 2, 3};
    platform.SetResourceProvider([&](const std::string& name) {
        return name == "Extra" ? std::span<const std::uint8_t>(provided) : std::span<const std::uint8_t>();
    });
    checks.Check(platform.Resource("Extra").size() == 3,
                 "a resource the module lacks comes from the provider");

    const TFileVersionInfomation& version = platform.VersionRecord();
    checks.Check(version.ProductName == "Morvane toolkit check" && version.FileVersion == "1.2.3.4",
                 "the version record is the program's own version resource (" + version.ProductName + ")");
    checks.Check(version.FixedInfo.dwSignature == 0xFEEF04BD &&
                     version.FixedInfo.dwFileVersionMS == 0x00010002 &&
                     version.FixedInfo.dwFileVersionLS == 0x00030004,
                 "the fixed part of the version record is read");

    const std::string file = platform.ModuleFileName(), folder = platform.LibraryFolder();
    std::string lower = file;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return char(std::tolower(c)); });
    checks.Check(lower.size() > 16 && lower.ends_with("\\wine_toolkit.exe"), "the module file is " + file);
    checks.Check(!folder.empty() && folder.back() == '\\' && file.starts_with(folder),
                 "the folder is " + folder);
    checks.Check(platform.FileExists(file), "the module file exists");
    checks.Check(!platform.FileExists(folder) && !platform.FileExists(folder + "no-such-file.ini"),
                 "a folder or a missing file does not count as a file");

    const std::string chinese = "中文 abc";
    platform.SetClipboardText(chinese);
    checks.Check(platform.ClipboardText() == chinese, "Chinese text goes through the clipboard unchanged");

    TFont font;
    font.SetSize(12);
    TSize extent = platform.TextEngine().TextExtent(font, "百家乐");
    TSize wider = platform.TextEngine().TextExtent(font, "百家乐百家乐");
    checks.Check(extent.cx > 20 && extent.cy >= 14 && wider.cx > extent.cx,
                 "text extents grow with the text (" + std::to_string(extent.cx) + "x" +
                     std::to_string(extent.cy) + ")");

    checks.Check(platform.MciSendString("open no-such-sound.wav alias missing") != 0,
                 "an MCI command that fails returns the system's error number");
    checks.Check(!platform.ChangeDisplayMode({0, 0, 32}), "a display mode without a size is refused");
    TDisplayMode mode = platform.DisplayMode();
    checks.Check(mode.width > 0 && mode.height > 0, "the display mode is " + std::to_string(mode.width) +
                                                        "x" + std::to_string(mode.height) + "x" +
                                                        std::to_string(mode.bitsPerPixel));
    checks.Check(!platform.ScreenWorkArea().IsEmpty(), "the screen has a work area");
    checks.Check(platform.ClaimMarker("MorvaneToolkitCheck") && !platform.ClaimMarker("MorvaneToolkitCheck"),
                 "a marker is claimed once; the second claim finds it taken");
    platform.ReleaseMarker("MorvaneToolkitCheck");
    checks.Check(platform.ClaimMarker("MorvaneToolkitCheck"), "a released marker can be claimed again");
    platform.ReleaseMarker("MorvaneToolkitCheck");

    // The system's hot key and tray messages, sent to the service window as the system sends them.
    HWND service = FindWindowW(L"MorvaneServiceWindow", nullptr);
    checks.Check(service != nullptr, "the platform has its service window");
    int hotKeyPresses = 0, trayClicks = 0;
    const bool registered =
        platform.RegisterHotKey(0, 7, MOD_CONTROL | MOD_ALT, 'M', [&] { ++hotKeyPresses; });
    std::printf("note   RegisterHotKey %s\n", registered ? "accepted" : "refused by this system");
    if (registered) {
        PostMessageW(service, WM_HOTKEY, 7, 0);
        checks.Check(RunUntil(platform, [&] { return hotKeyPresses == 1; }),
                     "a pressed hot key runs its handler");
        // Two windows of the process that want the same keys take turns behind the one registration.
        int laterPresses = 0;
        checks.Check(platform.RegisterHotKey(42, 9, MOD_CONTROL | MOD_ALT, 'M', [&] { ++laterPresses; }),
                     "a second window of the process asking for the same keys waits in line");
        checks.Check(!::RegisterHotKey(nullptr, 0x3001, MOD_CONTROL | MOD_ALT, 'M'),
                     "a registration beside the platform's cannot take the keys it holds");
        PostMessageW(service, WM_HOTKEY, 7, 0);
        checks.Check(RunUntil(platform, [&] { return hotKeyPresses == 2; }) && laterPresses == 0,
                     "the window that asked first gets the key");
        platform.UnregisterHotKey(0, 7);
        PostMessageW(service, WM_HOTKEY, 7, 0);
        checks.Check(RunUntil(platform, [&] { return laterPresses == 1; }) && hotKeyPresses == 2,
                     "when it gives the key up, the next window in line gets it");
        platform.UnregisterHotKey(42, 9);
        PostMessageW(service, WM_HOTKEY, 7, 0);
        RunFor(platform, 50);
        checks.Check(hotKeyPresses == 2 && laterPresses == 1, "an unregistered hot key runs nothing");
        const bool freed = ::RegisterHotKey(nullptr, 0x3001, MOD_CONTROL | MOD_ALT, 'M');
        checks.Check(freed, "once no window wants them, the keys are the system's again");
        if (freed) ::UnregisterHotKey(nullptr, 0x3001);
    }
    platform.ShowTrayIcon("百家乐", [&] { ++trayClicks; });
    // The icon acts as soon as the left button goes down on it.
    PostMessageW(service, WM_APP + 3, 1, WM_MOUSEMOVE);
    PostMessageW(service, WM_APP + 3, 1, WM_LBUTTONUP);
    RunFor(platform, 50);
    checks.Check(trayClicks == 0, "a hover or a release on the notification icon runs nothing");
    PostMessageW(service, WM_APP + 3, 1, WM_LBUTTONDOWN);
    RunFor(platform, 50);
    checks.Check(trayClicks == 1, "a press on the notification icon runs its handler");
    platform.RemoveTrayIcon();
    PostMessageW(service, WM_APP + 3, 1, WM_LBUTTONDOWN);
    RunFor(platform, 50);
    checks.Check(trayClicks == 1, "a removed icon runs nothing");

    std::array<std::uint8_t, 6> adapter{};
    const bool haveAdapter = platform.AdapterAddress(adapter);
    std::printf("note   adapter address %s\n", haveAdapter ? "read" : "not available under this system");
}

// The skinned dialog of the headless screenshot, on the real platform: a counted-down modal run, the skin
// bars over the list, and the picture the screen shows.
void CheckSkinnedDialog(TChecks& checks, TWin32Platform& platform) {
    TSkinnedDialog dialog = BuildSkinnedDialog(40, 40);
    TBitmap shot, painted;
    platform.StartTimer(2500, [&] {
        dialog.form->PaintPending();
        RunFor(platform, 100);
        shot = ReadScreen(dialog.form->BoundsRect());
        painted = dialog.form->Framebuffer();
        dialog.panel->SetModalResult(1);
    });
    checks.Check(dialog.panel->ShowModal() == 1,
                 "the dialog's modal run ends with the result its handler set");
    checks.Check(dialog.accept->CommCaption() == "确定(8)", "the countdown shows 8 seconds after two ticks");
    const TISScrollBarReplacer* replacer = dialog.scrollSkin->Find(*dialog.list);
    checks.Check(replacer && replacer->Bar(TScrollBarKind::sbVertical).Visible(),
                 "the list's vertical bar is covered by a skin bar");
    const TColor title = shot.Pixel(200, 6), body = shot.Pixel(7, 150);
    checks.Check(GetBValue(title) > GetRValue(title) + 40,
                 "the title band is blue on the screen: " + Hex(title));
    checks.Check(GetRValue(body) > 220 && GetGValue(body) > 210 && GetBValue(body) > 180,
                 "the panel body is cream on the screen: " + Hex(body));
    // Every part presented on its own (the countdown caption, the skin bars) lands where it was painted.
    int different = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            different += (dialog.panel->HitTest({x, y}) && shot.Pixel(x, y) != painted.Pixel(x, y)) ? 1 : 0;
    checks.Check(!shot.Empty() && different == 0, "the screen shows the dialog exactly as painted (" +
                                                      std::to_string(different) + " pixels differ)");
    checks.Check(WritePng(shot, "wine-skinned-panel.png"), "wine-skinned-panel.png is written");
}

} // namespace
} // namespace morvane::test

int main() {
    using namespace morvane;
    test::TChecks checks;
    try {
        TWin32Platform platform;
        TApplication application(platform);
        test::CheckSkinnedForm(checks, platform);
        test::CheckInput(checks, platform);
        test::CheckTimersAndTasks(checks, platform);
        test::CheckServices(checks, platform);
        test::CheckSkinnedDialog(checks, platform);
    } catch (const std::exception& e) {
        checks.Check(false, std::string("no exception escapes: ") + e.what());
    }
    std::printf("%d check(s) failed\n", checks.Failures());
    return checks.Failures() == 0 ? 0 : 1;
}
