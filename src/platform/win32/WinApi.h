#pragma once

// The Windows headers, for the Win32 backend's sources only. Include this after every project header:
// the system headers define macros (MB_OK, IDOK, MOD_ALT, ...) under names the platform interface uses
// for its own constants, and name-changing macros (MessageBox, DrawText, PostMessage, ...) that would
// rename the interface's methods.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: the headers below rely on its types.
#include <mmsystem.h>
#include <nb30.h>
#include <shellapi.h>

#undef MessageBox
#undef DrawText
#undef PostMessage
#undef SendMessage
