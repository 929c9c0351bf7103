// The main form's actions: the title strip's buttons, the links, the settings dialog and the user list's
// columns, and the selected user's card.
#include "base/IniFile.h"
#include "form/FormPluginClient.h"
#include "gui/Canvas.h"
#include "gui/CheckBox.h"
#include "gui/Image.h"
#include "gui/ImageList.h"
#include "gui/Label.h"
#include "panels/PluginUser50.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/PlatformSite.h"
#include "plugin/PluginPlatform.h"
#include "plugin/PluginRecords.h"
#include "plugin/PluginShare50.h"

namespace morvane {
namespace {

constexpr const char* kOptionSection = "Option";
constexpr const char* kUrlSection = "URL";
constexpr const char* kUserListSection = "UserList";
constexpr const char* kDefaultSite = kPlatformSite;
constexpr const char* kMasked = "****";
constexpr TColor kPhotoKey = 0xFF00FF;

// The user-list columns in tag order (identity, nickname, level, beans, score, money): their switches and
// widths in the option file.
struct TColumnKeys {
    const char* shown;
    const char* width;
};
constexpr std::array<TColumnKeys, 6> kColumnKeys{{{"HaveUserId", "UserIDWidth"},
                                                  {"HaveNickName", "NickNameWidth"},
                                                  {"HaveLevel", "LevelWidth"},
                                                  {"HaveBean", "BeanWidth"},
                                                  {"HaveScore", "ScoreWidth"},
                                                  {"HaveGold", "GoldWidth"}}};

// A unit name of the table settings; before the settings arrive the table has none, and the fixed word
// stands in, so that a figure is never shown without its unit.
std::string UnitName(const std::string& name, const char* fallback) {
    return name.empty() ? std::string(fallback) : name;
}

// A face of the list on a transparent ground of the list's size.
TPngImage FacePhoto(const TImageList& faces, int index) {
    TBitmap ground(faces.Width(), faces.Height());
    TCanvas canvas(ground);
    canvas.FillRect({0, 0, ground.Width(), ground.Height()}, kPhotoKey);
    if (const TPngImage* face = faces.Picture(index)) canvas.Draw(0, 0, *face);
    TPngImage photo(ground.Width(), ground.Height(), true);
    for (int y = 0; y < ground.Height(); ++y) {
        std::uint8_t* out = photo.Scanline(y);
        for (int x = 0; x < ground.Width(); ++x, out += 4) {
            const TColor colour = ground.Pixel(x, y);
            out[0] = std::uint8_t(colour & 0xFF);
            out[1] = std::uint8_t((colour >> 8) & 0xFF);
            out[2] = std::uint8_t((colour >> 16) & 0xFF);
            out[3] = colour == kPhotoKey ? 0 : 255;
        }
    }
    return photo;
}

} // namespace

// [SECTION] Title strip

void TFormPluginClient::LabelTitleMouseDown() {
    ReleaseCapture();
    StartTitleDrag();
}

void TFormPluginClient::PicButtonCloseClick() {
    // The hub's close query decides; the form never closes by itself.
    Close();
}

void TFormPluginClient::PicButtonMinClick() {
    Minimize(true);
}

void TFormPluginClient::ActionExitExecute() {
    Close();
}

// [SECTION] Links

void TFormPluginClient::OpenLink(const char* key) {
    TPlatform* platform = PluginPlatform();
    if (!platform) return;
    const TIniFile* ini = pluginShare501_->IniFile();
    const std::string address = ini ? ini->ReadString(kUrlSection, key, kDefaultSite) : kDefaultSite;
    if (!address.empty()) platform->ShellOpen(address);
}

void TFormPluginClient::ActionLogoExecute() {
    OpenLink("最左上角链接地址");
}

void TFormPluginClient::ActionMainExecute() {
    OpenLink("主页面链接地址");
}

void TFormPluginClient::ActionHelpExecute() {
    OpenLink("充值链接地址");
}

void TFormPluginClient::ActionAdviceExecute() {
    OpenLink("游戏反馈链接地址");
}

void TFormPluginClient::ActionInviteExecute() {
    pluginShare501_->Invite();
}

// [SECTION] Settings and options

bool TFormPluginClient::ReadOption(const char* key, bool fallback) const {
    const TIniFile* ini = pluginShare501_->IniFile();
    return ini ? ini->ReadBool(kOptionSection, key, fallback) : fallback;
}

void TFormPluginClient::WriteOption(const char* key, bool value) {
    if (TIniFile* ini = pluginShare501_->IniFile()) ini->WriteBool(kOptionSection, key, value);
}

void TFormPluginClient::ActionConfigExecute() {
    const TIniFile* ini = pluginShare501_->IniFile();
    backgroundFile_ = ini ? ini->ReadString(kOptionSection, "BackGroundFileName", "") : std::string();
    pluginShare501_->ShowOptionPanel();
}

void TFormPluginClient::PluginShare501Initialize() {
    shotDir_ = pluginShare501_->HostDir();
    // The host has given the window its caption (the table's title and the nickname) by now.
    labelTitleName_->SetCaption(Caption());
    TPlatform* platform = PluginPlatform();
    const std::string logo = pluginShare501_->ImageDir() + "GameLogo.png";
    if (platform && platform->FileExists(logo)) {
        TPngImage picture;
        // A logo that does not load leaves the corner empty.
        if (picture.LoadFromFile(logo)) imageLogo_->SetPicture(picture);
    }
    pluginUser501_->SetAutoAttribute(ReadOption("CanLook", true) ? 1 : 0);
    pluginShare501_->SetHaveSound(ReadOption("HaveSound", true));
    if (gameClient_) gameClient_->SetBackMusic(ReadOption("HasBackMusic", true));
    // The check box follows the music as it is, so that the settings panel cannot switch the music
    // off by showing a box nobody ticked.
    checkBoxHasBackMusic_->SetChecked(gameClient_ && gameClient_->BackMusic());
    const TIniFile* ini = pluginShare501_->IniFile();
    for (std::size_t column = 0; column < kColumnKeys.size(); ++column) {
        columnShown_[column] =
            ini ? ini->ReadBool(kUserListSection, kColumnKeys[column].shown, columnShown_[column])
                : columnShown_[column];
        columnWidths_[column] =
            ini ? ini->ReadInteger(kUserListSection, kColumnKeys[column].width, columnWidths_[column])
                : columnWidths_[column];
    }
    ApplyColumns();
}

void TFormPluginClient::ApplyColumns() {
    for (std::size_t column = 0; column < columnShown_.size(); ++column) {
        if (columnShown_[column])
            pluginUser501_->SetColumnWidth(int(column), columnWidths_[column]);
        else
            pluginUser501_->HideColumn(int(column));
    }
}

void TFormPluginClient::PluginOption501ConfigOption() {
    checkBoxHaveSound_->SetChecked(ReadOption("HaveSound", true));
    checkBoxHasBackMusic_->SetChecked(ReadOption("HasBackMusic", checkBoxHasBackMusic_->Checked()));
}

void TFormPluginClient::PluginOption501AcceptOption() {
    const bool sound = checkBoxHaveSound_->Checked();
    const bool music = checkBoxHasBackMusic_->Checked();
    pluginShare501_->SetHaveSound(sound);
    if (gameClient_) gameClient_->SetBackMusic(music);
    WriteOption("HaveSound", sound);
    WriteOption("HasBackMusic", music);
}

// [SECTION] The selected user's card

void TFormPluginClient::PluginUser501SelectChange() {
    // Until the player picks somebody in the list, the card shows the player.
    const std::int64_t selected = pluginUser501_->GetSelectedID();
    const STRU_PLUGIN_USERINFO* user =
        pluginShare501_->FindUser(selected ? selected : pluginShare501_->MyID());
    // A hall that lends no face pictures still gets the figures; only the photo stays empty.
    if (!user) return;
    ShowUserCard(*user);
    if (pluginShare501_->MoneyName().empty()) return;
    const std::array<std::string, 6> captions{"ID",
                                              "昵称",
                                              "等级",
                                              pluginShare501_->BeanName(),
                                              pluginShare501_->ScoreName(),
                                              pluginShare501_->MoneyName()};
    for (std::size_t column = 0; column < captions.size(); ++column)
        pluginUser501_->SetColumnCaption(int(column), captions[column]);
}

void TFormPluginClient::ShowUserCard(const STRU_PLUGIN_USERINFO& user) {
    TCustomPluginShare& hub = *pluginShare501_;
    const std::int64_t id = user.UserID;
    const std::int64_t score = user.Score;
    const std::int64_t beans = user.Beans;
    const std::int64_t money = user.Money;
    const std::int32_t face = user.Face;
    const bool mine = id == hub.MyID();
    const bool masked = hub.HideNames() && !mine;
    imagePhoto_->SetPicture(hub.FaceImages() ? FacePhoto(*hub.FaceImages(), masked ? 0 : face) : TPngImage());
    const std::string scoreName = UnitName(hub.ScoreName(), "积分");
    const std::string beanName = UnitName(hub.BeanName(), "游戏豆");
    const std::string moneyName = UnitName(hub.MoneyName(), "星币");
    lblNickName_->SetCaption("昵称：" + (masked ? std::string(kMasked) : FilteredNickName(user)));
    lblSuccess_->SetCaption(scoreName + "：" + (masked ? std::string(kMasked) : std::to_string(score)));
    lblLevel_->SetCaption("等级：" + (masked ? std::string(kMasked) : hub.LevelName(score, beans)));
    lblMoney_->SetCaption(moneyName + "：" + (mine ? std::to_string(money) : std::string(kMasked)));
    const std::string beanText = beanName + "：" + (masked ? std::string(kMasked) : std::to_string(beans));
    lblGamePoint_->SetCaption(beanText);
    lblGamePoint_->SetHint(beanText);
}

} // namespace morvane
