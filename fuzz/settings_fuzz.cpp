// SPDX-License-Identifier: GPL-3.0-or-later
// The setting's reading: the input is "Settings.Lst". What reads comes back
// the same when written again; the Game menu's Today's Word takes the file's
// state at the start, switching it keeps every level's day begun, and a
// start plays on whatever the file holds.
#include <string>

#include "engine/functions.h"
#include "fuzz_game.h"
#include "records/game_history.h"
#include "records/todays_word.h"

using namespace quibbly;
using namespace quibbly::fuzz;
using namespace quibbly::TodaysWord;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuibblyForm& form = FreshProgram();
    const std::string input(Text(data, size));
    const Settings read = ParseSettings(input);
    Expect(ParseSettings(FormatSettings(read)) == read, "settings written back read otherwise");

    WriteFile(SettingsFile, input);
    form.Form_Load();
    Expect(form.GameTodaysWord.Checked() == read.on, "the item is not as the file says");
    form.GameTodaysWord.Choose();
    Expect(LoadSettings() == Settings{!read.on, read.started}, "switching the item changed the days begun");

    Scripted().NextRandom(0.5);
    Scripted().NextRandom(0.9);  // the player begins
    form.YourWordText.Type("SHOUT\r");
    ExpectOnlyKnownBoxes(Scripted().TakeBoxes(), {"Today's Word"});
    Expect(Functions::GameUnrecorded && !Functions::MyWord.empty(), "no game started");
    const auto begun = read.started.find("Easy");
    const bool dayBegun = begun != read.started.end() && begun->second == Scripted().LocalDate();
    Expect(BoardCounted == (!read.on && !dayBegun), "the day's game counted wrongly");
    return 0;
}
