// The hub's score blocks: the users' records brought up to date and the round's score and bean lines
// shown in the chat.
#include "base/ClampedMath.h"
#include "plugin/CustomPluginScore.h"
#include "plugin/CustomPluginShare.h"
#include "plugin/CustomPluginUser.h"
#include "plugin/HubFormat.h"

#include <algorithm>

namespace morvane {
namespace {

// Win, loss or draw of a score entry: the sign of the two deltas together, without overflowing.
int ResultSign(std::int64_t scoreDelta, std::int64_t beanDelta) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(scoreDelta, beanDelta, &sum)) return scoreDelta > 0 ? 1 : -1;
    return sum > 0 ? 1 : (sum < 0 ? -1 : 0);
}

} // namespace

void TCustomPluginShare::AppendScoreLine(std::string& notes, std::int64_t userId, const std::string& name,
                                         int seat, std::int64_t delta) const {
    std::string shown = HideNames() && userId != myId_ ? hub::SeatUserName(seat) : name;
    notes += "\r" + hub::PadRight(shown, 8) + ": " + hub::SignedText(delta);
}

void TCustomPluginShare::DoScoreBlock(std::uint8_t flag, int count, const TPluginScoreBlock& block) {
    if (!client_ || count <= 0 || flag == 0) return;
    count = std::min(count, kMaxTableUsers);
    const bool scoreNotes = client_->Settings().ScoreNotes > 0;
    const bool beanNotes = client_->Settings().BeanNotes > 0;
    if (flag == 1 && !scoreNotes && !beanNotes) return;

    std::string scoreLines = "本局" + ScoreName() + ":";
    std::string beanLines = "本局" + BeanName() + ":";
    for (int i = 0; i < count; ++i) {
        const TScoreEntry entry = ScoreEntryAt(block, i);
        int seat = 0;
        std::string name;
        if (const TPluginSeatEntry* seatEntry = client_->FindSeat(entry.UserID, &seat)) {
            name = seatEntry->Name;
        } else if (const STRU_PLUGIN_USERINFO* departed = FindDepartedUser(entry.UserID)) {
            name = FilteredNickName(*departed);
            seat = departed->Seat;
        } else {
            continue;
        }
        if (STRU_PLUGIN_USERINFO* user = FindUser(entry.UserID)) {
            user->Score = entry.Score;
            user->Beans = entry.Beans;
            if (flag == 1 && count > 1) {
                int sign = ResultSign(entry.ScoreDelta, entry.BeanDelta);
                // The counts come from the host and may already be at their largest.
                if (sign > 0) user->Wins = ClampedAdd(user->Wins, 1);
                if (sign < 0) user->Losses = ClampedAdd(user->Losses, 1);
                if (sign == 0) user->Draws = ClampedAdd(user->Draws, 1);
            }
        }
        if (flag == 1 && entry.UserID != 0) {
            AppendScoreLine(scoreLines, entry.UserID, name, seat, entry.ScoreDelta);
            AppendScoreLine(beanLines, entry.UserID, name, seat, entry.BeanDelta);
        }
    }
    if (flag == 1 && client_->ShowScoreNotes()) {
        if (scoreNotes) ShowText(scoreLines, lines::kScoreNote);
        if (beanNotes) ShowText(beanLines, lines::kScoreNote);
    }
    if (client_) client_->DoScoreBlock(flag, count, block);
    if (user_) user_->DoScoreBlock(flag, count, block);
    if (score_) score_->DoScoreBlock(flag, count, block);
    if (OnScoreChanged) OnScoreChanged();
}

} // namespace morvane
