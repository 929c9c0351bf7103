#include "graphics/PngNumber.h"

#include "graphics/PictureResources.h"
#include "gui/Canvas.h"

#include <limits>

namespace morvane {

TPngNumber::TPngNumber(TComponent* owner, std::int64_t totalNum, std::uint8_t align, TPoint anchor,
                       const std::string& prefix, TWinControl* parent)
    : TGraphicControl(owner), totalNum_(totalNum), align_(align), anchor_(anchor), prefix_(prefix) {
    SetParent(parent);
    stepTimer_ = Own(std::make_unique<TTimer>(this));
    stepTimer_->SetEnabled(false);
    stepTimer_->SetInterval(std::uint32_t(timerInterval_));
    stepTimer_->SetOnTimer([this](TTimer*) { Step(); });
    LoadGlyphs();
    LayOut();
}

void TPngNumber::LoadGlyphs() {
    for (std::size_t digit = 0; digit < digits_.size(); ++digit)
        digits_[digit] = LoadPictureByName(prefix_ + std::to_string(digit));
    plus_ = LoadPictureByName(prefix_ + "Add");
    digitWidth_ = digits_[0] ? digits_[0]->Width() : 0;
    SetHeight(digits_[0] ? digits_[0]->Height() : 0);
}

void TPngNumber::SetTotalNum(std::int64_t value) {
    if (value < 0 || value == totalNum_) return;
    totalNum_ = value;
    LayOut();
}

void TPngNumber::SetTimerInterval(int value) {
    if (value <= 0) return;
    timerInterval_ = value;
    stepTimer_->SetInterval(std::uint32_t(value));
}

void TPngNumber::SetIncrement(std::int64_t value) {
    if (value > 0) increment_ = value;
}

void TPngNumber::SetIsShowAdd(bool value) {
    if (isShowAdd_ == value) return;
    isShowAdd_ = value;
    LayOut();
}

void TPngNumber::SetFollowUpTimer(TTimer* timer) {
    if (followUpTimer_) RemoveFreeNotification(followUpTimer_);
    followUpTimer_ = timer;
    if (timer) FreeNotification(timer);
}

void TPngNumber::Notification(TComponent* component, bool removing) {
    if (removing && component == followUpTimer_) followUpTimer_ = nullptr;
    TGraphicControl::Notification(component, removing);
}

void TPngNumber::LayOut() {
    if (totalNum_ < 0) return;
    digitList_.clear();
    std::int64_t rest = totalNum_;
    do {
        digitList_.push_back(int(rest % 10));
        rest /= 10;
    } while (rest > 0);
    const int count = int(digitList_.size());
    const int width =
        isShowAdd_ ? PlusWidth() + count * (digitWidth_ + kGap) : count * (digitWidth_ + kGap) - kGap;
    int left = anchor_.x;
    if (align_ == AlignRight) left = anchor_.x - width;
    if (align_ == AlignCenter) left = anchor_.x - width / 2;
    // Hidden while the bounds move so the old and new places are repainted as one change.
    const bool wasVisible = Visible();
    SetVisible(false);
    SetBounds(left, anchor_.y, width, Height());
    SetVisible(wasVisible);
    Invalidate();
}

void TPngNumber::Paint(TCanvas& canvas) {
    TGraphicControl::Paint(canvas);
    int x = 0;
    if (isShowAdd_ && plus_) {
        canvas.Draw(0, 0, *plus_);
        x += plus_->Width() + kGap;
    }
    for (auto digit = digitList_.rbegin(); digit != digitList_.rend(); ++digit) {
        const TPngImage* picture = digits_[std::size_t(*digit)].get();
        if (!picture) continue;
        canvas.Draw(x, 0, *picture);
        x += picture->Width() + kGap;
    }
}

void TPngNumber::StartCountUp(std::int64_t amount) {
    if (amount <= 0) return;
    if (added_ >= 0) FinishCountUp(true);
    target_ = std::min(amount, std::numeric_limits<std::int64_t>::max() - totalNum_);
    added_ = 0;
    stepTimer_->SetEnabled(true);
    if (!isAddChangeGradually_) FinishCountUp(false);
}

void TPngNumber::AddAndReport(std::int64_t amount) {
    SetTotalNum(totalNum_ + amount);
    if (ChangeEvent) ChangeEvent(this, totalNum_);
}

void TPngNumber::Step() {
    if (isAddChangeGradually_ && added_ >= 0 && added_ + increment_ <= target_) {
        added_ += increment_;
        AddAndReport(increment_);
        return;
    }
    FinishCountUp(false);
}

void TPngNumber::FinishCountUp(bool silent) {
    const bool running = added_ >= 0 && stepTimer_->Enabled();
    // Reset first, so that a handler may start the next count-up.
    const std::int64_t rest = target_ - added_;
    stepTimer_->SetEnabled(false);
    target_ = 0;
    added_ = -1;
    if (!running) return;
    if (rest > 0) AddAndReport(rest);
    if (followUpTimer_) followUpTimer_->SetEnabled(true);
    if (!silent && OnAddEnd) OnAddEnd(this);
}

} // namespace morvane
