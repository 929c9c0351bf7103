#include "graphics/PngCardGroupGraphic.h"

#include "base/ScopeExit.h"
#include "gui/Canvas.h"
#include "gui/Form.h"

#include <algorithm>
#include <utility>

namespace morvane {

namespace {

struct TClickTimes {
    std::uint32_t now{0};
    std::uint32_t doubleClick{0};
};

TClickTimes ClickTimes() {
    if (!HasApplication()) return {};
    return {Application().System().TickCount(), Application().System().DoubleClickTime()};
}

} // namespace

TPngCardGroupGraphic::TClickState& TPngCardGroupGraphic::SharedClickState() {
    static TClickState state;
    return state;
}

TPngCardGroupGraphic::TPngCardGroupGraphic(TComponent* owner) : TGraphicControl(owner) {
    Relayout();
}

// [SECTION] Cards

void TPngCardGroupGraphic::AddCard(int code) {
    if (!IsCardCode(code)) return;
    TPngCardInfo card;
    card.Value = std::uint8_t(code);
    card.Back = data_.DefaultBack;
    card.MarkColor = kCardUnmarked;
    CardFromCode(card);
    data_.Add(card);
    Relayout();
}

void TPngCardGroupGraphic::AddCardInfo(const TPngCardInfo& card) {
    if (data_.Add(card)) Relayout();
}

void TPngCardGroupGraphic::Clear() {
    data_.Clear();
    selectedCards_.clear();
    pressedIndex_ = -1;
    Relayout();
}

void TPngCardGroupGraphic::Sort() {
    data_.Sort();
    Relayout();
}

void TPngCardGroupGraphic::BeginUpdate() {
    SetComponentState(csUpdating, true);
}

void TPngCardGroupGraphic::EndUpdate() {
    SetComponentState(csUpdating, false);
    if (data_.Sorted) data_.Sort();
    Relayout();
}

void TPngCardGroupGraphic::SetCards(std::string_view characters) {
    if (characters == GetCards()) return;
    BeginUpdate();
    TScopeExit end([this] { EndUpdate(); });
    Clear();
    for (char character : characters)
        if (auto code = CardCodeOf(character)) AddCard(*code);
}

void TPngCardGroupGraphic::MarkCards(std::string_view characters) {
    if (characters == GetMarkedCards()) return;
    data_.MarkCards(characters, markColour_);
    Relayout();
}

void TPngCardGroupGraphic::SelectCards(std::string_view characters) {
    data_.SelectCards(characters);
    RefreshSelectedCards();
    Relayout();
}

// [SECTION] Layout

void TPngCardGroupGraphic::SetSorted(bool sorted) {
    data_.Sorted = sorted;
    if (sorted) data_.Sort();
    Relayout();
}

void TPngCardGroupGraphic::SetOnCompare(TCardCompareEvent handler) {
    data_.OnCompare = std::move(handler);
    if (data_.OnCompare) Sort();
}

void TPngCardGroupGraphic::SetPictures(std::shared_ptr<const TCardResource> pictures) {
    pictures_ = std::move(pictures);
    loadPictures_ = nullptr;
    Invalidate();
}

void TPngCardGroupGraphic::SetPicturesOnFirstUse(std::function<std::shared_ptr<const TCardResource>()> load) {
    pictures_.reset();
    loadPictures_ = std::move(load);
    Invalidate();
}

void TPngCardGroupGraphic::Relayout() {
    if (Updating()) return;
    const int run = Count() == 0 ? 0 : (Count() - 1) * cardSpacing_;
    if (vertical_)
        SetBounds(Left(), Top(), cardWidth_ + raiseOffset_, Count() == 0 ? 0 : run + cardHeight_);
    else
        SetBounds(Left(), Top(), Count() == 0 ? 0 : run + cardWidth_, cardHeight_ + raiseOffset_);
    Invalidate();
}

TRect TPngCardGroupGraphic::CardRect(int index) const {
    const TPngCardInfo* card = data_.Card(index);
    if (!card) return {};
    const int raised = card->Selected ? 0 : raiseOffset_;
    if (vertical_) return Bounds(raiseOffset_ - raised, index * cardSpacing_, cardWidth_, cardHeight_);
    return Bounds(index * cardSpacing_, raised, cardWidth_, cardHeight_);
}

int TPngCardGroupGraphic::CardAt(int x, int y) const {
    for (int index = Count() - 1; index >= 0; --index)
        if (CardRect(index).Contains({x, y})) return index;
    return -1;
}

void TPngCardGroupGraphic::Paint(TCanvas& canvas) {
    TGraphicControl::Paint(canvas);
    if (!pictures_ && loadPictures_ && Count() > 0) pictures_ = std::exchange(loadPictures_, nullptr)();
    if (!pictures_) return;
    const bool wasUpdating = Updating();
    SetComponentState(csUpdating, true);
    TScopeExit restore([this, wasUpdating] { SetComponentState(csUpdating, wasUpdating); });
    auto picture = [this](int index) -> const TPngImage* {
        if (index < 0 || std::size_t(index) >= pictures_->size()) return nullptr;
        return (*pictures_)[std::size_t(index)].get();
    };
    for (int index = 0; index < Count(); ++index) {
        const TPngCardInfo& card = *data_.Card(index);
        const TRect at = CardRect(index);
        if (const TPngImage* face = picture(CardPictureIndex(card))) canvas.Draw(at.left, at.top, *face);
        if (card.Selected)
            if (const TPngImage* shade = picture(kCardShadePicture)) canvas.Draw(at.left, at.top, *shade);
    }
}

// [SECTION] Mouse

void TPngCardGroupGraphic::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    const int index = CardAt(x, y);
    if (index < 0) {
        PassToControlBelow(TMouseAction::Down, button, shift, x, y);
        return;
    }
    if (!CanSelect) return;
    if (button == TMouseButton::mbRight) {
        if (OnRightFetch) OnRightFetch(this);
        return;
    }
    if (button == TMouseButton::mbLeft) PressCard(index);
}

void TPngCardGroupGraphic::PressCard(int index) {
    TClickState& shared = SharedClickState();
    const TClickTimes times = ClickTimes();
    if (times.now - shared.LastClickTick <= times.doubleClick && shared.LastClickIndex == index) {
        shared.LastClickIndex = -1;
        if (OnDblClick && selectMode_) OnDblClick(this);
        shared.LastClickTick = times.now;
        return;
    }
    shared.LastClickIndex = index;
    shared.LastClickTick = times.now;
    TPngCardInfo& card = *data_.Card(index);
    if (SingleSelected && !card.Selected && !data_.SelectedCharacters().empty()) {
        data_.SelectCards({});
        Relayout();
    }
    pressedIndex_ = index;
    card.Selected = !card.Selected;
    selectMode_ = card.Selected;
    RefreshSelectedCards();
    Relayout();
    if (OnSelected) OnSelected(this);
}

void TPngCardGroupGraphic::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    const int index = CardAt(x, y);
    if (index < 0) {
        PassToControlBelow(TMouseAction::Move, TMouseButton::mbLeft, shift, x, y);
        return;
    }
    if ((shift & ssLeft) == 0 || SingleSelected || !CanMoveSelect || !CanSelect || inDoubleClick_) return;
    DragOverCard(index);
}

void TPngCardGroupGraphic::DragOverCard(int index) {
    TClickState& shared = SharedClickState();
    if (index == shared.LastMoveIndex || index == pressedIndex_) return;
    shared.LastMoveIndex = index;
    TPngCardInfo& card = *data_.Card(index);
    if (card.Selected != selectMode_) {
        card.Selected = selectMode_;
        RefreshSelectedCards();
        // The cards passed over between the last step and this one follow the card the drag left.
        if (const TPngCardInfo* from = data_.Card(pressedIndex_)) {
            const bool state = from->Selected;
            for (int i = std::min(pressedIndex_, index); i <= std::max(pressedIndex_, index); ++i)
                data_.Card(i)->Selected = state;
            RefreshSelectedCards();
        }
        Relayout();
    }
    pressedIndex_ = index;
    if (OnSelected) OnSelected(this);
}

void TPngCardGroupGraphic::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (TForm* form = ParentForm(); form && form->CaptureControl() == this) form->ReleaseCapture();
    if (CanMoveSelect && CanSelect) MarkCards({});
    if (CardAt(x, y) < 0) PassToControlBelow(TMouseAction::Up, button, shift, x, y);
}

void TPngCardGroupGraphic::DblClick() {
    inDoubleClick_ = true;
    TScopeExit clear([this] { inDoubleClick_ = false; });
    TGraphicControl::DblClick();
}

void TPngCardGroupGraphic::PassToControlBelow(TMouseAction action, TMouseButton button, TShiftState shift,
                                              int x, int y) {
    if (passingThrough_ || !Parent()) return;
    passingThrough_ = true;
    TScopeExit done([this] { passingThrough_ = false; });
    TForm* form = ParentForm();
    if (form && form->CaptureControl() == this) form->ReleaseCapture();
    TControl* below = ControlBelow({Left() + x, Top() + y});
    if (!below) return;
    const TPoint formPoint = ClientToForm({x, y});
    const TPoint origin = below->ClientToForm({0, 0});
    const int bx = formPoint.x - origin.x;
    const int by = formPoint.y - origin.y;
    switch (action) {
    case TMouseAction::Down:
        below->MouseDown(button, shift, bx, by);
        // The press now belongs to the control below: its drag and release go to it.
        if (form) form->SetCaptureControl(below);
        break;
    case TMouseAction::Move:
        below->MouseMove(shift, bx, by);
        break;
    case TMouseAction::Up:
        below->MouseUp(button, shift, bx, by);
        break;
    }
}

TControl* TPngCardGroupGraphic::ControlBelow(TPoint parentPoint) const {
    TWinControl* parent = Parent();
    for (int i = parent->ControlCount() - 1; i >= 0; --i) {
        TControl* control = parent->Controls(i);
        if (control == this || !control->Visible() || !control->Enabled()) continue;
        if (auto* group = dynamic_cast<TPngCardGroupGraphic*>(control); group && group->passingThrough_)
            continue;
        if (!control->BoundsRect().Contains(parentPoint)) continue;
        const TPoint local{parentPoint.x - control->Left(), parentPoint.y - control->Top()};
        if (auto* container = dynamic_cast<TWinControl*>(control)) {
            if (!container->HitTest(local)) continue;
            if (TControl* inner = container->ControlAtPos(local)) return inner;
        }
        return control;
    }
    return parent;
}

} // namespace morvane
