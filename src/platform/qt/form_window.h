// SPDX-License-Identifier: GPL-3.0-or-later
// The on-screen window of one window model: a main window of the design's
// size with the model's menus above a client area that holds the controls'
// widgets.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <unordered_map>

#include "platform/form.h"

class QAction;
class QKeyEvent;
class QLineEdit;

namespace quibbly {

// The room that the desktop's frame takes around a window: known once the
// window is framed, estimated before (a title bar and thin borders).
QMargins DesktopFrame(const QWidget& window);
// The place for a window's outer top left corner nearest to the wanted one
// that keeps the whole outer frame, of the given size, inside the area; the
// top left corner, with the title bar, wins when the frame is larger.
QPoint PlaceInside(const QRect& area, QSize outer, QPoint wanted);

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
    void BringIntoView(const Control& control) override;

protected:
    // Typed characters go through the text box's key handler first, and menu
    // shortcuts win over the text widgets' own Ctrl keys.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The model hears when the window becomes the program's active window.
    bool event(QEvent* event) override;
    // The desktop's close asks the model, which takes the window's own way out.
    void closeEvent(QCloseEvent* event) override;
    // Escape anywhere in the window is the window's own way out.
    void keyPressEvent(QKeyEvent* event) override;
    // A window without a title bar is dragged by its background.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The keyboard stays where it is while a handler switches its control off.
    bool focusNextPrevChild(bool next) override;

private:
    void BuildControls();
    void BuildMenus();
    void BuildTabOrder();
    bool IsMenuShortcut(const QKeyEvent& key) const;
    bool Type(QLineEdit* widget, TextBox& box, const QKeyEvent& key);
    bool IsEscape(const QKeyEvent& key) const;
    bool PreviewKey(const QKeyEvent& key);
    // The available area of the screen the window belongs to, and the room
    // that the desktop's frame takes around the window.
    QRect AvailableArea() const;
    // A window larger than the area shows its client area in a scroll area
    // of the area's size.
    void FitInto(const QRect& area);
    // PlaceInside the available area.
    QPoint Inside(QPoint wanted) const;
    // The design's client area in pixels at zoom 1, and the menu bar's height.
    QSize DesignSize() const;
    int MenuHeight() const;
    // Zoom and place the window for its first showing in the area.
    void Open(const QRect& area);
    void CentreClient();
    void FollowTheWindow();

public:
    // Every place, size and font of the window at the zoom (see
    // platform/zoom.h); the window's own size follows unless the player
    // may resize it.
    void SetZoom(double zoom);
    double CurrentZoom() const { return zoom_; }

private:
    Form& form_;
    QWidget* client_;
    std::unordered_map<const Control*, QWidget*> widgets_;
    std::unordered_map<const QObject*, Control*> controls_;
    std::unordered_map<const MenuItem*, QAction*> actions_;
    double zoom_ = 1.0;
    bool scrolls_ = false;
    QSize openedAt_;
    QTimer resized_;
    bool placed_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace quibbly
