#pragma once

#include <cstdint>

namespace morvane {

// The kind of a line shown in the chat panel: one of these categories, or the identity of the user who
// said it. The chat panel picks colour and prefix by kind.
namespace lines {
inline constexpr std::int64_t kSystem = 0;     // "[系统消息]" lines from the host
inline constexpr std::int64_t kScoreNote = 6;  // a round's score and bean changes
inline constexpr std::int64_t kPrompt = 7;     // "[提示]" lines: refusals and table notices
inline constexpr std::int64_t kNotice = 8;     // grey notices: users coming and going, start and end
inline constexpr std::int64_t kBroadcast = 10; // broadcasts and room settings
// Kinds up to this one are categories; above it a kind is the sender's identity.
inline constexpr std::int64_t kLastCategory = 10000;
} // namespace lines

} // namespace morvane
