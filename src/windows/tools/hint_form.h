// SPDX-License-Identifier: GPL-3.0-or-later
// The Hint window: lists the dictionary words that hold all the letters the
// player types, and can be stopped in the middle of its search.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace quibbly {

class HintForm : public Form {
public:
    HintForm();
    static HintForm& Instance() { return Forms::Instance<HintForm>(); }

    Label Label2;
    Frame Frame1;
    OptionButton AllOption;
    OptionButton SomeOption;
    TextBox NumberText;
    Label Label1;
    TextBox LettersText;
    ListBox HintList;
    quibbly::ProgressBar ProgressBar;
    Button ShowButton;
    Button ResetButton;
    Button DoneButton;

    // True while a search runs; "Stop" sets it false.
    bool Searching = false;

    void Form_Activate() override;
    void LettersText_KeyPress(Integer& keyAscii);
    void ShowButton_Click();
    void DoneButton_Click();
    void ResetButton_Click();
    void HintList_Click();

private:
    void Search();
    bool running_ = false;
};

}  // namespace quibbly
