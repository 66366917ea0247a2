// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/chart.h"

namespace quibbly {

Chart::Chart(Form& owner, std::string name, Control* container, Look look, std::string title,
             std::string empty)
    : Control(owner, ControlKind::Chart, std::move(name), container, std::move(look)),
      title_(std::move(title)),
      empty_(std::move(empty)) {}

void Chart::SetBars(std::vector<ChartBar> bars, std::string description) {
    if (bars == bars_ && description == description_) return;
    bars_ = std::move(bars);
    description_ = std::move(description);
    Changed();
}

}  // namespace quibbly
