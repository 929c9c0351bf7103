#include "host/HostFrames.h"

#include "base/ByteWriter.h"

#include <algorithm>
#include <cstring>

namespace morvane::hostframes {
namespace {

constexpr std::uint8_t kTable = 3, kSeat = 4, kUserState = 8, kUserList = 9, kUserEnter = 10, kUserLeave = 12,
                       kSeatChange = 14, kScoreBlock = 16, kRawNotice = 23, kNoticeText = 25, kUserValue = 30,
                       kSystemLine = 31;

void CopyText(char* field, std::size_t width, const std::string& text) {
    std::memcpy(field, text.data(), std::min(width, text.size()));
}

} // namespace

TFrame Bytes(const std::string& text) {
    return TFrame(text.begin(), text.end());
}

STRU_PLUGIN_USERINFO MakeUser(std::int64_t userId, std::uint8_t seat, bool seated,
                              const std::string& nickName, const std::string& account) {
    STRU_PLUGIN_USERINFO user{};
    user.Seat = seat;
    user.Seated = seated ? 1 : 0;
    user.UserID = userId;
    CopyText(user.Account, sizeof user.Account, account.empty() ? nickName : account);
    CopyText(user.NickName, sizeof user.NickName, nickName);
    return user;
}

void SetShortString(std::uint8_t* field, std::size_t width, const std::string& text) {
    std::size_t length = std::min(width - 1, text.size());
    field[0] = std::uint8_t(length);
    std::memcpy(field + 1, text.data(), length);
}

TFrame TableSettingsRecord(const TSettingsRecord& record) {
    ByteWriter writer;
    writer.WriteU8(255);
    writer.WriteU8(0);
    for (std::int32_t value : record.values)
        writer.WriteI32(value);
    writer.WriteU8(record.flag);
    std::uint8_t settings[sizeof(TPluginTableSettings)];
    std::memcpy(settings, &record.settings, sizeof settings);
    writer.WriteBytes(settings);
    writer.WriteI32(record.count);
    for (const TPluginSeatEntry& seat : record.seats) {
        writer.WriteI64(seat.UserID);
        writer.WriteFixedString(seat.Name, 20);
        writer.WriteI32(seat.Value28);
        writer.WriteU8(seat.Inactive);
        writer.WriteI32(seat.RoundsPlayed);
        writer.WriteU8(seat.Byte37);
        writer.WriteU8(seat.Byte38);
        writer.WriteI32(seat.Value39);
        writer.WriteI32(seat.Value43);
        writer.WriteI64(seat.Amount47);
        writer.WriteI64(seat.Amount55);
    }
    return writer.Take();
}

TFrame NoticeRecord(const std::string& text) {
    ByteWriter writer;
    writer.WriteU8(254);
    writer.WriteFixedString(text, 500);
    return writer.Take();
}

TFrame CofferReplyRecord(std::uint8_t kind, std::uint8_t direction, std::uint8_t code) {
    TFrame reply(76, 0);
    reply[0] = kind;
    reply[1] = direction;
    reply[10] = code;
    return reply;
}

TFrame TableFrame(std::int64_t fromId, std::uint8_t cmd, TBytesIn payload) {
    ByteWriter writer;
    writer.WriteU8(kTable);
    writer.WriteI64(fromId);
    writer.WriteU8(cmd);
    writer.WriteBytes(payload);
    return writer.Take();
}

TFrame SeatFrameDeclaring(std::uint8_t sub, std::int64_t userId, std::int32_t seat, std::int32_t declared,
                          TBytesIn data) {
    ByteWriter writer;
    writer.WriteU8(kSeat);
    writer.WriteU8(sub);
    writer.WriteI64(userId);
    writer.WriteI32(seat);
    writer.WriteI32(declared);
    writer.WriteBytes(data);
    return writer.Take();
}

TFrame SeatFrame(std::uint8_t sub, std::int64_t userId, std::int32_t seat, TBytesIn data) {
    return SeatFrameDeclaring(sub, userId, seat, std::int32_t(data.size()), data);
}

TFrame UserState(std::int64_t userId, std::uint8_t state) {
    ByteWriter writer;
    writer.WriteU8(kUserState);
    writer.WriteI64(userId);
    writer.WriteU8(state);
    return writer.Take();
}

TFrame UserList(std::int32_t count, const std::vector<STRU_PLUGIN_USERINFO>& records) {
    ByteWriter writer;
    writer.WriteU8(kUserList);
    writer.WriteI32(count);
    for (const STRU_PLUGIN_USERINFO& user : records)
        writer.WriteBytes(UserInfoBytes(user));
    return writer.Take();
}

TFrame FullUserList(const std::vector<STRU_PLUGIN_USERINFO>& records) {
    std::vector<STRU_PLUGIN_USERINFO> slots = records;
    slots.resize(kMaxTableUsers, STRU_PLUGIN_USERINFO{});
    return UserList(std::int32_t(records.size()), slots);
}

TFrame UserEnter(const STRU_PLUGIN_USERINFO& user) {
    ByteWriter writer;
    writer.WriteU8(kUserEnter);
    writer.WriteBytes(UserInfoBytes(user));
    return writer.Take();
}

TFrame UserLeave(std::int64_t userId) {
    ByteWriter writer;
    writer.WriteU8(kUserLeave);
    writer.WriteI64(userId);
    return writer.Take();
}

TFrame SeatChange(std::int64_t userId, std::uint8_t seat, bool seated, std::uint8_t changed) {
    ByteWriter writer;
    writer.WriteU8(kSeatChange);
    writer.WriteI64(userId);
    writer.WriteU8(seat);
    writer.WriteU8(seated ? 1 : 0);
    writer.WriteU8(changed);
    return writer.Take();
}

TFrame ScoreBlock(std::uint8_t flag, std::int32_t count, const std::vector<TScoreLine>& entries,
                  bool padded) {
    ByteWriter writer;
    writer.WriteU8(kScoreBlock);
    writer.WriteU8(flag);
    writer.WriteI32(count);
    for (const TScoreLine& entry : entries) {
        writer.WriteI64(entry.userId);
        writer.WriteI64(entry.scoreDelta);
        writer.WriteI64(entry.score);
        writer.WriteI64(entry.beanDelta);
        writer.WriteI64(entry.beans);
    }
    if (padded && entries.size() < std::size_t(kMaxTableUsers))
        writer.WriteZeros((kMaxTableUsers - entries.size()) * kScoreEntrySize);
    return writer.Take();
}

TFrame RawNotice(TBytesIn body) {
    ByteWriter writer;
    writer.WriteU8(kRawNotice);
    writer.WriteBytes(body);
    return writer.Take();
}

TFrame NoticeTextDeclaring(std::uint16_t declared, const std::string& text) {
    // Room for the whole frame up front: growing it byte by byte trips a false overflow warning of
    // GCC 12 at -O3.
    ByteWriter writer(3 + text.size());
    writer.WriteU8(kNoticeText);
    writer.WriteU16(declared);
    writer.WriteString(text);
    return writer.Take();
}

TFrame NoticeText(const std::string& text) {
    return NoticeTextDeclaring(std::uint16_t(std::min<std::size_t>(text.size(), 0xFFFF)), text);
}

TFrame UserValue(std::int64_t userId, std::int32_t value) {
    ByteWriter writer;
    writer.WriteU8(kUserValue);
    writer.WriteI64(userId);
    writer.WriteI32(value);
    return writer.Take();
}

TFrame SystemLine(std::int64_t fromId, const std::string& text, std::size_t fieldBytes) {
    ByteWriter writer;
    writer.WriteU8(kSystemLine);
    writer.WriteI64(fromId);
    TFrame field(200, 0);
    std::memcpy(field.data(), text.data(), std::min<std::size_t>(text.size(), 200));
    writer.WriteBytes(std::span<const std::uint8_t>(field).first(std::min<std::size_t>(fieldBytes, 200)));
    return writer.Take();
}

TFrame TableData(std::int64_t fromId, TBytesIn data) {
    return TableFrame(fromId, 17, data);
}

TFrame GameData(std::int64_t fromId, TBytesIn data) {
    return TableFrame(fromId, 18, data);
}

TFrame UserReady(std::int64_t fromId, std::int64_t userId, std::uint8_t ready) {
    ByteWriter payload;
    payload.WriteI64(userId);
    payload.WriteU8(ready);
    return TableFrame(fromId, 19, payload.Bytes());
}

TFrame CofferReply(std::int64_t fromId, TBytesIn reply) {
    return TableFrame(fromId, 21, reply);
}

TFrame Attribute(std::int64_t fromId, std::int64_t userId, std::uint8_t value) {
    ByteWriter payload;
    payload.WriteI64(userId);
    payload.WriteU8(value);
    return TableFrame(fromId, 33, payload.Bytes());
}

TFrame GameStart() {
    return TableFrame(0, 49);
}

TFrame GameOver() {
    return TableFrame(0, 50);
}

TFrame TextLine(std::int64_t fromId, const std::string& text) {
    return TableFrame(fromId, 65, Bytes(text));
}

TFrame Broadcast(std::int64_t fromId, const std::string& text) {
    return TableFrame(fromId, 66, Bytes(text));
}

TFrame Chat(std::int64_t fromId, const std::string& text) {
    return TableFrame(fromId, 67, Bytes(text));
}

TFrame NumberedText(std::int64_t fromId, const std::string& text) {
    return TableFrame(fromId, 73, Bytes(text));
}

} // namespace morvane::hostframes
