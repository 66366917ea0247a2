// SPDX-License-Identifier: GPL-3.0-or-later
// Sequential reading of the game's single-byte text files, line by line.
#pragma once

#include <fstream>
#include <string>

namespace quibbly {

class TextFileReader {
public:
    explicit TextFileReader(const std::string& name);
    // False when the file is missing or cannot be read.
    bool IsOpen() const { return in_.is_open() && !failed_; }
    // Reads one line without its line end (CR LF or LF). False at the end of
    // the file or on a read fault.
    bool ReadLine(std::string& line);
    // True once a read failed for another reason than the end of the file.
    bool Failed() const { return failed_; }

private:
    std::ifstream in_;
    bool failed_ = false;
};

enum class WholeFile { Read, Missing, Fault };
// The whole of a file in one read, for the records the game rewrites. A file
// of more than maxBytes is a fault (named by tooLarge) and is never read into
// memory whole; fault tells why a file that exists could not be had.
WholeFile ReadWholeFile(const char* name, long maxBytes, const char* tooLarge, std::string& bytes,
                        std::string& fault);

// Val(): the leading decimal number of a text, 0 when there is none.
double NumericValue(const std::string& text);

}  // namespace quibbly
