// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/help_viewer.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quibbly {

namespace {
// The help file's contents carry this anchor.
const QString ContentsAnchor = QStringLiteral("contents");
}  // namespace

HelpViewer::HelpViewer() : QWidget(nullptr, Qt::Window), browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Quibbly Help"));
    setWindowIcon(QIcon(QStringLiteral(":/images/quibbly.svg")));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    browser_->document()->setDocumentMargin(12);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(680, 560);
}

void HelpViewer::Open(const QString& path) {
    QFile file(path);
    const QString shown = QFileInfo(path).fileName();
    if (QFileInfo(path).isDir()) {
        browser_->setHtml(tr("<h2>No help</h2><p>The help file \"%1\" cannot be read: %2 is a folder.</p>")
                              .arg(shown.toHtmlEscaped(), path.toHtmlEscaped()));
    } else if (!file.open(QIODevice::ReadOnly)) {
        browser_->setHtml(tr("<h2>No help</h2><p>The help file \"%1\" cannot be read: %2.</p>"
                             "<p>It should be in the game's folder, %3.</p>")
                              .arg(shown.toHtmlEscaped(), file.errorString().toHtmlEscaped(),
                                   QFileInfo(path).absolutePath().toHtmlEscaped()));
    } else {
        browser_->setHtml(QString::fromUtf8(file.readAll()));
        browser_->scrollToAnchor(ContentsAnchor);
    }
    show();
    raise();
    activateWindow();
}

}  // namespace quibbly
