#include "game/TwoEightRules.h"

#include "base/ClampedMath.h"
#include "base/Gbk.h"
#include "base/IniFile.h"
#include "graphics/PngCardInfo.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace morvane {

namespace {

struct THitArea {
    int Left, Top, Right, Bottom;
};

// Tested in region order; the first that holds the point wins.
constexpr std::array<THitArea, kRegionCount> kHitAreas{{{549, 284, 790, 450},
                                                        {549, 458, 790, 530},
                                                        {25, 284, 250, 450},
                                                        {25, 458, 250, 530},
                                                        {263, 348, 550, 450},
                                                        {263, 458, 550, 530},
                                                        {549, 205, 790, 270},
                                                        {25, 205, 266, 270}}};

constexpr std::array<std::string_view, kChipKinds> kChipSounds{
    "下注100.wav", "下注500.wav", "下注1000.wav", "下注5000.wav", "下注1w.wav",
    "下注5W.wav",  "下注10w.wav", "下注50w.wav",  "下注100w.wav", "下注500w.wav"};

constexpr std::size_t kWrapWidth = 35;
constexpr int kWrapLines = 3;
constexpr std::int64_t kFirstLevelThreshold = -2147483647;

int ChipIndexOfValue(std::int64_t amount) {
    for (int i = 0; i < kChipKinds; ++i)
        if (kChipValues[std::size_t(i)] == amount) return i;
    return -1;
}

// The cut nearest before byte `limit` that splits no double-byte character (the walk starts at the
// text's first byte, so a trail byte is never taken for a lead byte).
std::size_t CharacterCut(const std::string& text, std::size_t limit) {
    std::size_t at = 0;
    while (at < limit) {
        const std::size_t step = gbk::IsLeadByte(std::uint8_t(text[at])) && at + 1 < text.size() ? 2 : 1;
        if (at + step > limit) break;
        at += step;
    }
    return at;
}

} // namespace

std::int64_t ChipValueOfCursor(int cursor) {
    return cursor >= 1 && cursor <= kChipKinds ? kChipValues[std::size_t(cursor - 1)] : 0;
}

std::string ChipSoundName(std::int64_t amount) {
    const int index = ChipIndexOfValue(amount);
    return index < 0 ? std::string() : std::string(kChipSounds[std::size_t(index)]);
}

std::optional<int> RegionAt(int x, int y) {
    for (int region = 0; region < kRegionCount; ++region) {
        const THitArea& area = kHitAreas[std::size_t(region)];
        if (x >= area.Left && x < area.Right && y >= area.Top && y < area.Bottom) return region;
    }
    return std::nullopt;
}

TRegionAmounts AcceptableAmounts(const TAcceptableInputs& in) {
    const TRegionAmounts& t = in.Totals;
    const std::int64_t base = std::min(in.BankerBeans, in.BankerPayoutCap);
    // Each cap is base plus a weighted sum of the region totals, computed exactly and only then held to
    // the 64-bit range: every total may be anything the server sends.
    const std::array<std::int64_t, 1 + kRegionCount> terms{base, t[0], t[1], t[2], t[3],
                                                           t[4], t[5], t[6], t[7]};
    auto cap = [&terms](std::array<int, 1 + kRegionCount> weights) {
        return ClampedWeightedSum(weights, terms);
    };
    //                              base  T0  T1  T2  T3  T4   T5   T6   T7
    const std::int64_t bankerCap = cap({1, 0, -2, 1, 1, 1, 1, -11, -11});
    const std::int64_t playerCap = cap({1, 1, 1, 0, -2, 1, 1, -11, -11});
    TRegionAmounts caps;
    caps.fill(base);
    caps[0] = bankerCap;
    if (in.Hedging) {
        caps[2] = playerCap;
        caps[4] = cap({1, 1, 1, 1, 1, 0, -32, -11, -11});
    } else {
        caps[1] = playerCap;
        caps[3] = cap({1, 0, 0, 0, 0, 0, -32, -11, -11});
    }
    TRegionAmounts acceptable{};
    for (int i = 0; i < kRegionCount; ++i) {
        const std::int64_t regionCap = std::min(caps[std::size_t(i)], in.RegionPayoutCap);
        const std::int64_t amount =
            ClampedSub(regionCap / kBetRegions[std::size_t(i)].Odds, t[std::size_t(i)]);
        acceptable[std::size_t(i)] = std::max<std::int64_t>(amount, 0);
    }
    return acceptable;
}

int HandPoints(std::string_view cards) {
    int sum = 0;
    for (char c : cards) {
        const int rank = CardFromChar(c).Rank;
        if (rank < 10) sum += rank;
    }
    return sum % 10;
}

std::string HandLabel(std::string_view cards) {
    const int points = HandPoints(cards);
    char text[32];
    if (points >= 8)
        std::snprintf(text, sizeof text, "天王(%d)", points);
    else
        std::snprintf(text, sizeof text, "%d点", points);
    return text;
}

std::string WrapStatusText(const std::string& text) {
    std::string wrapped;
    std::size_t start = 0;
    for (int line = 1; line <= kWrapLines && start < text.size(); ++line) {
        const std::size_t end = line == kWrapLines || text.size() <= line * kWrapWidth
                                    ? text.size()
                                    : CharacterCut(text, line * kWrapWidth);
        if (line > 1) wrapped += "\n\r";
        wrapped.append(text, start, end - start);
        start = end;
    }
    return wrapped;
}

TBankerLevelTable ReadBankerLevels(const TIniFile& ini) {
    TBankerLevelTable table;
    table.RelateScore = ini.ReadBool("Level", "LevelRelateScore", true);
    const int count = std::clamp(ini.ReadInteger("Level", "LevelCount", 0), 0, 1000);
    for (int i = 1; i <= count; ++i) {
        const std::string key = "Level" + std::to_string(i);
        TBankerLevel level;
        if (!TIniFile::ParseInt64(ini.ReadString("Level", key + "Score", "0"), level.Threshold))
            level.Threshold = 0;
        if (i == 1) level.Threshold = kFirstLevelThreshold;
        level.Name = ini.ReadString("Level", key + "Name", "");
        level.Speech = ini.ReadString("Level", key + "Speak", "");
        table.Levels.push_back(std::move(level));
    }
    return table;
}

int BankerLevelOf(const TBankerLevelTable& table, std::int64_t value) {
    int level = 0;
    for (std::size_t i = 0; i < table.Levels.size(); ++i)
        if (table.Levels[i].Threshold <= value) level = int(i) + 1;
    return level;
}

} // namespace morvane
