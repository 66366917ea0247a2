// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/game_folder.h"

#include "platform/atomic_file.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <system_error>

namespace quibbly {

namespace fs = std::filesystem;

const std::vector<std::string>& ShippedFiles() {
    // The build names them (comma-separated), so the install rules, the
    // build tree's copy and the program agree on one list.
    static const std::vector<std::string> files = [] {
        std::vector<std::string> names;
        std::istringstream list(QUIBBLY_SHIPPED_FILES);
        for (std::string name; std::getline(list, name, ',');)
            if (!name.empty()) names.push_back(name);
        return names;
    }();
    return files;
}

std::vector<fs::path> ShippedFolders(const fs::path& programFolder) {
    return {(programFolder / QUIBBLY_DATA_BESIDE_INSTALLED_PROGRAM).lexically_normal(),
            (programFolder / QUIBBLY_DATA_BESIDE_BUILT_PROGRAM).lexically_normal(),
            fs::path(QUIBBLY_INSTALLED_DATA)};
}

fs::path PlayerGameFolder(const char* dataHome, const char* home) {
    // A relative XDG_DATA_HOME is invalid and is ignored, as the base
    // directory rules ask.
    if (dataHome != nullptr && fs::path(dataHome).is_absolute()) return fs::path(dataHome) / "quibbly";
    if (home != nullptr && fs::path(home).is_absolute())
        return fs::path(home) / ".local" / "share" / "quibbly";
    return {};
}

namespace {

std::string Quoted(const fs::path& path) {
    return "\"" + path.string() + "\"";
}

std::optional<std::string> ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::string SearchedIn(const std::vector<fs::path>& folders) {
    std::string text;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (i > 0) text += i + 1 == folders.size() ? " or " : ", ";
        text += Quoted(folders[i]);
    }
    return text;
}

}  // namespace

GameFolderSetup PrepareGameFolder(const std::vector<fs::path>& shippedFolders, const fs::path& folder) {
    GameFolderSetup setup{.folder = folder};
    std::error_code error;
    if (folder.empty()) {
        setup.faults.push_back("There is no game folder: neither XDG_DATA_HOME nor HOME names one.");
        return setup;
    }
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder)) {
        setup.faults.push_back("The game folder " + Quoted(folder) + " could not be made: " +
                               (error ? error.message() : "a file of that name is in the way") + ".");
        return setup;
    }

    for (const std::string& name : ShippedFiles()) {
        std::optional<std::string> shipped;
        for (const fs::path& from : shippedFolders)
            if (fs::is_regular_file(from / name, error) && (shipped = ReadWhole(from / name))) break;
        if (!shipped) {
            setup.faults.push_back("The game's file \"" + name + "\" was not found in " +
                                   SearchedIn(shippedFolders) + ".");
            continue;
        }
        // A file that is already the same is left as it is.
        if (ReadWhole(folder / name) == shipped) continue;
        const std::string fault = ReplaceFile((folder / name).string(), *shipped);
        if (!fault.empty())
            setup.faults.push_back("The game's file \"" + name + "\" could not be copied to " +
                                   Quoted(folder) + ": " + fault + ".");
    }

    fs::current_path(folder, error);
    if (error) {
        setup.faults.push_back("The game folder " + Quoted(folder) +
                               " could not be opened: " + error.message() + ".");
        return setup;
    }
    setup.entered = true;
    return setup;
}

}  // namespace quibbly
