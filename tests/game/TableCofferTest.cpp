#include "base/ByteWriter.h"
#include "game/TableFixture.h"
#include "graphics/CofferDrawMoneyFrm.h"
#include "graphics/CofferRecords.h"
#include "graphics/CofferSaveMoneyFrm.h"
#include "gui/Button.h"
#include "gui/Edit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvane::test {
namespace {

using ::testing::ElementsAre;

class TableCofferTest : public TableTest {
protected:
    static std::vector<std::uint8_t> Reply(std::uint8_t kind, std::uint8_t operation, std::uint8_t error,
                                           std::int64_t minRemaining = 0, std::int64_t account = 2000000) {
        ByteWriter writer(76);
        writer.WriteU8(kind);
        writer.WriteU8(operation);
        for (int i = 2; i < 10; ++i)
            writer.WriteU8(0);
        writer.WriteU8(error);
        writer.WriteI64(100);
        writer.WriteI64(minRemaining);
        writer.WriteI64(account);
        writer.WriteI64(5000);
        const std::string question = "你的生日?";
        writer.WriteU8(std::uint8_t(question.size()));
        writer.WriteBytes(std::span(reinterpret_cast<const std::uint8_t*>(question.data()), question.size()));
        while (writer.Bytes().size() < 76)
            writer.WriteU8(0);
        return writer.Take();
    }
    static std::vector<std::uint8_t> CofferFrame(const std::vector<std::uint8_t>& request) {
        ByteWriter writer;
        writer.WriteU8(3);
        writer.WriteI64(kMe);
        writer.WriteU8(5);
        writer.WriteBytes(request);
        return writer.Take();
    }
    void Reply(const std::vector<std::uint8_t>& reply) { SendFrame(hostframes::CofferReply(0, reply)); }
};

TEST_F(TableCofferTest, SaveAsksForTheCofferOnceUntilTheReplyComes) {
    platform.SetAdapterAddress({0x00, 0x16, 0x3E, 0x4D, 0x56, 0x01});
    Start();
    SendScene(RoomScene(TGamePhase::Free));
    TakeFrames();
    Table().CofferButtonClick(kCofferDeposit);
    std::vector<std::uint8_t> query = CofferRequest(kCofferDeposit, 0, "00-16-3E-4D-56-01", {});
    query[0] = 0;
    EXPECT_THAT(TakeFrames(), ElementsAre(CofferFrame(query)));
    EXPECT_TRUE(Table().CofferPending());
    Table().CofferButtonClick(kCofferWithdraw);
    EXPECT_TRUE(TakeFrames().empty());
}

// The dialog opens from the one-shot timer, after the host's call has returned; the confirmed dialog's
// request goes to the host.
TEST_F(TableCofferTest, ReplyOpensTheDialogOutsideTheHostCallAndSendsItsRequest) {
    Start();
    SendScene(RoomScene(TGamePhase::Free));
    Table().CofferButtonClick(kCofferDeposit);
    TakeFrames();
    int steps = 0;
    DriveModal(client->SaveDialog(), [&](int step) {
        ++steps;
        if (step == 0) platform.Type("500");
        if (step == 1) client->SaveDialog().ButtonSave->Click();
        return step < 1;
    });
    Reply(Reply(0, kCofferDeposit, 0));
    EXPECT_FALSE(client->SaveDialog().Showing());
    EXPECT_TRUE(Table().CofferTimer().Enabled());
    Run(1);
    EXPECT_EQ(steps, 2);
    const std::vector<std::uint8_t> request = client->SaveDialog().Request();
    ASSERT_EQ(request.size(), 61u);
    EXPECT_THAT(TakeFrames(), ElementsAre(CofferFrame(request)));
    EXPECT_TRUE(Table().CofferPending());
    EXPECT_FALSE(Table().CofferTimer().Enabled());
}

TEST_F(TableCofferTest, ErrorsAndTextRepliesGoToAMessageBox) {
    Start();
    SendScene(RoomScene(TGamePhase::Free));
    Table().CofferButtonClick(kCofferWithdraw);
    TakeFrames();
    TakeBoxes();
    Reply(Reply(0, kCofferWithdraw, 1));
    Run(1);
    EXPECT_THAT(TakeBoxes(), ElementsAre("msgbox 保险箱操作 | 请求失败。"));
    EXPECT_FALSE(Table().CofferPending());
    Reply(Reply(1, kCofferWithdraw, 0));
    Run(1);
    EXPECT_EQ(TakeBoxes().size(), 1u);
    EXPECT_TRUE(TakeFrames().empty());
}

TEST_F(TableCofferTest, AReplyWhileThePreviousOneWaitsIsDroppedAndCancelSendsNothing) {
    Start();
    SendScene(RoomScene(TGamePhase::Free));
    int dialogs = 0;
    DriveModal(client->DrawDialog(), [&](int) {
        ++dialogs;
        client->DrawDialog().ButtonCancel->Click();
        return true;
    });
    Reply(Reply(0, kCofferWithdraw, 0));
    Reply(Reply(1, kCofferWithdraw, 0));
    Run(50);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_FALSE(Table().CofferPending());
}

// A reply that arrives while the dialog of the last one is open is dropped: no second modal run of the
// same dialog (which would throw) and no message box over it.
TEST_F(TableCofferTest, AReplyWhileTheDialogIsOpenIsDropped) {
    Start();
    SendScene(RoomScene(TGamePhase::Free));
    int dialogs = 0;
    DriveModal(client->DrawDialog(), [&](int step) {
        if (step == 0) {
            ++dialogs;
            Reply(Reply(0, kCofferWithdraw, 0));
            Reply(Reply(1, kCofferWithdraw, 0));
            return true;
        }
        EXPECT_FALSE(Table().CofferTimer().Enabled());
        client->DrawDialog().ButtonCancel->Click();
        return false;
    });
    Reply(Reply(0, kCofferWithdraw, 0));
    EXPECT_NO_THROW(Run(50));
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_FALSE(Table().CofferPending());
}

// An applicant for the bank must keep what applying needs: the deposit dialog refuses to take it.
TEST_F(TableCofferTest, AnApplicantCannotDepositWhatTheBankNeeds) {
    Start(1200000);
    TTableScene scene = RoomScene(TGamePhase::Free);
    scene.BankerList[1] = {kMe, kMySeat};
    SendScene(scene);
    DriveModal(client->SaveDialog(), [&](int step) {
        if (step == 0) platform.Type("500000");
        if (step == 1) client->SaveDialog().ButtonSave->Click();
        if (step == 2) client->SaveDialog().ButtonCancel->Click();
        return step < 2;
    });
    TakeBoxes();
    Reply(Reply(0, kCofferDeposit, 0, 0, 1200000));
    Run(1);
    EXPECT_EQ(TakeBoxes().size(), 1u);
    EXPECT_TRUE(TakeFrames().empty());
}

TEST_F(TableCofferTest, AReplyTooShortToReadEndsTheRequestSoTheButtonsWorkAgain) {
    Start();
    SendScene(RoomScene(TGamePhase::Free));
    Table().CofferButtonClick(kCofferDeposit);
    TakeFrames();
    client->DoCofferReply(std::vector<std::uint8_t>(20, 0), "x");
    EXPECT_FALSE(Table().CofferPending());
    EXPECT_FALSE(Table().CofferTimer().Enabled());
    Table().CofferButtonClick(kCofferDeposit);
    EXPECT_EQ(TakeFrames().size(), 1u);
}

TEST_F(TableCofferTest, DepositIsClosedWhileAGameIsInProgress) {
    Start();
    SendScene(RoomScene(TGamePhase::Betting));
    EXPECT_FALSE(client->SaveButton().Enabled());
    EXPECT_TRUE(client->DrawButton().Enabled());
    SendScene(RoomScene(TGamePhase::Free));
    EXPECT_TRUE(client->SaveButton().Enabled());
}

} // namespace
} // namespace morvane::test
