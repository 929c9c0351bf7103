#include "graphics/PngAction.h"

#include "graphics/PictureResources.h"
#include "gui/Canvas.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace morvane {

namespace {

struct TActionKind {
    const char* Prefix;
    int Frames;
};

constexpr std::array<TActionKind, TPngAction::kKindCount> kActionKinds{{
    {"ClockHeader", 2},
    {"Fire", 5},
}};

// Steps per frame: every step shows the next frame.
constexpr int kStepsPerFrame = 1;

} // namespace

TPngAction::TPngAction(TComponent* owner, int kind) : TGraphicControl(owner), kind_(kind) {
    if (kind < 0 || kind >= kKindCount)
        throw std::invalid_argument("no animation of kind " + std::to_string(kind));
    timer_ = Own(std::make_unique<TTimer>(this));
    timer_->SetEnabled(false);
    timer_->SetInterval(std::uint32_t(params_.Interval));
    timer_->SetOnTimer([this](TTimer*) { Step(); });
}

int TPngAction::FrameCount() const {
    return kActionKinds[std::size_t(kind_)].Frames;
}

void TPngAction::LoadFrames() {
    if (!frames_.empty()) return;
    const TActionKind& table = kActionKinds[std::size_t(kind_)];
    for (int frame = 0; frame < table.Frames; ++frame) {
        std::unique_ptr<TPngImage> picture = LoadPictureByName(table.Prefix + std::to_string(frame));
        frames_.push_back(picture ? std::move(picture) : std::make_unique<TPngImage>());
    }
}

void TPngAction::SetParams(int loops, int interval, int left, int top) {
    // A zero interval would tick without end; one millisecond is the shortest.
    params_ = {loops, std::max(1, interval), left, top};
    timer_->SetInterval(std::uint32_t(params_.Interval));
}

bool TPngAction::SetKind(int kind) {
    return kind == kind_;
}

void TPngAction::Stop() {
    timer_->SetEnabled(false);
    Hide();
}

void TPngAction::Start() {
    LoadFrames();
    currentFrame_ = 0;
    loopsDone_ = 0;
    subStep_ = 0;
    const TPngImage& first = *frames_.front();
    SetBounds(params_.Left, params_.Top, first.Width(), first.Height());
    Step();
}

void TPngAction::Step() {
    if (subStep_ == 0 && currentFrame_ < FrameCount()) {
        // Shown now: the step that follows may already hide the control.
        shownFrame_ = currentFrame_;
        Repaint();
    }
    if (++subStep_ >= kStepsPerFrame) {
        ++currentFrame_;
        subStep_ = 0;
    }
    if (currentFrame_ >= FrameCount()) {
        ++loopsDone_;
        currentFrame_ = 0;
    }
    const bool finished = loopsDone_ >= params_.Loops;
    timer_->SetEnabled(!finished);
    SetVisible(!finished);
    if (finished) shownFrame_ = -1;
}

void TPngAction::Paint(TCanvas& canvas) {
    TGraphicControl::Paint(canvas);
    if (shownFrame_ >= 0 && std::size_t(shownFrame_) < frames_.size())
        canvas.Draw(0, 0, *frames_[std::size_t(shownFrame_)]);
}

} // namespace morvane
