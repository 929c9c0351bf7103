// The hub's one-table-per-seat guard (a marker other tables of the player find) and the game's folders.
#include "base/Paths.h"
#include "plugin/CustomPluginDialog.h"
#include "plugin/CustomPluginShare.h"
#include "plugin/HubFormat.h"
#include "plugin/PluginPlatform.h"

#include <array>

namespace morvane {

void TCustomPluginShare::ResolveFolders() {
    if (host_) {
        std::array<char, 260> folder{};
        char* buffer = folder.data();
        CheckHost("GetHostDirectory", host_->GetHostDirectory(cookie_, &buffer));
        hostDir_ = paths::IncludeTrailingBackslash(FixedFieldText(folder.data(), folder.size()));
        faceSmallDir_ = hostDir_ + "\\Face\\Small\\";
        faceBigDir_ = hostDir_ + "\\Face\\Big\\";
    }
    TPlatform* platform = PluginPlatform();
    libDir_ = platform ? paths::IncludeTrailingBackslash(platform->LibraryFolder()) : std::string();
    soundDir_ = libDir_ + "\\Sound\\" + gameId_ + "\\";
    imageDir_ = libDir_ + "\\Image\\" + gameId_ + "\\";
}

std::string TCustomPluginShare::MarkerName() const {
    return gameId_ + "-" + hub::HexUpper(std::uint64_t(cookie_));
}

void TCustomPluginShare::RunDuplicateGuard() {
    const std::string name = MarkerName();
    TPlatform* platform = PluginPlatform();
    if (!platform || platform->ClaimMarker(name)) {
        if (platform) marker_ = name;
        SendReady();
        return;
    }
    duplicate_ = true;
    if (dialog_) {
        PlaySound("Public_Error.wav");
        dialog_->SetCaption("作弊嫌疑");
        dialog_->SetButtons(0);
        dialog_->SetMessage("同一桌不可启动两个号,您不能坐在这里！");
        dialog_->SetOkCaption("退出");
        dialog_->SetLifeCount(10);
        dialog_->Execute();
    }
    Finalize();
}

void TCustomPluginShare::CheckMarker() {
    if (marker_.empty() || duplicate_ || finalized_) return;
    TPlatform* platform = PluginPlatform();
    if (!platform) return;
    // A marker removed under us (the hall closed it) leaves the table unable to tell whether it is the
    // only one.
    if (platform->MarkerIntact(marker_)) return;
    Finalize();
}

void TCustomPluginShare::ReleaseMarker() {
    if (marker_.empty()) return;
    if (TPlatform* platform = PluginPlatform()) platform->ReleaseMarker(marker_);
    marker_.clear();
}

} // namespace morvane
