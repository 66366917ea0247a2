// SPDX-License-Identifier: GPL-3.0-or-later
// The winners list's reading: the input is "Win.Lst". The player wins a game,
// which ranks the win against the list; types a name if asked; presses OK in
// the winners window, which writes the list back; and looks at the list again
// through Game > Winners. A list that cannot be read is named and left on the
// disk as it was; one that can is written back whole, with the new win.
#include <string>

#include "engine/functions.h"
#include "fuzz_game.h"
#include "records/winners_list.h"
#include "round_trip.h"
#include "windows/records/player_form.h"
#include "windows/records/winners_form.h"

using namespace quibbly;
using namespace quibbly::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuibblyForm& form = GameUnderWay();
    const std::string input(Text(data, size));
    WriteFile("Win.Lst", input);
    form.YourGuessText.Type("PLANT\r");
    Expect(!Functions::GameOn, "the player's win did not end the game");

    PlayerForm& name = PlayerForm::Instance();
    const bool asked = name.Visible();
    if (asked) name.NameText.Type("FUZZER\r");
    WinnersForm& winners = WinnersForm::Instance();
    Expect(winners.Visible(), "no winners window after a win");
    Expect(winners.WinnersList.ListCount() <= Functions::TopScoreRows, "more rows shown than a list holds");
    winners.OKButton.Press();

    const std::vector<ShownBox> boxes = Scripted().TakeBoxes();
    ExpectOnlyKnownBoxes(boxes, {"You win!!", "Winners List", ""});
    bool fault = false;
    for (const ShownBox& box : boxes)
        if (box.title == "Winners List") {
            fault = true;
            Expect(box.text.find("\"Win.Lst\"") != std::string::npos,
                   "a winners list fault without the file's name");
        }
    const std::string written = ReadWholeFile("Win.Lst");
    if (fault) {
        Expect(written == input, "a winners list that could not be read was changed on the disk");
    } else if (asked) {
        Expect(written.find("FUZZER") != std::string::npos,
               "the player's win is not in the list written back");
    }

    // The list as written reads back without a fault.
    if (!fault) {
        form.GameWinners.Choose();
        const std::vector<ShownBox> later = Scripted().TakeBoxes();
        Expect(later.empty(), "the list the game wrote cannot be read back");
        Expect(winners.WinnersList.ListCount() <= Functions::TopScoreRows,
               "more rows shown than a list holds");
        winners.OKButton.Press();
        Expect(ReadWholeFile("Win.Lst") == written || later.size() > 0, "looking at the list changed it");
    }
    ExpectWinnersKeptThroughAWin(input);
    return 0;
}
