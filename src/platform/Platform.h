#pragma once

#include "base/FileVersionInfomation.h"
#include "gui/Bitmap.h"
#include "gui/WindowSystem.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace morvane {

// Buttons of a message box, and the answers it gives (the system's numbers).
enum TMessageBoxButtons : std::uint32_t { MB_OK = 0, MB_OKCANCEL = 1, MB_YESNO = 4 };
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// The window class of the table markers, by which other tables and the hall find them.
inline constexpr const char* kMarkerWindowClass = "T1A55E3";

// A window of another program, as the system names it.
using TForeignWindow = std::uintptr_t;

// Modifiers of a system-wide hot key.
enum THotKeyModifier : std::uint32_t { MOD_ALT = 1, MOD_CONTROL = 2, MOD_SHIFT = 4 };

struct TDisplayMode {
    int width{0};
    int height{0};
    int bitsPerPixel{0};
    friend bool operator==(const TDisplayMode&, const TDisplayMode&) = default;
};

// Everything the table needs from the operating system, beyond windows and time: sounds through MCI command
// strings, links, hot keys, the notification-area icon, the display, the network adapter, the library's own
// folder and version record, resources, the clipboard and files. Two backends implement it: the headless one
// (virtual time, a log of effects) and Win32.
// The services a table can do without have bodies that do nothing and answer "not here": no sound, no
// links, no hot keys, no tray icon, no other programs' windows, no screen copy, no display modes, no
// adapter, no clipboard, and markers that nobody else sees. A new backend starts with windows, timers, text,
// the library's folder, version record and resources, files and message boxes, and adds the rest as it
// can.
class TPlatform : public TWindowSystem {
public:
    // The system's MCIERR_DEVICE_NOT_INSTALLED, which a platform without sound answers every command with.
    static constexpr int kMciNoDevice = 306;

    // Sends an MCI command string; 0 means success, anything else the system's error number.
    virtual int MciSendString(const std::string& /*command*/) { return kMciNoDevice; }
    // Opens a link or a file with the program the system associates with it.
    virtual void ShellOpen(const std::string& /*address*/) {}
    // A system-wide hot key of a window, known by the window and an id of the window's choosing (a second
    // registration under both replaces the first); `onPressed` runs on the UI thread whichever program is
    // active. Windows of this process that ask for the same keys take turns: the first holds them, the
    // others wait in line and take them over, in order, as the holders give them up. Window 0 stands for
    // the process itself. Returns false when another program holds the keys (or there are no hot keys).
    virtual bool RegisterHotKey(TWindowId /*window*/, int /*id*/, std::uint32_t /*modifiers*/, TKey /*key*/,
                                std::function<void()> /*onPressed*/) {
        return false;
    }
    virtual void UnregisterHotKey(TWindowId /*window*/, int /*id*/) {}
    // The icon in the notification area with its tip; clicking it runs `onClick`.
    virtual void ShowTrayIcon(const std::string& /*tip*/, std::function<void()> /*onClick*/) {}
    virtual void RemoveTrayIcon() {}
    // Windows of other programs (the hall's main window and its owner), found by caption; 0 when none.
    virtual TForeignWindow FindWindowByCaption(const std::string& /*caption*/) { return 0; }
    // The window that owns it, 0 when none.
    virtual TForeignWindow WindowOwner(TForeignWindow /*window*/) { return 0; }
    virtual void MinimizeForeignWindow(TForeignWindow /*window*/) {}
    virtual void ShowForeignWindow(TForeignWindow /*window*/, bool /*show*/) {}
    // What the screen shows inside a rectangle of screen coordinates, as a 24-bit bitmap of the screen
    // pixels it covers (its size times the windows' scale); an empty bitmap when the screen cannot be read.
    virtual TBitmap CopyScreen(const TRect& /*rect*/) { return {}; }
    virtual TRect ScreenWorkArea() = 0;
    // The display's mode; all zero when it cannot be known, which no switch is asked to restore.
    virtual TDisplayMode DisplayMode() { return {}; }
    // Switches the display mode; false when the system refuses.
    virtual bool ChangeDisplayMode(const TDisplayMode& /*mode*/) { return false; }
    // The first network adapter's hardware address; false when none can be read.
    virtual bool AdapterAddress(std::array<std::uint8_t, 6>& /*address*/) { return false; }
    // The folder of the library itself (with its trailing backslash), and its module file name.
    virtual std::string LibraryFolder() = 0;
    virtual std::string ModuleFileName() = 0;
    virtual const TFileVersionInfomation& VersionRecord() = 0;
    // The bytes of a resource of the library, looked up without regard to case; empty when absent.
    virtual std::span<const std::uint8_t> Resource(const std::string& name) = 0;
    // Puts text (GBK) on the clipboard, which ClipboardText reads back.
    virtual void SetClipboardText(const std::string& /*gbkText*/) {}
    virtual bool FileExists(const std::string& systemPath) = 0;
    // A named marker seen by every table object on the machine, in this process and in others, and by the
    // hall: on Windows a hidden window of class kMarkerWindowClass whose caption is the name. Claims it
    // and returns true when this caller now holds it, false when it was claimed already (by this process
    // or another). The duplicate-table guard keeps one per open table. Without markers every claim holds:
    // such a platform sees no other table.
    virtual bool ClaimMarker(const std::string& /*name*/) { return true; }
    // Whether a marker this process claimed is still there: another program may close it.
    virtual bool MarkerIntact(const std::string& /*name*/) { return true; }
    // Gives up a marker this process claimed; unknown names are ignored.
    virtual void ReleaseMarker(const std::string& /*name*/) {}
};

} // namespace morvane
