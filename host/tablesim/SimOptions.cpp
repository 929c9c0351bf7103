#include "host/tablesim/SimOptions.h"

#include <charconv>

namespace morvane::tablesim {
namespace {

bool ParseNumber(const std::string& text, std::int64_t low, std::int64_t high, std::int64_t& value) {
    const char* end = text.data() + text.size();
    auto [at, fault] = std::from_chars(text.data(), end, value);
    return fault == std::errc() && at == end && value >= low && value <= high;
}

std::optional<TStrategy> ParseStrategy(const std::string& text) {
    if (text == "banker") return TStrategy::Banker;
    if (text == "player") return TStrategy::Player;
    if (text == "tie") return TStrategy::Tie;
    if (text == "random") return TStrategy::Random;
    if (text == "none") return TStrategy::None;
    return std::nullopt;
}

} // namespace

std::string SimUsage() {
    return "usage: morvane-tablesim [--rounds N] [--seed S] [--bots N] [--out DIR] [--every-phase] "
           "[--quiet]\n"
           "                        [--strategy banker|player|tie|random|none]\n";
}

std::optional<TSimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error) {
    TSimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (flag == "--every-phase") {
            options.EveryPhase = true;
            continue;
        }
        if (flag == "--quiet") {
            options.Quiet = true;
            continue;
        }
        const bool takesValue = flag == "--rounds" || flag == "--seed" || flag == "--bots" ||
                                flag == "--out" || flag == "--strategy";
        if (!takesValue) {
            error = "unknown option " + flag;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = flag + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        std::int64_t number = 0;
        if (flag == "--rounds") {
            if (!ParseNumber(value, 1, 100000, number)) {
                error = "--rounds takes a whole number from 1 to 100000, not " + value;
                return std::nullopt;
            }
            options.Rounds = int(number);
        } else if (flag == "--seed") {
            if (!ParseNumber(value, 0, UINT32_MAX, number)) {
                error = "--seed takes a whole number from 0 to 4294967295, not " + value;
                return std::nullopt;
            }
            options.Seed = std::uint32_t(number);
        } else if (flag == "--bots") {
            if (!ParseNumber(value, 0, kMaxBots, number)) {
                error =
                    "--bots takes a whole number from 0 to " + std::to_string(kMaxBots) + ", not " + value;
                return std::nullopt;
            }
            options.Bots = int(number);
        } else if (flag == "--out") {
            if (value.empty()) {
                error = "--out needs a folder";
                return std::nullopt;
            }
            options.OutDir = value;
        } else {
            auto strategy = ParseStrategy(value);
            if (!strategy) {
                error = "--strategy is one of banker, player, tie, random, none; not " + value;
                return std::nullopt;
            }
            options.Strategy = *strategy;
        }
    }
    return options;
}

} // namespace morvane::tablesim
