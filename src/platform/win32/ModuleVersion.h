#pragma once

#include "base/FileVersionInfomation.h"

#include <string>

struct HINSTANCE__;

namespace morvane {

// The file name of a loaded module (a DLL or the program) as the system spells it; empty when unknown.
std::wstring WideModuleFileName(HINSTANCE__* module);

// Reads the version record from the version resource of the module's own file: the fixed part and the
// strings under the first translation the resource lists. The record is cleared first and stays empty
// when the file has no version resource or cannot be read; the answer is then false.
bool ReadModuleVersion(HINSTANCE__* module, TFileVersionInfomation& info);

} // namespace morvane
