#include "host/replay/ReplaySession.h"

#include "base/Gbk.h"
#include "game/TableScene.h"
#include "graphics/PictureResources.h"
#include "gui/Application.h"
#include "host/HostFrames.h"
#include "support/TempDir.h"

#include <fstream>
#include <unistd.h>
#include <gtest/gtest.h>
#include <sstream>

namespace morvane::replay {
namespace {

using namespace morvane::hostframes;

std::string Hex(const TFrame& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

// A cookie of this process's own, so that no table of another process could ever be taken for a second
// table at the same seat.
std::string InitLine() {
    return "init cookie=" + std::to_string(880000000 + ::getpid()) + " user=1001 nick=a\n";
}

// A table between rounds whose player has asked for the coffer's state and got the deposit dialog's
// reply: the dialog opens on the next millisecond.
std::string CofferStory() {
    TTableScene scene;
    scene.BankerList[0] = {2002, 1};
    scene.ChipIndices = {0, 2, 3, 4, 5, 6};
    TFrame reply(76, 0);
    reply[1] = 1;     // deposit
    reply[11] = 10;   // at least 10
    reply[27] = 0x64; // 100 in hand
    return InitLine() + "frame " +
           Hex(GameData(0, WriteTableScene(scene))) +
           "\n"
           "click 30 592\n"
           "frame " +
           Hex(CofferReply(0, reply)) +
           "\n"
           "wait 1\n";
}

class ReplaySessionTest : public ::testing::Test {
protected:
    // Runs `script` and returns the transcript (UTF-8).
    std::string Run(const std::string& script) {
        std::istringstream input(script);
        const std::vector<TReplayCommand> commands = ParseReplayScript(input);
        std::ostringstream out;
        {
            TReplaySession session(out, dir.Path().string());
            try {
                session.Run(commands);
            } catch (const TReplayRunError& error) {
                runError = error.what();
            }
            cursorNames.clear();
            for (int slot = 0; slot <= 11; ++slot)
                if (const std::string* name = Application().Cursor(slot)) cursorNames.push_back(*name);
        }
        return out.str();
    }

    static int Count(const std::string& text, const std::string& part) {
        int count = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++count;
        return count;
    }

    test::TempDir dir;
    std::string runError;
    std::vector<std::string> cursorNames;
};

TEST_F(ReplaySessionTest, TheTableWearsTheLibrarysTenChipCursorsInSlotsOneToTen) {
    Run(InitLine());
    ASSERT_EQ(cursorNames.size(), 10u);
    for (const std::string& name : cursorNames) {
        std::string error;
        EXPECT_TRUE(LoadCursorByName(name, &error).has_value()) << error;
    }
    EXPECT_EQ(cursorNames.front(), "100Cur");
    EXPECT_EQ(cursorNames.back(), "500wCur");
}

TEST_F(ReplaySessionTest, TheCofferDialogTakesTheScriptsInputAndAnswers) {
    // Typed digits reach the dialog's amount field; the first button confirms, and the follow-up request
    // carries the amount (20 = 0x14 at byte 2 of the request, after the frame's 10 bytes).
    const std::string transcript = Run(CofferStory() + "type 20\nanswer 1\nfinalize\n");
    EXPECT_EQ(runError, "");
    EXPECT_EQ(Count(transcript, gbk::ToUtf8("dialog 保险箱操作 | 账户数量： 100 保险箱数量： 0 存入数量： | "
                                            "存入 / 取消")),
              1)
        << transcript;
    EXPECT_EQ(Count(transcript, "send to=1001 len=71 03e9030000000000000501011400"), 1) << transcript;
}

TEST_F(ReplaySessionTest, CancellingTheDialogSendsNothingAndFreesTheCofferButtons) {
    const std::string transcript = Run(CofferStory() + "answer 2\nclick 30 592\nfinalize\n");
    EXPECT_EQ(runError, "");
    // Two state queries (byte 0 of the request is 0), no deposit.
    EXPECT_EQ(Count(transcript, "send to=1001 len=71 03e903000000000000050001"), 2) << transcript;
    EXPECT_EQ(Count(transcript, "send to=1001 len=71 03e903000000000000050101"), 0) << transcript;
}

TEST_F(ReplaySessionTest, AScriptThatEndsWhileTheDialogWaitsIsARunError) {
    Run(CofferStory() + "type 5\n");
    EXPECT_NE(runError.find("line 6: the script ends while a window of the table waits for an answer"),
              std::string::npos)
        << runError;
}

TEST_F(ReplaySessionTest, AnAnswerThatNamesNoButtonIsARunError) {
    Run(CofferStory() + "answer 3\n");
    EXPECT_NE(runError.find("line 6: answer 3 names no button of "), std::string::npos) << runError;
}

TEST_F(ReplaySessionTest, ADialogOpenedAgainIsAnnouncedAgain) {
    // Cancelled once, the deposit dialog opens again on the next query's reply.
    TFrame reply(76, 0);
    reply[1] = 1;
    const std::string again = "click 30 592\nframe " + Hex(CofferReply(0, reply)) + "\nwait 1\n";
    const std::string transcript = Run(CofferStory() + "answer 2\n" + again + "answer 2\nfinalize\n");
    EXPECT_EQ(runError, "");
    EXPECT_EQ(Count(transcript, "dialog "), 2) << transcript;
}

TEST_F(ReplaySessionTest, AShotWhileTheDialogIsOpenPicturesTheDialog) {
    const std::string shot = (dir / "dialog.png").string();
    Run(CofferStory() + "shot " + shot + "\nanswer 2\nfinalize\n");
    EXPECT_EQ(runError, "");
    std::ifstream png(shot, std::ios::binary);
    std::vector<unsigned char> header(24);
    ASSERT_TRUE(png.read(reinterpret_cast<char*>(header.data()), 24));
    // IHDR width and height, big-endian: the deposit dialog is 273 x 197.
    EXPECT_EQ((header[18] << 8) | header[19], 273);
    EXPECT_EQ((header[22] << 8) | header[23], 197);
}

} // namespace
} // namespace morvane::replay
