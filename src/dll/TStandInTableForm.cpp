#include "dll/TStandInTableForm.h"

#include "plugin/PluginShare50.h"

#include <memory>

namespace morvane {

TStandInTableForm::TStandInTableForm(TComponent* owner) : TPluginCommandForm(owner) {
    SetBounds(0, 0, kWidth, kHeight);
    hub_ = Own(std::make_unique<TPluginShare50>(this));
    SetCommandHub(hub_);
}

} // namespace morvane
