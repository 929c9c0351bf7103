#include "plugin/CustomPluginShare.h"

#include "base/FileVersionInfomation.h"
#include "base/Paths.h"
#include "gui/Application.h"
#include "gui/BmpFile.h"
#include "gui/Form.h"
#include "gui/PopupMenu.h"
#include "plugin/CustomPluginAction.h"
#include "plugin/CustomPluginAdvice.h"
#include "plugin/CustomPluginChat.h"
#include "plugin/CustomPluginDialog.h"
#include "plugin/CustomPluginEvents.h"
#include "plugin/CustomPluginOption.h"
#include "plugin/CustomPluginScore.h"
#include "plugin/CustomPluginTip.h"
#include "plugin/CustomPluginUser.h"
#include "plugin/GameClientRegistry.h"
#include "plugin/PluginPlatform.h"
#include "ui/LovelyMenu.h"
#include "ui/PluginBitmap.h"

#include <array>

namespace morvane {

TCustomPluginShare::TCustomPluginShare(TComponent* owner) : TComponent(owner) {
    BuildUserMenu();
    ownerForm_ = dynamic_cast<TForm*>(owner);
    if (ownerForm_)
        ownerForm_->OnCloseQuery = [this](TControl* sender, bool& canClose) { CloseQuery(sender, canClose); };
    if (!Designing()) {
        gameId_ = LibraryGameId();
        iconName_ = LibraryVersion().InternalName;
    }
}

TCustomPluginShare::~TCustomPluginShare() {
    ReleaseMarker();
    if (ownerForm_ && !ownerForm_->Destroying()) ownerForm_->OnCloseQuery = nullptr;
    for (TPluginShareLink* link : std::initializer_list<TPluginShareLink*>{
             user_, chat_, client_, score_, action_, dialog_, option_, events_, advice_, tip_})
        if (link) link->SetShare(nullptr);
}

template <typename T>
void TCustomPluginShare::PlugComponent(T*& slot, T* value) {
    if (slot == value) return;
    if (slot) {
        slot->SetShare(nullptr);
        RemoveFreeNotification(slot);
    }
    slot = value;
    if (value) {
        FreeNotification(value);
        value->SetShare(this);
    }
}

void TCustomPluginShare::SetPluginUser(TCustomPluginUser* value) {
    PlugComponent(user_, value);
}

void TCustomPluginShare::SetPluginChat(TCustomPluginChat* value) {
    PlugComponent(chat_, value);
}

void TCustomPluginShare::SetPluginClient(TCustomPluginClient* value) {
    PlugComponent(client_, value);
}

void TCustomPluginShare::SetPluginScore(TCustomPluginScore* value) {
    PlugComponent(score_, value);
}

void TCustomPluginShare::SetPluginAction(TCustomPluginAction* value) {
    PlugComponent(action_, value);
}

void TCustomPluginShare::SetPluginDialog(TCustomPluginDialog* value) {
    PlugComponent(dialog_, value);
}

void TCustomPluginShare::SetPluginOption(TCustomPluginOption* value) {
    PlugComponent(option_, value);
}

void TCustomPluginShare::SetPluginEvents(TCustomPluginEvents* value) {
    PlugComponent(events_, value);
}

void TCustomPluginShare::SetPluginAdvice(TCustomPluginAdvice* value) {
    PlugComponent(advice_, value);
}

void TCustomPluginShare::SetPluginTip(TCustomPluginTip* value) {
    PlugComponent(tip_, value);
}

void TCustomPluginShare::SetLovelyMenu(TLovelyMenu* value) {
    if (lovelyMenu_ == value) return;
    if (lovelyMenu_) RemoveFreeNotification(lovelyMenu_);
    lovelyMenu_ = value;
    if (lovelyMenu_) FreeNotification(lovelyMenu_);
}

void TCustomPluginShare::Notification(TComponent* component, bool removing) {
    TComponent::Notification(component, removing);
    if (removing) ClearSlot(component);
}

void TCustomPluginShare::ClearSlot(TComponent* component) {
    // Every slot forgets a component that goes away, so no request reaches freed memory.
    if (component == user_) user_ = nullptr;
    if (component == chat_) chat_ = nullptr;
    if (component == client_) client_ = nullptr;
    if (component == score_) score_ = nullptr;
    if (component == action_) action_ = nullptr;
    if (component == dialog_) dialog_ = nullptr;
    if (component == option_) option_ = nullptr;
    if (component == events_) events_ = nullptr;
    if (component == advice_) advice_ = nullptr;
    if (component == tip_) tip_ = nullptr;
    if (component == lovelyMenu_) lovelyMenu_ = nullptr;
}

void TCustomPluginShare::SetHostInterface(IQXOpenInterfaceReq* request) {
    host_.Reset(request);
    if (OnSetInterface) OnSetInterface(this);
    if (host_) CheckHost("GetHostTag", host_->GetHostTag(hostTag_.data()));
}

template <typename F>
void TCustomPluginShare::ForEachLifecycle(F&& call) {
    if (user_) call(user_);
    if (chat_) call(chat_);
    if (client_) call(client_);
    if (score_) call(score_);
    if (action_) call(action_);
    if (dialog_) call(dialog_);
    if (option_) call(option_);
}

void TCustomPluginShare::Initialize(const std::string& title, const std::string& nickName,
                                    std::int64_t cookie, std::int64_t commandWindow, std::int64_t myId,
                                    std::uint16_t extra) {
    lastBroadcastTick_ = HasApplication() ? Application().System().TickCount() : 0;
    cookie_ = cookie;
    commandWindow_ = commandWindow;
    title_ = title;
    nickName_ = nickName;
    extra_ = extra;
    myId_ = myId;
    finalized_ = false;
    seated_ = false;
    mySeat_ = 0;

    ResolveFolders();
    if (host_) {
        TImageList* faces = nullptr;
        CheckHost("GetFaceImageList", host_->GetFaceImageList(cookie_, &faces));
        faceImages_ = faces;
    }
    iniFile_ = std::make_unique<TIniFile>(libDir_ + "\\" + gameId_ + ".ini");
    LoadOptions();
    LoadTableIcon();
    LoadLevels();

    ForEachLifecycle([](auto* component) { component->DoInitialize(); });
    if (OnInitialize) OnInitialize(this);
    RunDuplicateGuard();
}

void TCustomPluginShare::LoadTableIcon() {
    TPlatform* platform = PluginPlatform();
    const std::string path = imageDir_ + iconName_ + ".bmp";
    if (!ownerForm_ || !platform || !platform->FileExists(path)) return;
    TBitmap bitmap;
    std::string error;
    TIconImage icon;
    // A damaged icon file leaves the window with the icon it has.
    if (LoadBmpFile(paths::ToHost(path), bitmap, error) && BitmapToIcon(bitmap, icon, true, 0, 0, clDefault))
        ownerForm_->SetIcon(icon.colour, icon.mask);
}

void TCustomPluginShare::LoadOptions() {
    if (iniFile_) {
        haveSound_ = iniFile_->ReadBool("Option", "HaveSound", true);
        needShout_ = iniFile_->ReadBool("Option", "NeedShout", true);
        // A value the table cannot use follows the screen, as a missing one does.
        scale_ =
            ParseScalePreference(iniFile_->ReadString("Option", "Scale", "")).value_or(kScaleFollowsScreen);
        if (TPlatform* platform = PluginPlatform()) platform->SetScalePreference(scale_);
    }
    ForEachLifecycle([](auto* component) { component->DoOptionsLoaded(); });
}

void TCustomPluginShare::SaveOptionsNotify() {
    ForEachLifecycle([](auto* component) { component->DoOptionsSaved(); });
}

void TCustomPluginShare::Finalize() {
    if (finalized_) return;
    faceImages_ = nullptr;
    // Whatever the host answers on the way, every step runs and the host hears PluginClosed; the first
    // failure is reported once the table has closed.
    TFirstFailure failure;
    failure.Run([this] { PlaySound("Public_Exit.wav"); });
    finalized_ = true;
    SendLeaveFrames(failure);
    requestsClosed_ = true;
    failure.Run([this] { SaveOptionsNotify(); });
    ForEachLifecycle([&failure](auto* component) { failure.Run([component] { component->DoFinalize(); }); });
    failure.Run([this] {
        if (OnFinialize) OnFinialize(this);
    });
    EndTableActivity();
    failure.Run([this] {
        if (host_) CheckHost("PluginClosed", host_->PluginClosed(cookie_));
    });
    failure.Rethrow();
}

void TCustomPluginShare::EndTableActivity() {
    // Timers, modal runs and input of every window of the table end here: nothing acts after the close.
    if (ownerForm_) EndActivityOfTree(*ownerForm_);
    if (client_) EndActivityOfTree(*client_);
}

void TCustomPluginShare::ShowActionPanel() {
    if (action_) action_->ShowPanel();
}

void TCustomPluginShare::ShowOptionPanel() {
    if (option_) option_->ShowPanel();
}

void TCustomPluginShare::ActivateClient() {
    if (client_) client_->DoActivate();
}

void TCustomPluginShare::ShowAdvicePanel() {
    if (advice_) advice_->ShowPanel();
}

void TCustomPluginShare::AddChatText(const std::string& text, int kind) {
    if (chat_) chat_->AddChatText(text, kind);
}

} // namespace morvane
