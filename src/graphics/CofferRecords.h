#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace morvane {

// The server's coffer reply as the coffer dialogs read it (76 bytes).
struct TCofferReply {
    static constexpr std::size_t kBytes = 76;
    // The security question holds at most this many bytes.
    static constexpr std::size_t kQuestionBytes = 32;

    std::uint8_t Kind{0};      // 0: open a dialog
    std::uint8_t Operation{0}; // 0 withdraw, 1 deposit
    std::uint8_t ErrorFlag{0}; // byte 10
    std::int64_t MinAmount{0};
    std::int64_t MinRemaining{0};
    std::int64_t AccountBean{0};
    std::int64_t CofferBean{0};
    std::string Question; // GBK
};

// Reads a coffer reply; nothing when fewer than 76 bytes arrived. A question length above 32 is taken
// as 32 (the bytes after the field are never read), and half a character left at its end is dropped.
std::optional<TCofferReply> ReadCofferReply(std::span<const std::uint8_t> bytes);

inline constexpr std::uint8_t kCofferWithdraw = 0;
inline constexpr std::uint8_t kCofferDeposit = 1;
inline constexpr std::size_t kCofferRequestBytes = 61;
inline constexpr std::size_t kMachineIdBytes = 17;
inline constexpr std::size_t kCofferAnswerBytes = 32;

// The 61-byte coffer request of a confirmed operation: 1, the operation, the amount, the machine id and
// the answer (each a length byte and a field of fixed width, cut between whole characters).
std::vector<std::uint8_t> CofferRequest(std::uint8_t operation, std::int64_t amount,
                                        const std::string& machineId, const std::string& answer);

// A network adapter address as "00-16-3E-4D-56-01".
std::string MachineIdText(const std::array<std::uint8_t, 6>& address);

// Where the dialogs get the machine id; by default the platform's network adapter address, or empty when
// the platform cannot read one.
using TMachineIdSource = std::function<std::string()>;
std::string PlatformMachineId();

// The amount typed into a coffer dialog: its digits as a number; 0 when the text is empty or holds
// anything but digits (so a pasted "-5" or "1e3" counts as no amount), or does not fit.
std::int64_t CofferAmount(const std::string& text);

// The amount edits' key filter: printable characters other than digits are dropped (cleared); control
// characters such as backspace pass.
void KeepDigitsOnly(std::string& gbkChar);

} // namespace morvane
