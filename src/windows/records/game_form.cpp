// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/records/game_form.h"

#include <filesystem>

#include "platform/services.h"
#include "records/saved_game.h"

namespace quibbly {

namespace {

constexpr Colour Face = Rgb(0xF0, 0xF0, 0xF0);
const Font Small{.family = "Arial", .points = 8.25};

Look Plain(Place place) {
    return Look{.place = place, .font = Small, .centred = false};
}
Look Right(Place place) {
    return Look{.place = place, .font = Small, .centred = false, .rightAligned = true};
}
Look Entry(Place place) {
    return Look{.place = place, .font = Small, .back = Rgb(255, 255, 255), .centred = false};
}

}  // namespace

GameForm::GameForm()
    : Form(FormDesign{.caption = "Save or Load Game",
                      .clientWidth = 5310,
                      .clientHeight = 4530,
                      .back = Face,
                      .border = BorderStyle::FixedDialog,
                      .minMaxButtons = false,
                      .showInTaskbar = false,
                      .controlBox = false}),
      Frame1(*this, "Frame1", nullptr, Look{.place = {240, 240, 4815, 4095}, .back = Face}),
      Drive1(*this, "Drive1", &Frame1, Entry({2400, 360, 2055, 315})),
      Dir1(*this, "Dir1", &Frame1, Entry({240, 890, 2055, 1890})),
      File1(*this, "File1", &Frame1, Entry({2400, 890, 2175, 1845}), "*.swg"),
      Label1(*this, "Label1", &Frame1, Right({1320, 425, 975, 255}), "Label1"),
      Label2(*this, "Label2", &Frame1, Right({480, 3000, 855, 255}), "File name:"),
      FileText(*this, "FileText", &Frame1,
               Look{.place = {1440, 3000, 1965, 285},
                    .font = Small,
                    .back = Rgb(255, 255, 255),
                    .centred = false,
                    .selectOnFocus = true}),
      Label3(*this, "Label3", &Frame1, Right({480, 3480, 855, 255}), "Label3"),
      TypeCombo(*this, "TypeCombo", &Frame1, Entry({1440, 3480, 1935, 315}), "*.swg", {"*.swg", "*.*"}),
      LoadButton(*this, "LoadButton", &Frame1, Plain({3600, 3000, 975, 375}), "Load"),
      CancelButton(*this, "CancelButton", &Frame1, Plain({3600, 3480, 975, 375}), "Done") {
    FileText.SetText("Text1");
    SetTabOrder({&Drive1, &File1, &Dir1, &FileText, &LoadButton, &CancelButton, &TypeCombo});
    SetEscapeButton(CancelButton);

    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.Change = [this] { Dir1_Change(); };
    TypeCombo.Click = [this] { TypeCombo_Click(); };
    File1.Click = [this] { File1_Click(); };
    File1.DblClick = [this] { File1_DblClick(); };
    LoadButton.Click = [this] { LoadButton_Click(); };
    // Enter in the name box presses Save or Load, as the button reads.
    FileText.KeyPress = [this](Integer& key) {
        if (key != 13) return;
        key = 0;
        LoadButton.Press();
    };
    CancelButton.Click = [this] { CancelButton_Click(); };
}

std::string GameForm::ChosenPath() const {
    // One separator between folder and name, also after a root folder.
    return JoinPath(File1.Path(), FileText.Text());
}

void GameForm::Form_Load() {
    FileText.SetText(".swg");
    Show();
    Repaint();
}

// Each opening lists the folders and files as they are now, so that a game
// saved at the last opening is there to pick.
void GameForm::Form_Activate() {
    Dir1.Refresh();
    File1.Refresh();
}

// A drive that cannot be read is named in a message, and the list goes back
// to the drive of the folder that is still shown.
void GameForm::Drive1_Change() {
    std::string fault;
    if (Dir1.SetPath(Drive1.Drive(), &fault)) return;
    const std::string drive = Drive1.Drive();
    Services().MsgBox("The drive \"" + drive + "\" is not ready: " + fault + ".", MsgButtons::OK,
                      MsgIcon::Exclamation, Caption());
    const auto change = Drive1.Change;
    Drive1.Change = nullptr;
    Drive1.SetDrive(Drive1.DriveOf(Dir1.Path()));
    Drive1.Change = change;
}

void GameForm::Dir1_Change() {
    File1.SetPath(Dir1.Path());
}

void GameForm::TypeCombo_Click() {
    File1.SetPattern(TypeCombo.Text());
}

void GameForm::File1_Click() {
    FileText.SetText(File1.FileName());
}

void GameForm::File1_DblClick() {
    FileText.SetText(File1.FileName());
    LoadButton_Click();
}

// The window closes once the game is saved or loaded; a save or load that
// fails, or a game the player keeps on the board, leaves it open as it was.
void GameForm::LoadButton_Click() {
    const bool load = LoadButton.Caption() == "Load";
    // A name without an extension is a saved game's: a save gets ".swg", so
    // that the list of "*.swg" files shows it, and a load finds it so too
    // when no file has the bare name.
    const std::string name = FileText.Text();
    std::error_code error;
    if (!name.empty() && name.find('.') == std::string::npos &&
        (!load || !std::filesystem::exists(ChosenPath(), error)))
        FileText.SetText(name + ".swg");
    if (!load) {
        if (SavedGame::SaveGame(ChosenPath())) Hide();
        return;
    }
    const std::optional<SavedGame::Contents> contents = SavedGame::ReadForLoad(ChosenPath());
    if (!contents) return;
    Hide();  // before the game goes on: a replay's box and the turn stand alone
    SavedGame::Apply(*contents, "Load Game");
}

void GameForm::CancelButton_Click() {
    Hide();
}

}  // namespace quibbly
