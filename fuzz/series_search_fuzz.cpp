// SPDX-License-Identifier: GPL-3.0-or-later
// The Series window's scan: the input is "series.wtf", then, after a line
// "=====", "master.wtf" (whose count line sizes the progress bar). During a
// game the player opens Word > Series and asks for the series of HOUSE. The
// list is empty or begins with HOUSE followed by its longer lines, the
// progress bar stays within its range, and a fault names its file.
#include <string>

#include "engine/functions.h"
#include "fuzz_game.h"
#include "windows/tools/series_form.h"

using namespace quibbly;
using namespace quibbly::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuibblyForm& form = GameUnderWay();
    const auto [series, master] = SplitAtLine(Text(data, size), "=====");
    WriteFile("series.wtf", series);
    if (!master.empty()) WriteFile("master.wtf", master);

    form.WordSeries.Choose();
    SeriesForm& window = SeriesForm::Instance();
    window.WordText.Type("house");
    window.ShowButton.Press();
    const std::vector<std::string>& rows = window.SeriesList.Rows();
    if (!rows.empty()) {
        Expect(rows.front() == "HOUSE", "a series that does not begin with its word");
        for (std::size_t i = 1; i < rows.size(); ++i)
            Expect(rows[i].size() > 5, "a series line of five characters or fewer");
    }
    Expect(window.ProgressBar.Value() >= 0 && window.ProgressBar.Value() <= window.ProgressBar.Max(),
           "the progress bar beyond its range");
    Expect(window.DoneButton.Caption() == "Done", "the search did not end");

    const std::vector<ShownBox> boxes = Scripted().TakeBoxes();
    ExpectOnlyKnownBoxes(boxes, {"Word File Error"});
    for (const ShownBox& box : boxes)
        Expect(box.text.find("\"series.wtf\"") != std::string::npos ||
                   box.text.find("\"master.wtf\"") != std::string::npos,
               "a fault that names neither file: " + box.text);
    // A listed word goes into the guess box.
    if (!rows.empty()) {
        window.SeriesList.SetListIndex(static_cast<int>(rows.size()) - 1);
        window.SeriesList_Click();
        Expect(form.YourGuessText.Text().size() <= 5, "a clicked series line longer than a word");
    }
    return 0;
}
