// SPDX-License-Identifier: GPL-3.0-or-later
// The save-and-load window as real widgets: its frame and places, the
// pattern box switching the file list, and a double-click that loads.
#include <QtTest>
#include <QtWidgets>

#include "platform/qt/control_builders.h"
#include "platform/qt/qt_windows.h"
#include "platform/scripted_platform.h"
#include "records/saved_game.h"
#include "windows/main/quibbly_form.h"
#include "windows/other/game_form.h"

namespace quibbly {
namespace {

class WidgetPlatform : public ScriptedPlatform {
public:
    void FormCreated(Form& form) override { windows.Create(form); }
    void FormDestroyed(Form& form) override { windows.Destroy(form); }
    QtWindows windows;
};

QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text().trimmed();
    return rows;
}

}  // namespace

class GameWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QVERIFY(QDir().mkpath(QStringLiteral(QUIBBLY_SCREENSHOT_DIR)));
    }

    void openSwitchPatternAndDoubleClick() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        QDir().mkdir(QStringLiteral("games"));
        for (const char* name : {"b.swg", "notes.txt"})
            QFile(QString::fromLatin1(name)).open(QIODevice::WriteOnly);
        WidgetPlatform platform;
        InstallPlatform(&platform);
        Forms::DropAll();
        QuibblyForm& main = QuibblyForm::Instance();
        main.Show();
        QVERIFY(SavedGame::SaveGame("a.swg"));  // a game saved before any game

        FormWindow* mainWindow = platform.windows.WindowOf(main);
        mainWindow->ActionOf(main.FileLoad)->trigger();
        GameForm& game = GameForm::Instance();
        FormWindow* window = platform.windows.WindowOf(game);
        QVERIFY(window != nullptr && window->isVisible());
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
        QVERIFY(window->grab().save(QStringLiteral(QUIBBLY_SCREENSHOT_DIR "/load_window.png")));

        // The pattern box: "*.*" lists every file, "*.swg" the saved games again.
        auto* pattern = qobject_cast<QComboBox*>(window->WidgetOf(game.TypeCombo));
        QCOMPARE(pattern->currentText(), QStringLiteral("*.swg"));
        QTest::keyClick(pattern, Qt::Key_Down);
        QCOMPARE(pattern->currentText(), QStringLiteral("*.*"));
        QCOMPARE(Rows(files), (QStringList{"a.swg", "b.swg", "notes.txt"}));
        QTest::keyClick(pattern, Qt::Key_Up);
        QCOMPARE(Rows(files), (QStringList{"a.swg", "b.swg"}));
        // Typing a pattern does not change the list.
        pattern->setEditText(QStringLiteral("*.txt"));
        QCOMPARE(game.TypeCombo.Text(), "*.txt");
        QCOMPARE(Rows(files), (QStringList{"a.swg", "b.swg"}));

        // Save mode: its captions on the same window.
        mainWindow->ActionOf(main.FileSave)->trigger();
        QCOMPARE(window->windowTitle(), QStringLiteral("Save Game"));
        QCOMPARE(qobject_cast<QLabel*>(window->WidgetOf(game.Label3))->text(),
                 QStringLiteral("Save as type:"));
        QCOMPARE(qobject_cast<QPushButton*>(window->WidgetOf(game.LoadButton))->text(),
                 QStringLiteral("Save"));
        QVERIFY(window->grab().save(QStringLiteral(QUIBBLY_SCREENSHOT_DIR "/save_window.png")));

        // Load mode again; a double-click on a file loads it and closes the window.
        mainWindow->ActionOf(main.FileLoad)->trigger();
        const QRect first = files->visualItemRect(files->item(0));
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(name->text(), QStringLiteral("a.swg"));
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, first.center());
        QVERIFY(!window->isVisible());
        QCOMPARE(main.WhoLabel.Caption(), "It's Your Turn");
        QVERIFY(platform.boxes.empty());

        Forms::DropAll();
        InstallPlatform(nullptr);
        QDir::setCurrent(previous);
    }
};

}  // namespace quibbly

QTEST_MAIN(quibbly::GameWindowTest)
#include "game_window_test.moc"
