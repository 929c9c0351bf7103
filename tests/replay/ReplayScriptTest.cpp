#include "host/replay/ReplayScript.h"

#include "host/replay/ReplayTranscript.h"

#include <gtest/gtest.h>
#include <sstream>

namespace morvane::replay {
namespace {

std::vector<TReplayCommand> Parse(const std::string& text) {
    std::istringstream input(text);
    return ParseReplayScript(input);
}

// Scripts are UTF-8 files, while the literals of this program are GBK.
std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

TEST(ReplayScript, HexMayCarryBlanksAndEitherCaseAndCommentsAreCut) {
    const auto commands = Parse("  # only a comment\n\nframe 03 E9\t0a ff # trailing\r\ntext 41\n");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_EQ(commands[0].bytes, (std::vector<std::uint8_t>{0x03, 0xE9, 0x0A, 0xFF}));
    EXPECT_EQ(commands[1].line, 4);
}

TEST(ReplayScript, TextsBecomeGbkAndInitKeepsItsFields) {
    const auto commands = Parse(Utf8(u8"init cookie=-5 user=1001 nick=玩家甲\ntype 下注\n"));
    EXPECT_EQ(commands[0].fields.at("nick"), "玩家甲");
    EXPECT_EQ(commands[0].fields.at("cookie"), "-5");
    EXPECT_EQ(commands[1].text, "下注");
}

TEST(ReplayScript, TextsGbkCannotCarryAreRefused) {
    const std::string emoji = "type \xF0\x9F\x98\x80\n"; // U+1F600 in UTF-8
    EXPECT_THROW(Parse(emoji), TReplayScriptError);
}

TEST(ReplayScript, KeyNamesWithModifiers) {
    TKey key = 0;
    TShiftState shift = 0;
    ASSERT_TRUE(ParseKeyName("Ctrl+Add", key, shift));
    EXPECT_EQ(key, VK_ADD);
    EXPECT_EQ(shift, ssCtrl);
    ASSERT_TRUE(ParseKeyName("Alt+Shift+Q", key, shift));
    EXPECT_EQ(key, TKey('Q'));
    EXPECT_EQ(shift, ssAlt | ssShift);
    ASSERT_TRUE(ParseKeyName("F12", key, shift));
    EXPECT_EQ(key, VK_F1 + 11);
    EXPECT_EQ(shift, 0);
    for (const char* bad : {"F13", "F0", "Alt+", "Meta+Q", "q", "Enterr", ""})
        EXPECT_FALSE(ParseKeyName(bad, key, shift)) << bad;
}

TEST(ReplayScript, MalformedLinesNameTheirLine) {
    for (const auto& [script, message] : std::vector<std::pair<std::string, std::string>>{
             {"wait 1\nwait\n", "line 2: wait takes 1 argument(s), found 0"},
             {"move 1 2 3\n", "line 1: move takes 2 argument(s), found 3"},
             {"frame\n", "line 1: frame needs hex bytes"},
             {"finalize now\n", "line 1: finalize takes 0 argument(s), found 1"},
             {"answer 99999999999\n", "line 1: answer is out of range: 99999999999"},
             {"click 1 2 alt\n", "line 1: click expects right, ctrl or shift, found alt"},
             {"click 1 2 Ctrl\n", "line 1: click expects right, ctrl or shift, found Ctrl"},
             {"click 1 2 shift shift\n", "line 1: click names shift twice"},
             {"click 1 2 right ctrl shift right\n", "line 1: click takes 2 to 5 argument(s), found 6"}}) {
        try {
            Parse(script);
            ADD_FAILURE() << "accepted: " << script;
        } catch (const TReplayScriptError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
}

TEST(ReplayScript, ClicksNameTheButtonAndTheKeysHeldInAnyOrder) {
    const auto commands =
        Parse("click 10 20\nclick 10 20 right\nclick 5 6 shift ctrl\nclick 7 8 ctrl right shift\nmove 1 2\n");
    ASSERT_EQ(commands.size(), 5u);
    EXPECT_FALSE(commands[0].right);
    EXPECT_EQ(commands[0].shift, 0);
    EXPECT_TRUE(commands[1].right);
    EXPECT_EQ(commands[1].shift, 0);
    EXPECT_FALSE(commands[2].right);
    EXPECT_EQ(commands[2].shift, ssCtrl | ssShift);
    EXPECT_EQ((std::pair{commands[2].x, commands[2].y}), (std::pair{5, 6}));
    EXPECT_TRUE(commands[3].right);
    EXPECT_EQ(commands[3].shift, ssCtrl | ssShift);
}

TEST(ReplayTranscript, EscapesLineBreaksAndBackslashesOnly) {
    EXPECT_EQ(EscapeText("a\r\nb\\c\td"), "a\\r\\nb\\\\c\td");
    EXPECT_EQ(LowerHex({0x00, 0xAB, 0x7F}), "00ab7f");
}

} // namespace
} // namespace morvane::replay
