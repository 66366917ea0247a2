// SPDX-License-Identifier: GPL-3.0-or-later
// The word tools as real widgets: a Hint search that a real click on Stop
// ends while it reads, activation that moves and closes the tool windows,
// and a screenshot of each tool window.
#include <QtTest>
#include <QtWidgets>

#include "engine/functions.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_windows.h"
#include "platform/scripted_platform.h"
#include "windows/main/quibbly_form.h"
#include "windows/tools/hint_form.h"
#include "windows/tools/idea_form.h"
#include "windows/tools/match_form.h"
#include "windows/tools/series_form.h"

namespace quibbly {
namespace {

// Real windows and a real yield; the message boxes stay scripted.
class WidgetPlatform : public ScriptedPlatform {
public:
    void DoEvents() override {
        ScriptedPlatform::DoEvents();
        QCoreApplication::processEvents();
    }
    void FormCreated(Form& form) override { windows.Create(form); }
    void FormDestroyed(Form& form) override { windows.Destroy(form); }
    QtWindows windows;
};

void WriteLines(const char* name, const QStringList& lines) {
    QFile file(QString::fromLatin1(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QString& line : lines) file.write(line.toLatin1() + "\r\n");
}

}  // namespace

class WordToolsWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QVERIFY(QDir().mkpath(QStringLiteral(QUIBBLY_SCREENSHOT_DIR)));
    }

    void init() {
        previous_ = QDir::currentPath();
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        QDir::setCurrent(folder_->path());
        // A dictionary of 2001 words, over half of them with an E.
        QStringList master{QStringLiteral("2001"), QStringLiteral("HOUSE")};
        for (int i = 0; i < 2000; ++i) {
            QString word;
            for (int n = i, k = 0; k < 4; ++k, n /= 5) word += QChar(u'A' + n % 5 + (k % 2) * 5);
            master << word + (i % 2 ? u'E' : u'S');
        }
        WriteLines("master.wtf", master);
        withE_ = static_cast<int>(master.filter(QStringLiteral("E")).size());
        WriteLines("easy.wtf", {"3", "HOUSE", "PLANT", "CRISP"});
        WriteLines("series.wtf", {"HOUSE", "MOUSE H>M", "ROUSE H>R", "HORSE U>R", "PLANT"});
        platform_ = std::make_unique<WidgetPlatform>();
        InstallPlatform(platform_.get());
        Forms::DropAll();
        Functions::ResetModuleState();
        Main().Show();
        QVERIFY(QTest::qWaitForWindowActive(WindowOf(Main())));
        platform_->NextRandom(0.1);  // the computer holds HOUSE
        platform_->NextRandom(0.9);  // the player goes first
        Main().YourWordText.SetText("HOUSE");
        Main().GameStart.Choose();
        QVERIFY(Main().GuessButton.Enabled());
    }

    void cleanup() {
        Forms::DropAll();
        InstallPlatform(nullptr);
        platform_.reset();
        QDir::setCurrent(previous_);
        folder_.reset();
    }

    void hintSearchStopsOnARealClick() {
        WindowOf(Main())->ActionOf(Main().WordHint)->trigger();
        HintForm& hint = HintForm::Instance();
        FormWindow* window = WindowOf(hint);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(window->frameGeometry().top(), WindowOf(Main())->frameGeometry().top() + 900 / 15);
        auto* letters = qobject_cast<QLineEdit*>(window->WidgetOf(hint.LettersText));
        QCOMPARE(QApplication::focusWidget(), letters);
        QTest::keyClicks(letters, QStringLiteral("e"));
        QCOMPARE(letters->text(), QStringLiteral("E"));

        // A click on Stop and one on the first listed word, both waiting for a yield.
        auto* done = qobject_cast<QPushButton*>(window->WidgetOf(hint.DoneButton));
        auto* list = qobject_cast<QListWidget*>(window->WidgetOf(hint.HintList));
        QString captionDuringSearch;
        QTimer clicks;
        clicks.setInterval(0);
        connect(&clicks, &QTimer::timeout, [&] {
            if (list->count() == 0) return;  // no word listed yet
            clicks.stop();
            captionDuringSearch = done->text();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(0)).center());
            QTest::mouseClick(done, Qt::LeftButton);
        });
        clicks.start();
        QTest::keyClick(letters, Qt::Key_Return);
        QCOMPARE(captionDuringSearch, QStringLiteral("Stop"));
        QCOMPARE(done->text(), QStringLiteral("Done"));
        QCOMPARE(Main().YourGuessText.Text(), std::string("HOUSE"));
        QVERIFY(hint.HintList.ListCount() > 0 && hint.HintList.ListCount() < withE_);
        QVERIFY(!hint.Searching && hint.ShowButton.Enabled());
        QCOMPARE(list->count(), hint.HintList.ListCount());
        auto* bar = qobject_cast<QProgressBar*>(window->WidgetOf(hint.ProgressBar));
        QVERIFY(bar->value() < bar->maximum() && bar->maximum() == 2001);
        Shoot(*window, "hint_window.png");
    }

    void toolWindowsLookRight() {
        WindowOf(Main())->ActionOf(Main().WordSeries)->trigger();
        SeriesForm& series = SeriesForm::Instance();
        QVERIFY(QTest::qWaitForWindowActive(WindowOf(series)));
        QTest::keyClicks(WindowOf(series)->WidgetOf(series.WordText), QStringLiteral("house"));
        QTest::keyClick(WindowOf(series)->WidgetOf(series.WordText), Qt::Key_Return);
        QCOMPARE(series.SeriesList.ListCount(), 4);
        Shoot(*WindowOf(series), "series_window.png");

        WindowOf(Main())->ActionOf(Main().WordMatch)->trigger();
        MatchForm& match = MatchForm::Instance();
        QVERIFY(QTest::qWaitForWindowActive(WindowOf(match)));
        QCOMPARE(WindowOf(match)->frameGeometry().top(), WindowOf(Main())->frameGeometry().top() + 1200 / 15);
        QTest::keyClicks(WindowOf(match)->WidgetOf(match.MatchText), QStringLiteral("ohx"));
        QTest::keyClick(WindowOf(match)->WidgetOf(match.MatchText), Qt::Key_Return);
        QCOMPARE(match.MatchLabel.Caption(), std::string("HO- - - "));
        QVERIFY(!WindowOf(Main())->ActionOf(Main().WordMatch)->isEnabled());
        Shoot(*WindowOf(match), "match_window.png");

        WindowOf(Main())->ActionOf(Main().WordIdea)->trigger();
        IdeaForm& idea = IdeaForm::Instance();
        QVERIFY(QTest::qWaitForWindowActive(WindowOf(idea)));
        QCOMPARE(QApplication::focusWidget(), WindowOf(idea)->WidgetOf(idea.NewButton));
        Shoot(*WindowOf(idea), "idea_window.png");
        // Activating the main window closes the suggestion.
        WindowOf(Main())->activateWindow();
        QTRY_VERIFY(!WindowOf(idea)->isVisible());
    }

private:
    QuibblyForm& Main() { return QuibblyForm::Instance(); }
    FormWindow* WindowOf(const Form& form) { return platform_->windows.WindowOf(form); }
    void Shoot(FormWindow& window, const char* name) {
        QVERIFY(window.grab().save(QStringLiteral(QUIBBLY_SCREENSHOT_DIR "/") + QLatin1String(name)));
    }

    std::unique_ptr<WidgetPlatform> platform_;
    std::unique_ptr<QTemporaryDir> folder_;
    QString previous_;
    int withE_ = 0;
};

}  // namespace quibbly

QTEST_MAIN(quibbly::WordToolsWidgetsTest)
#include "word_tools_widgets_test.moc"
