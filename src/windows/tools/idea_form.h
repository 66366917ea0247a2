// SPDX-License-Identifier: GPL-3.0-or-later
// The Idea window: suggests a random word of the current level that the
// player can take as the secret word for the next game.
#pragma once

#include <string>

#include "platform/controls.h"
#include "platform/form.h"

namespace quibbly {

class IdeaForm : public Form {
public:
    IdeaForm();
    static IdeaForm& Instance() { return Forms::Instance<IdeaForm>(); }

    Label TitleLabel;
    Label IdeaLabel;
    Button OKButton;
    Button NewButton;
    Button CancelButton;

    // The current suggestion.
    std::string IdeaWord;

    void Form_Activate() override;
    // The window goes as soon as another window of the program is activated.
    void Form_Deactivate() override;
    void NewButton_Click();
    void OKButton_Click();
    void CancelButton_Click();

private:
    void DrawWord();
};

}  // namespace quibbly
