#pragma once

#include "gui/Bitmap.h"
#include "gui/PngImage.h"
#include "gui/Region.h"
#include "platform/Platform.h"
#include "plugin/PluginCommandForm.h"

#include <array>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

// The table's main window is spread over files named for their part:
//   FormPluginClient.cpp .......... the components, their arrangement, start-up and destruction
//   FormPluginClientLayout.cpp .... the fixed layout, the window shape, centring
//   FormPluginClientActions.cpp ... title strip, links, settings, options, the selected user's card
//   FormPluginClientWindow.cpp .... screenshots, the boss key, the chat key and the notification icon

namespace morvane {

class TCheckBox;
struct STRU_PLUGIN_USERINFO;
class TCustomPanel;
class TImage;
class TImageList;
class TLabel;
class TListItem;
class TLovelyMenu;
class TPictureButton;
class TPluginAction50;
class TPluginAdvice50;
class TPluginChat50;
class TPluginDialog50;
class TPluginEvents50;
class TPluginOption50;
class TPluginScrollbarReplacer;
class TPluginShare50;
class TPluginUser50;
class TTranForm;
class TCustomPluginClient;

// The window of one table: the hub with the hall panels plugged in, the baccarat table on its client
// panel, the skinned frame and title strip, and what the window itself does (title drag, links,
// screenshots, the boss key, the hand-off of host frames to the UI thread).
//
// Ownership follows the window's tree: the form owns every component on it, the game's client and the
// strip the client hands over included, and every control is parented to the form or to a control the
// form owns. The form frees them while it is still whole, last made first, so the order they are made in
// (below) is the order of teardown read upwards:
//   the hub ........................ made first, freed last: the panels and the client are plugged into it
//   pictures and image lists
//   panelClient_ ................... the game's client is parented on it
//   title labels, title buttons, logo (parented on the client once it exists)
//   the user box: card labels, user list, chat
//   the floating panels and the option panel's check boxes; the menu
//   skinFrame_ ..................... the frame's picture under everything; restore and maximise on it
//   the game's client (made by the game's identity), then its title strip, parented on the form
//   the scroll-bar skinner of the user list and the chat
// The hub lets go of whatever is plugged into it as that goes; the pictures the user list and the chat
// draw are members, so they outlive every control.
class TFormPluginClient : public TPluginCommandForm {
public:
    static constexpr const char* kClassName = "TFormPluginClient";
    static constexpr int kHotKeyHide = 123; // Alt+Q, system-wide, hides the table and the hall
    static constexpr const char* kTrayTip = "墨岚游戏";
    static constexpr const char* kHallCaption = "游戏大厅[%lld]";

    explicit TFormPluginClient(TComponent* owner);
    ~TFormPluginClient() override;

    // [Published components]
    TPluginShare50* PluginShare501() const { return pluginShare501_; }
    TPluginUser50* PluginUser501() const { return pluginUser501_; }
    TPluginChat50* PluginChat501() const { return pluginChat501_; }
    TPluginAction50* PluginAction501() const { return pluginAction501_; }
    TPluginEvents50* PluginEvents501() const { return pluginEvents501_; }
    TPluginOption50* PluginOption501() const { return pluginOption501_; }
    TPluginAdvice50* PluginAdvice501() const { return pluginAdvice501_; }
    TPluginDialog50* PluginDialog501() const { return pluginDialog501_; }
    TCustomPanel* PanelClient() const { return panelClient_; }
    TCustomPanel* PanelPluginUserBox() const { return panelPluginUserBox_; }
    TLabel* LabelTitle() const { return labelTitle_; }
    TLabel* LabelTitleName() const { return labelTitleName_; }
    TLabel* LabelTitleName1() const { return labelTitleName1_; }
    TPictureButton* PicButtonSetup() const { return picButtonSetup_; }
    TPictureButton* PicButtonScreen() const { return picButtonScreen_; }
    TPictureButton* PicButtonadvice() const { return picButtonadvice_; }
    TPictureButton* PicButtonMin() const { return picButtonMin_; }
    TPictureButton* PicButtonClose() const { return picButtonClose_; }
    TPictureButton* PicButtonMax() const { return picButtonMax_; }
    TPictureButton* PicButtonRestore() const { return picButtonRestore_; }
    TImage* ImageUserBack() const { return imageUserBack_; }
    TImage* ImagePhoto() const { return imagePhoto_; }
    TImage* ImageLogo() const { return imageLogo_; }
    TLabel* LblNickName() const { return lblNickName_; }
    TLabel* LblSuccess() const { return lblSuccess_; }
    TLabel* LblLevel() const { return lblLevel_; }
    TLabel* LblMoney() const { return lblMoney_; }
    TLabel* LblGamePoint() const { return lblGamePoint_; }
    TCheckBox* CheckBoxHaveSound() const { return checkBoxHaveSound_; }
    TCheckBox* CheckBoxHasBackMusic() const { return checkBoxHasBackMusic_; }
    TTranForm* SkinFrame() const { return skinFrame_; }
    // The client of the game the library was built for; nullptr when no game of its identity is registered.
    TCustomPluginClient* GameClient() const { return gameClient_; }
    TImage* ImageMainFrame() const { return imageMainFrame_; }

    // [Run-time state]
    const std::string& ShotDir() const { return shotDir_; }
    const std::string& BackgroundFile() const { return backgroundFile_; }
    TForeignWindow HallWindow() const { return hallWindow_; }
    bool HiddenByBossKey() const { return bossHidden_; }
    bool ColumnShown(int column) const { return columnShown_.at(std::size_t(column)); }
    int ColumnWidth(int column) const { return columnWidths_.at(std::size_t(column)); }
    // The wall clock the screenshot's file name is taken from.
    std::function<std::time_t()> WallClock{[] { return std::time(nullptr); }};

    // [Published event handlers]
    void FormShow();
    void FormResize();
    void LabelTitleMouseDown();
    void ActionLogoExecute();
    void ActionMainExecute();
    void ActionHelpExecute();
    void ActionAdviceExecute();
    void ActionInviteExecute();
    void ActionConfigExecute();
    void ActionScreenExecute();
    void ActionExitExecute();
    void PicButtonCloseClick();
    void PicButtonMinClick();
    void PluginShare501Initialize();
    void PluginOption501AcceptOption();
    void PluginOption501ConfigOption();
    void PluginUser501SelectChange();
    // The boss key and the press on the notification icon.
    void HotKeyPressed(int id);
    void TrayIconPressed();
    // Ctrl + numpad "+" at the table's window: the chat input is sent.
    void SendChatInput();

    // The shape the window is given: the frame bitmap keyed on magenta, within the frame's inner rectangle.
    TRegion FrameRegion() const;

protected:
    // Sees the keys of the window before its focused control does (the form previews them).
    void KeyDown(TKey& key, TShiftState shift) override;

private:
    // The window's shape, shared by the tables; `hold`, when given, keeps the converted frame it was cut
    // from (when it was cut now) for the next cut from the same frame.
    std::shared_ptr<const TRegion> SharedFrameRegion(std::shared_ptr<const TBitmap>* hold = nullptr) const;

    // [Start-up, in the order of FormCreate]
    void FormCreate();
    void BuildComponents();
    void BuildTitleStrip();
    void BuildUserBox();
    void BuildFloatingPanels();
    void LoadChipCursors();
    void LoadPanelPictures();
    void CreateSkinFrame();
    void CreateGameClient();
    void ApplyFixedLayout();
    void ReparentTitleControls();
    void PlaceCardLabels();
    void RegisterHotKeys();
    void SkinScrollBars();
    void FormDestroy();

    void OpenLink(const char* key);
    bool ReadOption(const char* key, bool fallback) const;
    void WriteOption(const char* key, bool value);
    void ApplyColumns();
    void ShowUserCard(const STRU_PLUGIN_USERINFO& user);
    void HideTable();
    void RestoreTable();
    // Shows the hall again and takes the icon away, when the boss key hid them.
    void ReleaseBossHiding();

    TPluginShare50* pluginShare501_{nullptr};
    TPluginUser50* pluginUser501_{nullptr};
    TPluginChat50* pluginChat501_{nullptr};
    TPluginAction50* pluginAction501_{nullptr};
    TPluginEvents50* pluginEvents501_{nullptr};
    TPluginOption50* pluginOption501_{nullptr};
    TPluginAdvice50* pluginAdvice501_{nullptr};
    TPluginDialog50* pluginDialog501_{nullptr};
    TLovelyMenu* lovelyMenu1_{nullptr};
    TCustomPanel* panelClient_{nullptr};
    TCustomPanel* panelPluginUserBox_{nullptr};
    TLabel* labelTitle_{nullptr};
    TLabel* labelTitleName_{nullptr};
    TLabel* labelTitleName1_{nullptr};
    TPictureButton* picButtonadvice_{nullptr};
    TPictureButton* picButtonSetup_{nullptr};
    TPictureButton* picButtonScreen_{nullptr};
    TPictureButton* picButtonMin_{nullptr};
    TPictureButton* picButtonRestore_{nullptr};
    TPictureButton* picButtonClose_{nullptr};
    TPictureButton* picButtonMax_{nullptr};
    TImage* imageUserBack_{nullptr};
    TImage* imageCombox_{nullptr};
    TImage* imagePhoto_{nullptr};
    TImage* imageLogo_{nullptr};
    TImage* bigRightImage_{nullptr};
    TImage* imageMainFrame_{nullptr};
    TImageList* imageListButtons_{nullptr};
    TImageList* imageListClose_{nullptr};
    TImageList* imageListEmotion_{nullptr};
    TLabel* lblNickName_{nullptr};
    TLabel* lblSuccess_{nullptr};
    TLabel* lblLevel_{nullptr};
    TLabel* lblMoney_{nullptr};
    TLabel* lblGamePoint_{nullptr};
    TCheckBox* checkBoxHaveSound_{nullptr};
    TCheckBox* checkBoxHasBackMusic_{nullptr};

    // The user list and the chat draw these: they outlive every control the form owns.
    std::unique_ptr<TPngImage> userListPng_;
    std::unique_ptr<TPngImage> chatPng_;
    TTranForm* skinFrame_{nullptr};
    // The window's shape, held so that the other tables of the process take it instead of cutting it again.
    std::shared_ptr<const TRegion> frameShape_;
    TCustomPluginClient* gameClient_{nullptr};
    TControl* titleStrip_{nullptr};
    TPluginScrollbarReplacer* scrollBarSkinner_{nullptr};
    std::string shotDir_;
    std::string backgroundFile_;
    TForeignWindow hallWindow_{0};
    bool bossHidden_{false};
    std::array<bool, 6> columnShown_{false, true, true, true, true, false};
    std::array<int, 6> columnWidths_{76, 48, 40, 48, 48, 76};
};

// Makes the table form creatable by its class name; the library does so when it loads.
void RegisterFormPluginClient();
void UnregisterFormPluginClient();

} // namespace morvane
