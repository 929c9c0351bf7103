#include "game/GameRequests.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"

namespace morvane {

namespace {

std::optional<ByteReader> OpenRequest(std::span<const std::uint8_t> record, std::uint8_t id,
                                      std::size_t size) {
    if (record.size() < size || record[0] != id) return std::nullopt;
    ByteReader reader(record);
    reader.Skip(1);
    return reader;
}

ByteWriter StartRequest(std::uint8_t id, std::size_t size) {
    ByteWriter writer(size);
    writer.WriteU8(id);
    return writer;
}

} // namespace

std::vector<std::uint8_t> TBetRequest::Write() const {
    ByteWriter writer = StartRequest(GameRecord::BetRequest, kSize);
    writer.WriteI64(UserId);
    writer.WriteU8(Chair);
    writer.WriteI64(Amount);
    writer.WriteU8(Region);
    return writer.Take();
}

std::optional<TBetRequest> TBetRequest::Read(std::span<const std::uint8_t> record) {
    auto reader = OpenRequest(record, GameRecord::BetRequest, kSize);
    if (!reader) return std::nullopt;
    TBetRequest request;
    reader->ReadI64(request.UserId);
    reader->ReadU8(request.Chair);
    reader->ReadI64(request.Amount);
    reader->ReadU8(request.Region);
    if (!IsChair(request.Chair) || !IsBetRegion(request.Region)) return std::nullopt;
    return request;
}

std::vector<std::uint8_t> TBankerRequest::Write() const {
    ByteWriter writer = StartRequest(GameRecord::BankerRequest, kSize);
    writer.WriteU8(Action);
    writer.WriteI64(UserId);
    writer.WriteU8(Chair);
    return writer.Take();
}

std::optional<TBankerRequest> TBankerRequest::Read(std::span<const std::uint8_t> record) {
    auto reader = OpenRequest(record, GameRecord::BankerRequest, kSize);
    if (!reader) return std::nullopt;
    TBankerRequest request;
    reader->ReadU8(request.Action);
    reader->ReadI64(request.UserId);
    reader->ReadU8(request.Chair);
    if (!IsChair(request.Chair)) return std::nullopt;
    return request;
}

std::vector<std::uint8_t> TGrabBankerRequest::Write() const {
    ByteWriter writer = StartRequest(GameRecord::GrabBankerRequest, kSize);
    writer.WriteI64(UserId);
    return writer.Take();
}

std::optional<TGrabBankerRequest> TGrabBankerRequest::Read(std::span<const std::uint8_t> record) {
    auto reader = OpenRequest(record, GameRecord::GrabBankerRequest, kSize);
    if (!reader) return std::nullopt;
    TGrabBankerRequest request;
    reader->ReadI64(request.UserId);
    return request;
}

std::vector<std::uint8_t> TStatisticsRequest::Write() const {
    ByteWriter writer = StartRequest(GameRecord::StatisticsRequest, kSize);
    writer.WriteU8(Action);
    writer.WriteI32(Argument);
    return writer.Take();
}

std::optional<TStatisticsRequest> TStatisticsRequest::Read(std::span<const std::uint8_t> record) {
    auto reader = OpenRequest(record, GameRecord::StatisticsRequest, kSize);
    if (!reader) return std::nullopt;
    TStatisticsRequest request;
    reader->ReadU8(request.Action);
    reader->ReadI32(request.Argument);
    return request;
}

} // namespace morvane
