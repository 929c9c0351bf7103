#pragma once

#include "gui/Component.h"
#include "ui/ISScrollBarReplacerList.h"

#include <vector>

namespace morvane {

// The scroll-bar skin a window owns: it lays skinned bars over the bars of the controls it is given, and
// lets a control's skin go when the control is destroyed.
class TPluginScrollbarReplacer : public TComponent {
public:
    explicit TPluginScrollbarReplacer(TComponent* owner);
    ~TPluginScrollbarReplacer() override;

    void Skin(const std::vector<TScrollingControl*>& controls, const TScrollBarScheme& scheme,
              int skinnerKind);
    TISScrollBarReplacer* Find(const TControl& control) const { return replacers_.Find(control); }

protected:
    void Notification(TComponent* component, bool removing) override;

private:
    TISScrollBarReplacerList replacers_;
};

} // namespace morvane
