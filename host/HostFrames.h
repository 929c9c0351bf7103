#pragma once

#include "plugin/PluginRecords.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Builders of every frame a hall host hands a table, byte for byte as the host sends them.
namespace morvane::hostframes {

using TFrame = std::vector<std::uint8_t>;
using TBytesIn = std::span<const std::uint8_t>;

TFrame Bytes(const std::string& text);

// [Records]
STRU_PLUGIN_USERINFO MakeUser(std::int64_t userId, std::uint8_t seat, bool seated,
                              const std::string& nickName, const std::string& account = {});
struct TSettingsRecord {
    std::int32_t values[4]{1, 0, 1, 0};
    std::uint8_t flag{0};
    TPluginTableSettings settings{};
    std::int32_t count{0};
    std::vector<TPluginSeatEntry> seats;
};
void SetShortString(std::uint8_t* field, std::size_t width, const std::string& text);
// The table-data record 255: values, settings block, seat count and entries.
TFrame TableSettingsRecord(const TSettingsRecord& record);
// The table-data record 254 with its 500-byte text field.
TFrame NoticeRecord(const std::string& text);
// A 76-byte coffer reply: kind at 0, direction at 1, result code at 10.
TFrame CofferReplyRecord(std::uint8_t kind, std::uint8_t direction, std::uint8_t code);
// One 40-byte score entry.
struct TScoreLine {
    std::int64_t userId{0};
    std::int64_t scoreDelta{0};
    std::int64_t score{0};
    std::int64_t beanDelta{0};
    std::int64_t beans{0};
};

// [Frames by kind]
TFrame TableFrame(std::int64_t fromId, std::uint8_t cmd, TBytesIn payload = {});
TFrame SeatFrame(std::uint8_t sub, std::int64_t userId, std::int32_t seat, TBytesIn data);
// A seat frame whose declared data length differs from the data it carries.
TFrame SeatFrameDeclaring(std::uint8_t sub, std::int64_t userId, std::int32_t seat, std::int32_t declared,
                          TBytesIn data);
TFrame UserState(std::int64_t userId, std::uint8_t state);
// Kind 9 with `count` and the given records (the host sends 200 slots; fewer models a short frame).
TFrame UserList(std::int32_t count, const std::vector<STRU_PLUGIN_USERINFO>& records);
// Kind 9 as the host sends it: the records padded to 200 slots.
TFrame FullUserList(const std::vector<STRU_PLUGIN_USERINFO>& records);
TFrame UserEnter(const STRU_PLUGIN_USERINFO& user);
TFrame UserLeave(std::int64_t userId);
TFrame SeatChange(std::int64_t userId, std::uint8_t seat, bool seated, std::uint8_t changed);
// Kind 16: the entries given (padded to 200 when `padded`).
TFrame ScoreBlock(std::uint8_t flag, std::int32_t count, const std::vector<TScoreLine>& entries,
                  bool padded = true);
TFrame RawNotice(TBytesIn body);
TFrame NoticeText(const std::string& text);
TFrame NoticeTextDeclaring(std::uint16_t declared, const std::string& text);
TFrame UserValue(std::int64_t userId, std::int32_t value);
// Kind 31 with the 200-byte text field (zero-padded), or only `fieldBytes` of it.
TFrame SystemLine(std::int64_t fromId, const std::string& text, std::size_t fieldBytes = 200);

// [Table commands]
TFrame TableData(std::int64_t fromId, TBytesIn data);
TFrame GameData(std::int64_t fromId, TBytesIn data);
TFrame UserReady(std::int64_t fromId, std::int64_t userId, std::uint8_t ready);
TFrame CofferReply(std::int64_t fromId, TBytesIn reply);
TFrame Attribute(std::int64_t fromId, std::int64_t userId, std::uint8_t value);
TFrame GameStart();
TFrame GameOver();
TFrame TextLine(std::int64_t fromId, const std::string& text);
TFrame Broadcast(std::int64_t fromId, const std::string& text);
TFrame Chat(std::int64_t fromId, const std::string& text);
TFrame NumberedText(std::int64_t fromId, const std::string& text);

} // namespace morvane::hostframes
