// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDeadlineTimer>
#include <QDir>
#include <QGridLayout>
#include <QLocale>
#include <QMessageBox>
#include <QStorageInfo>
#include <QStyle>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>

#include "platform/qt/control_builders.h"

namespace quibbly {

// A message box sizes itself to its text alone, and the desktop cuts a title
// that is wider than that. The box is made wide enough for the title in a
// bold title-bar font, with room for the window icon and three title-bar
// buttons; at any scale, since the measures scale with the fonts.
void KeepTitleWhole(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr || box.windowTitle().isEmpty()) return;
    QFont font = box.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.1);
    const QFontMetrics title(font);
    const int buttons = 4 * std::max(box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box),
                                     title.height() * 3 / 2);
    const int width = title.horizontalAdvance(box.windowTitle()) + buttons + title.averageCharWidth() * 4;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

MsgAnswer QtPlatform::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                             const std::string& title) {
    const QMessageBox::Icon shown = icon == MsgIcon::Information   ? QMessageBox::Information
                                    : icon == MsgIcon::Exclamation ? QMessageBox::Warning
                                                                   : QMessageBox::NoIcon;
    const auto choices = buttons == MsgButtons::OK ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(shown, ToQString(title), ToQString(text), choices, QApplication::activeWindow());
    if (buttons == MsgButtons::YesNoDefaultNo) box.setDefaultButton(QMessageBox::No);
    box.setWindowModality(Qt::ApplicationModal);
    KeepTitleWhole(box);
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
    return LocalTimeOfDay();
}

namespace {

// Swallows everything the player does while installed.
class InputBlocker : public QObject {
public:
    InputBlocker() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::ContextMenu:
            case QEvent::Close:
                return true;
            default:
                return QObject::eventFilter(watched, event);
        }
    }
};

}  // namespace

void QtPlatform::Sleep(int milliseconds) {
    const InputBlocker blocker;
    const QDeadlineTimer deadline(std::max(milliseconds, 0));
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::msleep(static_cast<unsigned long>(std::clamp<qint64>(deadline.remainingTime(), 0, 10)));
    } while (!deadline.hasExpired());
}

std::string QtPlatform::ShortDate() {
    return ToModel(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

// The only command the game gives is the one for the contents, which is where
// the viewer always opens.
void QtPlatform::ShowHelp(const std::string& file, int /*command*/) {
    if (helpViewer.isNull()) helpViewer = new HelpViewer;
    helpViewer->Open(QDir::current().absoluteFilePath(ToQString(file)), windows.MainWindow());
}

void QtPlatform::SetClipboard(const std::string& text) {
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

QtPlatform::~QtPlatform() {
    delete helpViewer.data();
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
    if (!helpViewer.isNull()) helpViewer->hide();
    QCoreApplication::exit(0);
    std::exit(0);
}

}  // namespace quibbly
