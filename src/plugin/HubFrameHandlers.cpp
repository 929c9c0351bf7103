// What the hub does with each decoded host frame: which components hear of it and what they are told.
#include "plugin/CustomPluginEvents.h"
#include "plugin/CustomPluginScore.h"
#include "plugin/CustomPluginShare.h"
#include "plugin/CustomPluginUser.h"

namespace morvane {

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
        if (showStartStop_) ShowText("****游戏开始****", lines::kNotice);
        PlaySound("Start.wav");
    }
    playing_ = true;
    if (client_) client_->DoGameStart();
    if (score_) score_->Hide();
}

void TCustomPluginShare::DoGameOver() {
    if (playing_ && showStartStop_) ShowText("****游戏结束****", lines::kNotice);
    PlaySound("GameOver.wav");
    playing_ = false;
    if (client_) client_->DoGameOver();
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

} // namespace morvane
