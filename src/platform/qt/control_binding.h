// SPDX-License-Identifier: GPL-3.0-or-later
// The link between one control model and the Qt object that shows it. The
// binding lives as long as that object; the control sees it as its view.
#pragma once

#include <QObject>
#include <functional>

#include "platform/controls.h"

namespace quibbly {

class ControlBinding : public QObject, public ControlView {
public:
    // show pushes the control's whole state to the Qt object; it runs now and
    // after every change of the model.
    ControlBinding(Control& control, QObject* shown, std::function<void()> show);
    ~ControlBinding() override;

    void Refresh() override;
    // Repaints the shown widget at once, or runs the repaint given here.
    void RepaintNow() override;
    void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
    Control& Model() const { return control_; }
    // True while the model's state is being pushed: what the widget reports
    // then is the model's own change coming back and must not be echoed.
    bool Pushing() const { return pushing_; }

private:
    Control& control_;
    std::function<void()> show_;
    std::function<void()> repaint_;
    bool pushing_ = false;
};

}  // namespace quibbly
