#pragma once

#include "base/Bytes.h"
#include "base/IniFile.h"
#include "gui/Component.h"
#include "platform/WindowScale.h"
#include "plugin/ChatLineKinds.h"
#include "plugin/ComCompat.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/HostError.h"
#include "plugin/HostProtocol.h"
#include "plugin/HostRef.h"
#include "plugin/LevelNode.h"
#include "plugin/PluginRecords.h"
#include "plugin/QXOpenInterface_TLB.h"
#include "plugin/UserMenuItems.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The hub's work is spread over files named for their part:
//   CustomPluginShare.cpp ... slots, host interface, start-up and finalisation
//   HubFrameDecoder.cpp ..... host frames to typed handler calls
//   HubFrameHandlers.cpp .... what the handlers do with the components
//   HubRoster.cpp ........... users present and departed, ignore table, names, levels
//   HubScoreNotes.cpp ....... score blocks and the lines they show
//   HubDuplicateGuard.cpp ... the one-table-per-seat marker and the game's folders
//   HubFrameEncoder.cpp ..... requests as frames to the host
//   HubSoundPlayer.cpp ...... sounds through MCI
//   HubChat.cpp ............. shown lines, chat and broadcast sending
//   HubCloseQuery.cpp ....... whether the table may close, and its dialogs
//   HubUserMenu.cpp ......... the user menu

namespace morvane {

class TControl;
class TForm;
class TImageList;
class TMenuItem;
class TPopupMenu;
class TCustomPluginUser;
class TCustomPluginChat;
class TCustomPluginScore;
class TCustomPluginAction;
class TCustomPluginDialog;
class TCustomPluginOption;
class TCustomPluginEvents;
class TCustomPluginAdvice;
class TCustomPluginTip;
class TLovelyMenu;

// The hub of a table: it holds the host's interface and the table cookie, keeps the users present,
// decodes every host frame and calls the plugged components, and turns the components' requests into
// frames for the host. It sits on the table's form and is owned by it.
class TCustomPluginShare : public TComponent {
public:
    using TNotifyEvent = std::function<void(TCustomPluginShare* sender)>;
    using TChatTextEvent =
        std::function<void(TCustomPluginShare* sender, std::int64_t fromId, const std::string&)>;
    using TCommandEvent = std::function<void(TCustomPluginShare* sender, int len, const std::uint8_t* data)>;
    using TPluginUserEvent = std::function<void(TCustomPluginShare* sender, const STRU_PLUGIN_USERINFO&)>;

    // Departed users are kept for the score lines of a round that names them after they went. A score
    // block names at most 200 players and the table holds at most 200 at once, so the latest thousand
    // departures cover every round even where the room turns over several times in it; older ones go, so
    // that a long session of comings and goings does not grow the table without end.
    static constexpr std::size_t kMaxDepartedUsers = 1000;

    explicit TCustomPluginShare(TComponent* owner);
    ~TCustomPluginShare() override;

    // [Slots] The setters store the component, watch it and point it back at this hub.
    TCustomPluginUser* PluginUser() const { return user_; }
    TCustomPluginChat* PluginChat() const { return chat_; }
    TCustomPluginClient* PluginClient() const { return client_; }
    TCustomPluginScore* PluginScore() const { return score_; }
    TCustomPluginAction* PluginAction() const { return action_; }
    TCustomPluginDialog* PluginDialog() const { return dialog_; }
    TCustomPluginOption* PluginOption() const { return option_; }
    TCustomPluginEvents* PluginEvents() const { return events_; }
    TCustomPluginAdvice* PluginAdvice() const { return advice_; }
    TCustomPluginTip* PluginTip() const { return tip_; }
    virtual void SetPluginUser(TCustomPluginUser* value);
    virtual void SetPluginChat(TCustomPluginChat* value);
    virtual void SetPluginClient(TCustomPluginClient* value);
    virtual void SetPluginScore(TCustomPluginScore* value);
    virtual void SetPluginAction(TCustomPluginAction* value);
    virtual void SetPluginDialog(TCustomPluginDialog* value);
    virtual void SetPluginOption(TCustomPluginOption* value);
    virtual void SetPluginEvents(TCustomPluginEvents* value);
    virtual void SetPluginAdvice(TCustomPluginAdvice* value);
    virtual void SetPluginTip(TCustomPluginTip* value);
    // The skin the user menu is drawn with; it gets the menu before each popup.
    TLovelyMenu* LovelyMenu() const { return lovelyMenu_; }
    void SetLovelyMenu(TLovelyMenu* value);

    virtual void SetHostInterface(IQXOpenInterfaceReq* request);
    virtual void CloseQuery(TControl* sender, bool& canClose);

    // [Frame handlers] in the order the frames are listed.
    virtual void DoSeatSignal0(int seat, std::int64_t userId);
    virtual void DoSeatSignal1(int seat, std::int64_t userId);
    virtual void DoSeatData(int seat, TBytes data, std::int64_t userId);
    virtual void DoTableData(TBytes data, std::int64_t fromId);
    virtual void DoGameData(TBytes data);
    virtual void DoUserReady(std::int64_t userId, std::uint8_t ready);
    virtual void DoOwnAttribute(std::int64_t userId, std::uint8_t value);
    virtual void DoGameStart();
    virtual void DoGameOver();
    virtual void DoTextLine(const std::string& text);
    virtual void DoNumberedText(const std::string& text);
    virtual void DoNoticeText(const std::string& text);
    virtual void DoRawNotice(TBytes frame);
    virtual void DoUserState(std::int64_t userId, std::uint8_t state);
    virtual void DoUserList(int count, const TPluginUserSlots& users);
    virtual void DoUserEnter(const STRU_PLUGIN_USERINFO& user);
    virtual void DoUserLeave(std::int64_t userId);
    virtual void DoSeatChange(std::int64_t userId, std::uint8_t seat, bool seated, std::uint8_t changed);
    virtual void DoScoreBlock(std::uint8_t flag, int count, const TPluginScoreBlock& block);
    virtual void AddEvent(const std::string& text);
    virtual void ShowText(const std::string& text, std::int64_t fromId);
    virtual void DoCofferReply(TBytes reply);
    virtual void DoUserValue(int value, std::int64_t userId);
    virtual void PlayerSeated(const STRU_PLUGIN_USERINFO& user);
    virtual void PlayerUnseated(std::uint8_t seat, std::int64_t userId);
    virtual void DoChatText(const std::string& text, std::int64_t fromId);
    virtual void DoBroadcastText(const std::string& text, std::int64_t fromId);

    // [Lifecycle]
    virtual void Initialize(const std::string& title, const std::string& nickName, std::int64_t cookie,
                            std::int64_t commandWindow, std::int64_t myId, std::uint16_t extra);
    virtual void Finalize();
    virtual void PostCommand(int len, const std::uint8_t* data);

    // [Requests]
    virtual void RequestSeat(std::uint8_t seat, bool sit);
    virtual void SendStart();
    virtual void SendTableData(TBytes data, std::int64_t toId);
    virtual void SendSeatData(TBytes data);
    virtual void SendChat(const std::string& text);
    virtual void SendCofferRequest(const TCofferRequest& request);
    virtual void SendAskToLeave(std::int64_t target);
    virtual void SendBecomeVip();
    virtual void SendVisitSpace(std::int64_t target);
    virtual void SetUserAttribute(std::uint8_t value, std::int64_t target);
    virtual void ShowNote(bool flash, const std::string& text);
    virtual void ShowActionPanel();
    virtual void ShowOptionPanel();
    virtual void ActivateClient();
    virtual void ShowAdvicePanel();
    virtual void AddChatText(const std::string& text, int kind);
    virtual void PlaySound(const std::string& fileName);
    virtual void ShowUserMenu(std::int64_t userId);
    virtual void LoadOptions();
    virtual void SaveOptionsNotify();

    // [Non-virtual operations]
    // Decodes the pending frame; the form's handler of WM_PLUGIN_COMMAND calls it.
    void ProcessCommand();
    // Decodes one frame directly (what ProcessCommand does with the pending one).
    void ProcessFrame(TBytes frame);
    // 0 = sent, 1 = refused (the reason is shown as a line).
    int SendBroadcast(const std::string& text);
    void Invite();
    void SendReady();
    // Asks the host for the user list again ([7][MyID]); the client does so after new table settings.
    void RequestUserList();
    STRU_PLUGIN_USERINFO* FindUser(std::int64_t userId) const;
    STRU_PLUGIN_USERINFO* FindDepartedUser(std::int64_t userId) const;
    std::string DisplayName(std::int64_t userId) const;
    std::string LevelName(std::int64_t score, std::int64_t beans) const;
    std::string ScoreName() const;
    std::string BeanName() const;
    std::string MoneyName() const;
    bool HideNames() const;
    void ShowDialogNote(const std::string& text);
    static std::string CofferText(TBytes reply);

    // [State]
    IQXOpenInterfaceReq* HostIntf() const { return host_.Get(); }
    std::int64_t Cookie() const { return cookie_; }
    std::int64_t MyID() const { return myId_; }
    std::uint8_t MySeat() const { return mySeat_; }
    bool Seated() const { return seated_; }
    std::uint8_t MyState() const { return myState_; }
    std::uint8_t MyAttribute() const { return myAttribute_; }
    const std::string& Title() const { return title_; }
    const std::string& NickName() const { return nickName_; }
    std::uint16_t Extra() const { return extra_; }
    bool Finalized() const { return finalized_; }
    bool Playing() const { return playing_; }
    void SetPlaying(bool playing) { playing_ = playing; }
    bool Duplicate() const { return duplicate_; }
    bool HaveSound() const { return haveSound_; }
    // The option as the settings panel changes it.
    void SetHaveSound(bool value) { haveSound_ = value; }
    bool NeedShout() const { return needShout_; }
    // How much larger the table's windows are shown: 0 as the screen asks, else a fixed whole factor.
    int Scale() const { return scale_; }
    bool SoundOn() const { return soundOn_; }
    void SetSoundOn(bool value) { soundOn_ = value; }
    bool ShowStartStop() const { return showStartStop_; }
    void SetShowStartStop(bool value) { showStartStop_ = value; }
    bool UserMenuOn() const { return userMenuOn_; }
    void SetUserMenuOn(bool value) { userMenuOn_ = value; }
    bool CloseQuerying() const { return closeQuerying_; }
    const std::vector<std::unique_ptr<STRU_PLUGIN_USERINFO>>& Users() const { return users_; }
    // Users who left, oldest departure first: at most kMaxDepartedUsers of them.
    const std::deque<std::unique_ptr<STRU_PLUGIN_USERINFO>>& DepartedUsers() const { return departed_; }
    const STRU_PLUGIN_USERINFO* MyRecord() const { return myRecord_; }
    bool IsIgnored(std::int64_t userId) const;
    void SetIgnored(std::int64_t userId, bool ignored);
    std::int64_t SelectedID() const { return selectedId_; }
    const std::vector<TLevelNode>& Levels() const { return levels_; }
    bool LevelRelateScore() const { return levelRelateScore_; }
    TIniFile* IniFile() const { return iniFile_.get(); }
    const std::string& GameID() const { return gameId_; }
    const std::string& LibDir() const { return libDir_; }
    const std::string& HostDir() const { return hostDir_; }
    const std::string& FaceSmallDir() const { return faceSmallDir_; }
    const std::string& FaceBigDir() const { return faceBigDir_; }
    const std::string& ImageDir() const { return imageDir_; }
    const std::string& SoundDir() const { return soundDir_; }
    const std::string& IconName() const { return iconName_; }
    TImageList* FaceImages() const { return faceImages_; }
    TPopupMenu* UserMenu() const { return userMenu_; }
    // The machine-wide marker of this table ("{GameID}-cookie in hexadecimal").
    std::string MarkerName() const;

    // [Events]
    TNotifyEvent OnInitialize;
    TNotifyEvent OnFinialize;
    TNotifyEvent OnSetInterface;
    TNotifyEvent OnUserList;
    TChatTextEvent OnChatText;
    TCommandEvent OnPrepCommand;
    TPluginUserEvent OnAddUser;
    TPluginUserEvent OnDeleteUser;
    // The form's score-changed callback, after every processed score block.
    std::function<void()> OnScoreChanged;
    // Every sound that passes the sound switches, by file name, before it is played.
    std::function<void(const std::string& fileName)> OnSoundPlayed;

protected:
    void Notification(TComponent* component, bool removing) override;

private:
    template <typename T>
    void PlugComponent(T*& slot, T* value);
    void ClearSlot(TComponent* component);
    void SendFrame(std::int64_t toId, const std::vector<std::uint8_t>& frame);
    std::vector<std::uint8_t> TableFrame(std::uint8_t cmd, TBytes payload = {}) const;
    // Each leave frame is sent even when the one before it failed.
    void SendLeaveFrames(TFirstFailure& failure);
    void EndTableActivity();
    void ProcessTableFrame(TBytes frame);
    void HandleUserList(TBytes frame);
    void HandleScoreBlock(TBytes frame);
    void AddPresentUser(const STRU_PLUGIN_USERINFO& user);
    void EvictSeatHolder(const STRU_PLUGIN_USERINFO& newcomer);
    void KeepDeparted(std::unique_ptr<STRU_PLUGIN_USERINFO> record);
    void TakeOwnFields(STRU_PLUGIN_USERINFO* record);
    std::string NameForNote(const STRU_PLUGIN_USERINFO& user) const;
    void AppendScoreLine(std::string& notes, std::int64_t userId, const std::string& name, int seat,
                         std::int64_t delta) const;
    void LoadLevels();
    // The host's, the library's and the game's folders, from the host and the platform.
    void ResolveFolders();
    // The table's window icon from the game's image folder, when the skin has one.
    void LoadTableIcon();
    void RunDuplicateGuard();
    void CheckMarker();
    void ReleaseMarker();
    bool ConfirmWithDialog(const std::string& caption, const std::string& message, const std::string& ok,
                           const std::string& cancel, int lifeCount);
    void BuildUserMenu();
    std::string ExpandAction(const std::string& text, std::string* suffix) const;
    bool FilterThroughHost(std::string& text);
    template <typename F>
    void ForEachLifecycle(F&& call);

    TCustomPluginUser* user_{nullptr};
    TCustomPluginChat* chat_{nullptr};
    TCustomPluginClient* client_{nullptr};
    TCustomPluginScore* score_{nullptr};
    TCustomPluginAction* action_{nullptr};
    TCustomPluginDialog* dialog_{nullptr};
    TCustomPluginOption* option_{nullptr};
    TCustomPluginEvents* events_{nullptr};
    TCustomPluginAdvice* advice_{nullptr};
    TCustomPluginTip* tip_{nullptr};

    TLovelyMenu* lovelyMenu_{nullptr};
    TForm* ownerForm_{nullptr};
    THostRef host_;
    std::array<std::uint8_t, 8> hostTag_{};
    std::int64_t cookie_{0};
    std::int64_t myId_{0};
    std::uint8_t mySeat_{0};
    bool seated_{false};
    std::uint8_t myState_{0};
    std::uint8_t myAttribute_{0};
    std::string title_;
    std::string nickName_;
    std::uint16_t extra_{0};
    std::int64_t commandWindow_{0};
    TBytes pending_;
    bool finalized_{false};
    // Set once the leave frames are out: a closed table sends nothing more.
    bool requestsClosed_{false};
    bool playing_{false};
    bool duplicate_{false};
    bool haveSound_{true};
    bool needShout_{true};
    int scale_{kScaleFollowsScreen};
    bool soundOn_{true};
    bool showStartStop_{true};
    bool userMenuOn_{true};
    bool closeQuerying_{false};
    // In the order they came; looked up by identity through the indexes, which a crowd needs.
    std::vector<std::unique_ptr<STRU_PLUGIN_USERINFO>> users_;
    std::deque<std::unique_ptr<STRU_PLUGIN_USERINFO>> departed_;
    std::unordered_map<std::int64_t, STRU_PLUGIN_USERINFO*> userIndex_;
    std::unordered_map<std::int64_t, STRU_PLUGIN_USERINFO*> departedIndex_;
    STRU_PLUGIN_USERINFO* myRecord_{nullptr};
    std::array<std::int64_t, kMaxTableUsers> ignoreTable_{};
    std::int64_t selectedId_{0};
    std::vector<TLevelNode> levels_;
    bool levelRelateScore_{true};
    std::unique_ptr<TIniFile> iniFile_;
    std::string gameId_;
    std::string libDir_, hostDir_, faceSmallDir_, faceBigDir_, imageDir_, soundDir_;
    std::string iconName_;
    TImageList* faceImages_{nullptr};
    std::uint32_t lastBroadcastTick_{0};
    std::string lastBroadcast_;
    std::string marker_; // the marker this hub holds, empty when none
    TPopupMenu* userMenu_{nullptr};
};

} // namespace morvane
