#pragma once

#include "gui/ScrollingControl.h"

#include <string>
#include <vector>

namespace morvane {

// Several lines of GBK text, wrapped to the width and scrolled vertically. Typing adds at the end of the
// text: Enter starts a new line ("\r\n"), Backspace removes the last whole character. MaxLength counts
// bytes of the whole text (0 = no limit).
class TMemo : public TScrollingControl {
public:
    explicit TMemo(TComponent* owner);

    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    void AddLine(const std::string& line);
    void Clear() { SetText(""); }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    std::size_t MaxLength() const { return maxLength_; }
    void SetMaxLength(std::size_t bytes) { maxLength_ = bytes; }
    int TextHeightUsed() const;

    void KeyPress(std::string& gbkChar) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

    TNotifyEvent OnChange;

protected:
    void Paint(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;
    void Resized() override;
    int LineStep(TScrollBarKind) const override { return 12; }

private:
    void UpdateRange();

    bool wordWrap_{true};
    bool readOnly_{false};
    std::size_t maxLength_{0};
};

} // namespace morvane
