#include "ui/PluginScrollBar.h"

namespace morvane {

TPluginScrollbarReplacer::TPluginScrollbarReplacer(TComponent* owner) : TComponent(owner) {}

TPluginScrollbarReplacer::~TPluginScrollbarReplacer() {
    replacers_.Clear();
}

void TPluginScrollbarReplacer::Skin(const std::vector<TScrollingControl*>& controls,
                                    const TScrollBarScheme& scheme, int skinnerKind) {
    for (TScrollingControl* control : controls) {
        if (!control) continue;
        control->FreeNotification(this);
        replacers_.Register(*control, scheme, skinnerKind);
    }
}

void TPluginScrollbarReplacer::Notification(TComponent* component, bool removing) {
    // Told from the component's own destructor: only its address is of use by now.
    if (removing) replacers_.Unregister(component);
    TComponent::Notification(component, removing);
}

} // namespace morvane
