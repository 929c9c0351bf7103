#include "support/headless/HeadlessApp.h"

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

TEST_F(HeadlessTest, AMarkerOfAnotherProcessIsSeenUntilThatProcessEnds) {
    const std::string name = UniqueMarker("machine");
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

} // namespace
} // namespace morvane::test
