#include "graphics/CofferRecords.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "base/Gbk.h"
#include "gui/Application.h"
#include "platform/CurrentPlatform.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace morvane {

namespace {

// Reply layout: kind at 0, operation at 1, error flag at 10, the four amounts from 11, the question from 43.
constexpr std::size_t kErrorFlagAt = 10;
constexpr std::size_t kAmountsAt = 11;
constexpr std::size_t kQuestionAt = 43;
constexpr std::uint8_t kOperationRequest = 1;

void WriteShortString(ByteWriter& writer, const std::string& text, std::size_t width) {
    const std::size_t length = gbk::SafeCutLength(text, width);
    writer.WriteU8(std::uint8_t(length));
    writer.WriteFixedString(text.substr(0, length), width);
}

// Drops a lead byte left at the end without its trail byte (the field held only half a character).
std::string WholeCharacters(std::string text) {
    std::size_t last = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += gbk::CharLength(text, pos))
        last = pos;
    if (!text.empty() && gbk::CharLength(text, last) == 1 && gbk::IsLeadByte(std::uint8_t(text[last])))
        text.resize(last);
    return text;
}

} // namespace

std::optional<TCofferReply> ReadCofferReply(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < TCofferReply::kBytes) return std::nullopt;
    ByteReader reader(bytes);
    TCofferReply reply;
    std::uint8_t questionLength = 0;
    std::string question;
    const bool read =
        reader.ReadU8(reply.Kind) && reader.ReadU8(reply.Operation) && reader.Seek(kErrorFlagAt) &&
        reader.ReadU8(reply.ErrorFlag) && reader.Seek(kAmountsAt) && reader.ReadI64(reply.MinAmount) &&
        reader.ReadI64(reply.MinRemaining) && reader.ReadI64(reply.AccountBean) &&
        reader.ReadI64(reply.CofferBean) && reader.Seek(kQuestionAt) && reader.ReadU8(questionLength) &&
        reader.ReadString(std::min<std::size_t>(questionLength, TCofferReply::kQuestionBytes), question);
    if (!read) return std::nullopt;
    reply.Question = WholeCharacters(std::move(question));
    return reply;
}

std::vector<std::uint8_t> CofferRequest(std::uint8_t operation, std::int64_t amount,
                                        const std::string& machineId, const std::string& answer) {
    ByteWriter writer(kCofferRequestBytes);
    writer.WriteU8(kOperationRequest);
    writer.WriteU8(operation);
    writer.WriteI64(amount);
    WriteShortString(writer, machineId, kMachineIdBytes);
    WriteShortString(writer, answer, kCofferAnswerBytes);
    return writer.Take();
}

std::string MachineIdText(const std::array<std::uint8_t, 6>& address) {
    char text[24];
    std::snprintf(text, sizeof text, "%.2X-%.2X-%.2X-%.2X-%.2X-%.2X", address[0], address[1], address[2],
                  address[3], address[4], address[5]);
    return text;
}

std::string PlatformMachineId() {
    TPlatform* platform = CurrentPlatform();
    std::array<std::uint8_t, 6> address{};
    if (platform == nullptr || !platform->AdapterAddress(address)) return {};
    return MachineIdText(address);
}

std::int64_t CofferAmount(const std::string& text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    std::int64_t amount = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), amount);
    return error == std::errc() && end == text.data() + text.size() ? amount : 0;
}

void KeepDigitsOnly(std::string& gbkChar) {
    if (gbkChar.empty()) return;
    const auto first = std::uint8_t(gbkChar[0]);
    const bool control = gbkChar.size() == 1 && first < 32;
    const bool digit = gbkChar.size() == 1 && first >= '0' && first <= '9';
    if (!control && !digit) gbkChar.clear();
}

} // namespace morvane
