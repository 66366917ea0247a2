// SPDX-License-Identifier: GPL-3.0-or-later
// The widget of a chart control: bars painted with QPainter in the control's
// font and colours, as vectors, so that they stay sharp at any scale.
#pragma once

class QWidget;

namespace quibbly {

class Chart;

// Makes the chart's widget as a child of parent, bound to the model.
QWidget* BuildChart(Chart& chart, QWidget* parent);

}  // namespace quibbly
