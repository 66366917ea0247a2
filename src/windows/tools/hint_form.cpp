// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/tools/hint_form.h"

#include "engine/functions.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "windows/main/quibbly_form.h"
#include "windows/tools/tool_windows.h"

namespace quibbly {

using namespace tools;

namespace {

Look Text(Place place, std::optional<Colour> back = std::nullopt, bool centred = true) {
    return Look{.place = place, .back = back, .centred = centred};
}

}  // namespace

HintForm::HintForm()
    : Form(ToolDesign(4815, 6495, "Hint")),
      Label2(*this, "Label2", nullptr, Text({120, 120, 4575, 375}), "How many words do you want to see?"),
      Frame1(*this, "Frame1", nullptr, Look{.place = {240, 600, 4335, 2055}, .back = Pink}),
      AllOption(*this, "AllOption", &Frame1, Text({240, 180, 3855, 375}, Pink), "Show all words.", true),
      // The blanks leave room for NumberText, which stands over them.
      SomeOption(*this, "SomeOption", &Frame1, Text({240, 600, 3855, 375}, Pink), "Show            words."),
      NumberText(*this, "NumberText", &Frame1, Text({1200, 570, 780, 435}, White)),
      Label1(*this, "Label1", &Frame1, Text({240, 1080, 3855, 375}, Pink, false),
             "that contain these letters:"),
      LettersText(*this, "LettersText", &Frame1, Text({1200, 1485, 1935, 435}, White), 5),
      HintList(*this, "HintList", nullptr, Text({240, 2820, 4335, 2415}, White)),
      ProgressBar(*this, "ProgressBar", nullptr, Look{.place = {240, 5340, 4335, 255}}),
      ShowButton(*this, "ShowButton", nullptr, ButtonLook({240, 5790, 1335, 435}), "Show Words"),
      ResetButton(*this, "ResetButton", nullptr, ButtonLook({1740, 5790, 1335, 435}), "Reset"),
      DoneButton(*this, "DoneButton", nullptr, ButtonLook({3240, 5790, 1335, 435}), "Done") {
    NumberText.SetText("10");
    SetTabOrder({&AllOption, &SomeOption, &NumberText, &LettersText, &HintList, &ShowButton, &ResetButton,
                 &DoneButton});
    SetEscapeButton(DoneButton);
    LettersText.KeyPress = [this](Integer& key) { LettersText_KeyPress(key); };
    ShowButton.Click = [this] { ShowButton_Click(); };
    DoneButton.Click = [this] { DoneButton_Click(); };
    ResetButton.Click = [this] { ResetButton_Click(); };
    HintList.Click = [this] { HintList_Click(); };
}

void HintForm::Form_Activate() {
    SetTop(QuibblyForm::Instance().Top() + 900);
    LettersText.SetFocus();
    Repaint();
}

void HintForm::LettersText_KeyPress(Integer& keyAscii) {
    if (keyAscii == Enter) {
        keyAscii = 0;
        ShowButton_Click();
        return;
    }
    Capitalise(keyAscii);
}

void HintForm::ShowButton_Click() {
    const SearchRun run(running_);
    if (!run.Started()) return;
    ShowButton.SetEnabled(false);
    ResetButton.SetEnabled(false);
    DoneButton.SetCaption("Stop");
    Searching = true;
    HintList.Clear();
    Search();
    ShowButton.SetEnabled(true);
    ResetButton.SetEnabled(true);
    DoneButton.SetCaption("Done");
}

// The dictionary is read line by line and never kept. Each word is preceded
// by a yield, so a click on Stop, on a listed word or typing in LettersText
// is handled while the search goes on; the letters are read afresh for each
// word.
void HintForm::Search() {
    constexpr const char* File = "master.wtf";
    TextFileReader in(File);
    if (!in.IsOpen()) {
        Functions::ReportFileFault(File, "is missing or cannot be read");
        return;
    }
    std::string line;
    in.ReadLine(line);
    const double total = NumericValue(line);
    ProgressBar.SetMax(total);
    ProgressBar.SetValue(0);
    const double limit = AllOption.Value() ? total : NumericValue(NumberText.Text());
    if (LettersText.Text().empty()) return;

    double found = 0;
    bool more = in.ReadLine(line);
    while (Searching && limit > 0 && found < limit && more) {
        Services().DoEvents();
        const std::string word = line.substr(0, 5);
        // A dictionary longer than its first line says leaves the bar full.
        if (ProgressBar.Value() < ProgressBar.Max()) {
            ProgressBar.SetValue(ProgressBar.Value() + 1);
            if (ProgressBar.Value() % 37 == 0) ProgressBar.Repaint();
        }
        const std::string letters = LettersText.Text();
        std::size_t hits = 0;
        for (char letter : letters)
            if (word.find(letter) != std::string::npos) ++hits;
        if (hits == letters.size()) {
            ++found;
            HintList.AddItem(word);
            HintList.Repaint();
        }
        more = in.ReadLine(line);
    }
    if (in.Failed()) Functions::ReportFileFault(File, "cannot be read to its end");
}

void HintForm::DoneButton_Click() {
    if (DoneButton.Caption() != "Done") {
        Searching = false;
        ShowButton.SetEnabled(true);
        ResetButton.SetEnabled(true);
        DoneButton.SetCaption("Done");
        return;
    }
    Hide();
}

void HintForm::ResetButton_Click() {
    AllOption.SetValue(true);
    SomeOption.SetValue(false);
    NumberText.SetText("10");
    LettersText.SetText("");
    HintList.Clear();
}

void HintForm::HintList_Click() {
    if (HintList.ListIndex() < 0) return;
    QuibblyForm::Instance().YourGuessText.SetText(HintList.List(HintList.ListIndex()));
}

}  // namespace quibbly
