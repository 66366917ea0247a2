// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/focus_ring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace quibbly {

namespace {

constexpr const char* ControlProperty = "quibblyControl";

// Two bands of 2 pixels: the game's dark blue outside the control, then the
// markers' yellow over its edge, so that one of them stands out from any
// control and any window colour.
constexpr int Band = 2;
const QColor Outer(0, 0, 128);
const QColor Inner(255, 255, 128);

class Ring : public QWidget {
public:
    explicit Ring(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRectF whole(rect());
        const qreal half = Band / 2.0;
        painter.setPen(QPen(Outer, Band, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(whole.adjusted(half, half, -half, -half));
        painter.setPen(QPen(Inner, Band, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(whole.adjusted(Band + half, Band + half, -Band - half, -Band - half));
    }
};

// Follows the application's focus, and the focused control as it moves,
// hides or changes size.
class Tracker : public QObject {
public:
    explicit Tracker(QObject* parent) : QObject(parent) {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
                Place();
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Follow(QWidget* now) {
        if (control_ != nullptr) control_->removeEventFilter(this);
        while (now != nullptr && !now->property(ControlProperty).toBool()) now = now->parentWidget();
        control_ = now;
        if (control_ != nullptr) control_->installEventFilter(this);
        Place();
    }

    void Place() {
        Ring* ring = nullptr;
        if (control_ != nullptr && control_->isVisible()) {
            // The window's client area holds the ring, so that a container's edge cannot cut it.
            QWidget* client = control_->parentWidget();
            while (client->property(ControlProperty).toBool() && client->parentWidget() != nullptr)
                client = client->parentWidget();
            for (QObject* child : client->children())
                if (auto* mine = dynamic_cast<Ring*>(child)) ring = mine;
            if (ring == nullptr) ring = new Ring(client);
            const int outside = 2 * Band - 1;
            ring->setGeometry(QRect(control_->mapTo(client, QPoint(0, 0)), control_->size())
                                  .adjusted(-outside, -outside, outside, outside));
            ring->raise();
            ring->show();
        }
        if (shown_ != nullptr && shown_ != ring) shown_->hide();
        shown_ = ring;
    }

    QPointer<QWidget> control_;
    QPointer<Ring> shown_;
};

}  // namespace

void RingOnFocus(QWidget* control) {
    // One tracker for the application, made again should the application be.
    static QPointer<Tracker> tracker;
    if (tracker == nullptr) tracker = new Tracker(qApp);
    control->setProperty(ControlProperty, true);
}

}  // namespace quibbly
