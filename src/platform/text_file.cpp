// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace quibbly {

TextFileReader::TextFileReader(const std::string& name) : fd_(::open(name.c_str(), O_RDONLY | O_CLOEXEC)) {
    // A folder opens on Linux but cannot be read.
    std::error_code error;
    if (fd_ >= 0 && std::filesystem::is_directory(name, error)) failed_ = true;
}

TextFileReader::~TextFileReader() {
    if (fd_ >= 0) ::close(fd_);
}

bool TextFileReader::Fill() {
    if (ended_ || failed_) return false;
    buffer_.erase(0, at_);
    at_ = 0;
    const std::size_t kept = buffer_.size();
    constexpr std::size_t Piece = 65536;
    buffer_.resize(kept + Piece);
    ssize_t got = 0;
    while ((got = ::read(fd_, buffer_.data() + kept, Piece)) < 0 && errno == EINTR) {
    }
    buffer_.resize(kept + static_cast<std::size_t>(got > 0 ? got : 0));
    if (got < 0) failed_ = true;
    if (got == 0) ended_ = true;
    return got > 0;
}

bool TextFileReader::ReadLine(std::string& line) {
    line.clear();
    if (!IsOpen()) return false;
    std::size_t end = buffer_.find('\n', at_);
    while (end == std::string::npos) {
        const std::size_t searched = buffer_.size() - at_;
        if (!Fill()) break;
        end = buffer_.find('\n', searched);
    }
    if (end == std::string::npos) {
        // The last line may go without a line end; a fault ends the reading.
        if (failed_ || at_ == buffer_.size()) return false;
        end = buffer_.size();
    }
    line.assign(buffer_, at_, end - at_);
    at_ = end < buffer_.size() ? end + 1 : end;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

WholeFile ReadWholeFile(const char* name, long maxBytes, const char* tooLarge, std::string& bytes,
                        std::string& fault) {
    const int fd = ::open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return WholeFile::Missing;
        fault = std::strerror(errno);
        return WholeFile::Fault;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            fault = std::strerror(errno);
            ::close(fd);
            return WholeFile::Fault;
        }
        if (static_cast<long>(bytes.size()) + got > maxBytes) {
            fault = tooLarge;
            ::close(fd);
            return WholeFile::Fault;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return WholeFile::Read;
}

double NumericValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    // Only a plain decimal number counts: sign, digits and a decimal point.
    std::size_t end = i;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
    std::size_t digits = 0;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end, ++digits;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end, ++digits;
    }
    if (digits == 0) return 0.0;
    return std::strtod(text.substr(i, end - i).c_str(), nullptr);
}

}  // namespace quibbly
