// SPDX-License-Identifier: GPL-3.0-or-later
// The on-screen windows of the live window models: one per model, made when
// the model is created and deleted before it goes.
#pragma once

#include <QPointer>
#include <vector>

#include "platform/qt/form_window.h"

namespace quibbly {

class QtWindows {
public:
    QtWindows() = default;
    QtWindows(const QtWindows&) = delete;
    QtWindows& operator=(const QtWindows&) = delete;
    ~QtWindows();

    // Builds the window for a new model and attaches it as the model's view.
    // Windows without a taskbar entry belong to the first window made that
    // has one.
    FormWindow& Create(Form& form);
    void Destroy(Form& form);
    FormWindow* WindowOf(const Form& form) const;
    // The first window made that has a taskbar entry: the main window.
    FormWindow* MainWindow() const;
    void HideAll();

private:
    std::vector<QPointer<FormWindow>> windows_;
};

}  // namespace quibbly
