#include "base/ByteWriter.h"
#include "base/Gbk.h"
#include "graphics/CofferDrawMoneyFrm.h"
#include "graphics/CofferSaveMoneyFrm.h"
#include "gui/Button.h"
#include "gui/Edit.h"
#include "gui/Keys.h"
#include "gui/Label.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

// A coffer reply as the server sends it.
std::vector<std::uint8_t> ReplyBytes(std::int64_t minAmount, std::int64_t minRemaining, std::int64_t account,
                                     std::int64_t coffer, std::uint8_t questionLength,
                                     const std::string& question) {
    // Sized up front: the writer never grows, which also keeps GCC 12 at -O3 from a false array-bounds
    // report on the growth of a two-byte vector.
    ByteWriter writer(TCofferReply::kBytes);
    writer.WriteU8(0);
    writer.WriteU8(1);
    writer.WriteZeros(9);
    writer.WriteI64(minAmount);
    writer.WriteI64(minRemaining);
    writer.WriteI64(account);
    writer.WriteI64(coffer);
    writer.WriteU8(questionLength);
    writer.WriteFixedString(question, 32);
    return writer.Take();
}

TCofferReply Reply(std::int64_t minAmount, std::int64_t minRemaining, std::int64_t account,
                   std::int64_t coffer, const std::string& question = "你的生日?") {
    std::vector<std::uint8_t> bytes =
        ReplyBytes(minAmount, minRemaining, account, coffer, std::uint8_t(question.size()), question);
    return ReadCofferReply(bytes).value();
}

class CofferDialogTest : public test::HeadlessTest {
protected:
    std::vector<std::string> MessageBoxes() {
        std::vector<std::string> boxes;
        for (const std::string& line : platform.TakeEffects())
            if (line.rfind("msgbox ", 0) == 0) boxes.push_back(line);
        return boxes;
    }
    static std::string Box(const std::string& gbkText) {
        return gbk::ToUtf8("msgbox 保险箱操作 | " + gbkText);
    }
};

TEST(CofferReplyTest, ReadsTheFiguresAndHoldsTheQuestionToItsField) {
    std::vector<std::uint8_t> bytes = ReplyBytes(100, 200, 3000, 40000, 9, "你的生日?");
    ASSERT_EQ(bytes.size(), TCofferReply::kBytes);
    std::optional<TCofferReply> reply = ReadCofferReply(bytes);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->MinAmount, 100);
    EXPECT_EQ(reply->MinRemaining, 200);
    EXPECT_EQ(reply->AccountBean, 3000);
    EXPECT_EQ(reply->CofferBean, 40000);
    EXPECT_EQ(reply->Question, "你的生日?");

    // A length above 32 reads the 32 bytes of the field, never the bytes after it.
    bytes = ReplyBytes(0, 0, 0, 0, 200, std::string(32, 'q'));
    bytes.push_back('X');
    EXPECT_EQ(ReadCofferReply(bytes)->Question, std::string(32, 'q'));
    // A double-byte character that the limit would split is left out whole.
    bytes = ReplyBytes(0, 0, 0, 0, 40, std::string(31, 'q') + "问");
    bytes[43 + 1 + 31] = 0xCE; // a lead byte whose trail byte lies past the field
    EXPECT_EQ(ReadCofferReply(bytes)->Question, std::string(31, 'q'));
    // A short reply is not read at all.
    bytes.resize(75);
    EXPECT_FALSE(ReadCofferReply(bytes));
}

TEST_F(CofferDialogTest, DepositChecksTheMinimumAndWhatMustRemain) {
    TFormCofferSaveMoney dialog(nullptr);
    dialog.SetMachineIdSource([] { return std::string("00-16-3E-4D-56-01"); });
    dialog.Prepare(Reply(50, 100, 1000, 7));
    EXPECT_EQ(dialog.EditUserBean->Text(), "1000");
    EXPECT_EQ(dialog.EditCofferBean->Text(), "7");
    EXPECT_TRUE(dialog.EditUserBean->ReadOnly());

    dialog.ButtonSaveClick(nullptr); // empty amount counts as 0
    dialog.EditSaveAmount->SetText("49");
    dialog.ButtonSaveClick(nullptr);
    dialog.EditSaveAmount->SetText("901");
    dialog.ButtonSaveClick(nullptr);
    EXPECT_EQ(MessageBoxes(), (std::vector<std::string>{Box("最少要存入50"), Box("最少要存入50"),
                                                        Box("账户数量最少要剩余100")}));
    EXPECT_EQ(dialog.ModalResult(), 0);
    EXPECT_TRUE(dialog.Request().empty());

    dialog.EditSaveAmount->SetText("900");
    dialog.ButtonSaveClick(nullptr);
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_EQ(dialog.ModalResult(), TCofferDialog::kResultOk);
    const std::vector<std::uint8_t>& request = dialog.Request();
    ASSERT_EQ(request.size(), 61u);
    EXPECT_EQ(request[0], 1);
    EXPECT_EQ(request[1], 1);
    EXPECT_EQ(request[2], 0x84); // 900 = 0x0384, little-endian
    EXPECT_EQ(request[3], 0x03);
    EXPECT_EQ(std::vector<std::uint8_t>(request.begin() + 4, request.begin() + 10),
              std::vector<std::uint8_t>(6, 0));
    EXPECT_EQ(request[10], 17);
    EXPECT_EQ(std::string(request.begin() + 11, request.begin() + 28), "00-16-3E-4D-56-01");
    EXPECT_EQ(std::vector<std::uint8_t>(request.begin() + 28, request.end()),
              std::vector<std::uint8_t>(33, 0));
}

TEST_F(CofferDialogTest, PastedTextThatIsNoPlainNumberCountsAsNoAmount) {
    TFormCofferSaveMoney dialog(nullptr);
    dialog.Prepare(Reply(0, -1000, 1000, 0));
    for (const char* text : {"-5", "1e3", " 7", "12a"}) {
        dialog.EditSaveAmount->SetText(text);
        EXPECT_EQ(CofferAmount(dialog.EditSaveAmount->Text()), 0) << text;
    }
    EXPECT_EQ(CofferAmount("0000000042"), 42);
}

TEST_F(CofferDialogTest, WithdrawalChecksMinimumCofferAndAnswerInThatOrder) {
    TFormCofferDrawMoney dialog(nullptr);
    dialog.SetMachineIdSource([] { return std::string("AA-BB-CC-DD-EE-FF"); });
    dialog.Prepare(Reply(10, 0, 50, 500, "我的小学?"));
    EXPECT_EQ(dialog.LabelQuestion->Caption(), "我的小学?");

    dialog.ButtonDrawClick(nullptr); // no amount and no answer: the amount is refused first
    dialog.EditDrawAmount->SetText("501");
    dialog.ButtonDrawClick(nullptr);
    dialog.EditDrawAmount->SetText("500");
    dialog.ButtonDrawClick(nullptr);
    EXPECT_EQ(MessageBoxes(),
              (std::vector<std::string>{Box("最少要取出10"), Box("取出数量不能大于保险箱中的数量"),
                                        Box("请输入密保答案")}));
    EXPECT_TRUE(dialog.Request().empty());

    // A forty-byte answer goes out cut to its 32-byte field.
    dialog.EditAnswer->SetText(std::string(40, 'a'));
    EXPECT_EQ(dialog.EditAnswer->Text().size(), 40u);
    dialog.ButtonDrawClick(nullptr);
    EXPECT_EQ(dialog.ModalResult(), TCofferDialog::kResultOk);
    const std::vector<std::uint8_t>& request = dialog.Request();
    ASSERT_EQ(request.size(), 61u);
    EXPECT_EQ(request[1], 0);
    EXPECT_EQ(request[2], 0xF4); // 500
    EXPECT_EQ(request[3], 0x01);
    EXPECT_EQ(std::string(request.begin() + 11, request.begin() + 28), "AA-BB-CC-DD-EE-FF");
    EXPECT_EQ(request[28], 32);
    EXPECT_EQ(std::string(request.begin() + 29, request.end()), std::string(32, 'a'));

    // Preparing again forgets the request and the typed fields.
    dialog.Prepare(Reply(10, 0, 50, 500));
    EXPECT_TRUE(dialog.Request().empty());
    EXPECT_EQ(dialog.EditAnswer->Text(), "");
    EXPECT_EQ(dialog.EditDrawAmount->Text(), "");
}

TEST_F(CofferDialogTest, AmountEditsTakeOnlyDigitsUpToTen) {
    TFormCofferSaveMoney dialog(nullptr);
    dialog.Prepare(Reply(1, 0, 100000, 0));
    dialog.Show();
    platform.RunUntilIdle();
    platform.Type("12a3b.中-4");
    platform.RunUntilIdle();
    EXPECT_EQ(dialog.EditSaveAmount->Text(), "1234");
    // Backspace arrives as a control character, which the filter lets through.
    platform.Type("\b");
    platform.RunUntilIdle();
    EXPECT_EQ(dialog.EditSaveAmount->Text(), "123");
    platform.Type("4567890123");
    platform.RunUntilIdle();
    EXPECT_EQ(dialog.EditSaveAmount->Text(), "1234567890");
}

TEST_F(CofferDialogTest, TheModalRunEndsWithOkOnlyForValidInput) {
    TFormCofferSaveMoney dialog(nullptr);
    dialog.Prepare(Reply(100, 0, 1000, 0));
    int step = 0;
    app.OnModalIdle = [&] {
        switch (step++) {
        case 0:
            platform.Type("5");
            return true;
        case 1:
            dialog.ButtonSave->Click();
            return true; // refused: the dialog stays
        case 2:
            platform.Type("00");
            return true;
        case 3:
            dialog.ButtonSave->Click();
            return true;
        default:
            return false;
        }
    };
    EXPECT_EQ(dialog.ShowModal(), TCofferDialog::kResultOk);
    EXPECT_EQ(MessageBoxes(), std::vector<std::string>{Box("最少要存入100")});
    EXPECT_EQ(dialog.Request().size(), 61u);
    app.OnModalIdle = nullptr;
}

TEST_F(CofferDialogTest, CancelOrClosingLeavesNoRequest) {
    TFormCofferDrawMoney dialog(nullptr);
    dialog.Prepare(Reply(1, 0, 0, 100));
    app.OnModalIdle = [&] {
        dialog.ButtonCancel->Click();
        return true;
    };
    EXPECT_EQ(dialog.ShowModal(), TCofferDialog::kResultCancel);
    EXPECT_TRUE(dialog.Request().empty());

    dialog.Prepare(Reply(1, 0, 0, 100));
    app.OnModalIdle = [&] {
        dialog.Close();
        return true;
    };
    EXPECT_EQ(dialog.ShowModal(), TCofferDialog::kResultCancel);
    EXPECT_TRUE(dialog.Request().empty());
    app.OnModalIdle = nullptr;
}

// The keyboard answers for the buttons: Enter in the amount edit is the OK button (with its checks), Escape
// the cancel button.
TEST_F(CofferDialogTest, EnterConfirmsAndEscapeCancels) {
    TFormCofferSaveMoney save(nullptr);
    save.SetMachineIdSource([] { return std::string("00-16-3E-4D-56-01"); });
    save.Prepare(Reply(100, 0, 1000, 0));
    int step = 0;
    app.OnModalIdle = [&] {
        switch (step++) {
        case 0:
            platform.Type("50");
            platform.PressKey(VK_RETURN); // below the minimum: refused, the dialog stays
            return true;
        case 1:
            platform.Type("0");
            platform.PressKey(VK_RETURN);
            return true;
        default:
            return false;
        }
    };
    EXPECT_EQ(save.ShowModal(), TCofferDialog::kResultOk);
    EXPECT_EQ(MessageBoxes(), std::vector<std::string>{Box("最少要存入100")});
    ASSERT_EQ(save.Request().size(), 61u);
    EXPECT_EQ(save.Request()[1], 1);    // a deposit
    EXPECT_EQ(save.Request()[2], 0xF4); // of 500
    EXPECT_EQ(save.Request()[3], 0x01);

    TFormCofferDrawMoney draw(nullptr);
    draw.Prepare(Reply(1, 0, 0, 100));
    step = 0;
    app.OnModalIdle = [&] {
        if (step++ > 0) return false;
        platform.Type("50");
        platform.PressKey(VK_ESCAPE);
        return true;
    };
    EXPECT_EQ(draw.ShowModal(), TCofferDialog::kResultCancel);
    EXPECT_TRUE(draw.Request().empty());
    EXPECT_TRUE(MessageBoxes().empty());
    app.OnModalIdle = nullptr;
}

TEST_F(CofferDialogTest, TheMachineIdIsThePlatformsAdapterAddress) {
    platform.SetAdapterAddress({0x00, 0x1A, 0x2b, 0xC3, 0x04, 0xFF});
    EXPECT_EQ(PlatformMachineId(), "00-1A-2B-C3-04-FF");
    TFormCofferSaveMoney dialog(nullptr);
    dialog.Prepare(Reply(0, 0, 10, 0));
    dialog.EditSaveAmount->SetText("10");
    dialog.ButtonSaveClick(nullptr);
    ASSERT_EQ(dialog.Request().size(), 61u);
    EXPECT_EQ(std::string(dialog.Request().begin() + 11, dialog.Request().begin() + 28), "00-1A-2B-C3-04-FF");
}

// Both dialogs as the player meets them, with something typed; the screenshots are left for a look.
TEST_F(CofferDialogTest, ScreenshotsOfBothDialogs) {
    TFormCofferSaveMoney save(nullptr);
    save.Prepare(Reply(100, 1000, 3456789, 120000));
    save.Show();
    platform.Type("50000");
    platform.RunUntilIdle();
    test::SaveScreenshot(platform, save.WindowId(), "coffer-save.png");
    const TBitmap* saveShot = platform.Screenshot(save.WindowId());
    ASSERT_NE(saveShot, nullptr);
    EXPECT_EQ(saveShot->Width(), 273);
    EXPECT_EQ(saveShot->Height(), 197);
    save.Hide();

    TFormCofferDrawMoney draw(nullptr);
    draw.Prepare(Reply(100, 0, 3456789, 120000, "我最喜欢的颜色是什么?"));
    draw.Show();
    platform.Type("20000");
    platform.RunUntilIdle();
    test::SaveScreenshot(platform, draw.WindowId(), "coffer-draw.png");
    const TBitmap* drawShot = platform.Screenshot(draw.WindowId());
    ASSERT_NE(drawShot, nullptr);
    EXPECT_EQ(drawShot->Width(), 287);
    EXPECT_EQ(drawShot->Height(), 268);
}

} // namespace
} // namespace morvane
