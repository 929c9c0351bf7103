#include "graphics/ClockNumber.h"

#include "graphics/PictureResources.h"
#include "gui/Canvas.h"

#include <algorithm>
#include <cstdio>

namespace morvane {

TClockNumber::TClockNumber(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, kDefaultWidth, kDefaultHeight);
    tickTimer_ = Own(std::make_unique<TTimer>(this));
    tickTimer_->SetEnabled(false);
    tickTimer_->SetInterval(kTickInterval);
    tickTimer_->SetOnTimer([this](TTimer*) { Tick(); });
}

void TClockNumber::SetBackground(const std::string& name) {
    backgroundName_ = name;
    dial_ = LoadPictureByName(name);
    if (dial_) SetBounds(Left(), Top(), dial_->Width(), dial_->Height());
    Invalidate();
}

void TClockNumber::SetDigitPrefix(const std::string& prefix) {
    digitPrefix_ = prefix;
    for (std::size_t digit = 0; digit < digitPictures_.size(); ++digit)
        digitPictures_[digit] = LoadPictureByName(prefix + std::to_string(digit));
    Invalidate();
}

void TClockNumber::SetDigits(int digits) {
    Store(digits_, std::clamp(digits, 0, kMaxDigits));
}

void TClockNumber::SetDigitLeft(int x) {
    Store(digitLeft_, x);
}

void TClockNumber::SetDigitTop(int y) {
    Store(digitTop_, y);
}

void TClockNumber::SetDigitStep(int step) {
    Store(digitStep_, step);
}

void TClockNumber::SetValue(int value) {
    value_ = value;
    tickTimer_->SetEnabled(value != 0);
    Invalidate();
}

void TClockNumber::Tick() {
    if (value_ <= 0) {
        tickTimer_->SetEnabled(false);
        return;
    }
    SetValue(value_ - 1);
}

std::string TClockNumber::Text() const {
    if (value_ < 0) return {};
    char text[kMaxDigits + 16];
    std::snprintf(text, sizeof text, "%.*d", digits_, value_);
    return text;
}

void TClockNumber::Paint(TCanvas& canvas) {
    TGraphicControl::Paint(canvas);
    if (value_ < 0) return;
    if (dial_) canvas.Draw(0, 0, *dial_);
    const std::string text = Text();
    for (std::size_t k = 0; k < text.size(); ++k) {
        const TPngImage* picture = digitPictures_[std::size_t(text[k] - '0')].get();
        if (picture) canvas.Draw(digitLeft_ + int(k) * digitStep_, digitTop_, *picture);
    }
}

} // namespace morvane
