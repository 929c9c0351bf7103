#pragma once

#include "base/Random.h"
#include "game/TableScene.h"
#include "host/server/BaccaratShoe.h"
#include "host/server/BankerQueue.h"
#include "host/server/PuntoBanco.h"
#include "host/server/ServerSettings.h"
#include "plugin/PluginRecords.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace morvane::server {

class TServerBots;

// One baccarat table on the game server, with the hall's part of it (users, seats, score blocks, coffer).
// It speaks only in host frames: the frames a table sends come in through Receive, and every frame for a
// table goes out through that user's sink, exactly as a hall host would hand it to PostCommand.
//
// Time is given from outside: the server never reads a clock. The caller tells it the time with AdvanceTo
// (milliseconds on any steady clock, the headless platform's virtual tick count in the simulator) and asks
// NextEventTime when it next has something to do, so a run in virtual time is repeatable to the frame.
class TBaccaratServer {
public:
    using TFrame = std::vector<std::uint8_t>;
    using TSink = std::function<void(const TFrame& frame)>;

    enum class TBetVerdict {
        Accepted,
        UnknownUser,
        NotBetting,
        NoBanker,
        IsBanker,
        NotAChip,
        OverPersonalCap,
        NotEnoughBeans,
        OverRegionLimit,
    };

    struct TUser {
        STRU_PLUGIN_USERINFO Info{};
        std::int64_t Coffer{0};
        std::string SecurityAnswer;
        TRegionAmounts Stakes{};
        bool Bot{false};
        TSink Sink;

        std::int64_t Id() const { return Info.UserID; }
        std::int64_t Staked() const;
    };

    // Everything about one settled round, for logs.
    struct TRoundReport {
        struct TBet {
            std::int64_t UserId{0};
            std::uint8_t Region{0};
            std::int64_t Amount{0};
        };
        struct TResult {
            std::int64_t UserId{0};
            std::string NickName;
            TRegionAmounts Stakes{};
            std::int64_t Net{0};
            std::int64_t Beans{0};
        };
        int Round{0};
        int Shoe{0};
        TRoundCards Cards;
        TRoundOutcome Outcome;
        std::vector<TBet> Bets;
        std::vector<TResult> Results;
        std::int64_t BankerId{0};
        std::string BankerName;
        std::int64_t BankerNet{0};
        std::int64_t BankerBeans{0};
    };

    TBaccaratServer(TServerSettings settings, std::uint32_t seed);
    ~TBaccaratServer();
    TBaccaratServer(const TBaccaratServer&) = delete;
    TBaccaratServer& operator=(const TBaccaratServer&) = delete;

    // [Time]
    // Opens the table at `nowMs` with a free phase.
    void Start(std::uint32_t nowMs);
    // Runs every phase change and scheduled action due up to `nowMs`, each at its own time.
    void AdvanceTo(std::uint32_t nowMs);
    std::uint32_t NextEventTime() const;
    std::uint32_t Now() const { return now_; }
    // Runs `action` at `atMs` (or at once on the next AdvanceTo when that is past).
    void Schedule(std::uint32_t atMs, std::function<void()> action);

    // [Users]
    // A user with a table joins: seated on the first free chair, sent the user list, the table settings
    // and the scene; the others are told. Returns the chair.
    int Connect(std::int64_t userId, const std::string& nickName, std::int64_t beans, std::int64_t coffer,
                TSink sink);
    // A bot joins the same way, without a table of its own.
    int AddBot(std::int64_t userId, const std::string& nickName, std::int64_t beans);
    // The user leaves the table (its own leave frame, or a bot walking away).
    void RemoveUser(std::int64_t userId);
    // A frame the user's table sent (the host's SendData).
    void Receive(std::int64_t fromUserId, std::span<const std::uint8_t> frame);
    // Bots that come and go, bet, chat and bank; `count` is how many sit at the table at a time.
    void EnableBots(int count);

    // [Play] (what requests do; bots call these directly)
    TBetVerdict PlaceBet(std::int64_t userId, std::uint8_t region, std::int64_t amount);
    TBankerQueue::TVerdict ApplyBanker(std::int64_t userId);
    TBankerQueue::TVerdict WithdrawBanker(std::int64_t userId);
    // The grab reply's outcome: 0 seized, 1 not now, 2 not enough beans, -1 failed.
    std::int32_t GrabBanker(std::int64_t userId);
    void Chat(std::int64_t fromUserId, const std::string& text);

    // [State]
    const TServerSettings& Settings() const { return settings_; }
    TGamePhase Phase() const { return phase_; }
    bool GameInProgress() const { return phase_ != TGamePhase::Free; }
    std::uint32_t PhaseStartedAt() const { return phaseStart_; }
    std::uint32_t PhaseEndsAt() const { return phaseEnd_; }
    int Round() const { return round_; }
    const TBankerQueue& Banker() const { return banker_; }
    const TUser* FindUser(std::int64_t userId) const;
    const std::vector<std::unique_ptr<TUser>>& Users() const { return users_; }
    const TRegionAmounts& Totals() const { return totals_; }
    TRegionAmounts Acceptable() const;
    // The scene as `viewerId` would get it now (own stakes are the viewer's).
    TTableScene SceneFor(std::int64_t viewerId) const;
    TRandom& Random() { return random_; }
    TBaccaratShoe& Shoe() { return shoe_; }
    // The cards of the next round are dealt from here instead of the shoe (tests).
    void SetNextCards(std::vector<TCardCode> cards) { nextCards_ = std::move(cards); }

    // [Observers]
    std::function<void(TGamePhase phase)> OnPhase;
    std::function<void(const TRoundReport&)> OnRoundSettled;

private:
    // [Phases]
    void EnterFree();
    void EnterBetting();
    void EnterDealing();
    void EnterSettlement();
    void EndPhase();
    void BeginPhase(TGamePhase phase, int seconds);
    void SettleRound();
    // Lets a banker who stepped down or went broke go and seats the next in the queue; true when the
    // bank changed (the tables have been told).
    bool SeatNextBanker();
    bool BankerBroke() const;

    // [Requests]
    void ReceiveTableFrame(TUser& user, std::uint8_t cmd, std::span<const std::uint8_t> payload);
    void ReceiveGameRequest(TUser& user, std::span<const std::uint8_t> record);
    void ReceiveCofferRequest(TUser& user, std::span<const std::uint8_t> request);
    void ChangeSeat(TUser& user, int seat, bool sit);

    // [Sending]
    void Send(const TUser& user, const TFrame& frame) const;
    void SendAll(const TFrame& frame) const;
    void SendScenes() const;
    void SendTableSettings() const;
    void SendUserList(const TUser& user) const;
    void SendBankerList() const;
    void BankChanged() const;
    void SendComputerBets() const;
    void SendLine(const TUser& user, const std::string& text) const;
    void SendBeans(const TUser& user) const;

    TUser* Find(std::int64_t userId);
    int FreeChair() const;
    int Join(std::unique_ptr<TUser> user);
    std::int32_t Elapsed() const { return std::int32_t((now_ - phaseStart_) / 1000); }
    TUser* BankerUser();

    TServerSettings settings_;
    TBaccaratShoe shoe_;
    TRandom random_;
    std::vector<std::unique_ptr<TUser>> users_;
    TBankerQueue banker_;
    std::unique_ptr<TServerBots> bots_;

    std::uint32_t now_{0};
    std::uint32_t phaseStart_{0};
    std::uint32_t phaseEnd_{0};
    bool started_{false};
    bool enteringFree_{false};
    TGamePhase phase_{TGamePhase::Free};
    int round_{0};
    std::multimap<std::uint32_t, std::function<void()>> scheduled_;

    TRegionAmounts totals_{};
    std::vector<TRoundReport::TBet> bets_;
    std::vector<TCardCode> nextCards_;
    TRoundCards cards_;
    TRoundOutcome outcome_;
    bool haveOutcome_{false};
    TBarRoad barRoad_{};
    TResultRoad resultRoad_{};
    int roadCount_{0};
};

} // namespace morvane::server
