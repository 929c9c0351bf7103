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

// "F,B,D,S": four whole numbers of seconds, each from 1 to kMaxPhaseSeconds.
bool ParsePhaseSeconds(const std::string& text, std::array<int, 4>& seconds) {
    std::size_t start = 0;
    for (std::size_t phase = 0; phase < seconds.size(); ++phase) {
        const std::size_t comma = text.find(',', start);
        const bool last = phase + 1 == seconds.size();
        if (last != (comma == std::string::npos)) return false;
        std::int64_t value = 0;
        if (!ParseNumber(text.substr(start, last ? std::string::npos : comma - start), 1, kMaxPhaseSeconds,
                         value))
            return false;
        seconds[phase] = int(value);
        start = comma + 1;
    }
    return true;
}

bool TakesValue(const std::string& flag, TSimProgram program) {
    if (flag == "--dll") return program == TSimProgram::Window;
    if (flag == "--heap-from" || flag == "--scale") return program == TSimProgram::Headless;
    return flag == "--rounds" || flag == "--seed" || flag == "--bots" || flag == "--out" ||
           flag == "--strategy" || flag == "--phase-seconds";
}

} // namespace

std::string SimUsage(TSimProgram program) {
    if (program == TSimProgram::Window)
        return "usage: morvane-tablesim [--rounds N] [--seed S] [--bots N] [--out DIR] [--quiet]\n"
               "                        [--strategy banker|player|tie|random|none] [--phase-seconds "
               "F,B,D,S]\n"
               "                        [--dll PATH]\n";
    return "usage: morvane-tablesim [--rounds N] [--seed S] [--bots N] [--out DIR] [--every-phase] "
           "[--quiet]\n"
           "                        [--strategy banker|player|tie|random|none] [--phase-seconds F,B,D,S]\n"
           "                        [--coffer] [--no-record] [--heap-from N] [--scale 1|2|3]\n";
}

std::optional<TSimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error,
                                           TSimProgram program) {
    const bool window = program == TSimProgram::Window;
    TSimOptions options;
    if (window) {
        options.Rounds = 0;
        options.OutDir.clear();
        options.Record = false;
        options.Strategy = TStrategy::None;
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (flag == "--every-phase" && !window) {
            options.EveryPhase = true;
            continue;
        }
        if (flag == "--quiet") {
            options.Quiet = true;
            continue;
        }
        if (flag == "--coffer" && !window) {
            options.CofferUse = true;
            continue;
        }
        if (flag == "--no-record" && !window) {
            options.Record = false;
            continue;
        }
        if (!TakesValue(flag, program)) {
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
            const int fewest = window ? 0 : 1;
            if (!ParseNumber(value, fewest, 100000, number)) {
                error = "--rounds takes a whole number from " + std::to_string(fewest) + " to 100000, not " +
                        value;
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
            // The window simulator records only when given a folder; the headless one records unless
            // told not to.
            if (window) options.Record = true;
        } else if (flag == "--phase-seconds") {
            if (!ParsePhaseSeconds(value, options.PhaseSeconds)) {
                error = "--phase-seconds takes four whole numbers of seconds from 1 to " +
                        std::to_string(kMaxPhaseSeconds) + " (free,betting,dealing,settlement), not " + value;
                return std::nullopt;
            }
        } else if (flag == "--heap-from") {
            if (!ParseNumber(value, 1, 100000, number)) {
                error = "--heap-from takes a round from 1 to 100000, not " + value;
                return std::nullopt;
            }
            options.HeapFrom = int(number);
        } else if (flag == "--scale") {
            if (!ParseNumber(value, 1, 3, number)) {
                error = "--scale takes a whole factor from 1 to 3, not " + value;
                return std::nullopt;
            }
            options.Scale = int(number);
        } else if (flag == "--dll") {
            if (value.empty()) {
                error = "--dll needs the path of the library";
                return std::nullopt;
            }
            options.LibraryPath = value;
        } else {
            auto strategy = ParseStrategy(value);
            if (!strategy) {
                error = "--strategy is one of banker, player, tie, random, none; not " + value;
                return std::nullopt;
            }
            options.Strategy = *strategy;
        }
    }
    if (options.HeapFrom > options.Rounds) {
        error = "--heap-from " + std::to_string(options.HeapFrom) + " comes after the last round (" +
                std::to_string(options.Rounds) + ")";
        return std::nullopt;
    }
    return options;
}

} // namespace morvane::tablesim
