// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file so that a crash, a full disk or a kill at any moment
// leaves either the old file or the new one whole, never a mixture.
#pragma once

#include <string>

namespace quibbly {

class Platform;

// One change to the player's files, bracketed for the platform (see
// Platform::BeginFolderChange): ReplaceFile and FolderLock hold one, and so
// does any removal or rename of a file the player keeps. End keeps the
// change and says what went wrong; the destructor ends it unasked.
class FolderChange {
public:
    FolderChange();
    ~FolderChange();
    FolderChange(const FolderChange&) = delete;
    FolderChange& operator=(const FolderChange&) = delete;
    std::string End();

private:
    Platform* platform_;
};

// Writes the bytes to a temporary file in the target's folder, flushes it
// to the disk and renames it over the target. Returns an empty text on
// success, else what went wrong; the target is then as it was.
//
// A file rewritten after every move may leave the flush to the system
// (flushToDisk false): the rename alone keeps a kill or a crash of the
// program from leaving a mixture, and ext4 writes a file renamed over an
// older one before the rename, which keeps it over a power cut in practice.
// Waiting for the disk (measured at 4 to 12 ms here) would be felt at every
// move; the player's own saves, the winners and the history still wait.
std::string ReplaceFile(const std::string& path, const std::string& bytes, bool flushToDisk = true);

// Holds the folder for one read-change-replace of a file that two copies of
// the game may share: a second copy that asks for the same folder waits
// until the first lets go (at the end of its scope, or when it dies). The
// lock is taken on the folder itself, so no lock file is left beside the
// game's files; where the folder cannot be opened the work goes on unlocked.
// It is one FolderChange too, so that a platform whose own lock stands in
// for the folder's (the web page's) holds it for the same time.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool Held() const { return held_; }

private:
    FolderChange change_;
    int fd_ = -1;
    bool held_ = false;
};

}  // namespace quibbly
