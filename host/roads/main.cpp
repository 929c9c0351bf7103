// morvane-roads: prints the big road, the three derived roads and the ask marks of a history of B, P
// and T results, from the same road code the road window draws from.
//
//   morvane-roads BBPTPB        the history as the argument
//   echo BBPTPB | morvane-roads the history on standard input
//
// Whitespace between results is ignored. Any other character is refused with exit status 2.

#include "graphics/BigRoad.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace morvane;

constexpr int kExitRefused = 2;

const char* const kUsage = "usage: morvane-roads [HISTORY]\n"
                           "  HISTORY is a string of B (Banker), P (Player) and T (Tie), oldest first;\n"
                           "  without it the history is read from standard input.\n";

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// A byte as a person can read it in a message: itself when printable, else its hex code.
std::string Shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x21 && byte < 0x7F) return std::string("'") + c + "'";
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", unsigned(byte));
    return hex;
}

// The games of a history, or nothing with the reason in `error`.
std::optional<std::vector<TResultTableEntry>> ParseHistory(std::string_view text, std::string& error) {
    std::vector<TResultTableEntry> games;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (IsSpace(c)) continue;
        std::uint8_t code = 0;
        switch (c) {
        case 'B':
            code = rcBanker;
            break;
        case 'P':
            code = rcPlayer;
            break;
        case 'T':
            code = rcTie;
            break;
        default:
            error = "not a result at character " + std::to_string(at + 1) + ": " + Shown(c) +
                    " (a history is a string of B, P and T)";
            return std::nullopt;
        }
        games.push_back({code, 0, 0});
    }
    return games;
}

const char* ColourName(TRoadColour colour) {
    return colour == TRoadColour::Red ? "red" : "blue";
}

const char* DerivedRoadName(TDerivedRoadKind kind) {
    switch (kind) {
    case TDerivedRoadKind::BigEye:
        return "bigeye";
    case TDerivedRoadKind::Small:
        return "small";
    case TDerivedRoadKind::Cockroach:
        return "cockroach";
    }
    return "?";
}

std::string Report(const std::vector<TResultTableEntry>& games) {
    std::ostringstream out;
    const TBigRoad bigRoad = LayOutBigRoad(games);
    for (const TBigRoadMark& mark : bigRoad.Marks)
        out << "big " << mark.Cell.Column << ' ' << mark.Cell.Row << ' '
            << (mark.Side == TResultKind::Banker ? 'B' : 'P') << ' ' << mark.Ties << '\n';
    for (TDerivedRoadKind kind : kDerivedRoadKinds)
        for (const TDerivedRoadMark& mark : LayOutDerivedRoad(bigRoad, kind).Marks)
            out << DerivedRoadName(kind) << ' ' << mark.Cell.Column << ' ' << mark.Cell.Row << ' '
                << ColourName(mark.Colour) << '\n';
    for (const auto& [side, letter] :
         {std::pair{TResultKind::Banker, 'B'}, std::pair{TResultKind::Player, 'P'}}) {
        const TAskMarks ask = AskRoad(games, side);
        out << "ask " << letter;
        for (const std::optional<TDerivedRoadMark>& mark : ask.Derived)
            out << ' ' << (mark ? ColourName(mark->Colour) : "-");
        out << '\n';
    }
    return out.str();
}

} // namespace

int main(int argc, char** argv) {
    std::string history;
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (argc > 2) {
        std::cerr << "morvane-roads: expected one history, got " << argc - 1 << " arguments\n" << kUsage;
        return kExitRefused;
    }
    if (argc == 2)
        history = argv[1];
    else
        history.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());

    std::string error;
    const std::optional<std::vector<TResultTableEntry>> games = ParseHistory(history, error);
    if (!games) {
        std::cerr << "morvane-roads: " << error << '\n';
        return kExitRefused;
    }
    std::cout << Report(*games);
    return std::cout.flush() ? 0 : 1;
}
