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
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/qt/qt_platform.h"
#include "windows/main/quibbly_form.h"
#include "windows/tools/hint_form.h"
#include "windows/tools/series_form.h"

using namespace quibbly;

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

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

struct Timing {
    std::vector<double> ms;
    std::vector<double> cpu;
    long yields = 0;
    int rows = 0;
};

template <class Search>
Timing Measure(int runs, CountingPlatform& platform, Search search) {
    Timing timing;
    for (int run = 0; run < runs; ++run) {
        platform.yields = 0;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = CpuMs();
        timing.rows = search();
        timing.cpu.push_back(CpuMs() - cpuStart);
        timing.ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        timing.yields = platform.yields;
    }
    std::sort(timing.ms.begin(), timing.ms.end());
    std::sort(timing.cpu.begin(), timing.cpu.end());
    return timing;
}

void Print(const char* what, const Timing& timing) {
    std::printf("| %s | %ld | %d | %.1f ms | %.1f ms | %.1f ms |\n", what, timing.yields, timing.rows,
                timing.ms[timing.ms.size() / 2], timing.ms.back(), timing.cpu[timing.cpu.size() / 2]);
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
        const Timing timing = Measure(runs, platform, [&hint] {
            hint.ShowButton.Press();
            return hint.HintList.ListCount();
        });
        Print((std::string("Hint ") + letters).c_str(), timing);
    }
    hint.Hide();

    SeriesForm& series = SeriesForm::Instance();
    series.Show();
    // A word that heads no series reads the whole file; ZORIL heads the last one.
    for (const char* word : {"ZZZZZ", "ZORIL"}) {
        series.WordText.SetText(word);
        const Timing timing = Measure(runs, platform, [&series] {
            series.SeriesList.Clear();
            series.ShowButton.Press();
            return series.SeriesList.ListCount();
        });
        Print((std::string("Series ") + word).c_str(), timing);
    }
    Forms::DropAll();
    InstallPlatform(nullptr);
    return 0;
}
