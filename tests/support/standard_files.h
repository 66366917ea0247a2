// SPDX-License-Identifier: GPL-3.0-or-later
// Word files for tests and fuzz targets: level words in the dictionary, Easy words head series.
#pragma once

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

}  // namespace quibbly::testing
