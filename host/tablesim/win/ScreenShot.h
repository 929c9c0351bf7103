#pragma once

#include "gui/Bitmap.h"

struct HWND__;

namespace morvane::tablesim {

// What the screen shows of the window (its whole window rectangle, shape cut-outs included), read from
// the screen's device context. Empty when the window is gone or the screen cannot be read.
TBitmap ReadWindowFromScreen(HWND__* window);

} // namespace morvane::tablesim
