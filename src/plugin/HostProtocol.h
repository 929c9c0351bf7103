#pragma once

#include <cstddef>
#include <cstdint>

namespace morvane {

// Frame kinds and table commands of the host protocol.
namespace frames {
inline constexpr std::uint8_t kTable = 3;
inline constexpr std::uint8_t kSeat = 4;
inline constexpr std::uint8_t kUserListRequest = 7;
inline constexpr std::uint8_t kUserState = 8;
inline constexpr std::uint8_t kUserList = 9;
inline constexpr std::uint8_t kUserEnter = 10;
inline constexpr std::uint8_t kLeave = 11;
inline constexpr std::uint8_t kUserLeave = 12;
inline constexpr std::uint8_t kSeatRequest = 13;
inline constexpr std::uint8_t kSeatChange = 14;
inline constexpr std::uint8_t kScoreBlock = 16;
inline constexpr std::uint8_t kRawNotice = 23;
inline constexpr std::uint8_t kNoticeText = 25;
inline constexpr std::uint8_t kUserValue = 30;
inline constexpr std::uint8_t kSystemLine = 31;

inline constexpr std::uint8_t cmdGameRequest = 1;
inline constexpr std::uint8_t cmdReady = 2;
inline constexpr std::uint8_t cmdStart = 3;
inline constexpr std::uint8_t cmdCofferRequest = 5;
inline constexpr std::uint8_t cmdAskToLeave = 6;
inline constexpr std::uint8_t cmdBecomeVip = 7;
inline constexpr std::uint8_t cmdVisitSpace = 8;
inline constexpr std::uint8_t cmdTableData = 17;
inline constexpr std::uint8_t cmdGameData = 18;
inline constexpr std::uint8_t cmdUserReady = 19;
inline constexpr std::uint8_t cmdCofferReply = 21;
inline constexpr std::uint8_t cmdAttribute = 33;
inline constexpr std::uint8_t cmdGameStart = 49;
inline constexpr std::uint8_t cmdGameOver = 50;
inline constexpr std::uint8_t cmdTextLine = 65;
inline constexpr std::uint8_t cmdBroadcast = 66;
inline constexpr std::uint8_t cmdChat = 67;
inline constexpr std::uint8_t cmdNumberedText = 73;
inline constexpr std::uint8_t cmdLeaveSeat = 96;

inline constexpr std::size_t kTableHeaderSize = 10;
inline constexpr std::size_t kSeatHeaderSize = 18;
inline constexpr std::size_t kSeatFrameSize = 65537;
inline constexpr std::size_t kSeatDataCapacity = kSeatFrameSize - kSeatHeaderSize; // 65519
inline constexpr std::size_t kCofferReplySize = 76;
inline constexpr std::size_t kNoticeTextLimit = 2049;
inline constexpr std::size_t kSystemLineField = 200;
inline constexpr std::size_t kChatLimit = 200;
// The longest text one line of a frame brings to the table (chat, broadcasts, server lines, the host's
// system texts); the rest is cut off on a character boundary. Twice the longest text the protocol has a
// field for (the 2049-byte notice text), and far above any line a table sends: a chat line is cut to 200
// bytes and may carry the typed line of up to 200 characters behind it.
inline constexpr std::size_t kTextLimit = 4096;
} // namespace frames

} // namespace morvane
