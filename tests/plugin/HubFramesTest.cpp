#include "base/Gbk.h"
#include "plugin/HubFixture.h"

#include <algorithm>
#include <gmock/gmock.h>

namespace morvane::test {
namespace {

using hostframes::MakeUser;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class HubFramesTest : public HubTest {
protected:
    void SetUp() override {
        Start();
        user->SetUserFlag(0);
        client->passTableData = false;
    }
};

TEST_F(HubFramesTest, SeatDataIsHeldToWhatTheFrameCarries) {
    const std::uint8_t data[] = {1, 2, 3, 4};
    Post(hostframes::SeatFrameDeclaring(2, 9, 5, 60000, data));
    Post(hostframes::SeatFrameDeclaring(2, 9, 5, -8, data));
    Post(hostframes::SeatFrame(2, 9, 5, std::span(data, 2)));
    Post({4, 2, 9, 0, 0}); // shorter than the seat header
    EXPECT_THAT(log, ElementsAre("client.DoSeatData seat=5 len=4 id=9", "client.DoSeatData seat=5 len=0 id=9",
                                 "client.DoSeatData seat=5 len=2 id=9"));
}

TEST_F(HubFramesTest, NoticeTextIsHeldToTheFrameAndTo2049Bytes) {
    Post(hostframes::NoticeTextDeclaring(400, "公告"));
    Post(hostframes::NoticeText(std::string(3000, 'a')));
    Post({25, 5}); // no room for the length
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "client.DoNoticeText 公告");
    EXPECT_EQ(log[1], "client.DoNoticeText " + std::string(2049, 'a'));
}

TEST_F(HubFramesTest, SystemLineTakesTheFieldUpToItsEndOrTheFrame) {
    Post(hostframes::SystemLine(20000, "系统消息"));
    Post(hostframes::SystemLine(20000, std::string(250, 'x')));
    Post(hostframes::SystemLine(20000, "abcdef", 3));
    EXPECT_THAT(chat->lines,
                ElementsAre("kind=20000 系统消息", "kind=20000 " + std::string(200, 'x'), "kind=20000 abc"));
    // A line from a user (above 10000, not me) is announced with a sound.
    EXPECT_THAT(TakeSounds(),
                ElementsAre("Public_Information.mp3", "Public_Information.mp3", "Public_Information.mp3"));
}

TEST_F(HubFramesTest, ShortTableFramesAndCofferRepliesAreIgnored) {
    Post({3, 1, 2, 3});
    Post(hostframes::TableFrame(0, 19, std::vector<std::uint8_t>{1, 2, 3}));
    Post(hostframes::TableFrame(0, 33, std::vector<std::uint8_t>{0xE9, 3}));
    std::vector<std::uint8_t> reply = hostframes::CofferReplyRecord(0, 0, 0);
    reply.pop_back();
    Post(hostframes::CofferReply(0, reply));
    Post(hostframes::TextLine(0, ""));
    EXPECT_THAT(log, IsEmpty());
    EXPECT_THAT(chat->lines, IsEmpty());
}

TEST_F(HubFramesTest, EveryCofferReplyGetsItsText) {
    struct Case {
        std::uint8_t kind, direction, code;
        const char* text;
    } cases[] = {
        {0, 0, 0, "请求成功。"},
        {0, 0, 1, "请求失败。"},
        {1, 0, 0, "取出成功。"},
        {1, 0, 1, "取出失败。"},
        {1, 1, 0, "存入成功。"},
        {1, 1, 1, "存入失败。"},
        {0, 0, 2, "对不起，您还没有启用保险箱功能。"},
        {1, 1, 3, "对不起，您没有权限。"},
        {0, 0, 4, "对不起，只有会员才有权限。"},
        {0, 0, 5, "对不起，您已经固定机器使用该功能，不能用其他机器。"},
        {1, 0, 6, "正在游戏中，不允许使用该功能。"},
        {0, 0, 7, "对不起，您输入的数量有误。"},
        {0, 0, 8, "对不起，密保答案不正确。"},
        {2, 0, 0, ""},
        {0, 0, 9, ""},
    };
    for (const Case& c : cases) {
        log.clear();
        Post(hostframes::CofferReply(0, hostframes::CofferReplyRecord(c.kind, c.direction, c.code)));
        EXPECT_THAT(log, ElementsAre(std::string("client.DoCofferReply 76 ") + c.text))
            << int(c.kind) << "/" << int(c.direction) << "/" << int(c.code);
    }
}

TEST_F(HubFramesTest, TextLinesGoToEventsChatOrNowhere) {
    Post(hostframes::TextLine(0, "欢迎"));
    Post(hostframes::NumberedText(0, "12@十二号消息"));
    Post(hostframes::NumberedText(0, "x@不是数"));
    Post(hostframes::NumberedText(0, "没有分隔"));
    Post(hostframes::Broadcast(33, "喊话"));
    EXPECT_THAT(chat->lines, ElementsAre("kind=7 欢迎", "kind=12 十二号消息", "kind=10 喊话"));
    EXPECT_THAT(log, ElementsAre("client.DoChatLine 欢迎", "client.DoChatLine 十二号消息",
                                 "client.DoSystemText 10 喊话"));
}

TEST_F(HubFramesTest, ChatFromAnIgnoredUserIsHiddenEvenWithANegativeIdentity) {
    hub->SetIgnored(-7, true);
    Post(hostframes::Chat(-7, "看不见"));
    Post(hostframes::Chat(193, "看得见")); // 193 and -7 share the remainder 193
    Post(hostframes::Chat(kMe, "自己的回显"));
    EXPECT_THAT(chat->lines, ElementsAre("kind=193 看得见"));
    hub->SetIgnored(-7, false);
    Post(hostframes::Chat(-7, "又看见了"));
    EXPECT_THAT(chat->lines, Contains("kind=-7 又看见了"));
}

TEST_F(HubFramesTest, TheHostFilterCanChangeOrDropALine) {
    host.SetTextFilter([](const std::string& line) -> std::optional<std::string> {
        if (line == "坏话") return std::nullopt;
        if (line == "长话") return std::string(100, 'z'); // longer than the table's buffer
        return "[" + line + "]";
    });
    Post(hostframes::Chat(50000, "坏话"));
    Post(hostframes::Chat(50000, "好话"));
    Post(hostframes::Chat(50000, "长话"));
    EXPECT_THAT(chat->lines, ElementsAre("kind=50000 [好话]", "kind=50000 " + std::string(14, 'z')));
    EXPECT_THAT(log, ElementsAre("client.DoSystemText 50000 [好话]",
                                 "client.DoSystemText 50000 " + std::string(14, 'z')));
}

TEST_F(HubTest, ActionKeyOfALinePlaysItsSoundAndIsCut) {
    WriteIni("[ActionSound]\n&laugh=Laugh.wav\n");
    Start();
    Post(hostframes::Chat(50000, "哈哈&laugh"));
    EXPECT_THAT(chat->lines, Contains("kind=50000 哈哈"));
    EXPECT_THAT(TakeSounds(), ElementsAre("Laugh.mp3", "Public_Information.mp3"));
}

TEST_F(HubFramesTest, GameStartAndOverPrintBannersOnce) {
    Post(hostframes::GameStart());
    Post(hostframes::GameStart());
    Post(hostframes::GameOver());
    Post(hostframes::GameOver());
    EXPECT_THAT(chat->lines, ElementsAre("kind=8 ****游戏开始****", "kind=8 ****游戏结束****"));
    EXPECT_THAT(TakeSounds(), ElementsAre("Start.mp3", "GameOver.mp3", "GameOver.mp3"));
    EXPECT_FALSE(hub->Playing());
}

TEST_F(HubFramesTest, OwnAttributeAndGameDataAndRawNotices) {
    Post(hostframes::Attribute(0, 55, 9));
    EXPECT_EQ(hub->MyAttribute(), 0);
    Post(hostframes::Attribute(0, kMe, 9));
    EXPECT_EQ(hub->MyAttribute(), 9);
    Post(hostframes::GameData(0, hostframes::Bytes("scene")));
    Post(hostframes::RawNotice(hostframes::Bytes("abc")));
    EXPECT_THAT(log, ElementsAre("client.DoGameData 5", "client.DoRawNotice 4"));
}

TEST_F(HubFramesTest, EmptyOrNegativePostsAreIgnored) {
    const std::uint8_t frame[] = {49};
    hub->PostCommand(0, frame);
    hub->PostCommand(-4, frame);
    hub->PostCommand(5, nullptr);
    EXPECT_THAT(log, IsEmpty());
}

// [Outgoing frames]

TEST_F(HubFramesTest, RequestsAreSentByteForByte) {
    Post(hostframes::FullUserList({MakeUser(kMe, 6, true, "甲")}));
    host.TakeSent();
    const std::uint8_t game[] = {0xAA, 0xBB};
    hub->SendTableData(game, 77);
    hub->SendStart();
    TCofferRequest coffer{};
    coffer[0] = 1;
    coffer[60] = 0xFF;
    hub->SendCofferRequest(coffer);
    hub->SendAskToLeave(5);
    hub->SendBecomeVip();
    hub->SendVisitSpace(5);
    hub->SetUserAttribute(3, 5);
    hub->RequestSeat(8, true);
    hub->Invite();

    const auto& sent = host.Sent();
    ASSERT_EQ(sent.size(), 8u);
    EXPECT_EQ(sent[0].bytes, TableOut(kMe, 1, {0xAA, 0xBB}));
    EXPECT_EQ(sent[0].toId, 77);
    EXPECT_EQ(sent[1].bytes, TableOut(kMe, 3));
    std::vector<std::uint8_t> cofferPayload(coffer.begin(), coffer.end());
    EXPECT_EQ(sent[2].bytes, TableOut(kMe, 5, cofferPayload));
    EXPECT_EQ(sent[2].toId, kMe);
    EXPECT_EQ(sent[3].bytes, TableOut(kMe, 6, {5, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(sent[4].bytes, TableOut(kMe, 7));
    EXPECT_EQ(sent[5].bytes, TableOut(kMe, 8, {5, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(sent[6].bytes, TableOut(kMe, 33, {5, 0, 0, 0, 0, 0, 0, 0, 3}));
    EXPECT_EQ(sent[7].bytes, (std::vector<std::uint8_t>{13, 8, 1}));
    EXPECT_EQ(host.InviteCount(), 1);
}

TEST_F(HubFramesTest, SeatDataGoesOutAsAFullSeatFrameOnlyWhenSeated) {
    const std::uint8_t data[] = {7, 8, 9};
    hub->SendSeatData(data);
    EXPECT_TRUE(host.Sent().empty());
    Post(hostframes::FullUserList({MakeUser(kMe, 6, true, "甲")}));
    host.TakeSent();
    hub->SendSeatData(data);
    ASSERT_EQ(host.Sent().size(), 1u);
    const std::vector<std::uint8_t>& frame = host.Sent()[0].bytes;
    ASSERT_EQ(frame.size(), 65537u);
    std::vector<std::uint8_t> head(frame.begin(), frame.begin() + 21);
    EXPECT_EQ(Hex(head), "0402e903000000000000060000000300000007"
                         "0809");
    EXPECT_TRUE(std::all_of(frame.begin() + 21, frame.end(), [](std::uint8_t b) { return b == 0; }));
    std::vector<std::uint8_t> tooBig(65519, 1);
    hub->SendSeatData(tooBig);
    EXPECT_EQ(host.Sent().size(), 1u);
}

TEST_F(HubFramesTest, StandingUpAsksFirstAndSendsOnlyOnYes) {
    Post(hostframes::FullUserList({MakeUser(kMe, 6, true, "甲")}));
    host.TakeSent();
    dialog->answers = {2, 6};
    hub->RequestSeat(6, false);
    EXPECT_TRUE(host.Sent().empty());
    hub->RequestSeat(6, false);
    EXPECT_THAT(SentBytes(), ElementsAre(std::vector<std::uint8_t>{13, 6, 0}));
    EXPECT_THAT(log, Contains("dialog 确认 | 您确定真的要离开位置吗？ | 退出 / 不退出 life=30"));
    // Asking for the seat one already holds sends nothing.
    host.TakeSent();
    hub->RequestSeat(6, true);
    EXPECT_TRUE(host.Sent().empty());
}

TEST_F(HubFramesTest, ChatIsCutWithoutSplittingACharacterAndEchoed) {
    std::string text = "a";
    for (int i = 0; i < 100; ++i)
        text += "中";
    std::string said;
    hub->OnChatText = [&](TCustomPluginShare*, std::int64_t from, const std::string& line) {
        said = line;
        EXPECT_EQ(from, kMe);
    };
    hub->SendChat(text);
    ASSERT_EQ(host.Sent().size(), 1u);
    const auto& frame = host.Sent()[0].bytes;
    EXPECT_EQ(frame.size(), 10u + 199u); // "a" and 99 whole characters
    EXPECT_EQ(std::string(frame.begin() + 10, frame.end()), gbk::SafeCut(text, 200));
    EXPECT_EQ(said, gbk::SafeCut(text, 200));
    EXPECT_THAT(chat->lines, ElementsAre("kind=1001 " + said));
}

TEST_F(HubFramesTest, BroadcastLimits) {
    platform.AdvanceBy(4001);
    EXPECT_EQ(hub->SendBroadcast("看 www.example.com"), 1);
    EXPECT_EQ(hub->SendBroadcast(std::string(81, 'b')), 1);
    EXPECT_EQ(hub->SendBroadcast(std::string(80, 'b')), 0);
    EXPECT_EQ(hub->SendBroadcast(std::string(80, 'b')), 1);
    platform.AdvanceBy(4000);
    EXPECT_EQ(hub->SendBroadcast("再来"), 1);
    platform.AdvanceBy(1);
    EXPECT_EQ(hub->SendBroadcast("再来"), 0);
    EXPECT_THAT(chat->lines,
                ElementsAre("kind=7 无效广播信息,请重新输入!", "kind=7 广播信息不能超过80个字符！",
                            "kind=7 不可重复相同广播信息,请重新输入!", "kind=7 不能频繁发送广播信息!"));
    ASSERT_EQ(host.Sent().size(), 2u);
    EXPECT_EQ(std::string(host.Sent()[1].bytes.begin() + 10, host.Sent()[1].bytes.end()), "[玩家甲]:再来");
    EXPECT_EQ(host.Sent()[1].bytes[9], 66);
}

TEST_F(HubFramesTest, ABroadcastIsCutWithoutSplittingACharacter) {
    platform.AdvanceBy(5000);
    std::string text = "a";
    for (int i = 0; i < 60; ++i)
        text += "中";
    // 121 bytes: not cut, but 61 wide characters pass the 80-character rule.
    EXPECT_EQ(hub->SendBroadcast(text), 0);
    const auto& frame = host.Sent().back().bytes;
    EXPECT_EQ(std::string(frame.begin() + 10, frame.end()), "[玩家甲]:" + text);
}

} // namespace
} // namespace morvane::test
