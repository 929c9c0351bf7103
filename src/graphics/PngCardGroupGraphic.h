#pragma once

#include "graphics/PngCardGroupData.h"
#include "gui/WinControl.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace morvane {

using TCardMouseDownEvent = std::function<void(TControl* sender, int index, const TPngCardInfo& card)>;

// A row (or column) of overlapping cards drawn from the table's shared card pictures. Cards can be selected
// by clicking, or by dragging across them; a selected card stands out by RaiseOffset and is shaded. The
// control sizes itself to its cards, and the mouse on a part that shows no card reaches the control below.
class TPngCardGroupGraphic : public TGraphicControl {
public:
    // What every card group of the process shares to tell a double click and a drag step.
    struct TClickState {
        std::uint32_t LastClickTick{0};
        int LastClickIndex{-1};
        int LastMoveIndex{-1};
    };
    static TClickState& SharedClickState();

    explicit TPngCardGroupGraphic(TComponent* owner);

    // [SECTION] Cards
    void AddCard(int code);
    void AddCardInfo(const TPngCardInfo& card);
    void Clear();
    void Sort();
    // Changes between the two are laid out once, at EndUpdate (which also sorts when Sorted is on).
    void BeginUpdate();
    void EndUpdate();
    int Count() const { return data_.Count(); }
    const TPngCardGroupData& Data() const { return data_; }

    std::string GetCards() const { return data_.Characters(); }
    // Shows the cards of a card string; characters outside the card alphabet are skipped.
    void SetCards(std::string_view characters);
    std::string GetSelectedCards() const { return data_.SelectedCharacters(); }
    std::string GetMarkedCards() const { return data_.MarkedCharacters(); }
    void MarkCards(std::string_view characters);
    void SelectCards(std::string_view characters);
    // The selection as it stood after the last change by the mouse or SelectCards.
    const std::string& SelectedCards() const { return selectedCards_; }

    // [SECTION] Layout
    bool Sorted() const { return data_.Sorted; }
    void SetSorted(bool sorted);
    int CardSpacing() const { return cardSpacing_; }
    void SetCardSpacing(int spacing) { SetLayoutValue(cardSpacing_, spacing); }
    int RaiseOffset() const { return raiseOffset_; }
    void SetRaiseOffset(int offset) { SetLayoutValue(raiseOffset_, offset); }
    int CardHeight() const { return cardHeight_; }
    void SetCardHeight(int height) { SetLayoutValue(cardHeight_, height); }
    int CardWidth() const { return cardWidth_; }
    void SetCardWidth(int width) { SetLayoutValue(cardWidth_, width); }
    bool Vertical() const { return vertical_; }
    void SetVertical(bool vertical) { SetLayoutValue(vertical_, vertical); }
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor colour) { SetLayoutValue(transparentColor_, colour); }
    TColor MarkColour() const { return markColour_; }
    void SetMarkColour(TColor colour) { markColour_ = colour; }
    void SetPictures(std::shared_ptr<const TCardResource> pictures);
    // Where the pictures come from when the group first has a card to draw: a table that never deals
    // while it is open decodes no card.
    void SetPicturesOnFirstUse(std::function<std::shared_ptr<const TCardResource>()> load);

    // Where card `index` is drawn, in the control's coordinates (empty outside the set).
    TRect CardRect(int index) const;
    // The topmost card under a point, or -1.
    int CardAt(int x, int y) const;

    // [SECTION] Selection and events
    bool CanSelect{true};
    bool CanMoveSelect{false};
    bool SingleSelected{false};
    void SetOnCompare(TCardCompareEvent handler);
    // Never raised by the table; kept for callers that want to know which card was pressed.
    TCardMouseDownEvent OnCardMouseDown;
    TNotifyEvent OnRightFetch;
    TNotifyEvent OnSelected;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    enum class TMouseAction { Down, Move, Up };

    template <typename T>
    void SetLayoutValue(T& field, T value) {
        if (field == value) return;
        field = value;
        Relayout();
    }
    bool Updating() const { return (ComponentState() & csUpdating) != 0; }
    void Relayout();
    void RefreshSelectedCards() { selectedCards_ = data_.SelectedCharacters(); }
    void PressCard(int index);
    void DragOverCard(int index);
    // The mouse on no card goes on to whatever lies below the group, as if the group were not there.
    void PassToControlBelow(TMouseAction action, TMouseButton button, TShiftState shift, int x, int y);
    TControl* ControlBelow(TPoint parentPoint) const;

    TPngCardGroupData data_;
    std::shared_ptr<const TCardResource> pictures_;
    std::function<std::shared_ptr<const TCardResource>()> loadPictures_;
    int cardSpacing_{14};
    int raiseOffset_{16};
    int cardHeight_{96};
    int cardWidth_{71};
    bool vertical_{false};
    TColor transparentColor_{0xFF00FF};
    TColor markColour_{0xFF0000};
    std::string selectedCards_;
    int pressedIndex_{-1};
    bool selectMode_{false};
    bool inDoubleClick_{false};
    // Set while a mouse event is handed on, so that no card group takes it back.
    bool passingThrough_{false};
};

} // namespace morvane
