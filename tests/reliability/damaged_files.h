// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged versions of the game's files, made from good ones: every file the
// game reads must be answered clearly whatever is in it.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/fresh_game.h"

namespace quibbly::testing {

// How a file is damaged: its bytes, or a missing file, a folder of the same
// name, or a file that its owner may not read.
enum class Harm { Bytes, Missing, Folder, Unreadable };

struct Damaged {
    std::string what;
    Harm harm = Harm::Bytes;
    std::string bytes;
    int linesKept = -1;  // for a file cut short: how many whole lines are left
};

// Lines joined with CR LF after each.
std::string Joined(const std::vector<std::string>& lines);
// The damage every kind of file must survive: empty, cut after every line and
// within the last one kept, binary noise, a huge line, CR LF and LF mixed, no
// last line end, missing, a folder, unreadable.
std::vector<Damaged> CommonDamage(const std::vector<std::string>& goodLines);
// A count line (the first) replaced by each of the given texts.
std::vector<Damaged> CountsThatLie(const std::vector<std::string>& goodLines,
                                   const std::vector<std::string>& counts);

// Puts the damaged file in place of name. False when the damage cannot be
// made here: the superuser reads every file, so Unreadable needs another user.
bool PutInPlace(const std::string& name, const Damaged& damage);
// Every file and folder below the current folder with its bytes.
std::map<std::string, std::string> FolderSnapshot();
// Removes what PutInPlace made, whatever it was.
void RemoveDamage(const std::string& name);

// The lines of a shipped word file in data/.
std::vector<std::string> ShippedLines(const std::string& name);

}  // namespace quibbly::testing
