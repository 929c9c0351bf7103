#include "plugin/CustomPluginShare.h"

#include "base/ByteWriter.h"
#include "base/FileVersionInfomation.h"
#include "base/Gbk.h"
#include "base/Paths.h"
#include "gui/Application.h"
#include "gui/BmpFile.h"
#include "gui/Form.h"
#include "gui/MenuItem.h"
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
#include "plugin/PluginPlatform.h"
#include "ui/LovelyMenu.h"
#include "ui/PluginBitmap.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

// [SECTION] index
//   helpers ............ GUID text, formatting
//   construction ....... slots, host interface, notification
//   decoding ........... ProcessFrame and the frame handlers
//   users .............. list, enter, leave, seat change, names
//   score block
//   lifecycle .......... Initialize, duplicate guard, levels, options, Finalize
//   requests ........... outgoing frames
//   text, sound, menus . the lines shown, the sound player, chat, broadcast, close query, user menu

namespace morvane {
namespace {

// [SECTION] helpers

constexpr int kMaxLevels = 1000;
constexpr std::uint32_t kBroadcastInterval = 4000;
constexpr std::size_t kBroadcastMaxChars = 80;
constexpr std::int64_t kLastCategory = 10000;
constexpr std::int64_t kFirstLevelBound = -2147483647;

// The GUID of the version record as the system writes it: braced, upper case. Empty when malformed.
std::string NormalizedGuid(const std::string& text) {
    static const int groups[] = {8, 4, 4, 4, 12};
    std::string body = text;
    if (body.size() == 38 && body.front() == '{' && body.back() == '}') body = body.substr(1, 36);
    if (body.size() != 36) return {};
    std::size_t pos = 0;
    for (int g = 0; g < 5; ++g) {
        for (int i = 0; i < groups[g]; ++i, ++pos)
            if (!std::isxdigit(static_cast<unsigned char>(body[pos]))) return {};
        if (g < 4 && body[pos++] != '-') return {};
    }
    for (char& c : body)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return "{" + body + "}";
}

std::string HexUpper(std::uint64_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    return buffer;
}

std::string SignedText(std::int64_t value) {
    return value > 0 ? "+" + std::to_string(value) : std::to_string(value);
}

std::string SeatUserName(int seat) {
    return "方位" + std::to_string(seat + 1) + "用户";
}

std::string PadRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// Win, loss or draw of a score entry: the sign of the two deltas together, without overflowing.
int ResultSign(std::int64_t scoreDelta, std::int64_t beanDelta) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(scoreDelta, beanDelta, &sum)) return scoreDelta > 0 ? 1 : -1;
    return sum > 0 ? 1 : (sum < 0 ? -1 : 0);
}

std::size_t IgnoreIndex(std::int64_t userId) {
    std::int64_t index = userId % kMaxTableUsers;
    if (index < 0) index += kMaxTableUsers;
    return std::size_t(index);
}

void CheckHost(const char* operation, HRESULT result) {
    if (FAILED(result)) throw THostError(operation, result);
}

std::vector<std::string> BlankSeparatedWords(const std::string& text) {
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
        std::size_t end = text.find(' ', pos);
        if (end == std::string::npos) end = text.size();
        if (end > pos) words.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

// "%1" and "%2" replaced in one pass, so that a "%2" inside the first name stays as it is.
std::string FillTemplate(const std::string& pattern, const std::string& first, const std::string& second) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

} // namespace

THostError::THostError(const std::string& operation, HRESULT result)
    : std::runtime_error("host call " + operation + " failed with " + HexUpper(std::uint32_t(result))),
      result_(result) {}

void THostRef::Reset(IQXOpenInterfaceReq* host) {
    if (host) host->AddRef();
    IQXOpenInterfaceReq* old = host_;
    host_ = host;
    if (old) old->Release();
}

// [SECTION] construction

TCustomPluginShare::TCustomPluginShare(TComponent* owner) : TComponent(owner) {
    BuildUserMenu();
    ownerForm_ = dynamic_cast<TForm*>(owner);
    if (ownerForm_)
        ownerForm_->OnCloseQuery = [this](TControl* sender, bool& canClose) { CloseQuery(sender, canClose); };
    if (!Designing()) {
        gameId_ = NormalizedGuid(LibraryVersion().Comments);
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

void TCustomPluginShare::BuildUserMenu() {
    userMenu_ = Own(std::make_unique<TPopupMenu>(this));
    static const char* const captions[] = {
        "用户名",       "昵称",        "游戏豆",           "-", "局数",          "逃跑", "积分", "-",
        "请他(她)离开", "成为VIP会员", "进入他(她)的空间", "-", "屏蔽该玩家信息"};
    int index = 0;
    for (const char* caption : captions) {
        TMenuItem* item = userMenu_->Items().Add(caption);
        item->SetTag(index++);
        item->OnClick = [this, item](TControl*) {
            switch (item->Tag()) {
            case 8:
                SendAskToLeave(selectedId_);
                break;
            case 9:
                SendBecomeVip();
                break;
            case 10:
                SendVisitSpace(selectedId_);
                break;
            case 12: {
                bool ignore = !IsIgnored(selectedId_);
                SetIgnored(selectedId_, ignore);
                item->SetCaption(ignore ? "◆屏蔽该玩家信息" : "屏蔽该玩家信息");
                std::string name = DisplayName(selectedId_);
                ShowNote(false, ignore ? "您已屏蔽玩家\"" + name + "\"的信息"
                                       : "您已恢复显示玩家\"" + name + "\"的信息");
                break;
            }
            default:
                break;
            }
        };
    }
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

// [SECTION] decoding

void TCustomPluginShare::PostCommand(int len, const std::uint8_t* data) {
    if (len <= 0 || !data) return;
    if (OnPrepCommand) OnPrepCommand(this, len, data);
    if (!HasApplication()) return;
    const TBytes previous = pending_;
    pending_ = TBytes(data, std::size_t(len));
    const auto target = TControlHandle(commandWindow_);
    // Decoding happens in the form's thread, one frame at a time, before this call returns.
    Application().System().SendSync([target] {
        if (TControl* window = Application().FindControl(target)) window->Perform(WM_PLUGIN_COMMAND);
    });
    pending_ = previous;
}

void TCustomPluginShare::ProcessCommand() {
    ProcessFrame(pending_);
}

void TCustomPluginShare::ProcessFrame(TBytes frame) {
    if (frame.empty()) return;
    ByteReader reader(frame);
    reader.Skip(1);
    switch (frame[0]) {
    case frames::kTable:
        ProcessTableFrame(frame);
        break;
    case frames::kSeat: {
        std::uint8_t sub = 0;
        std::int64_t userId = 0;
        std::int32_t seat = 0, dataLen = 0;
        if (!reader.ReadU8(sub) || !reader.ReadI64(userId) || !reader.ReadI32(seat) ||
            !reader.ReadI32(dataLen))
            return;
        if (sub == 0) {
            DoSeatSignal0(seat, userId);
        } else if (sub == 1) {
            DoSeatSignal1(seat, userId);
        } else if (sub == 2) {
            std::size_t length = std::min<std::size_t>(std::size_t(std::max(dataLen, 0)), reader.Remaining());
            DoSeatData(seat, reader.Rest().first(length), userId);
        }
        break;
    }
    case frames::kUserState: {
        std::int64_t userId = 0;
        std::uint8_t state = 0;
        if (reader.ReadI64(userId) && reader.ReadU8(state)) DoUserState(userId, state);
        break;
    }
    case frames::kUserList:
        HandleUserList(frame);
        break;
    case frames::kUserEnter: {
        STRU_PLUGIN_USERINFO user{};
        if (ReadUserInfo(reader, user)) DoUserEnter(user);
        break;
    }
    case frames::kUserLeave: {
        std::int64_t userId = 0;
        if (reader.ReadI64(userId)) DoUserLeave(userId);
        break;
    }
    case frames::kSeatChange: {
        std::int64_t userId = 0;
        std::uint8_t seat = 0, seated = 0, changed = 0;
        if (reader.ReadI64(userId) && reader.ReadU8(seat) && reader.ReadU8(seated) && reader.ReadU8(changed))
            DoSeatChange(userId, seat, seated != 0, changed);
        break;
    }
    case frames::kScoreBlock:
        HandleScoreBlock(frame);
        break;
    case frames::kRawNotice:
        DoRawNotice(frame);
        break;
    case frames::kNoticeText: {
        std::uint16_t textLen = 0;
        if (!reader.ReadU16(textLen)) return;
        std::size_t length = std::min({std::size_t(textLen), frames::kNoticeTextLimit, reader.Remaining()});
        std::string text;
        reader.ReadString(length, text);
        DoNoticeText(text);
        break;
    }
    case frames::kUserValue: {
        std::int64_t userId = 0;
        std::int32_t value = 0;
        if (reader.ReadI64(userId) && reader.ReadI32(value)) DoUserValue(value, userId);
        break;
    }
    case frames::kSystemLine: {
        std::int64_t fromId = 0;
        if (!reader.ReadI64(fromId)) return;
        // The text field is 200 bytes, zero-padded; the frame may carry less of it.
        std::size_t length = std::min(frames::kSystemLineField, reader.Remaining());
        std::string text;
        reader.ReadString(length, text);
        text = text.substr(0, text.find('\0'));
        if (!text.empty()) ShowText(text, fromId);
        break;
    }
    default:
        break;
    }
}

void TCustomPluginShare::ProcessTableFrame(TBytes frame) {
    ByteReader reader(frame);
    std::int64_t fromId = 0;
    std::uint8_t cmd = 0;
    if (!reader.Skip(1) || !reader.ReadI64(fromId) || !reader.ReadU8(cmd)) return;
    const TBytes payload = reader.Rest();
    ByteReader fields(payload);
    switch (cmd) {
    case frames::cmdTableData:
        if (!duplicate_) DoTableData(payload, fromId);
        break;
    case frames::cmdGameData:
        DoGameData(payload);
        break;
    case frames::cmdUserReady: {
        std::int64_t userId = 0;
        std::uint8_t ready = 0;
        if (fields.ReadI64(userId) && fields.ReadU8(ready)) DoUserReady(userId, ready);
        break;
    }
    case frames::cmdCofferReply:
        if (payload.size() >= frames::kCofferReplySize)
            DoCofferReply(payload.first(frames::kCofferReplySize));
        break;
    case frames::cmdAttribute: {
        std::int64_t userId = 0;
        std::uint8_t value = 0;
        if (fields.ReadI64(userId) && fields.ReadU8(value)) DoOwnAttribute(userId, value);
        break;
    }
    case frames::cmdGameStart:
        DoGameStart();
        break;
    case frames::cmdGameOver:
        DoGameOver();
        break;
    case frames::cmdTextLine:
    case frames::cmdBroadcast:
    case frames::cmdChat:
    case frames::cmdNumberedText: {
        if (payload.empty()) return;
        std::string text(reinterpret_cast<const char*>(payload.data()), payload.size());
        if (cmd == frames::cmdTextLine) DoTextLine(text);
        if (cmd == frames::cmdBroadcast) DoBroadcastText(text, fromId);
        if (cmd == frames::cmdChat) DoChatText(text, fromId);
        if (cmd == frames::cmdNumberedText) DoNumberedText(text);
        break;
    }
    default:
        break;
    }
}

void TCustomPluginShare::DoSeatSignal0(int seat, std::int64_t userId) {
    if (client_) client_->DoSeatSignal0(seat, userId);
}

void TCustomPluginShare::DoSeatSignal1(int seat, std::int64_t userId) {
    if (client_) client_->DoSeatSignal1(seat, userId);
}

void TCustomPluginShare::DoSeatData(int seat, TBytes data, std::int64_t userId) {
    if (client_) client_->DoSeatData(seat, data, userId);
}

void TCustomPluginShare::DoTableData(TBytes data, std::int64_t fromId) {
    if (client_) client_->DoTableData(data, fromId);
}

void TCustomPluginShare::DoGameData(TBytes data) {
    if (client_) client_->DoGameData(data);
}

void TCustomPluginShare::DoUserReady(std::int64_t userId, std::uint8_t ready) {
    if (ready != 0) {
        const STRU_PLUGIN_USERINFO* user = FindUser(userId);
        int seat = user ? user->Seat : 0;
        PlaySound("Ready.wav");
        if (client_) client_->DoUserReady(seat);
    }
    CheckMarker();
}

void TCustomPluginShare::DoOwnAttribute(std::int64_t userId, std::uint8_t value) {
    if (userId != myId_) return;
    myAttribute_ = value;
    if (client_) client_->DoOwnAttribute(value);
}

void TCustomPluginShare::DoGameStart() {
    if (!playing_) {
        if (showStartStop_) ShowText("****游戏开始****", 8);
        PlaySound("Start.wav");
    }
    playing_ = true;
    if (client_) client_->DoGameStart();
    if (score_) score_->Hide();
}

void TCustomPluginShare::DoGameOver() {
    if (playing_ && showStartStop_) ShowText("****游戏结束****", 8);
    PlaySound("GameOver.wav");
    playing_ = false;
    if (client_) client_->DoGameOver();
}

void TCustomPluginShare::DoTextLine(const std::string& text) {
    if (text.starts_with("@$")) {
        AddEvent(text);
        return;
    }
    if (client_) client_->DoChatLine(text);
    if (chat_) chat_->AddLine(text, 7);
}

void TCustomPluginShare::DoNumberedText(const std::string& text) {
    std::size_t at = text.find('@');
    if (at == std::string::npos) return;
    std::int64_t kind = 0;
    if (!TIniFile::ParseInt64(text.substr(0, at), kind) || kind == 0) return;
    std::string rest = text.substr(at + 1);
    if (client_) client_->DoChatLine(rest);
    if (chat_) chat_->AddLine(rest, kind);
}

void TCustomPluginShare::DoNoticeText(const std::string& text) {
    if (client_) client_->DoNoticeText(text);
}

void TCustomPluginShare::DoRawNotice(TBytes frame) {
    if (client_) client_->DoRawNotice(frame);
}

void TCustomPluginShare::DoUserState(std::int64_t userId, std::uint8_t state) {
    if (userId == myId_) myState_ = state;
    if (client_) client_->DoUserState(state, userId);
    if (user_) user_->DoUserState(state, userId);
}

void TCustomPluginShare::AddEvent(const std::string& text) {
    if (events_) events_->AddEvent(text);
}

void TCustomPluginShare::DoCofferReply(TBytes reply) {
    std::string text = CofferText(reply);
    if (client_) client_->DoCofferReply(reply, text);
}

std::string TCustomPluginShare::CofferText(TBytes reply) {
    if (reply.size() < frames::kCofferReplySize) return {};
    const std::uint8_t kind = reply[0], direction = reply[1], code = reply[10];
    std::string text;
    if (kind == 0) {
        if (code == 0) text = "请求成功。";
        if (code == 1) text = "请求失败。";
    } else if (kind == 1) {
        if (direction == 0) text = "取出";
        if (direction == 1) text = "存入";
        if (code == 0) text += "成功。";
        if (code == 1) text += "失败。";
    }
    switch (code) {
    case 2:
        text = "对不起，您还没有启用保险箱功能。";
        break;
    case 3:
        text = "对不起，您没有权限。";
        break;
    case 4:
        text = "对不起，只有会员才有权限。";
        break;
    case 5:
        text = "对不起，您已经固定机器使用该功能，不能用其他机器。";
        break;
    case 6:
        text = "正在游戏中，不允许使用该功能。";
        break;
    case 7:
        text = "对不起，您输入的数量有误。";
        break;
    case 8:
        text = "对不起，密保答案不正确。";
        break;
    default:
        break;
    }
    return text;
}

void TCustomPluginShare::DoUserValue(int value, std::int64_t userId) {
    if (STRU_PLUGIN_USERINFO* user = FindUser(userId)) user->UserValue = value;
    if (client_) client_->DoUserValue(value, userId);
    if (user_) user_->DoUserValue(value, userId);
}

void TCustomPluginShare::DoChatText(const std::string& text, std::int64_t fromId) {
    if (fromId == myId_ || IsIgnored(fromId)) return;
    ShowText(text, fromId);
}

void TCustomPluginShare::DoBroadcastText(const std::string& text, std::int64_t fromId) {
    if (!needShout_ && fromId != myId_) return;
    if (client_) client_->DoSystemText(text, 10);
    if (chat_) chat_->AddLine(text, 10);
}

// [SECTION] users

STRU_PLUGIN_USERINFO* TCustomPluginShare::FindUser(std::int64_t userId) const {
    for (const auto& user : users_)
        if (user->UserID == userId) return user.get();
    return nullptr;
}

STRU_PLUGIN_USERINFO* TCustomPluginShare::FindDepartedUser(std::int64_t userId) const {
    for (const auto& user : departed_)
        if (user->UserID == userId) return user.get();
    return nullptr;
}

bool TCustomPluginShare::IsIgnored(std::int64_t userId) const {
    return userId != 0 && ignoreTable_[IgnoreIndex(userId)] == userId;
}

void TCustomPluginShare::SetIgnored(std::int64_t userId, bool ignored) {
    ignoreTable_[IgnoreIndex(userId)] = ignored ? userId : 0;
}

void TCustomPluginShare::HandleUserList(TBytes frame) {
    ByteReader reader(frame);
    std::int32_t count = 0;
    if (!reader.Skip(1) || !reader.ReadI32(count)) return;
    // The components always get 200 slots: what the frame carries, then zeros.
    const std::size_t present = std::min<std::size_t>(reader.Remaining() / kUserInfoSize, kMaxTableUsers);
    auto slots = std::make_unique<TPluginUserSlots>(); // zero-filled
    for (std::size_t i = 0; i < present; ++i)
        ReadUserInfo(reader, (*slots)[i]);
    const int valid = std::clamp<std::int64_t>(count, 0, std::int64_t(present));
    DoUserList(valid, *slots);
}

void TCustomPluginShare::DoUserList(int count, const TPluginUserSlots& users) {
    count = std::clamp(count, 0, kMaxTableUsers);
    for (int i = 0; i < count; ++i) {
        const STRU_PLUGIN_USERINFO& user = users[std::size_t(i)];
        if (FindUser(user.UserID)) continue;
        AddPresentUser(user);
    }
    if (client_) client_->DoUserList(count, users);
    if (user_) user_->DoUserList(count, users);
    if (OnUserList) OnUserList(this);
    if (!seated_) RequestSeat(mySeat_, true);
}

void TCustomPluginShare::AddPresentUser(const STRU_PLUGIN_USERINFO& user) {
    if (user.Seated != 0) EvictSeatHolder(user);
    users_.push_back(std::make_unique<STRU_PLUGIN_USERINFO>(user));
    STRU_PLUGIN_USERINFO* record = users_.back().get();
    if (record->UserID == myId_) TakeOwnFields(record);
    if (record->Seated != 0) PlayerSeated(*record);
    if (OnAddUser) OnAddUser(this, *record);
}

void TCustomPluginShare::EvictSeatHolder(const STRU_PLUGIN_USERINFO& newcomer) {
    for (const auto& user : users_) {
        if (user->Seated != 0 && user->Seat == newcomer.Seat && user->UserID != newcomer.UserID) {
            DoUserLeave(user->UserID);
            return;
        }
    }
}

void TCustomPluginShare::TakeOwnFields(STRU_PLUGIN_USERINFO* record) {
    mySeat_ = record->Seat;
    seated_ = record->Seated != 0;
    myRecord_ = record;
}

std::string TCustomPluginShare::NameForNote(const STRU_PLUGIN_USERINFO& user) const {
    if (HideNames() && user.UserID != myId_) return SeatUserName(user.Seat);
    return FilteredNickName(user);
}

void TCustomPluginShare::DoUserEnter(const STRU_PLUGIN_USERINFO& user) {
    if (FindUser(user.UserID)) return;
    AddPresentUser(user);
    const std::string name = NameForNote(user);
    ShowNote(false, "\"" + name + "\"进入房间");
    if (client_) client_->DoUserEnter(user);
    if (user_) user_->DoUserEnter(user);
    if (user.UserID == myId_) return;
    for (auto it = users_.rbegin(); it != users_.rend(); ++it) {
        const STRU_PLUGIN_USERINFO& other = **it;
        if (other.UserID == user.UserID || other.Seat != user.Seat || other.Seated == 0) continue;
        ShowNote(false, "\"" + name + "\"正在旁观\"" + NameForNote(other) + "\"");
        break;
    }
}

void TCustomPluginShare::DoUserLeave(std::int64_t userId) {
    if (client_) client_->DoUserLeave(userId);
    if (user_) user_->DoUserLeave(userId);
    for (auto it = users_.rbegin(); it != users_.rend(); ++it) {
        if ((*it)->UserID != userId) continue;
        std::unique_ptr<STRU_PLUGIN_USERINFO> record = std::move(*it);
        users_.erase(std::next(it).base());
        if (record.get() == myRecord_) myRecord_ = nullptr;
        if (record->Seated != 0) PlayerUnseated(record->Seat, userId);
        const std::string name = HideNames() ? SeatUserName(record->Seat) : FilteredNickName(*record);
        ShowNote(false, "\"" + name + "\"离开房间");
        if (OnDeleteUser) OnDeleteUser(this, *record);
        if (STRU_PLUGIN_USERINFO* departed = FindDepartedUser(userId))
            *departed = *record;
        else
            departed_.push_back(std::move(record));
        break;
    }
    if (userId == myId_) Finalize();
}

void TCustomPluginShare::DoSeatChange(std::int64_t userId, std::uint8_t seat, bool seated,
                                      std::uint8_t changed) {
    if (changed != 0) {
        if (userId == myId_) {
            mySeat_ = seat;
            seated_ = seated;
        }
        STRU_PLUGIN_USERINFO* user = FindUser(userId);
        if (user) {
            user->Seat = seat;
            user->Seated = seated ? 1 : 0;
        }
        if (seated) {
            if (user) PlayerSeated(*user);
        } else {
            PlayerUnseated(seat, userId);
        }
    }
    if (client_) client_->DoUserSeat(seat, seated, changed, userId);
    if (user_) user_->DoUserSeat(seat, seated, changed, userId);
}

void TCustomPluginShare::PlayerSeated(const STRU_PLUGIN_USERINFO& user) {
    PlaySound("Public_BeOn.wav");
    if (client_)
        client_->DoPlayerSeated(std::string(user.NickName, sizeof user.NickName), user.ExtValue, user.Seat,
                                user.UserID);
}

void TCustomPluginShare::PlayerUnseated(std::uint8_t seat, std::int64_t userId) {
    PlaySound("Public_BeOff.wav");
    if (client_) client_->DoPlayerUnseated(seat, userId);
}

std::string TCustomPluginShare::DisplayName(std::int64_t userId) const {
    const STRU_PLUGIN_USERINFO* user = FindUser(userId);
    if (!user) return {};
    if (HideNames() && userId != myId_) return SeatUserName(user->Seat);
    return FilteredNickName(*user);
}

std::string TCustomPluginShare::LevelName(std::int64_t score, std::int64_t beans) const {
    const std::int64_t value = levelRelateScore_ ? score : beans;
    std::string name;
    for (const TLevelNode& level : levels_)
        if (level.Score <= value) name = level.Name;
    return name;
}

std::string TCustomPluginShare::ScoreName() const {
    return client_ ? client_->ScoreName() : std::string("积分");
}

std::string TCustomPluginShare::BeanName() const {
    return client_ ? client_->BeanName() : std::string("游戏豆");
}

std::string TCustomPluginShare::MoneyName() const {
    return client_ ? client_->MoneyName() : std::string("星币");
}

bool TCustomPluginShare::HideNames() const {
    return user_ ? user_->UserFlag() != 0 : true;
}

// [SECTION] score block

void TCustomPluginShare::HandleScoreBlock(TBytes frame) {
    ByteReader reader(frame);
    std::uint8_t flag = 0;
    std::int32_t count = 0;
    if (!reader.Skip(1) || !reader.ReadU8(flag) || !reader.ReadI32(count)) return;
    const std::size_t present = std::min<std::size_t>(reader.Remaining() / kScoreEntrySize, kMaxTableUsers);
    TPluginScoreBlock block{};
    std::copy_n(reader.Rest().begin(), present * kScoreEntrySize, block.begin());
    const int valid = int(std::min<std::int64_t>(count, std::int64_t(present)));
    DoScoreBlock(flag, valid, block);
}

void TCustomPluginShare::AppendScoreLine(std::string& notes, std::int64_t userId, const std::string& name,
                                         int seat, std::int64_t delta) const {
    std::string shown = HideNames() && userId != myId_ ? SeatUserName(seat) : name;
    notes += "\r" + PadRight(shown, 8) + ": " + SignedText(delta);
}

void TCustomPluginShare::DoScoreBlock(std::uint8_t flag, int count, const TPluginScoreBlock& block) {
    if (!client_ || count <= 0 || flag == 0) return;
    count = std::min(count, kMaxTableUsers);
    const bool scoreNotes = client_->Settings().ScoreNotes > 0;
    const bool beanNotes = client_->Settings().BeanNotes > 0;
    if (flag == 1 && !scoreNotes && !beanNotes) return;

    std::string scoreLines = "本局" + ScoreName() + ":";
    std::string beanLines = "本局" + BeanName() + ":";
    for (int i = 0; i < count; ++i) {
        const TScoreEntry entry = ScoreEntryAt(block, i);
        int seat = 0;
        std::string name;
        if (const TPluginSeatEntry* seatEntry = client_->FindSeat(entry.UserID, &seat)) {
            name = seatEntry->Name;
        } else if (const STRU_PLUGIN_USERINFO* departed = FindDepartedUser(entry.UserID)) {
            name = FilteredNickName(*departed);
            seat = departed->Seat;
        } else {
            continue;
        }
        if (STRU_PLUGIN_USERINFO* user = FindUser(entry.UserID)) {
            user->Score = entry.Score;
            user->Beans = entry.Beans;
            if (flag == 1 && count > 1) {
                int sign = ResultSign(entry.ScoreDelta, entry.BeanDelta);
                if (sign > 0) ++user->Wins;
                if (sign < 0) ++user->Losses;
                if (sign == 0) ++user->Draws;
            }
        }
        if (flag == 1 && entry.UserID != 0) {
            AppendScoreLine(scoreLines, entry.UserID, name, seat, entry.ScoreDelta);
            AppendScoreLine(beanLines, entry.UserID, name, seat, entry.BeanDelta);
        }
    }
    if (flag == 1 && client_->ShowScoreNotes()) {
        if (scoreNotes) ShowText(scoreLines, 6);
        if (beanNotes) ShowText(beanLines, 6);
    }
    if (client_) client_->DoScoreBlock(flag, count, block);
    if (user_) user_->DoScoreBlock(flag, count, block);
    if (score_) score_->DoScoreBlock(flag, count, block);
    if (OnScoreChanged) OnScoreChanged();
}

// [SECTION] lifecycle

void TCustomPluginShare::Initialize(const std::string& title, const std::string& nickName,
                                    std::int64_t cookie, std::int64_t commandWindow, std::int64_t myId,
                                    std::uint16_t extra) {
    TPlatform* platform = PluginPlatform();
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

    if (host_) {
        std::array<char, 260> folder{};
        char* buffer = folder.data();
        CheckHost("GetHostDirectory", host_->GetHostDirectory(cookie_, &buffer));
        hostDir_ = paths::IncludeTrailingBackslash(FixedFieldText(folder.data(), folder.size()));
        faceSmallDir_ = hostDir_ + "\\Face\\Small\\";
        faceBigDir_ = hostDir_ + "\\Face\\Big\\";
    }
    libDir_ = platform ? paths::IncludeTrailingBackslash(platform->LibraryFolder()) : std::string();
    soundDir_ = libDir_ + "\\Sound\\" + gameId_ + "\\";
    imageDir_ = libDir_ + "\\Image\\" + gameId_ + "\\";
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

std::string TCustomPluginShare::MarkerName() const {
    return gameId_ + "-" + HexUpper(std::uint64_t(cookie_));
}

void TCustomPluginShare::RunDuplicateGuard() {
    const std::string name = MarkerName();
    TPlatform* platform = PluginPlatform();
    const bool taken = platform && platform->ClaimMarker(name);
    if (!taken) {
        if (platform) marker_ = name;
        SendReady();
        return;
    }
    duplicate_ = true;
    if (dialog_) {
        PlaySound("Public_Error.wav");
        dialog_->SetCaption("作弊嫌疑");
        dialog_->SetButtons(0);
        dialog_->SetMessage("同一桌不可启动两个号,您不能坐在这里！");
        dialog_->SetOkCaption("退出");
        dialog_->SetLifeCount(10);
        dialog_->Execute();
    }
    Finalize();
}

void TCustomPluginShare::CheckMarker() {
    if (marker_.empty() || duplicate_ || finalized_) return;
    TPlatform* platform = PluginPlatform();
    if (!platform) return;
    // Claiming our own marker again finds it taken while it is intact; finding it free means it was
    // removed under us, and the table cannot tell any more whether it is the only one.
    if (platform->ClaimMarker(marker_)) return;
    Finalize();
}

void TCustomPluginShare::ReleaseMarker() {
    if (marker_.empty()) return;
    if (TPlatform* platform = PluginPlatform()) platform->ReleaseMarker(marker_);
    marker_.clear();
}

void TCustomPluginShare::LoadLevels() {
    levels_.clear();
    if (!iniFile_) return;
    const int count = std::clamp(iniFile_->ReadInteger("Level", "LevelCount", 0), 0, kMaxLevels);
    levelRelateScore_ = iniFile_->ReadBool("Level", "LevelRelateScore", true);
    for (int i = 1; i <= count; ++i) {
        TLevelNode level;
        const std::string index = std::to_string(i);
        if (!TIniFile::ParseInt64(iniFile_->ReadString("Level", "Level" + index + "Score", "0"), level.Score))
            level.Score = 0;
        level.Name = iniFile_->ReadString("Level", "Level" + index + "Name", "");
        if (i == 1) level.Score = kFirstLevelBound;
        levels_.push_back(std::move(level));
    }
}

void TCustomPluginShare::LoadOptions() {
    if (iniFile_) {
        haveSound_ = iniFile_->ReadBool("Option", "HaveSound", true);
        needShout_ = iniFile_->ReadBool("Option", "NeedShout", true);
    }
    ForEachLifecycle([](auto* component) { component->DoOptionsLoaded(); });
}

void TCustomPluginShare::SaveOptionsNotify() {
    ForEachLifecycle([](auto* component) { component->DoOptionsSaved(); });
}

void TCustomPluginShare::Finalize() {
    if (finalized_) return;
    faceImages_ = nullptr;
    PlaySound("Public_Exit.wav");
    finalized_ = true;
    SendLeaveFrames();
    SaveOptionsNotify();
    ForEachLifecycle([](auto* component) { component->DoFinalize(); });
    if (OnFinialize) OnFinialize(this);
    if (host_) CheckHost("PluginClosed", host_->PluginClosed(cookie_));
}

void TCustomPluginShare::SendLeaveFrames() {
    if (!host_) return;
    if ((client_ && seated_) || (!client_ && seated_ && playing_)) {
        const std::uint8_t seat = mySeat_;
        SendFrame(0, TableFrame(frames::cmdLeaveSeat, TBytes(&seat, 1)));
    }
    ByteWriter leave(9);
    leave.WriteU8(frames::kLeave);
    leave.WriteI64(myId_);
    SendFrame(0, leave.Bytes());
}

// [SECTION] requests

void TCustomPluginShare::SendFrame(std::int64_t toId, const std::vector<std::uint8_t>& frame) {
    if (!host_) return;
    CheckHost("SendData", host_->SendData(cookie_, toId, std::int32_t(frame.size()), frame.data()));
}

std::vector<std::uint8_t> TCustomPluginShare::TableFrame(std::uint8_t cmd, TBytes payload) const {
    ByteWriter writer(frames::kTableHeaderSize + payload.size());
    writer.WriteU8(frames::kTable);
    writer.WriteI64(myId_);
    writer.WriteU8(cmd);
    writer.WriteBytes(payload);
    return writer.Take();
}

void TCustomPluginShare::SendReady() {
    if (!duplicate_) SendFrame(0, TableFrame(frames::cmdReady));
}

void TCustomPluginShare::SendStart() {
    if (duplicate_) return;
    if (score_) score_->Hide();
    SendFrame(0, TableFrame(frames::cmdStart));
}

void TCustomPluginShare::SendTableData(TBytes data, std::int64_t toId) {
    if (!duplicate_) SendFrame(toId, TableFrame(frames::cmdGameRequest, data));
}

void TCustomPluginShare::SendSeatData(TBytes data) {
    if (!seated_ || data.size() >= frames::kSeatDataCapacity) return;
    ByteWriter writer(frames::kSeatFrameSize);
    writer.WriteU8(frames::kSeat);
    writer.WriteU8(2);
    writer.WriteI64(myId_);
    writer.WriteI32(mySeat_);
    writer.WriteI32(std::int32_t(data.size()));
    writer.WriteBytes(data);
    writer.WriteZeros(frames::kSeatFrameSize - writer.Size());
    SendFrame(0, writer.Bytes());
}

void TCustomPluginShare::SendCofferRequest(const TCofferRequest& request) {
    SendFrame(myId_, TableFrame(frames::cmdCofferRequest, request));
}

void TCustomPluginShare::SendAskToLeave(std::int64_t target) {
    ByteWriter payload(8);
    payload.WriteI64(target);
    SendFrame(myId_, TableFrame(frames::cmdAskToLeave, payload.Bytes()));
}

void TCustomPluginShare::SendBecomeVip() {
    SendFrame(myId_, TableFrame(frames::cmdBecomeVip));
}

void TCustomPluginShare::SendVisitSpace(std::int64_t target) {
    ByteWriter payload(8);
    payload.WriteI64(target);
    SendFrame(myId_, TableFrame(frames::cmdVisitSpace, payload.Bytes()));
}

void TCustomPluginShare::SetUserAttribute(std::uint8_t value, std::int64_t target) {
    if (duplicate_) return;
    ByteWriter payload(9);
    payload.WriteI64(target);
    payload.WriteU8(value);
    SendFrame(0, TableFrame(frames::cmdAttribute, payload.Bytes()));
}

void TCustomPluginShare::RequestUserList() {
    if (duplicate_) return;
    ByteWriter frame(9);
    frame.WriteU8(frames::kUserListRequest);
    frame.WriteI64(myId_);
    SendFrame(0, frame.Bytes());
}

void TCustomPluginShare::RequestSeat(std::uint8_t seat, bool sit) {
    if (duplicate_ || (sit == seated_ && seat == mySeat_)) return;
    if (!sit && dialog_) {
        if (dialog_->Running()) return;
        if (!ConfirmWithDialog("确认", "您确定真的要离开位置吗？", "退出", "不退出", 30)) return;
    }
    const std::vector<std::uint8_t> frame{frames::kSeatRequest, seat, std::uint8_t(sit ? 1 : 0)};
    SendFrame(0, frame);
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

void TCustomPluginShare::Invite() {
    if (host_) CheckHost("Invite", host_->Invite(cookie_, 0, 0));
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

// [SECTION] text, sound, menus

bool TCustomPluginShare::FilterThroughHost(std::string& text) {
    const std::int32_t capacity = std::int32_t(text.size() + 10);
    std::vector<char> buffer(std::size_t(capacity), '\0');
    char* out = buffer.data();
    std::int32_t outLen = capacity;
    CheckHost("FilterText",
              host_->FilterText(cookie_, text.data(), std::int32_t(text.size()), &out, &outLen));
    if (outLen <= 0 || !out) return false;
    // The host writes into our buffer; a length beyond it is held to it.
    if (out == buffer.data()) outLen = std::min(outLen, capacity);
    text.assign(out, std::size_t(outLen));
    return true;
}

void TCustomPluginShare::ShowText(const std::string& text, std::int64_t fromId) {
    if (!host_) return;
    std::string line = text;
    if (!FilterThroughHost(line)) return;
    if (std::size_t amp = line.find('&'); amp != std::string::npos) {
        if (iniFile_) {
            std::string sound = iniFile_->ReadString("ActionSound", line.substr(amp), "");
            if (!sound.empty()) PlaySound(sound);
        }
        line.erase(amp);
    }
    if (fromId > kLastCategory && fromId != myId_) PlaySound("Public_Information.wav");
    if (client_) client_->DoSystemText(line, fromId);
    if (chat_) chat_->AddLine(line, fromId);
}

void TCustomPluginShare::ShowNote(bool flash, const std::string& text) {
    if (flash && ownerForm_ && ownerForm_->WindowCreated() && !ownerForm_->HasFocusWindow())
        Application().System().FlashWindow(ownerForm_->WindowId());
    if (!text.empty() && chat_) chat_->AddLine(text, 8);
}

namespace {
// The MCI alias counter is shared by every table of the process, as the aliases are.
int& SoundAliasCounter() {
    static int counter = 0;
    return counter;
}
} // namespace

void TCustomPluginShare::PlaySound(const std::string& fileName) {
    if (!haveSound_ || !soundOn_) return;
    TPlatform* platform = PluginPlatform();
    if (!platform) return;
    try {
        std::string path = libDir_ + "Sound\\" + gameId_ + "\\" + fileName;
        if (!platform->FileExists(path)) {
            std::size_t dot = path.rfind('.');
            std::size_t slash = path.rfind('\\');
            if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
            path += ".mp3";
        }
        int& counter = SoundAliasCounter();
        if (counter == 18) platform->MciSendString("close 21");
        if (counter > 20) {
            for (int alias = 1; alias <= 20; ++alias)
                platform->MciSendString("close " + std::to_string(alias));
            counter = 0;
        }
        const std::string alias = std::to_string(++counter);
        platform->MciSendString("open \"" + path + "\" alias " + alias);
        platform->MciSendString("play " + alias);
    } catch (const std::exception&) {
        // A sound that cannot play leaves the table as it is.
    }
}

std::string TCustomPluginShare::ExpandAction(const std::string& text, std::string* suffix) const {
    if (text.find('&') == std::string::npos || !iniFile_) return text;
    const std::vector<std::string> words = BlankSeparatedWords(text);
    if (words.empty()) return text;
    const std::string pattern = iniFile_->ReadString("Action", words[0], "");
    if (pattern.empty()) return text;
    std::string target = "大家";
    if (words.size() > 1) {
        std::string idText = words[1];
        if (std::size_t open = idText.find('<'); open != std::string::npos) {
            std::size_t close = idText.find('>', open + 1);
            idText =
                idText.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
        }
        std::int64_t id = 0;
        if (!TIniFile::ParseInt64(idText, id)) id = 0;
        target = DisplayName(id);
    }
    // A name that itself looks like a tag is not put into a template; the line then goes out as typed,
    // once (carrying the typed text behind it as well would send it twice).
    if (target.find('<') != std::string::npos) return text;
    if (suffix) *suffix = text;
    return "\x07" + FillTemplate(pattern, nickName_, target) + "(" + nickName_ + ")";
}

void TCustomPluginShare::SendChat(const std::string& text) {
    if (duplicate_) return;
    std::string suffix;
    std::string line = gbk::SafeCut(ExpandAction(text, &suffix), frames::kChatLimit);
    line += suffix;
    SendFrame(0, TableFrame(frames::cmdChat,
                            TBytes(reinterpret_cast<const std::uint8_t*>(line.data()), line.size())));
    if (OnChatText) OnChatText(this, myId_, line);
    ShowText(line, myId_);
}

int TCustomPluginShare::SendBroadcast(const std::string& text) {
    try {
        if (text.empty() || duplicate_) return 1;
        std::string line = ExpandAction(text, nullptr);
        if (line.find('\x07') != std::string::npos) line.erase(0, 1);
        line = gbk::SafeCut(line, frames::kChatLimit);
        if (line.find("http:") != std::string::npos || line.find("www.") != std::string::npos) {
            ShowText("无效广播信息,请重新输入!", 7);
            return 1;
        }
        if (line == lastBroadcast_) {
            ShowText("不可重复相同广播信息,请重新输入!", 7);
            return 1;
        }
        if (gbk::WideLength(line) > kBroadcastMaxChars) {
            ShowText("广播信息不能超过80个字符！", 7);
            return 1;
        }
        const std::uint32_t now = HasApplication() ? Application().System().TickCount() : 0;
        if (now - lastBroadcastTick_ <= kBroadcastInterval) {
            ShowText("不能频繁发送广播信息!", 7);
            return 1;
        }
        lastBroadcastTick_ = now;
        lastBroadcast_ = line;
        const std::string shout = "[" + nickName_ + "]:" + line;
        SendFrame(0, TableFrame(frames::cmdBroadcast,
                                TBytes(reinterpret_cast<const std::uint8_t*>(shout.data()), shout.size())));
        return 0;
    } catch (const std::exception&) {
        return 1;
    }
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

void TCustomPluginShare::ShowUserMenu(std::int64_t userId) {
    const STRU_PLUGIN_USERINFO* user = FindUser(userId);
    if (!client_ || !userMenuOn_ || !user || (HideNames() && userId != myId_)) return;
    selectedId_ = userId;
    const bool me = userId == myId_;
    TMenuItem& items = userMenu_->Items();
    const std::string account = FixedFieldText(user->Account, sizeof user->Account);
    const std::string id = std::to_string(userId);
    items.Items(0)->SetCaption(user->VipLevel != 0
                                   ? account + "[" + id + "]，VIP(" + std::to_string(user->VipLevel) + ")"
                                   : account + "[" + id + "]，普通用户");
    items.Items(1)->SetCaption("昵称：" + FixedFieldText(user->NickName, sizeof user->NickName));
    std::string beans = BeanName() + "：" + std::to_string(user->Beans);
    if (me) beans += "  " + MoneyName() + "：" + std::to_string(user->Money);
    items.Items(2)->SetCaption(beans);
    const std::int64_t total = std::int64_t(user->Wins) + user->Losses + user->Draws;
    items.Items(4)->SetCaption("胜：" + std::to_string(user->Wins) + "  负：" + std::to_string(user->Losses) +
                               "  平：" + std::to_string(user->Draws) + "  局数：" + std::to_string(total));
    auto rate = [total](std::int64_t part) {
        return total == 0 ? 0.0 : double(part) * 100.0 / double(total);
    };
    char rates[160];
    std::snprintf(rates, sizeof rates, "胜率：%.2f%%  逃跑率：%.2f%%  断线率：%.2f%%", rate(user->Wins),
                  rate(user->Flees), rate(user->Drops));
    items.Items(5)->SetCaption(rates);
    items.Items(6)->SetCaption("游戏等级：" + LevelName(user->Score, user->Beans) + "  " + ScoreName() +
                               "：" + std::to_string(user->Score));
    items.Items(8)->SetEnabled(!playing_);
    items.Items(10)->SetCaption(me ? "进入我的空间" : "进入他(她)的空间");
    items.Items(12)->SetCaption(IsIgnored(userId) ? "◆屏蔽该玩家信息" : "屏蔽该玩家信息");
    items.Items(8)->SetVisible(!me && client_->CanAskToLeave());
    items.Items(11)->SetVisible(!me);
    items.Items(12)->SetVisible(!me);
    if (lovelyMenu_) lovelyMenu_->SetPopupMenu(userMenu_);
    const TPoint at = HasApplication() ? Application().System().CursorPos() : TPoint{};
    userMenu_->Popup(at.x, at.y);
}

} // namespace morvane
