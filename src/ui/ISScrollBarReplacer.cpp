#include "ui/ISScrollBarReplacer.h"

#include "gui/Canvas.h"
#include "gui/SystemColors.h"
#include "ui/ISScrollBarReplacerMgr.h"
#include "ui/ISScrollBarSkinner.h"

#include <algorithm>

namespace morvane {
namespace {

// Below this length (in thicknesses) a bar has room for its arrows only.
constexpr double kThumbMinLengthRatio = 2.5;

int IndexInParent(const TControl& control) {
    const TWinControl* parent = control.Parent();
    for (int i = 0; parent && i < parent->ControlCount(); ++i)
        if (parent->Controls(i) == &control) return i;
    return -1;
}

} // namespace

TISScrollBarReplacer::TISScrollBarReplacer(TScrollingControl& control, const TScrollBarScheme& scheme,
                                           int skinnerKind)
    : control_(control), cacher_(skinnerKind, scheme),
      horizontal_(std::make_unique<TISEmbedScrollBar>(nullptr, TScrollBarKind::sbHorizontal, control)),
      vertical_(std::make_unique<TISEmbedScrollBar>(nullptr, TScrollBarKind::sbVertical, control)),
      corner_(std::make_unique<TISScrollBarCorner>(nullptr)) {
    corner_->SetCornerColor(scheme[scCorner]);
    for (TControl* cover : {static_cast<TControl*>(horizontal_.get()),
                            static_cast<TControl*>(vertical_.get()), static_cast<TControl*>(corner_.get())})
        cover->SetParent(control.Parent());
    TISScrollBarReplacerMgr::Instance().Register(control_, *this);
    Relayout();
}

TISScrollBarReplacer::~TISScrollBarReplacer() {
    TISScrollBarReplacerMgr::Instance().Unregister(control_);
}

bool TISScrollBarReplacer::CanUpdate() const {
    if (!control_.Parent() || control_.Destroying()) return false;
    return horizontal_->Parent() && vertical_->Parent() && corner_->Parent();
}

void TISScrollBarReplacer::Update(std::uint32_t msg) {
    if (!CanUpdate()) return;
    if (msg == CM_VISIBLECHANGED && !control_.Visible()) {
        horizontal_->Hide();
        vertical_->Hide();
        corner_->Hide();
        return;
    }
    // A control shown again gets its bars back only where it really has bars, not a stale picture.
    Relayout();
}

void TISScrollBarReplacer::Relayout() {
    if (!CanUpdate()) return;
    LayoutBar(TScrollBarKind::sbHorizontal);
    LayoutBar(TScrollBarKind::sbVertical);
    LayoutCorner();
}

void TISScrollBarReplacer::BringAboveControl(TControl& cover) {
    // Only when needed: moving a control repaints it, and this runs after every paint of the control.
    if (IndexInParent(cover) < IndexInParent(control_)) cover.BringToFront();
}

void TISScrollBarReplacer::LayoutBar(TScrollBarKind kind) {
    TISEmbedScrollBar& bar = Bar(kind);
    const TScrollBarInfo info = control_.ScrollBarInfo(kind);
    const TRect& rect = info.rect;
    const bool vertical = kind == TScrollBarKind::sbVertical;
    const int thickness = vertical ? rect.Width() : rect.Height();
    if (!info.visible || rect.right < rect.left || rect.bottom < rect.top || thickness > kMaxThickness) {
        bar.Hide();
        return;
    }
    if (vertical && info.trackPos > 0 && info.trackPos < info.max && info.min < info.max &&
        info.trackPos != info.pos) {
        // The control is still catching up with a drag; the bars follow on its next message.
        control_.SetScrollPos(kind, info.trackPos);
        return;
    }
    BringAboveControl(bar);
    bar.Show();
    bar.SetBounds(rect.left, rect.top, rect.Width(), rect.Height());

    const TEmbedBarGeometry geometry{rect.Width(), rect.Height(), info.thumbStart, info.thumbEnd,
                                     info.enabled};
    if (geometry == bar.Geometry() && !bar.Picture().Empty()) return;
    bar.SetPicture(PaintBar(kind, info, rect.Width(), rect.Height()), geometry);
}

TBitmap TISScrollBarReplacer::PaintBar(TScrollBarKind kind, const TScrollBarInfo& info, int width,
                                       int height) const {
    TBitmap picture(width, height);
    if (picture.Empty()) return picture;
    TCanvas canvas(picture);
    canvas.FillRect({0, 0, width, height}, ColorToRGB(control_.Color()));
    std::unique_ptr<TISScrollBarSkinner> skinner = CreateScrollBarSkinner(cacher_, kind);

    const bool vertical = kind == TScrollBarKind::sbVertical;
    const int length = vertical ? height : width;
    const int thickness = vertical ? width : height;
    const int arrow = std::min(thickness, length / 2);
    auto along = [&](int from, int to) {
        return vertical ? TRect{0, from, width, to} : TRect{from, 0, to, height};
    };
    skinner->DrawTrack(canvas, along(arrow, length - arrow));
    const bool disabled = !info.enabled;
    skinner->DrawArrowButton(canvas, along(0, arrow),
                             vertical ? TArrowDirection::adUp : TArrowDirection::adLeft, disabled);
    skinner->DrawArrowButton(canvas, along(length - arrow, length),
                             vertical ? TArrowDirection::adDown : TArrowDirection::adRight, disabled);
    if (info.enabled && length >= kThumbMinLengthRatio * thickness && info.thumbEnd > info.thumbStart)
        skinner->DrawThumb(canvas, along(info.thumbStart, info.thumbEnd));
    return picture;
}

void TISScrollBarReplacer::LayoutCorner() {
    if (!horizontal_->Visible() || !vertical_->Visible()) {
        corner_->Hide();
        return;
    }
    BringAboveControl(*corner_);
    corner_->SetBounds(vertical_->Left(), horizontal_->Top(), vertical_->Width(), horizontal_->Height());
    corner_->Show();
}

} // namespace morvane
