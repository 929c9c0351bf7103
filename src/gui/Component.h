#pragma once

#include <memory>
#include <string>
#include <vector>

namespace morvane {

enum TComponentStateFlag : unsigned {
    csLoading = 1,
    csDestroying = 2,
    csUpdating = 4,
    csDesigning = 8,
};

// The root of the component model: an owner frees what it owns (in reverse order of creation), and any
// component can ask another to tell it when it goes away, so non-owning references clear themselves.
class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    unsigned ComponentState() const { return state_; }
    bool Destroying() const { return (state_ & csDestroying) != 0; }
    bool Designing() const { return (state_ & csDesigning) != 0; }
    void SetDesigning(bool designing);

    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_.at(std::size_t(index)).get(); }
    TComponent* FindComponent(const std::string& name) const;

    // Takes ownership of a component created for this owner: `Own(std::make_unique<TTimer>(this))`.
    template <typename T>
    T* Own(std::unique_ptr<T> component) {
        T* raw = component.get();
        AdoptComponent(std::unique_ptr<TComponent>(std::move(component)));
        return raw;
    }
    // Hands an owned component back to the caller (its owner becomes none).
    std::unique_ptr<TComponent> ReleaseComponent(TComponent* component);
    // Frees an owned component now.
    void FreeComponent(TComponent* component) { ReleaseComponent(component).reset(); }

    // Asks `component` to call this one's Notification when it is destroyed (and the other way round).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Ends, for good, what the component does by itself (timers, modal runs, input): the table it belongs
    // to has closed. Subclasses that start such things stop them and refuse to start them again.
    virtual void EndActivity() { activityEnded_ = true; }
    bool ActivityEnded() const { return activityEnded_; }

protected:
    // Called when a component this one watches (or owns) is going away.
    virtual void Notification(TComponent* component, bool removing);
    void SetComponentState(unsigned flag, bool on);
    // Frees every owned component, last created first. Owners whose owned components reach back into
    // them while dying (controls parented to their owner) call this from their own destructor.
    void DestroyComponents();

private:
    void AdoptComponent(std::unique_ptr<TComponent> component);

    TComponent* owner_{nullptr};
    std::string name_;
    unsigned state_{0};
    bool activityEnded_{false};
    std::vector<std::unique_ptr<TComponent>> components_;
    std::vector<TComponent*> watchers_;
};

// Ends the activity of `root` and of every component it owns, all the way down (and of every control
// parented below a container among them).
void EndActivityOfTree(TComponent& root);

} // namespace morvane
