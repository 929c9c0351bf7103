// make-host-seeds FOLDER: writes one seed of every host frame kind and table command for the host-frame
// fuzz target. A seed is the target's input: each frame preceded by its length in two bytes, low byte
// first. The frames are in their short forms (one user, unpadded score entries, a short system-line
// field): the whole layouts come from the replay scripts' frames (fuzz/make_host_table_seeds.py).
#include "host/HostFrames.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace morvane;
using namespace morvane::hostframes;

constexpr std::int64_t kMe = 1001;
constexpr std::int64_t kOther = 2002;

// A crowded room, as the largest user list the hall sends carries it.
std::vector<STRU_PLUGIN_USERINFO> Crowd() {
    std::vector<STRU_PLUGIN_USERINFO> users{MakeUser(kMe, 0, false, "Me", "me")};
    for (int i = 1; i < 60; ++i)
        users.push_back(MakeUser(kOther + i, std::uint8_t(i % 8), i % 8 != 0, "U" + std::to_string(i)));
    return users;
}

std::vector<std::pair<std::string, TFrame>> Seeds() {
    const STRU_PLUGIN_USERINFO other = MakeUser(kOther, 1, true, "Other", "other");
    const TScoreLine line{kOther, 10, 110, -2, 98};
    const TFrame record = CofferReplyRecord(1, 0, 0);
    TSettingsRecord settings;
    settings.settings.ScoreNotes = 1;
    TPluginSeatEntry seat;
    seat.UserID = kOther;
    seat.Name = "Other";
    settings.seats = {seat};
    settings.count = 1;
    return {
        {"table-data", TableData(0, Bytes("data"))},
        {"table-settings-record", TableData(0, TableSettingsRecord(settings))},
        {"table-notice-record", TableData(0, Bytes(std::string("\xfe", 1) + "notice"))},
        {"game-data", GameData(0, Bytes("scene"))},
        {"user-ready", UserReady(0, kOther, 1)},
        {"coffer-reply", CofferReply(0, record)},
        {"attribute", Attribute(0, kMe, 9)},
        {"game-start", GameStart()},
        {"game-over", GameOver()},
        {"text-line", TextLine(0, "welcome")},
        {"broadcast", Broadcast(kOther, "shout")},
        {"chat", Chat(kOther, "hello")},
        {"numbered-text", NumberedText(0, "12@twelve")},
        {"seat-data", SeatFrame(2, kOther, 1, Bytes("move"))},
        {"seat-signal", SeatFrame(0, kOther, 1, {})},
        {"user-state", UserState(kOther, 3)},
        {"user-list", UserList(1, {other})},
        {"user-list-full", FullUserList(Crowd())},
        {"score-block-full", ScoreBlock(1, 1, {line})},
        {"user-enter", UserEnter(other)},
        {"user-leave", UserLeave(kOther)},
        {"seat-change", SeatChange(kOther, 2, true, 1)},
        {"score-block", ScoreBlock(1, 1, {line}, false)},
        {"raw-notice", RawNotice(Bytes("abc"))},
        {"notice-text", NoticeText("notice")},
        {"user-value", UserValue(kOther, 5)},
        {"system-line", SystemLine(0, "system", 40)},
    };
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-host-seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    for (const auto& [name, frame] : Seeds()) {
        if (frame.size() > 0xffff) {
            std::cerr << "make-host-seeds: " << name << " is " << frame.size()
                      << " bytes, longer than a seed frame\n";
            return 1;
        }
        std::ofstream out(folder / name, std::ios::binary);
        out.put(char(frame.size() & 0xff));
        out.put(char(frame.size() >> 8));
        out.write(reinterpret_cast<const char*>(frame.data()), std::streamsize(frame.size()));
        if (!out) {
            std::cerr << "make-host-seeds: cannot write " << (folder / name).string() << '\n';
            return 1;
        }
    }
    return 0;
}
