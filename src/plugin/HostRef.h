#pragma once

#include "plugin/QXOpenInterface_TLB.h"

namespace morvane {

// A counted reference to the host's request interface.
class THostRef {
public:
    THostRef() = default;
    ~THostRef() { Reset(nullptr); }
    THostRef(const THostRef&) = delete;
    THostRef& operator=(const THostRef&) = delete;
    void Reset(IQXOpenInterfaceReq* host);
    IQXOpenInterfaceReq* Get() const { return host_; }
    explicit operator bool() const { return host_ != nullptr; }
    IQXOpenInterfaceReq* operator->() const { return host_; }

private:
    IQXOpenInterfaceReq* host_{nullptr};
};

} // namespace morvane
