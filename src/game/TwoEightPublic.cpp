#include "game/TwoEightPublic.h"

namespace morvane {

std::string_view ResultName(int code) {
    switch (ResultKindOf(code)) {
    case TResultKind::Banker:
        return "庄家赢";
    case TResultKind::Player:
        return "闲家赢";
    case TResultKind::Tie:
        return "平局";
    case TResultKind::None:
        break;
    }
    return {};
}

namespace {

// A little-endian value from bytes already known to be there; the records are read a block at a time.
template <typename T>
T LittleEndian(const std::uint8_t* bytes) {
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= T(T(bytes[i]) << (8 * i));
    return value;
}

} // namespace

std::array<bool, kRegionCount> WinningRegions(int code) {
    std::array<bool, kRegionCount> won{};
    if (!IsResultCode(code)) return won;
    won[std::size_t(code)] = true;
    if (IsSpecialResult(code)) won[std::size_t(code - 1)] = true;
    return won;
}

bool ReadBankerList(ByteReader& reader, TBankerList& list) {
    std::span<const std::uint8_t> bytes;
    if (!reader.ReadSpan(kBankerListBytes, bytes)) return false;
    for (TBankerListEntry& entry : list) {
        entry.UserId = std::int64_t(LittleEndian<std::uint64_t>(bytes.data()));
        entry.Chair = std::int32_t(LittleEndian<std::uint32_t>(bytes.data() + 8));
        if (!IsChair(entry.Chair)) entry.Chair = kNoChair;
        bytes = bytes.subspan(16);
    }
    return true;
}

void WriteBankerList(ByteWriter& writer, const TBankerList& list) {
    for (const TBankerListEntry& entry : list) {
        writer.WriteI64(entry.UserId);
        writer.WriteI32(entry.Chair);
        writer.WriteZeros(4);
    }
}

namespace {

constexpr std::size_t kRoadBytes = 3 * kRoadLength;

template <typename Entry, typename Road, typename Sanitize>
bool ReadRoad(ByteReader& reader, Road& road, Sanitize sanitize) {
    std::span<const std::uint8_t> bytes;
    if (!reader.ReadSpan(kRoadBytes, bytes)) return false;
    for (std::size_t i = 0; i < road.size(); ++i)
        road[i] = sanitize(bytes.data() + 3 * i);
    return true;
}

} // namespace

bool ReadBarRoad(ByteReader& reader, TBarRoad& road) {
    return ReadRoad<TBarRoadEntry>(reader, road, [](const std::uint8_t* b) {
        TBarRoadEntry entry{b[0], b[1], b[2]};
        return entry.Valid() ? entry : TBarRoadEntry{};
    });
}

void WriteBarRoad(ByteWriter& writer, const TBarRoad& road) {
    for (const TBarRoadEntry& entry : road) {
        writer.WriteU8(entry.BankerPoints);
        writer.WriteU8(entry.PlayerPoints);
        writer.WriteU8(entry.ResultCode);
    }
}

bool ReadResultRoad(ByteReader& reader, TResultRoad& road) {
    return ReadRoad<TResultTableEntry>(reader, road, [](const std::uint8_t* b) {
        return TResultTableEntry{SanitizeResultCode(b[0]), b[1], b[2]};
    });
}

void WriteResultRoad(ByteWriter& writer, const TResultRoad& road) {
    for (const TResultTableEntry& entry : road) {
        writer.WriteU8(entry.ResultCode);
        writer.WriteU8(entry.BankerPair);
        writer.WriteU8(entry.PlayerPair);
    }
}

bool ReadRegionAmounts(ByteReader& reader, TRegionAmounts& amounts) {
    std::span<const std::uint8_t> bytes;
    if (!reader.ReadSpan(8 * amounts.size(), bytes)) return false;
    for (std::size_t i = 0; i < amounts.size(); ++i)
        amounts[i] = std::int64_t(LittleEndian<std::uint64_t>(bytes.data() + 8 * i));
    return true;
}

void WriteRegionAmounts(ByteWriter& writer, const TRegionAmounts& amounts) {
    for (std::int64_t amount : amounts)
        writer.WriteI64(amount);
}

} // namespace morvane
