#pragma once

#include "plugin/CustomPluginDialog.h"

#include <functional>
#include <string>

namespace morvane {

class TImageList;
class TListBox;
class TLovelyButton;
class TLovelyTextBtn;

// The table's message box: a skinned panel inside the form with a title, a message of one or more
// lines, a selection list for kind 2, and one or two text buttons; it runs modally until answered or
// until its countdown runs out. Kinds: 0 message (one button), 1 question, 2 selection, 3+ one button.
class TPluginDialog50 : public TCustomPluginDialog {
public:
    static constexpr int kKindMessage = 0;
    static constexpr int kKindQuestion = 1;
    static constexpr int kKindSelection = 2;
    // Lines of the message are this far apart, the block centred.
    static constexpr int kMessageLineStep = 16;

    explicit TPluginDialog50(TComponent* owner);

    int Execute() override;
    void SetButtons(std::uint8_t kind) override;
    int GetItemIndex() override;
    void SetItemIndex(int index) override;
    void SetLines(const std::vector<std::string>* lines) override;

    // [Skin]
    void SetButtonImages(TImageList* images);
    void SetButtonStartIndex(int index);
    void SetCloseImages(TImageList* images);
    void SetCloseStartIndex(int index);
    // Copies the picture and grows the dialog to at least its size.
    void SetDialogPicture(const TPngImage* picture);

    // [Layout]
    int ButtonBottomSpace() const { return buttonBottomSpace_; }
    void SetButtonBottomSpace(int value) { SetLayoutValue(buttonBottomSpace_, value); }
    int CloseTop() const { return closeTop_; }
    void SetCloseTop(int value) { SetLayoutValue(closeTop_, value); }
    int CloseRight() const { return closeRight_; }
    void SetCloseRight(int value) { SetLayoutValue(closeRight_, value); }
    int SelectLeftSpace() const { return selectLeft_; }
    void SetSelectLeftSpace(int value) { SetLayoutValue(selectLeft_, value); }
    int SelectTopSpace() const { return selectTop_; }
    void SetSelectTopSpace(int value) { SetLayoutValue(selectTop_, value); }
    int SelectRightSpace() const { return selectRight_; }
    void SetSelectRightSpace(int value) { SetLayoutValue(selectRight_, value); }
    int SelectBottomSpace() const { return selectBottom_; }
    void SetSelectBottomSpace(int value) { SetLayoutValue(selectBottom_, value); }
    void SetSelectColor(TColor color);

    TLovelyTextBtn& AcceptButton() const { return *accept_; }
    TLovelyTextBtn& CancelButton() const { return *cancel_; }
    TLovelyButton& CloseButton() const { return *close_; }
    TListBox& SelectList() const { return *list_; }

    // Told when a run starts, before the loop; observers (a transcript) read the caption, the message
    // and the buttons here.
    std::function<void(TPluginDialog50& dialog)> OnExecuteStart;

    void DoEnter() override;

protected:
    void Paint(TCanvas& canvas) override;
    void Resized() override;
    void SetRemaining(int value) override;

private:
    void SetLayoutValue(int& field, int value);
    void Relayout();
    void ShowCount(int remaining);
    void PaintMessage(TCanvas& canvas);
    void Answer(int result);

    TLovelyTextBtn* cancel_{nullptr};
    TLovelyTextBtn* accept_{nullptr};
    TLovelyButton* close_{nullptr};
    TListBox* list_{nullptr};
    int buttonBottomSpace_{10};
    int closeTop_{3};
    int closeRight_{3};
    int selectLeft_{9};
    int selectTop_{4};
    int selectRight_{9};
    int selectBottom_{5};
    bool executing_{false};
};

} // namespace morvane
