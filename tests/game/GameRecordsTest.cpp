#include "game/GameNotices.h"
#include "game/GameRequests.h"
#include "game/TwoEightPublic.h"
#include "support/GameRecordBuilders.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::PeekI32;
using test::PeekI64;
using test::PokeI32;
using test::PokeI64;
using test::PokeU8;
using test::TBytes;

// A record of every kind is refused when it is one byte short, carries another id or is empty.
template <typename Record>
void ExpectShortOrForeignRecordsRefused(const TBytes& bytes) {
    ASSERT_EQ(bytes.size(), Record::kSize);
    EXPECT_TRUE(Record::Read(bytes).has_value());
    EXPECT_FALSE(Record::Read(std::span(bytes).first(bytes.size() - 1)).has_value());
    EXPECT_FALSE(Record::Read({}).has_value());
    TBytes foreign = bytes;
    foreign[0] ^= 0x40;
    EXPECT_FALSE(Record::Read(foreign).has_value());
    TBytes longer = bytes;
    longer.push_back(0x77);
    EXPECT_TRUE(Record::Read(longer).has_value()) << "bytes after the layout are not read";
}

TEST(GameNoticesTest, BetNoticeFieldsSitAtTheirOffsets) {
    TBetNotice notice = test::SampleBetNotice();
    TBytes bytes = notice.Write();
    ExpectShortOrForeignRecordsRefused<TBetNotice>(bytes);
    EXPECT_EQ(bytes[0], 7);
    EXPECT_EQ(PeekI64(bytes, 1), 1002);
    EXPECT_EQ(PeekI64(bytes, 10), 50000);
    EXPECT_EQ(bytes[18], brTie);
    EXPECT_EQ(PeekI64(bytes, 19), 150000);
    EXPECT_EQ(PeekI64(bytes, 27), 910000);
    EXPECT_EQ(PeekI32(bytes, 99), 8);
    // Bytes nobody reads may hold anything.
    PokeU8(bytes, 9, 0xAB);
    PokeI64(bytes, 35, -1);
    EXPECT_EQ(TBetNotice::Read(bytes), notice);
}

TEST(GameNoticesTest, ABetOnARegionThatDoesNotExistIsIgnored) {
    TBytes bytes = test::SampleBetNotice().Write();
    PokeU8(bytes, 18, 7);
    EXPECT_EQ(TBetNotice::Read(bytes)->Region, brPlayerPair);
    for (std::uint8_t region : {8, 100, 255}) {
        PokeU8(bytes, 18, region);
        EXPECT_FALSE(TBetNotice::Read(bytes).has_value()) << int(region);
    }
}

TEST(GameNoticesTest, SettlementNoticeFieldsSitAtTheirOffsets) {
    TSettlementNotice notice = test::SampleSettlementNotice();
    TBytes bytes = notice.Write();
    ExpectShortOrForeignRecordsRefused<TSettlementNotice>(bytes);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1], 5);
    EXPECT_EQ(bytes[2], 6);
    EXPECT_EQ(bytes[3], 6);
    EXPECT_EQ(PeekI64(bytes, 4 + 8 * 4), 10000);
    EXPECT_EQ(PeekI64(bytes, 68), 96000);
    EXPECT_EQ(bytes[84], 1);
    EXPECT_EQ(bytes[85], 0);
    EXPECT_EQ(TSettlementNotice::Read(bytes), notice);
}

TEST(GameNoticesTest, ASettlementWithAnUnknownResultStillSettlesButMarksNoRegion) {
    TBytes bytes = test::SampleSettlementNotice().Write();
    for (std::uint8_t code : {6, 128, 255}) {
        PokeU8(bytes, 1, code);
        auto notice = TSettlementNotice::Read(bytes);
        ASSERT_TRUE(notice.has_value());
        EXPECT_EQ(notice->ResultCode, kNoResult);
        EXPECT_EQ(notice->NetResult, 96000);
        EXPECT_EQ(WinningRegions(notice->ResultCode), (std::array<bool, 8>{}));
        EXPECT_EQ(ResultName(notice->ResultCode), "");
    }
}

TEST(GameNoticesTest, AnyStakeMeansThePlayerTookPart) {
    TSettlementNotice notice;
    EXPECT_FALSE(notice.TookPart());
    // Stakes whose low 32-bit words are zero, or add up to a multiple of 2^32, still count.
    notice.OwnStakes = {0x100000000LL, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(notice.TookPart());
    notice.OwnStakes = {0x80000000LL, 0x80000000LL, 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(notice.TookPart());
    notice.OwnStakes = {0, 0, 0, 0, 0, 0, 0, 100};
    EXPECT_TRUE(notice.TookPart());
}

TEST(GameNoticesTest, BankerListNoticeFieldsSitAtTheirOffsets) {
    TBankerListNotice notice = test::SampleBankerListNotice();
    TBytes bytes = notice.Write();
    ExpectShortOrForeignRecordsRefused<TBankerListNotice>(bytes);
    EXPECT_EQ(bytes.size(), 103u);
    EXPECT_EQ(bytes[0], 25);
    EXPECT_EQ(PeekI64(bytes, 11), 4500000);
    EXPECT_EQ(PeekI32(bytes, 19), 6);
    EXPECT_EQ(PeekI64(bytes, 23 + 16), 2002);
    EXPECT_EQ(PeekI32(bytes, 23 + 16 + 8), 150);
    EXPECT_EQ(TBankerListNotice::Read(bytes), notice);
    EXPECT_TRUE(notice.ClearsNoBanker());
    PokeU8(bytes, 1, 3);
    EXPECT_FALSE(TBankerListNotice::Read(bytes)->ClearsNoBanker());
}

TEST(GameNoticesTest, BankerListChairsOutsideTheTableNameNobody) {
    TBytes bytes = test::SampleBankerListNotice().Write();
    PokeI32(bytes, 23 + 8, 200);
    PokeI32(bytes, 23 + 16 + 8, 2147483647);
    auto notice = TBankerListNotice::Read(bytes);
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->BankerList[0], (TBankerListEntry{2001, kNoChair}));
    EXPECT_EQ(notice->BankerList[1], (TBankerListEntry{2002, kNoChair}));
    EXPECT_FALSE(notice->BankerList[2].Occupied());
}

TEST(GameNoticesTest, GrabReplyAndComputerBets) {
    for (std::int32_t outcome : {TGrabBankerReply::kFailed, TGrabBankerReply::kNotNow, 7}) {
        TBytes bytes = TGrabBankerReply{outcome}.Write();
        ExpectShortOrForeignRecordsRefused<TGrabBankerReply>(bytes);
        EXPECT_EQ(bytes[0], 33);
        EXPECT_EQ(PeekI32(bytes, 9), outcome);
        EXPECT_EQ(TGrabBankerReply::Read(bytes)->Outcome, outcome);
    }
    TComputerBetNotice notice = test::SampleComputerBetNotice();
    TBytes bytes = notice.Write();
    ExpectShortOrForeignRecordsRefused<TComputerBetNotice>(bytes);
    EXPECT_EQ(bytes[0], 35);
    EXPECT_EQ(bytes[1], 1);
    EXPECT_EQ(PeekI64(bytes, 82), 11);
    EXPECT_EQ(PeekI64(bytes, 138), 88);
    EXPECT_EQ(TComputerBetNotice::Read(bytes), notice);
    EXPECT_TRUE(notice.ComputerIsBanker());
}

TEST(GameRequestsTest, RequestsAreWrittenByteForByte) {
    EXPECT_EQ((TBetRequest{0x0102030405060708LL, 199, 5000000, brPlayerPair}.Write()),
              (TBytes{6, 8, 7, 6, 5, 4, 3, 2, 1, 199, 0x40, 0x4B, 0x4C, 0, 0, 0, 0, 0, 7}));
    EXPECT_EQ((TBankerRequest{TBankerRequest::kWithdraw, -2, 12}.Write()),
              (TBytes{24, 1, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 12}));
    EXPECT_EQ((TGrabBankerRequest{300}.Write()), (TBytes{32, 0x2C, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ((TStatisticsRequest{TStatisticsRequest::kPoll, -1}.Write()),
              (TBytes{34, 1, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ((TStatisticsRequest{TStatisticsRequest::kCommand, 3}.Write()), (TBytes{34, 0, 3, 0, 0, 0}));
}

TEST(GameRequestsTest, TheServerReadsRequestsBackAndRefusesImpossibleOnes) {
    TBetRequest bet{77, 3, 1000, brBankerKing};
    ExpectShortOrForeignRecordsRefused<TBetRequest>(bet.Write());
    EXPECT_EQ(TBetRequest::Read(bet.Write()), bet);
    EXPECT_FALSE(TBetRequest::Read(TBetRequest{77, 3, 1000, 8}.Write()).has_value());
    EXPECT_FALSE(TBetRequest::Read(TBetRequest{77, 200, 1000, 0}.Write()).has_value());

    TBankerRequest banker{TBankerRequest::kApply, 77, 3};
    ExpectShortOrForeignRecordsRefused<TBankerRequest>(banker.Write());
    EXPECT_EQ(TBankerRequest::Read(banker.Write()), banker);
    EXPECT_FALSE(TBankerRequest::Read(TBankerRequest{0, 77, 250}.Write()).has_value());

    ExpectShortOrForeignRecordsRefused<TGrabBankerRequest>(TGrabBankerRequest{77}.Write());
    EXPECT_EQ(TGrabBankerRequest::Read(TGrabBankerRequest{77}.Write())->UserId, 77);
    ExpectShortOrForeignRecordsRefused<TStatisticsRequest>(TStatisticsRequest{}.Write());
    EXPECT_EQ(TStatisticsRequest::Read(TStatisticsRequest{0, 12}.Write()), (TStatisticsRequest{0, 12}));
}

TEST(GamePublicTest, OddResultsAlsoWinTheRegionBefore) {
    auto won = [](std::initializer_list<int> regions) {
        std::array<bool, 8> set{};
        for (int r : regions)
            set[std::size_t(r)] = true;
        return set;
    };
    EXPECT_EQ(WinningRegions(0), won({0}));
    EXPECT_EQ(WinningRegions(1), won({0, 1}));
    EXPECT_EQ(WinningRegions(2), won({2}));
    EXPECT_EQ(WinningRegions(3), won({2, 3}));
    EXPECT_EQ(WinningRegions(4), won({4}));
    EXPECT_EQ(WinningRegions(5), won({4, 5}));
    EXPECT_EQ(WinningRegions(-1), won({}));
    EXPECT_EQ(WinningRegions(6), won({}));
    EXPECT_EQ(ResultName(1), "庄家赢");
    EXPECT_EQ(ResultName(2), "闲家赢");
    EXPECT_EQ(ResultName(5), "平局");
    EXPECT_EQ(ResultKindOf(3), TResultKind::Player);
    EXPECT_EQ(ResultKindOf(kNoResult), TResultKind::None);
}

TEST(GamePublicTest, RegionsAndChips) {
    EXPECT_EQ(kBetRegions[brBankerPair].Picture, "bll_IdlPair");
    EXPECT_EQ(kBetRegions[brPlayerPair].Picture, "bll_landPair");
    EXPECT_EQ(kBetRegions[brSamePointTie].Odds, 32);
    EXPECT_EQ(kBetRegions[brTie].Name, "和");
    EXPECT_EQ(kChipValues[4], 10000);
    EXPECT_EQ(kChipNames[4], "1w");
    EXPECT_EQ(kChipValues[9], 5000000);
    EXPECT_EQ(kChipNames[9], "500w");
    EXPECT_EQ(ClampChipIndex(-1), 0);
    EXPECT_EQ(ClampChipIndex(10), 9);
    EXPECT_EQ(ClampChipIndex(5), 5);
    EXPECT_FALSE(IsChair(200));
    EXPECT_TRUE(IsChair(199));
}

} // namespace
} // namespace morvane
