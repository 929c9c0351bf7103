// The main form's window services: screenshots, the boss key and the chat key, and hiding the table to
// the notification area.
#include "base/Paths.h"
#include "form/FormPluginClient.h"
#include "form/ShotFiles.h"
#include "gui/BmpFile.h"
#include "panels/PluginChat50.h"
#include "panels/PluginComboBox.h"
#include "plugin/ChatLineKinds.h"
#include "plugin/PluginPlatform.h"
#include "plugin/PluginShare50.h"

#include <cstdio>
#include <filesystem>

namespace morvane {
namespace {

constexpr int kJpegQuality = 100;

// "yyyymmdd-hhmmss" in local time.
std::string TimeStamp(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    // The runtime's localtime keeps its result per thread on Windows.
    if (const std::tm* converted = std::localtime(&when)) local = *converted;
#else
    localtime_r(&when, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

// [SECTION] Screenshot

void TFormPluginClient::ActionScreenExecute() {
    TPlatform* platform = PluginPlatform();
    if (!platform) return;
    const std::string stamp = TimeStamp(WallClock());
    const std::string bitmapPath = shotDir_ + stamp + ".bmp";
    const std::string jpegPath = shotDir_ + stamp + ".Jpg";
    const std::string bitmapFile = paths::ToHost(bitmapPath);
    SaveBmpFile(bitmapFile, platform->CopyScreen(BoundsRect()));
    if (platform->FileExists(bitmapPath) && !platform->FileExists(jpegPath)) {
        TBitmap bitmap;
        std::string error;
        // The path is shown only for a picture that was really written.
        if (LoadBmpFile(bitmapFile, bitmap, error) &&
            SaveJpegFile(paths::ToHost(jpegPath), bitmap, kJpegQuality))
            pluginShare501_->ShowText("截图路径为：\r\n" + jpegPath, lines::kBroadcast);
    }
    std::error_code ignored;
    std::filesystem::remove(bitmapFile, ignored);
}

// [SECTION] Boss key, chat key and notification icon

void TFormPluginClient::HotKeyPressed(int id) {
    if (id != kHotKeyHide) return;
    if (bossHidden_)
        RestoreTable();
    else
        HideTable();
}

void TFormPluginClient::KeyDown(TKey& key, TShiftState shift) {
    constexpr TShiftState kModifiers = ssShift | ssAlt | ssCtrl;
    if (key == VK_ADD && (shift & kModifiers) == ssCtrl) {
        key = 0;
        SendChatInput();
        return;
    }
    TPluginCommandForm::KeyDown(key, shift);
}

void TFormPluginClient::SendChatInput() {
    pluginChat501_->SendChat(pluginChat501_->Input().Text());
}

void TFormPluginClient::TrayIconPressed() {
    if (bossHidden_) RestoreTable();
}

void TFormPluginClient::HideTable() {
    TPlatform* platform = PluginPlatform();
    if (!platform) return;
    char caption[64];
    std::snprintf(caption, sizeof caption, kHallCaption, static_cast<long long>(pluginShare501_->MyID()));
    hallWindow_ = platform->FindWindowByCaption(caption);
    if (const TForeignWindow owner = hallWindow_ ? platform->WindowOwner(hallWindow_) : 0) {
        platform->MinimizeForeignWindow(owner);
        platform->ShowForeignWindow(owner, false);
    }
    platform->ShowTrayIcon(kTrayTip, [this] { TrayIconPressed(); });
    Hide();
    bossHidden_ = true;
    pluginShare501_->SetSoundOn(false);
}

void TFormPluginClient::RestoreTable() {
    ReleaseBossHiding();
    Show();
    pluginShare501_->SetSoundOn(true);
}

void TFormPluginClient::ReleaseBossHiding() {
    TPlatform* platform = PluginPlatform();
    if (!bossHidden_ || !platform) return;
    bossHidden_ = false;
    if (const TForeignWindow owner = hallWindow_ ? platform->WindowOwner(hallWindow_) : 0)
        platform->ShowForeignWindow(owner, true);
    platform->RemoveTrayIcon();
}

} // namespace morvane
