// The services of the Windows platform beyond windows and messages: sounds, links, hot keys, the
// notification icon, the display, the network adapter, the library's own file, resources, the clipboard.
#include "base/ShellAddress.h"
#include "platform/WindowScale.h"
#include "platform/win32/ModuleVersion.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>

// The system headers come last: see WinApi.h.
#include "platform/win32/GdiObject.h"
#include "platform/win32/ServiceMessages.h"
#include "platform/win32/WinApi.h"

namespace morvane {
namespace {

constexpr UINT kTrayIconId = 1;

// The system's message boxes over one window: dialogs of the system's dialog class owned by it.
struct TMessageBoxSearch {
    HWND owner;
    std::vector<HWND> boxes;
};

BOOL CALLBACK CollectMessageBox(HWND window, LPARAM search) {
    auto& find = *reinterpret_cast<TMessageBoxSearch*>(search);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wcscmp(className, L"#32770") == 0 && GetWindow(window, GW_OWNER) == find.owner)
        find.boxes.push_back(window);
    return TRUE;
}

// The adapter status of one LAN adapter number, after resetting it as NetBIOS requires.
bool AdapterStatus(UCHAR lana, std::array<std::uint8_t, 6>& address) {
    NCB reset{};
    reset.ncb_command = NCBRESET;
    reset.ncb_lana_num = lana;
    if (Netbios(&reset) != NRC_GOODRET) return false;
    struct {
        ADAPTER_STATUS status;
        NAME_BUFFER names[30];
    } answer{};
    NCB status{};
    status.ncb_command = NCBASTAT;
    status.ncb_lana_num = lana;
    std::memset(status.ncb_callname, ' ', NCBNAMSZ);
    status.ncb_callname[0] = '*';
    status.ncb_buffer = reinterpret_cast<PUCHAR>(&answer);
    status.ncb_length = sizeof(answer);
    if (Netbios(&status) != NRC_GOODRET) return false;
    std::copy(answer.status.adapter_address, answer.status.adapter_address + 6, address.begin());
    return true;
}

std::wstring UpperAsciiWide(const std::string& name) {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return WideFromGbk(upper);
}

} // namespace

// [Sounds, links, hot keys]

int TWin32Platform::MciSendString(const std::string& command) {
    return int(mciSendStringW(WideFromGbk(command).c_str(), nullptr, 0, nullptr));
}

void TWin32Platform::ShellOpen(const std::string& address) {
    ShellExecuteW(nullptr, L"open", WideFromGbk(ShellSafeAddress(address)).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

bool TWin32Platform::RegisterHotKey(TWindowId window, int id, std::uint32_t modifiers, TKey key,
                                    std::function<void()> onPressed) {
    UnregisterHotKey(window, id);
    const THotKeyCombination keys{modifiers, key};
    if (!systemHotKeys_.contains(keys)) {
        const int systemId = FreeSystemHotKeyId(id);
        if (!::RegisterHotKey(service_, systemId, modifiers, key)) return false;
        systemHotKeys_[keys] = systemId;
    }
    hotKeys_.push_back(HotKey{window, id, modifiers, key, std::move(onPressed)});
    return true;
}

void TWin32Platform::UnregisterHotKey(TWindowId window, int id) {
    const auto found = std::find_if(hotKeys_.begin(), hotKeys_.end(), [&](const HotKey& hotKey) {
        return hotKey.window == window && hotKey.id == id;
    });
    if (found == hotKeys_.end()) return;
    const THotKeyCombination keys{found->modifiers, found->key};
    hotKeys_.erase(found);
    const bool stillWanted = std::any_of(hotKeys_.begin(), hotKeys_.end(), [&](const HotKey& hotKey) {
        return THotKeyCombination{hotKey.modifiers, hotKey.key} == keys;
    });
    if (stillWanted) return;
    const auto system = systemHotKeys_.find(keys);
    if (system == systemHotKeys_.end()) return;
    ::UnregisterHotKey(service_, system->second);
    systemHotKeys_.erase(system);
}

void TWin32Platform::DropHotKeys(TWindowId window) {
    std::vector<int> ids;
    for (const HotKey& hotKey : hotKeys_)
        if (hotKey.window == window) ids.push_back(hotKey.id);
    for (int id : ids)
        UnregisterHotKey(window, id);
}

int TWin32Platform::FreeSystemHotKeyId(int wanted) const {
    // Applications number their hot keys from 0 to 0xBFFF.
    constexpr int kLastApplicationId = 0xBFFF;
    const auto used = [this](int systemId) {
        return std::any_of(systemHotKeys_.begin(), systemHotKeys_.end(),
                           [systemId](const auto& entry) { return entry.second == systemId; });
    };
    if (wanted >= 0 && wanted <= kLastApplicationId && !used(wanted)) return wanted;
    int systemId = kLastApplicationId;
    while (used(systemId))
        --systemId;
    return systemId;
}

void TWin32Platform::RunHotKey(int systemId) {
    const auto system = std::find_if(systemHotKeys_.begin(), systemHotKeys_.end(),
                                     [systemId](const auto& entry) { return entry.second == systemId; });
    if (system == systemHotKeys_.end()) return;
    const auto holder = std::find_if(hotKeys_.begin(), hotKeys_.end(), [&](const HotKey& hotKey) {
        return THotKeyCombination{hotKey.modifiers, hotKey.key} == system->first;
    });
    if (holder == hotKeys_.end()) return;
    // A copy: the handler may give the key up (its table closing) while it runs.
    std::function<void()> onPressed = holder->onPressed;
    if (onPressed) onPressed();
}

// [Notification icon]

void TWin32Platform::UpdateTrayIcon(bool add) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = service_;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    // The library's first icon, or the system's application icon when it has none.
    data.hIcon = LoadIconW(module_, MAKEINTRESOURCEW(1));
    if (!data.hIcon) data.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    std::wstring tip = WideFromGbk(trayTip_).substr(0, std::size(data.szTip) - 1);
    std::copy(tip.begin(), tip.end(), data.szTip);
    Shell_NotifyIconW(add ? NIM_ADD : NIM_MODIFY, &data);
}

void TWin32Platform::ShowTrayIcon(const std::string& tip, std::function<void()> onClick) {
    trayClick_ = std::move(onClick);
    trayTip_ = tip;
    UpdateTrayIcon(!trayShown_);
    trayShown_ = true;
}

void TWin32Platform::RemoveTrayIcon() {
    trayClick_ = nullptr;
    if (!trayShown_) return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = service_;
    data.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    trayShown_ = false;
}

void TWin32Platform::RunTrayMessage(std::uintptr_t event) {
    // A press on the icon restores, as soon as the button goes down.
    if (event != WM_LBUTTONDOWN || !trayClick_) return;
    std::function<void()> onClick = trayClick_;
    onClick();
}

// [Other programs' windows]

namespace {

HWND ForeignHandle(TForeignWindow window) {
    return reinterpret_cast<HWND>(window);
}

} // namespace

TForeignWindow TWin32Platform::FindWindowByCaption(const std::string& caption) {
    const std::wstring wide = WideFromGbk(caption);
    return reinterpret_cast<TForeignWindow>(FindWindowW(nullptr, wide.c_str()));
}

TForeignWindow TWin32Platform::WindowOwner(TForeignWindow window) {
    if (!window || !IsWindow(ForeignHandle(window))) return 0;
    return reinterpret_cast<TForeignWindow>(GetWindow(ForeignHandle(window), GW_OWNER));
}

void TWin32Platform::MinimizeForeignWindow(TForeignWindow window) {
    if (window && IsWindow(ForeignHandle(window)))
        SendMessageW(ForeignHandle(window), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWin32Platform::ShowForeignWindow(TForeignWindow window, bool show) {
    if (window && IsWindow(ForeignHandle(window)))
        ShowWindow(ForeignHandle(window), show ? SW_SHOW : SW_HIDE);
}

TBitmap TWin32Platform::CopyScreen(const TRect& frameRect) {
    const TRect rect = ScaledRect(frameRect, ScreenScale());
    TBitmap copy(std::max(0, rect.Width()), std::max(0, rect.Height()), TPixelFormat::pf32bit);
    if (copy.Empty()) return copy;
    TWindowDC screen(nullptr);
    TMemoryDC memory;
    if (!screen.Get() || !memory.Get()) return copy;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = copy.Width();
    info.bmiHeader.biHeight = -copy.Height(); // top-down rows, as the bitmap keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TGdiObject<HBITMAP> section(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return copy;
    {
        TSelectObject selected(memory.Get(), section.Get());
        BitBlt(memory.Get(), 0, 0, copy.Width(), copy.Height(), screen.Get(), rect.left, rect.top,
               SRCCOPY | CAPTUREBLT);
        GdiFlush();
    }
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < copy.Height(); ++y)
        for (int x = 0; x < copy.Width(); ++x)
            copy.Row32(y)[x] =
                source[std::size_t(y) * std::size_t(copy.Width()) + std::size_t(x)] | 0xFF000000u;
    copy.SetPixelFormat(TPixelFormat::pf24bit);
    return copy;
}

// [Display]

TRect TWin32Platform::ScreenWorkArea() {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return {};
    const int scale = ScreenScale();
    return {FrameCoordinate(int(area.left), scale), FrameCoordinate(int(area.top), scale),
            FrameCoordinate(int(area.right), scale), FrameCoordinate(int(area.bottom), scale)};
}

TDisplayMode TWin32Platform::DisplayMode() {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return {};
    return {int(mode.dmPelsWidth), int(mode.dmPelsHeight), int(mode.dmBitsPerPel)};
}

bool TWin32Platform::ChangeDisplayMode(const TDisplayMode& mode) {
    if (mode.width <= 0 || mode.height <= 0 || mode.bitsPerPixel < 0) return false;
    DEVMODEW wanted{};
    wanted.dmSize = sizeof(wanted);
    wanted.dmPelsWidth = DWORD(mode.width);
    wanted.dmPelsHeight = DWORD(mode.height);
    wanted.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    if (mode.bitsPerPixel > 0) {
        wanted.dmBitsPerPel = DWORD(mode.bitsPerPixel);
        wanted.dmFields |= DM_BITSPERPEL;
    }
    return ChangeDisplaySettingsW(&wanted, 0) == DISP_CHANGE_SUCCESSFUL;
}

// [Network adapter]

bool TWin32Platform::AdapterAddress(std::array<std::uint8_t, 6>& address) {
    LANA_ENUM adapters{};
    NCB enumerate{};
    enumerate.ncb_command = NCBENUM;
    enumerate.ncb_buffer = reinterpret_cast<PUCHAR>(&adapters);
    enumerate.ncb_length = sizeof(adapters);
    if (Netbios(&enumerate) != NRC_GOODRET) return false;
    // The first adapter that answers.
    const int count = std::min<int>(adapters.length, MAX_LANA);
    for (int i = 0; i < count; ++i)
        if (AdapterStatus(adapters.lana[i], address)) return true;
    return false;
}

// [The library's own file]

std::string TWin32Platform::ModuleFileName() {
    return GbkFromWide(WideModuleFileName(module_));
}

std::string TWin32Platform::LibraryFolder() {
    std::string file = ModuleFileName();
    std::size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

const TFileVersionInfomation& TWin32Platform::VersionRecord() {
    if (!version_) {
        TFileVersionInfomation info;
        // A build without a version resource (test programs) still has the table it was built with.
        if (!ReadModuleVersion(module_, info)) ReadFileVersionInfomation(info);
        version_ = std::move(info);
    }
    return *version_;
}

std::span<const std::uint8_t> TWin32Platform::Resource(const std::string& name) {
    if (!name.empty()) {
        std::wstring upper = UpperAsciiWide(name);
        if (HRSRC found = FindResourceW(module_, upper.c_str(), reinterpret_cast<LPCWSTR>(RT_RCDATA))) {
            HGLOBAL loaded = LoadResource(module_, found);
            const void* bytes = loaded ? LockResource(loaded) : nullptr;
            DWORD size = SizeofResource(module_, found);
            // Resources stay mapped as long as the module is loaded.
            if (bytes && size) return {static_cast<const std::uint8_t*>(bytes), size};
        }
    }
    return resourceProvider_ ? resourceProvider_(name) : std::span<const std::uint8_t>{};
}

// [Clipboard, files, message boxes]

std::string TWin32Platform::ClipboardText() {
    if (!OpenClipboard(service_)) return {};
    std::string text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            std::size_t limit = GlobalSize(data) / sizeof(wchar_t);
            text = GbkFromWide(std::wstring_view(wide, wcsnlen(wide, limit)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void TWin32Platform::SetClipboardText(const std::string& gbkText) {
    std::wstring wide = WideFromGbk(gbkText);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (!memory) return;
    if (auto* target = static_cast<wchar_t*>(GlobalLock(memory))) {
        std::copy(wide.begin(), wide.end(), target);
        target[wide.size()] = L'\0';
        GlobalUnlock(memory);
    }
    // The clipboard owns the memory once it has taken it.
    if (OpenClipboard(service_)) {
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, memory)) memory = nullptr;
        CloseClipboard();
    }
    if (memory) GlobalFree(memory);
}

bool TWin32Platform::FileExists(const std::string& systemPath) {
    DWORD attributes = GetFileAttributesW(WideFromGbk(systemPath).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int TWin32Platform::MessageBox(TWindowId owner, const std::string& caption, const std::string& text,
                               std::uint32_t buttons) {
    // Owned by the window it asks for, so that the box can be found and ended with that window's table.
    const Window* window = Find(owner);
    const HWND ownerHandle = window ? window->handle : GetActiveWindow();
    return MessageBoxW(ownerHandle, WideFromGbk(text).c_str(), WideFromGbk(caption).c_str(), buttons);
}

void TWin32Platform::EndMessageBoxes(TWindowId owner) {
    const Window* window = Find(owner);
    if (!window) return;
    TMessageBoxSearch search{window->handle, {}};
    EnumThreadWindows(GetCurrentThreadId(), &CollectMessageBox, reinterpret_cast<LPARAM>(&search));
    // Ending the box's dialog makes its loop return IDCANCEL to the code that opened it, once it runs.
    for (HWND box : search.boxes)
        EndDialog(box, IDCANCEL);
}

} // namespace morvane
