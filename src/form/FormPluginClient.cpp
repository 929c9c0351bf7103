#include "form/FormPluginClient.h"

#include "base/FileVersionInfomation.h"
#include "graphics/PictureResources.h"
#include "gui/Application.h"
#include "gui/CheckBox.h"
#include "gui/CustomPanel.h"
#include "gui/Image.h"
#include "gui/ImageList.h"
#include "gui/Label.h"
#include "gui/RichView.h"
#include "panels/CardKVTListView.h"
#include "panels/HallSkin.h"
#include "panels/PluginAction50.h"
#include "panels/PluginAdvice50.h"
#include "panels/PluginChat50.h"
#include "panels/PluginDialog50.h"
#include "panels/PluginEvents50.h"
#include "panels/PluginOption50.h"
#include "panels/PluginUser50.h"
#include "panels/TranForm.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/GameClientRegistry.h"
#include "plugin/PluginFormRegistry.h"
#include "plugin/PluginPlatform.h"
#include "plugin/PluginShare50.h"
#include "ui/ISScrollBarSkinCacher.h"
#include "ui/LovelyMenu.h"
#include "ui/PluginPictureButton.h"
#include "ui/PluginScrollBar.h"

#include <utility>

namespace morvane {
namespace {

// The user list as the form dresses it: every row on the box's brown with white text, the selected row a
// lighter brown; the header is drawn from its pictures, with blue, white and red behind them.
constexpr TColor kListRowColour = 866683;
constexpr TColor kListSelectedColour = 5138617;
constexpr TColor kListHeaderColour = 0xFF0000;
constexpr TColor kListHeaderFontColour = 0xFFFFFF;
constexpr TColor kListSplitColour = 0x0000FF;

// Blue-grey bars with a cream track, for the user list and the chat.
constexpr TScrollBarScheme kScrollBarColours{0x6FA4EF, 0x94AAC1, 0xABE3FE, 0xF0FBFE, 0xD4EDF7, 0xD4EDF7};

TPictureButton* MakeTitleButton(TFormPluginClient& form, const char* family, const char* hint) {
    auto* button = form.Add<TPictureButton>();
    TButtonPictures faces = LoadButtonPictures(family);
    if (faces.Comm) button->SetCommPicture(*faces.Comm);
    if (faces.Move) button->SetMovePicture(*faces.Move);
    if (faces.Down) button->SetDownPicture(*faces.Down);
    if (faces.Gray) button->SetGrayPicture(*faces.Gray);
    button->SetHint(hint);
    return button;
}

TLabel* MakeLabel(TFormPluginClient& form, TWinControl& parent, const std::string& caption) {
    auto* label = form.AddTo<TLabel>(parent);
    label->SetTransparent(true);
    label->SetCaption(caption);
    return label;
}

void DressUserList(TPluginUser50& list) {
    for (auto setter : {&TPluginUser50::SetSelfInfoBackColor, &TPluginUser50::SetListItemBackColor,
                        &TPluginUser50::SetUserListColor})
        (list.*setter)(kListRowColour);
    list.SetSelfSelectBackColor(kListSelectedColour);
    list.SetSelectBackColor(kListSelectedColour);
    for (auto setter : {&TPluginUser50::SetSelfInfoFontColor, &TPluginUser50::SetListItemFontColor,
                        &TPluginUser50::SetSelfSelectFontColor, &TPluginUser50::SetSelectFontColor})
        (list.*setter)(clWhite);
    list.SetHeaderBgColor(kListHeaderColour);
    list.SetHeaderFontColor(kListHeaderFontColour);
    list.SetHeaderSplitColor(kListSplitColour);
    list.SetHeaderBgPic(LoadPictureByName("USERLISTHEADER").get());
    list.SetHeaderSplitterPic(LoadPictureByName("USERLISTSPLIT").get());
}

} // namespace

TFormPluginClient::TFormPluginClient(TComponent* owner) : TPluginCommandForm(owner) {
    BuildComponents();
    FormCreate();
}

TFormPluginClient::~TFormPluginClient() {
    FormDestroy();
}

// [SECTION] The components, as the form's resource arranges them

void TFormPluginClient::BuildComponents() {
    pluginShare501_ = Own(std::make_unique<TPluginShare50>(this));
    SetCommandHub(pluginShare501_);
    imageMainFrame_ = Own(std::make_unique<TImage>(this));
    if (auto frame = LoadPictureByName("FORMMAINFRAME")) imageMainFrame_->SetPicture(*frame);
    bigRightImage_ = Own(std::make_unique<TImage>(this));
    if (auto box = LoadPictureByName("FORMRIGHTBOX")) bigRightImage_->SetPicture(*box);
    imageCombox_ = Own(std::make_unique<TImage>(this));
    if (auto history = LoadPictureByName("CHATHISTORY")) imageCombox_->SetPicture(*history);
    imageListButtons_ = MakeButtonList(*this, "HALLBTN");
    imageListClose_ = MakeButtonList(*this, "CLOSE");
    imageListEmotion_ = MakeFaceList(*this);

    panelClient_ = Add<TCustomPanel>();
    BuildTitleStrip();
    BuildUserBox();
    BuildFloatingPanels();
    lovelyMenu1_ = Own(std::make_unique<TLovelyMenu>(this));

    TPluginShare50& hub = *pluginShare501_;
    hub.SetPluginUser(pluginUser501_);
    hub.SetPluginChat(pluginChat501_);
    hub.SetPluginAction(pluginAction501_);
    hub.SetPluginDialog(pluginDialog501_);
    hub.SetPluginOption(pluginOption501_);
    hub.SetPluginEvents(pluginEvents501_);
    hub.SetPluginAdvice(pluginAdvice501_);
    hub.SetLovelyMenu(lovelyMenu1_);
    hub.OnInitialize = [this](TCustomPluginShare*) { PluginShare501Initialize(); };
    // The card shows the player as soon as the player is listed.
    hub.OnUserList = [this](TCustomPluginShare*) { PluginUser501SelectChange(); };
    pluginUser501_->OnSelectChange = [this](TPluginUser50*, TListItem*) { PluginUser501SelectChange(); };
    pluginOption501_->OnAcceptOption = [this](TControl*) { PluginOption501AcceptOption(); };
    pluginOption501_->OnConfigOption = [this](TControl*) { PluginOption501ConfigOption(); };
    OnShow = [this](TControl*) { FormShow(); };
    OnResize = [this](TControl*) { FormResize(); };
}

void TFormPluginClient::BuildTitleStrip() {
    labelTitle_ = MakeLabel(*this, *this, "");
    labelTitle_->SetAutoSize(false);
    labelTitleName_ = MakeLabel(*this, *this, "");
    labelTitleName1_ = MakeLabel(*this, *this, "");
    labelTitleName1_->SetAutoSize(false);
    for (TLabel* label : {labelTitle_, labelTitleName_, labelTitleName1_})
        label->OnMouseDown = [this](TControl*, TMouseButton button, TShiftState, int, int) {
            if (button == TMouseButton::mbLeft) LabelTitleMouseDown();
        };
    picButtonSetup_ = MakeTitleButton(*this, "TITLESETUP", "更改游戏设置");
    picButtonScreen_ = MakeTitleButton(*this, "TITLESCREEN", "截取游戏屏幕");
    picButtonadvice_ = MakeTitleButton(*this, "TITLEADVICE", "反馈");
    picButtonMin_ = MakeTitleButton(*this, "TITLEMIN", "最小化");
    picButtonClose_ = MakeTitleButton(*this, "TITLECLOSE", "关闭");
    picButtonMax_ = MakeTitleButton(*this, "TITLEMAX", "最大化");
    picButtonRestore_ = MakeTitleButton(*this, "TITLERESTORE", "还原");
    picButtonSetup_->OnClick = [this](TControl*) { ActionConfigExecute(); };
    picButtonScreen_->OnClick = [this](TControl*) { ActionScreenExecute(); };
    picButtonadvice_->OnClick = [this](TControl*) { ActionAdviceExecute(); };
    picButtonMin_->OnClick = [this](TControl*) { PicButtonMinClick(); };
    picButtonClose_->OnClick = [this](TControl*) { PicButtonCloseClick(); };
    imageLogo_ = Add<TImage>();
    imageLogo_->SetAutoSize(true);
    imageLogo_->OnClick = [this](TControl*) { ActionLogoExecute(); };
}

void TFormPluginClient::BuildUserBox() {
    panelPluginUserBox_ = Add<TCustomPanel>();
    imageUserBack_ = AddTo<TImage>(*panelPluginUserBox_);
    imagePhoto_ = AddTo<TImage>(*panelPluginUserBox_);
    imagePhoto_->SetCenter(true);
    lblNickName_ = MakeLabel(*this, *panelPluginUserBox_, "昵称：");
    lblSuccess_ = MakeLabel(*this, *panelPluginUserBox_, "积分：");
    lblLevel_ = MakeLabel(*this, *panelPluginUserBox_, "等级：");
    lblMoney_ = MakeLabel(*this, *panelPluginUserBox_, "星币：");
    lblGamePoint_ = MakeLabel(*this, *panelPluginUserBox_, "游戏豆：");
    // The card shows three lines; score and money are in the user list beside it.
    lblSuccess_->SetVisible(false);
    lblMoney_->SetVisible(false);
    pluginUser501_ = AddTo<TPluginUser50>(*panelPluginUserBox_);
    const char* const captions[] = {"ID", "昵称", "等级", "游戏豆", "积分", "星币"};
    for (int column = 0; column < 6; ++column)
        pluginUser501_->SetColumnCaption(column, captions[column]);
    DressUserList(*pluginUser501_);
    pluginChat501_ = AddTo<TPluginChat50>(*panelPluginUserBox_);
    pluginChat501_->SetEmotionImages(imageListEmotion_);
    // The chat skin's three square buttons sit at its foot, the say button beside them.
    const struct {
        TPluginChat50::TChatButton button;
        const char* family;
        int right;
        int bottom;
    } buttons[] = {{TPluginChat50::cbEmotion, "CHATFACE", 192 - 8 - 18, 4},
                   {TPluginChat50::cbAction, "CHATACTION", 192 - 30 - 18, 4},
                   {TPluginChat50::cbShout, "CHATSHOUT", 192 - 52 - 18, 4},
                   {TPluginChat50::cbSay, "CHATSAY", 6, 2}};
    for (const auto& entry : buttons) {
        pluginChat501_->SetButtonImages(entry.button, MakeButtonList(*this, entry.family));
        pluginChat501_->SetButtonRightSpace(entry.button, entry.right);
        pluginChat501_->SetButtonBottomSpace(entry.button, entry.bottom);
    }
}

void TFormPluginClient::BuildFloatingPanels() {
    pluginAction501_ = Add<TPluginAction50>();
    pluginEvents501_ = Add<TPluginEvents50>();
    pluginOption501_ = Add<TPluginOption50>();
    pluginAdvice501_ = Add<TPluginAdvice50>();
    pluginDialog501_ = Add<TPluginDialog50>();
    pluginDialog501_->SetBounds(0, 0, 300, 150);
    pluginDialog501_->SetLifeCount(30);
    pluginDialog501_->SetCaption("确认");
    for (TLovelyPanel* panel : std::initializer_list<TLovelyPanel*>{
             pluginAction501_, pluginEvents501_, pluginOption501_, pluginAdvice501_, pluginDialog501_})
        DressFloatingPanel(*panel);
    pluginAction501_->SetButtonImages(imageListButtons_);
    pluginAction501_->SetCloseImages(imageListClose_);
    pluginDialog501_->SetButtonImages(imageListButtons_);
    pluginDialog501_->SetCloseImages(imageListClose_);
    for (TFloatingButtons* parts :
         {&pluginEvents501_->Buttons(), &pluginOption501_->Buttons(), &pluginAdvice501_->Buttons()}) {
        parts->SetButtonImages(imageListButtons_);
        parts->SetCloseImages(imageListClose_);
    }
    checkBoxHaveSound_ = AddTo<TCheckBox>(*pluginOption501_);
    checkBoxHaveSound_->SetCaption("音效");
    checkBoxHasBackMusic_ = AddTo<TCheckBox>(*pluginOption501_);
    checkBoxHasBackMusic_->SetCaption("背景音乐");
}

// [SECTION] FormCreate

void TFormPluginClient::FormCreate() {
    SetBounds(0, 0, Width(), Height());
    CreateSkinFrame();
    Font().SetName("宋体");
    Font().SetSize(9);
    const TFileVersionInfomation& version = LibraryVersion();
    SetCaption(version.ProductName + version.ProductVersion);
    labelTitleName_->SetCaption(Caption());
    CreateGameClient();
    LoadChipCursors();
    LoadPanelPictures();
    // The window has no system caption: the title strip is drawn by the table and the skin.
    ApplyFixedLayout();
    ReparentTitleControls();
    PlaceCardLabels();
    RegisterHotKeys();
    SkinScrollBars();
    if (titleStrip_) titleStrip_->BringToFront();
    pluginShare501_->SetShowStartStop(false);
}

void TFormPluginClient::LoadChipCursors() {
    if (!gameClient_) return;
    const std::vector<std::string> names = gameClient_->ChipCursorNames();
    for (std::size_t slot = 0; slot < names.size(); ++slot)
        Application().SetCursor(int(slot) + 1, names[slot]);
}

void TFormPluginClient::LoadPanelPictures() {
    if (gameClient_) {
        const std::string userList = gameClient_->UserListPictureName();
        const std::string chat = gameClient_->ChatPictureName();
        if (!userList.empty()) userListPng_ = LoadPictureByName(userList);
        if (!chat.empty()) chatPng_ = LoadPictureByName(chat);
    }
    if (userListPng_) {
        pluginUser501_->SetPicture(userListPng_.get());
        pluginUser501_->SetTransparentColor(clNone);
    }
    if (chatPng_) {
        // The chat skin is stretched along its middle row and column to the panel's size.
        pluginChat501_->SetCenterX(chatPng_->Width() / 2);
        pluginChat501_->SetCenterY(chatPng_->Height() / 2);
        pluginChat501_->SetPicture(chatPng_.get());
        pluginChat501_->SetTransparentColor(clNone);
    }
    pluginChat501_->SetComboxImage(&imageCombox_->Picture());
    imageUserBack_->SetPicture(bigRightImage_->Picture());
}

void TFormPluginClient::CreateSkinFrame() {
    skinFrame_ = Add<TTranForm>();
    labelTitleName1_->SetParent(skinFrame_);
    labelTitleName1_->SendToBack();
    // The frame lies under the table, which covers it whole, so the table's name is shown on the
    // table's title strip instead, where it can be read.
}

void TFormPluginClient::CreateGameClient() {
    std::unique_ptr<TCustomPluginClient> client = morvane::CreateGameClient(pluginShare501_->GameID(), this);
    // A library built without its game still opens its window: the hall panels work, the table is empty.
    if (!client) return;
    gameClient_ = Own(std::move(client));
    gameClient_->SetParent(panelClient_);
    gameClient_->SetAlign(TAlign::alClient);
    pluginShare501_->SetPluginClient(gameClient_);
    pluginShare501_->OnScoreChanged = [this] { PluginUser501SelectChange(); };
}

void TFormPluginClient::ReparentTitleControls() {
    if (!gameClient_) return;
    if (std::unique_ptr<TControl> strip = gameClient_->ReleaseTitleStrip()) {
        // Where the game placed it, now on the form and owned by it.
        const TPoint stripAt = strip->ClientToScreen({0, 0});
        const TPoint formAt = ClientToScreen({0, 0});
        titleStrip_ = Own(std::move(strip));
        titleStrip_->SetParent(this);
        titleStrip_->SetBounds(stripAt.x - formAt.x, stripAt.y - formAt.y, titleStrip_->Width(),
                               titleStrip_->Height());
    }
    for (TControl* control :
         std::initializer_list<TControl*>{labelTitle_, labelTitleName_, imageLogo_, picButtonadvice_,
                                          picButtonSetup_, picButtonScreen_, picButtonMin_, picButtonClose_})
        control->SetParent(gameClient_);
    picButtonRestore_->SetParent(skinFrame_);
    picButtonMax_->SetParent(skinFrame_);
}

void TFormPluginClient::PlaceCardLabels() {
    constexpr TColor kCardColour = 0xC8B398;
    constexpr int kCardLeft = 85;
    constexpr int kNickTop = 107;
    constexpr int kLineSpacing = 18;
    constexpr int kGamePointWidth = 110;
    for (TLabel* label : {lblNickName_, lblSuccess_, lblLevel_, lblMoney_, lblGamePoint_}) {
        label->Font().SetColor(kCardColour);
        label->SetLeft(kCardLeft);
    }
    lblNickName_->SetTop(kNickTop);
    lblLevel_->SetTop(kNickTop + kLineSpacing);
    lblGamePoint_->SetTop(kNickTop + 2 * kLineSpacing);
    lblSuccess_->SetTop(kNickTop + 3 * kLineSpacing);
    lblMoney_->SetTop(kNickTop + 4 * kLineSpacing);
    lblGamePoint_->SetAutoSize(false);
    lblGamePoint_->SetWidth(kGamePointWidth);
}

void TFormPluginClient::RegisterHotKeys() {
    // Only the boss key is the whole system's: it must reach the table from wherever the player is. The
    // chat key (Ctrl + numpad "+") is taken from the table's own window, so that other programs keep it.
    KeyPreview = true;
    TPlatform* platform = PluginPlatform();
    if (!platform) return;
    platform->RegisterHotKey(WindowId(), kHotKeyHide, MOD_ALT, 'Q', [this] { HotKeyPressed(kHotKeyHide); });
}

void TFormPluginClient::SkinScrollBars() {
    scrollBarSkinner_ = Own(std::make_unique<TPluginScrollbarReplacer>(this));
    scrollBarSkinner_->Skin({&pluginUser501_->UserListView(), &pluginChat501_->View()}, kScrollBarColours,
                            kXPScrollBarSkinner);
}

// [SECTION] FormDestroy

void TFormPluginClient::FormDestroy() {
    if (TPlatform* platform = PluginPlatform()) platform->UnregisterHotKey(WindowId(), kHotKeyHide);
    // A table hidden by the boss key leaves neither its icon nor a hidden hall behind.
    ReleaseBossHiding();
    // Everything the form owns goes now, while the form is still whole (the controls' handlers reach back
    // into it), last made first: see the tree where the form is declared.
    DestroyComponents();
}

// [SECTION] Registration

void RegisterFormPluginClient() {
    RegisterFormClass(TFormPluginClient::kClassName, []() -> std::unique_ptr<TForm> {
        return std::make_unique<TFormPluginClient>(nullptr);
    });
}

void UnregisterFormPluginClient() {
    UnregisterFormClass(TFormPluginClient::kClassName);
}

} // namespace morvane
