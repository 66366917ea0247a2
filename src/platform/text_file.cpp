// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_file.h"

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
