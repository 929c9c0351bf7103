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
#include "tests/wine/WinePlayer.h"

namespace {

using namespace morvane::wine;

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
    morvane::IQXOpenInterface* table = NewTable(getClassObject);
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
        checks.Check(PlayIntoWindow(*table, script, window, checks, 120000),
                     "the script was played within two minutes");
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
