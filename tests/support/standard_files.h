// SPDX-License-Identifier: GPL-3.0-or-later
// Word files for tests and fuzz targets: level words in the dictionary, Easy words head series;
// and the files a test writes and reads in its current folder (no test framework needed).
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quibbly::testing {

struct StandardFile {
    const char* name;
    const char* bytes;
};

inline constexpr StandardFile StandardFiles[] = {
    {"easy.wtf", "3\r\nHOUSE\r\nPLANT\r\nCRISP\r\n"},
    {"medium.wtf", "2\r\nBLIMP\r\nMOUSE\r\n"},
    {"hard.wtf", "2\r\nTHEME\r\nLEVEL\r\n"},
    {"master.wtf",
     "14\r\nBLIMP\r\nCRISP\r\nEERIE\r\nHORSE\r\nHOUSES\r\nLEVEL\r\nMOUSE\r\nPLANT\r\nROUSE\r\nSHOUT\r\n"
     "THEME\r\nTOUSE\r\nHOSED\r\n"},
    {"series.wtf", "BLIMP\r\nCRISP\r\nHOUSE\r\nMOUSE H>M\r\nROUSE H>R\r\nHORSE U>R\r\nPLANT\r\n\r\n"},
};

inline constexpr const char* StandardEasy = StandardFiles[0].bytes;

inline std::string ReadBytes(const std::string& name) {
    std::ostringstream bytes;
    bytes << std::ifstream(name, std::ios::binary).rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
}

// Writes a word file with CR LF line ends.
inline void WriteLines(const std::string& name, const std::vector<std::string>& lines) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << "\r\n";
}

// The small, consistent set of StandardFiles.
inline void WriteWordFiles() {
    for (const StandardFile& file : StandardFiles) WriteBytes(file.name, file.bytes);
}

// Word files where Easy holds HOUSE alone, with a known series: known guesses.
inline void WriteHouseSeries() {
    WriteWordFiles();
    WriteLines("easy.wtf", {"1", "HOUSE"});
    WriteLines("series.wtf", {"HOUSE", "MOUSE H>M", "ROUSE H>R", "THOSE U>T", ""});
    WriteLines("master.wtf",
               {"9", "BLIMP", "CRISP", "HOIST", "HOUSE", "MOUSE", "PLANT", "ROUSE", "SHOUT", "THOSE"});
}

}  // namespace quibbly::testing
