#pragma once

#include "plugin/ComCompat.h"

#include <optional>
#include <string>

namespace morvane {

// A GUID from its registry spelling "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (either case); nothing
// for any other text, so that a damaged version string can never name a class.
std::optional<GUID> GuidFromText(const std::string& text);

// The registry spelling of a GUID: braced, upper case.
std::string GuidText(const GUID& guid);

} // namespace morvane
