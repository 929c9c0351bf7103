#include "game/TableScene.h"

#include "support/GameRecordBuilders.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace morvane {
namespace {

using test::PeekI32;
using test::PeekI64;
using test::PokeI32;
using test::PokeU8;
using test::SampleScene;
using test::SceneBytes;

TTableScene ReadScene(const std::vector<std::uint8_t>& bytes, TTableScene scene = {}) {
    ReadTableScene(bytes, scene);
    return scene;
}

TEST(TableSceneTest, ASceneIsWrittenFieldByFieldAtItsOffsets) {
    TTableScene s = SampleScene();
    auto bytes = SceneBytes(s);
    const std::size_t a = s.StatusText.size(), b = s.NoBankerText.size(), t = 725 + a + b;
    ASSERT_EQ(bytes.size(), t + 107);
    EXPECT_EQ(PeekI32(bytes, 0), std::int32_t(a));
    EXPECT_EQ(PeekI32(bytes, 4), std::int32_t(b));
    EXPECT_EQ(bytes[8], 1);
    EXPECT_EQ(PeekI64(bytes, 9), 1001);
    EXPECT_EQ(PeekI32(bytes, 17), 12);
    EXPECT_EQ(PeekI64(bytes, 9 + 16), 1002);
    EXPECT_EQ(PeekI64(bytes, 89 + 8 * 7), 800);
    EXPECT_EQ(PeekI64(bytes, 153), 100007);
    EXPECT_EQ(PeekI64(bytes, 217 + 8), 3000000001LL);
    EXPECT_EQ(bytes[281 + 3 * 19 + 2], 19 % 6);
    EXPECT_EQ(bytes[473 + 3 * 1], 1);
    EXPECT_EQ(bytes[473 + 3 * 20], 0xFF); // beyond the last game
    EXPECT_EQ(PeekI32(bytes, 665), 7);
    EXPECT_EQ(PeekI32(bytes, 669), 5);
    EXPECT_EQ(PeekI64(bytes, 673), 98765432101LL);
    EXPECT_EQ(PeekI64(bytes, 681), -1234567);
    EXPECT_EQ(std::string(bytes.begin() + 689, bytes.begin() + 693), std::string("\3Aax"));
    EXPECT_EQ(std::string(bytes.begin() + 693, bytes.begin() + 697), std::string("\2M1\0", 4));
    EXPECT_EQ(PeekI32(bytes, 697), 20);
    EXPECT_EQ(bytes[701], 3);
    EXPECT_EQ(PeekI32(bytes, 702), 11);
    EXPECT_EQ(bytes[706], 1);
    EXPECT_EQ(PeekI32(bytes, 707), 25);
    EXPECT_EQ(PeekI32(bytes, 711), 6);
    EXPECT_EQ(PeekI32(bytes, 715), 13);
    EXPECT_EQ(bytes[719], 0);
    EXPECT_EQ(PeekI32(bytes, 720), 0x5A5A);
    EXPECT_EQ(bytes[724], 1);
    EXPECT_EQ(std::string(bytes.begin() + 725, bytes.begin() + 725 + a), s.StatusText);
    EXPECT_EQ(std::string(bytes.begin() + 725 + a, bytes.begin() + t), s.NoBankerText);
    EXPECT_EQ(PeekI32(bytes, t + 20), 9);
    EXPECT_EQ(bytes[t + 24], 1);
    EXPECT_EQ(PeekI32(bytes, t + 25), 9);
    EXPECT_EQ(PeekI64(bytes, t + 29), 5000000);
    EXPECT_EQ(PeekI64(bytes, t + 37), 2000000);
    EXPECT_EQ(PeekI64(bytes, t + 45), 80000000);
    EXPECT_EQ(PeekI64(bytes, t + 53), 40000000);
    EXPECT_EQ(PeekI64(bytes, t + 61), 1000000);
    EXPECT_EQ(PeekI32(bytes, t + 69), 4);
    EXPECT_EQ(PeekI32(bytes, t + 73), 600);
    EXPECT_EQ(PeekI32(bytes, t + 77), 30);
    EXPECT_EQ(PeekI32(bytes, t + 81), 450);
    EXPECT_EQ(bytes[t + 85], 1);
    EXPECT_EQ(PeekI64(bytes, t + 86), 3000000);
    EXPECT_EQ(bytes[t + 94] | bytes[t + 95] << 8, 5);
    EXPECT_EQ(bytes[t + 96] | bytes[t + 97] << 8, 3);
    EXPECT_EQ(PeekI64(bytes, t + 98), 250000);
    EXPECT_EQ(bytes[t + 106], 1);

    EXPECT_EQ(ReadScene(bytes), s);
}

TEST(TableSceneTest, TheTableStartsWithItsOwnTextsAndTimings) {
    TTableScene s;
    EXPECT_EQ(s.StatusText, "游戏开始，请下注...");
    EXPECT_EQ(s.NoBankerText, "无人上庄");
    EXPECT_EQ(s.ThirdCardPauseMs, 0);
    EXPECT_EQ(s.CardFlightStepMs, 200);
    EXPECT_EQ(s.DealStartDelayMs, 200);
    for (const auto& entry : s.BankerList) {
        EXPECT_EQ(entry.UserId, -1);
        EXPECT_EQ(entry.Chair, -1);
    }
}

// Every field of the scene with the bytes it comes from; `t` is where the part after the texts starts.
struct SceneField {
    std::string name;
    std::size_t begin;
    std::size_t end;
    std::function<bool(const TTableScene&, const TTableScene&)> same;
};

#define FIELD(member, begin, width)                                                                          \
    SceneField {                                                                                             \
#member, (begin), (begin) + (width),                                                                 \
            [](const TTableScene& x, const TTableScene& y) { return x.member == y.member; }                  \
    }

std::vector<SceneField> SceneFields(std::size_t a, std::size_t b) {
    const std::size_t t = 725 + a + b;
    return {
        FIELD(GameInProgress, 8, 1),
        FIELD(BankerList, 9, 80),
        FIELD(OwnStakes, 89, 64),
        FIELD(TotalStakes, 153, 64),
        FIELD(AcceptableAmounts, 217, 64),
        FIELD(BarRoad, 281, 192),
        FIELD(ResultRoad, 473, 192),
        FIELD(LastPointsA, 665, 4),
        FIELD(LastPointsB, 669, 4),
        FIELD(BankerBeans, 673, 8),
        FIELD(BankerWinnings, 681, 8),
        FIELD(PlayerCards, 689, 4),
        FIELD(BankerCards, 693, 4),
        FIELD(ResultRoadCount, 697, 4),
        FIELD(LastResultCode, 701, 1),
        FIELD(BankerRounds, 702, 4),
        FIELD(Phase, 706, 1),
        FIELD(BettingTime, 707, 4),
        FIELD(FreeTime, 711, 4),
        FIELD(DealingTime, 715, 4),
        FIELD(NoBanker, 719, 1),
        FIELD(Unused720, 720, 4),
        FIELD(AutoPass, 724, 1),
        FIELD(StatusText, 725, a),
        FIELD(NoBankerText, 725 + a, b),
        FIELD(ChipIndices, t, 24),
        FIELD(Hedging, t + 24, 1),
        FIELD(SettlementTime, t + 25, 4),
        FIELD(BankerApplyBeans, t + 29, 8),
        FIELD(BankerKeepBeans, t + 37, 8),
        FIELD(BankerPayoutCap, t + 45, 8),
        FIELD(RegionPayoutCap, t + 53, 8),
        FIELD(PersonalStakeCap, t + 61, 8),
        FIELD(PhaseElapsed, t + 69, 4),
        FIELD(ThirdCardPauseMs, t + 73, 4),
        FIELD(CardFlightStepMs, t + 77, 4),
        FIELD(DealStartDelayMs, t + 81, 4),
        FIELD(GrabAllowed, t + 85, 1),
        FIELD(GrabPrice, t + 86, 8),
        FIELD(GrabAfterRounds, t + 94, 2),
        FIELD(MinBankerRounds, t + 96, 2),
        FIELD(EarlyLeavePenalty, t + 98, 8),
        FIELD(StatisticsAllowed, t + 106, 1),
    };
}
#undef FIELD

TEST(TableSceneTest, ACutSceneKeepsEveryFieldBeforeTheCutAndNothingAfter) {
    const TTableScene sample = SampleScene();
    const auto bytes = SceneBytes(sample);
    TTableScene before; // the state the table had from an earlier scene
    before.NoBanker = true;
    const auto fields = SceneFields(sample.StatusText.size(), sample.NoBankerText.size());
    ASSERT_EQ(fields.back().end, bytes.size());
    for (const auto& field : fields)
        ASSERT_FALSE(field.same(before, sample)) << field.name << " must differ for the cut to show";

    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        TTableScene state = before;
        std::span<const std::uint8_t> part(bytes.data(), cut);
        try {
            ReadTableScene(part, state);
            ADD_FAILURE() << "no error at cut " << cut;
        } catch (const ERangeCheckError& error) {
            EXPECT_STREQ(error.what(), "Range Check Error!!");
        }
        for (const auto& field : fields) {
            const TTableScene& expected = field.end <= cut ? sample : before;
            EXPECT_TRUE(field.same(state, expected))
                << field.name << " at cut " << cut
                << (field.end <= cut ? " should be new" : " should be old");
        }
    }

    TTableScene state = before;
    ReadTableScene(bytes, state);
    EXPECT_EQ(state, sample);
}

TEST(TableSceneTest, TextsOfLengthZeroAreEmptyAndTheRestIsStillRead) {
    TTableScene sample = SampleScene();
    sample.StatusText.clear();
    sample.NoBankerText.clear();
    TTableScene state = ReadScene(SceneBytes(sample));
    EXPECT_EQ(state.StatusText, "");
    EXPECT_EQ(state.NoBankerText, "");
    EXPECT_EQ(state, sample);
}

TEST(TableSceneTest, TextsPastTheLimitAreCutOnACharacterBoundaryAndTheRestIsStillRead) {
    TTableScene sample = SampleScene();
    sample.StatusText = "a";
    while (sample.StatusText.size() < 1000000)
        sample.StatusText += "庄";
    sample.NoBankerText = std::string(kSceneTextLimit, 'n');
    TTableScene state = ReadScene(SceneBytes(sample));
    EXPECT_EQ(state.StatusText, sample.StatusText.substr(0, kSceneTextLimit - 1));
    EXPECT_EQ(state.NoBankerText, sample.NoBankerText);
    sample.StatusText = state.StatusText;
    EXPECT_EQ(state, sample);
}

TEST(TableSceneTest, ATextLengthThatCannotFitIsARangeError) {
    for (std::int32_t length : {-1, -2147483647 - 1, 100000, 2147483647}) {
        auto bytes = SceneBytes();
        PokeI32(bytes, 0, length);
        TTableScene state;
        EXPECT_THROW(ReadTableScene(bytes, state), ERangeCheckError) << length;
        EXPECT_EQ(state.StatusText, TTableScene{}.StatusText);
        EXPECT_EQ(state.Phase, TGamePhase::Betting) << "fields before the text are read";
        EXPECT_EQ(state.ChipIndices, TTableScene{}.ChipIndices) << "fields after it are not";
    }
}

TEST(TableSceneTest, HandsAreCutToThreeCardsAndAnEmptyHandHasNone) {
    auto bytes = SceneBytes();
    PokeU8(bytes, 689, 200);
    PokeU8(bytes, 693, 0);
    TTableScene state = ReadScene(bytes);
    EXPECT_EQ(state.PlayerCards, "Aax");
    EXPECT_EQ(state.BankerCards, "");
    PokeU8(bytes, 693, 4);
    EXPECT_EQ(ReadScene(bytes).BankerCards, std::string("M1\0", 3));
}

TEST(TableSceneTest, APhaseByteBeyondTheFourPhasesReadsAsUnknownAndIsWrittenAsSuch) {
    auto bytes = SceneBytes();
    for (std::uint8_t phase = 0; phase < 4; ++phase) {
        PokeU8(bytes, 706, phase);
        EXPECT_EQ(GamePhaseByte(ReadScene(bytes).Phase), phase);
    }
    for (std::uint8_t phase : {4, 7, 0x80, 0xFE, 0xFF}) {
        PokeU8(bytes, 706, phase);
        const TTableScene state = ReadScene(bytes);
        EXPECT_EQ(state.Phase, TGamePhase::Unknown) << int(phase);
        EXPECT_EQ(SceneBytes(state)[706], 0xFF) << int(phase);
    }
}

TEST(TableSceneTest, ChipIndicesOutsideTheChipTableAreClamped) {
    TTableScene sample = SampleScene();
    auto bytes = SceneBytes(sample);
    const std::size_t t = 725 + sample.StatusText.size() + sample.NoBankerText.size();
    PokeI32(bytes, t, -5);
    PokeI32(bytes, t + 4, 10);
    PokeI32(bytes, t + 8, 2147483647);
    EXPECT_EQ(ReadScene(bytes).ChipIndices, (std::array<int, 6>{0, 9, 9, 6, 8, 9}));
}

TEST(TableSceneTest, BankerChairsOutsideTheTableNameNobody) {
    auto bytes = SceneBytes();
    PokeI32(bytes, 17, 200);
    PokeI32(bytes, 17 + 16, -7);
    PokeI32(bytes, 17 + 32, 199);
    TTableScene state = ReadScene(bytes);
    EXPECT_EQ(state.BankerList[0], (TBankerListEntry{1001, kNoChair}));
    EXPECT_EQ(state.BankerList[1], (TBankerListEntry{1002, kNoChair}));
    EXPECT_EQ(state.BankerList[2], (TBankerListEntry{1003, 199}));
}

TEST(TableSceneTest, RoadEntriesThatAreNoGameReadAsEmptySlots) {
    auto bytes = SceneBytes();
    PokeU8(bytes, 281 + 3 * 2 + 2, 6);  // bar entry 2: result code 6
    PokeU8(bytes, 281 + 3 * 4 + 0, 10); // bar entry 4: ten points
    PokeU8(bytes, 473 + 3 * 5, 9);      // road-table entry 5: result code 9
    PokeU8(bytes, 701, 200);            // last result
    TTableScene state = ReadScene(bytes);
    EXPECT_EQ(state.BarRoad[2], TBarRoadEntry{});
    EXPECT_EQ(state.BarRoad[4], TBarRoadEntry{});
    EXPECT_TRUE(state.BarRoad[3].Valid());
    EXPECT_EQ(state.ResultRoad[5].ResultCode, kNoResult);
    EXPECT_EQ(state.ResultRoadCount, 5) << "the count stops before the first entry that is no game";
    EXPECT_EQ(state.LastResultCode, kNoResult);
}

TEST(TableSceneTest, TheRoadCountIsKeptWithinTheGamesOnTheRoad) {
    auto bytes = SceneBytes();
    for (auto [raw, expected] : {std::pair{65, 20}, {20, 20}, {7, 7}, {0, 0}, {-3, 0}, {2147483647, 20}}) {
        PokeI32(bytes, 697, raw);
        EXPECT_EQ(ReadScene(bytes).ResultRoadCount, expected) << raw;
    }
}

TEST(TableSceneTest, BytesAfterTheSceneAreIgnored) {
    auto bytes = SceneBytes();
    bytes.insert(bytes.end(), 50, 0xEE);
    EXPECT_EQ(ReadScene(bytes), SampleScene());
}

} // namespace
} // namespace morvane
