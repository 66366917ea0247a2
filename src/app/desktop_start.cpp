// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_start.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdlib>

#include "app/game_folder.h"

namespace quibbly {

bool PrepareToPlay() {
    QGuiApplication::setDesktopFileName(QStringLiteral(QUIBBLY_APP_ID));
    const GameFolderSetup setup = PrepareGameFolder(
        ShippedFolders(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()),
        PlayerGameFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    if (setup.faults.empty()) return true;

    // A missing word file or help still lets the game start: a copy from an
    // earlier run may serve, the game names any word file it cannot read
    // when it needs it, and the help viewer reports a missing help file.
    // Without its folder the game does not start, since its scores and
    // saved games would land in whatever folder it was started from.
    QString text = QStringLiteral("Quibbly could not prepare its game folder.\n");
    for (const std::string& fault : setup.faults) text += QLatin1Char('\n') + QString::fromLocal8Bit(fault);
    text += setup.entered ? QStringLiteral("\n\nThe game starts without them.")
                          : QStringLiteral("\n\nThe game cannot start.");
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Quibbly"), text, QMessageBox::Ok);
    box.exec();
    return setup.entered;
}

}  // namespace quibbly
