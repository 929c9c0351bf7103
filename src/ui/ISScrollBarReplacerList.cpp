#include "ui/ISScrollBarReplacerList.h"

namespace morvane {

bool TISScrollBarReplacerList::Register(TScrollingControl& control, const TScrollBarScheme& scheme,
                                        int skinnerKind) {
    if (replacers_.contains(static_cast<const TComponent*>(&control))) return false;
    replacers_[static_cast<const TComponent*>(&control)] =
        std::make_unique<TISScrollBarReplacer>(control, scheme, skinnerKind);
    return true;
}

void TISScrollBarReplacerList::Unregister(const TComponent* control) {
    replacers_.erase(control);
}

TISScrollBarReplacer* TISScrollBarReplacerList::Find(const TControl& control) const {
    auto it = replacers_.find(static_cast<const TComponent*>(&control));
    return it == replacers_.end() ? nullptr : it->second.get();
}

} // namespace morvane
