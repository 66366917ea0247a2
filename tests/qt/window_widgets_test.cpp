// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as real widgets: what the player sees and what keys, clicks and
// menus do there. Each case starts a fresh program in a temporary folder with
// small word files; message boxes are recorded and answered at once.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "engine/functions.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_windows.h"
#include "platform/scripted_platform.h"
#include "windows/main/quibbly_form.h"
#include "windows/other/thinking_form.h"

namespace quibbly {
namespace {

// Scripted services with real windows, so that no case waits on a modal box.
class WidgetPlatform : public ScriptedPlatform {
public:
    void FormCreated(Form& form) override { windows.Create(form); }
    void FormDestroyed(Form& form) override { windows.Destroy(form); }
    QtWindows windows;
};

void WriteLines(const char* name, std::initializer_list<const char*> lines) {
    QFile file(QString::fromLatin1(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const char* line : lines) file.write(QByteArray(line) + "\r\n");
}

QString ScreenshotPath(const char* name) {
    QDir().mkpath(QStringLiteral(QUIBBLY_SCREENSHOT_DIR));
    return QStringLiteral(QUIBBLY_SCREENSHOT_DIR "/") + QString::fromLatin1(name);
}

bool Near(const QColor& shown, const QColor& wanted, int tolerance = 12) {
    return std::abs(shown.red() - wanted.red()) <= tolerance &&
           std::abs(shown.green() - wanted.green()) <= tolerance &&
           std::abs(shown.blue() - wanted.blue()) <= tolerance;
}

QString Text(const std::string& text) {
    return QString::fromLatin1(text.c_str());
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
    void initTestCase();
    void init();
    void cleanup();
    void mainWindowFollowsItsDesign();
    void typingAndPlayingATurn();
    void menuShortcutsActFromTextBoxes();
    void tabOrderFollowsDesign();
    void letterButtonsShowTheirColours();
    void thinkingWindowLooksRight();
    void messageBoxesAreModalAndAnswered();

private:
    QuibblyForm& Form() { return QuibblyForm::Instance(); }
    FormWindow& Window() { return *platform_->windows.WindowOf(Form()); }
    QWidget* WidgetOf(const Control& control) { return Window().WidgetOf(control); }
    template <class W>
    W* As(const Control& control) {
        return qobject_cast<W*>(WidgetOf(control));
    }
    QAction* ActionOf(const MenuItem& item) { return Window().ActionOf(item); }
    // Types the player's word and Enter; the level file holds three words.
    void StartWithEnter(const char* word, int mineIndex, bool playerFirst);
    // The controls Tab visits from the focus round to it again, by name.
    QStringList TabRound();

    std::unique_ptr<WidgetPlatform> platform_;
    std::unique_ptr<QTemporaryDir> folder_;
    QString previous_;
};

void WindowWidgetsTest::initTestCase() {
    QApplication::setApplicationName(QStringLiteral("Quibbly"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

void WindowWidgetsTest::init() {
    previous_ = QDir::currentPath();
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    QDir::setCurrent(folder_->path());
    WriteLines("easy.wtf", {"3", "HOUSE", "PLANT", "CRISP"});
    WriteLines("master.wtf", {"14", "BLIMP", "CRISP", "EERIE", "HORSE", "HOUSES", "LEVEL", "MOUSE", "PLANT",
                              "ROUSE", "SHOUT", "THEME", "TOUSE", "HOSED"});
    WriteLines("series.wtf", {"BLIMP", "CRISP", "HOUSE", "MOUSE H>M", "ROUSE H>R", "HORSE U>R", "PLANT", ""});
    platform_ = std::make_unique<WidgetPlatform>();
    InstallPlatform(platform_.get());
    Forms::DropAll();
    Functions::ResetModuleState();
    Form().Show();
    QVERIFY(QTest::qWaitForWindowActive(&Window()));
}

void WindowWidgetsTest::cleanup() {
    Forms::DropAll();
    InstallPlatform(nullptr);
    platform_.reset();
    QDir::setCurrent(previous_);
    folder_.reset();
}

void WindowWidgetsTest::StartWithEnter(const char* word, int mineIndex, bool playerFirst) {
    platform_->NextRandom((mineIndex + 0.5) / 3);
    platform_->NextRandom(playerFirst ? 0.9 : 0.1);
    auto* box = As<QLineEdit>(Form().YourWordText);
    QTest::keyClicks(box, QString::fromLatin1(word));
    QTest::keyClick(box, Qt::Key_Return);
}

QStringList WindowWidgetsTest::TabRound() {
    QWidget* start = QApplication::focusWidget();
    QStringList names{start ? start->objectName() : QString()};
    for (int step = 0; step < 80; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == start) break;
        names << QApplication::focusWidget()->objectName();
    }
    return names;
}

void WindowWidgetsTest::mainWindowFollowsItsDesign() {
    FormWindow& window = Window();
    QCOMPARE(window.windowTitle(), QStringLiteral("Quibbly"));
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.Client()->size(), QSize(703, 511));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.size(), QSize(703, 511 + window.menuBar()->height()));

    // Every widget where its design puts it, within its container's widget.
    for (Control* control : Form().Controls()) {
        if (control->Kind() == ControlKind::MenuItem) continue;
        Place place = control->Design().place;
        if (const auto* picture = dynamic_cast<const PictureBox*>(control)) {
            place.left = picture->Left();
            place.top = picture->Top();
        }
        QWidget* widget = WidgetOf(*control);
        const char* name = control->Name().c_str();
        QVERIFY2(widget != nullptr, name);
        QVERIFY2(widget->parentWidget() ==
                     (control->Container() ? WidgetOf(*control->Container()) : window.Client()),
                 name);
        QVERIFY2(
            widget->geometry() == QRect(place.left / 15, place.top / 15, place.width / 15, place.height / 15),
            name);
    }
    QCOMPARE(WidgetOf(Form().Frame2)->geometry(), QRect(216, 256, 465, 233));
    QCOMPARE(WidgetOf(Form().Frame3)->geometry(), QRect(24, 16, 177, 225));

    // The faces lie stacked with the sad one showing.
    for (PictureBox* face : {&Form().FaceSad, &Form().FaceHappy, &Form().FaceNeutral})
        QCOMPARE(WidgetOf(*face)->pos(), QPoint(48, 112));
    QVERIFY(WidgetOf(Form().FaceSad)->isVisible());
    QVERIFY(!WidgetOf(Form().FaceHappy)->isVisible());
    QVERIFY(!WidgetOf(Form().FaceNeutral)->isVisible());

    // Colours and fonts as painted.
    const QImage client = window.Client()->grab().toImage();
    QCOMPARE(client.pixelColor(4, 4), QColor(128, 128, 255));
    auto* title = As<QLabel>(Form().Label1);
    QVERIFY(title->autoFillBackground());
    QCOMPARE(title->palette().color(QPalette::Window), QColor(128, 128, 255));
    QCOMPARE(title->text(), QStringLiteral("My Guess"));
    QCOMPARE(title->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(title->font().pointSizeF(), 14.25);
    QCOMPARE(As<QLabel>(Form().Label11)->font().pointSizeF(), 12.0);
    QVERIFY(!As<QLabel>(Form().WhoLabel)->autoFillBackground());
    // A caption a little too wide for its label is drawn smaller, not clipped.
    auto* turn = As<QLabel>(Form().Label6);
    QCOMPARE(turn->text(), QStringLiteral("Turn Number:"));
    QVERIFY(QFontMetrics(turn->font()).horizontalAdvance(turn->text()) <= turn->contentsRect().width());
    QVERIFY(!WidgetOf(Form().MyGuessText)->isEnabled());
    QCOMPARE(As<QLineEdit>(Form().YourWordText)->maxLength(), 5);

    // The menus, their keys and the model's states.
    QStringList menus;
    for (QAction* action : window.menuBar()->actions()) menus << action->text();
    QCOMPARE(menus, QStringList({"&File", "&Game", "&Level", "&Word", "&Help"}));
    QCOMPARE(ActionOf(Form().FileExit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    QCOMPARE(ActionOf(Form().WordMatch)->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
    QVERIFY(ActionOf(Form().HelpSeperate)->isSeparator());
    QVERIFY(!ActionOf(Form().GamePause)->isEnabled());
    QVERIFY(ActionOf(Form().LevelEasy)->isChecked());

    // Choosing a level moves the tick; choosing it again keeps it.
    ActionOf(Form().LevelMedium)->trigger();
    QVERIFY(ActionOf(Form().LevelMedium)->isChecked());
    QVERIFY(!ActionOf(Form().LevelEasy)->isChecked());
    QCOMPARE(As<QLabel>(Form().GameLabel)->text(), QStringLiteral("Medium"));
    ActionOf(Form().LevelMedium)->trigger();
    QVERIFY(ActionOf(Form().LevelMedium)->isChecked());
    ActionOf(Form().LevelEasy)->trigger();
    QCOMPARE(As<QLabel>(Form().GameLabel)->text(), QStringLiteral("Easy"));

    QVERIFY(window.grab().save(ScreenshotPath("main_window.png")));

    // Closing the main window by its frame ends the program.
    QVERIFY(!platform_->ended);
    window.close();
    QVERIFY(platform_->ended);
}

void WindowWidgetsTest::typingAndPlayingATurn() {
    auto* word = As<QLineEdit>(Form().YourWordText);
    QCOMPARE(QApplication::focusWidget(), word);
    QTest::keyClicks(word, QStringLiteral("hou"));
    QCOMPARE(word->text(), QStringLiteral("HOU"));
    QCOMPARE(Form().YourWordText.Text(), std::string("HOU"));
    QTest::keyClick(word, Qt::Key_Backspace);
    QCOMPARE(Form().YourWordText.Text(), std::string("HO"));
    QTest::keyClicks(word, QStringLiteral("usekx"));  // five letters at most
    QCOMPARE(word->text(), QStringLiteral("HOUSE"));
    QCOMPARE(Form().YourWordText.Text(), std::string("HOUSE"));

    // Enter starts the game and inserts nothing.
    StartWithEnter("", 1, true);
    QCOMPARE(word->text(), QStringLiteral("HOUSE"));
    QVERIFY(!word->isEnabled());
    QVERIFY(!ActionOf(Form().GameStart)->isEnabled());
    QVERIFY(ActionOf(Form().GamePause)->isEnabled());
    QCOMPARE(As<QLabel>(Form().WhoLabel)->text(), QStringLiteral("It's Your Turn"));
    auto* guess = As<QLineEdit>(Form().YourGuessText);
    QVERIFY(guess->isEnabled());
    QCOMPARE(QApplication::focusWidget(), guess);
    QVERIFY(platform_->TakeBoxes().empty());

    // The player's guess goes in with Enter; the computer then guesses.
    QTest::keyClicks(guess, QStringLiteral("crisp"));
    QTest::keyClick(guess, Qt::Key_Return);
    std::vector<ShownBox> boxes = platform_->TakeBoxes();
    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(boxes[0].title, std::string("Your Guess"));
    auto* yourList = As<QListWidget>(Form().YourGuessList);
    QCOMPARE(yourList->count(), 1);
    QCOMPARE(yourList->item(0)->text(), Text(boxes[0].text));
    QCOMPARE(yourList->currentRow(), 0);

    // The computer's guess shows clearly in its disabled box.
    auto* mine = As<QLineEdit>(Form().MyGuessText);
    const std::string computerGuess = Form().MyGuessText.Text();
    QCOMPARE(computerGuess.size(), std::size_t{5});
    QCOMPARE(mine->text(), Text(computerGuess));
    QVERIFY(!mine->isEnabled());
    QCOMPARE(mine->palette().color(QPalette::Disabled, QPalette::Text), QColor(Qt::black));
    QVERIFY(WidgetOf(Form().CorrectButton)->isEnabled());
    QVERIFY(!platform_->windows.WindowOf(ThinkingForm::Instance())->isVisible());
    QVERIFY(Window().grab().save(ScreenshotPath("main_window_playing.png")));

    // The true count, clicked on its button, is taken without complaint.
    const int count = Functions::MatchCount(computerGuess, "HOUSE");
    QTest::mouseClick(WidgetOf(*Form().CountButtons()[static_cast<std::size_t>(count)]), Qt::LeftButton);
    QVERIFY(platform_->TakeBoxes().empty());
    auto* myList = As<QListWidget>(Form().MyGuessList);
    QCOMPARE(myList->count(), 1);
    QCOMPARE(myList->item(0)->text(), Text(Form().MyGuessList.List(0)));
    QVERIFY(myList->item(0)->text().startsWith(Text(computerGuess)));
    QCOMPARE(myList->currentRow(), 0);
    QCOMPARE(mine->text(), QString());
    QCOMPARE(As<QLabel>(Form().TurnLabel)->text(), QStringLiteral("2"));
    // The thinking window has come and gone; the keyboard is back in the guess box.
    QTRY_COMPARE(QApplication::focusWidget(), guess);
}

void WindowWidgetsTest::menuShortcutsActFromTextBoxes() {
    StartWithEnter("house", 1, true);
    auto* guess = As<QLineEdit>(Form().YourGuessText);
    QCOMPARE(QApplication::focusWidget(), guess);
    int series = 0;
    int ideas = 0;
    Form().WordSeries.Click = [&series] { ++series; };
    Form().WordIdea.Click = [&ideas] { ++ideas; };

    QTest::keyClicks(guess, QStringLiteral("pla"));
    QTest::keyClick(guess, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(series, 1);
    QCOMPARE(guess->text(), QStringLiteral("PLA"));
    guess->selectAll();
    QTest::keyClick(guess, Qt::Key_X, Qt::ControlModifier);  // Exit, not Cut
    QVERIFY(platform_->ended);
    QCOMPARE(guess->text(), QStringLiteral("PLA"));

    // The scratch pad's own Ctrl keys give way as well; it takes small letters.
    platform_->ended = false;
    auto* pad = As<QPlainTextEdit>(Form().ScratchPadText);
    pad->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), pad);
    QCOMPARE(Form().Focus(), &Form().ScratchPadText);
    QTest::keyClicks(pad, QStringLiteral("notes"));
    QCOMPARE(Form().ScratchPadText.Text(), std::string("notes"));
    pad->selectAll();
    QTest::keyClick(pad, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(pad, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(ideas, 1);
    QVERIFY(platform_->ended);
    QCOMPARE(pad->toPlainText(), QStringLiteral("notes"));

    // Ctrl+Q quits the game from the guess box.
    guess->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), guess);
    QTest::keyClick(guess, Qt::Key_Q, Qt::ControlModifier);
    const std::vector<ShownBox> boxes = platform_->TakeBoxes();
    QCOMPARE(boxes.size(), std::size_t{2});
    QCOMPARE(boxes[0].text, std::string("My word was PLANT"));
    QCOMPARE(boxes[1].title, std::string("You quit the game."));
    QVERIFY(!guess->isEnabled());
    QCOMPARE(guess->text(), QStringLiteral("PLA"));
}

void WindowWidgetsTest::tabOrderFollowsDesign() {
    // The designed order among the enabled controls that take the focus.
    auto designed = [this](const Control& start) {
        const std::vector<Control*>& tabs = Form().TabOrder();
        const auto first = std::find(tabs.begin(), tabs.end(), &start) - tabs.begin();
        QStringList names;
        for (std::size_t i = 0; i < tabs.size(); ++i) {
            const Control& control = *tabs[(static_cast<std::size_t>(first) + i) % tabs.size()];
            if (control.Enabled() && control.Visible() && control.Kind() != ControlKind::PictureBox)
                names << Text(control.Name());
        }
        return names;
    };
    QCOMPARE(QApplication::focusWidget(), WidgetOf(Form().YourWordText));
    const QStringList idle = TabRound();
    QCOMPARE(idle, QStringList({"YourWordText", "MyGuessList", "ScratchPadText"}));
    QCOMPARE(idle, designed(Form().YourWordText));

    StartWithEnter("house", 1, true);
    QCOMPARE(QApplication::focusWidget(), WidgetOf(Form().YourGuessText));
    const QStringList playing = TabRound();
    QCOMPARE(playing, designed(Form().YourGuessText));
    QCOMPARE(playing.mid(0, 4), QStringList({"YourGuessText", "GuessButton", "YourGuessList", "AButton"}));
    QVERIFY(playing.contains(QStringLiteral("ResetButton")));
    QVERIFY(!playing.contains(QStringLiteral("YourWordText")));
}

void WindowWidgetsTest::letterButtonsShowTheirColours() {
    auto* a = qobject_cast<QPushButton*>(WidgetOf(Form().LetterButton(0)));
    auto* b = qobject_cast<QPushButton*>(WidgetOf(Form().LetterButton(1)));
    auto shown = [](QPushButton* button) {
        return button->grab().toImage().pixelColor(4, button->height() / 2);
    };
    const QColor yellow(255, 255, 128), red(255, 0, 128), green(0, 255, 128);

    // Before a game the markers are off and stay yellow.
    QVERIFY(!a->isEnabled());
    QTest::mouseClick(a, Qt::LeftButton);
    QCOMPARE(Form().LetterButton(0).BackColor(), Functions::MarkerYellow);
    QVERIFY(Near(shown(a), yellow));

    StartWithEnter("house", 1, true);
    for (const QColor& next : {red, green, yellow}) {
        QTest::mouseClick(a, Qt::LeftButton);
        QCOMPARE(a->palette().color(QPalette::Button), next);
        const QColor painted = shown(a);
        QVERIFY2(Near(painted, next), qPrintable(painted.name() + " for " + next.name()));
    }
    QTest::mouseClick(a, Qt::LeftButton);
    QTest::mouseClick(b, Qt::LeftButton);
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(Near(shown(a), red));
    QVERIFY(Near(shown(b), green));
    QTest::mouseClick(WidgetOf(Form().ResetButton), Qt::LeftButton);
    QVERIFY(Near(shown(a), yellow));
    QVERIFY(Near(shown(b), yellow));
}

void WindowWidgetsTest::thinkingWindowLooksRight() {
    ThinkingForm& thinking = ThinkingForm::Instance();
    thinking.Show();
    FormWindow& window = *platform_->windows.WindowOf(thinking);
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(window.size(), QSize(304, 202));
    QCOMPARE(window.frameGeometry().top(), Window().frameGeometry().top() + 20);
    QCOMPARE(thinking.Top(), Form().Top() + 300);

    auto* label = qobject_cast<QLabel*>(window.WidgetOf(thinking.Label1));
    QCOMPARE(label->text(), QStringLiteral("I'm Thinking"));
    QCOMPARE(label->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(label->font().pointSizeF(), 18.0);
    auto* picture = qobject_cast<QLabel*>(window.WidgetOf(thinking.Image1));
    QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), QSize(92, 98));

    // Yellow writing on the salmon background.
    const QImage shot = window.grab().toImage();
    QCOMPARE(shot.pixelColor(2, 2), QColor(255, 128, 128));
    int yellow = 0;
    const QRect area = label->geometry();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            yellow += Near(shot.pixelColor(x, y), QColor(255, 255, 128), 30);
    QVERIFY2(yellow > 40, qPrintable(QString::number(yellow)));
    QVERIFY(shot.save(ScreenshotPath("thinking_window.png")));

    thinking.Hide();
    QVERIFY(!window.isVisible());
}

void WindowWidgetsTest::messageBoxesAreModalAndAnswered() {
    QtPlatform real;
    SeenBox seen;
    AnswerNextBox(QMessageBox::No, seen);
    QCOMPARE(real.MsgBox("Would you like to play again?", MsgButtons::YesNo, MsgIcon::None, ""),
             MsgAnswer::No);
    QCOMPARE(seen.text, QStringLiteral("Would you like to play again?"));
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    AnswerNextBox(QMessageBox::Yes, seen);
    QCOMPARE(real.MsgBox("Would you like to play again?", MsgButtons::YesNo, MsgIcon::None, ""),
             MsgAnswer::Yes);

    AnswerNextBox(QMessageBox::Ok, seen);
    QCOMPARE(real.MsgBox("There were 2 letters that matched.", MsgButtons::OK, MsgIcon::Exclamation,
                         "Not the correct count"),
             MsgAnswer::OK);
    QCOMPARE(seen.title, QStringLiteral("Not the correct count"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // DoEvents runs what is waiting in the event queue.
    bool ran = false;
    QMetaObject::invokeMethod(
        qApp, [&ran] { ran = true; }, Qt::QueuedConnection);
    real.DoEvents();
    QVERIFY(ran);
}

}  // namespace quibbly

QTEST_MAIN(quibbly::WindowWidgetsTest)
#include "window_widgets_test.moc"
