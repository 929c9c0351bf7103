#pragma once

#include "plugin/PluginShareLink.h"
#include "ui/LovelyPanel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

// The plug-in's message box base: a skinned panel run modally inside the table's form. Results: 0 none
// or timed out, 1 accepted (Enter), 2 cancelled (Escape), 3 closed (also when the table finalises).
class TCustomPluginDialog : public TLovelyPanel, public TPluginShareLink {
public:
    static constexpr int mrAccepted = 1;
    static constexpr int mrCancelled = 2;
    static constexpr int mrClosed = 3;
    static constexpr int mrYes = 6;
    // The window's dialog-code query; the dialog answers that it wants the arrow keys.
    static constexpr std::uint32_t WM_GETDLGCODE = 0x0087;
    static constexpr std::intptr_t DLGC_WANTARROWS = 1;

    explicit TCustomPluginDialog(TComponent* owner);

    // The modal run: shows the parent form when needed, runs the panel's loop, clears the message and
    // gives the focus back. Without a parent form it returns 1 at once.
    virtual int Execute();
    virtual void SetButtons(std::uint8_t two) { buttons_ = two; }
    virtual void SetMessage(const std::string& text) { message_ = text; }
    virtual int GetItemIndex() { return -1; }
    virtual void SetItemIndex(int /*index*/) {}
    // Copies the lines; nullptr clears them.
    virtual void SetLines(const std::vector<std::string>* lines);
    virtual void DoInitialize() {}
    virtual void DoFinalize();
    virtual void DoOptionsLoaded() {}
    virtual void DoOptionsSaved() {}

    std::uint8_t Buttons() const { return buttons_; }
    const std::string& Message() const { return message_; }
    const std::vector<std::string>& Lines() const { return lines_; }
    const std::string& OkCaption() const { return okCaption_; }
    void SetOkCaption(const std::string& caption) { okCaption_ = caption; }
    const std::string& CancelCaption() const { return cancelCaption_; }
    void SetCancelCaption(const std::string& caption) { cancelCaption_ = caption; }
    // Results 1 and 6 count as a yes for the hub.
    static bool Confirmed(int result) { return result == mrAccepted || result == mrYes; }

    void KeyDown(TKey& key, TShiftState shift) override;

protected:
    void WndProc(TMessage& message) override;

private:
    std::uint8_t buttons_{0};
    std::string message_;
    std::vector<std::string> lines_;
    std::string okCaption_;
    std::string cancelCaption_;
};

} // namespace morvane
