// SPDX-License-Identifier: GPL-3.0-or-later
// Two copies of the game in one folder, as two processes: both win while the
// other's list is open, both press OK at once, and both wins are kept.
#include <sys/wait.h>
#include <unistd.h>

#include "platform/atomic_file.h"
#include "records/winners_list.h"
#include "support/fresh_game.h"
#include "windows/other/player_form.h"
#include "windows/other/winners_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class TwoCopies : public FreshGame {};

TEST_F(TwoCopies, BothWinsAreKeptWhenTwoCopiesWriteTheListAtOnce) {
    WriteWordFiles();
    WriteLines(WinnersFile,
               {"Old         Easy    5 Guesses  1/2/26", "Mo          Medium  4 Guesses  1/2/26"});
    Start("PLANT", 0, 2, true);
    Boxes();

    int ready[2];
    int go[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(go), 0);
    pid_t copies[2];
    const char* names[] = {"Ann", "Bob"};
    for (int i = 0; i < 2; ++i) {
        copies[i] = ::fork();
        ASSERT_GE(copies[i], 0);
        if (copies[i] != 0) continue;
        // A copy of the game: it wins, its list is shown with its own row,
        // and it waits for the other copy to get that far before OK.
        Guess(MyWord);
        PlayerForm::Instance().NameText.Type(std::string(names[i]) + "\r");
        const bool shown = WinnersForm::Instance().Visible();
        char byte = shown ? 'r' : 'x';
        const bool told = ::write(ready[1], &byte, 1) == 1;
        const bool went = ::read(go[0], &byte, 1) == 1;
        WinnersForm::Instance().OKButton.Press();
        ::_exit(shown && told && went ? 0 : 1);
    }
    ::close(ready[1]);
    ::close(go[0]);
    std::string told;
    char byte = 0;
    while (told.size() < 2 && ::read(ready[0], &byte, 1) == 1) told.push_back(byte);
    EXPECT_EQ(told, "rr");
    {
        // Both copies reach their write together, held at the lock.
        FolderLock lock(folder.string());
        EXPECT_TRUE(lock.Held());
        EXPECT_EQ(::write(go[1], "gg", 2), 2);
        ::usleep(200 * 1000);
    }
    for (pid_t copy : copies) {
        int status = 0;
        ASSERT_EQ(::waitpid(copy, &status, 0), copy);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string list = ReadBytes(WinnersFile);
    const std::string ann = "Ann         Easy    1 Guesses  05/12/2026\r\n";
    const std::string bob = "Bob         Easy    1 Guesses  05/12/2026\r\n";
    // Other levels first, then the level ranked; equal wins in the order written.
    EXPECT_TRUE(list == "Mo          Medium  4 Guesses  1/2/26\r\n" + ann + bob +
                            "Old         Easy    5 Guesses  1/2/26\r\n" ||
                list == "Mo          Medium  4 Guesses  1/2/26\r\n" + bob + ann +
                            "Old         Easy    5 Guesses  1/2/26\r\n")
        << list;
}

}  // namespace
}  // namespace quibbly::testing
