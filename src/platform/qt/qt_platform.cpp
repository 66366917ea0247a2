// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QStorageInfo>
#include <QThread>
#include <QTime>
#include <QUrl>
#include <algorithm>
#include <cstdlib>

#include "platform/qt/control_builders.h"

namespace quibbly {

MsgAnswer QtPlatform::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                             const std::string& title) {
    const QMessageBox::Icon shown = icon == MsgIcon::Information   ? QMessageBox::Information
                                    : icon == MsgIcon::Exclamation ? QMessageBox::Warning
                                                                   : QMessageBox::NoIcon;
    const auto choices = buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    QMessageBox box(shown, ToQString(title), ToQString(text), choices, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    const int answer = box.exec();
    if (buttons == MsgButtons::OK) return MsgAnswer::OK;
    return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

// A search yields before every word. The events already queued in the
// program (paints, a click's consequences) are handled at every yield; the
// window system's input and the timers are read at most once a millisecond,
// which no player can tell from every time, and which spares a search tens
// of thousands of system calls.
void QtPlatform::DoEvents() {
    QCoreApplication::sendPostedEvents();
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPoll_ < std::chrono::milliseconds(1)) return;
    lastPoll_ = now;
    QCoreApplication::processEvents();
}

double QtPlatform::Timer() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void QtPlatform::Sleep(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(std::max(milliseconds, 0)));
}

std::string QtPlatform::ShortDate() {
    return ToModel(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

// The help file opens at its start in the desktop's viewer; a missing file or
// viewer is not reported.
void QtPlatform::ShowHelp(const std::string& file, int /*command*/) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(ToQString(file))));
}

// The volumes a player would pick from: the root, the volumes of the home
// and the game folder, and removable or added media. The system's own
// mounts (/proc, /sys, /run, ...) are left out.
std::vector<std::string> QtPlatform::Drives() {
    std::vector<std::string> drives{"/"};
    auto add = [&drives](const QString& root) {
        const std::string path = ToModel(root);
        if (!path.empty() && std::find(drives.begin(), drives.end(), path) == drives.end())
            drives.push_back(path);
    };
    add(QStorageInfo(QDir::homePath()).rootPath());
    add(QStorageInfo(QDir::currentPath()).rootPath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const bool media = root.startsWith(QLatin1String("/media/")) ||
                           root.startsWith(QLatin1String("/mnt/")) ||
                           root.startsWith(QLatin1String("/run/media/"));
        if (media && volume.isValid() && volume.isReady()) add(root);
    }
    std::sort(drives.begin() + 1, drives.end());
    return drives;
}

void QtPlatform::End() {
    windows.HideAll();
    QCoreApplication::exit(0);
    std::exit(0);
}

}  // namespace quibbly
