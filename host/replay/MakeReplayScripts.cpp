// make-replay-scripts FOLDER: writes the replay scripts of whole table stories (a round with a bet, the
// refused bets, a banker change, a coffer deposit, the statistics window, closing while playing, the hall
// releasing the table while a warning or the coffer's dialog waits, a hall whose sending fails) into
// FOLDER. Every script begins with a line saying it is written here. The frames are
// built with the records' own writers, so the scripts carry exactly what a hall host and a game server
// send; the comments tell the story a reader checks the transcript against.
#include "base/ByteWriter.h"
#include "base/Gbk.h"
#include "game/GameNotices.h"
#include "game/TableScene.h"
#include "graphics/CofferRecords.h"
#include "host/HostFrames.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace morvane;
using namespace morvane::hostframes;

constexpr std::int64_t kMe = 1001;
constexpr std::int64_t kBanker = 20002;
constexpr std::int64_t kOther = 30003;
constexpr std::uint8_t kMySeat = 0;
constexpr std::uint8_t kBankerSeat = 1;
constexpr std::uint8_t kOtherSeat = 2;

// [Script text]

// The first line of every script written here, so that nobody edits one by hand.
constexpr const char* kGeneratedMark =
    "# Written by make-replay-scripts (host/replay/MakeReplayScripts.cpp): do not edit; change the "
    "generator and run it.";

class TScript {
public:
    TScript() { Line(kGeneratedMark); }

    // Texts are GBK here (the source's literals) and UTF-8 in the script.
    TScript& Line(const std::string& line) {
        text_ += gbk::ToUtf8(line) + "\n";
        return *this;
    }
    TScript& Comment(const std::string& text) { return Line("# " + text); }
    TScript& Frame(const TFrame& frame) { return Line("frame " + GroupedHex(frame)); }
    const std::string& Text() const { return text_; }

private:
    static std::string GroupedHex(const TFrame& bytes) {
        std::string hex;
        char digits[3];
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i != 0 && i % 16 == 0) hex += ' ';
            std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
            hex += digits;
        }
        return hex;
    }

    std::string text_;
};

// [Frames of the hall]

TFrame Settings() {
    TSettingsRecord record;
    record.settings.ScoreNotes = 1;
    record.settings.BeanNotes = 1;
    SetShortString(record.settings.BeanName, sizeof record.settings.BeanName, "游戏豆");
    SetShortString(record.settings.ScoreName, sizeof record.settings.ScoreName, "积分");
    // The seat table the score blocks are booked against: one seat each for the three players.
    for (const auto& [id, name] :
         {std::pair<std::int64_t, const char*>{kMe, "玩家甲"}, {kBanker, "庄家乙"}, {kOther, "闲家丙"}}) {
        TPluginSeatEntry seat;
        seat.UserID = id;
        seat.Name = name;
        record.seats.push_back(seat);
    }
    record.count = std::int32_t(record.seats.size());
    return TableData(0, TableSettingsRecord(record));
}

STRU_PLUGIN_USERINFO User(std::int64_t id, std::uint8_t seat, const std::string& nick, std::int64_t beans,
                          std::int64_t score) {
    STRU_PLUGIN_USERINFO user = MakeUser(id, seat, true, nick);
    user.Beans = beans;
    user.Score = score;
    return user;
}

// The player, the banker and one more player, all seated; the host sends only the records it counts.
TFrame Users(std::int64_t myBeans) {
    return UserList(3, {User(kMe, kMySeat, "玩家甲", myBeans, 500),
                        User(kBanker, kBankerSeat, "庄家乙", 5000000, 9000),
                        User(kOther, kOtherSeat, "闲家丙", 800000, 60)});
}

void StartTable(TScript& script, std::int64_t cookie, std::int64_t myBeans = 500000) {
    script.Line("init cookie=" + std::to_string(cookie) + " user=1001 nick=玩家甲 title=百家乐一号桌");
    script.Comment("The room's settings (unit names 游戏豆 and 积分, three seats), then who is here: me at "
                   "seat 0 with " +
                   std::to_string(myBeans) + " 游戏豆,");
    script.Comment("庄家乙 (the banker) at seat 1 and 闲家丙 at seat 2.");
    script.Frame(Settings());
    script.Frame(Users(myBeans));
}

// The room of the closing stories: three rounds before a player may leave without a penalty, the penalty
// switch on, units 金豆 and 积分; only I am here, seated, with one round played.
TFrame PenaltySettings() {
    TSettingsRecord record;
    record.settings.RequiredRounds = 3;
    record.settings.PenaltySwitchA = 1;
    record.settings.MinPlayerCount = 1;
    SetShortString(record.settings.BeanName, sizeof record.settings.BeanName, "金豆");
    SetShortString(record.settings.ScoreName, sizeof record.settings.ScoreName, "积分");
    TPluginSeatEntry seat;
    seat.UserID = kMe;
    seat.Name = "玩家甲";
    seat.RoundsPlayed = 1;
    record.seats.push_back(seat);
    record.count = 1;
    return TableData(0, TableSettingsRecord(record));
}

TFrame MeAlone() {
    return UserList(1, {MakeUser(kMe, kMySeat, true, "玩家甲")});
}

// [Frames of the game server]

// Ten earlier games on both roads.
void FillHistory(TTableScene& scene) {
    struct TGame {
        std::uint8_t banker, player, code, bankerPair, playerPair;
    };
    constexpr TGame kGames[] = {{7, 5, rcBanker, 0, 0}, {3, 8, rcPlayer, 0, 1}, {6, 6, rcTie, 0, 0},
                                {9, 2, rcBanker, 1, 0}, {4, 7, rcPlayer, 0, 0}, {8, 1, rcBanker, 0, 0},
                                {5, 9, rcPlayer, 0, 0}, {2, 6, rcPlayer, 0, 0}, {9, 4, rcBanker, 0, 0},
                                {0, 7, rcPlayer, 1, 1}};
    int count = 0;
    for (const TGame& game : kGames) {
        scene.BarRoad[std::size_t(count)] = {game.banker, game.player, game.code};
        scene.ResultRoad[std::size_t(count)] = {game.code, game.bankerPair, game.playerPair};
        ++count;
    }
    scene.ResultRoadCount = count;
    scene.LastPointsA = 0;
    scene.LastPointsB = 7;
    scene.LastResultCode = rcPlayer;
}

// The room: 庄家乙 is banker with 5 000 000, chips 100, 1000, 5000, 1w, 5w, 10w, a personal maximum of
// 100 000, 20 s to bet, 15 s to deal, 8 s to show, 5 s between rounds.
TTableScene Room(TGamePhase phase) {
    TTableScene scene;
    scene.GameInProgress = phase != TGamePhase::Free;
    scene.BankerList[0] = {kBanker, kBankerSeat};
    scene.BankerBeans = 5000000;
    scene.BankerWinnings = 120000;
    scene.BankerRounds = 3;
    scene.Phase = phase;
    scene.BettingTime = 20;
    scene.FreeTime = 5;
    scene.DealingTime = 15;
    scene.SettlementTime = 8;
    scene.ChipIndices = {0, 2, 3, 4, 5, 6};
    scene.BankerApplyBeans = 1000000;
    scene.BankerKeepBeans = 200000;
    scene.BankerPayoutCap = 3000000;
    scene.RegionPayoutCap = 2000000;
    scene.PersonalStakeCap = 100000;
    scene.MinBankerRounds = 3;
    scene.EarlyLeavePenalty = 10000;
    scene.AcceptableAmounts = {2000000, 1000000, 2000000, 1000000, 250000, 62500, 181818, 181818};
    FillHistory(scene);
    return scene;
}

TFrame Scene(const TTableScene& scene) {
    return GameData(0, WriteTableScene(scene));
}

TFrame Bet(std::int64_t user, std::int64_t amount, std::uint8_t region, std::int64_t userStake,
           std::int64_t regionTotal, std::int32_t elapsed) {
    TBetNotice notice;
    notice.UserId = user;
    notice.Amount = amount;
    notice.Region = region;
    notice.UserStake = userStake;
    notice.RegionTotal = regionTotal;
    notice.PhaseElapsed = elapsed;
    return TableData(0, notice.Write());
}

TFrame BankerList(const TBankerList& list, std::int32_t rounds, std::int64_t winnings) {
    TBankerListNotice notice;
    notice.BankerList = list;
    notice.BankerRounds = rounds;
    notice.BankerWinnings = winnings;
    return TableData(0, notice.Write());
}

// The 76-byte coffer reply, field by field; the question stays empty.
TFrame CofferAnswer(const TCofferReply& reply) {
    ByteWriter record;
    record.WriteU8(reply.Kind);
    record.WriteU8(reply.Operation);
    record.WriteZeros(8);
    record.WriteU8(reply.ErrorFlag);
    record.WriteI64(reply.MinAmount);
    record.WriteI64(reply.MinRemaining);
    record.WriteI64(reply.AccountBean);
    record.WriteI64(reply.CofferBean);
    record.WriteZeros(TCofferReply::kBytes - record.Size());
    return CofferReply(0, record.Bytes());
}

// What Save's query brings: at least 1000 to deposit, 10000 must stay in hand; 500000 in hand, 20000 in
// the coffer.
TCofferReply DepositState() {
    TCofferReply reply;
    reply.Kind = 0;
    reply.Operation = 1;
    reply.MinAmount = 1000;
    reply.MinRemaining = 10000;
    reply.AccountBean = 500000;
    reply.CofferBean = 20000;
    return reply;
}

// [Stories]

std::string RoundScript() {
    TScript s;
    s.Comment(
        "A whole round: I bet 1000 on the Player, 闲家丙 bets 10000 on the Banker, the cards are dealt,");
    s.Comment(
        "the Player wins with 9 against 6, the scores are booked and the table returns to the free time.");
    StartTable(s, 880000201);
    s.Comment(
        "The host starts the game; the server's scene opens the betting (the first scene also prints the");
    s.Comment("room's settings).");
    s.Frame(GameStart());
    TTableScene betting = Room(TGamePhase::Betting);
    s.Frame(Scene(betting));
    s.Line("shot round-1-betting.png");
    s.Comment("I take the 1000 chip (the second chip button) and lay it on the Player's field.");
    s.Line("click 480 575");
    s.Line("move 130 360");
    s.Line("click 130 360");
    s.Comment("The server accepts it and tells everybody; then 闲家丙's 10000 on the Banker arrives.");
    s.Frame(Bet(kMe, 1000, 2, 1000, 1000, 3));
    s.Frame(Bet(kOther, 10000, 0, 10000, 10000, 5));
    s.Line("shot round-2-bets.png");
    s.Comment("The betting time runs out: the last five seconds tick, the music stops.");
    s.Line("wait 15500");
    s.Comment("The server deals: Player 红桃3 梅花2 and a third card 方块4, Banker 黑桃6 红桃K.");
    TTableScene dealing = Room(TGamePhase::Dealing);
    dealing.OwnStakes[2] = 1000;
    dealing.TotalStakes[2] = 1000;
    dealing.TotalStakes[0] = 10000;
    // What each region can still take after the two bets, as the table itself computed it.
    dealing.AcceptableAmounts = {1990000, 1000000, 1999000, 1000000, 250000, 62500, 181818, 181818};
    dealing.PlayerCards = "cOq";
    dealing.BankerCards = "Fm";
    s.Frame(Scene(dealing));
    s.Line("wait 2000");
    s.Line("shot round-3-dealing.png");
    s.Line("wait 4000");
    s.Comment(
        "The host books the round (my +1000, the banker's +9000, 闲家丙's -10000); the settlement follows.");
    s.Frame(ScoreBlock(
        1, 3,
        {{kMe, 0, 500, 1000, 501000}, {kBanker, 0, 9000, 9000, 5009000}, {kOther, 0, 60, -10000, 790000}},
        false));
    TSettlementNotice settlement;
    settlement.ResultCode = rcPlayer;
    settlement.PointsA = 6;
    settlement.PointsB = 9;
    settlement.OwnStakes[brPlayer] = 1000;
    settlement.NetResult = 1000;
    s.Frame(TableData(0, settlement.Write()));
    s.Comment("The settlement scene hands the road on, with this game at its end.");
    TTableScene shown = Room(TGamePhase::Settlement);
    shown.OwnStakes = dealing.OwnStakes;
    shown.TotalStakes = dealing.TotalStakes;
    shown.AcceptableAmounts = dealing.AcceptableAmounts;
    shown.PlayerCards = dealing.PlayerCards;
    shown.BankerCards = dealing.BankerCards;
    shown.BarRoad[10] = {6, 9, rcPlayer};
    shown.ResultRoad[10] = {rcPlayer, 0, 0};
    shown.ResultRoadCount = 11;
    shown.LastPointsA = 6;
    shown.LastPointsB = 9;
    shown.BankerBeans = 5009000;
    shown.BankerWinnings = 129000;
    shown.BankerRounds = 4;
    s.Frame(Scene(shown));
    s.Line("wait 1000");
    s.Line("shot round-4-settled.png");
    s.Line("wait 7000");
    s.Comment("Game over: the table is free again.");
    s.Frame(GameOver());
    TTableScene free = Room(TGamePhase::Free);
    free.BarRoad = shown.BarRoad;
    free.ResultRoad = shown.ResultRoad;
    free.ResultRoadCount = 11;
    free.LastPointsA = 6;
    free.LastPointsB = 9;
    free.BankerBeans = 5009000;
    free.BankerWinnings = 129000;
    free.BankerRounds = 4;
    s.Frame(Scene(free));
    s.Comment("A second later the clock counts the free time down.");
    s.Line("wait 1000");
    s.Line("shot round-5-free.png");
    s.Line("finalize");
    return s.Text();
}

std::string RefusalsScript() {
    TScript s;
    s.Comment("Every refused bet is explained in the chat and sends nothing.");
    StartTable(s, 880000202, 55000);
    s.Comment("Between rounds: the free-time scene; a click on the Banker's field is too early.");
    s.Frame(Scene(Room(TGamePhase::Free)));
    s.Line("click 650 360");
    s.Comment("Betting opens; a click without a chip in hand asks for one.");
    s.Frame(GameStart());
    s.Frame(Scene(Room(TGamePhase::Betting)));
    s.Line("click 650 360");
    s.Comment("With the 100 chip, twenty bets in a row go out; the 21st with the same chip is refused.");
    s.Line("click 420 575");
    for (int i = 0; i < 21; ++i)
        s.Line("click 650 360");
    s.Comment(
        "Another chip starts the run anew: five 1w bets on the Player go out and the server accepts them.");
    s.Line("click 600 575");
    for (int i = 0; i < 5; ++i)
        s.Line("click 130 360");
    for (int i = 1; i <= 5; ++i)
        s.Frame(Bet(kMe, 10000, 2, 10000 * i, 10000 * i, 6));
    s.Comment("My stake is 50000 and my balance of 55000 cannot carry another 1w.");
    s.Line("click 130 360");
    s.Comment("More money arrives (a silent score update to 600000); five more 1w bets are accepted, which");
    s.Comment("brings my stake to the personal maximum of 100000: the next 1w would pass it.");
    s.Frame(ScoreBlock(2, 1, {{kMe, 0, 500, 545000, 600000}}, false));
    for (int i = 0; i < 5; ++i)
        s.Line("click 130 360");
    for (int i = 6; i <= 10; ++i)
        s.Frame(Bet(kMe, 10000, 2, 10000 * i, 10000 * i, 8));
    s.Line("click 130 360");
    s.Line("shot refusals-maximum.png");
    s.Comment(
        "The round ends (its dealing is left out here). In the next one the banker has left and nobody");
    s.Comment("took the seat: the system passes the round, no bets at all.");
    s.Frame(GameOver());
    s.Frame(GameStart());
    TTableScene passing = Room(TGamePhase::Betting);
    passing.BankerList = {};
    passing.NoBanker = true;
    passing.AutoPass = true;
    passing.StatusText = "无人上庄，系统自动过牌";
    s.Frame(Scene(passing));
    s.Line("click 130 360");
    s.Line("shot refusals-passing.png");
    s.Line("finalize");
    return s.Text();
}

std::string BankerScript() {
    TScript s;
    s.Comment(
        "I apply for the banker seat through the top bar, join the queue, and become banker when 庄家乙");
    s.Comment(
        "steps down; the table announces me with my level (the INI's level table: 富商 from 100 points).");
    StartTable(s, 880000203, 2000000);
    s.Comment("Between rounds, 庄家乙 is banker and nobody waits: the apply button (上庄) is offered.");
    s.Frame(Scene(Room(TGamePhase::Free)));
    s.Line("shot banker-1-apply.png");
    s.Line("click 692 50");
    s.Comment("The server puts me in the queue behind 庄家乙: the button becomes withdraw (its face, like");
    s.Comment("the step-down's, reads 强制退庄). The table had not announced 庄家乙 yet, so this first list");
    s.Comment("names him with his level (富商, 9000 points).");
    TBankerList queued{};
    queued[0] = {kBanker, kBankerSeat};
    queued[1] = {kMe, kMySeat};
    s.Frame(BankerList(queued, 3, 120000));
    s.Line("shot banker-2-queued.png");
    s.Comment("庄家乙 steps down; I am the banker now, announced with my level (富商, 500 points).");
    TBankerList mine{};
    mine[0] = {kMe, kMySeat};
    s.Frame(BankerList(mine, 0, 0));
    s.Comment("The same list again announces nothing.");
    s.Frame(BankerList(mine, 0, 0));
    s.Line("shot banker-3-banker.png");
    s.Comment("As banker I may step down between rounds: the same place now holds the step-down button.");
    s.Line("click 692 50");
    s.Line("finalize");
    return s.Text();
}

std::string CofferScript() {
    TScript s;
    s.Comment(
        "A coffer deposit: Save asks the host for the coffer's state; the reply opens the deposit dialog");
    s.Comment(
        "after the host's call has returned; an amount below the minimum is refused in the dialog, a good");
    s.Comment("one is confirmed and sent; the host's answer is shown in a message box.");
    StartTable(s, 880000204);
    s.Frame(Scene(Room(TGamePhase::Free)));
    s.Line("click 30 592");
    s.Comment("A second click while the query is pending sends nothing.");
    s.Line("click 30 592");
    s.Comment(
        "The reply: at least 1000 to deposit, 10000 must stay in hand; 500000 in hand, 20000 in the coffer.");
    s.Frame(CofferAnswer(DepositState()));
    s.Comment(
        "The dialog opens on the coffer timer's first tick; I type 5, x and 00: the letter is not taken,");
    s.Comment("and 500 is less than the minimum.");
    s.Line("wait 1");
    s.Line("type 5x00");
    s.Line("shot coffer-dialog.png");
    s.Line("answer 1");
    s.Comment("Two more zeros make 50000, which leaves 450000 in hand: the deposit request goes out.");
    s.Line("type 00");
    s.Line("answer 1");
    s.Comment("The host reports the deposit done.");
    TCofferReply done;
    done.Kind = 1;
    done.Operation = 1;
    s.Frame(CofferAnswer(done));
    s.Line("wait 1");
    s.Line("finalize");
    return s.Text();
}

std::string StatisticsScript() {
    TScript s;
    s.Comment(
        "A room that allows the statistics window: its 15 x 15 button sits at the table's corner, and Ctrl");
    s.Comment(
        "with a right click on it opens the window. While it shows it polls the server every second in the");
    s.Comment("betting time; the computer's stakes fill it in, and its OK buttons send their commands.");
    StartTable(s, 880000205);
    s.Frame(GameStart());
    TTableScene betting = Room(TGamePhase::Betting);
    betting.StatisticsAllowed = true;
    s.Frame(Scene(betting));
    s.Comment("A plain right click on it opens nothing; with Ctrl held the window opens.");
    s.Line("click 7 7 right");
    s.Line("click 7 7 right ctrl");
    s.Comment(
        "The computer's players have 30000 on the Banker, 8000 on the Banker king, 20000 on the Player,");
    s.Comment("2000 on the Tie, and the computer is banker.");
    TComputerBetNotice computer;
    computer.BankerKind = 1;
    computer.Amounts = {30000, 8000, 20000, 0, 2000, 0, 0, 0};
    s.Frame(TableData(0, computer.Write()));
    s.Comment("Two seconds of polls.");
    s.Line("wait 2000");
    s.Line("shot statistics.png");
    s.Comment(
        "The OK of the Banker's box (the window and the table both stand centred on the 1280 x 984 screen;");
    s.Comment("clicks are in the table's coordinates) sends command 1.");
    s.Line("click 763 419");
    s.Comment("After the betting time nothing more is asked.");
    TTableScene dealing = Room(TGamePhase::Dealing);
    dealing.StatisticsAllowed = true;
    dealing.PlayerCards = "cOq";
    dealing.BankerCards = "Fm";
    s.Frame(Scene(dealing));
    s.Line("wait 2000");
    s.Line("finalize");
    return s.Text();
}

// The start of the closing stories: my round is running and I have 1000 on the Player.
void PlayingWithAStake(TScript& s, bool commented) {
    s.Line("init cookie=880000103 user=1001 nick=玩家甲 title=百家乐一号桌");
    if (commented) s.Comment("Table settings with the penalty switch on and free leave off.");
    s.Frame(PenaltySettings());
    if (commented) s.Comment("I am seated at seat 0 (and take the watch attribute of the option CanLook).");
    s.Frame(MeAlone());
    if (commented) s.Comment("The game starts.");
    s.Frame(GameStart());
    if (commented)
        s.Comment(
            "The betting scene, and the server accepts my 1000 on the Player: I have a stake in this round.");
    s.Frame(Scene(Room(TGamePhase::Betting)));
    s.Frame(Bet(kMe, 1000, 2, 1000, 1000, 3));
}

std::string CloseQueryScript() {
    TScript s;
    s.Comment("Closing the table while seated with a stake in a running game asks first; only a yes leaves.");
    PlayingWithAStake(s, true);
    s.Comment("The player closes the window and cancels the warning: the table stays.");
    s.Line("answer 2");
    s.Line("key Alt+F4");
    s.Comment("The player closes again and confirms: the table leaves its seat and the table.");
    s.Line("answer 1");
    s.Line("key Alt+F4");
    return s.Text();
}

std::string CloseWarningLeaveFrameScript() {
    TScript s;
    s.Comment("Closing while playing asks first; while the warning waits, the player's own leave frame "
              "arrives and");
    s.Comment(
        "the hall releases the table inside PluginClosed: the warning ends unanswered and the table goes.");
    PlayingWithAStake(s, false);
    s.Line("hall release-on-close");
    s.Comment("No answer: the warning waits for the player (or its countdown).");
    s.Line("answer 0");
    s.Line("key Alt+F4");
    s.Frame(UserLeave(kMe));
    return s.Text();
}

std::string CloseWarningReleaseOnCloseScript() {
    TScript s;
    s.Comment(
        "Closing while playing asks first; the player confirms the warning and the hall releases the table");
    s.Comment("inside PluginClosed, which the confirmation leads to.");
    PlayingWithAStake(s, false);
    s.Line("hall release-on-close");
    s.Line("answer 1");
    s.Line("key Alt+F4");
    return s.Text();
}

std::string FinalizeSendFailsScript() {
    TScript s;
    // Two lines of story, so that the failing finalize stays on line 11, where the refusal names it.
    s.Comment(
        "A hall whose SendData fails on the first leave frame: the table still sends the second one, and");
    s.Comment("the failure comes back as the result of Finalize. After the close nothing acts.");
    PlayingWithAStake(s, false);
    s.Line("hall fail SendData");
    s.Line("finalize");
    s.Line("finalize");
    s.Comment(
        "The game starts again, a new betting scene and a coffer reply: no music, no dialog, no request.");
    s.Frame(GameStart());
    s.Frame(Scene(Room(TGamePhase::Betting)));
    s.Frame(CofferAnswer(DepositState()));
    s.Line("text 48656c6c6f");
    s.Line("wait 5000");
    return s.Text();
}

// The start of the coffer-dialog stories: Save's reply has opened the deposit dialog.
void DepositDialogOpen(TScript& s) {
    StartTable(s, 880000204);
    s.Comment("Between rounds, Save asks for the coffer; its reply opens the deposit dialog on the coffer");
    s.Comment("timer's first tick.");
    s.Frame(Scene(Room(TGamePhase::Free)));
    s.Line("click 30 592");
    s.Frame(CofferAnswer(DepositState()));
    s.Line("wait 1");
}

std::string CofferDialogLeaveFrameScript() {
    TScript s;
    s.Comment(
        "The player's own leave frame arrives while the coffer's deposit dialog is open; the hall releases");
    s.Comment("the table from a message it posts itself in PluginClosed, which the dialog's loop runs.");
    DepositDialogOpen(s);
    s.Line("hall release-posted");
    s.Frame(UserLeave(kMe));
    return s.Text();
}

std::string CofferDialogReleaseOnCloseScript() {
    TScript s;
    s.Comment(
        "The hall finalises the table while the coffer's deposit dialog is open and releases it inside");
    s.Comment(
        "PluginClosed: the dialog ends, no deposit is sent, and the table goes only once the dialog's loop");
    s.Comment("has returned (the music stops when the object goes).");
    DepositDialogOpen(s);
    s.Comment("The dialog is open and waits; the hall releases the table when it closes.");
    s.Line("hall release-on-close");
    s.Line("finalize");
    return s.Text();
}

bool Write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return bool(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-replay-scripts FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::pair<const char*, std::string> scripts[] = {
        {"round.script", RoundScript()},
        {"bet-refusals.script", RefusalsScript()},
        {"banker-change.script", BankerScript()},
        {"coffer-deposit.script", CofferScript()},
        {"statistics.script", StatisticsScript()},
        {"close-query-playing.script", CloseQueryScript()},
        {"close-warning-leave-frame.script", CloseWarningLeaveFrameScript()},
        {"close-warning-release-on-close.script", CloseWarningReleaseOnCloseScript()},
        {"finalize-send-fails.script", FinalizeSendFailsScript()},
        {"coffer-dialog-leave-frame.script", CofferDialogLeaveFrameScript()},
        {"coffer-dialog-release-on-close.script", CofferDialogReleaseOnCloseScript()}};
    for (const auto& [name, text] : scripts) {
        if (!Write(folder / name, text)) {
            std::cerr << "make-replay-scripts: cannot write " << (folder / name).string() << '\n';
            return 1;
        }
    }
    return 0;
}
