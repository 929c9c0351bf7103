// Arbitrary bytes read as a table scene, as every game notice and as every request. Whatever the bytes,
// reading stays inside them, every value that indexes a table comes out in range, and what was read is
// written back and read again unchanged.
#include "game/GameNotices.h"
#include "game/GameRequests.h"
#include "game/TableScene.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

namespace {

using namespace morvane;

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckScene(const TTableScene& scene) {
    Check(scene.PlayerCards.size() <= 3 && scene.BankerCards.size() <= 3);
    Check(scene.ResultRoadCount >= 0 && scene.ResultRoadCount <= kRoadLength);
    for (int i = 0; i < scene.ResultRoadCount; ++i)
        Check(scene.ResultRoad[std::size_t(i)].Valid());
    for (const TResultTableEntry& entry : scene.ResultRoad)
        Check(entry.Valid() || entry.ResultCode == kNoResult);
    for (const TBarRoadEntry& entry : scene.BarRoad)
        Check(entry.Valid() || entry == TBarRoadEntry{});
    Check(IsResultCode(scene.LastResultCode) || scene.LastResultCode == kNoResult);
    for (int index : scene.ChipIndices)
        Check(IsChipIndex(index));
    for (const TBankerListEntry& entry : scene.BankerList)
        Check(entry.Chair == kNoChair || IsChair(entry.Chair));
}

void FuzzScene(std::span<const std::uint8_t> bytes) {
    TTableScene scene;
    try {
        ReadTableScene(bytes, scene);
    } catch (const ERangeCheckError& error) {
        Check(std::string(error.what()) == "Range Check Error!!");
        CheckScene(scene);
        return;
    }
    CheckScene(scene);
    TTableScene again;
    ReadTableScene(WriteTableScene(scene), again);
    Check(again == scene);
}

template <typename Record>
void FuzzRecord(std::span<const std::uint8_t> bytes) {
    auto record = Record::Read(bytes);
    if (!record) return;
    auto written = record->Write();
    Check(written.size() == Record::kSize);
    Check(Record::Read(written) == record);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    FuzzScene(bytes);
    if (auto bet = TBetNotice::Read(bytes)) Check(IsBetRegion(bet->Region));
    if (auto settlement = TSettlementNotice::Read(bytes))
        Check(IsResultCode(settlement->ResultCode) || settlement->ResultCode == kNoResult);
    FuzzRecord<TBetNotice>(bytes);
    FuzzRecord<TSettlementNotice>(bytes);
    FuzzRecord<TBankerListNotice>(bytes);
    FuzzRecord<TGrabBankerReply>(bytes);
    FuzzRecord<TComputerBetNotice>(bytes);
    FuzzRecord<TBetRequest>(bytes);
    FuzzRecord<TBankerRequest>(bytes);
    FuzzRecord<TGrabBankerRequest>(bytes);
    FuzzRecord<TStatisticsRequest>(bytes);
    return 0;
}
