#include "base/Paths.h"

#include <filesystem>

namespace morvane::paths {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

std::string ToHost(std::string_view systemPath) {
    std::string out(systemPath);
#ifndef _WIN32
    for (char& c : out)
        if (c == '\\') c = '/';
#endif
    return out;
}

std::string FromHost(std::string_view hostPath) {
    std::string out(hostPath);
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

std::string ExtractFilePath(std::string_view path) {
    std::size_t pos = path.size();
    while (pos > 0 && !IsSeparator(path[pos - 1]))
        --pos;
    return std::string(path.substr(0, pos));
}

std::string ExtractFileName(std::string_view path) {
    return std::string(path.substr(ExtractFilePath(path).size()));
}

std::string IncludeTrailingBackslash(std::string_view path) {
    std::string out(path);
    if (out.empty() || !IsSeparator(out.back())) out += '\\';
    return out;
}

bool FileExists(std::string_view systemPath) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ToHost(systemPath), ec);
}

} // namespace morvane::paths
