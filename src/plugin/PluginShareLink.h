#pragma once

namespace morvane {

class TCustomPluginShare;

// The non-owning reference from a plugged component back to its hub. The hub fills it when the component
// is put into one of its slots and clears it when either goes away; requests do nothing while it is empty.
class TPluginShareLink {
public:
    TCustomPluginShare* Share() const { return share_; }
    void SetShare(TCustomPluginShare* share) { share_ = share; }

protected:
    ~TPluginShareLink() = default;

private:
    TCustomPluginShare* share_{nullptr};
};

} // namespace morvane
