#pragma once

#include "gui/Form.h"

namespace morvane {

class TCustomPluginShare;

// A table form that hands the hub its frames in the form's own thread: the hub posts WM_PLUGIN_COMMAND to
// the window it was given, and the form answers it by letting the hub decode what is pending.
class TPluginCommandForm : public TForm {
public:
    using TForm::TForm;

    TCustomPluginShare* CommandHub() const { return commandHub_; }
    // The form forgets the hub when the hub goes first.
    void SetCommandHub(TCustomPluginShare* hub);

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, bool removing) override;

private:
    TCustomPluginShare* commandHub_{nullptr};
};

} // namespace morvane
