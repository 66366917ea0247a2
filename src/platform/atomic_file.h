// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file so that a crash, a full disk or a kill at any moment
// leaves either the old file or the new one whole, never a mixture.
#pragma once

#include <string>

namespace quibbly {

// Writes the bytes to a temporary file in the target's folder, flushes it
// to the disk and renames it over the target. Returns an empty text on
// success, else what went wrong; the target is then as it was.
std::string ReplaceFile(const std::string& path, const std::string& bytes);

}  // namespace quibbly
