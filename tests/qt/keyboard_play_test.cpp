// SPDX-License-Identifier: GPL-3.0-or-later
// A whole game played with the keyboard alone through the real widgets, at
// the scale the test runs at: the word and Enter, guesses that replace the
// last one, the digits for counts, C for Correct Word; a window that scrolls
// brings each turn's controls into view.
#include <QtTest>
#include <QtWidgets>

#include "engine/functions.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_windows.h"
#include "platform/scripted_platform.h"
#include "windows/main/quibbly_form.h"

namespace quibbly {
namespace {

class WidgetPlatform : public ScriptedPlatform {
public:
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

class KeyboardPlayTest : public QObject {
    Q_OBJECT

    QuibblyForm& Form() { return QuibblyForm::Instance(); }
    FormWindow& Window() { return *static_cast<FormWindow*>(dynamic_cast<FormWindow*>(Form().View())); }
    QWidget* WidgetOf(const Control& control) { return Window().WidgetOf(control); }
    static QWidget* Focused() { return QApplication::focusWidget(); }
    // Whether the control lies wholly in the part of the window the player sees.
    bool InView(const Control& control) {
        QWidget* widget = WidgetOf(control);
        auto* scroll = qobject_cast<QScrollArea*>(Window().centralWidget());
        if (scroll == nullptr) return true;
        const QRect seen = scroll->viewport()->rect();
        const QRect at(widget->mapTo(scroll->viewport(), QPoint(0, 0)), widget->size());
        return seen.contains(at);
    }
    void Keys(const char* keys) {
        for (const char* key = keys; *key != '\0'; ++key) QTest::keyClick(Focused(), *key);
    }

private slots:
    void init() {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QVERIFY(QDir().mkpath(QStringLiteral(QUIBBLY_SCREENSHOT_DIR)));
        previous_ = QDir::currentPath();
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        QDir::setCurrent(folder_->path());
        // The computer holds HOUSE and guesses HOUSE, then MOUSE.
        WriteLines("easy.wtf", {"1", "HOUSE"});
        WriteLines("series.wtf", {"HOUSE", "MOUSE H>M", "ROUSE H>R", "THOSE U>T", ""});
        WriteLines("master.wtf",
                   {"9", "BLIMP", "CRISP", "HOIST", "HOUSE", "MOUSE", "PLANT", "ROUSE", "SHOUT", "THOSE"});
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

    void aWholeGameByKeys() {
        QuibblyForm& form = Form();
        QCOMPARE(Focused(), WidgetOf(form.YourWordText));
        platform_->NextRandom(0.5);  // HOUSE
        platform_->NextRandom(0.9);  // the player begins
        Keys("mouse\r");

        QTRY_COMPARE(Focused(), WidgetOf(form.YourGuessText));
        QVERIFY(InView(form.YourGuessText) && InView(form.GuessButton));
        Keys("crisp\r");

        // The computer's turn: the focus on the answers, in view at any scale.
        QCOMPARE(form.MyGuessText.Text(), std::string("HOUSE"));
        QTRY_COMPARE(Focused(), WidgetOf(form.ZeroButton));
        QVERIFY(InView(form.MyGuessText) && InView(form.ZeroButton) && InView(form.CorrectButton));
        QApplication::setPalette(QPalette(QColor(53, 53, 53)));  // a dark desktop, for the picture
        QCoreApplication::processEvents();
        const qreal scale = qApp->devicePixelRatio();
        QVERIFY(
            Window().grab().save(QStringLiteral(QUIBBLY_SCREENSHOT_DIR "/dark_computers_turn_by_keys%1.png")
                                     .arg(scale == 1.0 ? QString() : QStringLiteral("@%1x").arg(scale))));
        QApplication::setPalette(QApplication::style()->standardPalette());
        Keys("4");

        // The last guess stays, selected: the first key replaces it.
        QTRY_COMPARE(Focused(), WidgetOf(form.YourGuessText));
        QCOMPARE(qobject_cast<QLineEdit*>(Focused())->selectedText(), QStringLiteral("CRISP"));
        Keys("plant\r");
        QCOMPARE(form.YourGuessList.Rows(), (std::vector<std::string>{"CRISP -  1", "PLANT -  0"}));

        // The Scratch Pad keeps its digits and letters; elsewhere C is Correct Word.
        QCOMPARE(form.MyGuessText.Text(), std::string("MOUSE"));
        WidgetOf(form.ScratchPadText)->setFocus();
        Keys("3c");
        QCOMPARE(form.ScratchPadText.Text(), std::string("3c"));
        QCOMPARE(form.MyGuessList.Rows(), std::vector<std::string>{"HOUSE - 4"});
        WidgetOf(form.MyGuessList)->setFocus();
        Keys("c");
        const std::vector<ShownBox> boxes = platform_->TakeBoxes();
        QCOMPARE(boxes.size(), 5u);
        QCOMPARE(boxes[0].text + "|" + boxes[1].text, std::string("CRISP -  1|PLANT -  0"));
        QCOMPARE(boxes[2].text + "|" + boxes[2].title, std::string("I guessed your word!!|I win!!"));
        QCOMPARE(boxes[4].text, std::string("Would you like to play again?"));
        QVERIFY(!form.CorrectButton.Enabled() && !form.GamePause.Enabled());
    }

    // Enter in the save window's name box saves; the next Load finds it.
    void enterInTheFileNameBoxSaves() {
        Form().YourWordText.SetText("MOUSE");
        platform_->NextRandom(0.5);
        platform_->NextRandom(0.9);
        Form().GameStart.Choose();
        Form().FileSave.Choose();
        QTest::qWait(0);
        QWidget* name = Focused();
        QVERIFY(name != nullptr && name->objectName() == QStringLiteral("FileText"));
        QTest::keyClicks(name, QStringLiteral("kept.swg"));
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(QFileInfo::exists(QStringLiteral("kept.swg")));
    }

private:
    QString previous_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<WidgetPlatform> platform_;
};

}  // namespace quibbly

QTEST_MAIN(quibbly::KeyboardPlayTest)
#include "keyboard_play_test.moc"
