#pragma once

#include "ui/IntMap.h"

#include <cstdint>

namespace morvane {

class TApplication;
class TControl;
class TISScrollBarReplacer;
struct TMessage;

// The one scroll-bar manager of the process: a locked map from skinned control to its replacer, and the
// message hook that tells a replacer when its control changed. The hook is in place while any control is
// registered.
class TISScrollBarReplacerMgr {
public:
    static TISScrollBarReplacerMgr& Instance();

    TISScrollBarReplacerMgr();
    ~TISScrollBarReplacerMgr();
    TISScrollBarReplacerMgr(const TISScrollBarReplacerMgr&) = delete;
    TISScrollBarReplacerMgr& operator=(const TISScrollBarReplacerMgr&) = delete;

    void Register(const TControl& control, TISScrollBarReplacer& replacer);
    void Unregister(const TControl& control);
    TISScrollBarReplacer* Find(const TControl& control);
    int Count();
    void Clear();

    // The messages after which a skinned control's bars are brought up to date.
    static bool Watched(std::uint32_t msg);

private:
    void InstallHook();
    void RemoveHook();
    void OnMessage(TControl& control, const TMessage& message);

    TIntMap replacers_;
    int hookId_{0};
    TApplication* hookedApplication_{nullptr};
};

} // namespace morvane
