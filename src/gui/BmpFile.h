#pragma once

#include "gui/Bitmap.h"

#include <cstdint>
#include <span>
#include <string>

namespace morvane {

// Reads a Windows .bmp file: a BITMAPINFOHEADER (or one of its larger successors, V4 and V5, whose first 40
// bytes are the same), uncompressed 1-, 4-, 8-, 24- and 32-bit pixels, and 32-bit pixels with the standard
// blue-green-red colour masks. Rows may be stored bottom-up or top-down.
//
// The result is a pf24bit bitmap, the form the skins' bitmaps are drawn and keyed in; the fourth byte of
// 32-bit pixels carries no defined alpha in such files and is dropped. On success `error` is cleared. On a
// malformed, truncated, unsupported or oversized input the answer is false, `error` says why and `bitmap`
// is left as it was.
bool LoadBmp(std::span<const std::uint8_t> bytes, TBitmap& bitmap, std::string& error);

// The same for a file; `hostPath` is a path of the host file system (see paths::ToHost).
bool LoadBmpFile(const std::string& hostPath, TBitmap& bitmap, std::string& error);

} // namespace morvane
