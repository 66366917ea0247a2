// SPDX-License-Identifier: GPL-3.0-or-later
// Times whole Hint and Series searches over the shipped word files through
// the real Qt windows on the offscreen platform: a yield before every word,
// the list appends and repaints, and the progress bar, as the game does them.
//
//   hint_search [--runs N] [--data DIR]
#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/form.h"
#include "platform/qt/qt_platform.h"
#include "windows/main/quibbly_form.h"
#include "windows/tools/hint_form.h"
#include "windows/tools/series_form.h"

#include "timing.h"

using namespace quibbly;
using namespace quibbly::bench;

namespace {

// Counts the yields on the way to the real one.
class CountingPlatform : public QtPlatform {
public:
    void DoEvents() override {
        ++yields;
        QtPlatform::DoEvents();
    }
    long yields = 0;
};

// A whole search: its times, and the yields and rows of its last run.
struct Search {
    Timing time;
    long yields = 0;
    int rows = 0;
};

template <class Run>
Search Measure(int runs, CountingPlatform& platform, Run run) {
    Search search;
    for (int i = 0; i < runs; ++i) {
        platform.yields = 0;
        const Clock start;
        search.rows = run();
        search.time.Add(start);
        search.yields = platform.yields;
    }
    return search;
}

void Print(const char* what, const Search& search) {
    std::printf("| %s | %ld | %d | %s\n", what, search.yields, search.rows, Cells(search.time).c_str());
}

}  // namespace

int main(int argc, char* argv[]) {
    int runs = 10;
    std::string data = QUIBBLY_DATA_DIR;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--data") == 0) data = argv[i + 1];
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (!QDir::setCurrent(QString::fromStdString(data))) {
        std::fprintf(stderr, "cannot open the data folder %s\n", data.c_str());
        return 1;
    }
    CountingPlatform platform;
    InstallPlatform(&platform);
    QuibblyForm::Instance().Show();

    std::printf(
        "| search | yields | rows listed | wall median | wall max | CPU median "
        "|\n|---|---|---|---|---|---|\n");
    HintForm& hint = HintForm::Instance();
    hint.Show();
    for (const char* letters : {"E", "S", "AE", "QXJ"}) {
        hint.LettersText.SetText(letters);
        const Search search = Measure(runs, platform, [&hint] {
            hint.ShowButton.Press();
            return hint.HintList.ListCount();
        });
        Print((std::string("Hint ") + letters).c_str(), search);
    }
    hint.Hide();

    SeriesForm& series = SeriesForm::Instance();
    series.Show();
    // A word that heads no series reads the whole file; ZORIL heads the last one.
    for (const char* word : {"ZZZZZ", "ZORIL"}) {
        series.WordText.SetText(word);
        const Search search = Measure(runs, platform, [&series] {
            series.SeriesList.Clear();
            series.ShowButton.Press();
            return series.SeriesList.ListCount();
        });
        Print((std::string("Series ") + word).c_str(), search);
    }
    Forms::DropAll();
    InstallPlatform(nullptr);
    return 0;
}
