// SPDX-License-Identifier: GPL-3.0-or-later
// The Series window: shows the series that the series file holds for a word,
// the word and its swap lines.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace quibbly {

class SeriesForm : public Form {
public:
    SeriesForm();
    static SeriesForm& Instance() { return Forms::Instance<SeriesForm>(); }

    Label Label1;
    TextBox WordText;
    ListBox SeriesList;
    quibbly::ProgressBar ProgressBar;
    Button ShowButton;
    Button ResetButton;
    Button DoneButton;

    // True while a search runs; "Stop" sets it false.
    bool Searching = false;

    void Form_Activate() override;
    void WordText_KeyPress(Integer& keyAscii);
    void ShowButton_Click();
    void DoneButton_Click();
    void ResetButton_Click();
    void SeriesList_Click();

private:
    void Search();
    bool running_ = false;
};

}  // namespace quibbly
