// The hub's answer to closing the table: whether it may close now, and the dialogs that ask the player.
#include "plugin/CustomPluginDialog.h"
#include "plugin/CustomPluginShare.h"

namespace morvane {

void TCustomPluginShare::CloseQuery(TControl* /*sender*/, bool& canClose) {
    canClose = false;
    if (!dialog_ || !client_) {
        Finalize();
        return;
    }
    if (closeQuerying_ || dialog_->Running()) return;
    std::string message = "您确定真的要退出游戏吗？";
    const std::string warn = "\r\n将会扣除您的" + ScoreName() + "或" + BeanName() + "! ";
    bool quit = true;
    const TPluginTableSettings& settings = client_->Settings();
    if (seated_ && !client_->CanQuitFreely() &&
        (settings.MatchMode != 0 || settings.PenaltySwitchA != 0 || settings.PenaltySwitchB != 0)) {
        if (settings.MatchMode != 0) {
            message = "正在比赛中，您确定要退出比赛吗？";
            quit = false;
        } else if (playing_ && settings.FreeLeave == 0) {
            message = "正在游戏中,如果您现在退出," + warn;
            quit = false;
        } else if (client_->CanLeaveSeat(myId_)) {
            quit = client_->QueryQuit(message);
        } else {
            message = "您已经玩" + std::to_string(client_->RoundsPlayed(myId_)) + "局,未玩满" +
                      std::to_string(client_->RequiredRounds()) + "局,退出" + warn;
            quit = false;
        }
    }
    if (quit) {
        Finalize();
        return;
    }
    closeQuerying_ = true;
    bool confirmed = false;
    try {
        confirmed = ConfirmWithDialog("警告", message, "退出", "不退出", 30);
    } catch (...) {
        closeQuerying_ = false;
        throw;
    }
    closeQuerying_ = false;
    if (confirmed) Finalize();
}

bool TCustomPluginShare::ConfirmWithDialog(const std::string& caption, const std::string& message,
                                           const std::string& ok, const std::string& cancel, int lifeCount) {
    dialog_->SetCaption(caption);
    dialog_->SetButtons(1);
    dialog_->SetMessage(message);
    dialog_->SetOkCaption(ok);
    dialog_->SetCancelCaption(cancel);
    dialog_->SetLifeCount(lifeCount);
    return TCustomPluginDialog::Confirmed(dialog_->Execute());
}

void TCustomPluginShare::ShowDialogNote(const std::string& text) {
    if (!dialog_ || dialog_->Running()) return;
    try {
        dialog_->SetButtons(0);
        dialog_->SetCaption("提示");
        dialog_->SetMessage(text);
        dialog_->SetOkCaption("确定");
        dialog_->SetLifeCount(3);
        dialog_->Execute();
    } catch (const std::exception&) {
        // The note is a courtesy; the frame that carried it is handled either way.
    }
}

} // namespace morvane
