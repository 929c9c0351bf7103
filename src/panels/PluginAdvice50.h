#pragma once

#include "panels/FloatingPanelParts.h"
#include "plugin/CustomPluginAdvice.h"

#include <functional>
#include <string>

namespace morvane {

class TMemo;

// The feedback panel "意见提交": a text box and submit / cancel. Advice shorter than 16 bytes (eight
// Chinese characters) is refused in the table's dialog.
class TPluginAdvice50 : public TCustomPluginAdvice {
public:
    static constexpr std::size_t kMemoLimit = 255;
    // Advice of at most this many bytes (blanks folded) is too short.
    static constexpr std::size_t kTooShort = 15;

    explicit TPluginAdvice50(TComponent* owner);

    void ShowPanel() override;
    void Submit();
    void Cancel();

    // The text as it is judged: runs of blanks folded to one, line breaks made blanks.
    static std::string FoldedAdvice(const std::string& text);

    TFloatingButtons& Buttons() { return buttons_; }
    TMemo& Memo() const { return *memo_; }
    void SetMemoSpaces(const TMemoSpaces& spaces);
    void SetMemoColor(TColor color);

    // Told of every accepted advice text (folded); the panel itself delivers it nowhere.
    std::function<void(TPluginAdvice50* sender, const std::string& text)> OnAdviceSubmit;

protected:
    void Resized() override;

private:
    TFloatingButtons buttons_;
    TFocusReturn focus_;
    TMemoSpaces memoSpaces_;
    TMemo* memo_{nullptr};
};

} // namespace morvane
