// The hub's sounds: a file of the game's sound folder (or its .mp3 twin) played through MCI under a
// numbered alias; the aliases are recycled so that old sounds get closed.
#include "plugin/CustomPluginShare.h"
#include "plugin/PluginPlatform.h"

namespace morvane {
namespace {

// The MCI alias counter is shared by every table of the process, as the aliases are.
int& SoundAliasCounter() {
    static int counter = 0;
    return counter;
}

} // namespace

void TCustomPluginShare::PlaySound(const std::string& fileName) {
    if (!haveSound_ || !soundOn_) return;
    if (OnSoundPlayed) OnSoundPlayed(fileName);
    TPlatform* platform = PluginPlatform();
    if (!platform) return;
    try {
        std::string path = libDir_ + "Sound\\" + gameId_ + "\\" + fileName;
        if (!platform->FileExists(path)) {
            std::size_t dot = path.rfind('.');
            std::size_t slash = path.rfind('\\');
            if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
            path += ".mp3";
        }
        int& counter = SoundAliasCounter();
        if (counter == 18) platform->MciSendString("close 21");
        if (counter > 20) {
            for (int alias = 1; alias <= 20; ++alias)
                platform->MciSendString("close " + std::to_string(alias));
            counter = 0;
        }
        const std::string alias = std::to_string(++counter);
        platform->MciSendString("open \"" + path + "\" alias " + alias);
        platform->MciSendString("play " + alias);
    } catch (const std::exception&) {
        // A sound that cannot play leaves the table as it is.
    }
}

} // namespace morvane
