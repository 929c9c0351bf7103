#pragma once

#include "plugin/PluginCommandForm.h"

namespace morvane {

class TPluginShare50;

// The table form the library creates while no table form class of its own is registered: a window of
// the table's size with the hub on it, so that the hall's frames reach the hub and its requests go
// back, while the table's own controls do not exist yet.
class TStandInTableForm : public TPluginCommandForm {
public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 734;

    explicit TStandInTableForm(TComponent* owner);

    TPluginShare50* Hub() const { return hub_; }

private:
    TPluginShare50* hub_{nullptr};
};

} // namespace morvane
