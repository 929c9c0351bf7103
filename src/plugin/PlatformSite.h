#pragma once

namespace morvane {

// The platform's web site: where the table's links lead when the option file names no address of its own.
inline constexpr const char* kPlatformSite = "http://www.morvane.cn/";

} // namespace morvane
