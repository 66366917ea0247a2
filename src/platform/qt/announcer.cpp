// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QString>
#include <QWidget>

namespace quibbly {

namespace {

// A widget of one pixel that draws nothing and takes no input: only
// assistive tools see it.
class Announcement : public QWidget {
public:
    explicit Announcement(QWidget* window) : QWidget(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
    }
    QString words;
};

class AnnouncementAccessible : public QAccessibleWidget {
public:
    explicit AnnouncementAccessible(Announcement* widget)
        : QAccessibleWidget(widget, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<Announcement*>(widget())->words : QString();
    }
};

QAccessibleInterface* AnnouncementInterface(const QString&, QObject* object) {
    if (auto* announcement = dynamic_cast<Announcement*>(object))
        return new AnnouncementAccessible(announcement);
    return nullptr;
}

}  // namespace

void Announce(QWidget* near, const QString& words) {
    static const bool readable = (QAccessible::installFactory(AnnouncementInterface), true);
    (void)readable;
    QWidget* window = near->window();
    Announcement* announcement = nullptr;
    for (QObject* child : window->children())
        if (auto* mine = dynamic_cast<Announcement*>(child)) announcement = mine;
    if (announcement == nullptr) announcement = new Announcement(window);
    announcement->hide();
    announcement->words = words;
    announcement->show();  // assistive tools hear it show, with its words
}

}  // namespace quibbly
