#include "base/Random.h"
#include "plugin/HubFixture.h"

#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using hostframes::MakeUser;

// Every frame kind the host sends, well formed; the test cuts them short at every length.
std::vector<hostframes::TFrame> SampleFrames() {
    namespace hf = hostframes;
    hf::TSettingsRecord settings;
    settings.count = 2;
    settings.seats.resize(2);
    settings.seats[0].UserID = 1001;
    std::vector<std::uint8_t> data{1, 2, 3, 4, 5};
    return {
        hf::SeatFrame(2, 5, 1, data),
        hf::UserState(5, 2),
        hf::UserList(3,
                     {MakeUser(5, 1, true, "乙"), MakeUser(1001, 2, true, "甲"), MakeUser(6, 1, true, "丙")}),
        hf::UserEnter(MakeUser(7, 1, true, "丁")),
        hf::UserLeave(5),
        hf::SeatChange(6, 3, true, 1),
        hf::ScoreBlock(1, 3, {{1001, 1, 2, 3, 4}, {6, -1, 0, 0, 0}, {5, 0, 0, 0, 0}}, false),
        hf::RawNotice(data),
        hf::NoticeText("公告"),
        hf::UserValue(6, 9),
        hf::SystemLine(20000, "系统", 20),
        hf::TableData(0, hf::TableSettingsRecord(settings)),
        hf::TableData(0, hf::NoticeRecord("通知")),
        hf::GameData(0, data),
        hf::UserReady(0, 6, 1),
        hf::CofferReply(0, hf::CofferReplyRecord(1, 1, 0)),
        hf::Attribute(0, 1001, 4),
        hf::GameStart(),
        hf::GameOver(),
        hf::TextLine(0, "@$事件"),
        hf::Broadcast(0, "喊话"),
        hf::Chat(6, "你好&x"),
        hf::NumberedText(0, "9@消息"),
    };
}

TEST_F(HubTest, EveryPrefixOfEveryFrameIsHandledQuietly) {
    WriteIni("[ActionSound]\n&x=x.wav\n");
    Start();
    user->SetUserFlag(0);
    for (const hostframes::TFrame& frame : SampleFrames()) {
        for (std::size_t length = 0; length <= frame.size(); ++length) {
            std::vector<std::uint8_t> prefix(frame.begin(), frame.begin() + std::ptrdiff_t(length));
            EXPECT_NO_THROW(hub->ProcessFrame(prefix)) << "kind " << int(frame[0]) << " cut to " << length;
        }
    }
    // Cut frames never added users beyond the whole ones.
    EXPECT_LE(hub->Users().size(), 4u);
}

// The length below which a frame does not hold its kind's fixed fields (a table frame: its header and
// its command's fixed payload). Frames whose layout ends in a variable part (texts, records, the raw
// notice) may be cut inside that part and still be whole frames, so only their fixed part counts.
std::size_t FixedLayoutSize(const hostframes::TFrame& frame) {
    switch (frame[0]) {
    case frames::kSeat:
        return frames::kSeatHeaderSize;
    case frames::kUserState:
        return 10;
    case frames::kUserList:
        return 5;
    case frames::kUserEnter:
        return 1 + kUserInfoSize;
    case frames::kUserLeave:
        return 9;
    case frames::kSeatChange:
        return 12;
    case frames::kScoreBlock:
        return 6;
    case frames::kNoticeText:
        return 3;
    case frames::kUserValue:
        return 13;
    case frames::kSystemLine:
        return 10; // identity and one byte of text
    case frames::kTable:
        switch (frame[9]) {
        case frames::cmdUserReady:
        case frames::cmdAttribute:
            return frames::kTableHeaderSize + 9;
        case frames::cmdCofferReply:
            return frames::kTableHeaderSize + frames::kCofferReplySize;
        case frames::cmdTextLine:
        case frames::cmdBroadcast:
        case frames::cmdChat:
        case frames::cmdNumberedText:
            return frames::kTableHeaderSize + 1;
        default:
            return frames::kTableHeaderSize;
        }
    default:
        return 1;
    }
}

TEST_F(HubTest, AFrameShorterThanItsFixedLayoutHasNoEffectAtAll) {
    WriteIni("[ActionSound]\n&x=x.wav\n");
    Start();
    user->SetUserFlag(0);
    for (const hostframes::TFrame& frame : SampleFrames()) {
        for (std::size_t length = 0; length < FixedLayoutSize(frame); ++length) {
            const std::vector<std::uint8_t> prefix(frame.begin(), frame.begin() + std::ptrdiff_t(length));
            hub->ProcessFrame(prefix);
            const std::string where =
                "kind " + std::to_string(frame[0]) + " cut to " + std::to_string(length);
            EXPECT_TRUE(host.Sent().empty()) << where;
            EXPECT_TRUE(chat->lines.empty()) << where;
            EXPECT_TRUE(log.empty()) << where << ": " << (log.empty() ? "" : log.front());
            EXPECT_TRUE(TakeSounds().empty()) << where;
            EXPECT_TRUE(hub->Users().empty()) << where;
            EXPECT_FALSE(hub->Playing()) << where;
        }
    }
}

// A line of a megabyte reaches the chat and the client as its first 4096 bytes at most, never with half a
// character at the end; the lines of the protocol's real sizes pass whole.
TEST_F(HubTest, TextsPastTheLimitAreCutOnACharacterBoundary) {
    Start();
    std::string huge = "x";
    while (huge.size() < 1000000)
        huge += "庄";
    const std::string cut = huge.substr(0, 4095); // "x" and 2047 characters: the next one would end at 4097
    const std::string whole = huge.substr(0, 2049);
    for (const std::string& text : {huge, whole}) {
        const std::string shown = text.size() > 4096 ? cut : text;
        chat->lines.clear();
        log.clear();
        Post(hostframes::Chat(6, text));
        Post(hostframes::TextLine(0, text));
        Post(hostframes::Broadcast(6, text));
        EXPECT_THAT(chat->lines,
                    ::testing::ElementsAre("kind=6 " + shown, "kind=7 " + shown, "kind=10 " + shown));
        EXPECT_THAT(log, ::testing::Contains("client.DoChatLine " + shown));
        chat->lines.clear();
        Post(hostframes::NumberedText(0, "9@" + text));
        ASSERT_EQ(chat->lines.size(), 1u);
        EXPECT_EQ(chat->lines[0], "kind=9 " + (text.size() > 4096 ? huge.substr(0, 4093) : text));
    }
}

TEST_F(HubTest, RandomBytesAfterEveryKindAreHandledQuietly) {
    Start();
    TRandom random(20261208);
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> frame(std::size_t(random.Next(300)) + 1);
        for (std::uint8_t& byte : frame)
            byte = std::uint8_t(random.Next(256));
        static const std::uint8_t kinds[] = {3, 4, 8, 9, 10, 12, 14, 16, 23, 25, 30, 31};
        frame[0] = kinds[random.Next(int(std::size(kinds)))];
        if (frame[0] == 3 && frame.size() > 9) {
            static const std::uint8_t cmds[] = {17, 18, 19, 21, 33, 49, 50, 65, 66, 67, 73};
            frame[9] = cmds[random.Next(int(std::size(cmds)))];
        }
        ASSERT_NO_THROW(hub->ProcessFrame(frame)) << Hex(frame);
    }
}

} // namespace
} // namespace morvane::test
