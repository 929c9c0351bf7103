#pragma once

#include "base/ByteReader.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// The records the hub and the component bases share: the user record of the host's frames, the table
// settings and seat entries of the game client, and the score block. Layouts are packed little-endian;
// the packed structs are filled with memcpy from checked reads, never laid over a buffer.

namespace morvane {

static_assert(std::endian::native == std::endian::little, "records are copied as little-endian bytes");

#pragma pack(push, 1)
// One user at the table, as the host sends it (frames 9 and 10) and the hub keeps it.
struct STRU_PLUGIN_USERINFO {
    std::uint8_t Seat;
    std::uint8_t Seated;
    std::int64_t UserID;
    char Account[20];
    char NickName[20]; // not necessarily zero-terminated
    std::uint8_t Reserved50[29];
    std::int32_t Face;
    std::int32_t ExtValue;
    std::uint8_t Reserved87[12];
    std::int64_t Beans;
    std::int64_t Money;
    std::uint8_t Reserved115[8];
    std::int64_t Score;
    std::int32_t Wins;
    std::int32_t Losses;
    std::int32_t Draws;
    std::int32_t Flees;
    std::int32_t Drops;
    std::int32_t VipLevel;
    std::uint8_t Reserved155[39];
    std::int32_t UserValue;
};
#pragma pack(pop)
static_assert(sizeof(STRU_PLUGIN_USERINFO) == 198);
static_assert(offsetof(STRU_PLUGIN_USERINFO, UserID) == 2);
static_assert(offsetof(STRU_PLUGIN_USERINFO, Account) == 10);
static_assert(offsetof(STRU_PLUGIN_USERINFO, NickName) == 30);
static_assert(offsetof(STRU_PLUGIN_USERINFO, Face) == 79);
static_assert(offsetof(STRU_PLUGIN_USERINFO, ExtValue) == 83);
static_assert(offsetof(STRU_PLUGIN_USERINFO, Beans) == 99);
static_assert(offsetof(STRU_PLUGIN_USERINFO, Money) == 107);
static_assert(offsetof(STRU_PLUGIN_USERINFO, Score) == 123);
static_assert(offsetof(STRU_PLUGIN_USERINFO, Wins) == 131);
static_assert(offsetof(STRU_PLUGIN_USERINFO, Drops) == 147);
static_assert(offsetof(STRU_PLUGIN_USERINFO, VipLevel) == 151);
static_assert(offsetof(STRU_PLUGIN_USERINFO, UserValue) == 194);

inline constexpr int kMaxTableUsers = 200;
inline constexpr std::size_t kUserInfoSize = sizeof(STRU_PLUGIN_USERINFO);

// The user list as the components get it: always 200 slots, the ones the frame did not carry zeroed.
using TPluginUserSlots = std::array<STRU_PLUGIN_USERINFO, kMaxTableUsers>;

// Score block of frame 16: 200 entries of 40 bytes (identity, score delta, score, bean delta, beans).
inline constexpr std::size_t kScoreEntrySize = 40;
inline constexpr std::size_t kScoreBlockSize = kScoreEntrySize * kMaxTableUsers;
using TPluginScoreBlock = std::array<std::uint8_t, kScoreBlockSize>;

struct TScoreEntry {
    std::int64_t UserID{0};
    std::int64_t ScoreDelta{0};
    std::int64_t Score{0};
    std::int64_t BeanDelta{0};
    std::int64_t Beans{0};
};
TScoreEntry ScoreEntryAt(const TPluginScoreBlock& block, int index);

#pragma pack(push, 1)
// The table-settings block the game client receives with its table data (129 bytes).
struct TPluginTableSettings {
    std::uint8_t RequiredRounds;
    std::uint8_t Reserved1[3];
    std::int32_t ScoreNotes;
    std::int32_t BeanNotes;
    std::int32_t PenaltySwitchA;
    std::int32_t PenaltySwitchB;
    std::uint8_t Reserved20[12];
    std::int32_t MinPlayerCount;
    std::uint8_t Reserved36[4];
    std::uint8_t MatchMode;
    std::uint8_t HideNames;
    std::uint8_t ChatMode;
    std::uint8_t Reserved43;
    std::uint8_t FreeLeave;
    std::uint8_t MoneyName[42]; // length byte, then the text
    std::uint8_t BeanName[21];
    std::uint8_t ScoreName[20];
    std::uint8_t LastByte;
};
#pragma pack(pop)
static_assert(sizeof(TPluginTableSettings) == 129);
static_assert(offsetof(TPluginTableSettings, ScoreNotes) == 4);
static_assert(offsetof(TPluginTableSettings, PenaltySwitchB) == 16);
static_assert(offsetof(TPluginTableSettings, MinPlayerCount) == 32);
static_assert(offsetof(TPluginTableSettings, MatchMode) == 40);
static_assert(offsetof(TPluginTableSettings, FreeLeave) == 44);
static_assert(offsetof(TPluginTableSettings, MoneyName) == 45);
static_assert(offsetof(TPluginTableSettings, BeanName) == 87);
static_assert(offsetof(TPluginTableSettings, ScoreName) == 108);
static_assert(offsetof(TPluginTableSettings, LastByte) == 128);

// A length-prefixed name of the settings; the length is held to the field.
template <std::size_t N>
std::string ShortString(const std::uint8_t (&field)[N]) {
    std::size_t length = field[0] < N - 1 ? field[0] : N - 1;
    return std::string(reinterpret_cast<const char*>(field + 1), length);
}

// One entry of the game client's seat table (63 bytes in the record).
struct TPluginSeatEntry {
    std::int64_t UserID{0};
    std::string Name; // the 20-byte field up to its first zero
    std::int32_t Value28{0};
    std::uint8_t Inactive{0};
    std::int32_t RoundsPlayed{0};
    std::uint8_t Byte37{0};
    std::uint8_t Byte38{0};
    std::int32_t Value39{0};
    std::int32_t Value43{0};
    std::int64_t Amount47{0};
    std::int64_t Amount55{0};
};
inline constexpr std::size_t kSeatEntrySize = 63;

// Reads one 198-byte user record; false (and nothing read) when fewer bytes remain.
bool ReadUserInfo(ByteReader& reader, STRU_PLUGIN_USERINFO& info);
// The record's 198 bytes, as they travel.
std::array<std::uint8_t, kUserInfoSize> UserInfoBytes(const STRU_PLUGIN_USERINFO& info);
bool ReadTableSettings(ByteReader& reader, TPluginTableSettings& settings);
bool ReadSeatEntry(ByteReader& reader, TPluginSeatEntry& entry);

// The nickname as shown: the 20 bytes with every byte below 32 removed (zero padding, control characters).
std::string FilteredNickName(const STRU_PLUGIN_USERINFO& info);
// A zero-terminated fixed field as text.
std::string FixedFieldText(const char* field, std::size_t width);

} // namespace morvane
