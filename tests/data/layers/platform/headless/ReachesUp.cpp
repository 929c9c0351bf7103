#include "platform/Platform.h"
#include "ui/LovelyPanel.h"
