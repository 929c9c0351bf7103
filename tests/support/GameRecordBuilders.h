#pragma once

#include "game/GameNotices.h"
#include "game/GameRequests.h"
#include "game/TableScene.h"

#include <cstdint>
#include <vector>

// Game records as a server sends them, for tests and the simulated server: a full scene with a distinct
// value in every field, sample notices, and patching of single fields at their byte offsets.
namespace morvane::test {

using TBytes = std::vector<std::uint8_t>;

// A scene in the middle of a betting phase: three players queued behind the banker, 20 games on the roads,
// both hands dealt, every rule of the room set. No two numeric fields hold the same value.
TTableScene SampleScene();
TBytes SceneBytes(const TTableScene& scene = SampleScene());

TBetNotice SampleBetNotice();
TSettlementNotice SampleSettlementNotice();
TBankerListNotice SampleBankerListNotice();
TComputerBetNotice SampleComputerBetNotice();

// Writes a little-endian value over `bytes` at `offset` (the record must hold it).
void PokeU8(TBytes& bytes, std::size_t offset, std::uint8_t value);
void PokeI32(TBytes& bytes, std::size_t offset, std::int32_t value);
void PokeI64(TBytes& bytes, std::size_t offset, std::int64_t value);
std::int64_t PeekI64(const TBytes& bytes, std::size_t offset);
std::int32_t PeekI32(const TBytes& bytes, std::size_t offset);

} // namespace morvane::test
