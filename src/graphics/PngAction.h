#pragma once

#include "gui/PngImage.h"
#include "gui/Timer.h"
#include "gui/WinControl.h"

#include <memory>
#include <vector>

namespace morvane {

// A short frame animation played a number of times and then hidden: kind 0 is the clock ornament
// (ClockHeader0, ClockHeader1), kind 1 the big-bet sparkle (Fire0 … Fire4).
class TPngAction : public TGraphicControl {
public:
    static constexpr int kKindCount = 2;

    struct TParams {
        int Loops{0};
        int Interval{100};
        int Left{0};
        int Top{0};
    };

    // An animation of `kind`, whose frames are decoded when it first starts (many tables never show one);
    // a kind other than 0 or 1 is refused with std::invalid_argument.
    TPngAction(TComponent* owner, int kind);

    void SetParams(int loops, int interval, int left, int top);
    // Selects the kind the next Start plays. Only the kind loaded at creation has frames: another is
    // refused and false returned.
    bool SetKind(int kind);
    void Start();
    void Stop();

    int Kind() const { return kind_; }
    int FrameCount() const;
    // The frame on show, -1 when none.
    int ShownFrame() const { return shownFrame_; }
    int LoopsDone() const { return loopsDone_; }
    bool Running() const { return timer_->Enabled(); }
    const TParams& Params() const { return params_; }

protected:
    void Paint(TCanvas& canvas) override;

private:
    void Step();
    void LoadFrames();

    int kind_;
    std::vector<std::unique_ptr<TPngImage>> frames_;
    TParams params_;
    int currentFrame_{0};
    int loopsDone_{0};
    int subStep_{0};
    int shownFrame_{-1};
    TTimer* timer_{nullptr};
};

} // namespace morvane
