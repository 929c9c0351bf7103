#include "base/IniFile.h"

#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <vector>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace morvane {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string path = (dir / "game.ini").string();
};

TEST_F(IniFileTest, ReadsTypedValuesWithDefaultsAndWithoutRegardToCase) {
    test::WriteFile(path, "; options of the table\r\n"
                          "[Option]\r\n"
                          "HaveSound = 0\r\n"
                          "HasBackMusic=true\r\n"
                          "Name=\"庄家\"\r\n"
                          "Level=$10\r\n"
                          "Big=-9000000000\r\n"
                          "Broken=12x\r\n"
                          "[Level]\n"
                          "1=新手\n");
    TIniFile ini(path);
    EXPECT_FALSE(ini.ReadBool("option", "havesound", true));
    EXPECT_TRUE(ini.ReadBool("OPTION", "HasBackMusic", false));
    EXPECT_TRUE(ini.ReadBool("Option", "Missing", true));
    EXPECT_EQ(ini.ReadString("Option", "Name", ""), "庄家");
    EXPECT_EQ(ini.ReadInteger("Option", "Level", 0), 16);
    EXPECT_EQ(ini.ReadInt64("Option", "Big", 0), -9000000000);
    EXPECT_EQ(ini.ReadInteger("Option", "Big", 7), 7); // out of range for 32 bits
    EXPECT_EQ(ini.ReadInteger("Option", "Broken", 5), 5);
    EXPECT_EQ(ini.ReadString("Level", "1", ""), "新手");
    EXPECT_EQ(ini.ReadString("Nowhere", "1", "default"), "default");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Option", "Level"}));
}

TEST_F(IniFileTest, GbkKeysCompareByteForByteEvenWhenTheTrailByteIsALetter) {
    // 0x81 0x41 and 0x81 0x61 are two different characters; folding the trail byte would merge them.
    test::WriteFile(path, "[S]\n\x81\x41=upper\n\x81\x61=lower\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("s", "\x81\x41", ""), "upper");
    EXPECT_EQ(ini.ReadString("s", "\x81\x61", ""), "lower");
}

TEST_F(IniFileTest, WritesKeepEveryOtherLineInItsPlace) {
    test::WriteFile(path, "; keep me\r\n"
                          "[Option]\r\n"
                          "HaveSound=1\r\n"
                          "Unknown=kept\r\n"
                          "\r\n"
                          "[URL]\r\n"
                          "Home=http://example.invalid/\r\n");
    TIniFile ini(path);
    ASSERT_TRUE(ini.WriteBool("option", "havesound", false));
    ASSERT_TRUE(ini.WriteInteger("Option", "Volume", 7));
    ASSERT_TRUE(ini.WriteString("Action", "1", "微笑"));
    EXPECT_EQ(test::ReadFile(path), "; keep me\r\n"
                                    "[Option]\r\n"
                                    "HaveSound=0\r\n"
                                    "Unknown=kept\r\n"
                                    "Volume=7\r\n"
                                    "\r\n"
                                    "[URL]\r\n"
                                    "Home=http://example.invalid/\r\n"
                                    "\r\n"
                                    "[Action]\r\n"
                                    "1=微笑\r\n");
    TIniFile again(path);
    EXPECT_FALSE(again.ReadBool("Option", "HaveSound", true));
    EXPECT_EQ(again.ReadString("Action", "1", ""), "微笑");

    ASSERT_TRUE(again.DeleteKey("Option", "Unknown"));
    ASSERT_TRUE(again.EraseSection("URL"));
    EXPECT_FALSE(TIniFile(path).ValueExists("Option", "Unknown"));
    EXPECT_FALSE(TIniFile(path).SectionExists("URL"));
}

TEST_F(IniFileTest, ReplacesTheFileAtomicallyAndLeavesNoTemporaryBehind) {
    TIniFile ini(path); // no file yet: reads as empty
    EXPECT_EQ(ini.ReadInteger("Option", "X", 3), 3);
    ASSERT_TRUE(ini.WriteInteger("Option", "X", 4));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"game.ini"});
    EXPECT_EQ(TIniFile(path).ReadInteger("Option", "X", 0), 4);
}

TEST_F(IniFileTest, AFailedWriteIsReportedAndTheValueStaysReadable) {
    TIniFile ini((dir / "missing-folder" / "game.ini").string());
    EXPECT_FALSE(ini.WriteString("Option", "Key", "v"));
    EXPECT_NE(ini.LastError().find("Unable to write"), std::string::npos);
    EXPECT_EQ(ini.ReadString("Option", "Key", ""), "v");
}

TEST_F(IniFileTest, OnlyTheFirstSectionOfANameAndTheFirstLineOfAKeyAreRead) {
    test::WriteFile(path, "[A]\nk=1\nk=2\n[B]\nk=b\n[a]\nk=3\nj=4\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("A", "K", ""), "1");
    EXPECT_EQ(ini.ReadString("b", "k", ""), "b");
    EXPECT_FALSE(ini.ValueExists("A", "j"));
    EXPECT_EQ(ini.ReadSection("A"), (std::vector<std::string>{"k", "k"}));
    ASSERT_TRUE(ini.WriteString("A", "j", "5"));
    EXPECT_EQ(test::ReadFile(path), "[A]\r\nk=1\r\nk=2\r\nj=5\r\n[B]\r\nk=b\r\n[a]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(ini.ReadString("a", "J", ""), "5");
}

// Two tables of one game, each with its copy of the file from its start: a save writes only its own keys.
TEST_F(IniFileTest, TwoWritersOfOneFileKeepEachOthersValues) {
    test::WriteFile(path, "[Option]\r\nHaveSound=1\r\n");
    TIniFile first(path);
    TIniFile second(path);
    ASSERT_TRUE(first.WriteString("Action", "1", "微笑"));
    ASSERT_TRUE(second.WriteBool("Option", "HaveSound", false));
    ASSERT_TRUE(first.WriteBool("Option", "HasBackMusic", false));
    TIniFile after(path);
    EXPECT_EQ(after.ReadString("Action", "1", ""), "微笑");
    EXPECT_FALSE(after.ReadBool("Option", "HaveSound", true));
    EXPECT_FALSE(after.ReadBool("Option", "HasBackMusic", true));
    // What a writer wrote, the other reads once it looks again.
    EXPECT_TRUE(second.ReadBool("Option", "HasBackMusic", true));
    second.Refresh();
    EXPECT_FALSE(second.ReadBool("Option", "HasBackMusic", true));
    EXPECT_EQ(second.ReadString("Action", "1", ""), "微笑");
}

// Writers that run at the same time, on two threads of one process and in two processes, lose nothing.
TEST_F(IniFileTest, WritersAtTheSameTimeInOneProcessAndInTwoLoseNothing) {
    constexpr int kKeys = 60;
    auto writeKeys = [this](const std::string& who) {
        TIniFile ini(path);
        for (int i = 0; i < kKeys; ++i)
            if (!ini.WriteInteger(who, "Key" + std::to_string(i), i)) return false;
        return true;
    };
#ifndef _WIN32
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(writeKeys("Child") ? 0 : 1);
    const std::vector<const char*> writers{"Child", "Thread", "Parent"};
#else
    // The Windows build has no fork: two threads of one process write at the same time.
    const std::vector<const char*> writers{"Thread", "Parent"};
#endif
    bool threadWrote = false;
    std::thread other([&] { threadWrote = writeKeys("Thread"); });
    const bool parentWrote = writeKeys("Parent");
    other.join();
#ifndef _WIN32
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
#endif
    ASSERT_TRUE(parentWrote && threadWrote);
    TIniFile after(path);
    for (const char* who : writers)
        for (int i = 0; i < kKeys; ++i)
            EXPECT_EQ(after.ReadInteger(who, "Key" + std::to_string(i), -1), i) << who << " " << i;
}

// The new file is written under a name of its own: whatever another writer left under any name beside the
// file is not taken over, and a name that is in use does not stop the write.
TEST_F(IniFileTest, TheNewFileTakesNoNameAnotherWriterUses) {
    test::WriteFile(path + ".tmp", "another writer's half-written file");
    std::filesystem::create_directory(path + ".new");
    TIniFile ini(path);
    ASSERT_TRUE(ini.WriteString("Option", "Key", "v"));
    EXPECT_EQ(test::ReadFile(path + ".tmp"), "another writer's half-written file");
    EXPECT_TRUE(std::filesystem::is_directory(path + ".new"));
    EXPECT_EQ(test::ReadFile(path), "[Option]\r\nKey=v\r\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 3);
}

TEST(IniFileParse, IntegerForms) {
    std::int64_t v = 0;
    EXPECT_TRUE(TIniFile::ParseInt64("-12", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(TIniFile::ParseInt64("0x1F", v));
    EXPECT_EQ(v, 31);
    EXPECT_TRUE(TIniFile::ParseInt64("-9223372036854775808", v));
    EXPECT_EQ(v, INT64_MIN);
    EXPECT_FALSE(TIniFile::ParseInt64("9223372036854775808", v));
    EXPECT_FALSE(TIniFile::ParseInt64("", v));
    EXPECT_FALSE(TIniFile::ParseInt64("$", v));
    EXPECT_FALSE(TIniFile::ParseInt64("1 2", v));
}

} // namespace
} // namespace morvane
