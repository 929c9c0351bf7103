#include "platform/headless/HeadlessPlatform.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <sys/types.h>
#include <unistd.h>

namespace morvane {
namespace {

// Markers claimed by this process; every platform object of the process shares them, as two table
// objects of one host share the machine. Each knows the lock file that backs it, when its platform was
// given a marker folder.
struct TProcessMarkers {
    std::mutex lock;
    std::map<std::string, std::optional<std::filesystem::path>> claimed;
};

TProcessMarkers& ProcessMarkers() {
    static TProcessMarkers markers;
    return markers;
}

// The name as a file name: its bytes in hexadecimal, so that any GBK text or separator is safe.
std::filesystem::path MarkerFile(const std::filesystem::path& folder, const std::string& name) {
    static const char digits[] = "0123456789abcdef";
    std::string file;
    file.reserve(name.size() * 2 + 5);
    for (unsigned char c : name) {
        file.push_back(digits[c >> 4]);
        file.push_back(digits[c & 15]);
    }
    return folder / (file + ".lock");
}

bool ProcessAlive(pid_t pid) {
    if (pid <= 0) return false;
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

pid_t FileOwner(const std::filesystem::path& file) {
    std::ifstream in(file);
    long pid = 0;
    if (!(in >> pid)) return 0;
    return pid_t(pid);
}

enum class TFileClaim { Claimed, NoFolder, Taken };

// Creates the lock file; Taken when another live process holds it. A file left by a process that has
// gone is taken over.
TFileClaim ClaimFile(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    for (int attempt = 0; attempt < 2; ++attempt) {
        int fd = ::open(file.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        if (fd >= 0) {
            std::string pid = std::to_string(::getpid());
            [[maybe_unused]] ssize_t written = ::write(fd, pid.data(), pid.size());
            ::close(fd);
            return TFileClaim::Claimed;
        }
        if (errno != EEXIST) return TFileClaim::NoFolder; // the process's own table still guards
        pid_t owner = FileOwner(file);
        if (owner != ::getpid() && ProcessAlive(owner)) return TFileClaim::Taken;
        std::filesystem::remove(file, ignored);
    }
    return TFileClaim::Taken;
}

} // namespace

bool THeadlessPlatform::ClaimMarker(const std::string& name) {
    TProcessMarkers& markers = ProcessMarkers();
    std::lock_guard guard(markers.lock);
    if (markers.claimed.contains(name)) return false;
    std::optional<std::filesystem::path> file;
    if (!markerFolder_.empty()) {
        const std::filesystem::path path = MarkerFile(markerFolder_, name);
        const TFileClaim claim = ClaimFile(path);
        if (claim == TFileClaim::Taken) return false;
        if (claim == TFileClaim::Claimed) file = path;
    }
    markers.claimed.emplace(name, std::move(file));
    return true;
}

bool THeadlessPlatform::MarkerIntact(const std::string& name) {
    TProcessMarkers& markers = ProcessMarkers();
    std::lock_guard guard(markers.lock);
    // Another program removing the lock file takes the marker away, as closing the window does on Windows.
    const auto found = markers.claimed.find(name);
    if (found == markers.claimed.end()) return false;
    return !found->second || FileOwner(*found->second) == ::getpid();
}

void THeadlessPlatform::ReleaseMarker(const std::string& name) {
    TProcessMarkers& markers = ProcessMarkers();
    std::lock_guard guard(markers.lock);
    const auto found = markers.claimed.find(name);
    if (found == markers.claimed.end()) return;
    if (found->second) {
        std::error_code ignored;
        std::filesystem::remove(*found->second, ignored);
    }
    markers.claimed.erase(found);
}

} // namespace morvane
