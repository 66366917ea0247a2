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

TextFileReader::TextFileReader(const std::string& name) : in_(name, std::ios::binary) {
    // A folder opens as a stream on Linux but cannot be read.
    std::error_code error;
    if (std::filesystem::is_directory(name, error)) failed_ = true;
}

bool TextFileReader::ReadLine(std::string& line) {
    line.clear();
    if (!IsOpen()) return false;
    if (!std::getline(in_, line)) {
        if (in_.bad()) failed_ = true;
        return false;
    }
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
