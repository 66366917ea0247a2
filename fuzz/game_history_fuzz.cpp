// SPDX-License-Identifier: GPL-3.0-or-later
// The history's reading: the input is "History.Lst". What reads comes back
// the same when written again (load, save, load: the same records, the same
// bytes). The player gives up a game, which appends its record and keeps
// every other line; looks at the statistics of each level; and clears the
// history, which leaves exactly the lines that could not be read.
#include <string>

#include "fuzz_game.h"
#include "records/game_history.h"
#include "windows/records/statistics_form.h"

using namespace quibbly;
using namespace quibbly::fuzz;
using namespace quibbly::GameHistory;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuibblyForm& form = FreshProgram();
    const std::string input(Text(data, size));
    const History read = Parse(input);
    const std::string written = Format(read);
    Expect(Parse(written) == read, "a history written back reads otherwise");
    Expect(Format(Parse(written)) == written, "a history written twice gives other bytes");

    WriteFile(HistoryFile, input);
    Scripted().gameId = "f022";  // a record of the input may hold it
    Scripted().NextRandom(0.5);  // the computer's word: PLANT
    Scripted().NextRandom(0.9);  // the player begins
    form.YourWordText.Type("SHOUT\r");
    form.FileQuit.Choose();
    ExpectOnlyKnownBoxes(Scripted().TakeBoxes(), {"You quit the game."});
    const History after = Parse(ReadWholeFile(HistoryFile));
    Game quit{.when = Scripted().dateTime,
              .id = "f022",
              .level = "Easy",
              .score = 1,
              .yourWord = "SHOUT",
              .myWord = "PLANT"};
    if (Holds(read, quit.id)) {
        Expect(ReadWholeFile(HistoryFile) == input, "a game the history held was recorded again");
    } else {
        History expected = read;
        expected.entries.push_back(MakeEntry(quit));
        Expect(after == expected, "recording a game changed the rest of the history");
    }

    StatisticsForm& window = StatisticsForm::Instance();
    form.GameStatistics.Choose();
    int played = 0;
    for (OptionButton* level : {&window.EasyOption, &window.MediumOption, &window.HardOption}) {
        level->Press();
        played += std::stoi(window.PlayedNumber.Caption());
        Expect(window.RecentChart.Bars().size() <= RecentGames, "more recent games than the chart holds");
        Expect(window.ScoreChart.Bars().size() <= static_cast<std::size_t>(MostBars), "too many bars");
        window.CopyButton.Press();
    }
    Expect(played <= static_cast<int>(after.entries.size()) - after.Damaged(),
           "more games counted than held");
    Expect(window.NoteLabel.Visible() == (after.Damaged() > 0), "damaged records not told");

    Scripted().Answer(MsgAnswer::Yes);
    window.ClearButton.Press();
    // The lines that could not be read stay, in order and verbatim; how they
    // group into pieces may differ once the records between them are gone (a
    // key that repeated one of a record's began a piece of its own there).
    auto lines = [](const History& history, bool damagedOnly) {
        std::vector<std::string> all;
        for (const Entry& entry : history.entries)
            if (!damagedOnly || !entry.game) all.insert(all.end(), entry.lines.begin(), entry.lines.end());
        return all;
    };
    Expect(lines(Parse(ReadWholeFile(HistoryFile)), false) == lines(after, true),
           "clearing lost a line that could not be read");
    return 0;
}
