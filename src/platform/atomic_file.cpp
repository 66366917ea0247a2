// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

#include "platform/services.h"

namespace quibbly {

namespace {

std::string Reason(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The mode the new file gets: the old file's, or what the user's umask allows.
mode_t ModeFor(const std::string& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string Replace(const std::string& path, const std::string& bytes, bool flushToDisk) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    if (!target.has_filename()) return "no file name was given";
    std::error_code error;
    if (fs::is_directory(target, error)) return "it is a folder";
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return Reason("the folder cannot take a new file");
    const std::string temporary(name.data());

    std::string fault;
    if (::fchmod(fd, ModeFor(path)) != 0)
        fault = Reason("cannot set the file's permissions");
    else if (!WriteAll(fd, bytes))
        fault = Reason("cannot be written");
    else if (flushToDisk && ::fsync(fd) != 0)
        fault = Reason("cannot be flushed to the disk");
    if (::close(fd) != 0 && fault.empty()) fault = Reason("cannot be closed");
    if (fault.empty() && ::rename(temporary.c_str(), path.c_str()) != 0)
        fault = Reason("cannot take the place of the old file");
    if (!fault.empty()) {
        ::unlink(temporary.c_str());
        return fault;
    }
    if (!flushToDisk) return {};
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

}  // namespace

FolderChange::FolderChange() : platform_(InstalledPlatform()) {
    if (platform_ != nullptr) platform_->BeginFolderChange();
}

FolderChange::~FolderChange() {
    End();
}

std::string FolderChange::End() {
    Platform* platform = std::exchange(platform_, nullptr);
    return platform != nullptr ? platform->EndFolderChange() : std::string();
}

std::string ReplaceFile(const std::string& path, const std::string& bytes, bool flushToDisk) {
    FolderChange change;
    const std::string fault = Replace(path, bytes, flushToDisk);
    const std::string kept = change.End();
    return fault.empty() ? kept : fault;
}

FolderLock::FolderLock(const std::string& folder) {
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    int result = 0;
    while ((result = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
    }
    held_ = result == 0;
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace quibbly
