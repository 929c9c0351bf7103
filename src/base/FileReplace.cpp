#include "base/FileReplace.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace morvane {
namespace {

constexpr int kNameAttempts = 16;

// A name for the new file that no other writer picks: the process, the thread and a random part; the file
// is created only if no file of that name exists, so even a clash cannot make two writers share it.
std::string TemporaryName(const std::string& hostPath) {
    std::random_device entropy;
    const std::uint64_t mix = (std::uint64_t(entropy()) << 32 ^ entropy()) ^
                              std::hash<std::thread::id>{}(std::this_thread::get_id());
#ifdef _WIN32
    const unsigned long process = GetCurrentProcessId();
#else
    const unsigned long process = static_cast<unsigned long>(::getpid());
#endif
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%lu-%016llx.tmp", process, static_cast<unsigned long long>(mix));
    return hostPath + suffix;
}

} // namespace

#ifdef _WIN32

namespace {

// One mutex per file, shared by the processes of the session: named after the path, letters folded.
std::string MutexName(const std::string& hostPath) {
    std::uint64_t hash = 1469598103934665603ull;
    for (char c : hostPath) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c == '/') c = '\\';
        hash = (hash ^ std::uint8_t(c)) * 1099511628211ull;
    }
    char name[64];
    std::snprintf(name, sizeof name, "Local\\MorvaneFileWrite-%016llx",
                  static_cast<unsigned long long>(hash));
    return name;
}

} // namespace

TFileWriteLock::TFileWriteLock(const std::string& hostPath) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, MutexName(hostPath).c_str());
    if (!mutex) return;
    const DWORD waited = WaitForSingleObject(mutex, 10000);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(mutex);
}

TFileWriteLock::~TFileWriteLock() {
    if (handle_ == -1) return;
    HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

bool ReplaceFileContents(const std::string& hostPath, std::string_view contents, std::string& error) {
    std::string temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kNameAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = TemporaryName(hostPath);
        file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (file == INVALID_HANDLE_VALUE) {
        error = "cannot create a new file beside it";
        return false;
    }
    bool written = true;
    for (std::size_t done = 0; written && done < contents.size();) {
        DWORD wrote = 0;
        const DWORD chunk = DWORD(std::min<std::size_t>(contents.size() - done, 1u << 20));
        written = WriteFile(file, contents.data() + done, chunk, &wrote, nullptr) && wrote > 0;
        done += wrote;
    }
    written = written && FlushFileBuffers(file);
    written = CloseHandle(file) && written;
    if (!written) {
        DeleteFileA(temporary.c_str());
        error = "cannot write the new file";
        return false;
    }
    if (!MoveFileExA(temporary.c_str(), hostPath.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        error = "cannot put the new file in place";
        return false;
    }
    return true;
}

#else

namespace {

std::string FolderOf(const std::string& hostPath) {
    const std::size_t slash = hostPath.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : hostPath.substr(0, slash);
}

bool WriteAll(int fd, std::string_view contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t wrote = ::write(fd, contents.data() + done, contents.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += std::size_t(wrote);
    }
    return true;
}

} // namespace

// Locks the folder: the file itself is replaced by every write, so a lock on it would be lost with it.
TFileWriteLock::TFileWriteLock(const std::string& hostPath) {
    const int folder = ::open(FolderOf(hostPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    while (::flock(folder, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(folder);
            return;
        }
    }
    handle_ = folder;
}

TFileWriteLock::~TFileWriteLock() {
    if (handle_ < 0) return;
    ::flock(int(handle_), LOCK_UN);
    ::close(int(handle_));
}

bool ReplaceFileContents(const std::string& hostPath, std::string_view contents, std::string& error) {
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
        temporary = TemporaryName(hostPath);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        error = std::string("cannot create a new file beside it: ") + std::strerror(errno);
        return false;
    }
    // The new file takes the old one's permissions.
    struct stat old {};
    if (::stat(hostPath.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    bool written = WriteAll(fd, contents) && ::fsync(fd) == 0;
    const int writeError = errno;
    written = ::close(fd) == 0 && written;
    if (!written) {
        ::unlink(temporary.c_str());
        error = std::string("cannot write the new file: ") + std::strerror(writeError);
        return false;
    }
    if (::rename(temporary.c_str(), hostPath.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        error = std::string("cannot put the new file in place: ") + std::strerror(renameError);
        return false;
    }
    // The folder's entry too, so that the new name survives a crash of the machine.
    if (const int folder = ::open(FolderOf(hostPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

#endif

} // namespace morvane
