// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/chart_widget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/chart.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/control_builders.h"

namespace quibbly {

namespace {

// The marker colours of the letter buttons: green for the last game, red for
// a game the computer won.
const QColor LastGame(0, 255, 128);
const QColor LostMark(255, 0, 128);
const QColor QuitMark(112, 112, 112);

// A chart is read bar by bar: it takes the keyboard, the arrow keys (and
// Home and End) step from bar to bar, and the bar in hand is the focused
// item of the list that assistive tools see, read by its words.
class ChartWidget : public QWidget {
public:
    ChartWidget(Chart& chart, QWidget* parent) : QWidget(parent), chart_(chart) {
        setFocusPolicy(Qt::StrongFocus);
    }
    const Chart& Model() const { return chart_; }
    int Current() const { return std::min(current_, static_cast<int>(chart_.Bars().size()) - 1); }
    // The slot of a bar, in the widget's own pixels.
    QRect Slot(int bar) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void TellCurrent();
    QRectF Plot() const;

    Chart& chart_;
    int current_ = 0;
};

class ChartAccessible;

// One bar, as an item of the chart's list.
class BarAccessible : public QAccessibleInterface {
public:
    BarAccessible(ChartAccessible& chart, int index) : chart_(chart), index_(index) {}
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

private:
    ChartAccessible& chart_;
    int index_;
};

class ChartAccessible : public QAccessibleWidget {
public:
    explicit ChartAccessible(ChartWidget* widget) : QAccessibleWidget(widget, QAccessible::List) {}
    ~ChartAccessible() override {
        for (QAccessibleInterface* bar : bars_)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(bar));
    }
    ChartWidget* Widget() const { return static_cast<ChartWidget*>(widget()); }
    int childCount() const override { return static_cast<int>(Widget()->Model().Bars().size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        // Each bar's interface lives as long as the chart's, whatever its bars become.
        while (static_cast<int>(bars_.size()) <= index) {
            auto* bar =
                new BarAccessible(*const_cast<ChartAccessible*>(this), static_cast<int>(bars_.size()));
            QAccessible::registerAccessibleInterface(bar);
            bars_.push_back(bar);
        }
        return bars_[static_cast<std::size_t>(index)];
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto found = std::find(bars_.begin(), bars_.end(), child);
        return found == bars_.end() || found - bars_.begin() >= childCount()
                   ? -1
                   : static_cast<int>(found - bars_.begin());
    }
    QAccessibleInterface* focusChild() const override {
        return Widget()->hasFocus() ? child(Widget()->Current()) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i)->rect().contains(x, y)) return child(i);
        return nullptr;
    }
    QString text(QAccessible::Text t) const override {
        const Chart& chart = Widget()->Model();
        if (t == QAccessible::Name) return ToQString(chart.Title());
        if (t == QAccessible::Description) return ToQString(chart.Description());
        return QAccessibleWidget::text(t);
    }

private:
    mutable std::vector<QAccessibleInterface*> bars_;
};

bool BarAccessible::isValid() const {
    return chart_.isValid() && index_ < chart_.childCount();
}
QWindow* BarAccessible::window() const {
    return chart_.window();
}
QAccessibleInterface* BarAccessible::parent() const {
    return &chart_;
}
QString BarAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !isValid()) return {};
    return ToQString(chart_.Widget()->Model().Bars()[static_cast<std::size_t>(index_)].words);
}
QRect BarAccessible::rect() const {
    const ChartWidget* widget = chart_.Widget();
    const QRect slot = widget->Slot(index_);
    return {widget->mapToGlobal(slot.topLeft()), slot.size()};
}
QAccessible::State BarAccessible::state() const {
    QAccessible::State state;
    state.focusable = state.selectable = true;
    const bool current = chart_.Widget()->Current() == index_;
    state.selected = current;
    state.focused = current && chart_.Widget()->hasFocus();
    return state;
}

QAccessibleInterface* ChartInterface(const QString&, QObject* object) {
    if (auto* chart = dynamic_cast<ChartWidget*>(object)) return new ChartAccessible(chart);
    return nullptr;
}

QRectF ChartWidget::Plot() const {
    const QFontMetricsF metrics(ToQFont(chart_.Design().font));
    const std::vector<ChartBar>& bars = chart_.Bars();
    const bool labelled =
        std::any_of(bars.begin(), bars.end(), [](const ChartBar& b) { return !b.below.empty(); });
    const qreal line = metrics.height();
    return QRectF(rect()).adjusted(6, line + 4, -6, -(labelled ? line + 4 : 6));
}

QRect ChartWidget::Slot(int bar) const {
    const QRectF plot = Plot();
    const qreal slot = plot.width() / static_cast<qreal>(std::max<std::size_t>(chart_.Bars().size(), 1));
    return QRectF(plot.left() + slot * bar, 1, slot, height() - 2).toAlignedRect();
}

void ChartWidget::TellCurrent() {
    update();
    if (!hasFocus() || chart_.Bars().empty()) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(Current());
    QAccessible::updateAccessibility(&focus);
}

void ChartWidget::keyPressEvent(QKeyEvent* event) {
    const int last = static_cast<int>(chart_.Bars().size()) - 1;
    int next = Current();
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            next = std::max(0, next - 1);
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            next = std::min(last, next + 1);
            break;
        case Qt::Key_Home:
            next = 0;
            break;
        case Qt::Key_End:
            next = last;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    current_ = std::max(0, next);
    TellCurrent();
}

void ChartWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // After Qt has told of the chart's own focus: then the bar in hand.
    QTimer::singleShot(0, this, [this] { TellCurrent(); });
}

void ChartWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void ChartWidget::paintEvent(QPaintEvent*) {
    const Look& look = chart_.Design();
    const QColor ink = look.fore ? ToQColor(*look.fore) : QColor(Qt::black);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF whole = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.fillRect(rect(), look.back ? ToQColor(*look.back) : QColor(Qt::white));
    if (look.border) {
        painter.setPen(QPen(QColor(64, 64, 64), 1));
        painter.drawRect(whole);
    }
    QFont font = ToQFont(look.font, ZoomOf(this));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const std::vector<ChartBar>& bars = chart_.Bars();
    if (bars.empty()) {
        painter.setPen(QColor(96, 96, 96));
        painter.drawText(rect(), Qt::AlignCenter, ToQString(chart_.EmptyText()));
        return;
    }

    const qreal line = metrics.height();
    const QRectF plot = Plot();
    // The bar in hand, while the keys step through the chart.
    if (hasFocus()) {
        painter.setPen(QPen(QColor(0, 0, 128), 1, Qt::DotLine));
        painter.drawRect(QRectF(Slot(Current())).adjusted(1.5, 1.5, -1.5, -1.5));
    }
    const qreal slot = plot.width() / static_cast<qreal>(bars.size());
    const qreal barWidth = std::min(slot * 0.7, 40.0);
    int highest = 1;
    for (const ChartBar& bar : bars) highest = std::max(highest, bar.value);

    painter.setPen(QPen(QColor(160, 160, 160), 1));
    painter.drawLine(QPointF(plot.left(), plot.bottom() + 0.5), QPointF(plot.right(), plot.bottom() + 0.5));
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const ChartBar& bar = bars[i];
        const qreal middle = plot.left() + slot * (static_cast<qreal>(i) + 0.5);
        if (bar.kind == ChartBar::Kind::Lost || bar.kind == ChartBar::Kind::Quit) {
            // A mark just above the base line instead of a bar.
            const qreal size = std::min(barWidth, 10.0) / 2;
            const QPointF centre(middle, plot.bottom() - size - 2);
            if (bar.kind == ChartBar::Kind::Lost) {
                painter.setPen(QPen(LostMark, 2.2, Qt::SolidLine, Qt::RoundCap));
                painter.drawLine(centre + QPointF(-size, -size), centre + QPointF(size, size));
                painter.drawLine(centre + QPointF(-size, size), centre + QPointF(size, -size));
            } else {
                painter.setPen(QPen(QuitMark, 2.2, Qt::SolidLine, Qt::RoundCap));
                painter.drawLine(centre + QPointF(-size, 0), centre + QPointF(size, 0));
            }
            continue;
        }
        const qreal height = plot.height() * bar.value / highest;
        const QRectF shape(middle - barWidth / 2, plot.bottom() - height, barWidth, height);
        if (bar.value > 0) {
            const bool last = bar.kind == ChartBar::Kind::Highlighted;
            painter.setPen(QPen(ink, last ? 1.5 : 1));
            painter.setBrush(last ? LastGame : ink);
            painter.drawRect(shape);
            painter.setBrush(Qt::NoBrush);
        }
        painter.setPen(Qt::black);
        const QRectF over(middle - slot / 2, shape.top() - line - 1, slot, line);
        painter.drawText(over, Qt::AlignHCenter | Qt::AlignBottom, ToQString(bar.above));
        if (!bar.below.empty()) {
            const QRectF under(middle - slot / 2, plot.bottom() + 3, slot, line);
            painter.drawText(under, Qt::AlignHCenter | Qt::AlignTop, ToQString(bar.below));
        }
    }
}

}  // namespace

QWidget* BuildChart(Chart& chart, QWidget* parent) {
    static const bool readable = (QAccessible::installFactory(ChartInterface), true);
    (void)readable;
    auto* widget = new ChartWidget(chart, parent);
    new ControlBinding(chart, widget, [widget, &chart] {
        PlaceWidget(chart, widget);
        widget->setEnabled(chart.Enabled());
        widget->setVisible(chart.Visible());
        // The numbers as text, for a screen reader and under the pointer.
        widget->setAccessibleDescription(ToQString(chart.Description()));
        widget->setToolTip(ToQString(chart.Description()));
        widget->update();
    });
    return widget;
}

}  // namespace quibbly
