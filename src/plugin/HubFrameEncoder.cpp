// The hub's requests to the host: every frame the table sends, built and handed to the host's SendData.
#include "base/ByteWriter.h"
#include "plugin/CustomPluginDialog.h"
#include "plugin/CustomPluginScore.h"
#include "plugin/CustomPluginShare.h"

#include <vector>

namespace morvane {

void TCustomPluginShare::SendFrame(std::int64_t toId, const std::vector<std::uint8_t>& frame) {
    if (!host_ || requestsClosed_) return;
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

void TCustomPluginShare::SendLeaveFrames(TFirstFailure& failure) {
    if (!host_) return;
    if ((client_ && seated_) || (!client_ && seated_ && playing_)) {
        const std::uint8_t seat = mySeat_;
        failure.Run([&] { SendFrame(0, TableFrame(frames::cmdLeaveSeat, TBytes(&seat, 1))); });
    }
    ByteWriter leave(9);
    leave.WriteU8(frames::kLeave);
    leave.WriteI64(myId_);
    failure.Run([&] { SendFrame(0, leave.Bytes()); });
}

void TCustomPluginShare::Invite() {
    if (host_) CheckHost("Invite", host_->Invite(cookie_, 0, 0));
}

} // namespace morvane
