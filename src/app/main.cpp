// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the game: the Qt platform, then the start-up window, which opens
// the main window.
#include <QApplication>
#include <QStyleFactory>

#include "app/desktop_start.h"
#include "platform/form.h"
#include "platform/qt/qt_platform.h"
#include "windows/frame/intro_form.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quibbly"));
    // One style everywhere, so the designed colours look the same on every desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (!quibbly::PrepareToPlay()) return 1;

    quibbly::QtPlatform platform;
    quibbly::InstallPlatform(&platform);
    quibbly::IntroForm::Instance();
    const int result = QApplication::exec();
    quibbly::Forms::DropAll();
    quibbly::InstallPlatform(nullptr);
    return result;
}
