#include "game/TableScene.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "base/Gbk.h"

#include <algorithm>

namespace morvane {

namespace {

constexpr std::size_t kMaxHandCards = 3;

// Reads one field at a time; a field that does not fit ends the whole read with the range error, leaving the
// field, and everything after it, as it was.
class TSceneCursor {
public:
    explicit TSceneCursor(std::span<const std::uint8_t> bytes) : reader_(bytes) {}

    void Read(std::uint8_t& value) { Require(reader_.ReadU8(value)); }
    void Read(std::uint16_t& value) { Require(reader_.ReadU16(value)); }
    void Read(std::int32_t& value) { Require(reader_.ReadI32(value)); }
    void Read(std::int64_t& value) { Require(reader_.ReadI64(value)); }
    void Read(bool& flag) {
        std::uint8_t byte = 0;
        Read(byte);
        flag = byte != 0;
    }
    void Read(TBankerList& list) { ReadWhole(list, ReadBankerList); }
    void Read(TRegionAmounts& amounts) { ReadWhole(amounts, ReadRegionAmounts); }
    void Read(TBarRoad& road) { ReadWhole(road, ReadBarRoad); }
    void Read(TResultRoad& road) { ReadWhole(road, ReadResultRoad); }

    // A hand: one length byte and room for three card characters.
    void ReadHand(std::string& cards) {
        std::uint8_t bytes[1 + kMaxHandCards];
        Require(reader_.ReadBytes(bytes));
        std::size_t count = std::min<std::size_t>(bytes[0], kMaxHandCards);
        cards.assign(bytes + 1, bytes + 1 + count);
    }

    // A text of `length` bytes; a negative length cannot fit. What passes kSceneTextLimit is skipped.
    void ReadText(std::int32_t length, std::string& text) {
        Require(length >= 0);
        std::span<const std::uint8_t> bytes;
        Require(reader_.ReadSpan(std::size_t(length), bytes));
        text = gbk::SafeCut(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                            kSceneTextLimit);
    }

    void ReadChipIndices(std::array<int, kChipButtonCount>& indices) {
        Require(reader_.Remaining() >= 4 * indices.size());
        for (int& index : indices) {
            std::int32_t raw = 0;
            reader_.ReadI32(raw);
            index = ClampChipIndex(raw);
        }
    }

private:
    static void Require(bool fits) {
        if (!fits) throw ERangeCheckError();
    }
    template <typename T, typename Reader>
    void ReadWhole(T& field, Reader read) {
        T value{};
        Require(read(reader_, value));
        field = value;
    }

    ByteReader reader_;
};

// The road table's count covers only the leading entries that are games.
std::int32_t UsableRoadCount(std::int32_t count, const TResultRoad& road) {
    std::int32_t limit = std::clamp<std::int32_t>(count, 0, kRoadLength);
    std::int32_t usable = 0;
    while (usable < limit && road[std::size_t(usable)].Valid())
        ++usable;
    return usable;
}

void WriteHand(ByteWriter& writer, const std::string& cards) {
    std::size_t count = std::min(cards.size(), kMaxHandCards);
    writer.WriteU8(std::uint8_t(count));
    writer.WriteString(std::string_view(cards).substr(0, count));
    writer.WriteZeros(kMaxHandCards - count);
}

} // namespace

void ReadTableScene(std::span<const std::uint8_t> bytes, TTableScene& scene) {
    TSceneCursor cursor(bytes);
    std::int32_t statusLength = 0;
    std::int32_t noBankerLength = 0;
    cursor.Read(statusLength);
    cursor.Read(noBankerLength);
    cursor.Read(scene.GameInProgress);
    cursor.Read(scene.BankerList);
    cursor.Read(scene.OwnStakes);
    cursor.Read(scene.TotalStakes);
    cursor.Read(scene.AcceptableAmounts);
    cursor.Read(scene.BarRoad);
    cursor.Read(scene.ResultRoad);
    cursor.Read(scene.LastPointsA);
    cursor.Read(scene.LastPointsB);
    cursor.Read(scene.BankerBeans);
    cursor.Read(scene.BankerWinnings);
    cursor.ReadHand(scene.PlayerCards);
    cursor.ReadHand(scene.BankerCards);
    std::int32_t roadCount = 0;
    cursor.Read(roadCount);
    scene.ResultRoadCount = UsableRoadCount(roadCount, scene.ResultRoad);
    std::uint8_t lastResult = 0;
    cursor.Read(lastResult);
    scene.LastResultCode = SanitizeResultCode(lastResult);
    cursor.Read(scene.BankerRounds);
    std::uint8_t phase = 0;
    cursor.Read(phase);
    scene.Phase = GamePhaseFromByte(phase);
    cursor.Read(scene.BettingTime);
    cursor.Read(scene.FreeTime);
    cursor.Read(scene.DealingTime);
    cursor.Read(scene.NoBanker);
    cursor.Read(scene.Unused720);
    cursor.Read(scene.AutoPass);
    cursor.ReadText(statusLength, scene.StatusText);
    cursor.ReadText(noBankerLength, scene.NoBankerText);
    cursor.ReadChipIndices(scene.ChipIndices);
    cursor.Read(scene.Hedging);
    cursor.Read(scene.SettlementTime);
    cursor.Read(scene.BankerApplyBeans);
    cursor.Read(scene.BankerKeepBeans);
    cursor.Read(scene.BankerPayoutCap);
    cursor.Read(scene.RegionPayoutCap);
    cursor.Read(scene.PersonalStakeCap);
    cursor.Read(scene.PhaseElapsed);
    cursor.Read(scene.ThirdCardPauseMs);
    cursor.Read(scene.CardFlightStepMs);
    cursor.Read(scene.DealStartDelayMs);
    cursor.Read(scene.GrabAllowed);
    cursor.Read(scene.GrabPrice);
    cursor.Read(scene.GrabAfterRounds);
    cursor.Read(scene.MinBankerRounds);
    cursor.Read(scene.EarlyLeavePenalty);
    cursor.Read(scene.StatisticsAllowed);
}

std::vector<std::uint8_t> WriteTableScene(const TTableScene& scene) {
    ByteWriter writer(kSceneTextsOffset + scene.StatusText.size() + scene.NoBankerText.size() +
                      kSceneTailBytes);
    writer.WriteI32(std::int32_t(scene.StatusText.size()));
    writer.WriteI32(std::int32_t(scene.NoBankerText.size()));
    writer.WriteU8(scene.GameInProgress ? 1 : 0);
    WriteBankerList(writer, scene.BankerList);
    WriteRegionAmounts(writer, scene.OwnStakes);
    WriteRegionAmounts(writer, scene.TotalStakes);
    WriteRegionAmounts(writer, scene.AcceptableAmounts);
    WriteBarRoad(writer, scene.BarRoad);
    WriteResultRoad(writer, scene.ResultRoad);
    writer.WriteI32(scene.LastPointsA);
    writer.WriteI32(scene.LastPointsB);
    writer.WriteI64(scene.BankerBeans);
    writer.WriteI64(scene.BankerWinnings);
    WriteHand(writer, scene.PlayerCards);
    WriteHand(writer, scene.BankerCards);
    writer.WriteI32(scene.ResultRoadCount);
    writer.WriteU8(scene.LastResultCode);
    writer.WriteI32(scene.BankerRounds);
    writer.WriteU8(GamePhaseByte(scene.Phase));
    writer.WriteI32(scene.BettingTime);
    writer.WriteI32(scene.FreeTime);
    writer.WriteI32(scene.DealingTime);
    writer.WriteU8(scene.NoBanker ? 1 : 0);
    writer.WriteI32(scene.Unused720);
    writer.WriteU8(scene.AutoPass ? 1 : 0);
    writer.WriteString(scene.StatusText);
    writer.WriteString(scene.NoBankerText);
    for (int index : scene.ChipIndices)
        writer.WriteI32(index);
    writer.WriteU8(scene.Hedging ? 1 : 0);
    writer.WriteI32(scene.SettlementTime);
    writer.WriteI64(scene.BankerApplyBeans);
    writer.WriteI64(scene.BankerKeepBeans);
    writer.WriteI64(scene.BankerPayoutCap);
    writer.WriteI64(scene.RegionPayoutCap);
    writer.WriteI64(scene.PersonalStakeCap);
    writer.WriteI32(scene.PhaseElapsed);
    writer.WriteI32(scene.ThirdCardPauseMs);
    writer.WriteI32(scene.CardFlightStepMs);
    writer.WriteI32(scene.DealStartDelayMs);
    writer.WriteU8(scene.GrabAllowed ? 1 : 0);
    writer.WriteI64(scene.GrabPrice);
    writer.WriteU16(scene.GrabAfterRounds);
    writer.WriteU16(scene.MinBankerRounds);
    writer.WriteI64(scene.EarlyLeavePenalty);
    writer.WriteU8(scene.StatisticsAllowed ? 1 : 0);
    return writer.Take();
}

} // namespace morvane
