// SPDX-License-Identifier: GPL-3.0-or-later
// The player's game folder. The game opens every file by bare name in its
// current folder, so before any window opens the program finds the files it
// ships (word files and help), brings them up to date in the player's own
// folder, and makes that folder the current one. The scores file and saved
// games there are never touched.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quibbly {

// The files the game ships and keeps up to date in the game folder.
const std::vector<std::string>& ShippedFiles();

// The folders that may hold the shipped files, in the order they are
// searched, for a program that lives in programFolder: the installed data
// folder beside the program (any prefix, the package's too), the build
// tree's data folder, then the data folder of the configured install prefix.
std::vector<std::filesystem::path> ShippedFolders(const std::filesystem::path& programFolder);

// $XDG_DATA_HOME/quibbly, else ~/.local/share/quibbly; empty when neither
// gives an absolute folder.
std::filesystem::path PlayerGameFolder(const char* dataHome, const char* home);

struct GameFolderSetup {
    std::filesystem::path folder;
    // One sentence for each shipped file that could not be found or copied,
    // or for a folder that could not be made or entered.
    std::vector<std::string> faults;
    // True once the folder exists and is the current folder.
    bool entered = false;
};

// Makes the folder if needed, copies into it each shipped file that is
// missing there or differs from the shipped one (each file from the first
// of shippedFolders that holds it; a file is replaced whole, never left
// half-written), and makes the folder the current folder.
GameFolderSetup PrepareGameFolder(const std::vector<std::filesystem::path>& shippedFolders,
                                  const std::filesystem::path& folder);

}  // namespace quibbly
