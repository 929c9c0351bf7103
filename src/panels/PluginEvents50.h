#pragma once

#include "panels/FloatingPanelParts.h"
#include "plugin/CustomPluginEvents.h"

#include <string>

namespace morvane {

class TMemo;

// The announcement panel "游戏活动": an event text from the hub, fields separated by "@$" (ignored,
// body, caption, button caption, address), with a button that opens the event's address.
class TPluginEvents50 : public TCustomPluginEvents {
public:
    static constexpr const char* kSeparator = "@$";

    explicit TPluginEvents50(TComponent* owner);

    void AddEvent(const std::string& text) override;
    // The details button: the address is opened only when it is a web address, since it comes from the
    // server.
    void OpenDetails();

    const std::string& EventsAddress() const { return address_; }
    void SetEventsAddress(const std::string& address) { address_ = address; }
    TFloatingButtons& Buttons() { return buttons_; }
    TMemo& Memo() const { return *memo_; }
    void SetMemoSpaces(const TMemoSpaces& spaces);
    void SetMemoColor(TColor color);

protected:
    void Resized() override;
    void WndProc(TMessage& message) override;

private:
    TFloatingButtons buttons_;
    TMemoSpaces memoSpaces_;
    TMemo* memo_{nullptr};
    std::string address_;
};

} // namespace morvane
