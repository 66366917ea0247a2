// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a saved game through the save-and-load window: the input is the
// file "game.swg". During a game the player chooses File > Load Game, types
// the name and presses Load. Either the file is refused with a message that
// names it and the board stays as it was, or the game under way is given up
// and the loaded game plays on for a few turns on both sides. The same bytes left behind as the kept game in
// progress are offered at the next start: a file that cannot be loaded is
// named once and moved aside whole, and play goes on.
#include <filesystem>
#include <string>

#include "engine/functions.h"
#include "fuzz_game.h"
#include "records/kept_game.h"
#include "records/saved_game.h"
#include "round_trip.h"
#include "windows/records/game_form.h"

using namespace quibbly;
using namespace quibbly::fuzz;

namespace {

std::vector<std::string> Board(QuibblyForm& form) {
    std::vector<std::string> board{Functions::MyWord,        form.TurnLabel.Caption(),
                                   form.WhoLabel.Caption(),  form.GameLabel.Caption(),
                                   form.YourWordText.Text(), form.MyGuessText.Text()};
    for (const ListBox* list : {&form.YourGuessList, &form.MyGuessList})
        board.insert(board.end(), list->Rows().begin(), list->Rows().end());
    return board;
}

void ExpectKeptGameOffered(std::string_view input) {
    using Functions::Play;
    QuibblyForm& form = FreshProgram();
    WriteFile(KeptGame::KeptFile, input);
    Scripted().Answer(MsgAnswer::Yes);
    KeptGame::OfferAtStart();
    const std::vector<ShownBox> boxes = Scripted().TakeBoxes();
    Expect(!boxes.empty() && boxes.front().title == "Unfinished Game", "a kept game that is not offered");
    if (boxes.front().icon == MsgIcon::Exclamation) {
        Expect(boxes.size() == 1 &&
                   boxes.front().text.find("\"Unfinished.Gam\" cannot be loaded: ") != std::string::npos,
               "a kept game that cannot be loaded is not named once");
        Expect(!std::filesystem::exists(KeptGame::KeptFile) && ReadWholeFile("Unfinished.Bad") == input,
               "a kept game that cannot be loaded was not moved aside whole");
        form.YourWordText.SetText("SHOUT");
        form.GameStart.Choose();
        Expect(Functions::PlayState == Play::YourTurn || Functions::PlayState == Play::MyTurn,
               "no new game after a kept game that cannot be loaded");
        return;
    }
    ExpectOnlyKnownBoxes(boxes, {"Unfinished Game", "Word File Error"});
    // Continued: kept again as it now stands, unless it had ended.
    const bool underWay = Functions::PlayState == Play::YourTurn || Functions::PlayState == Play::MyTurn;
    Expect(ReadWholeFile(KeptGame::KeptFile) ==
               (underWay ? SavedGame::Format(SavedGame::Capture()) : std::string("<missing>")),
           "a continued game is not kept as it stands");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ExpectKeptGameOffered(Text(data, size));
    QuibblyForm& form = GameUnderWay();
    form.YourGuessText.Type("CRISP\r");
    Scripted().TakeBoxes();
    const std::vector<std::string> before = Board(form);

    WriteFile("game.swg", Text(data, size));
    form.FileLoad.Choose();
    GameForm::Instance().FileText.SetText("game.swg");
    Scripted().Answer(MsgAnswer::Yes);  // the game under way is given up for the load
    GameForm::Instance().LoadButton.Press();
    std::vector<ShownBox> boxes = Scripted().TakeBoxes();
    if (!boxes.empty() && boxes.front().buttons == MsgButtons::OK) {
        Expect(boxes.size() == 1, "more than one box for a refused saved game");
        Expect(boxes.front().text.find("game.swg\"") != std::string::npos,
               "a refusal that does not name the file");
        Expect(Board(form) == before, "a refused saved game changed the board");
        return 0;
    }
    Expect(!boxes.empty() && boxes.front().title == "Load Game", "a game under way left without asking");
    ExpectOnlyKnownBoxes(boxes, {"Load Game", "You quit the game.", "Word File Error"});

    // The loaded game plays on: the player guesses and answers.
    for (int step = 0; step < 4 && Functions::GameOn; ++step) {
        Expect(form.MyGuessText.Text().size() <= 5, "a computer guess of more than five letters");
        if (form.GuessButton.Enabled())
            form.YourGuessText.Type(step % 2 ? "BLIMP\r" : "HOUSE\r");
        else if (form.ZeroButton.Enabled())
            form.CountButtons()[static_cast<std::size_t>(step) % 6]->Press();
        else
            break;
        Scripted().TakeBoxes();
    }
    ExpectSavedGameRoundTrip(std::string(Text(data, size)));
    return 0;
}
