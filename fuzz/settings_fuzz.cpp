// SPDX-License-Identifier: GPL-3.0-or-later
// "Settings.Lst": what reads comes back the same; Today's Word takes the file's
// state, switching it keeps the days begun, and a start plays on any file.
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
    Expect(BoardDate.empty() == (read.on || dayBegun), "the day's game counted wrongly");
    return 0;
}
