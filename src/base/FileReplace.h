#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Replacing a file that other writers share: the option file of a game is written by every table of that
// game, in this process and in others.
namespace morvane {

// Holds the other writers of files in the same folder off while one reads, changes and replaces its file,
// so that no writer's change is lost to another writer's older copy. Best effort: where the system offers
// no lock, the writer goes on without one.
class TFileWriteLock {
public:
    explicit TFileWriteLock(const std::string& hostPath);
    ~TFileWriteLock();
    TFileWriteLock(const TFileWriteLock&) = delete;
    TFileWriteLock& operator=(const TFileWriteLock&) = delete;

private:
    std::intptr_t handle_{-1};
};

// Writes `contents` to a new file beside `hostPath`, under a name created for this write alone, flushes it
// to the disk and then puts it in place of the old file in one step: a reader sees the old file or the
// whole new one, never a part. False, with the reason in `error`, when a step fails; the old file then
// stays as it was and nothing is left behind.
bool ReplaceFileContents(const std::string& hostPath, std::string_view contents, std::string& error);

} // namespace morvane
