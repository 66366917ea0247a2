// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/control_binding.h"

#include <QWidget>

namespace quibbly {

ControlBinding::ControlBinding(Control& control, QObject* shown, std::function<void()> show)
    : QObject(shown), control_(control), show_(std::move(show)) {
    control_.Attach(this);
    Refresh();
}

ControlBinding::~ControlBinding() {
    if (control_.View() == this) control_.Attach(nullptr);
}

void ControlBinding::Refresh() {
    const bool outer = !pushing_;
    pushing_ = true;
    show_();
    if (outer) pushing_ = false;
}

void ControlBinding::RepaintNow() {
    if (repaint_)
        repaint_();
    else if (auto* widget = qobject_cast<QWidget*>(parent()))
        widget->repaint();
}

}  // namespace quibbly
