#include "plugin/HostRef.h"

namespace morvane {

void THostRef::Reset(IQXOpenInterfaceReq* host) {
    if (host) host->AddRef();
    IQXOpenInterfaceReq* old = host_;
    host_ = host;
    if (old) old->Release();
}

} // namespace morvane
