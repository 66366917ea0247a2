// SPDX-License-Identifier: GPL-3.0-or-later
// The windows on a small screen (1280 by 900 pixels), run at the scale the
// environment sets: whole message box titles, every window inside the
// screen's available area and the main window in reach, the help beside the
// game, and the frameless windows dragged by their background and left with
// Escape. Pictures of the whole screen go to the screenshot folder.
#include <QtTest>
#include <QtWidgets>

#include "engine/functions.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_windows.h"
#include "platform/scripted_platform.h"
#include "windows/main/quibbly_form.h"
#include "windows/other/about_form.h"
#include "windows/other/credits_form.h"
#include "windows/other/game_form.h"
#include "windows/other/player_form.h"
#include "windows/other/winners_form.h"
#include "windows/tools/hint_form.h"
#include "windows/tools/idea_form.h"
#include "windows/tools/match_form.h"
#include "windows/tools/series_form.h"

namespace quibbly {
namespace {

class WidgetPlatform : public ScriptedPlatform {
public:
    void FormCreated(Form& form) override { windows.Create(form); }
    void FormDestroyed(Form& form) override { windows.Destroy(form); }
    QtWindows windows;
};

QString Shot(const char* name) {
    return QStringLiteral(QUIBBLY_SCREENSHOT_DIR "/%1@%2x.png")
        .arg(QLatin1String(name))
        .arg(qApp->devicePixelRatio());
}

// The screen as the player would see it: each shown window, and above a
// window with a title the title bar a desktop would draw, with its title as
// far as it fits beside an icon and three buttons.
void ShootScreen(const char* name, const QList<QWidget*>& windows) {
    QScreen& screen = *QGuiApplication::primaryScreen();
    QImage picture(screen.geometry().size() * screen.devicePixelRatio(), QImage::Format_RGB32);
    picture.setDevicePixelRatio(screen.devicePixelRatio());
    picture.fill(QColor(60, 60, 60));
    QPainter painter(&picture);
    for (QWidget* window : windows) {
        if (!window->isVisible()) continue;
        const QRect frame = window->frameGeometry();
        painter.fillRect(frame, QColor(20, 20, 120));
        painter.drawPixmap(window->geometry().topLeft(), window->grab());
        if (window->windowFlags() & Qt::FramelessWindowHint) continue;
        QFont bold = window->font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        const int bar = metrics.height() * 3 / 2;
        const QRect title(frame.left(), frame.top() - bar, frame.width(), bar);
        painter.fillRect(title, QColor(20, 20, 120));
        painter.setFont(bold);
        painter.setPen(Qt::white);
        const QRect text = title.adjusted(bar, 0, -3 * bar, 0);
        painter.drawText(text, Qt::AlignCenter,
                         metrics.elidedText(window->windowTitle(), Qt::ElideRight, text.width()));
        for (int button = 1; button <= 3; ++button)
            painter.drawRect(title.right() - button * bar + 4, title.top() + 4, bar - 8, bar - 8);
    }
    painter.end();
    QVERIFY(picture.save(Shot(name)));
}

// Whether a window's frame lies wholly in the screen's available area.
bool OnScreen(const QWidget& window) {
    return window.screen()->availableGeometry().contains(window.frameGeometry());
}

}  // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(folder_->path());
        QFile easy(QStringLiteral("easy.wtf"));
        QVERIFY(easy.open(QIODevice::WriteOnly) && easy.write("2\r\nHOUSE\r\nPLANT\r\n") > 0);
        easy.close();
        QVERIFY(QDir().mkpath(QStringLiteral(QUIBBLY_SCREENSHOT_DIR)));
        platform_ = std::make_unique<WidgetPlatform>();
        InstallPlatform(platform_.get());
        Forms::DropAll();
        Functions::ResetModuleState();
        QuibblyForm::Instance().Show();
    }

    void cleanup() {
        Forms::DropAll();
        InstallPlatform(nullptr);
        platform_.reset();
    }

    void messageBoxesShowTheirWholeTitles() {
        QtPlatform real;
        const std::vector<std::array<std::string, 3>> boxes{
            {"CHITS - 0", "Your Guess", "message_guess"},
            {"My word was HOUSE", "You had a good word.", "message_word"},
            {"I win!!", "I win!!", "message_win"}};
        for (const auto& [text, title, shot] : boxes) {
            QTimer::singleShot(0, [title = title, shot = shot] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                // The title in bold, beside a window icon and two buttons.
                QFont bold = box->font();
                bold.setBold(true);
                const QFontMetrics metrics(bold);
                const int needed =
                    metrics.horizontalAdvance(QString::fromStdString(title)) + 3 * metrics.height();
                QVERIFY2(box->width() >= needed, title.c_str());
                QVERIFY(OnScreen(*box));
                ShootScreen(shot.c_str(), {box});
                box->button(QMessageBox::Ok)->click();
            });
            real.MsgBox(text, MsgButtons::OK, MsgIcon::None, title);
        }
    }

    // Each window centred on the screen when first shown, inside its area; a
    // main window larger than the area scrolls to every control.
    void everyWindowOpensInsideTheScreen() {
        FormWindow& main = *platform_->windows.WindowOf(QuibblyForm::Instance());
        QVERIFY(OnScreen(main));
        const std::vector<std::pair<Form*, const char*>> forms{
            {&HintForm::Instance(), "hint"},       {&SeriesForm::Instance(), "series"},
            {&MatchForm::Instance(), "match"},     {&PlayerForm::Instance(), "name"},
            {&WinnersForm::Instance(), "winners"}, {&CreditsForm::Instance(), "credits"},
            {&AboutForm::Instance(), "about"},     {&GameForm::Instance(), "save_and_load"}};
        for (const auto& [form, name] : forms) {
            if (form == &GameForm::Instance())
                QuibblyForm::Instance().FileLoad.Choose();
            else
                form->Show();
            FormWindow& window = *platform_->windows.WindowOf(*form);
            QVERIFY2(OnScreen(window), name);
            ShootScreen((std::string("screen_") + name).c_str(), {&main, &window});
            form->Hide();
        }
        QVERIFY(main.menuBar()->isVisible() && main.menuBar()->geometry().top() >= 0);
        auto* scroll = qobject_cast<QScrollArea*>(main.centralWidget());
        const QSize area = main.screen()->availableSize();
        QCOMPARE(scroll != nullptr,
                 main.Client()->width() > area.width() || main.Client()->height() > area.height());
        if (scroll != nullptr) {
            scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
            scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
            QWidget* corner = main.WidgetOf(QuibblyForm::Instance().ScratchPadText);
            const QRect shown = scroll->viewport()->rect();
            QVERIFY(shown.contains(corner->mapTo(scroll->viewport(), corner->rect().bottomRight())));
        }
        ShootScreen("screen_main_window", {&main});
    }

    void helpOpensCentredOnTheMainWindowSizedToItsText() {
        QVERIFY(QFile::copy(QStringLiteral(QUIBBLY_DATA_DIR "/Quibbly.HLP"), QStringLiteral("Quibbly.HLP")));
        FormWindow& main = *platform_->windows.WindowOf(QuibblyForm::Instance());
        HelpViewer viewer;
        viewer.Open(QDir::current().absoluteFilePath(QStringLiteral("Quibbly.HLP")), &main);
        QVERIFY(OnScreen(viewer));
        QCOMPARE(viewer.Browser()->horizontalScrollBar()->maximum(), 0);
        // Centred across the main window, with lines of a comfortable length.
        QVERIFY(std::abs(viewer.frameGeometry().center().x() - main.frameGeometry().center().x()) <= 4);
        const int letter = viewer.Browser()->fontMetrics().averageCharWidth();
        QVERIFY(viewer.width() > 50 * letter && viewer.width() < 100 * letter);
        // The help is longer than any screen here: it takes the screen's height.
        QVERIFY(viewer.frameGeometry().height() >= viewer.screen()->availableSize().height() * 9 / 10);
        ShootScreen("screen_help", {&main, &viewer});
    }

    void framelessWindowsAreDraggedByTheirBackgroundAndLeftWithEscape() {
        const QList<Form*> forms{&HintForm::Instance(),   &SeriesForm::Instance(), &IdeaForm::Instance(),
                                 &MatchForm::Instance(),  &PlayerForm::Instance(), &WinnersForm::Instance(),
                                 &CreditsForm::Instance()};
        PlayerForm::Instance().NameText.SetText("Sam");
        for (Form* form : forms) {
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
                QTest::keyClicks(name, QStringLiteral("Robin"));
                QCOMPARE(PlayerForm::Instance().NameText.Text(), "Robin");
                ShootScreen("screen_name_window", {&window});
            }
            QWidget* focus = window.focusWidget() != nullptr ? window.focusWidget() : &window;
            QTest::keyClick(focus, Qt::Key_Escape);
            QVERIFY2(!form->Visible() || form == &CreditsForm::Instance(), typeid(*form).name());
        }
        QVERIFY(platform_->ended);  // Escape on the credits is Done
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<WidgetPlatform> platform_;
};

}  // namespace quibbly

QTEST_MAIN(quibbly::ScreenFitTest)
#include "screen_fit_test.moc"
