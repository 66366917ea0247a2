// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as real widgets: only what the widget layer alone can get wrong
// (places, painting, keys, focus, real message boxes); the headless tests cover
// the game behind them, and the designs themselves are data. Each case starts a
// fresh program in a temporary folder.
#include <QtTest>
#include <QtWidgets>

#include "engine/functions.h"
#include "platform/common_dialog.h"
#include "platform/qt/control_builders.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_windows.h"
#include "platform/scripted_platform.h"
#include "records/game_history.h"
#include "records/saved_game.h"
#include "records/winners_list.h"
#include "support/standard_files.h"
#include "windows/keep/review_form.h"
#include "windows/keep/statistics_form.h"
#include "windows/main/quibbly_form.h"
#include "windows/other/about_form.h"
#include "windows/other/credits_form.h"
#include "windows/other/game_form.h"
#include "windows/other/intro_form.h"
#include "windows/other/player_form.h"
#include "windows/other/thinking_form.h"
#include "windows/other/winners_form.h"
#include "windows/tools/hint_form.h"
#include "windows/tools/idea_form.h"
#include "windows/tools/match_form.h"
#include "windows/tools/series_form.h"

namespace quibbly {
namespace {

bool Near(const QColor& a, const QColor& b, int tolerance = 12) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())}) <= tolerance;
}

// Scripted services with real windows, so that no case waits on a modal box.
class WidgetPlatform : public ScriptedPlatform {
public:
    void FormCreated(Form& form) override { windows.Create(form); }
    void FormDestroyed(Form& form) override { windows.Destroy(form); }
    void Sleep(int milliseconds) override {
        if (duringSleep) duringSleep();
        ScriptedPlatform::Sleep(milliseconds);
    }
    // A real yield, for clicks that arrive during a search.
    void DoEvents() override {
        ScriptedPlatform::DoEvents();
        if (realYield) QCoreApplication::processEvents();
    }
    QtWindows windows;
    std::function<void()> duringSleep;
    bool realYield = false;
};

// Screenshots at a scale other than 1 get the scale in their name.
QString Shot(const char* name) {
    const qreal ratio = qApp->devicePixelRatio();
    const QString scale = ratio == 1.0 ? QString() : QStringLiteral("@%1x").arg(ratio);
    return QStringLiteral(QUIBBLY_SCREENSHOT_DIR "/%1%2.png").arg(QLatin1String(name), scale);
}

int CountNear(const QImage& shot, const QRect& area, const QColor& colour, int tolerance = 30) {
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += Near(shot.pixelColor(x, y), colour, tolerance);
    return found;
}

void WriteLines(const char* name, const QStringList& lines) {
    QFile file(QString::fromLatin1(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QString& line : lines) file.write(line.toLatin1() + "\r\n");
}

void WriteStandardFiles() {
    for (const testing::StandardFile& standard : testing::StandardFiles) {
        QFile file(QString::fromLatin1(standard.name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(standard.bytes);
    }
}

QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text().trimmed();
    return rows;
}

struct SeenBox {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::WindowModality modality = Qt::NonModal;
};

// Answers the next message box from inside its own event loop.
void AnswerNextBox(QMessageBox::StandardButton answer, SeenBox& seen) {
    QTimer::singleShot(0, [answer, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return AnswerNextBox(answer, seen);
        seen = {box->text(), box->windowTitle(), box->icon(), box->standardButtons(), box->windowModality()};
        box->button(answer)->click();
    });
}

// Whether a window's frame lies wholly in the screen's available area.
bool OnScreen(const QWidget& window) {
    return window.screen()->availableGeometry().contains(window.frameGeometry());
}

// A month of play at Easy: wins, losses (0) and games given up (-1).
void WriteHistory() {
    using namespace GameHistory;
    History history;
    int day = 0;
    for (int score : {12, 9, 0, 14, 11, -1, 10, 9, 0, 13, 8, 12, 15, 11, 10, 9, 7, -1, 11, 12, 0, 9, 10, 8}) {
        Game game{.when = "2026-04-" + std::to_string(10 + ++day % 20) + " 20:15",
                  .level = "Easy",
                  .score = score > 0 ? score : 10,
                  .yourWord = "SHOUT",
                  .myWord = "PLANT"};
        game.ending = score > 0 ? Ending::Won : score == 0 ? Ending::Lost : Ending::Quit;
        for (int g = 0; g < game.score; ++g) game.yourGuesses.push_back({"CRISP", g % 5});
        for (int g = 0; g < 9 + day % 7; ++g) game.myGuesses.push_back({"HOUSE", g % 5});
        history.entries.push_back(MakeEntry(game));
    }
    QVERIFY(Save(history).empty());
}

}  // namespace

class WindowWidgetsTest : public QObject {
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
        WriteStandardFiles();
        platform_ = std::make_unique<WidgetPlatform>();
        InstallPlatform(platform_.get());
        Forms::DropAll();
        Functions::ResetModuleState();
        Form().Show();
        QVERIFY(QTest::qWaitForWindowActive(&Window()));
    }

    void cleanup() {
        Forms::DropAll();
        InstallPlatform(nullptr);
        platform_.reset();
        QDir::setCurrent(previous_);
        folder_.reset();
    }

    // One table over every window: each control's widget where its design
    // puts it, within its container's widget; every caption whole in its
    // label; every control heard by assistive tools; a screenshot to review.
    void everyWindowFollowsItsDesign() {
        PlayAGameAtHard();
        WriteLines("Win.Lst", {"Bartholome  Easy   12 Guesses  06/12/2026"});
        Functions::UpdateWinners();
        const std::pair<quibbly::Form*, const char*> forms[] = {
            {&Form(), "main_window"},
            {&HintForm::Instance(), "hint_window"},
            {&SeriesForm::Instance(), "series_window"},
            {&IdeaForm::Instance(), "idea_window"},
            {&MatchForm::Instance(), "match_window"},
            {&GameForm::Instance(), "load_window"},
            {&PlayerForm::Instance(), "name_window"},
            {&WinnersForm::Instance(), "winners_window"},
            {&AboutForm::Instance(), "about_window"},
            {&CreditsForm::Instance(), "credits_window"},
            {&ThinkingForm::Instance(), "thinking_window"},
            {&ReviewForm::Instance(), "review_window"}};
        for (const auto& [form, name] : forms) {
            form->Show();
            FormWindow& window = *platform_->windows.WindowOf(*form);
            QCOMPARE(window.Client()->size(),
                     QSize(form->Design().clientWidth, form->Design().clientHeight) / 15);
            QVERIFY2(OnScreen(window), name);
            for (Control* control : form->Controls()) {
                if (control->Kind() == ControlKind::MenuItem) continue;
                const QString where =
                    QLatin1String(name) + QLatin1Char(' ') + QString::fromStdString(control->Name());
                const Place& place = control->Design().place;
                const auto* picture = dynamic_cast<const PictureBox*>(control);  // may have moved
                const QPoint at =
                    picture ? QPoint(picture->Left(), picture->Top()) : QPoint(place.left, place.top);
                QWidget* widget = window.WidgetOf(*control);
                QVERIFY2(widget != nullptr, qPrintable(where));
                QWidget* parent =
                    control->Container() ? window.WidgetOf(*control->Container()) : window.Client();
                QVERIFY2(widget->parentWidget() == parent, qPrintable(where));
                QVERIFY2(widget->geometry() == QRect(at / 15, QSize(place.width, place.height) / 15),
                         qPrintable(where));
                if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap())
                    QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <=
                                 label->contentsRect().width(),
                             qPrintable(where));
                const auto* caption = dynamic_cast<const Label*>(control);
                if (control->Kind() == ControlKind::Frame ||
                    (caption != nullptr && caption->Caption().empty()))
                    continue;
                QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(widget);
                QVERIFY2(heard != nullptr && !heard->text(QAccessible::Name).isEmpty(), qPrintable(where));
            }
            QVERIFY(window.grab().save(Shot(name)));
            if (form != &Form()) form->Hide();
        }
        // A text box names itself by the label that heads it.
        QAccessibleInterface* word = QAccessible::queryAccessibleInterface(WidgetOf(Form().YourWordText));
        QCOMPARE(word->text(QAccessible::Name), QStringLiteral("Your Word"));
        // The faces lie stacked with the sad one showing, each whole within
        // its box: the box's last column shows only the window's colour.
        for (const PictureBox* face : {&Form().FaceSad, &Form().FaceHappy, &Form().FaceNeutral}) {
            QCOMPARE(WidgetOf(*face)->isVisible(), face == &Form().FaceSad);
            const QImage shot = WidgetOf(*face)->grab().toImage();
            const QRect edge(shot.width() - 1, 0, 1, shot.height());
            QVERIFY2(CountNear(shot, edge, QColor(128, 128, 255), 0) == shot.height(), face->Name().c_str());
        }
        // A disabled text box writes in grey, as on any desktop.
        const QPalette pal = Line(Form().MyGuessText)->palette();
        QVERIFY(pal.color(QPalette::Disabled, QPalette::Text).lightness() >
                pal.color(QPalette::Active, QPalette::Text).lightness() + 60);
        // Qt would flip a checked menu item off when it is chosen again.
        QAction* medium = Window().ActionOf(Form().LevelMedium);
        for (int time = 0; time < 2; ++time) medium->trigger();
        QVERIFY(medium->isChecked() && !Window().ActionOf(Form().LevelEasy)->isChecked());

        // The main window alone can be maximised, its client area kept in the middle.
        FormWindow& window = Window();
        QVERIFY(!(platform_->windows.WindowOf(ThinkingForm::Instance())->windowFlags() &
                  Qt::WindowMaximizeButtonHint));
        const QSize designed = window.size();
        window.showMaximized();
        const QSize screen = window.screen()->availableSize();
        if (screen.width() > designed.width() && screen.height() > designed.height())
            QTRY_VERIFY(window.width() > designed.width() && window.height() > designed.height());
        const QPoint middle = window.Client()->mapTo(&window, window.Client()->rect().center());
        if (qobject_cast<QScrollArea*>(window.centralWidget()) == nullptr)  // not when it scrolls
            QVERIFY(std::abs(middle.x() - window.width() / 2) <= 1);
        window.showNormal();
        QTRY_COMPARE(window.size(), designed);
        // A main window larger than the screen's area scrolls to every control.
        QVERIFY(window.menuBar()->isVisible() && window.menuBar()->geometry().top() >= 0);
        auto* scroll = qobject_cast<QScrollArea*>(window.centralWidget());
        QCOMPARE(scroll != nullptr,
                 window.Client()->width() > screen.width() || window.Client()->height() > screen.height());
        if (scroll != nullptr) {
            scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
            scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
            QWidget* corner = WidgetOf(Form().ScratchPadText);
            QVERIFY(scroll->viewport()->rect().contains(
                corner->mapTo(scroll->viewport(), corner->rect().bottomRight())));
        }
        // Closing the main window by its frame is File > Exit: the credits.
        window.close();
        QVERIFY(window.isVisible() && CreditsForm::Instance().Visible() && !platform_->ended);
    }

    // Typed letters turn to capitals, five at most; Enter starts the game and
    // guesses; the menus' Ctrl shortcuts act from the text boxes and win over
    // the boxes' own Cut.
    void typingAndShortcutsInTheTextBoxes() {
        QLineEdit* word = Line(Form().YourWordText);
        QCOMPARE(QApplication::focusWidget(), word);
        QTest::keyClicks(word, QStringLiteral("housekx"));
        QCOMPARE(word->text(), QStringLiteral("HOUSE"));
        QCOMPARE(Form().YourWordText.Text(), std::string("HOUSE"));
        StartWithEnter("");
        QCOMPARE(word->text(), QStringLiteral("HOUSE"));
        QLineEdit* guess = Line(Form().YourGuessText);
        QCOMPARE(QApplication::focusWidget(), guess);
        QTest::keyClicks(guess, QStringLiteral("crisp"));
        QTest::keyClick(guess, Qt::Key_Return);
        QCOMPARE(Form().YourGuessList.ListCount(), 1);
        QVERIFY(Window().grab().save(Shot("main_window_playing")));

        Form().FileNew.Choose();
        StartWithEnter("house");
        int series = 0;
        Form().WordSeries.Click = [&series] { ++series; };
        QTest::keyClicks(guess, QStringLiteral("pla"));
        QTest::keyClick(guess, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(series, 1);
        guess->selectAll();
        QTest::keyClick(guess, Qt::Key_X, Qt::ControlModifier);  // Exit, not Cut
        QVERIFY(Credits().Visible());
        QCOMPARE(guess->text(), QStringLiteral("PLA"));
        Credits().Hide();
        auto* pad = qobject_cast<QPlainTextEdit*>(WidgetOf(Form().ScratchPadText));
        Window().activateWindow();
        pad->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), pad);
        QTest::keyClicks(pad, QStringLiteral("notes"));
        pad->selectAll();
        QTest::keyClick(pad, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(Credits().Visible());
        QCOMPARE(pad->toPlainText(), QStringLiteral("notes"));
        Window().activateWindow();
        guess->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), guess);
        QTest::keyClick(guess, Qt::Key_Q, Qt::ControlModifier);  // Quit
        QVERIFY(!guess->isEnabled());
    }

    void tabOrderFollowsDesign() {
        // Tab goes round from the focus in the model's order of the controls that can take it.
        auto designed = [this] {
            QStringList names;
            for (const Control* control : Form().TabOrder())
                if (control->Enabled() && control->Visible() && control->Kind() != ControlKind::PictureBox)
                    names << QString::fromStdString(control->Name());
            const auto first = names.indexOf(QString::fromStdString(Form().Focus()->Name()));
            return names.mid(first) + names.mid(0, first);
        };
        auto tabRound = [] {
            QStringList names;
            do {
                names << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            } while (QApplication::focusWidget()->objectName() != names.first() && names.size() < 80);
            return names;
        };
        const QStringList idle = designed();
        QCOMPARE(tabRound(), idle);
        StartWithEnter("house");
        const QStringList playing = designed();
        QVERIFY(playing.size() > idle.size());
        QCOMPARE(tabRound(), playing);
    }

    void letterButtonsPaintTheirColours() {
        auto* a = qobject_cast<QPushButton*>(WidgetOf(Form().LetterButton(0)));
        auto shown = [a] { return a->grab().toImage().pixelColor(4, a->height() / 2); };
        StartWithEnter("house");
        const QColor yellow(255, 255, 128), red(255, 0, 128);
        for (const QColor& next : {red, QColor(0, 255, 128), yellow, red}) {
            QTest::mouseClick(a, Qt::LeftButton);
            QVERIFY2(Near(shown(), next), qPrintable(shown().name() + " for " + next.name()));
        }
        QTest::mouseClick(WidgetOf(Form().ResetButton), Qt::LeftButton);
        QVERIFY(Near(shown(), yellow));
    }

    // The name window takes the keyboard and ten characters; the winners
    // window shows the rows in a fixed-pitch font and hands back the main window.
    void winnersWindowsTakeTheNameAndHandBackTheMainWindow() {
        WriteLines("Win.Lst", {"Ann         Easy    3 Guesses  05/12/2026",
                               "Bartholome  Easy   12 Guesses  06/12/2026"});
        StartWithEnter("house");
        Functions::TurnNumber = 13;  // worse than the worst row: the main window goes
        Form().TurnLabel.SetCaption("13");
        QTest::keyClicks(Line(Form().YourGuessText), QStringLiteral("plant\r"));
        PlayerForm& name = PlayerForm::Instance();
        FormWindow& nameWindow = *platform_->windows.WindowOf(name);
        QVERIFY(nameWindow.isVisible() && !Window().isVisible());
        auto* box = qobject_cast<QLineEdit*>(nameWindow.WidgetOf(name.NameText));
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, QStringLiteral("Christopher"));
        QCOMPARE(box->text(), QStringLiteral("Christophe"));
        QTest::keyClick(box, Qt::Key_Return);

        WinnersForm& winners = WinnersForm::Instance();
        FormWindow& winnersWindow = *platform_->windows.WindowOf(winners);
        QVERIFY(winnersWindow.isVisible() && !nameWindow.isVisible());
        auto* first = qobject_cast<QLabel*>(winnersWindow.WidgetOf(winners.WinnersLabel(0)));
        QCOMPARE(first->text(), QStringLiteral("Ann         Easy    3 Guesses  05/12/2026"));
        QVERIFY(QFontInfo(first->font()).fixedPitch());
        QTRY_COMPARE(QApplication::focusWidget(), winnersWindow.WidgetOf(winners.OKButton));
        QTest::mouseClick(winnersWindow.WidgetOf(winners.OKButton), Qt::LeftButton);
        QVERIFY(!winnersWindow.isVisible() && Window().isVisible());
    }

    // A real message box: application-modal, its icon and buttons, the answer
    // given back, and wide enough for its whole title.
    void realMessageBoxesAreModalAnsweredAndShowTheirWholeTitles() {
        QtPlatform real;
        SeenBox seen;
        AnswerNextBox(QMessageBox::No, seen);
        QCOMPARE(real.MsgBox("Play again?", MsgButtons::YesNo, MsgIcon::None, ""), MsgAnswer::No);
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.modality, Qt::ApplicationModal);
        AnswerNextBox(QMessageBox::Ok, seen);
        QCOMPARE(real.MsgBox("Wrong", MsgButtons::OK, MsgIcon::Exclamation, "Count"), MsgAnswer::OK);
        QCOMPARE(seen.title, QStringLiteral("Count"));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

        for (const auto& shown :
             {std::pair{"Your Guess", "message_guess"}, std::pair{"You had a good word.", "message_word"},
              std::pair{"I win!!", "message_win"}}) {
            QTimer::singleShot(0, [title = shown.first, shot = shown.second] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                // The title in bold, beside a window icon and two buttons.
                QFont bold = box->font();
                bold.setBold(true);
                const QFontMetrics metrics(bold);
                QVERIFY2(
                    box->width() >= metrics.horizontalAdvance(QLatin1String(title)) + 3 * metrics.height(),
                    title);
                QVERIFY(OnScreen(*box));
                QVERIFY(box->grab().save(Shot(shot)));
                box->button(QMessageBox::Ok)->click();
            });
            real.MsgBox("My word was HOUSE", MsgButtons::OK, MsgIcon::None, shown.first);
        }
    }

    void startUpWindowIsPaintedThenGivesWayToTheMainWindow() {
        Forms::DropAll();
        bool seen = false;
        platform_->duringSleep = [this, &seen] {
            if (seen) return;
            seen = true;
            FormWindow& window = *platform_->windows.WindowOf(IntroForm::Instance());
            QVERIFY(window.isVisible() && window.windowFlags().testFlag(Qt::FramelessWindowHint));
            QVERIFY(window.grab().save(Shot("start_up_window")));
            QVERIFY(!Form().Visible());
        };
        IntroForm& intro = IntroForm::Instance();
        QVERIFY(seen && !platform_->windows.WindowOf(intro)->isVisible() && Window().isVisible());
    }

    void restPaintsButTakesNoInput() {
        QtPlatform real;
        QPushButton button(QStringLiteral("Press"));
        int clicks = 0;
        connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTimer::singleShot(20, [&button] {
            QTest::mouseClick(&button, Qt::LeftButton);
            QTest::keyClick(&button, Qt::Key_Space);
            button.setText(QStringLiteral("Changed"));
        });
        QImage before = button.grab().toImage();
        real.Sleep(200);
        QCOMPARE(clicks, 0);
        // The change made during the rest is painted by its end.
        QVERIFY(button.grab().toImage() != before);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
    }

    void aboutClosesOnEnterAndHandsBackTheKeyboard() {
        Form().HelpAbout.Choose();
        AboutForm& about = AboutForm::Instance();
        FormWindow& aboutWindow = *platform_->windows.WindowOf(about);
        QVERIFY(QTest::qWaitForWindowActive(&aboutWindow));
        QVERIFY(!aboutWindow.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QTRY_COMPARE(QApplication::focusWidget(), aboutWindow.WidgetOf(about.OKButton));
        QTest::keyClick(aboutWindow.WidgetOf(about.OKButton), Qt::Key_Return);
        QVERIFY(!aboutWindow.isVisible());
        QTRY_VERIFY(Window().isActiveWindow());
    }

    // The help viewer: a missing file named, then the help at its contents,
    // every link leading somewhere in it, every menu item explained, centred
    // on the main window with lines of a comfortable length.
    void helpViewerShowsTheHelpFileAtItsContents() {
        QtPlatform real;
        real.ShowHelp("Quibbly.HLP", HelpContentsCommand);  // not in this folder
        HelpViewer& viewer = *real.helpViewer;
        QVERIFY(viewer.isVisible() && !viewer.isModal());
        QVERIFY(viewer.Browser()->toPlainText().contains(QStringLiteral("\"Quibbly.HLP\" cannot be read")));

        QVERIFY(QFile::copy(QStringLiteral(QUIBBLY_DATA_DIR "/Quibbly.HLP"), QStringLiteral("Quibbly.HLP")));
        real.ShowHelp("Quibbly.HLP", HelpContentsCommand);
        QCOMPARE(real.helpViewer.data(), &viewer);
        QTextDocument& help = *viewer.Browser()->document();
        const QString text = help.toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("Quibbly Help")));
        for (QTextBlock block = help.begin(); block.isValid(); block = block.next())
            for (auto part = block.begin(); !part.atEnd(); ++part) {
                const QString target = part.fragment().charFormat().anchorHref();
                if (target.startsWith(QLatin1Char('#')))
                    QVERIFY2(help.toHtml().contains(QStringLiteral("name=\"%1\"").arg(target.mid(1))),
                             qPrintable(target));
            }
        for (const MenuItem* menu : Form().Menus())
            for (const MenuItem* item : menu->Items())
                if (!item->IsSeparator())
                    QVERIFY2(text.contains(QString::fromStdString(item->Caption()).remove(QLatin1Char('&'))),
                             item->Caption().c_str());

        HelpViewer centred;
        centred.Open(QDir::current().absoluteFilePath(QStringLiteral("Quibbly.HLP")), &Window());
        QVERIFY(OnScreen(centred));
        QCOMPARE(centred.Browser()->horizontalScrollBar()->maximum(), 0);
        QVERIFY(std::abs(centred.frameGeometry().center().x() - Window().frameGeometry().center().x()) <= 4);
        const int letter = centred.Browser()->fontMetrics().averageCharWidth();
        QVERIFY(centred.width() > 50 * letter && centred.width() < 100 * letter);
        // The help is longer than any screen here: it takes the screen's height.
        QVERIFY(centred.frameGeometry().height() >= centred.screen()->availableSize().height() * 9 / 10);
        QVERIFY(centred.grab().save(Shot("help_viewer")));
    }

    // The save-and-load window: the pattern box switching the file list by
    // keys, and a double-click that loads.
    void gameWindowSwitchesPatternAndLoadsOnADoubleClick() {
        QDir().mkdir(QStringLiteral("games"));
        for (const char* name : {"b.swg", "notes.txt"})
            QFile(QString::fromLatin1(name)).open(QIODevice::WriteOnly);
        QVERIFY(SavedGame::SaveGame("a.swg"));  // a game saved before any game
        Window().ActionOf(Form().FileLoad)->trigger();
        GameForm& game = GameForm::Instance();
        FormWindow* window = platform_->windows.WindowOf(game);
        QVERIFY(QTest::qWaitForWindowActive(window));  // ready for typing
        auto* name = qobject_cast<QLineEdit*>(window->WidgetOf(game.FileText));
        auto* files = qobject_cast<QListWidget*>(window->WidgetOf(game.File1));
        QCOMPARE(Rows(files), (QStringList{"a.swg", "b.swg"}));
        auto* folders = qobject_cast<QListWidget*>(window->WidgetOf(game.Dir1));
        QCOMPARE(folders->item(folders->count() - 1)->text().trimmed(), QStringLiteral("games"));
        QCOMPARE(folders->currentRow(), folders->count() - 2);  // the open folder

        // "*.*" lists every file, "*.swg" the saved games again; typing a
        // pattern does not change the list.
        auto* pattern = qobject_cast<QComboBox*>(window->WidgetOf(game.TypeCombo));
        QTest::keyClick(pattern, Qt::Key_Down);
        QCOMPARE(Rows(files).size(), 8);
        QTest::keyClick(pattern, Qt::Key_Up);
        QCOMPARE(Rows(files), (QStringList{"a.swg", "b.swg"}));
        pattern->setEditText(QStringLiteral("*.txt"));
        QCOMPARE(game.TypeCombo.Text(), "*.txt");
        QCOMPARE(Rows(files), (QStringList{"a.swg", "b.swg"}));

        const QRect first = files->visualItemRect(files->item(0));
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(name->text(), QStringLiteral("a.swg"));
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, first.center());
        QVERIFY(!window->isVisible());
        QCOMPARE(Form().WhoLabel.Caption(), "It's Your Turn");
        QVERIFY(platform_->boxes.empty());
    }

    // A Hint search that a real click on Stop ends while it reads, over a
    // dictionary of 2001 words, over half of them with an E.
    void hintSearchStopsOnARealClick() {
        QStringList master{QStringLiteral("2001"), QStringLiteral("HOUSE")};
        for (int i = 0; i < 2000; ++i) {
            QString word;
            for (int n = i, k = 0; k < 4; ++k, n /= 5) word += QChar(u'A' + n % 5 + (k % 2) * 5);
            master << word + (i % 2 ? u'E' : u'S');
        }
        WriteLines("master.wtf", master);
        platform_->realYield = true;
        StartWithEnter("house", 0.1);
        Window().ActionOf(Form().WordHint)->trigger();
        HintForm& hint = HintForm::Instance();
        FormWindow* window = platform_->windows.WindowOf(hint);
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* letters = qobject_cast<QLineEdit*>(window->WidgetOf(hint.LettersText));
        QCOMPARE(QApplication::focusWidget(), letters);
        QTest::keyClicks(letters, QStringLiteral("e"));

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
        QCOMPARE(Form().YourGuessText.Text(), std::string("HOUSE"));
        QVERIFY(hint.HintList.ListCount() > 0 &&
                hint.HintList.ListCount() < master.filter(QStringLiteral("E")).size());
        QCOMPARE(list->count(), hint.HintList.ListCount());
        auto* bar = qobject_cast<QProgressBar*>(window->WidgetOf(hint.ProgressBar));
        QVERIFY(bar->value() < bar->maximum() && bar->maximum() == 2001);
    }

    void framelessWindowsAreDraggedByTheirBackgroundAndLeftWithEscape() {
        const QList<quibbly::Form*> forms{&HintForm::Instance(),   &SeriesForm::Instance(),
                                          &IdeaForm::Instance(),   &MatchForm::Instance(),
                                          &PlayerForm::Instance(), &WinnersForm::Instance(),
                                          &CreditsForm::Instance()};
        PlayerForm::Instance().NameText.SetText("Sam");
        for (quibbly::Form* form : forms) {
            form->Show();
            FormWindow& window = *platform_->windows.WindowOf(*form);
            QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
            const QPoint before = window.pos();
            const QPoint grip = window.Client()->mapToGlobal(QPoint(4, 4));
            const auto send = [&window](QEvent::Type type, QPoint global, Qt::MouseButtons held) {
                const QPoint local = window.Client()->mapFromGlobal(global);
                QMouseEvent event(type, local, global, Qt::LeftButton, held, Qt::NoModifier);
                QApplication::sendEvent(window.Client(), &event);
            };
            send(QEvent::MouseButtonPress, grip, Qt::LeftButton);
            send(QEvent::MouseMove, grip + QPoint(-30, -20), Qt::LeftButton);
            send(QEvent::MouseButtonRelease, grip + QPoint(-30, -20), Qt::NoButton);
            QCOMPARE(window.pos(), before + QPoint(-30, -20));
            if (form == &PlayerForm::Instance()) {
                // The program's focus selected the name, so typing replaces it.
                auto* name = qobject_cast<QLineEdit*>(window.WidgetOf(PlayerForm::Instance().NameText));
                QCOMPARE(name->selectedText(), QStringLiteral("Sam"));
            }
            QWidget* focus = window.focusWidget() != nullptr ? window.focusWidget() : &window;
            QTest::keyClick(focus, Qt::Key_Escape);
            QVERIFY2(!form->Visible() || form == &CreditsForm::Instance(), typeid(*form).name());
        }
        QVERIFY(platform_->ended);  // Escape on the credits is Done
    }

    void windowDrawsTheLevelsHistory() {
        WriteHistory();
        FormWindow& main = Window();
        QAction* item = main.ActionOf(Form().GameStatistics);
        QCOMPARE(main.ActionOf(Form().GameMenu)->menu()->actions().last(), item);
        item->trigger();

        StatisticsForm& statistics = StatisticsForm::Instance();
        FormWindow* window = platform_->windows.WindowOf(statistics);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QWidget* chart = window->WidgetOf(statistics.ScoreChart);
        QCOMPARE(chart->accessibleName(), QStringLiteral("Your wins by guesses"));
        QVERIFY(chart->accessibleDescription().contains(
            QStringLiteral("8 guesses: 2 games, the last game among them")));

        // Painted at the device's scale: the last game's bar in the markers'
        // green, every pixel of it its own.
        const QImage shot = window->grab().toImage();
        const qreal ratio = window->devicePixelRatioF();
        QCOMPARE(shot.width(), qRound(window->width() * ratio));
        const QRect area(chart->mapTo(window, QPoint(0, 0)) * ratio, chart->size() * ratio);
        const int green = CountNear(shot, area, QColor(0, 255, 128), 0);
        QVERIFY2(green > 40 * ratio * ratio, qPrintable(QString::number(green)));
        QVERIFY(shot.save(Shot("statistics_window")));
    }

private:
    // A real game at Hard on the shipped word files, a dozen guesses long,
    // for the review window to show; then a fresh program in the same folder.
    void PlayAGameAtHard() {
        for (const char* name : {"easy.wtf", "medium.wtf", "hard.wtf", "master.wtf", "series.wtf"}) {
            QFile::remove(QLatin1String(name));
            QVERIFY(
                QFile::copy(QStringLiteral(QUIBBLY_DATA_DIR "/") + QLatin1String(name), QLatin1String(name)));
        }
        Form().LevelHard.Choose();
        platform_->NextRandom(0.37);
        platform_->NextRandom(0.9);  // the player goes first
        Form().YourWordText.SetText("JAZZY");
        Form().GameStart.Choose();
        for (const char* guess : {"CRANE", "SLOTH", "PUDGY", "BLOWN", "MIXED", "FJORD", "WHELK", "BRICK",
                                  "DUMPY", "VIXEN", "CRANE", "SLOTH"}) {
            Form().YourGuessText.SetText(guess);
            Form().GuessButton.Press();
            const std::string mine = Form().MyGuessText.Text();
            if (Functions::GameUnrecorded && mine.size() == 5)
                Form()
                    .CountButtons()[static_cast<std::size_t>(Functions::MatchCount(mine, "JAZZY"))]
                    ->Press();
        }
        Form().YourGuessText.SetText(Functions::MyWord);
        Form().GuessButton.Press();
        QVERIFY(Form().GameReview.Enabled());  // the game is over and recorded
        Forms::DropAll();
        Functions::ResetModuleState();
        Form().Show();
        QVERIFY(QTest::qWaitForWindowActive(&Window()));
    }
    CreditsForm& Credits() { return CreditsForm::Instance(); }
    QuibblyForm& Form() { return QuibblyForm::Instance(); }
    FormWindow& Window() { return *platform_->windows.WindowOf(Form()); }
    QWidget* WidgetOf(const Control& control) { return Window().WidgetOf(control); }
    QLineEdit* Line(const Control& control) { return qobject_cast<QLineEdit*>(WidgetOf(control)); }
    // Types the player's word and Enter; the level file holds three words,
    // and the computer takes PLANT unless told otherwise.
    void StartWithEnter(const char* word, double mine = 0.5) {
        platform_->NextRandom(mine);
        platform_->NextRandom(0.9);  // the player goes first
        QTest::keyClicks(Line(Form().YourWordText), QString::fromLatin1(word));
        QTest::keyClick(Line(Form().YourWordText), Qt::Key_Return);
    }

    std::unique_ptr<WidgetPlatform> platform_;
    std::unique_ptr<QTemporaryDir> folder_;
    QString previous_;
};

}  // namespace quibbly

QTEST_MAIN(quibbly::WindowWidgetsTest)
#include "window_widgets_test.moc"
