#include "plugin/PluginInterface50.h"

#include "plugin/HubFixture.h"
#include "plugin/PluginFormRegistry.h"

#include <atomic>
#include <gmock/gmock.h>
#include <thread>

namespace morvane::test {
namespace {

using hostframes::MakeUser;
using ::testing::ElementsAre;

class PluginInterfaceTest : public HeadlessTest {
protected:
    PluginInterfaceTest() {
        RegisterFormClass(TPluginInterface50::kFormClassName, [this] {
            auto form = std::make_unique<THubTestForm>(nullptr);
            auto* hub = form->Own(std::make_unique<TPluginShare50>(form.get()));
            form->SetCommandHub(hub);
            chat = form->Own(std::make_unique<TRecordingChat>(form.get(), log));
            client = form->Own(std::make_unique<TRecordingClient>(form.get(), log));
            hub->SetPluginChat(chat);
            hub->SetPluginClient(client);
            return std::unique_ptr<TForm>(std::move(form));
        });
    }
    ~PluginInterfaceTest() override { UnregisterFormClass(TPluginInterface50::kFormClassName); }

    // A table object created, given the host and initialised as the hall does.
    TPluginInterface50* OpenTable(std::int64_t cookie) {
        TPluginInterface50* table = TPluginInterface50::Create();
        EXPECT_EQ(table->SetRequestInterface(&host), S_OK);
        const std::int64_t me = 1001;
        EXPECT_EQ(table->Initialize(cookie, "百家乐", &me, "甲", 12, 0, 0, 0), S_OK);
        chat->lines.clear(); // the version line of the start-up
        return table;
    }

    TTestHallHost host;
    TCallLog log;
    TRecordingChat* chat{nullptr};
    TRecordingClient* client{nullptr};
};

TEST_F(HeadlessTest, WithoutTheFormClassTheObjectDoesNothing) {
    UnregisterFormClass(TPluginInterface50::kFormClassName);
    TPluginInterface50* table = TPluginInterface50::Create();
    std::int32_t code = 0;
    EXPECT_EQ(table->GetPluginCode(&code), S_OK);
    EXPECT_EQ(code, -1);
    const std::int64_t me = 1;
    EXPECT_EQ(table->Initialize(1, "t", &me, "n", 0, 0, 0, 0), S_OK);
    EXPECT_EQ(table->PostCommand(1, "\x31"), S_OK);
    EXPECT_EQ(table->Release(), 0u);
}

TEST_F(PluginInterfaceTest, InitialisingCaptionsAndShowsTheFormAndStartsTheHub) {
    TPluginInterface50* table = OpenTable(UniqueCookie());
    std::int32_t code = 0;
    table->GetPluginCode(&code);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(table->Form()->Caption(), "百家乐[甲]");
    EXPECT_TRUE(table->Form()->Showing());
    EXPECT_EQ(table->Hub()->Extra(), 12);
    EXPECT_EQ(host.Sent().size(), 1u); // ready
    EXPECT_EQ(host.References(), 1u);
    EXPECT_EQ(table->Release(), 0u);
    // The hub let go of the host with the object.
    EXPECT_EQ(host.References(), 0u);
}

TEST_F(PluginInterfaceTest, FramesFromAnotherThreadAreDecodedBeforeTheCallReturns) {
    TPluginInterface50* table = OpenTable(UniqueCookie());
    const std::vector<std::uint8_t> frame = hostframes::TextLine(0, "来自别的线程");
    HRESULT result = E_UNEXPECTED;
    std::thread hostThread([&] {
        result = table->PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data()));
    });
    for (int spins = 0; chat->lines.empty() && spins < 1000000; ++spins) {
        platform.RunUntilIdle();
        std::this_thread::yield();
    }
    hostThread.join();
    EXPECT_EQ(result, S_OK);
    EXPECT_THAT(chat->lines, ElementsAre("kind=7 来自别的线程"));
    EXPECT_EQ(table->PostCommand(0, nullptr), S_OK);
    EXPECT_EQ(table->PostCommand(-1, "x"), S_OK);
    table->Release();
}

TEST_F(PluginInterfaceTest, AFailureWhileDecodingACrossThreadFrameComesBackToTheCallerAsAResult) {
    TPluginInterface50* table = OpenTable(UniqueCookie());
    host.FailNext("FilterText"); // the system line's filtering throws in the form's thread
    HRESULT result = E_UNEXPECTED;
    std::atomic<bool> returned{false};
    {
        const std::vector<std::uint8_t> frame = hostframes::SystemLine(20001, "过滤失败");
        std::thread hostThread([&] {
            result =
                table->PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data()));
            returned = true;
        });
        for (int spins = 0; !returned && spins < 1000000; ++spins) {
            platform.RunUntilIdle();
            std::this_thread::yield();
        }
        hostThread.join();
    }
    EXPECT_TRUE(returned);
    EXPECT_EQ(result, E_FAIL);
    EXPECT_TRUE(chat->lines.empty());
    // The host's buffer is gone; the hub kept no view of it.
    table->Hub()->ProcessCommand();
    EXPECT_TRUE(chat->lines.empty());
    // The table goes on decoding.
    const std::vector<std::uint8_t> next = hostframes::SystemLine(20001, "下一行");
    EXPECT_EQ(table->PostCommand(std::int32_t(next.size()), reinterpret_cast<const char*>(next.data())),
              S_OK);
    EXPECT_EQ(chat->lines.size(), 1u);
    table->Release();
}

TEST_F(PluginInterfaceTest, UpdateUserNameRewritesTheWholeField) {
    TPluginInterface50* table = OpenTable(UniqueCookie());
    const std::vector<std::uint8_t> list =
        hostframes::FullUserList({MakeUser(5, 1, false, "很长很长的一个昵称")});
    table->PostCommand(std::int32_t(list.size()), reinterpret_cast<const char*>(list.data()));
    const std::int64_t five = 5, absent = 404;
    EXPECT_EQ(table->UpdateUserName(&absent, "无人", 3), S_OK);
    EXPECT_EQ(table->UpdateUserName(&five, "短名", 65535), S_OK);
    const STRU_PLUGIN_USERINFO* user = table->Hub()->FindUser(5);
    EXPECT_EQ(+user->ExtValue, 65535);
    EXPECT_EQ(FilteredNickName(*user), "短名");
    EXPECT_EQ(table->UpdateUserName(&five, "超出", 65536), E_FAIL);
    EXPECT_EQ(FilteredNickName(*user), "短名");
    table->Release();
}

TEST_F(PluginInterfaceTest, SystemTextTakesItsLengthAndHostFailuresBecomeResults) {
    TPluginInterface50* table = OpenTable(UniqueCookie());
    EXPECT_EQ(table->ShowSystemText(4, "系统消息"), S_OK);
    EXPECT_THAT(chat->lines, ElementsAre("kind=0 系统"));
    host.FailNext("PluginClosed");
    EXPECT_EQ(table->Finalize(), E_FAIL);
    EXPECT_EQ(table->Finalize(), S_OK); // finalised already: nothing more is asked of the host
    EXPECT_TRUE(host.Closed().empty());
    table->Release();
}

TEST_F(PluginInterfaceTest, ASystemTextPastTheLimitIsCutOnACharacterBoundary) {
    TPluginInterface50* table = OpenTable(UniqueCookie());
    std::string text = "x";
    while (text.size() < 1000000)
        text += "庄";
    EXPECT_EQ(table->ShowSystemText(std::int32_t(text.size()), text.c_str()), S_OK);
    EXPECT_THAT(chat->lines, ElementsAre("kind=0 " + text.substr(0, 4095)));
    table->Release();
}

TEST_F(PluginInterfaceTest, AHostReleasingTheTableWhileItClosesFreesItOnlyAfterTheCall) {
    TPluginInterface50* table = OpenTable(UniqueCookie());
    ULONG leftInsideTheCall = 99;
    host.OnPluginClosed = [&](std::int64_t) { leftInsideTheCall = table->Release(); };
    // Leaving myself closes the table from inside the frame's decoding, deep in the form's handler.
    const std::vector<std::uint8_t> leave = hostframes::UserLeave(1001);
    EXPECT_EQ(table->PostCommand(std::int32_t(leave.size()), reinterpret_cast<const char*>(leave.data())),
              S_OK);
    EXPECT_EQ(leftInsideTheCall, 1u); // the running call still held the object
    EXPECT_EQ(host.Closed().size(), 1u);
    // The object went with the call's end, and let go of the host.
    EXPECT_EQ(host.References(), 0u);
}

TEST_F(PluginInterfaceTest, AHostReleasingTheTableInsideFinalizeLeavesNoCallOnAFreedObject) {
    TPluginInterface50* table = OpenTable(UniqueCookie());
    ULONG leftInsideTheCall = 99;
    host.OnPluginClosed = [&](std::int64_t) { leftInsideTheCall = table->Release(); };
    EXPECT_EQ(table->Finalize(), S_OK);
    EXPECT_EQ(leftInsideTheCall, 1u);
    EXPECT_EQ(host.References(), 0u);
}

TEST_F(PluginInterfaceTest, TwoTablesAreIndependent) {
    TPluginInterface50* first = OpenTable(UniqueCookie());
    TRecordingChat* firstChat = chat;
    TPluginInterface50* second = OpenTable(UniqueCookie());
    EXPECT_FALSE(second->Hub()->Duplicate());
    second->ShowSystemText(2, "ab");
    EXPECT_TRUE(firstChat->lines.empty());
    EXPECT_EQ(chat->lines.size(), 1u);
    EXPECT_EQ(first->ShowPluginWindow(1), S_OK);
    EXPECT_EQ(first->ShowPluginWindow(2), S_OK);
    EXPECT_TRUE(first->Form()->Showing());
    EXPECT_FALSE(first->Form()->TopMost());
    void* asked = nullptr;
    EXPECT_EQ(first->QueryInterface(IID_IQXOpenInterfaceReq, &asked), E_NOINTERFACE);
    EXPECT_EQ(first->QueryInterface(IID_IQXOpenInterface, &asked), S_OK);
    EXPECT_EQ(first->Release(), 1u);
    first->Release();
    second->Release();
}

} // namespace
} // namespace morvane::test
