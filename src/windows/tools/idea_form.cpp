// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/tools/idea_form.h"

#include <algorithm>

#include "engine/functions.h"
#include "platform/services.h"
#include "windows/main/quibbly_form.h"
#include "windows/tools/tool_windows.h"

namespace quibbly {

using namespace tools;

IdeaForm::IdeaForm()
    : Form(ToolDesign(4335, 2235, "Idea")),
      TitleLabel(*this, "TitleLabel", nullptr, Look{.place = {120, 240, 4095, 375}}),
      IdeaLabel(*this, "IdeaLabel", nullptr, Look{.place = {1200, 720, 1935, 495}, .border = true}),
      OKButton(*this, "OKButton", nullptr, ButtonLook({240, 1560, 1215, 435}), "Use Word"),
      NewButton(*this, "NewButton", nullptr, ButtonLook({1560, 1560, 1215, 435}), "New Word"),
      CancelButton(*this, "CancelButton", nullptr, ButtonLook({2880, 1560, 1215, 435}), "Cancel") {
    SetTabOrder({&OKButton, &NewButton, &CancelButton});
    SetEscapeButton(CancelButton);
    NewButton.Click = [this] { NewButton_Click(); };
    OKButton.Click = [this] { OKButton_Click(); };
    CancelButton.Click = [this] { CancelButton_Click(); };
}

// The level's words are loaded once per level and shared with the choice of
// the computer's word; a level file that cannot be used is reported as at
// the start of a game, and the window closes without a suggestion.
void IdeaForm::Form_Activate() {
    using namespace Functions;
    QuibblyForm& main = QuibblyForm::Instance();
    const std::string level = main.GameLabel.Caption();
    if (level != LoadedLevel || LoadedLevel.empty()) {
        if (!LoadLevelWords()) {
            Hide();
            return;
        }
        LoadedLevel = level;
    }
    Services().Randomize();
    TitleLabel.SetCaption((main.LevelEasy.Checked() ? "Here is an " : "Here is a ") + level + " word:");
    DrawWord();
    SetFocus(&NewButton);
    Repaint();
}

void IdeaForm::Form_Deactivate() {
    Hide();
}

void IdeaForm::DrawWord() {
    using Functions::LevelWordCount;
    const int k = static_cast<int>(LevelWordCount * Services().Rnd()) + 1;
    IdeaWord = Functions::LevelWords[static_cast<std::size_t>(std::clamp(k, 1, Functions::MaxLevelWords))];
    IdeaLabel.SetCaption(IdeaWord);
}

void IdeaForm::NewButton_Click() {
    Services().Randomize();
    DrawWord();
}

void IdeaForm::OKButton_Click() {
    QuibblyForm& main = QuibblyForm::Instance();
    if (main.YourWordText.Enabled()) {
        main.YourWordText.SetText(IdeaLabel.Caption());
        main.YourWordText.SetFocus();
    }
    Hide();
}

void IdeaForm::CancelButton_Click() {
    Hide();
}

}  // namespace quibbly
