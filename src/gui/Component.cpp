#include "gui/Component.h"

#include <algorithm>

namespace morvane {

TComponent::TComponent(TComponent* owner) : owner_(owner) {}

TComponent::~TComponent() {
    state_ |= csDestroying;
    // Watchers first, so they drop their references before anything of ours is gone. One at a time
    // from the live list: a watcher freed by another's notification has taken itself off it.
    while (!watchers_.empty()) {
        TComponent* watcher = watchers_.front();
        watchers_.erase(watchers_.begin());
        std::erase(watcher->watchers_, this);
        watcher->Notification(this, true);
    }
    DestroyComponents();
    if (owner_) {
        // Destroyed directly while still owned: the owner only has to forget us.
        auto& siblings = owner_->components_;
        for (auto& sibling : siblings)
            if (sibling.get() == this) (void)sibling.release();
        std::erase_if(siblings, [](const std::unique_ptr<TComponent>& c) { return c == nullptr; });
    }
}

void TComponent::DestroyComponents() {
    state_ |= csDestroying;
    while (!components_.empty()) {
        std::unique_ptr<TComponent> last = std::move(components_.back());
        components_.pop_back();
        last->owner_ = nullptr;
        last.reset();
    }
}

void TComponent::SetDesigning(bool designing) {
    SetComponentState(csDesigning, designing);
    for (auto& c : components_)
        c->SetDesigning(designing);
}

void TComponent::SetComponentState(unsigned flag, bool on) {
    state_ = on ? (state_ | flag) : (state_ & ~flag);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    for (const auto& c : components_)
        if (c->name_ == name) return c.get();
    return nullptr;
}

void TComponent::AdoptComponent(std::unique_ptr<TComponent> component) {
    component->owner_ = this;
    if (Designing()) component->SetDesigning(true);
    components_.push_back(std::move(component));
}

std::unique_ptr<TComponent> TComponent::ReleaseComponent(TComponent* component) {
    auto it = std::find_if(components_.begin(), components_.end(),
                           [&](const std::unique_ptr<TComponent>& c) { return c.get() == component; });
    if (it == components_.end()) return nullptr;
    std::unique_ptr<TComponent> released = std::move(*it);
    components_.erase(it);
    released->owner_ = nullptr;
    return released;
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(component->watchers_.begin(), component->watchers_.end(), this) ==
        component->watchers_.end())
        component->watchers_.push_back(this);
    if (std::find(watchers_.begin(), watchers_.end(), component) == watchers_.end())
        watchers_.push_back(component);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    std::erase(component->watchers_, this);
    std::erase(watchers_, component);
}

void TComponent::Notification(TComponent*, bool) {}

void EndActivityOfTree(TComponent& root) {
    root.EndActivity();
    for (int i = 0; i < root.ComponentCount(); ++i)
        EndActivityOfTree(*root.Components(i));
}

} // namespace morvane
