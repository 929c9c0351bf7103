#include "plugin/HubFixture.h"
#include "support/TempDir.h"
#include "support/headless/HeadlessApp.h"

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace morvane::test {
namespace {

std::string UniqueMarker(const char* what) {
    return std::string("marker-test-") + what + "-" + std::to_string(::getpid());
}

TEST_F(HeadlessTest, AMarkerIsSeenByEveryPlatformOfTheProcessUntilReleased) {
    const std::string name = UniqueMarker("process");
    THeadlessPlatform other;
    EXPECT_TRUE(platform.ClaimMarker(name));
    EXPECT_FALSE(platform.ClaimMarker(name));
    EXPECT_FALSE(other.ClaimMarker(name));
    other.ReleaseMarker(name);
    EXPECT_TRUE(platform.ClaimMarker(name));
    platform.ReleaseMarker("never claimed");
}

// Where a headless platform with a marker folder keeps a marker for other processes: its name's bytes
// in hexadecimal.
std::string MarkerFile(const std::filesystem::path& folder, const std::string& name) {
    std::string file = folder.string() + "/";
    char pair[3];
    for (unsigned char c : name) {
        std::snprintf(pair, sizeof pair, "%02x", c);
        file += pair;
    }
    return file + ".lock";
}

TEST_F(HeadlessTest, AMarkerStaysIntactUntilReleasedHereOrRemovedFromOutside) {
    const std::string name = UniqueMarker("intact");
    TempDir markers;
    platform.SetMarkerFolder(markers.Path());
    EXPECT_FALSE(platform.MarkerIntact(name)); // never claimed
    ASSERT_TRUE(platform.ClaimMarker(name));
    EXPECT_TRUE(platform.MarkerIntact(name));
    THeadlessPlatform other;
    EXPECT_TRUE(other.MarkerIntact(name)); // the process holds it, whichever platform asks
    platform.ReleaseMarker(name);
    EXPECT_FALSE(platform.MarkerIntact(name));

    ASSERT_TRUE(platform.ClaimMarker(name));
    // Another program takes the marker away, as the hall closes a marker window on Windows.
    ASSERT_EQ(std::remove(MarkerFile(markers.Path(), name).c_str()), 0);
    EXPECT_FALSE(platform.MarkerIntact(name));
    platform.ReleaseMarker(name);
}

TEST_F(HubTest, AReadyFrameFinalisesWhenAnotherProgramRemovedTheMarker) {
    TempDir markers;
    platform.SetMarkerFolder(markers.Path());
    Start();
    Post(hostframes::UserReady(0, 77, 1));
    EXPECT_FALSE(hub->Finalized());
    ASSERT_EQ(std::remove(MarkerFile(markers.Path(), hub->MarkerName()).c_str()), 0);
    Post(hostframes::UserReady(0, 77, 0));
    EXPECT_TRUE(hub->Finalized());
    EXPECT_EQ(host.Closed().size(), 1u);
}

// Processes that share a marker folder (tests that ask for it) see each other's markers.
TEST_F(HeadlessTest, AMarkerOfAnotherProcessIsSeenUntilThatProcessEnds) {
    const std::string name = UniqueMarker("machine");
    TempDir markers;
    platform.SetMarkerFolder(markers.Path());
    int toParent[2], toChild[2];
    ASSERT_EQ(::pipe(toParent), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        THeadlessPlatform inChild;
        inChild.SetMarkerFolder(markers.Path());
        char claimed = inChild.ClaimMarker(name) ? 'T' : 'F';
        [[maybe_unused]] auto w = ::write(toParent[1], &claimed, 1);
        char go = 0;
        [[maybe_unused]] auto r = ::read(toChild[0], &go, 1);
        ::_exit(0); // ends without releasing: the lock file stays behind
    }
    char claimedInChild = 0;
    ASSERT_EQ(::read(toParent[0], &claimedInChild, 1), 1);
    EXPECT_EQ(claimedInChild, 'T');
    EXPECT_FALSE(platform.ClaimMarker(name)); // the child holds it
    char go = 'g';
    ASSERT_EQ(::write(toChild[1], &go, 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    // The holder is gone: its leftover lock file is taken over.
    EXPECT_TRUE(platform.ClaimMarker(name));
    platform.ReleaseMarker(name);
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]})
        ::close(fd);
}

// A test run, a demo and a second checkout on the same machine each keep their tables' markers to
// themselves: a marker of another process is not seen unless both use the same marker folder.
TEST_F(HeadlessTest, ByDefaultAMarkerIsPrivateToItsProcess) {
    const std::string name = UniqueMarker("private");
    int toParent[2], toChild[2];
    ASSERT_EQ(::pipe(toParent), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        THeadlessPlatform inChild;
        char claimed = inChild.ClaimMarker(name) ? 'T' : 'F';
        [[maybe_unused]] auto w = ::write(toParent[1], &claimed, 1);
        char go = 0;
        [[maybe_unused]] auto r = ::read(toChild[0], &go, 1);
        inChild.ReleaseMarker(name);
        ::_exit(0);
    }
    char claimedInChild = 0;
    ASSERT_EQ(::read(toParent[0], &claimedInChild, 1), 1);
    EXPECT_EQ(claimedInChild, 'T');
    EXPECT_TRUE(platform.ClaimMarker(name)) << "the other process's marker is its own";
    EXPECT_TRUE(platform.MarkerIntact(name));
    char go = 'g';
    ASSERT_EQ(::write(toChild[1], &go, 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(platform.MarkerIntact(name));
    platform.ReleaseMarker(name);
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]})
        ::close(fd);
}

} // namespace
} // namespace morvane::test
