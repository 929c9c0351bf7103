#include "form/FormPluginClient.h"
#include "form/TableClasses.h"

#include "base/Paths.h"
#include "game/TwoEightClient.h"
#include "host/HostFrames.h"
#include "host/TestHallHost.h"
#include "panels/PluginChat50.h"
#include "plugin/PluginInterface50.h"
#include "plugin/PluginShare50.h"
#include "support/TempDir.h"
#include "support/headless/HeadlessApp.h"

#include <atomic>
#include <gmock/gmock.h>
#include <map>
#include <thread>
#include <unistd.h>

namespace morvane::test {
namespace {

constexpr std::int64_t kMe = 1001;

std::int64_t NextCookie() {
    static int counter = 0;
    return 990000000 + std::int64_t(::getpid()) * 64 + ++counter;
}

// Owned by the form: it goes when the form's components go, and tells on which thread that was.
class TDestructionWitness : public TComponent {
public:
    TDestructionWitness(TComponent* owner, std::thread::id& thread) : TComponent(owner), thread_(thread) {}
    ~TDestructionWitness() override { thread_ = std::this_thread::get_id(); }

private:
    std::thread::id& thread_;
};

// A table opened the way a hall opens it, whose hall releases it inside PluginClosed.
class TableLifetimeTest : public HeadlessTest {
protected:
    TableLifetimeTest() {
        platform.SetLibraryFolder(paths::IncludeTrailingBackslash(paths::FromHost(library.Path().string())));
        host.SetDirectory(paths::FromHost(library.Path().string()));
        RegisterTableClasses();
        table = TPluginInterface50::Create();
        form = dynamic_cast<TFormPluginClient*>(table->Form());
        form->Own(std::make_unique<TDestructionWitness>(form, destroyedOn));
        host.OnPluginClosed = [this](std::int64_t) {
            if (releaseOnClose && table) std::exchange(table, nullptr)->Release();
        };
    }
    ~TableLifetimeTest() override {
        if (table) table->Release();
        platform.RunUntilIdle();
    }

    void Open() {
        form->PluginChat501()->OnLineAdded = [this](const std::string& text, std::int64_t) {
            ++lines[text];
        };
        ASSERT_EQ(table->SetRequestInterface(&host), S_OK);
        const std::int64_t me = kMe;
        ASSERT_EQ(table->Initialize(NextCookie(), "百家乐", &me, "玩家甲", 0, 0, 0, 0), S_OK);
        platform.RunUntilIdle();
    }

    // The UI thread pumps while `work` runs on a thread of the hall, until it is done.
    void OnHallThread(const std::function<void()>& work) {
        std::atomic<bool> done{false};
        std::thread hall([&] {
            work();
            done = true;
        });
        while (!done)
            platform.RunUntilIdle();
        hall.join();
        platform.RunUntilIdle();
    }

    TempDir library;
    TTestHallHost host;
    TPluginInterface50* table{nullptr};
    TFormPluginClient* form{nullptr};
    bool releaseOnClose{true};
    std::thread::id destroyedOn;
    std::map<std::string, int> lines;
};

// The hall's network thread hands over the player's own leave frame; the hall releases the table in
// PluginClosed, so the last reference is the one the call itself holds on that thread. The table is
// destroyed on its UI thread all the same, never on the hall's thread.
TEST_F(TableLifetimeTest, TheLeaveFrameFromTheHallsThreadEndsTheTableOnItsUiThread) {
    Open();
    const hostframes::TFrame leave = hostframes::UserLeave(kMe);
    HRESULT result = E_FAIL;
    OnHallThread([&] { result = table->PostCommand(std::int32_t(leave.size()), reinterpret_cast<const char*>(leave.data())); });
    EXPECT_EQ(result, S_OK);
    EXPECT_THAT(host.Closed(), ::testing::SizeIs(1));
    EXPECT_EQ(TPluginInterface50::LiveObjects(), 0);
    EXPECT_EQ(destroyedOn, std::this_thread::get_id());
}

// A release on another thread with nothing else going on also hands the destruction to the UI thread.
TEST_F(TableLifetimeTest, TheLastReleaseOnTheHallsThreadDestroysTheTableOnItsUiThread) {
    Open();
    OnHallThread([&] { std::exchange(table, nullptr)->Release(); });
    EXPECT_EQ(TPluginInterface50::LiveObjects(), 0);
    EXPECT_EQ(destroyedOn, std::this_thread::get_id());
}

// Two threads of the hall hand over frames at once: each frame is decoded once, none is lost or taken
// for the other's.
TEST_F(TableLifetimeTest, FramesFromTwoThreadsAtOnceAreEachDecodedOnce) {
    Open();
    constexpr int kEach = 150;
    auto post = [this](char who) {
        for (int i = 0; i < kEach; ++i) {
            const hostframes::TFrame frame = hostframes::SystemLine(0, std::string(1, who) + std::to_string(i));
            table->PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data()));
        }
    };
    OnHallThread([&] {
        std::thread other([&] { post('B'); });
        post('A');
        other.join();
    });
    int seen = 0;
    for (const auto& [text, count] : lines) {
        if (text.size() < 2 || (text[0] != 'A' && text[0] != 'B')) continue;
        EXPECT_EQ(count, 1) << text;
        ++seen;
    }
    EXPECT_EQ(seen, 2 * kEach);
}

// One failing SendData while the table closes: the second leave frame still goes, the parts are finalised,
// PluginClosed is called and the failure comes back as Finalize's result; a second Finalize does nothing.
TEST_F(TableLifetimeTest, AFailingSendDataDuringFinalizeStillClosesTheTable) {
    releaseOnClose = false;
    Open();
    host.ClearRecords();
    host.FailNext("SendData");
    EXPECT_NE(table->Finalize(), S_OK);
    EXPECT_THAT(host.Closed(), ::testing::SizeIs(1));
    EXPECT_TRUE(form->PluginShare501()->Finalized());
    const auto sent = host.Sent().size();
    EXPECT_EQ(table->Finalize(), S_OK);
    EXPECT_THAT(host.Closed(), ::testing::SizeIs(1));
    EXPECT_EQ(host.Sent().size(), sent);
}

// After the close nothing of the table acts: frames, texts and time change nothing, no request is sent.
TEST_F(TableLifetimeTest, AfterPluginClosedFramesTextsAndTimersDoNothing) {
    releaseOnClose = false;
    Open();
    ASSERT_EQ(table->Finalize(), S_OK);
    host.ClearRecords();
    platform.TakeEffects();
    lines.clear();
    const hostframes::TFrame line = hostframes::SystemLine(0, "late");
    EXPECT_EQ(table->PostCommand(std::int32_t(line.size()), reinterpret_cast<const char*>(line.data())), S_OK);
    EXPECT_EQ(table->ShowSystemText(4, "late"), S_OK);
    const hostframes::TFrame start = hostframes::GameStart();
    table->PostCommand(std::int32_t(start.size()), reinterpret_cast<const char*>(start.data()));
    platform.AdvanceBy(60000);
    EXPECT_THAT(lines, ::testing::IsEmpty());
    EXPECT_THAT(host.Sent(), ::testing::IsEmpty());
    EXPECT_THAT(platform.TakeEffects(), ::testing::IsEmpty());
}

} // namespace
} // namespace morvane::test
