#pragma once

#include "gui/WinControl.h"

#include <cstddef>

namespace morvane {

// A one-line text box over GBK text. Caret and selection move by whole characters; MaxLength counts
// bytes (0 = no limit) and bounds typing and pasting; every typed character passes OnKeyPress first,
// which may change or swallow it. OnChange follows every change of the text, by typing or by code.
class TEdit : public TCustomControl {
public:
    explicit TEdit(TComponent* owner);

    std::size_t MaxLength() const { return maxLength_; }
    void SetMaxLength(std::size_t bytes) { maxLength_ = bytes; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char value);
    bool BorderVisible() const { return border_; }
    void SetBorderVisible(bool value);

    // Byte offsets into Text(); the selection runs between the anchor and the caret.
    std::size_t SelStart() const;
    std::size_t SelLength() const;
    std::string SelText() const;
    void SetSelection(std::size_t anchor, std::size_t caret);
    void SelectAll() { SetSelection(0, Text().size()); }
    std::size_t CaretPos() const { return caret_; }
    // Replaces the selection (or inserts at the caret), cut to what MaxLength leaves room for.
    void SetSelText(const std::string& gbkText);
    void Clear() { SetText(""); }
    // Inserts the clipboard's text at the caret (its first line only).
    void PasteFromClipboard();

    void KeyDown(TKey& key, TShiftState shift) override;
    void KeyPress(std::string& gbkChar) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

    TNotifyEvent OnChange;

protected:
    void Paint(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;

private:
    std::string DisplayText() const;
    int DisplayX(std::size_t bytePos) const;
    std::size_t PosAtX(int x) const;
    std::size_t PreviousCharStart(std::size_t pos) const;
    std::size_t NextCharStart(std::size_t pos) const;
    void MoveCaret(std::size_t pos, bool extend);
    void DeleteSelectionOr(bool forward);
    void ScrollCaretIntoView();
    TRect TextArea() const;

    std::size_t maxLength_{0};
    bool readOnly_{false};
    char passwordChar_{0};
    bool border_{true};
    std::size_t anchor_{0};
    std::size_t caret_{0};
    int scrollX_{0};
};

} // namespace morvane
