#include "game/GameNotices.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"

#include <algorithm>

namespace morvane {

namespace {

// A reader over a record of the given id that holds at least `size` bytes, placed after the id byte.
std::optional<ByteReader> OpenRecord(std::span<const std::uint8_t> record, std::uint8_t id,
                                     std::size_t size) {
    if (record.size() < size || record[0] != id) return std::nullopt;
    ByteReader reader(record);
    reader.Skip(1);
    return reader;
}

ByteWriter StartRecord(std::uint8_t id, std::size_t size) {
    ByteWriter writer(size);
    writer.WriteU8(id);
    return writer;
}

} // namespace

// [SECTION] TBetNotice

std::optional<TBetNotice> TBetNotice::Read(std::span<const std::uint8_t> record) {
    auto reader = OpenRecord(record, GameRecord::Bet, kSize);
    if (!reader) return std::nullopt;
    TBetNotice notice;
    reader->ReadI64(notice.UserId);
    reader->Skip(1);
    reader->ReadI64(notice.Amount);
    reader->ReadU8(notice.Region);
    reader->ReadI64(notice.UserStake);
    reader->ReadI64(notice.RegionTotal);
    reader->Skip(64);
    reader->ReadI32(notice.PhaseElapsed);
    if (!IsBetRegion(notice.Region)) return std::nullopt;
    return notice;
}

std::vector<std::uint8_t> TBetNotice::Write() const {
    ByteWriter writer = StartRecord(GameRecord::Bet, kSize);
    writer.WriteI64(UserId);
    writer.WriteZeros(1);
    writer.WriteI64(Amount);
    writer.WriteU8(Region);
    writer.WriteI64(UserStake);
    writer.WriteI64(RegionTotal);
    writer.WriteZeros(64);
    writer.WriteI32(PhaseElapsed);
    return writer.Take();
}

// [SECTION] TSettlementNotice

bool TSettlementNotice::TookPart() const {
    // Any stake counts; adding the stakes up could overflow, or cancel out, to a false "did not bet".
    return std::any_of(OwnStakes.begin(), OwnStakes.end(), [](std::int64_t stake) { return stake != 0; });
}

std::optional<TSettlementNotice> TSettlementNotice::Read(std::span<const std::uint8_t> record) {
    auto reader = OpenRecord(record, GameRecord::Settlement, kSize);
    if (!reader) return std::nullopt;
    TSettlementNotice notice;
    std::uint8_t result = 0;
    reader->ReadU8(result);
    notice.ResultCode = SanitizeResultCode(result);
    reader->ReadU8(notice.PointsA);
    reader->ReadU8(notice.PointsB);
    ReadRegionAmounts(*reader, notice.OwnStakes);
    reader->ReadI64(notice.NetResult);
    reader->Skip(8);
    std::uint8_t playerPair = 0;
    std::uint8_t bankerPair = 0;
    reader->ReadU8(playerPair);
    reader->ReadU8(bankerPair);
    notice.PlayerPair = playerPair != 0;
    notice.BankerPair = bankerPair != 0;
    return notice;
}

std::vector<std::uint8_t> TSettlementNotice::Write() const {
    ByteWriter writer = StartRecord(GameRecord::Settlement, kSize);
    writer.WriteU8(ResultCode);
    writer.WriteU8(PointsA);
    writer.WriteU8(PointsB);
    WriteRegionAmounts(writer, OwnStakes);
    writer.WriteI64(NetResult);
    writer.WriteZeros(8);
    writer.WriteU8(PlayerPair ? 1 : 0);
    writer.WriteU8(BankerPair ? 1 : 0);
    return writer.Take();
}

// [SECTION] TBankerListNotice

std::optional<TBankerListNotice> TBankerListNotice::Read(std::span<const std::uint8_t> record) {
    auto reader = OpenRecord(record, GameRecord::BankerList, kSize);
    if (!reader) return std::nullopt;
    TBankerListNotice notice;
    reader->ReadU8(notice.BankerState);
    reader->Skip(9);
    reader->ReadI64(notice.BankerWinnings);
    reader->ReadI32(notice.BankerRounds);
    ReadBankerList(*reader, notice.BankerList);
    return notice;
}

std::vector<std::uint8_t> TBankerListNotice::Write() const {
    ByteWriter writer = StartRecord(GameRecord::BankerList, kSize);
    writer.WriteU8(BankerState);
    writer.WriteZeros(9);
    writer.WriteI64(BankerWinnings);
    writer.WriteI32(BankerRounds);
    WriteBankerList(writer, BankerList);
    return writer.Take();
}

// [SECTION] TGrabBankerReply

std::optional<TGrabBankerReply> TGrabBankerReply::Read(std::span<const std::uint8_t> record) {
    auto reader = OpenRecord(record, GameRecord::GrabBankerReply, kSize);
    if (!reader) return std::nullopt;
    TGrabBankerReply reply;
    reader->Seek(9);
    reader->ReadI32(reply.Outcome);
    return reply;
}

std::vector<std::uint8_t> TGrabBankerReply::Write() const {
    ByteWriter writer = StartRecord(GameRecord::GrabBankerReply, kSize);
    writer.WriteZeros(8);
    writer.WriteI32(Outcome);
    return writer.Take();
}

// [SECTION] TComputerBetNotice

namespace {
constexpr std::size_t kComputerAmountsOffset = 82;
}

std::optional<TComputerBetNotice> TComputerBetNotice::Read(std::span<const std::uint8_t> record) {
    auto reader = OpenRecord(record, GameRecord::ComputerBet, kSize);
    if (!reader) return std::nullopt;
    TComputerBetNotice notice;
    reader->ReadU8(notice.BankerKind);
    reader->Seek(kComputerAmountsOffset);
    ReadRegionAmounts(*reader, notice.Amounts);
    return notice;
}

std::vector<std::uint8_t> TComputerBetNotice::Write() const {
    ByteWriter writer = StartRecord(GameRecord::ComputerBet, kSize);
    writer.WriteU8(BankerKind);
    writer.WriteZeros(kComputerAmountsOffset - 2);
    WriteRegionAmounts(writer, Amounts);
    return writer.Take();
}

} // namespace morvane
