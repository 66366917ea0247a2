// SPDX-License-Identifier: GPL-3.0-or-later
// The help viewer: a window of its own that shows a help file (HTML as Qt's
// rich text reads it) at its contents. It reports a file it cannot read in
// its own page; the game neither waits for it nor hears about it.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace quibbly {

class HelpViewer : public QWidget {
    Q_OBJECT

public:
    HelpViewer();

    // Reads the file anew (it may have changed), shows it at its contents
    // and brings the window forward. A viewer that was closed opens sized to
    // its text and centred on the given window (the screen without one),
    // inside the screen's available area.
    void Open(const QString& path, const QWidget* beside = nullptr);
    QTextBrowser* Browser() const { return browser_; }

private:
    void Place(const QWidget* beside);
    QTextBrowser* browser_;
};

}  // namespace quibbly
