#pragma once

// The private messages of the platform's service window. Like WinApi.h, include it after the project
// headers.

#include "platform/win32/WinApi.h"

namespace morvane {

inline constexpr UINT kRunTaskMessage = WM_APP + 1;  // a posted task is waiting
inline constexpr UINT kSendSyncMessage = WM_APP + 2; // a call from another thread (lParam: the call)
inline constexpr UINT kTrayMessage = WM_APP + 3;     // the notification icon (lParam: the mouse event)
inline constexpr UINT kWakeMessage = WM_APP + 4;     // nothing to do: ends a wait for the next message

} // namespace morvane
