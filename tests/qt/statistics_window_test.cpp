// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window as real widgets, at the scale the test runs with:
// the menu item that opens it, the charts' names and numbers for assistive
// tools, the last game's bar in the markers' green, and a screenshot.
#include <QtTest>
#include <QtWidgets>

#include "engine/functions.h"
#include "platform/qt/qt_windows.h"
#include "platform/scripted_platform.h"
#include "records/game_history.h"
#include "windows/keep/statistics_form.h"
#include "windows/main/quibbly_form.h"

namespace quibbly {
namespace {

class WidgetPlatform : public ScriptedPlatform {
public:
    void FormCreated(Form& form) override { windows.Create(form); }
    void FormDestroyed(Form& form) override { windows.Destroy(form); }
    QtWindows windows;
};

// A month of play at Easy and a little at Hard.
void WriteHistory() {
    using namespace GameHistory;
    History history;
    const int scores[] = {12, 9,  0,  14, 11, -1, 10, 9,  0, 13, 8,  12,
                          15, 11, 10, 9,  7,  -1, 11, 12, 0, 9,  10, 8};
    int day = 1;
    for (int score : scores) {
        Game game{.when = "2026-04-" + std::to_string(10 + day++ % 20) + " 20:15",
                  .level = "Easy",
                  .score = score > 0 ? score : 10,
                  .yourWord = "SHOUT",
                  .myWord = "PLANT"};
        game.ending = score > 0 ? Ending::Won : score == 0 ? Ending::Lost : Ending::Quit;
        for (int g = 0; g < game.score; ++g) game.yourGuesses.push_back({"CRISP", g % 5});
        for (int g = 0; g < 9 + day % 7; ++g) game.myGuesses.push_back({"HOUSE", g % 5});
        history.entries.push_back(MakeEntry(game));
        game.level = "Hard";
        if (day % 6 == 0) history.entries.push_back(MakeEntry(game));
    }
    QVERIFY(Save(history).empty());
}

}  // namespace

class StatisticsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        folder_ = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(folder_->path());
        InstallPlatform(&platform_);
        Forms::DropAll();
        Functions::ResetModuleState();
    }

    void cleanup() {
        Forms::DropAll();
        InstallPlatform(nullptr);
    }

    void windowDrawsTheLevelsHistory() {
        WriteHistory();
        QuibblyForm& form = QuibblyForm::Instance();
        form.Show();
        FormWindow& main = *platform_.windows.WindowOf(form);
        QAction* item = main.ActionOf(form.GameStatistics);
        QCOMPARE(item->text(), QStringLiteral("S&tatistics"));
        QCOMPARE(main.ActionOf(form.GameMenu)->menu()->actions().last(), item);
        item->trigger();

        StatisticsForm& statistics = StatisticsForm::Instance();
        FormWindow* window = platform_.windows.WindowOf(statistics);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QWidget* chart = window->WidgetOf(statistics.ScoreChart);
        QCOMPARE(chart->accessibleName(), QStringLiteral("Your wins by guesses"));
        QVERIFY(chart->accessibleDescription().contains(
            QStringLiteral("8 guesses: 2 games, the last game among them")));
        QCOMPARE(window->WidgetOf(statistics.RecentChart)->accessibleName(),
                 QStringLiteral("The last 30 games"));

        // Painted at the device's scale: the last game's bar in the markers'
        // green, every pixel of it its own.
        const QImage shot = window->grab().toImage();
        const qreal ratio = window->devicePixelRatioF();
        QCOMPARE(shot.width(), qRound(window->width() * ratio));
        const QRect area(chart->mapTo(window, QPoint(0, 0)) * ratio, chart->size() * ratio);
        int green = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                green += shot.pixelColor(x, y) == QColor(0, 255, 128);
        QVERIFY2(green > 40 * ratio * ratio, qPrintable(QString::number(green)));
        const QString scale = ratio == 1.0 ? QString() : QStringLiteral("@%1x").arg(ratio);
        QVERIFY(QDir().mkpath(QStringLiteral(QUIBBLY_SCREENSHOT_DIR)));
        QVERIFY(shot.save(QStringLiteral(QUIBBLY_SCREENSHOT_DIR "/statistics_window%1.png").arg(scale)));
    }

private:
    WidgetPlatform platform_;
    std::unique_ptr<QTemporaryDir> folder_;
};

}  // namespace quibbly

QTEST_MAIN(quibbly::StatisticsWindowTest)
#include "statistics_window_test.moc"
