// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/tools/match_form.h"

#include "engine/functions.h"
#include "windows/main/quibbly_form.h"
#include "windows/tools/tool_windows.h"

namespace quibbly {

using namespace tools;

namespace {

Look Heading(Place place) {
    return Look{.place = place, .font = Font{.family = "Arial"}};
}

}  // namespace

MatchForm::MatchForm()
    : Form(ToolDesign(4575, 3195, "Match")),
      Label1(*this, "Label1", nullptr, Heading({120, 120, 4335, 375}), "Match your letters to my word"),
      MatchLabel(*this, "MatchLabel", nullptr, Look{.place = {1080, 600, 2415, 495}, .border = true},
                 "- - - - -"),
      Label2(*this, "Label2", nullptr, Heading({120, 1260, 4335, 375}), "Enter your letters"),
      MatchText(*this, "MatchText", nullptr, Look{.place = {1440, 1680, 1695, 495}, .back = White}, 5),
      MatchButton(*this, "MatchButton", nullptr, ButtonLook({480, 2460, 1695, 435}), "Match Letters"),
      DoneButton(*this, "DoneButton", nullptr, ButtonLook({2400, 2460, 1695, 435}), "Done") {
    SetTabOrder({&MatchText, &MatchButton, &DoneButton});
    SetEscapeButton(DoneButton);
    MatchText.KeyPress = [this](Integer& key) { MatchText_KeyPress(key); };
    MatchButton.Click = [this] { MatchButton_Click(); };
    DoneButton.Click = [this] { DoneButton_Click(); };
}

void MatchForm::Form_Activate() {
    MatchButton.SetEnabled(true);
    SetTop(QuibblyForm::Instance().Top() + 1200);
    MatchText.SetFocus();
    Repaint();
}

void MatchForm::MatchText_KeyPress(Integer& keyAscii) {
    if (keyAscii == Enter) {
        keyAscii = 0;
        MatchButton_Click();
        return;
    }
    Capitalise(keyAscii);
}

// Each letter of the computer's word shows in its place when it is among the
// typed letters; the order and repetition of the typed letters play no part.
// A computer's word shorter than five letters (none is drawn yet) shows a
// hyphen where it has no letter.
void MatchForm::MatchButton_Click() {
    const std::string& mine = Functions::MyWord;
    const std::string& typed = MatchText.Text();
    std::string result;
    for (std::size_t i = 0; i < 5; ++i) {
        if (i < mine.size() && typed.find(mine[i]) != std::string::npos)
            result += mine[i];
        else
            result += "- ";
    }
    MatchLabel.SetCaption(result);
    QuibblyForm::Instance().WordMatch.SetEnabled(false);
    MatchButton.SetEnabled(false);
    SetFocus(&DoneButton);
}

void MatchForm::DoneButton_Click() {
    Hide();
}

}  // namespace quibbly
