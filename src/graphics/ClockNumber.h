#pragma once

#include "gui/PngImage.h"
#include "gui/Timer.h"
#include "gui/WinControl.h"

#include <array>
#include <memory>
#include <string>

namespace morvane {

// The phase clock: a dial with the seconds left drawn in digit pictures, counting down once a second to 0.
// A negative value blanks the whole clock.
class TClockNumber : public TGraphicControl {
public:
    static constexpr int kDefaultWidth = 63;
    static constexpr int kDefaultHeight = 35;
    static constexpr int kDefaultDigitStep = 20;
    static constexpr std::uint32_t kTickInterval = 1000;
    // More zero padding than a clock could show is cut to this.
    static constexpr int kMaxDigits = 20;

    explicit TClockNumber(TComponent* owner);

    // Loads the dial picture and takes its size.
    void SetBackground(const std::string& name);
    // Loads the digit pictures prefix + "0" … prefix + "9".
    void SetDigitPrefix(const std::string& prefix);
    // The least number of digits shown, zero-padded (0 … kMaxDigits).
    void SetDigits(int digits);
    void SetDigitLeft(int x);
    void SetDigitTop(int y);
    void SetDigitStep(int step);
    // Seconds left; the clock counts down while it is not 0.
    void SetValue(int value);

    int Value() const { return value_; }
    int Digits() const { return digits_; }
    bool Ticking() const { return tickTimer_->Enabled(); }
    // The characters the clock shows; empty while blank.
    std::string Text() const;

protected:
    void Paint(TCanvas& canvas) override;

private:
    template <typename T>
    void Store(T& field, T value) {
        field = value;
        Invalidate();
    }
    void Tick();

    std::string backgroundName_;
    std::unique_ptr<TPngImage> dial_;
    std::string digitPrefix_;
    std::array<std::unique_ptr<TPngImage>, 10> digitPictures_;
    int digits_{0};
    int digitLeft_{0};
    int digitTop_{0};
    int digitStep_{kDefaultDigitStep};
    int value_{0};
    TTimer* tickTimer_{nullptr};
};

} // namespace morvane
