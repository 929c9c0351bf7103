#include "plugin/PluginRecords.h"

#include <cstring>

namespace morvane {

TScoreEntry ScoreEntryAt(const TPluginScoreBlock& block, int index) {
    TScoreEntry entry;
    if (index < 0 || index >= kMaxTableUsers) return entry;
    ByteReader reader(
        std::span<const std::uint8_t>(block).subspan(std::size_t(index) * kScoreEntrySize, kScoreEntrySize));
    reader.ReadI64(entry.UserID);
    reader.ReadI64(entry.ScoreDelta);
    reader.ReadI64(entry.Score);
    reader.ReadI64(entry.BeanDelta);
    reader.ReadI64(entry.Beans);
    return entry;
}

bool ReadUserInfo(ByteReader& reader, STRU_PLUGIN_USERINFO& info) {
    std::array<std::uint8_t, kUserInfoSize> bytes{};
    if (!reader.ReadBytes(bytes)) return false;
    std::memcpy(&info, bytes.data(), bytes.size());
    return true;
}

std::array<std::uint8_t, kUserInfoSize> UserInfoBytes(const STRU_PLUGIN_USERINFO& info) {
    std::array<std::uint8_t, kUserInfoSize> bytes{};
    std::memcpy(bytes.data(), &info, bytes.size());
    return bytes;
}

bool ReadTableSettings(ByteReader& reader, TPluginTableSettings& settings) {
    std::array<std::uint8_t, sizeof(TPluginTableSettings)> bytes{};
    if (!reader.ReadBytes(bytes)) return false;
    std::memcpy(&settings, bytes.data(), bytes.size());
    return true;
}

bool ReadSeatEntry(ByteReader& reader, TPluginSeatEntry& entry) {
    if (reader.Remaining() < kSeatEntrySize) return false;
    TPluginSeatEntry read;
    bool ok = reader.ReadI64(read.UserID) && reader.ReadFixedString(20, read.Name) &&
              reader.ReadI32(read.Value28) && reader.ReadU8(read.Inactive) &&
              reader.ReadI32(read.RoundsPlayed) && reader.ReadU8(read.Byte37) && reader.ReadU8(read.Byte38) &&
              reader.ReadI32(read.Value39) && reader.ReadI32(read.Value43) && reader.ReadI64(read.Amount47) &&
              reader.ReadI64(read.Amount55);
    if (ok) entry = std::move(read);
    return ok;
}

std::string FilteredNickName(const STRU_PLUGIN_USERINFO& info) {
    std::string name;
    for (char c : info.NickName)
        if (static_cast<unsigned char>(c) >= 32) name.push_back(c);
    return name;
}

std::string FixedFieldText(const char* field, std::size_t width) {
    std::size_t length = 0;
    while (length < width && field[length] != 0)
        ++length;
    return std::string(field, length);
}

} // namespace morvane
