// A hall that installs the table from its package, under Wine: the package is unpacked into the prefix's
// drive C; this program registers the library there with the system's own regsvr32.exe, finds the class's
// keys as regsvr32 wrote them, opens a table through CoCreateInstance as a hall does, plays a round into
// its window (frames from a hall thread, a chip laid with the mouse), wants the frames the headless table
// sent for the same script, every sound it played lying in the package's sound folder and the sounds it
// opened being the package's, then closes the table, unregisters the library with regsvr32 /u and finds
// the keys gone.
//   wine_package_hall <installed folder, as Windows names it> <replay script> <headless transcript>
// Exits 0 only when every check held; each check prints one line.
#include "tests/wine/WineHall.h"
#include "tests/wine/WinePlayer.h"

#include <fstream>
#include <mmsystem.h>
#include <set>

namespace {

using namespace morvane::wine;

constexpr const char* kClassIdText = MORVANE_CLASS_ID;
// The class's description: the library's product name, 百家乐.
constexpr const wchar_t* kDescription = L"\x767E\x5BB6\x4E50";

// Runs the system's regsvr32.exe silently on the library and returns its exit code (-1 when it did not
// run or did not end within a minute).
int RunRegsvr32(const std::wstring& dll, bool unregister) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(system) + L"\\regsvr32.exe\" /s " +
                           (unregister ? L"/u " : L"") + L"\"" + dll + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    DWORD code = DWORD(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(code);
}

bool KeyExists(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::wstring KeyValue(HKEY root, const std::wstring& key, const wchar_t* name) {
    wchar_t value[512] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return value;
}

std::string Utf8(const std::wstring& wide) {
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(std::max(length, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
}

void RegisteredClassChecks(TChecks& checks, const std::wstring& dll) {
    const std::wstring classKey = L"CLSID\\" + Wide(kClassIdText);
    checks.Check(KeyValue(HKEY_CLASSES_ROOT, classKey, nullptr) == kDescription,
                 "the class is registered, described with the product name");
    const std::wstring server = KeyValue(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", nullptr);
    checks.Check(lstrcmpiW(server.c_str(), dll.c_str()) == 0,
                 "InprocServer32 names the installed library: " + Utf8(server));
    checks.Check(KeyValue(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", L"ThreadingModel") ==
                     L"Apartment",
                 "the threading model is Apartment");
    checks.Check(!KeyExists(HKEY_CLASSES_ROOT, classKey + L"\\ProgID") &&
                     !KeyExists(HKEY_CLASSES_ROOT, classKey + L"\\VersionIndependentProgID"),
                 "no ProgID is registered");
    checks.Check(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + classKey),
                 "regsvr32 registered the class for the machine");
}

// The sounds the headless table played for the script: its transcript's "sound" lines and the music it
// opened, by file name (UTF-8).
std::set<std::string> PlayedSounds(const std::string& transcriptPath) {
    std::set<std::string> sounds;
    std::ifstream input(transcriptPath);
    std::string line;
    while (std::getline(input, line)) {
        if (line.rfind("sound ", 0) == 0) sounds.insert(line.substr(6));
        // mci OPEN "...\\下注背景.wav" ALIAS ...: the music, whose name follows the last backslash.
        if (line.rfind("mci OPEN \"", 0) == 0) {
            const std::size_t close = line.find('"', 10);
            const std::size_t slash = line.rfind('\\', close);
            if (close != std::string::npos && slash != std::string::npos && slash > 10)
                sounds.insert(line.substr(slash + 1, close - slash - 1));
        }
    }
    return sounds;
}

void SoundChecks(TChecks& checks, const std::wstring& folder, const std::string& transcriptPath) {
    const std::set<std::string> sounds = PlayedSounds(transcriptPath);
    checks.Check(sounds.size() >= 10 && sounds.count("\xE4\xB8\x8B\xE6\xB3\xA8\xE8\x83\x8C\xE6\x99\xAF.wav"),
                 "the headless table played ten sounds or more and the betting music (" +
                     std::to_string(sounds.size()) + " in all)");
    const std::wstring soundFolder = folder + L"\\Sound\\" + Wide(kClassIdText) + L"\\";
    std::string missing;
    for (const std::string& sound : sounds) {
        const DWORD attributes = GetFileAttributesW((soundFolder + WideOfUtf8(sound)).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            missing += " " + sound;
    }
    checks.Check(missing.empty(), "every sound the table played lies in the package's sound folder" +
                                      (missing.empty() ? std::string() : ", but not:" + missing));
}

// The files of the MCI devices open in this process, in lower case: the table opens one for every sound
// and leaves it open until it has opened twenty.
std::vector<std::wstring> OpenSoundFiles() {
    std::vector<std::wstring> files;
    wchar_t count[32] = {};
    if (mciSendStringW(L"sysinfo all quantity open", count, 31, nullptr) != 0) return files;
    for (int i = 1; i <= _wtoi(count); ++i) {
        wchar_t alias[256] = {}, file[MAX_PATH] = {};
        if (mciSendStringW((L"sysinfo all name " + std::to_wstring(i) + L" open").c_str(), alias, 255,
                           nullptr) == 0 &&
            mciSendStringW((L"info " + std::wstring(alias) + L" file").c_str(), file, MAX_PATH - 1,
                           nullptr) == 0) {
            CharLowerW(file);
            files.push_back(file);
        }
    }
    return files;
}

// The table found its sounds beside the library it was loaded from: the files it opened through MCI are
// the package's, the start and game-over sounds of the round among them. (Wine's MCI opens a file only
// by a name its ANSI code page can spell, so under a western code page the Chinese names do not open,
// while the files are there: SoundChecks looks at those.)
void OpenedSoundChecks(TChecks& checks, const std::wstring& folder) {
    std::wstring soundFolder = folder + L"\\Sound\\" + Wide(kClassIdText) + L"\\";
    CharLowerW(soundFolder.data());
    const std::vector<std::wstring> files = OpenSoundFiles();
    bool allInPackage = !files.empty();
    std::set<std::wstring> names;
    std::string listing;
    for (const std::wstring& file : files) {
        allInPackage = allInPackage && file.rfind(soundFolder, 0) == 0;
        names.insert(file.substr(file.rfind(L'\\') + 1));
        listing += " " + Utf8(file);
    }
    checks.Check(allInPackage && names.count(L"start.wav") && names.count(L"gameover.wav"),
                 "the table opened its sounds from the package's sound folder, Start.wav and GameOver.wav "
                 "among them:" +
                     listing);
    if (GetACP() != 936)
        std::printf("note   Wine's code page is %u: MCI here opens no file with a Chinese name\n", GetACP());
}

} // namespace

int main(int argc, char** argv) {
    TChecks checks;
    if (argc < 4) {
        std::printf("usage: wine_package_hall <installed folder> <replay script> <headless transcript>\n");
        return 2;
    }
    const std::wstring folder = WideOfUtf8(argv[1]);
    const std::wstring dll = folder + L"\\Morvane.dll";
    TScript script;
    checks.Check(ReadScript(WindowsPath(argv[2]), script), std::string("the script is read: ") + argv[2]);
    const std::string transcript = WindowsPath(argv[3]);
    const std::vector<std::string> expected = TranscriptSends(transcript);
    checks.Check(!expected.empty(), "the headless transcript has frames: " + transcript);
    if (script.frames.empty() || expected.empty()) return 1;

    const DWORD libraryFile = GetFileAttributesW(dll.c_str());
    checks.Check(libraryFile != INVALID_FILE_ATTRIBUTES, "the package is unpacked: " + Utf8(dll));
    checks.Check(RunRegsvr32(dll, false) == 0, "regsvr32 registers the library");
    RegisteredClassChecks(checks, dll);
    SoundChecks(checks, folder, transcript);

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CLSID classId{};
    CLSIDFromString(Wide(kClassIdText).c_str(), &classId);
    void* object = nullptr;
    checks.Check(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER,
                                  reinterpret_cast<const IID&>(morvane::IID_IQXOpenInterface),
                                  &object) == S_OK &&
                     object,
                 "CoCreateInstance opens a table by the registered class");
    auto* table = static_cast<morvane::IQXOpenInterface*>(object);
    if (!table) return 1;
    wchar_t loaded[MAX_PATH] = {};
    GetModuleFileNameW(GetModuleHandleW(L"Morvane.dll"), loaded, MAX_PATH);
    checks.Check(lstrcmpiW(loaded, dll.c_str()) == 0,
                 "the table runs from the installed library: " + Utf8(loaded));

    THallHost host;
    const std::int64_t me = std::stoll(script.init["user"]);
    const std::string title = script.init["title"], nick = script.init["nick"];
    checks.Check(table->SetRequestInterface(&host) == S_OK &&
                     table->Initialize(std::stoll(script.init["cookie"]), title.c_str(), &me, nick.c_str(), 0,
                                       0, 0, 0) == S_OK,
                 "the table initialises with the script's cookie, title, player and name");
    const HWND window = FindWindowW(nullptr, Wide936(title + "[" + nick + "]").c_str());
    checks.Check(window != nullptr, "the table's window is found by its caption");
    if (window)
        checks.Check(PlayIntoWindow(*table, script, window, checks, 60000),
                     "the round was played within a minute");
    OpenedSoundChecks(checks, folder);
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
                           " frames the headless table sent for the round, its bet among them (here " +
                           std::to_string(sent.size()) + ")" + listing);
    checks.Check(table->Release() == 0, "the table object goes with the last Release");
    CoUninitialize();

    checks.Check(RunRegsvr32(dll, true) == 0, "regsvr32 /u unregisters the library");
    const std::wstring classKey = L"CLSID\\" + Wide(kClassIdText);
    checks.Check(!KeyExists(HKEY_CLASSES_ROOT, classKey) &&
                     !KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + classKey) &&
                     !KeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\" + classKey),
                 "the class's keys are gone");
    void* after = nullptr;
    checks.Check(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED) >= 0 &&
                     CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER,
                                      reinterpret_cast<const IID&>(morvane::IID_IQXOpenInterface),
                                      &after) == REGDB_E_CLASSNOTREG,
                 "and no table can be created by the class any more");
    CoUninitialize();

    std::printf("%d checks failed\n", checks.Failures());
    return checks.Failures() == 0 ? 0 : 1;
}
