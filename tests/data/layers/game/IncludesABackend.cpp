#include "plugin/CustomPluginClient.h"
#include "platform/win32/Win32Platform.h"
