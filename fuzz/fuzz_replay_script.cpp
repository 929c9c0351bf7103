// Arbitrary text as a replay script: frames, texts, clicks, keys, typing, time, dialog answers, Finalize,
// the hall's release and its failing calls, in any order, run against the real table as a hall opens it.
// A script the driver refuses (a malformed line, a command out of order, a dialog left waiting at the
// end) is an answer, not a fault; a crash, a sanitizer report, an exception the table lets out, a hang
// or a leak is one.
//
// Each input gets a new table in a private folder holding the game's option file (sound and actions on),
// written afresh so that what one input saved does not change the next.
#include "base/FileVersionInfomation.h"
#include "host/replay/ReplayScript.h"
#include "host/replay/ReplaySession.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

using namespace morvane;
using namespace morvane::replay;

// One input stays fast: a script longer than this, or one asking for more virtual time in all, is cut
// there (each virtual second runs the table's timers, animations and painting).
constexpr std::size_t kMaxCommands = 96;
constexpr std::int64_t kMaxVirtualMs = 60'000;

// The transcript is not compared here: it is written to nowhere.
class TNullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c == traits_type::eof() ? 0 : c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// The option file is named after the game identity the library carries.
std::string GameIniName() {
    std::string id = LibraryVersion().Comments;
    if (id.size() == 38 && id.front() == '{' && id.back() == '}') id = id.substr(1, 36);
    for (char& c : id)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return "{" + id + "}.ini";
}

class TScratchFolder {
public:
    TScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-replay-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
    }
    ~TScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

    // Empties the folder (screenshots, saved options) and writes the option file of a new input.
    void Reset() const {
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            std::filesystem::remove_all(entry.path());
        std::ofstream ini(path_ / GameIniName(), std::ios::binary);
        ini << "[Option]\r\nHaveSound=1\r\nNeedShout=1\r\nCanLook=1\r\n"
               "[Action]\r\n&laugh=%1 laughs at %2\r\n&hug=%1 hugs %2 %1\r\n"
               "[ActionSound]\r\n&laugh=Laugh.wav\r\n&hug=hug.wav\r\n"
               "[Level]\r\nLevelCount=3\r\nLevel1Score=0\r\nLevel1Name=a\r\nLevel2Score=100\r\n"
               "Level2Name=b\r\nLevel2Speak=up\r\nLevel3Score=100000\r\nLevel3Name=c\r\n"
               "[URL]\r\nActionURL=http://example.invalid/more\r\n";
    }

private:
    std::filesystem::path path_;
};

// The commands one input runs: no screenshots (they only write files), and within the bounds above.
std::vector<TReplayCommand> Bounded(std::vector<TReplayCommand> commands) {
    std::erase_if(commands, [](const TReplayCommand& command) { return command.name == "shot"; });
    if (commands.size() > kMaxCommands) commands.resize(kMaxCommands);
    std::int64_t time = 0;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].name != "wait") continue;
        time += commands[i].number;
        if (time > kMaxVirtualMs) {
            commands.resize(i);
            break;
        }
    }
    return commands;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TScratchFolder folder;
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<TReplayCommand> commands;
    try {
        commands = Bounded(ParseReplayScript(text));
    } catch (const TReplayScriptError&) {
        return 0;
    }
    folder.Reset();
    TNullBuffer nowhere;
    std::ostream transcript(&nowhere);
    TReplaySession session(transcript, folder.Path().string());
    try {
        session.Run(commands);
    } catch (const TReplayScriptError&) {
        // Also a TReplayRunError: the script left a dialog waiting, answered a button that is not there.
    }
    return 0;
}
