#pragma once

namespace morvane {

// Positions of the items of the hub's user menu; the hub fills and handles them, the client hides the
// nickname line in anonymous chat.
namespace usermenu {
inline constexpr int kAccount = 0;
inline constexpr int kNickName = 1;
inline constexpr int kBeans = 2;
inline constexpr int kRounds = 4;
inline constexpr int kRates = 5;
inline constexpr int kLevel = 6;
inline constexpr int kAskToLeave = 8;
inline constexpr int kBecomeVip = 9;
inline constexpr int kVisitSpace = 10;
inline constexpr int kIgnoreSeparator = 11;
inline constexpr int kIgnore = 12;
inline constexpr int kItemCount = 13;
} // namespace usermenu

} // namespace morvane
