// SPDX-License-Identifier: GPL-3.0-or-later
// Sequential reading of the game's single-byte text files, line by line.
#pragma once

#include <string>

namespace quibbly {

// The file is read in large pieces, split into lines in memory: one system
// call for tens of thousands of words, where a file's every call is costly
// (the web page's file system lies behind JavaScript).
class TextFileReader {
public:
    explicit TextFileReader(const std::string& name);
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;
    // False when the file is missing or cannot be read.
    bool IsOpen() const { return fd_ >= 0 && !failed_; }
    // Reads one line without its line end (CR LF or LF). False at the end of
    // the file or on a read fault.
    bool ReadLine(std::string& line);
    // True once a read failed for another reason than the end of the file.
    bool Failed() const { return failed_; }

private:
    // Reads the next piece after what is left of the last; false at the end
    // of the file or on a fault.
    bool Fill();
    int fd_ = -1;
    bool failed_ = false;
    bool ended_ = false;
    std::string buffer_;
    std::size_t at_ = 0;  // the next line's start in buffer_
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
