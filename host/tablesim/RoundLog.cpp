#include "host/tablesim/RoundLog.h"

#include "base/Gbk.h"

#include <sstream>

namespace morvane::tablesim {
namespace {

// Literals and names are GBK inside the program; the log is read by people, in UTF-8.
std::string Utf8(const std::string& gbk) {
    return gbk::ToUtf8(gbk);
}

std::string Signed(std::int64_t value) {
    return (value > 0 ? "+" : "") + std::to_string(value);
}

} // namespace

std::string HandText(const server::THand& hand) {
    // The suit signs in UTF-8 bytes: the execution character set has none of them.
    static const char* const kSuits[] = {"\xE2\x99\xA0", "\xE2\x99\xA5", "\xE2\x99\xA3", "\xE2\x99\xA6"};
    static const char* const kRanks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    std::string text;
    for (server::TCardCode card : hand) {
        if (!text.empty()) text += ' ';
        text += kSuits[(card / 13) % 4];
        text += kRanks[card % 13];
    }
    return text;
}

std::string OutcomeText(const server::TRoundOutcome& outcome) {
    std::string text = Utf8(std::string(ResultName(outcome.ResultCode)));
    if (outcome.ResultCode == rcBankerKing || outcome.ResultCode == rcPlayerKing) text += Utf8(" (天王)");
    if (outcome.ResultCode == rcSamePointTie) text += Utf8(" (同点和)");
    if (outcome.BankerPair) text += Utf8(", 庄对子");
    if (outcome.PlayerPair) text += Utf8(", 闲对子");
    return text;
}

std::string RoundLogEntry(const server::TBaccaratServer::TRoundReport& report, const TNameOf& nameOf,
                          const TOwnFigures& own) {
    std::ostringstream out;
    out << Utf8("第 ") << report.Round << Utf8(" 局 (第 ") << report.Shoe << Utf8(" 靴)\n");
    out << Utf8("  闲家: ") << HandText(report.Cards.Player) << "  = " << report.Outcome.PlayerPoints
        << Utf8(" 点\n");
    out << Utf8("  庄家: ") << HandText(report.Cards.Banker) << "  = " << report.Outcome.BankerPoints
        << Utf8(" 点\n");
    out << Utf8("  结果: ") << OutcomeText(report.Outcome) << '\n';
    if (report.BankerId > 0)
        out << Utf8("  坐庄: ") << Utf8(report.BankerName) << "  " << Signed(report.BankerNet)
            << Utf8(", 余额 ") << report.BankerBeans << '\n';
    else
        out << Utf8("  坐庄: 无人上庄, 系统过牌\n");
    out << Utf8("  下注 (") << report.Bets.size() << Utf8(" 注):");
    if (report.Bets.empty()) out << Utf8(" 无");
    out << '\n';
    for (const auto& bet : report.Bets)
        out << "    " << Utf8(nameOf(bet.UserId)) << "  " << Utf8(std::string(kBetRegions[bet.Region].Name))
            << ' ' << bet.Amount << '\n';
    if (!report.Results.empty()) out << Utf8("  输赢:\n");
    for (const auto& result : report.Results)
        out << "    " << Utf8(result.NickName) << "  " << Signed(result.Net) << Utf8(", 余额 ")
            << result.Beans << '\n';
    out << Utf8("  本方: 下注 ") << own.Stake << Utf8(", 余额 ") << own.Balance << '\n';
    return out.str();
}

std::string RoundProgressLine(const server::TBaccaratServer::TRoundReport& report, int rounds,
                              const TOwnFigures& own) {
    std::ostringstream out;
    out << "round " << report.Round;
    if (rounds > 0) out << '/' << rounds;
    out << ": " << OutcomeText(report.Outcome) << Utf8("  闲 ") << report.Outcome.PlayerPoints
        << Utf8(" : 庄 ") << report.Outcome.BankerPoints << "  stake " << own.Stake << "  balance "
        << own.Balance;
    return out.str();
}

std::int64_t StakeOf(const server::TBaccaratServer::TRoundReport& report, std::int64_t userId) {
    std::int64_t stake = 0;
    for (const auto& result : report.Results)
        if (result.UserId == userId)
            for (std::int64_t amount : result.Stakes)
                stake += amount;
    return stake;
}

} // namespace morvane::tablesim
