// SPDX-License-Identifier: GPL-3.0-or-later
// The player's game folder: filled at the first start, then kept up to date around the player's files.
#include "app/game_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include "support/fresh_game.h"

namespace quibbly {
namespace {

namespace fs = std::filesystem;

using testing::ReadBytes;
using testing::WriteBytes;

ino_t Inode(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

class GameFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        root_ = fs::temp_directory_path() / ("quibbly-folder-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(shipped_ = root_ / "share" / "quibbly");
        for (const std::string& name : ShippedFiles()) WriteBytes(shipped_ / name, "2\r\n" + name + "\r\n");
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }

    fs::path previous_, root_, shipped_;
};

TEST_F(GameFolder, IsFilledThenKeptUpToDateWithoutTouchingThePlayersFiles) {
    EXPECT_EQ(PlayerGameFolder(nullptr, "/home/ann"), fs::path("/home/ann/.local/share/quibbly"));
    EXPECT_EQ(PlayerGameFolder("/data", "/home/ann"), fs::path("/data/quibbly"));
    EXPECT_EQ(PlayerGameFolder("data", "/home/ann"), fs::path("/home/ann/.local/share/quibbly"));
    EXPECT_TRUE(PlayerGameFolder(nullptr, nullptr).empty());
    // An installed program finds the files under the prefix it was installed to.
    EXPECT_EQ(ShippedFolders(root_ / "bin").front(), shipped_);

    // The first start: a folder that does not hold the files is passed over.
    const fs::path game = PlayerGameFolder(nullptr, (root_ / "home").c_str());
    const std::vector<fs::path> folders{root_ / "build" / "data", shipped_};
    GameFolderSetup setup = PrepareGameFolder(folders, game);
    EXPECT_TRUE(setup.entered && setup.faults.empty() && fs::current_path() == game);
    for (const std::string& name : ShippedFiles())
        EXPECT_EQ(ReadBytes(name), ReadBytes((shipped_ / name).string())) << name;

    // The player plays, saves and edits a word file; a new version ships another dictionary.
    for (const char* kept : {"Win.Lst", "monday.swg"}) WriteBytes(kept, kept);
    WriteBytes("easy.wtf", "1\r\nXXXXX\r\n");
    WriteBytes(shipped_ / "master.wtf", "3\r\nHOUSE\r\nMOUSE\r\nPLANT\r\n");
    const ino_t hard = Inode("hard.wtf");
    fs::current_path(previous_);
    setup = PrepareGameFolder(folders, game);
    EXPECT_TRUE(setup.entered && setup.faults.empty());
    EXPECT_EQ(ReadBytes("easy.wtf"), ReadBytes((shipped_ / "easy.wtf").string()));
    EXPECT_EQ(ReadBytes("master.wtf"), "3\r\nHOUSE\r\nMOUSE\r\nPLANT\r\n");
    EXPECT_EQ(Inode("hard.wtf"), hard);  // the same already: not written again
    for (const char* kept : {"Win.Lst", "monday.swg"}) EXPECT_EQ(ReadBytes(kept), kept);
    // No temporary file left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(game), {}), std::ssize(ShippedFiles()) + 2);

    // A shipped file that has gone is named with where it was sought; the last copy stays in use.
    fs::remove(shipped_ / "hard.wtf");
    setup = PrepareGameFolder(folders, game);
    EXPECT_TRUE(setup.entered);
    EXPECT_EQ(setup.faults,
              std::vector<std::string>{"The game's file \"hard.wtf\" was not found in \"" +
                                       folders[0].string() + "\" or \"" + shipped_.string() + "\"."});
    EXPECT_EQ(ReadBytes((game / "hard.wtf").string()), "2\r\nhard.wtf\r\n");

    // A file where the folder should be: the game cannot start.
    fs::current_path(previous_);
    WriteBytes(root_ / "blocked", "");
    setup = PrepareGameFolder(folders, root_ / "blocked");
    ASSERT_TRUE(!setup.entered && !setup.faults.empty() && fs::current_path() == previous_);
    EXPECT_NE(setup.faults.back().find("\"" + (root_ / "blocked").string() + "\""), std::string::npos);
}

}  // namespace
}  // namespace quibbly
