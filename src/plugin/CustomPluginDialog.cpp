#include "plugin/CustomPluginDialog.h"

#include "gui/Form.h"

namespace morvane {

TCustomPluginDialog::TCustomPluginDialog(TComponent* owner)
    : TLovelyPanel(owner), okCaption_("确定"), cancelCaption_("取消") {
    Hide();
}

int TCustomPluginDialog::Execute() {
    TForm* form = ParentForm();
    if (!form) return mrAccepted;
    if (!form->Showing()) form->Show();
    TWinControl* hadFocus = form->ActiveControl();
    const TControlHandle focusHandle = hadFocus ? hadFocus->Handle() : 0;
    const TControlHandle self = Handle();
    int result = ShowModal();
    // The run may have ended because this dialog or the control that had the focus went away.
    if (!Application().FindControl(self)) return result;
    message_.clear();
    if (focusHandle != 0 && Application().FindControl(focusHandle) == hadFocus && hadFocus->Showing() &&
        hadFocus->CanFocus())
        hadFocus->SetFocus();
    return result;
}

void TCustomPluginDialog::SetLines(const std::vector<std::string>* lines) {
    if (lines)
        lines_ = *lines;
    else
        lines_.clear();
}

void TCustomPluginDialog::DoFinalize() {
    if (Running()) SetModalResult(mrClosed);
}

void TCustomPluginDialog::KeyDown(TKey& key, TShiftState shift) {
    if (key == VK_RETURN) {
        SetModalResult(mrAccepted);
        key = 0;
    } else if (key == VK_ESCAPE) {
        SetModalResult(mrCancelled);
        key = 0;
    }
    TLovelyPanel::KeyDown(key, shift);
}

void TCustomPluginDialog::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS;
        return;
    }
    TLovelyPanel::WndProc(message);
}

} // namespace morvane
