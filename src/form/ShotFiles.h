#pragma once

#include "gui/Bitmap.h"

#include <string>

namespace morvane {

// The files a screenshot goes through: a 24-bit bottom-up Windows bitmap first, then a JPEG made from it.
// Paths are host paths (see paths::ToHost). Each answers false, leaving no partial file behind, when the
// file cannot be written.
bool SaveBmpFile(const std::string& hostPath, const TBitmap& bitmap);
// `quality` 1 … 100; an empty bitmap is refused.
bool SaveJpegFile(const std::string& hostPath, const TBitmap& bitmap, int quality);

} // namespace morvane
