#pragma once

#include "panels/FloatingPanelParts.h"
#include "plugin/CustomPluginOption.h"

#include <functional>
#include <string>
#include <vector>

namespace morvane {

// The settings panel "游戏设置": the form puts its check boxes on it and loads and stores them through
// the events; accept, cancel and close hand the focus back to where it was.
class TPluginOption50 : public TCustomPluginOption {
public:
    explicit TPluginOption50(TComponent* owner);

    void ShowPanel() override;
    void AcceptOptions() override;
    // Cancel and close.
    void DropChanges();

    TFloatingButtons& Buttons() { return buttons_; }
    void SetButtonBottomSpace(int value);
    void SetCloseTop(int value);
    void SetCloseRight(int value);
    const std::vector<std::string>& Defaults() const { return defaults_; }
    void SetDefaults(const std::vector<std::string>& lines) { defaults_ = lines; }

    TNotifyEvent OnAcceptOption;
    TNotifyEvent OnConfigOption;
    TNotifyEvent OnNoChange;

protected:
    void Resized() override;

private:
    TFloatingButtons buttons_;
    TFocusReturn focus_;
    std::vector<std::string> defaults_;
};

} // namespace morvane
