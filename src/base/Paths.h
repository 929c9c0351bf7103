#pragma once

#include <string>
#include <string_view>

// Paths are written the system's way, with backslashes ("%s\Sound\%s\"); on other hosts they are mapped
// to the local file system only at the moment a file is opened.
namespace morvane::paths {

// The host file system's form of a system path: backslashes become slashes outside Windows.
std::string ToHost(std::string_view systemPath);
// The system's form of a host path: slashes become backslashes.
std::string FromHost(std::string_view hostPath);
// The folder part of a path, with its trailing separator ("C:\a\b.ini" gives "C:\a\").
std::string ExtractFilePath(std::string_view path);
std::string ExtractFileName(std::string_view path);
std::string IncludeTrailingBackslash(std::string_view path);
bool FileExists(std::string_view systemPath);

} // namespace morvane::paths
