// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/chart_widget.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <algorithm>

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

class ChartWidget : public QWidget {
public:
    ChartWidget(Chart& chart, QWidget* parent) : QWidget(parent), chart_(chart) {}

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Chart& chart_;
};

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

    const bool labelled =
        std::any_of(bars.begin(), bars.end(), [](const ChartBar& b) { return !b.below.empty(); });
    const qreal line = metrics.height();
    const QRectF plot = QRectF(rect()).adjusted(6, line + 4, -6, -(labelled ? line + 4 : 6));
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
