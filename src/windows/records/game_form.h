// SPDX-License-Identifier: GPL-3.0-or-later
// The save-and-load window: the player picks a drive, a folder and a file,
// and LoadButton loads or saves the game there, by its caption.
#pragma once

#include "platform/controls.h"
#include "platform/file_lists.h"
#include "platform/form.h"

namespace quibbly {

class GameForm : public Form {
public:
    GameForm();
    static GameForm& Instance() { return Forms::Instance<GameForm>(); }

    Frame Frame1;
    DriveList Drive1;
    DirList Dir1;
    FileList File1;
    Label Label1;
    Label Label2;
    TextBox FileText;
    Label Label3;
    ComboBox TypeCombo;
    Button LoadButton;
    Button CancelButton;

    // The file LoadButton uses: the file list's folder and the name box.
    std::string ChosenPath() const;

    void Form_Load() override;
    void Form_Activate() override;
    void Drive1_Change();
    void Dir1_Change();
    void TypeCombo_Click();
    void File1_Click();
    void File1_DblClick();
    void LoadButton_Click();
    void CancelButton_Click();
};

}  // namespace quibbly
