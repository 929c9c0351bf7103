#pragma once

#include "graphics/BarLabel.h"
#include "graphics/BarRoad.h"
#include "graphics/IBarUserLookup.h"
#include "gui/Canvas.h"
#include "gui/PngImage.h"
#include "gui/WinControl.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace morvane {

class TPictureButton;

// The bar across the top of the table: a ten-game strip of Banker and Player points, what may still be
// bet on Player, Tie and Banker, the banker with his figures, the queue of applicants, a notice, and the
// four banker-queue buttons. It stores and draws what the game client hands it; clicks go to handlers
// the client installs.
class TBjlTopBar : public TCustomControl {
public:
    static constexpr int kButtonUp = 0;
    static constexpr int kButtonCancel = 1;
    static constexpr int kButtonDown = 2;
    static constexpr int kButtonHog = 3;
    static constexpr int kButtonCount = 4;
    // Amounts per bet region, as the game client keeps them (0 Banker, 2 Player, 4 Tie, ...).
    static constexpr int kRegionCount = 8;

    explicit TBjlTopBar(TComponent* owner);

    // Where banker and applicants are looked up; not owned. Without it UpdateBanker does nothing.
    void SetUserLookup(const IBarUserLookup* lookup) { lookup_ = lookup; }

    void SetCaptions(const std::string& unitName);
    void SetAcceptable(const std::array<std::int64_t, kRegionCount>& amounts);
    // Takes a whole road, but only into an empty bar.
    void SetRoad(const TBarRoad& games);
    void AddResult(const TBarRoadEntry& game);
    void UpdateBanker(int gamesAsBanker, const std::array<TBarQueueEntry, kBarQueueLength>& queue,
                      std::int64_t winnings, std::int64_t beans);
    void SetButtonHandler(int index, std::function<void()> handler);
    // Buttons 0..2: visible := flags[i], enabled := flags[i + 3].
    void SetButtonStates(const std::array<bool, 6>& flags);
    void SetHogState(bool visible, bool enabled);

    // The free-text notice; the game client writes its caption.
    TBarLabel& Notice() { return *notice_; }

    // [SECTION] What the bar holds and shows
    int Count() const { return strip_.Count(); }
    int First() const { return strip_.First(); }
    const TBarRoad& Games() const { return strip_.Games(); }
    const TBarLabel& PointsLabel(int column, bool banker) const {
        return *(banker ? bankerPoints_ : playerPoints_).at(std::size_t(column));
    }
    const TBarLabel& AcceptableLabel(int row) const { return *acceptable_.at(std::size_t(row)); }
    const TBarLabel& BankerCaption(int index) const { return *bankerCaptions_.at(std::size_t(index)); }
    const TBarLabel& BankerValue(int index) const { return *bankerValues_.at(std::size_t(index)); }
    const TBarLabel& QueueHeader(int index) const { return *queueHeaders_.at(std::size_t(index)); }
    const TBarLabel& QueueName(int row) const { return *queueNames_.at(std::size_t(row)); }
    const TBarLabel& QueueBeans(int row) const { return *queueBeans_.at(std::size_t(row)); }
    TPictureButton& Button(int index) const { return *buttons_.at(std::size_t(index)); }

protected:
    void Paint(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;

private:
    void CreateLabels();
    void CreateButtons();
    TBarLabel* AddLabel(int left, int top, int width, int height);
    void ShowStrip();
    void ShowBanker(const TBarQueueEntry& banker, int gamesAsBanker, std::int64_t winnings);
    void ShowApplicant(int row, const TBarQueueEntry& entry);
    std::optional<TBarUser> Lookup(const TBarQueueEntry& entry) const;

    const IBarUserLookup* lookup_{nullptr};
    TPngImage background_;
    // The translucent background over the still felt, kept between repaints.
    TBlendCache backgroundBlend_;
    TBarStrip strip_;
    std::array<TBarLabel*, kBarStripColumns> bankerPoints_{};
    std::array<TBarLabel*, kBarStripColumns> playerPoints_{};
    std::array<TBarLabel*, 3> acceptable_{};
    std::array<TBarLabel*, 4> bankerCaptions_{};
    std::array<TBarLabel*, 4> bankerValues_{};
    std::array<TBarLabel*, 2> queueHeaders_{};
    std::array<TBarLabel*, kBarQueueLength - 1> queueNames_{};
    std::array<TBarLabel*, kBarQueueLength - 1> queueBeans_{};
    TBarLabel* notice_{nullptr};
    std::array<TPictureButton*, kButtonCount> buttons_{};
    std::array<std::function<void()>, kButtonCount> handlers_{};
};

} // namespace morvane
