#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace morvane {

// What the bars show of a user at the table.
struct TBarUser {
    std::string NickName; // GBK; the bars show at most 20 bytes of it
    std::int64_t Beans{0};
};

// A seat number the bars pass on: 0..199, or this for none.
inline constexpr std::int32_t kBarNoChair = -1;
inline constexpr std::int32_t kBarChairCount = 200;

// One slot of the banker queue: entry 0 is the banker, entries 1..4 the applicants in queue order.
struct TBarQueueEntry {
    std::int64_t UserId{-1}; // not positive: an empty slot
    std::int32_t Chair{kBarNoChair};
};
inline constexpr int kBarQueueLength = 5;

// The user look-ups the bars need from the table's user list. The hub provides them; the bars only hold
// a non-owning pointer and show empty values while it is missing or a user is not found.
class IBarUserLookup {
public:
    virtual ~IBarUserLookup() = default;
    // The local player's own user id (not positive: not known yet).
    virtual std::int64_t OwnUserId() const = 0;
    // The user with that id; `chair` is a seat 0..199 the user was last seen in, or kBarNoChair, a hint
    // that lets a seat table be tried first. Nothing when the user is not at the table.
    virtual std::optional<TBarUser> FindBarUser(std::int64_t userId, std::int32_t chair) const = 0;
};

// A chair from a record as the look-up may use it: anything outside 0..199 is no chair.
constexpr std::int32_t CheckedChair(std::int64_t chair) {
    return chair >= 0 && chair < kBarChairCount ? std::int32_t(chair) : kBarNoChair;
}

} // namespace morvane
