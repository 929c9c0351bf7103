// A table whose option file asks for twice the size, under Wine: its window opens at twice the table's
// 1024 × 734 pixels with its shape twice as large, and a press at a screen pixel of the enlarged close
// button (one that lies outside a window of the table's own size) reaches the button, which closes the
// table as the hall sees it.
//   wine_table_scale <Morvane.dll beside an option file with [Option] Scale=2>
// Exits 0 only when every check held; each check prints one line.
#include "tests/wine/WineHall.h"

namespace {

using namespace morvane::wine;

constexpr int kScale = 2;
constexpr int kTableWidth = 1024;
constexpr int kTableHeight = 734;
// The close button of the title strip, in the table's own pixels.
constexpr int kCloseX = 992;
constexpr int kCloseY = 12;

void CheckShape(HWND window, TChecks& checks) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    const int kind = GetWindowRgn(window, region);
    GetRgnBox(region, &box);
    DeleteObject(region);
    // The frame's shape fills the rectangle (5, 5)–(1019, 729) of the table's own pixels to its edges.
    checks.Check(kind != ERROR && box.left == 5 * kScale && box.top == 5 * kScale &&
                     box.right == 1019 * kScale && box.bottom == 729 * kScale,
                 "the window's shape is twice as large: its box is (" + std::to_string(box.left) + ", " +
                     std::to_string(box.top) + ")-(" + std::to_string(box.right) + ", " +
                     std::to_string(box.bottom) + ")");
}

} // namespace

int main(int argc, char** argv) {
    TChecks checks;
    if (argc < 2) {
        std::printf("usage: wine_table_scale <Morvane.dll>\n");
        return 2;
    }
    HMODULE library = LoadLibraryW(Wide(WindowsPath(argv[1])).c_str());
    auto getClassObject = library ? reinterpret_cast<TGetClassObject>(
                                        reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")))
                                  : nullptr;
    checks.Check(getClassObject != nullptr, std::string("the library loads: ") + argv[1]);
    if (!getClassObject) return 1;

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    morvane::IQXOpenInterface* table = NewTable(getClassObject);
    checks.Check(table != nullptr, "the class object makes a table");
    if (!table) return 1;

    THallHost host;
    const std::int64_t me = 1001;
    checks.Check(table->SetRequestInterface(&host) == S_OK &&
                     table->Initialize(880000501, "ScaleTable", &me, "p1", 0, 0, 0, 0) == S_OK,
                 "the table initialises");
    const HWND window = FindWindowW(nullptr, L"ScaleTable[p1]");
    checks.Check(window != nullptr, "the table's window is found by its caption");
    if (window) {
        PumpUntil([] { return false; }, 500);
        RECT bounds{};
        GetWindowRect(window, &bounds);
        checks.Check(bounds.right - bounds.left == kTableWidth * kScale &&
                         bounds.bottom - bounds.top == kTableHeight * kScale,
                     "the window opens at 2048 x 1468 (here " + std::to_string(bounds.right - bounds.left) +
                         " x " + std::to_string(bounds.bottom - bounds.top) + ")");
        CheckShape(window, checks);

        // The last screen pixel of the close button's pixel: beyond the right edge of a window of the
        // table's own size.
        const LPARAM at = MAKELPARAM(kCloseX * kScale + kScale - 1, kCloseY * kScale + kScale - 1);
        PostMessageW(window, WM_MOUSEMOVE, 0, at);
        PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(window, WM_LBUTTONUP, 0, at);
        checks.Check(PumpUntil([&] { return host.closed == 1; }, 10000),
                     "a press on the enlarged close button closes the table");
    }
    table->Finalize();
    checks.Check(host.closed == 1, "the hall was told once that the table closed");
    checks.Check(table->Release() == 0, "the table object goes with the last Release");
    CoUninitialize();
    FreeLibrary(library);
    std::printf("%d checks failed\n", checks.Failures());
    return checks.Failures() == 0 ? 0 : 1;
}
