// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_windows.h"

#include <algorithm>

namespace quibbly {

QtWindows::~QtWindows() {
    // Newest first: an owned window goes before its owner.
    for (auto window = windows_.rbegin(); window != windows_.rend(); ++window) delete window->data();
}

FormWindow& QtWindows::Create(Form& form) {
    std::erase_if(windows_, [](const QPointer<FormWindow>& window) { return window.isNull(); });
    // The start-up window is made first but hidden for good; the owner is
    // the first window with a taskbar entry: the main window.
    QWidget* owner = form.Design().showInTaskbar ? nullptr : MainWindow();
    auto* window = new FormWindow(form, owner);
    windows_.emplace_back(window);
    return *window;
}

void QtWindows::Destroy(Form& form) {
    const auto found =
        std::find_if(windows_.begin(), windows_.end(), [&form](const QPointer<FormWindow>& window) {
            return !window.isNull() && &window->Model() == &form;
        });
    if (found == windows_.end()) return;
    delete found->data();
    windows_.erase(found);
}

FormWindow* QtWindows::WindowOf(const Form& form) const {
    for (const QPointer<FormWindow>& window : windows_)
        if (!window.isNull() && &window->Model() == &form) return window.data();
    return nullptr;
}

FormWindow* QtWindows::MainWindow() const {
    for (const QPointer<FormWindow>& window : windows_)
        if (!window.isNull() && window->Model().Design().showInTaskbar) return window.data();
    return nullptr;
}

void QtWindows::HideAll() {
    for (const QPointer<FormWindow>& window : windows_)
        if (!window.isNull()) window->hide();
}

}  // namespace quibbly
