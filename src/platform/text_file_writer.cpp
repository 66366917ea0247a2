// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quibbly {

namespace {

std::string FolderOf(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : name.substr(0, slash);
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

// The mode a new file gets: the old file's, else what the umask allows.
mode_t ModeFor(const std::string& name) {
    struct stat old {};
    if (::stat(name.c_str(), &old) == 0 && S_ISREG(old.st_mode)) return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool ReplaceTextFile(const std::string& name, const std::vector<std::string>& lines, std::string& fault) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    std::string temporary = name + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        fault = std::strerror(errno);
        return false;
    }
    const auto fail = [&](int error) {
        if (fd >= 0) ::close(fd);
        ::unlink(temporary.c_str());
        fault = std::strerror(error);
        return false;
    };
    if (::fchmod(fd, ModeFor(name)) != 0) return fail(errno);
    if (!WriteAll(fd, bytes)) return fail(errno);
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fault = std::strerror(error);
        return false;
    }
    if (::rename(temporary.c_str(), name.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fault = std::strerror(error);
        return false;
    }
    // The rename itself reaches the disk with the folder's own flush; the
    // file is already whole either way, so a failure here changes nothing.
    const int folder = ::open(FolderOf(name).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

}  // namespace quibbly
