// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/tools/series_form.h"

#include "engine/functions.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "windows/main/quibbly_form.h"
#include "windows/tools/tool_windows.h"

namespace quibbly {

using namespace tools;

SeriesForm::SeriesForm()
    : Form(ToolDesign(4575, 5235, "Series")),
      Label1(*this, "Label1", nullptr, Look{.place = {120, 120, 4335, 375}},
             "Show the series for this word:"),
      WordText(*this, "WordText", nullptr, Look{.place = {1320, 600, 1935, 435}, .back = White}, 5),
      SeriesList(*this, "SeriesList", nullptr, Look{.place = {240, 1200, 4095, 2775}, .back = White}),
      ProgressBar(*this, "ProgressBar", nullptr, Look{.place = {240, 4080, 4095, 255}}),
      ShowButton(*this, "ShowButton", nullptr, ButtonLook({240, 4560, 1275, 435}), "Show Series"),
      ResetButton(*this, "ResetButton", nullptr, ButtonLook({1650, 4560, 1275, 435}), "Reset"),
      DoneButton(*this, "DoneButton", nullptr, ButtonLook({3060, 4560, 1275, 435}), "Done") {
    SetTabOrder({&WordText, &SeriesList, &ShowButton, &ResetButton, &DoneButton});
    SetEscapeButton(DoneButton);
    WordText.KeyPress = [this](Integer& key) { WordText_KeyPress(key); };
    ShowButton.Click = [this] { ShowButton_Click(); };
    DoneButton.Click = [this] { DoneButton_Click(); };
    ResetButton.Click = [this] { ResetButton_Click(); };
    SeriesList.Click = [this] { SeriesList_Click(); };
}

void SeriesForm::Form_Activate() {
    SetTop(QuibblyForm::Instance().Top() + 800);
    WordText.SetFocus();
    Repaint();
}

void SeriesForm::WordText_KeyPress(Integer& keyAscii) {
    if (keyAscii == Enter) {
        keyAscii = 0;
        ShowButton_Click();
        return;
    }
    Capitalise(keyAscii);
}

void SeriesForm::ShowButton_Click() {
    const SearchRun run(running_);
    if (!run.Started()) return;
    ShowButton.SetEnabled(false);
    ResetButton.SetEnabled(false);
    DoneButton.SetCaption("Stop");
    Searching = true;
    Search();
    ShowButton.SetEnabled(true);
    ResetButton.SetEnabled(true);
    DoneButton.SetCaption("Done");
}

// Only the dictionary's count is read, as the number of base lines to
// expect. The series file is read line by line with a yield before each
// line until the word's series is found; the series itself is read without
// yielding. A file that ends inside the series lists what it holds.
void SeriesForm::Search() {
    std::string line;
    {
        TextFileReader master("master.wtf");
        if (!master.IsOpen()) {
            Functions::ReportFileFault("master.wtf", "is missing or cannot be read");
            return;
        }
        master.ReadLine(line);
    }
    ProgressBar.SetMax(NumericValue(line));
    ProgressBar.SetValue(0);

    constexpr const char* File = "series.wtf";
    TextFileReader in(File);
    if (!in.IsOpen()) {
        Functions::ReportFileFault(File, "is missing or cannot be read");
        return;
    }
    bool notFound = true;
    bool more = in.ReadLine(line);
    while (notFound && Searching && more) {
        Services().DoEvents();
        if (line.size() == 5 && ProgressBar.Value() < ProgressBar.Max()) {
            ProgressBar.SetValue(ProgressBar.Value() + 1);
            if (ProgressBar.Value() % 38 == 0) ProgressBar.Repaint();
        }
        // An empty box heads no series, even where the file has a blank line.
        const std::string word = WordText.Text();
        if (!word.empty() && line == word) {
            SeriesList.AddItem(word);
            notFound = false;
            while (in.ReadLine(line) && line.size() > 5) {
                SeriesList.AddItem(line);
                SeriesList.Repaint();
            }
        }
        more = notFound && in.ReadLine(line);
    }
    if (in.Failed()) Functions::ReportFileFault(File, "cannot be read to its end");
    ProgressBar.SetValue(ProgressBar.Max());
}

void SeriesForm::DoneButton_Click() {
    if (DoneButton.Caption() != "Done") {
        Searching = false;
        ShowButton.SetEnabled(true);
        ResetButton.SetEnabled(true);
        DoneButton.SetCaption("Done");
        return;
    }
    Hide();
}

void SeriesForm::ResetButton_Click() {
    WordText.SetText("");
    SeriesList.Clear();
}

void SeriesForm::SeriesList_Click() {
    if (SeriesList.ListIndex() < 0) return;
    QuibblyForm::Instance().YourGuessText.SetText(SeriesList.List(SeriesList.ListIndex()).substr(0, 5));
    Hide();
}

}  // namespace quibbly
