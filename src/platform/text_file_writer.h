// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a text file safely: the new contents go to a temporary file in
// the same folder, are flushed to the disk and then renamed over the old
// file, so that a crash, a kill or a full disk at any moment leaves either
// the old file or the new one whole.
#pragma once

#include <string>
#include <vector>

namespace quibbly {

// Writes lines, each ended by CR LF, as the whole new contents of the file.
// False, with the fault in words in fault, when the file could not be
// replaced; the old file is then untouched and no temporary file remains.
bool ReplaceTextFile(const std::string& name, const std::vector<std::string>& lines, std::string& fault);

}  // namespace quibbly
