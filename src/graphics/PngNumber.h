#pragma once

#include "gui/PngImage.h"
#include "gui/Timer.h"
#include "gui/WinControl.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace morvane {

using TPngNumChangeEvent = std::function<void(TControl* sender, std::int64_t curValue)>;

// A number drawn with digit pictures (prefix "d": large pink, "x": small yellow), optionally behind a plus
// sign, placed by an anchor point and an alignment. It can count up to a new value step by step.
class TPngNumber : public TGraphicControl {
public:
    static constexpr int kGap = 2;
    static constexpr int kDefaultTimerInterval = 50;
    enum TNumberAlign : std::uint8_t { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

    TPngNumber(TComponent* owner, std::int64_t totalNum, std::uint8_t align, TPoint anchor,
               const std::string& prefix, TWinControl* parent);

    std::int64_t TotalNum() const { return totalNum_; }
    // Negative values and the present value are ignored.
    void SetTotalNum(std::int64_t value);
    int TimerInterval() const { return timerInterval_; }
    void SetTimerInterval(int value);
    std::int64_t Increment() const { return increment_; }
    void SetIncrement(std::int64_t value);
    bool IsShowAdd() const { return isShowAdd_; }
    void SetIsShowAdd(bool value);
    bool IsAddChangeGradually() const { return isAddChangeGradually_; }
    void SetIsAddChangeGradually(bool value) { isAddChangeGradually_ = value; }
    // Enabled when a count-up ends; not owned, and cleared when that timer is freed.
    void SetFollowUpTimer(TTimer* timer);

    // Counts up by `amount` (ignored unless positive): Increment every TimerInterval ms while
    // IsAddChangeGradually is on, at once otherwise. A count-up still running is finished silently first.
    // The sum stops at the largest 64-bit value.
    void StartCountUp(std::int64_t amount);
    // Ends a running count-up: the rest is added at once, the follow-up timer enabled and, unless silent,
    // OnAddEnd raised.
    void FinishCountUp(bool silent);
    bool CountingUp() const { return added_ >= 0 && stepTimer_->Enabled(); }

    int DigitWidth() const { return digitWidth_; }
    TPoint Anchor() const { return anchor_; }

    TPngNumChangeEvent ChangeEvent;
    TNotifyEvent OnAddEnd;

protected:
    void Paint(TCanvas& canvas) override;
    void Notification(TComponent* component, bool removing) override;

private:
    void LoadGlyphs();
    void LayOut();
    void Step();
    void AddAndReport(std::int64_t amount);
    int PlusWidth() const { return plus_ ? plus_->Width() : 0; }

    std::int64_t totalNum_;
    std::uint8_t align_;
    TPoint anchor_;
    std::string prefix_;
    int timerInterval_{kDefaultTimerInterval};
    std::int64_t increment_{1};
    bool isShowAdd_{true};
    bool isAddChangeGradually_{true};

    std::array<std::unique_ptr<TPngImage>, 10> digits_;
    std::unique_ptr<TPngImage> plus_;
    int digitWidth_{0};
    // Least significant first.
    std::vector<int> digitList_;
    std::int64_t target_{0};
    // -1 while no count-up runs.
    std::int64_t added_{-1};
    TTimer* stepTimer_{nullptr};
    TTimer* followUpTimer_{nullptr};
};

} // namespace morvane
