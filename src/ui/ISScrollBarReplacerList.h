#pragma once

#include "ui/ISScrollBarReplacer.h"

#include <map>
#include <memory>

namespace morvane {

// The replacers a skin owns, one per control.
class TISScrollBarReplacerList {
public:
    // Creates the control's replacer; a control already present keeps the one it has (false).
    bool Register(TScrollingControl& control, const TScrollBarScheme& scheme, int skinnerKind);
    // Frees the control's replacer, if any. Works by address, so a control that is being destroyed may
    // be passed as the component it still is.
    void Unregister(const TComponent* control);
    TISScrollBarReplacer* Find(const TControl& control) const;
    int Count() const { return int(replacers_.size()); }
    void Clear() { replacers_.clear(); }

private:
    std::map<const TComponent*, std::unique_ptr<TISScrollBarReplacer>> replacers_;
};

} // namespace morvane
