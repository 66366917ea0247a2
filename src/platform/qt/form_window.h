// SPDX-License-Identifier: GPL-3.0-or-later
// The on-screen window of one window model: a main window of the design's
// size with the model's menus above a client area that holds the controls'
// widgets.
#pragma once

#include <QMainWindow>
#include <unordered_map>

#include "platform/form.h"

class QAction;
class QKeyEvent;
class QLineEdit;

namespace quibbly {

class FormWindow : public QMainWindow, public FormView {
    Q_OBJECT

public:
    FormWindow(Form& form, QWidget* parent);
    ~FormWindow() override;

    Form& Model() const { return form_; }
    // The area below the menu bar, sized as the design's client area.
    QWidget* Client() const { return client_; }
    QWidget* WidgetOf(const Control& control) const;
    QAction* ActionOf(const MenuItem& item) const;

    void ShowWindow() override;
    void HideWindow() override;
    void RepaintNow() override;
    void FocusChanged() override;
    int WindowTop() const override;
    int WindowLeft() const override;
    void MoveWindow(int left, int top) override;
    void CaptionChanged() override;

protected:
    // Typed characters go through the text box's key handler first, and menu
    // shortcuts win over the text widgets' own Ctrl keys.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The model hears when the window becomes the program's active window.
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void BuildTabOrder();
    bool IsMenuShortcut(const QKeyEvent& key) const;
    bool Type(QLineEdit* widget, TextBox& box, const QKeyEvent& key);

    Form& form_;
    QWidget* client_;
    std::unordered_map<const Control*, QWidget*> widgets_;
    std::unordered_map<const QObject*, Control*> controls_;
    std::unordered_map<const MenuItem*, QAction*> actions_;
    bool placed_ = false;
};

}  // namespace quibbly
