#include "gui/Control.h"
#include "plugin/CustomPluginShare.h"
