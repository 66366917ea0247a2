// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: a fresh program for every input, in a private
// current folder that holds a small, consistent set of word files, on the
// scripted platform. A target replaces one or more files with its input and
// plays the game's own handlers on them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/scripted_platform.h"
#include "windows/main/quibbly_form.h"

namespace quibbly::fuzz {

// Drops every window and all module state, puts the standard word files back,
// removes any other file from the folder and installs a new scripted platform
// (its clock and generator start the same for every input, so that a crash
// replays). Returns the main window, created as the program's start does.
QuibblyForm& FreshProgram();
ScriptedPlatform& Scripted();
// A fresh program with a game under way on the standard files: the computer's
// word is PLANT, the player's SHOUT, and the player has the first turn.
QuibblyForm& GameUnderWay();

void WriteFile(const std::string& name, std::string_view contents);
// The file's bytes, or "<missing>" when it cannot be read.
std::string ReadWholeFile(const std::string& name);

std::string_view Text(const std::uint8_t* data, std::size_t size);
// The part of the text before the first line that equals separator, and the
// part after it (empty when there is no such line).
std::pair<std::string_view, std::string_view> SplitAtLine(std::string_view text, std::string_view separator);

// Reports a broken promise of the game and aborts, so that libFuzzer keeps
// the input.
[[noreturn]] void Fail(const std::string& what);
inline void Expect(bool holds, const std::string& what) {
    if (!holds) Fail(what);
}
// Every box shown must be one the game knows; a file's fault must name the
// file in quotes.
void ExpectOnlyKnownBoxes(const std::vector<ShownBox>& boxes, const std::vector<std::string>& knownTitles);
bool ShowedFileFault(const std::vector<ShownBox>& boxes, const std::string& file);
bool IsWord(const std::string& text);
// True when line is a whole line of text, whatever ends it (LF, CR LF, the
// end of the text or a CR there).
bool IsLineOf(std::string_view text, const std::string& line);

}  // namespace quibbly::fuzz
