// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as real widgets: only what the widget layer alone can get wrong.
#include <QtTest>
#include <QtWidgets>

#include "engine/functions.h"
#include "platform/common_dialog.h"
#include "platform/qt/accessible_names.h"
#include "platform/qt/control_builders.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_windows.h"
#include "platform/scripted_platform.h"
#include "platform/zoom.h"
#include "records/game_history.h"
#include "records/saved_game.h"
#include "records/todays_word.h"
#include "records/winners_list.h"
#include "support/standard_files.h"
#include "windows/frame/about_form.h"
#include "windows/frame/credits_form.h"
#include "windows/frame/intro_form.h"
#include "windows/frame/thinking_form.h"
#include "windows/main/quibbly_form.h"
#include "windows/records/game_form.h"
#include "windows/records/player_form.h"
#include "windows/records/review_form.h"
#include "windows/records/statistics_form.h"
#include "windows/records/winners_form.h"
#include "windows/tools/hint_form.h"
#include "windows/tools/idea_form.h"
#include "windows/tools/match_form.h"
#include "windows/tools/series_form.h"

namespace quibbly {
namespace {

// Scripted services with real windows, so that no case waits on a modal box.
class WidgetPlatform : public ScriptedPlatform {
public:
    void FormCreated(Form& form) override { windows.Create(form); }
    void FormDestroyed(Form& form) override { windows.Destroy(form); }
    QtWindows windows;
};

bool Dark() {
    return qstrcmp(QTest::currentDataTag(), "dark") == 0;
}

// Screenshots at a scale other than 1 get the scale in their name, on a screen other than the
// everyday one its size, those under a dark palette "dark_".
QString Shot(const char* name) {
    const qreal ratio = qApp->devicePixelRatio();
    const QSize screen = QGuiApplication::primaryScreen()->size() * ratio;
    const QString scale = ratio == 1.0 ? QString() : QStringLiteral("@%1x").arg(ratio);
    const QString size = screen == QSize(1280, 900)
                             ? QString()
                             : QStringLiteral("-%1x%2").arg(screen.width()).arg(screen.height());
    return QStringLiteral(QUIBBLY_SCREENSHOT_DIR "/%1%2%3%4.png")
        .arg(QLatin1String(Dark() ? "dark_" : ""), QLatin1String(name), size, scale);
}

// Relative luminance and the contrast ratio of two colours, by WCAG 2.
double Luminance(const QColor& colour) {
    auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& one, const QColor& other) {
    const auto [darker, lighter] = std::minmax({Luminance(one), Luminance(other)});
    return (lighter + 0.05) / (darker + 0.05);
}

// The colour behind a widget's text: its palette's, or where the window's
// picture shows through, that part of the picture on average.
QColor BackOf(QWidget& widget, QWidget& client, QPalette::ColorGroup group, QPalette::ColorRole role) {
    const QBrush brush = widget.palette().brush(group, role);
    if (brush.texture().isNull()) return brush.color();
    const qreal ratio = brush.texture().devicePixelRatio();
    const QImage behind = brush.texture().toImage().copy(
        QRect(widget.mapTo(&client, QPoint(0, 0)) * ratio, widget.size() * ratio));
    return behind.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0);
}

// Whether the focus ring shows round a control: dark blue outside it, yellow over its edge.
bool Ringed(QWidget& client, QWidget& control) {
    const QRect around = QRect(control.mapTo(&client, QPoint(0, 0)), control.size()).adjusted(-3, -3, 3, 3);
    const QImage seen = client.grab(around).toImage();
    const int ratio = static_cast<int>(seen.devicePixelRatio()), middle = seen.height() / 2;
    return seen.pixelColor(ratio, middle) == QColor(0, 0, 128) &&
           seen.pixelColor(3 * ratio, middle) == QColor(255, 255, 128);
}

using testing::WriteLines;

// Answers the next message box from inside its own event loop.
void AnswerNextBox(QMessageBox::StandardButton answer, const std::function<void(QMessageBox&)>& look) {
    QTimer::singleShot(0, [answer, look] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return AnswerNextBox(answer, look);
        look(*box);
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
        // Today's word on most days up to today: a streak that reaches it.
        if (day % 5 != 1)
            game.daily = TodaysWord::DateOfDay(*TodaysWord::DayNumber(Services().LocalDate()) - 24 + day);
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
        light_ = QApplication::palette();
        QVERIFY(QDir().mkpath(QStringLiteral(QUIBBLY_SCREENSHOT_DIR)));
    }

    void init() {
        QApplication::setPalette(Dark() ? QPalette(QColor(53, 53, 53)) : light_);  // as a desktop theme would
        previous_ = QDir::currentPath();
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        QDir::setCurrent(folder_->path());
        testing::WriteWordFiles();
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

    void everyWindowFollowsItsDesign_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;  // a dark desktop palette
    }

    // Every window in any palette: controls placed as designed, captions whole, every text readable
    // (a contrast of 4.5:1, 3:1 while disabled), names for assistive tools, a screenshot.
    void everyWindowFollowsItsDesign() {
        PlayAGameAtHard();
        StartWithEnter("shout");  // a game under way, at the computer's turn
        QTest::keyClicks(Line(Form().YourGuessText), QStringLiteral("plant\r"));
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
            {&ReviewForm::Instance(), "review_window"},
            {&StatisticsForm::Instance(), "statistics_window"},
            {&IntroForm::Instance(), "intro_window"}};
        for (const auto& [form, name] : forms) {
            form->Show();
            if (form == &HintForm::Instance()) HintForm::Instance().LettersText.Type("xy\r");
            FormWindow& window = *platform_->windows.WindowOf(*form);
            if (!form->TabOrder().empty()) window.activateWindow();
            QTRY_VERIFY(form->TabOrder().empty() || QApplication::activeWindow() == &window);
            // Opened at the largest zoom that fits the screen, at most the desktop's own scale; its
            // title bar and its first heading in view.
            const double opened = window.CurrentZoom();
            const QRect area = window.screen()->availableGeometry();
            QVERIFY2(OnScreen(window) && opened <= 1 && opened >= Zoom::Least, name);
            QVERIFY2(opened == 1 || opened == Zoom::Least ||
                         window.frameGeometry().height() + 2 >= area.height() ||
                         window.frameGeometry().width() + 2 >= area.width(),
                     name + QByteArray(" ") + QByteArray::number(opened) + " " +
                         QByteArray::number(window.frameGeometry().height()) + " " +
                         QByteArray::number(area.height()) + " " +
                         QByteArray::number(window.frameGeometry().width()) + " " +
                         QByteArray::number(area.width()));
            QWidget* heading = window.WidgetOf(*form->Controls().front());
            QVERIFY2(area.contains(QRect(heading->mapToGlobal(QPoint(0, 0)), heading->size())), name);
            for (double zoom : {Zoom::Least, 1.0, 1.5, 2.0, opened}) ExpectLaidOut(window, zoom, name);
            for (Control* control : form->Controls()) {
                if (control->Kind() == ControlKind::MenuItem) continue;
                const QByteArray where = QByteArray(name) + ' ' + control->Name().c_str();
                QWidget* widget = window.WidgetOf(*control);
                if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && widget->isVisible()) {
                    widget->setFocus(Qt::TabFocusReason);  // a player sees which control has the keyboard
                    QVERIFY2(Ringed(*window.Client(), *widget), where);
                }
                // The review's rows read whole: a row that would take more lines than it has is cut short.
                auto* rows = qobject_cast<QListWidget*>(widget);
                for (int r = 0; rows && form == &ReviewForm::Instance() && r < rows->count(); ++r) {
                    const QString text = rows->item(r)->text(), words = text.trimmed();
                    const int room = rows->viewport()->width() - 6 -  // Fusion's margins
                                     rows->fontMetrics().horizontalAdvance(text.left(text.indexOf(words)));
                    const QRect needed =
                        rows->fontMetrics().boundingRect(QRect(0, 0, room, 1 << 20), Qt::TextWordWrap, words);
                    QVERIFY2(needed.width() <= room &&
                                 needed.height() <= rows->visualItemRect(rows->item(r)).height(),
                             where + ' ' + text.toLatin1() + " " + QByteArray::number(needed.width()) + " " +
                                 QByteArray::number(room) + " " + QByteArray::number(needed.height()) + " " +
                                 QByteArray::number(rows->visualItemRect(rows->item(r)).height()) + " " +
                                 QByteArray::number(rows->font().pointSizeF()));
                }
                const auto* caption = dynamic_cast<const Label*>(control);
                if (control->Kind() == ControlKind::Frame ||
                    (caption != nullptr && caption->Caption().empty()))
                    continue;
                const ControlKind kind = control->Kind();
                const bool label = kind == ControlKind::Label;
                if (label || kind == ControlKind::TextBox || kind == ControlKind::ListBox ||
                    kind == ControlKind::FileList || kind == ControlKind::DirList) {
                    const auto group = widget->isEnabled() ? QPalette::Active : QPalette::Disabled;
                    const double ratio = Contrast(
                        widget->palette().color(group, label ? QPalette::WindowText : QPalette::Text),
                        BackOf(*widget, *window.Client(), group, label ? QPalette::Window : QPalette::Base));
                    QVERIFY2(ratio >= (widget->isEnabled() ? 4.5 : 3.0),
                             where + ' ' + QByteArray::number(ratio));
                }
                const bool option = kind == ControlKind::OptionButton;
                if (option || (kind == ControlKind::Button && !control->Design().graphical)) {
                    const auto group = widget->isEnabled() ? QPalette::Active : QPalette::Disabled;
                    const QPalette& pal = widget->palette();
                    const double ratio =
                        Contrast(pal.color(group, option ? QPalette::WindowText : QPalette::ButtonText),
                                 BackOf(*widget, *window.Client(), group,
                                        option ? QPalette::Window : QPalette::Button));
                    QVERIFY2(ratio >= (widget->isEnabled() ? 4.5 : 3.0),
                             where + ' ' + QByteArray::number(ratio));
                    // An option's round box is light with a dark dot, under any palette.
                    QVERIFY2(!option || Luminance(pal.color(group, QPalette::Base)) >
                                            Luminance(pal.color(group, QPalette::Text)) + 0.4,
                             where);
                }
                QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(widget);
                QVERIFY2(heard != nullptr && !heard->text(QAccessible::Name).isEmpty(), where);
                // A heading is the label of what it heads.
                if (const Label* heading = HeadingOf(*control))
                    QVERIFY2(QAccessible::queryAccessibleInterface(window.WidgetOf(*heading))
                                     ->relations(QAccessible::Labelled)
                                     .value(0)
                                     .first == heard,
                             where);
            }
            QVERIFY2(!QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Name).isEmpty(),
                     name);
            QVERIFY(window.grab().save(Shot(name)));
            // A window that scrolls opens with its own way out in view.
            if (auto* scroll = qobject_cast<QScrollArea*>(window.centralWidget());
                scroll && form->EscapeButton()) {
                QWidget* out = window.WidgetOf(*form->EscapeButton());
                QVERIFY2(scroll->viewport()->rect().contains(
                             QRect(out->mapTo(scroll->viewport(), QPoint(0, 0)), out->size())),
                         name);
            }
            if (window.windowFlags() & Qt::FramelessWindowHint) {  // dragged by its background
                const QPoint before = window.pos(), grip = window.Client()->mapToGlobal(QPoint(4, 4));
                for (const auto& [type, at] : {std::pair{QEvent::MouseButtonPress, grip},
                                               {QEvent::MouseMove, grip - QPoint(30, 20)},
                                               {QEvent::MouseButtonRelease, grip - QPoint(30, 20)}}) {
                    QMouseEvent event(type, window.Client()->mapFromGlobal(at), at, Qt::LeftButton,
                                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
                    QApplication::sendEvent(window.Client(), &event);
                }
                QCOMPARE(window.pos(), before - QPoint(30, 20));
            }
            // The start-up window goes by itself.
            const bool noEscape = form == &IntroForm::Instance();
            if (noEscape) form->Hide();
            if (noEscape || form == &Form() || form == &CreditsForm::Instance()) continue;
            QTest::keyClick(window.focusWidget() != nullptr ? window.focusWidget() : &window, Qt::Key_Escape);
            QVERIFY2(!form->Visible() || form == &ThinkingForm::Instance(), name);
            form->Hide();
        }
        CreditsForm::Instance().Hide();
        platform_->Answer(MsgAnswer::Yes);  // the game under way is given up
        Form().FileNew.Choose();
        // A text box names itself by the label that heads it.
        QAccessibleInterface* word = QAccessible::queryAccessibleInterface(WidgetOf(Form().YourWordText));
        QCOMPARE(word->text(QAccessible::Name), QStringLiteral("Your Word"));
        // A disabled text box writes in grey, as on any desktop.
        const QPalette pal = Line(Form().MyGuessText)->palette();
        QVERIFY(pal.color(QPalette::Disabled, QPalette::Text).lightness() >
                pal.color(QPalette::Active, QPalette::Text).lightness() + 60);
        // Qt would flip a checked menu item off when it is chosen again.
        QAction* medium = Window().ActionOf(Form().LevelMedium);
        for (int time = 0; time < 2; ++time) medium->trigger();
        QVERIFY(medium->isChecked() && !Window().ActionOf(Form().LevelEasy)->isChecked());

        // The main window alone can be maximised. Made larger by the player, it shows a larger board
        // in the middle, and the next run opens at the size it was given.
        FormWindow& window = Window();
        QVERIFY(!(platform_->windows.WindowOf(ThinkingForm::Instance())->windowFlags() &
                  Qt::WindowMaximizeButtonHint));
        const QSize designed = window.size();
        const double opened = window.CurrentZoom();
        window.resize(designed * 3 / 2);
        QTRY_VERIFY(window.CurrentZoom() > opened * 1.4);
        const QPoint middle = window.Client()->mapTo(&window, window.Client()->rect().center());
        QVERIFY(std::abs(middle.x() - window.width() / 2) <= 1 &&
                window.grab().save(Shot("main_window_enlarged")));
        QTRY_VERIFY(TodaysWord::LoadSettings().mainWindow.has_value());
        const double grown = window.CurrentZoom();
        const QSize screen = window.screen()->availableSize(), layout = window.Client()->size();
        Forms::DropAll();
        Form().Show();  // the screen's area bounds the kept size
        QTRY_VERIFY(OnScreen(Window()) && Window().CurrentZoom() >= opened - 0.01);
        if (screen.width() > layout.width() + 40 && screen.height() > layout.height() + 80)
            QVERIFY(std::abs(Window().CurrentZoom() - grown) < 0.02);
        // Closing the main window by its frame is File > Exit: the credits.
        Window().close();
        QVERIFY(Window().isVisible() && CreditsForm::Instance().Visible() && !platform_->ended);
    }

    // A whole game by keys alone: capitals, five at most, and Enter start and guess; the last guess
    // is selected, so typing replaces it; the digits and C answer wherever the focus is but the
    // Scratch Pad; each turn's controls come into view. A menu's Ctrl+X wins over the box's own Cut.
    void aWholeGameByKeysAndShortcutsInTheTextBoxes() {
        QuibblyForm& form = Form();
        testing::WriteHouseSeries();  // the computer guesses HOUSE, then MOUSE
        auto keys = [](const char* typed) {
            for (const char* key = typed; *key != '\0'; ++key)
                QTest::keyClick(QApplication::focusWidget(), *key);
        };
        auto inView = [this](const Control& control) {
            auto* scroll = qobject_cast<QScrollArea*>(Window().centralWidget());
            QWidget* widget = WidgetOf(control);
            return scroll == nullptr || scroll->viewport()->rect().contains(QRect(
                                            widget->mapTo(scroll->viewport(), QPoint(0, 0)), widget->size()));
        };
        QCOMPARE(QApplication::focusWidget(), Line(form.YourWordText));
        StartWithEnter("mousekx");
        QCOMPARE(form.YourWordText.Text(), std::string("MOUSE"));
        QTRY_COMPARE(QApplication::focusWidget(), WidgetOf(form.YourGuessText));
        QVERIFY(inView(form.YourGuessText) && inView(form.GuessButton));
        keys("crisp\r");
        QTRY_COMPARE(QApplication::focusWidget(), WidgetOf(form.ZeroButton));
        QVERIFY(inView(form.MyGuessText) && inView(form.ZeroButton) && inView(form.CorrectButton));
        keys("4");
        QTRY_COMPARE(QApplication::focusWidget(), WidgetOf(form.YourGuessText));
        QCOMPARE(Line(form.YourGuessText)->selectedText(), QStringLiteral("CRISP"));
        keys("plant\r");
        WidgetOf(form.ScratchPadText)->setFocus();
        keys("3c");
        QCOMPARE(form.ScratchPadText.Text() + form.MyGuessText.Text(), std::string("3cMOUSE"));
        WidgetOf(form.MyGuessList)->setFocus();
        keys("c");
        const std::vector<ShownBox> boxes = platform_->TakeBoxes();  // two guesses, no wrong count, the win
        QCOMPARE(boxes.size(), 5u);
        QCOMPARE(boxes[2].text, std::string("I guessed your word!!"));

        Form().FileNew.Choose();
        StartWithEnter("house");
        QLineEdit* guess = Line(Form().YourGuessText);
        QTest::keyClicks(guess, QStringLiteral("pla"));
        guess->selectAll();
        QTest::keyClick(guess, Qt::Key_X, Qt::ControlModifier);  // Exit, not Cut
        QVERIFY(CreditsForm::Instance().Visible());
        QCOMPARE(guess->text(), QStringLiteral("PLA"));
        CreditsForm::Instance().Hide();
        // Enter on About is its OK, and hands the keyboard back to the main window.
        Form().HelpAbout.Choose();
        AboutForm& about = AboutForm::Instance();
        QTRY_VERIFY(QApplication::focusWidget() ==
                    platform_->windows.WindowOf(about)->WidgetOf(about.OKButton));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!about.Visible() && Window().isActiveWindow());
    }

    // Tab goes round from the focus in the model's order of the controls that can take it.
    void tabOrderFollowsDesign() {
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
        QCOMPARE(tabRound(), playing);
    }

    // The letter buttons paint the colour a click gives them, with a mark that tells the
    // states apart by shape alone, and a name that says the state (the AT-SPI game hears it change).
    void letterButtonsShowTheirStatesBeyondColour() {
        StartWithEnter("house");
        auto* a = qobject_cast<QPushButton*>(WidgetOf(Form().LetterButton(0)));
        std::vector<std::vector<bool>> shapes;  // the dark pixels: the caption and the mark
        for (const auto& [next, state] : {std::pair{QColor(255, 0, 128), "A, not in the word"},
                                          {QColor(0, 255, 128), "A, in the word"},
                                          {QColor(255, 255, 128), "A, not marked"}}) {
            QTest::mouseClick(a, Qt::LeftButton);
            const QImage seen = a->grab().toImage();
            const int corner = seen.width() * 15 / 100;  // between the border and the mark at any zoom
            const QColor back = seen.pixelColor(corner, corner);
            QVERIFY2(std::max({std::abs(back.red() - next.red()), std::abs(back.green() - next.green()),
                               std::abs(back.blue() - next.blue())}) <= 12,
                     qPrintable(back.name() + " for " + next.name()));
            QCOMPARE(QAccessible::queryAccessibleInterface(a)->text(QAccessible::Name), QLatin1String(state));
            shapes.emplace_back();
            for (int y = 0; y < seen.height(); ++y)
                for (int x = 0; x < seen.width(); ++x) shapes.back().push_back(qGray(seen.pixel(x, y)) < 96);
        }
        for (std::size_t one = 0; one < 3; ++one) {
            const std::vector<bool>& other = shapes[(one + 1) % 3];
            const auto apart = std::inner_product(shapes[one].begin(), shapes[one].end(), other.begin(), 0,
                                                  std::plus<>(), std::not_equal_to<>());
            QVERIFY2(apart > 25 * a->devicePixelRatio() * a->devicePixelRatio(),
                     qPrintable(QString::number(apart)));
        }
        Form().LetterButton(4).SetBackColor(Functions::MarkerRed);  // E, not in the word
        Form().LetterButton(7).SetBackColor(Functions::MarkerGreen);
        QVERIFY(WidgetOf(Form().Frame4)->grab().save(Shot("letter_markers")));
    }

    // The name and winners windows take the keyboard; closing them by their frames leads home.
    void winnersWindowsTakeTheNameAndHandBackTheMainWindow() {
        WriteLines("Win.Lst", {"Ann         Easy    3 Guesses  05/12/2026",
                               "Bartholome  Easy   12 Guesses  06/12/2026"});
        PlayerForm::Instance().NameText.SetText("Bartholome");  // selected, so typing replaces it
        StartWithEnter("house");
        Functions::TurnNumber = 13;  // worse than the worst row: the main window goes
        Form().TurnLabel.SetCaption("13");
        QTest::keyClicks(Line(Form().YourGuessText), QStringLiteral("plant\r"));
        FormWindow& nameWindow = *platform_->windows.WindowOf(PlayerForm::Instance());
        QVERIFY(nameWindow.isVisible() && !Window().isVisible());
        auto* box = qobject_cast<QLineEdit*>(nameWindow.WidgetOf(PlayerForm::Instance().NameText));
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, QStringLiteral("Christopher"));
        nameWindow.close();
        WinnersForm& winners = WinnersForm::Instance();
        FormWindow& winnersWindow = *platform_->windows.WindowOf(winners);
        QVERIFY(winnersWindow.isVisible() && !nameWindow.isVisible() && !Window().isVisible());
        QVERIFY(QFontInfo(winnersWindow.WidgetOf(winners.WinnersLabel(0))->font()).fixedPitch());
        QTRY_COMPARE(QApplication::focusWidget(), winnersWindow.WidgetOf(winners.OKButton));
        platform_->Answer(MsgAnswer::No);
        winnersWindow.close();
        QVERIFY(!winnersWindow.isVisible() && Window().isVisible());
        QCOMPARE(platform_->TakeBoxes().back().text, std::string("Would you like to play again?"));
        QVERIFY(testing::ReadBytes("Win.Lst").find("\r\nChristophe  Easy   13 Guesses") != std::string::npos);
    }

    // A real message box: modal, its icon and buttons, the answer given back, its whole title shown.
    void realMessageBoxesAreModalAnsweredAndShowTheirWholeTitles() {
        QtPlatform real;
        AnswerNextBox(QMessageBox::No, [](QMessageBox& box) {
            QVERIFY(box.standardButtons() == (QMessageBox::Yes | QMessageBox::No) &&
                    box.icon() == QMessageBox::NoIcon && box.windowModality() == Qt::ApplicationModal);
        });
        QCOMPARE(real.MsgBox("Play again?", MsgButtons::YesNo, MsgIcon::None, ""), MsgAnswer::No);
        for (const auto& [title, shot] :
             {std::pair{"Your Guess", "message_guess"}, std::pair{"You had a good word.", "message_word"}}) {
            AnswerNextBox(QMessageBox::Ok, [title = title, shot = shot](QMessageBox& box) {
                QCOMPARE(box.windowTitle(), QLatin1String(title));
                QCOMPARE(box.icon(), QMessageBox::Warning);
                QFont bold = box.font();  // the title in bold, beside a window icon and two buttons
                bold.setBold(true);
                const QFontMetrics metrics(bold);
                QVERIFY2(
                    box.width() >= metrics.horizontalAdvance(QLatin1String(title)) + 3 * metrics.height(),
                    title);
                QVERIFY(OnScreen(box) && box.grab().save(Shot(shot)));
            });
            QCOMPARE(real.MsgBox("My word was HOUSE", MsgButtons::OK, MsgIcon::Exclamation, title),
                     MsgAnswer::OK);
        }
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

    // The help viewer names a missing file, then shows the help with working links, centred.
    void helpViewerShowsTheHelpFileAtItsContents() {
        QtPlatform real;
        real.ShowHelp("Quibbly.HLP", HelpContentsCommand);  // not in this folder
        HelpViewer& viewer = *real.helpViewer;
        QVERIFY(viewer.isVisible() && !viewer.isModal() &&
                viewer.Browser()->toPlainText().contains(QStringLiteral("\"Quibbly.HLP\" cannot be read")));

        QVERIFY(QFile::copy(QStringLiteral(QUIBBLY_DATA_DIR "/Quibbly.HLP"), QStringLiteral("Quibbly.HLP")));
        real.ShowHelp("Quibbly.HLP", HelpContentsCommand);  // the same viewer, now with the help
        QTextDocument& help = *viewer.Browser()->document();
        QVERIFY(help.toPlainText().startsWith(QStringLiteral("Quibbly Help")));
        for (QTextBlock block = help.begin(); block.isValid(); block = block.next())
            for (auto part = block.begin(); !part.atEnd(); ++part) {
                const QString target = part.fragment().charFormat().anchorHref();
                if (target.startsWith(QLatin1Char('#')))
                    QVERIFY2(help.toHtml().contains(QStringLiteral("name=\"%1\"").arg(target.mid(1))),
                             qPrintable(target));
            }

        HelpViewer centred;
        centred.Open(QDir::current().absoluteFilePath(QStringLiteral("Quibbly.HLP")), &Window());
        QVERIFY(OnScreen(centred));
        QCOMPARE(centred.Browser()->horizontalScrollBar()->maximum(), 0);
        QVERIFY(std::abs(centred.frameGeometry().center().x() - Window().frameGeometry().center().x()) <= 4);
        const int letter = centred.Browser()->fontMetrics().averageCharWidth();
        QVERIFY(centred.width() > 50 * letter && centred.width() < 100 * letter);
        // The help is longer than any screen here: it takes the screen's height.
        QVERIFY(centred.frameGeometry().height() >= centred.screen()->availableSize().height() * 9 / 10);
        // Escape leaves the help, as every window.
        QVERIFY(QTest::qWaitForWindowActive(&centred));
        QTest::keyClick(centred.Browser(), Qt::Key_Escape);
        QVERIFY(!centred.isVisible());
        QVERIFY(centred.grab().save(Shot("help_viewer")));
    }

    // The save-and-load window: the pattern box switched by keys, and a double-click that loads.
    void gameWindowSwitchesPatternAndLoadsOnADoubleClick() {
        QFile(QStringLiteral("notes.txt")).open(QIODevice::WriteOnly);
        QVERIFY(SavedGame::SaveGame("a.swg"));  // a game saved before any game
        Window().ActionOf(Form().FileLoad)->trigger();
        GameForm& game = GameForm::Instance();
        FormWindow* window = platform_->windows.WindowOf(game);
        QVERIFY(QTest::qWaitForWindowActive(window));  // ready for typing
        auto* files = qobject_cast<QListWidget*>(window->WidgetOf(game.File1));
        auto* pattern = qobject_cast<QComboBox*>(window->WidgetOf(game.TypeCombo));
        for (const auto& [key, count] : {std::pair{Qt::Key_Down, 7}, std::pair{Qt::Key_Up, 1}}) {
            QTest::keyClick(pattern, key);  // "*.*", then "*.swg" again
            QCOMPARE(files->count(), count);
        }
        const QPoint first = files->visualItemRect(files->item(0)).center();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(game.FileText.Text(), std::string("a.swg"));
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, first);
        QVERIFY(!window->isVisible() && platform_->boxes.empty());
        QCOMPARE(Form().WhoLabel.Caption(), "It's Your Turn");
    }

    void windowDrawsTheLevelsHistory() {
        WriteHistory();
        Window().ActionOf(Form().GameStatistics)->trigger();

        StatisticsForm& statistics = StatisticsForm::Instance();
        FormWindow* window = platform_->windows.WindowOf(statistics);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QWidget* chart = window->WidgetOf(statistics.ScoreChart);
        QVERIFY(chart->accessibleDescription().contains(
            QStringLiteral("8 guesses: 2 games, the last game among them")));
        // Painted at the device's scale: the last game's bar in the markers' green.
        const QImage shot = window->grab().toImage();
        const qreal ratio = window->devicePixelRatioF();
        const QRect area(chart->mapTo(window, QPoint(0, 0)) * ratio, chart->size() * ratio);
        int green = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                green += shot.pixelColor(x, y) == QColor(0, 255, 128);
        QVERIFY2(green > 40 * ratio * ratio, qPrintable(QString::number(green)));
        QVERIFY(shot.save(Shot("statistics_window")));
    }

private:
    // The window at a zoom: its client area and every control the design's times the zoom, each
    // inside its container, each text within its control by the font's metrics.
    static void ExpectLaidOut(FormWindow& window, double zoom, const char* name) {
        window.SetZoom(zoom);
        const quibbly::Form& form = window.Model();
        const QByteArray at = QByteArray(name) + " at " + QByteArray::number(zoom);
        QCOMPARE(window.Client()->size(), QSize(Zoom::Pixels(form.Design().clientWidth, zoom),
                                                Zoom::Pixels(form.Design().clientHeight, zoom)));
        for (Control* control : form.Controls()) {
            if (control->Kind() == ControlKind::MenuItem) continue;
            const QByteArray where = at + ' ' + control->Name().c_str();
            const Place& place = control->Design().place;
            const auto* picture = dynamic_cast<const PictureBox*>(control);  // may have moved
            const QRect designed(Zoom::Pixels(picture ? picture->Left() : place.left, zoom),
                                 Zoom::Pixels(picture ? picture->Top() : place.top, zoom),
                                 Zoom::Pixels(place.width, zoom), Zoom::Pixels(place.height, zoom));
            QWidget* widget = window.WidgetOf(*control);
            QWidget* container =
                control->Container() ? window.WidgetOf(*control->Container()) : window.Client();
            QVERIFY2(widget != nullptr && widget->parentWidget() == container, where);
            QVERIFY2(widget->geometry() == designed, where);
            QVERIFY2(QRect(QPoint(0, 0), container->size()).adjusted(-1, -1, 1, 1).contains(designed), where);
            const QFontMetrics metrics = widget->fontMetrics();
            QString text;
            int room = widget->contentsRect().width();
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                const QRect needed = metrics.boundingRect(
                    label->contentsRect(), Qt::TextWordWrap | label->alignment(), label->text());
                QVERIFY2(needed.height() <= std::max(label->contentsRect().height(), metrics.lineSpacing()),
                         where + ' ' + label->text().toLatin1());
                text = label->wordWrap() ? QString() : label->text();
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                text = button->text().remove(QLatin1Char('&'));
                if (qobject_cast<QRadioButton*>(widget))
                    room -=
                        widget->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) +
                        widget->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget);
            } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
                text = line->text();
                room -= 4;
            }
            QVERIFY2(metrics.horizontalAdvance(text) <= room, where + ' ' + text.toLatin1());
        }
    }

    // A real game at Hard on the shipped files for the review window, then a fresh program.
    void PlayAGameAtHard() {
        for (const testing::StandardFile& file : testing::StandardFiles)
            testing::WriteBytes(file.name, testing::ReadBytes(std::string(QUIBBLY_DATA_DIR "/") + file.name));
        QuibblyForm& form = Form();
        form.LevelHard.Choose();
        platform_->NextRandom(0.37);
        platform_->NextRandom(0.9);  // the player goes first
        form.YourWordText.SetText("JAZZY");
        form.GameStart.Choose();
        for (const char* guess : {"CRANE", "SLOTH", "PUDGY", "BLOWN", "MIXED", "FJORD", "WHELK", "BRICK",
                                  "DUMPY", "VIXEN", "CRANE", "SLOTH", ""}) {
            form.YourGuessText.SetText(*guess ? guess : Functions::MyWord);  // the last guess wins
            form.GuessButton.Press();
            const std::string mine = form.MyGuessText.Text();
            if (Functions::GameUnrecorded && mine.size() == 5)
                form.CountButtons()[static_cast<std::size_t>(Functions::MatchCount(mine, "JAZZY"))]->Press();
        }
        QVERIFY(form.GameReview.Enabled());  // the game is over and recorded
        Forms::DropAll();
        Functions::ResetModuleState();
        Form().Show();
        QVERIFY(QTest::qWaitForWindowActive(&Window()));
    }
    QuibblyForm& Form() { return QuibblyForm::Instance(); }
    FormWindow& Window() { return *platform_->windows.WindowOf(Form()); }
    QWidget* WidgetOf(const Control& control) { return Window().WidgetOf(control); }
    QLineEdit* Line(const Control& control) { return qobject_cast<QLineEdit*>(WidgetOf(control)); }
    // Types the player's word and Enter; the computer takes PLANT unless told otherwise.
    void StartWithEnter(const char* word, double mine = 0.5) {
        platform_->NextRandom(mine);
        platform_->NextRandom(0.9);  // the player goes first
        QTest::keyClicks(Line(Form().YourWordText), QString::fromLatin1(word));
        QTest::keyClick(Line(Form().YourWordText), Qt::Key_Return);
    }

    std::unique_ptr<WidgetPlatform> platform_;
    std::unique_ptr<QTemporaryDir> folder_;
    QString previous_;
    QPalette light_;
};

}  // namespace quibbly

QTEST_MAIN(quibbly::WindowWidgetsTest)
#include "window_widgets_test.moc"
