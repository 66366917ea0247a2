// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as real widgets: only what the widget layer alone can get wrong
// (places, painting, keys, focus, real message boxes); the headless tests cover
// the game behind them. Each case starts a fresh program in a temporary folder.
#include <QtTest>
#include <QtWidgets>

#include "engine/functions.h"
#include "platform/common_dialog.h"
#include "platform/qt/control_builders.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_windows.h"
#include "platform/scripted_platform.h"
#include "records/saved_game.h"
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
        WriteLines("easy.wtf", {"3", "HOUSE", "PLANT", "CRISP"});
        WriteLines("master.wtf", {"14", "BLIMP", "CRISP", "EERIE", "HORSE", "HOUSES", "LEVEL", "MOUSE",
                                  "PLANT", "ROUSE", "SHOUT", "THEME", "TOUSE", "HOSED"});
        WriteLines("series.wtf",
                   {"BLIMP", "CRISP", "HOUSE", "MOUSE H>M", "ROUSE H>R", "HORSE U>R", "PLANT", ""});
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

    void mainWindowFollowsItsDesign() {
        FormWindow& window = Window();
        QCOMPARE(window.Client()->size(), QSize(703, 511));
        QCOMPARE(window.size(), QSize(703, 511 + window.menuBar()->height()));
        QCOMPARE(window.minimumSize(), window.size());

        // Every widget where its design puts it, within its container's widget.
        for (Control* control : Form().Controls()) {
            if (control->Kind() == ControlKind::MenuItem) continue;
            const Place& place = control->Design().place;
            const auto* pic = dynamic_cast<const PictureBox*>(control);  // may have moved
            const QPoint at = pic ? QPoint(pic->Left(), pic->Top()) : QPoint(place.left, place.top);
            QWidget* widget = WidgetOf(*control);
            const char* name = control->Name().c_str();
            QVERIFY2(widget != nullptr, name);
            QWidget* parent = control->Container() ? WidgetOf(*control->Container()) : window.Client();
            QVERIFY2(widget->parentWidget() == parent, name);
            QVERIFY2(widget->geometry() == QRect(at / 15, QSize(place.width, place.height) / 15), name);
        }
        // The faces lie stacked with the sad one showing.
        QVERIFY(WidgetOf(Form().FaceSad)->isVisible());
        for (PictureBox* face : {&Form().FaceHappy, &Form().FaceNeutral})
            QVERIFY(WidgetOf(*face)->pos() == WidgetOf(Form().FaceSad)->pos() &&
                    !WidgetOf(*face)->isVisible());

        QCOMPARE(window.Client()->grab().toImage().pixelColor(4, 4), QColor(128, 128, 255));
        // Each face is whole within its box: the box's last column shows only the window's colour.
        for (const PictureBox* face : {&Form().FaceSad, &Form().FaceHappy, &Form().FaceNeutral}) {
            const QImage shot = WidgetOf(*face)->grab().toImage();
            const QRect edge(shot.width() - 1, 0, 1, shot.height());
            QVERIFY2(CountNear(shot, edge, QColor(128, 128, 255), 0) == shot.height(), face->Name().c_str());
        }
        // A disabled text box writes in grey, as on any desktop.
        Form().MyGuessText.SetText("HOUSE");
        const QPalette pal = Line(Form().MyGuessText)->palette();
        QVERIFY(!Line(Form().MyGuessText)->isEnabled());
        QVERIFY(pal.color(QPalette::Disabled, QPalette::Text).lightness() >
                pal.color(QPalette::Active, QPalette::Text).lightness() + 60);

        // Assistive tools hear each control by its caption or by the label that heads it.
        auto heard = [this](const Control& control) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(WidgetOf(control));
            return face != nullptr ? face->text(QAccessible::Name) : QString();
        };
        const std::pair<const Control*, const char*> names[] = {
            {&Form().MyGuessText, "My Guess"},       {&Form().YourWordText, "Your Word"},
            {&Form().YourGuessText, "Your Guess"},   {&Form().MyGuessList, "My Old Guesses"},
            {&Form().YourGuessList, "Old Guesses"},  {&Form().ScratchPadText, "Scratch Pad"},
            {&Form().CorrectButton, "Correct Word"}, {&Form().FaceSad, "Face sad"}};
        for (const auto& [control, name] : names) QCOMPARE(heard(*control), QString::fromLatin1(name));
        for (Control* control : Form().Controls()) {
            const auto* label = dynamic_cast<const Label*>(control);
            if (control->Kind() == ControlKind::MenuItem || control->Kind() == ControlKind::Frame ||
                (label != nullptr && label->Caption().empty()))
                continue;
            QVERIFY2(!heard(*control).isEmpty(), control->Name().c_str());
        }
        // A caption a little too wide for its label is drawn smaller, not clipped.
        auto* turn = qobject_cast<QLabel*>(WidgetOf(Form().Label6));
        QCOMPARE(turn->text(), QStringLiteral("Turn Number:"));
        QVERIFY(QFontMetrics(turn->font()).horizontalAdvance(turn->text()) <= turn->contentsRect().width());

        // Qt would flip a checked menu item off when it is chosen again.
        QAction* medium = window.ActionOf(Form().LevelMedium);
        for (int time = 0; time < 2; ++time) medium->trigger();
        QVERIFY(medium->isChecked() && !window.ActionOf(Form().LevelEasy)->isChecked());

        QVERIFY(window.grab().save(Shot("main_window")));

        // The main window alone has a maximise button; maximised, its client
        // area keeps its size in the middle.
        QVERIFY(window.windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(!(platform_->windows.WindowOf(ThinkingForm::Instance())->windowFlags() &
                  Qt::WindowMaximizeButtonHint));
        const QSize designed = window.size();
        window.showMaximized();
        // At a large scale the offscreen screen is smaller than the design.
        const QSize screen = window.screen()->availableSize();
        if (screen.width() > designed.width() && screen.height() > designed.height())
            QTRY_VERIFY(window.width() > designed.width() && window.height() > designed.height());
        QCOMPARE(window.Client()->size(), QSize(703, 511));
        const QPoint middle = window.Client()->mapTo(&window, window.Client()->rect().center());
        QVERIFY(std::abs(middle.x() - window.width() / 2) <= 1);
        QVERIFY(window.grab().save(Shot("main_window_maximised")));
        window.showNormal();
        QTRY_COMPARE(window.size(), designed);
        // Closing the main window by its frame is File > Exit: the credits.
        window.close();
        QVERIFY(window.isVisible() && CreditsForm::Instance().Visible() && !platform_->ended);
    }

    void typingStartsAGame() {
        QLineEdit* word = Line(Form().YourWordText);
        QCOMPARE(QApplication::focusWidget(), word);
        QCOMPARE(word->maxLength(), 5);
        QTest::keyClicks(word, QStringLiteral("housekx"));  // capitals, five at most
        QCOMPARE(word->text(), QStringLiteral("HOUSE"));
        QCOMPARE(Form().YourWordText.Text(), std::string("HOUSE"));

        // Enter starts the game and inserts nothing.
        StartWithEnter("");
        QCOMPARE(word->text(), QStringLiteral("HOUSE"));
        QLineEdit* guess = Line(Form().YourGuessText);
        QCOMPARE(QApplication::focusWidget(), guess);
        QTest::keyClicks(guess, QStringLiteral("crisp"));
        QTest::keyClick(guess, Qt::Key_Return);
        QVERIFY(Window().grab().save(Shot("main_window_playing")));
    }

    void menuShortcutsActFromTextBoxes() {
        StartWithEnter("house");
        QLineEdit* guess = Line(Form().YourGuessText);
        int series = 0;
        Form().WordSeries.Click = [&series] { ++series; };
        QTest::keyClicks(guess, QStringLiteral("pla"));
        QTest::keyClick(guess, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(series, 1);
        guess->selectAll();
        QTest::keyClick(guess, Qt::Key_X, Qt::ControlModifier);  // Exit, not Cut
        QVERIFY(Credits().Visible());
        QCOMPARE(guess->text(), QStringLiteral("PLA"));

        // The scratch pad's own Ctrl+X gives way as well.
        Credits().Hide();
        Window().activateWindow();
        auto* pad = qobject_cast<QPlainTextEdit*>(WidgetOf(Form().ScratchPadText));
        pad->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), pad);
        QTest::keyClicks(pad, QStringLiteral("notes"));
        pad->selectAll();
        QTest::keyClick(pad, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(Credits().Visible());
        QCOMPARE(pad->toPlainText(), QStringLiteral("notes"));
        Window().activateWindow();

        // Ctrl+Q quits the game from the guess box.
        guess->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), guess);
        QTest::keyClick(guess, Qt::Key_Q, Qt::ControlModifier);
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

    void thinkingWindowLooksRight() {
        ThinkingForm& thinking = ThinkingForm::Instance();
        thinking.Show();
        FormWindow& window = *platform_->windows.WindowOf(thinking);
        QVERIFY(window.isVisible());
        QCOMPARE(window.frameGeometry().top(), Window().frameGeometry().top() + 300 / 15);

        // Yellow writing on the salmon background.
        const QImage shot = window.grab().toImage();
        QCOMPARE(shot.pixelColor(2, 2), QColor(255, 128, 128));
        const QRect area = window.WidgetOf(thinking.Label1)->geometry();
        const qreal ratio = shot.devicePixelRatio();
        const int yellow =
            CountNear(shot, QRect(area.topLeft() * ratio, area.size() * ratio), QColor(255, 255, 128));
        QVERIFY2(yellow > 40, qPrintable(QString::number(yellow)));
        QVERIFY(shot.save(Shot("thinking_window")));
    }

    void winnersWindowsShowTheirRowsOverTheirColours() {
        WriteLines("Win.Lst",
                   {"Ann         Easy    3 Guesses  05/12/2026", "Bob         Hard    4 Guesses  1/2/26",
                    "Bartholome  Easy   12 Guesses  06/12/2026"});
        StartWithEnter("house");
        Functions::TurnNumber = 13;
        Form().TurnLabel.SetCaption("13");
        QTest::keyClicks(Line(Form().YourGuessText), QStringLiteral("plant\r"));

        // Worse than the worst row: the main window goes and the name window,
        // owned by it, comes without a title bar and takes the keyboard.
        PlayerForm& name = PlayerForm::Instance();
        FormWindow& nameWindow = *platform_->windows.WindowOf(name);
        QVERIFY(nameWindow.isVisible() && !Window().isVisible());
        QVERIFY(nameWindow.windowFlags() & Qt::FramelessWindowHint);
        QLineEdit* box = qobject_cast<QLineEdit*>(nameWindow.WidgetOf(name.NameText));
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, QStringLiteral("Christopher"));
        QCOMPARE(box->text(), QStringLiteral("Christophe"));
        QVERIFY(nameWindow.grab().save(Shot("name_window")));
        QTest::keyClick(box, Qt::Key_Return);

        // The rows on the page in a fixed-pitch font that fits the labels.
        WinnersForm& winners = WinnersForm::Instance();
        FormWindow& winnersWindow = *platform_->windows.WindowOf(winners);
        QVERIFY(winnersWindow.isVisible() && !nameWindow.isVisible());
        auto* first = qobject_cast<QLabel*>(winnersWindow.WidgetOf(winners.WinnersLabel(0)));
        QCOMPARE(first->text(), QStringLiteral("Ann         Easy    3 Guesses  05/12/2026"));
        QVERIFY(QFontInfo(first->font()).fixedPitch());
        QVERIFY(QFontMetrics(first->font()).horizontalAdvance(first->text()) <= first->width());
        QTRY_COMPARE(QApplication::focusWidget(), winnersWindow.WidgetOf(winners.OKButton));
        const QImage shot = winnersWindow.grab().toImage();
        QVERIFY(shot.save(Shot("winners_window")));
        auto at = [&shot](int x, int y) { return shot.pixelColor(QPoint(x, y) * shot.devicePixelRatio()); };
        QCOMPARE(at(250, 200), QColor(255, 255, 255));                 // the page between the rows
        QVERIFY(at(100, 20).red() > 200 && at(100, 20).blue() < 120);  // a yellow pencil
        QTest::mouseClick(winnersWindow.WidgetOf(winners.OKButton), Qt::LeftButton);
        QVERIFY(!winnersWindow.isVisible() && Window().isVisible());
    }

    void realMessageBoxIsModalAndAnswered() {
        QtPlatform real;
        SeenBox seen;
        AnswerNextBox(QMessageBox::No, seen);
        QCOMPARE(real.MsgBox("Play again?", MsgButtons::YesNo, MsgIcon::None, ""), MsgAnswer::No);
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.modality, Qt::ApplicationModal);
        AnswerNextBox(QMessageBox::Yes, seen);
        QCOMPARE(real.MsgBox("Play again?", MsgButtons::YesNo, MsgIcon::None, ""), MsgAnswer::Yes);

        AnswerNextBox(QMessageBox::Ok, seen);
        QCOMPARE(real.MsgBox("Wrong", MsgButtons::OK, MsgIcon::Exclamation, "Count"), MsgAnswer::OK);
        QCOMPARE(seen.title, QStringLiteral("Count"));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void startUpWindowIsPaintedThenGivesWayToTheMainWindow() {
        Forms::DropAll();
        bool seen = false;
        platform_->duringSleep = [this, &seen] {
            if (seen) return;
            seen = true;
            IntroForm& intro = IntroForm::Instance();
            FormWindow& window = *platform_->windows.WindowOf(intro);
            QVERIFY(window.isVisible() && window.windowFlags().testFlag(Qt::FramelessWindowHint));
            QCOMPARE(window.Client()->size(), QSize(794, 594));
            const QImage shot = window.grab().toImage();
            QVERIFY(shot.save(Shot("start_up_window")));
            const qreal ratio = shot.devicePixelRatio();
            auto scaled = [ratio](QRect area) { return QRect(area.topLeft() * ratio, area.size() * ratio); };
            // The small picture's yellow face and the cyan "Loading...".
            const QRect picture = window.WidgetOf(intro.Image1)->geometry();
            QVERIFY(CountNear(shot, scaled(picture), QColor(255, 212, 58), 40) > 500 * ratio * ratio);
            QVERIFY(CountNear(shot, scaled(window.WidgetOf(intro.Label3)->geometry()),
                              QColor(128, 255, 255)) > 40);
            QVERIFY(!Form().Visible());
        };
        IntroForm& intro = IntroForm::Instance();
        QVERIFY(seen);
        QVERIFY(!platform_->windows.WindowOf(intro)->isVisible());
        QVERIFY(Window().isVisible());
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

    void aboutAndCreditsLookAsDesigned() {
        Form().HelpAbout.Choose();
        AboutForm& about = AboutForm::Instance();
        FormWindow& aboutWindow = *platform_->windows.WindowOf(about);
        QVERIFY(QTest::qWaitForWindowActive(&aboutWindow));
        QCOMPARE(aboutWindow.windowTitle(), QStringLiteral("About Quibbly"));
        QVERIFY(!aboutWindow.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QCOMPARE(aboutWindow.Client()->size(), QSize(316, 170));
        QTRY_COMPARE(QApplication::focusWidget(), aboutWindow.WidgetOf(about.OKButton));
        auto* version = qobject_cast<QLabel*>(aboutWindow.WidgetOf(about.Label2));
        QCOMPARE(version->text(), QStringLiteral("Version 1.6"));
        QVERIFY(aboutWindow.grab().save(Shot("about_window")));
        // Enter presses the focused OK, as on any desktop.
        QTest::keyClick(aboutWindow.WidgetOf(about.OKButton), Qt::Key_Return);
        QVERIFY(!aboutWindow.isVisible());

        QTRY_VERIFY(Window().isActiveWindow());  // the About window hands the keyboard back
        QTest::keyClick(Line(Form().YourWordText), Qt::Key_X, Qt::ControlModifier);
        CreditsForm& credits = Credits();
        FormWindow& creditsWindow = *platform_->windows.WindowOf(credits);
        QVERIFY(creditsWindow.isVisible());
        QVERIFY(creditsWindow.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(creditsWindow.Client()->size(), QSize(465, 487));
        const QImage shot = creditsWindow.grab().toImage();
        QVERIFY(shot.save(Shot("credits_window")));
        QCOMPARE(shot.pixelColor(2, 2), QColor(255, 192, 255));
        for (const Control* control : credits.Controls()) {
            auto* label = qobject_cast<QLabel*>(creditsWindow.WidgetOf(*control));
            if (label == nullptr) continue;
            QCOMPARE(QFontInfo(label->font()).family(), QStringLiteral("EB Garamond"));
            QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->text()));
        }
        const qreal ratio = shot.devicePixelRatio();
        const QRect title = creditsWindow.WidgetOf(credits.Label1)->geometry();
        QVERIFY(CountNear(shot, QRect(title.topLeft() * ratio, title.size() * ratio), QColor(255, 0, 0)) >
                40);
        // The main window stays in play beside the credits.
        QVERIFY(Line(Form().YourWordText)->isEnabled());
        QTest::mouseClick(creditsWindow.WidgetOf(credits.DoneButton), Qt::LeftButton);
        QVERIFY(platform_->ended);
    }

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
        // Every link of the help leads somewhere in it.
        for (QTextBlock block = help.begin(); block.isValid(); block = block.next())
            for (auto part = block.begin(); !part.atEnd(); ++part) {
                const QString target = part.fragment().charFormat().anchorHref();
                if (target.startsWith(QLatin1Char('#')))
                    QVERIFY2(help.toHtml().contains(QStringLiteral("name=\"%1\"").arg(target.mid(1))),
                             qPrintable(target));
            }
        // Every menu item of the main window is explained.
        for (const MenuItem* menu : Form().Menus())
            for (const MenuItem* item : menu->Items())
                if (!item->IsSeparator())
                    QVERIFY2(text.contains(QString::fromStdString(item->Caption()).remove(QLatin1Char('&'))),
                             item->Caption().c_str());
        QVERIFY(viewer.grab().save(Shot("help_viewer")));
    }

    // The save-and-load window: its frame and places, the pattern box
    // switching the file list, and a double-click that loads.
    void gameWindowSwitchesPatternAndLoadsOnADoubleClick() {
        QDir().mkdir(QStringLiteral("games"));
        for (const char* name : {"b.swg", "notes.txt"})
            QFile(QString::fromLatin1(name)).open(QIODevice::WriteOnly);
        QVERIFY(SavedGame::SaveGame("a.swg"));  // a game saved before any game
        Window().ActionOf(Form().FileLoad)->trigger();
        GameForm& game = GameForm::Instance();
        FormWindow* window = platform_->windows.WindowOf(game);
        QVERIFY(QTest::qWaitForWindowActive(window));  // ready for typing
        QCOMPARE(window->windowTitle(), QStringLiteral("Load Game"));
        QCOMPARE(window->Client()->size(), QSize(354, 302));
        QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));
        for (Control* control : game.Controls())
            QVERIFY2(window->WidgetOf(*control)->geometry() == ToPixels(control->Design().place),
                     control->Name().c_str());
        auto* label = qobject_cast<QLabel*>(window->WidgetOf(game.Label1));
        QCOMPARE(label->text(), QStringLiteral("Load from"));
        QVERIFY(label->alignment() & Qt::AlignRight);
        auto* name = qobject_cast<QLineEdit*>(window->WidgetOf(game.FileText));
        QCOMPARE(name->text(), QStringLiteral(".swg"));
        auto* files = qobject_cast<QListWidget*>(window->WidgetOf(game.File1));
        QCOMPARE(Rows(files), (QStringList{"a.swg", "b.swg"}));
        auto* folders = qobject_cast<QListWidget*>(window->WidgetOf(game.Dir1));
        QCOMPARE(folders->item(folders->count() - 1)->text().trimmed(), QStringLiteral("games"));
        QCOMPARE(folders->currentRow(), folders->count() - 2);  // the open folder
        QVERIFY(window->grab().save(Shot("load_window")));

        // The pattern box: "*.*" lists every file, "*.swg" the saved games again.
        auto* pattern = qobject_cast<QComboBox*>(window->WidgetOf(game.TypeCombo));
        QCOMPARE(pattern->currentText(), QStringLiteral("*.swg"));
        QTest::keyClick(pattern, Qt::Key_Down);
        QCOMPARE(Rows(files),
                 (QStringList{"a.swg", "b.swg", "easy.wtf", "master.wtf", "notes.txt", "series.wtf"}));
        QTest::keyClick(pattern, Qt::Key_Up);
        QCOMPARE(Rows(files), (QStringList{"a.swg", "b.swg"}));
        // Typing a pattern does not change the list.
        pattern->setEditText(QStringLiteral("*.txt"));
        QCOMPARE(game.TypeCombo.Text(), "*.txt");
        QCOMPARE(Rows(files), (QStringList{"a.swg", "b.swg"}));

        // Save mode: its captions on the same window.
        Window().ActionOf(Form().FileSave)->trigger();
        QCOMPARE(window->windowTitle(), QStringLiteral("Save Game"));
        QCOMPARE(qobject_cast<QLabel*>(window->WidgetOf(game.Label3))->text(),
                 QStringLiteral("Save as type:"));
        QCOMPARE(qobject_cast<QPushButton*>(window->WidgetOf(game.LoadButton))->text(),
                 QStringLiteral("Save"));
        QVERIFY(window->grab().save(Shot("save_window")));

        // Load mode again; a double-click on a file loads it and closes the window.
        Window().ActionOf(Form().FileLoad)->trigger();
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
        QCOMPARE(window->frameGeometry().top(), Window().frameGeometry().top() + 900 / 15);
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
        QCOMPARE(Form().YourGuessText.Text(), std::string("HOUSE"));
        QVERIFY(hint.HintList.ListCount() > 0 &&
                hint.HintList.ListCount() < master.filter(QStringLiteral("E")).size());
        QVERIFY(!hint.Searching && hint.ShowButton.Enabled());
        QCOMPARE(list->count(), hint.HintList.ListCount());
        auto* bar = qobject_cast<QProgressBar*>(window->WidgetOf(hint.ProgressBar));
        QVERIFY(bar->value() < bar->maximum() && bar->maximum() == 2001);
        QVERIFY(window->grab().save(Shot("hint_window")));
    }

    // The other tools: places, focus, keys, and activation that closes Idea.
    void toolWindowsTakeKeysAndCloseOnActivation() {
        StartWithEnter("crisp", 0.1);  // the computer holds HOUSE
        Window().ActionOf(Form().WordSeries)->trigger();
        SeriesForm& series = SeriesForm::Instance();
        FormWindow* window = platform_->windows.WindowOf(series);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClicks(window->WidgetOf(series.WordText), QStringLiteral("house"));
        QTest::keyClick(window->WidgetOf(series.WordText), Qt::Key_Return);
        QCOMPARE(series.SeriesList.ListCount(), 4);
        QVERIFY(window->grab().save(Shot("series_window")));

        Window().ActionOf(Form().WordMatch)->trigger();
        MatchForm& match = MatchForm::Instance();
        window = platform_->windows.WindowOf(match);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(window->frameGeometry().top(), Window().frameGeometry().top() + 1200 / 15);
        QTest::keyClicks(window->WidgetOf(match.MatchText), QStringLiteral("ohx"));
        QTest::keyClick(window->WidgetOf(match.MatchText), Qt::Key_Return);
        QCOMPARE(match.MatchLabel.Caption(), std::string("HO- - - "));
        QVERIFY(!Window().ActionOf(Form().WordMatch)->isEnabled());
        QVERIFY(window->grab().save(Shot("match_window")));

        Window().ActionOf(Form().WordIdea)->trigger();
        IdeaForm& idea = IdeaForm::Instance();
        window = platform_->windows.WindowOf(idea);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(QApplication::focusWidget(), window->WidgetOf(idea.NewButton));
        QVERIFY(window->grab().save(Shot("idea_window")));
        Window().activateWindow();
        QTRY_VERIFY(!window->isVisible());
    }

private:
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