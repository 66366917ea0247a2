// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/help_viewer.h"

#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/qt/control_builders.h"
#include "platform/qt/form_window.h"

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
    // A white page whatever the desktop's palette, its text and links fixed
    // with it: the help's headings and table heads have colours of their own.
    QPalette page = browser_->palette();
    page.setColor(QPalette::Base, Qt::white);
    page.setColor(QPalette::Link, QColor(0, 0, 238));
    ReadableText(page, QPalette::Base, Qt::white, std::nullopt);
    browser_->setPalette(page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    // Escape leaves the help, as it leaves every window of the game.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void HelpViewer::Open(const QString& path, const QWidget* beside) {
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
    if (!isVisible()) Place(beside);
    show();
    raise();
    activateWindow();
}

}  // namespace quibbly

namespace quibbly {

// As wide as the text's longest line, up to a comfortable reading width of
// about 80 characters, and as tall as the text or the screen allows.
void HelpViewer::Place(const QWidget* beside) {
    const QScreen* on = beside != nullptr ? beside->screen() : screen();
    const QRect area = on->availableGeometry();
    // Laid out on a copy, so that the browser's own layout stays as it is.
    const std::unique_ptr<QTextDocument> text(browser_->document()->clone());
    text->setDefaultFont(browser_->font());
    const qreal reading = browser_->fontMetrics().averageCharWidth() * 80 + 2 * text->documentMargin();
    text->setTextWidth(reading);
    text->setTextWidth(std::min(text->idealWidth(), reading));
    const int chrome = 2 * browser_->frameWidth();
    const QSize wanted(static_cast<int>(std::ceil(text->textWidth())) + chrome +
                           browser_->verticalScrollBar()->sizeHint().width(),
                       static_cast<int>(std::ceil(text->size().height())) + chrome);
    const QMargins frame = DesktopFrame(*this);
    resize(wanted.boundedTo(area.size().shrunkBy(frame)));
    const QSize outer = size().grownBy(frame);
    const QPoint centre = beside != nullptr ? beside->frameGeometry().center() : area.center();
    move(PlaceInside(area, outer, centre - QPoint(outer.width() / 2, outer.height() / 2)));
}

}  // namespace quibbly
