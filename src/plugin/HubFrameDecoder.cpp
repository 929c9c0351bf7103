// The hub's reading of host frames: each frame checked and decoded into a call of its typed handler.
#include "base/ByteReader.h"
#include "base/Gbk.h"
#include "base/ScopeExit.h"
#include "gui/Application.h"
#include "plugin/CustomPluginShare.h"

#include <algorithm>
#include <memory>

namespace morvane {

void TCustomPluginShare::PostCommand(int len, const std::uint8_t* data) {
    if (len <= 0 || !data || !HasApplication()) return;
    const TBytes frame(data, std::size_t(len));
    const auto target = TControlHandle(commandWindow_);
    // Decoding happens in the form's thread, one frame at a time, before this call returns. The pending
    // frame is set there too, so that two callers on two threads each have their own frame decoded; it
    // points into the host's buffer and is put back however the hand-off ends, so no view of that buffer
    // outlives this call.
    Application().System().SendSync([this, frame, target] {
        // A closed table takes no more frames.
        if (finalized_) return;
        if (OnPrepCommand) OnPrepCommand(this, int(frame.size()), frame.data());
        const TBytes previous = pending_;
        pending_ = frame;
        TScopeExit restore([this, previous] { pending_ = previous; });
        if (TControl* window = Application().FindControl(target)) window->Perform(WM_PLUGIN_COMMAND);
    });
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
        const std::string text =
            gbk::SafeCut(std::string_view(reinterpret_cast<const char*>(payload.data()), payload.size()),
                         frames::kTextLimit);
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

} // namespace morvane
