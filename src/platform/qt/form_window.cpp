// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/form_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cctype>
#include <functional>

#include "platform/qt/accessible_names.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/control_builders.h"
#include "platform/zoom.h"

namespace quibbly {

namespace {

constexpr Integer EnterCode = 13;
constexpr Integer BackspaceCode = 8;

// Fixed windows are never resizable and have no maximise button, except
// the main window, whose design gives it one.
Qt::WindowFlags FlagsFor(const FormDesign& design) {
    if (design.border == BorderStyle::FixedDialog && design.caption.empty())
        return Qt::Tool | Qt::FramelessWindowHint;
    Qt::WindowFlags flags = design.showInTaskbar ? Qt::Window : Qt::Tool;
    if (design.border == BorderStyle::FixedDialog) flags = Qt::Dialog;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (design.controlBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (design.border == BorderStyle::FixedSingle && design.minMaxButtons)
        flags |= Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
    return flags;
}

int ShortcutKey(char letter) {
    return std::toupper(static_cast<unsigned char>(letter));
}

}  // namespace

// The central area of a window the player may resize: it tells the window
// each new size.
class ZoomArea : public QWidget {
public:
    ZoomArea(QWidget* parent, std::function<void()> resized)
        : QWidget(parent), resized_(std::move(resized)) {}

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        resized_();
    }

private:
    std::function<void()> resized_;
};

FormWindow::FormWindow(Form& form, QWidget* parent)
    : QMainWindow(parent, FlagsFor(form.Design())), form_(form), client_(new QWidget(this)) {
    const FormDesign& design = form.Design();
    setWindowTitle(ToQString(design.caption));
    if (!design.spokenName.empty()) setAccessibleName(ToQString(design.spokenName));
    setWindowIcon(QIcon(Picture(design.icon.empty() ? "quibbly" : design.icon)));
    // A window without a control to type into never takes the keyboard; one
    // with controls, such as the name window, is made active when shown.
    if (!design.showInTaskbar && form.TabOrder().empty()) setAttribute(Qt::WA_ShowWithoutActivating);
    if (form.TabOrder().empty()) setWindowFlag(Qt::WindowDoesNotAcceptFocus);

    SetZoomOf(this, zoom_);
    QPalette palette = client_->palette();
    if (!design.standardBack) palette.setColor(QPalette::Window, ToQColor(design.back));
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);
    if (design.Sizable()) {
        // The player may make the window larger or smaller than its design:
        // the layout, at the zoom that fits, stays in the middle on the
        // window's own colour.
        auto* around = new ZoomArea(this, [this] { FollowTheWindow(); });
        around->setPalette(palette);
        around->setAutoFillBackground(true);
        client_->setParent(around);
        setCentralWidget(around);
    } else {
        setCentralWidget(client_);
    }

    resized_.setSingleShot(true);
    resized_.setInterval(300);
    connect(&resized_, &QTimer::timeout, this, [this] {
        const QSize room = client_->parentWidget()->size();
        form_.Resized({room.width() * TwipsPerPixel, room.height() * TwipsPerPixel});
    });
    BuildControls();
    BuildMenus();
    BuildTabOrder();
    SetZoom(zoom_);
    layout()->setSizeConstraint(design.Sizable() ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
    layout()->activate();
    form_.Attach(this);
}

QSize FormWindow::DesignSize() const {
    return {ToPixels(form_.Design().clientWidth), ToPixels(form_.Design().clientHeight)};
}

int FormWindow::MenuHeight() const {
    return form_.Menus().empty() ? 0 : menuBar()->sizeHint().height();
}

void FormWindow::SetZoom(double zoom) {
    const FormDesign& design = form_.Design();
    zoom_ = zoom;
    SetZoomOf(this, zoom);
    const QSize clientSize(Zoom::Pixels(design.clientWidth, zoom), Zoom::Pixels(design.clientHeight, zoom));
    if (client_->size() != clientSize || !design.backPicture.empty()) {
        client_->setFixedSize(clientSize);
        if (!design.backPicture.empty()) {
            QPalette palette = client_->palette();
            palette.setBrush(QPalette::Window, QBrush(Picture(design.backPicture, clientSize)));
            client_->setPalette(palette);
        }
    }
    for (Control* control : form_.Controls()) {
        QWidget* widget = WidgetOf(*control);
        if (widget == nullptr) continue;
        PlaceWidget(*control, widget);
        if (auto* binding = dynamic_cast<ControlBinding*>(control->View())) binding->Refresh();
    }
    if (design.Sizable()) {
        centralWidget()->setMinimumSize(Zoom::Pixels(design.clientWidth, Zoom::Least),
                                        Zoom::Pixels(design.clientHeight, Zoom::Least));
        CentreClient();
    }
}

void FormWindow::CentreClient() {
    const QWidget* around = client_->parentWidget();
    client_->move(std::max(0, (around->width() - client_->width()) / 2),
                  std::max(0, (around->height() - client_->height()) / 2));
}

// A window the player resizes takes the zoom at which its layout fills the
// room it has, in either direction, and keeps it in the middle.
void FormWindow::FollowTheWindow() {
    const QWidget* around = client_->parentWidget();
    const QSize design = DesignSize();
    const double zoom = Zoom::ToFit(design.width(), design.height(), around->width(), around->height(), 1e6);
    if (zoom != zoom_) SetZoom(zoom);
    CentreClient();
    // The size the player gives the window is told once the resizing rests.
    if (isVisible() && !scrolls_ && around->size() != openedAt_) resized_.start();
}

FormWindow::~FormWindow() {
    if (form_.View() == this) form_.Attach(nullptr);
    // The bindings go first, so no widget's last signals reach the model.
    for (Control* control : form_.Controls()) delete dynamic_cast<ControlBinding*>(control->View());
}

QWidget* FormWindow::WidgetOf(const Control& control) const {
    const auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

QAction* FormWindow::ActionOf(const MenuItem& item) const {
    const auto found = actions_.find(&item);
    return found == actions_.end() ? nullptr : found->second;
}

void FormWindow::BuildControls() {
    // A container comes before its contents, so its widget is there already.
    for (Control* control : form_.Controls()) {
        if (control->Kind() == ControlKind::MenuItem) continue;
        QWidget* parent = control->Container() != nullptr ? WidgetOf(*control->Container()) : client_;
        QWidget* widget = BuildWidget(*control, parent);
        widget->setObjectName(ToQString(control->Name()));
        widget->setAccessibleName(AccessibleName(*control));
        if (!control->Design().toolTip.empty()) widget->setToolTip(ToQString(control->Design().toolTip));
        widgets_[control] = widget;
        controls_[widget] = control;
        widget->installEventFilter(this);
    }
    // Each heading is the label of what it heads, as assistive tools read them.
    for (Control* control : form_.Controls())
        if (const Label* heading = HeadingOf(*control))
            if (auto* label = qobject_cast<QLabel*>(WidgetOf(*heading))) label->setBuddy(WidgetOf(*control));
}

void FormWindow::BuildMenus() {
    for (MenuItem* top : form_.Menus()) {
        QMenu* menu = menuBar()->addMenu(ToQString(top->Caption()));
        QAction* menuAction = menu->menuAction();
        actions_[top] = menuAction;
        new ControlBinding(*top, menuAction, [menuAction, top] {
            menuAction->setEnabled(top->Enabled());
            menuAction->setVisible(top->Visible());
        });
        for (MenuItem* item : top->Items()) {
            QAction* action =
                item->IsSeparator() ? menu->addSeparator() : menu->addAction(ToQString(item->Caption()));
            actions_[item] = action;
            if (item->Shortcut() != 0)
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(ShortcutKey(item->Shortcut()))));
            action->setShortcutContext(Qt::WindowShortcut);
            // An item shows a tick exactly while the model has it checked.
            auto* binding = new ControlBinding(*item, action, [action, item] {
                action->setEnabled(item->Enabled());
                action->setVisible(item->Visible());
                action->setCheckable(item->Checked());
                action->setChecked(item->Checked());
            });
            connect(action, &QAction::triggered, binding, [item, alive = QPointer<ControlBinding>(binding)] {
                item->Choose();
                // Qt flips a checkable action by itself; the model has the last word.
                if (alive) alive->Refresh();
            });
        }
    }
}

void FormWindow::BuildTabOrder() {
    const std::vector<Control*>& order = form_.TabOrder();
    for (const auto& [control, widget] : widgets_)
        if (std::find(order.begin(), order.end(), control) == order.end())
            widget->setFocusPolicy(Qt::NoFocus);
    QWidget* previous = nullptr;
    for (Control* control : order) {
        QWidget* widget = WidgetOf(*control);
        if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus) continue;
        if (previous != nullptr) setTabOrder(previous, widget);
        previous = widget;
    }
}

// Shown for the first time, a window takes the largest zoom at which it
// fits the screen's available area, never above the desktop's own scale
// (zoom 1 in Qt's device-independent pixels), at the size the player last
// gave it if it has one, centred. Only a screen too small for it at the
// least zoom leaves it larger than the area: it is then made as large as the
// area, with scroll bars over its client area, at the area's top left, so
// that its title bar, menus and first heading are in view and every control
// can be scrolled to.
void FormWindow::ShowWindow() {
    const bool first = !placed_;
    if (first) {
        placed_ = true;
        Open(AvailableArea());
    }
    show();
    // Where the desktop frames the window at once, the zoom is worked out
    // again with the frame it really has rather than the one estimated.
    if (first && !scrolls_ && frameGeometry() != geometry()) Open(AvailableArea());
    if (!testAttribute(Qt::WA_ShowWithoutActivating)) {
        raise();
        activateWindow();
    }
    FocusChanged();
    // A window that scrolls opens with its own way out in view, and then the
    // control with the focus.
    if (form_.EscapeButton() != nullptr) BringIntoView(*form_.EscapeButton());
    if (form_.Focus() != nullptr) BringIntoView(*form_.Focus());
}

void FormWindow::Open(const QRect& area) {
    const QSize room = area.size().shrunkBy(DesktopFrame(*this)) - QSize(0, MenuHeight());
    const QSize design = DesignSize();
    QSize wanted = room;
    if (const std::optional<Extent>& kept = form_.ClientSize(); kept && form_.Design().Sizable())
        wanted = QSize(ToPixels(kept->width), ToPixels(kept->height)).boundedTo(room);
    const double zoom = Zoom::ToFit(design.width(), design.height(), wanted.width(), wanted.height(),
                                    form_.ClientSize() ? 1e6 : 1.0);
    SetZoom(zoom);
    if (form_.Design().Sizable()) {
        const QSize layout(Zoom::Pixels(form_.Design().clientWidth, zoom),
                           Zoom::Pixels(form_.Design().clientHeight, zoom));
        resize(layout.expandedTo(form_.ClientSize() ? wanted : layout) + QSize(0, MenuHeight()));
        openedAt_ = size() - QSize(0, MenuHeight());
    } else {
        adjustSize();
    }
    if (!Zoom::Fits(design.width(), design.height(), room.width(), room.height(), zoom)) {
        FitInto(area);
        move(Inside(area.topLeft()));
        return;
    }
    const QSize outer = size().grownBy(DesktopFrame(*this));
    move(Inside(area.center() - QPoint(outer.width() / 2, outer.height() / 2)));
}

void FormWindow::HideWindow() {
    const bool active = isActiveWindow();
    hide();
    // An owned window hands the keyboard back to its owner.
    if (active && parentWidget() != nullptr) parentWidget()->activateWindow();
}

void FormWindow::RepaintNow() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

void FormWindow::CaptionChanged() {
    setWindowTitle(ToQString(form_.Caption()));
}

void FormWindow::FocusChanged() {
    if (form_.Focus() == nullptr) return;
    if (QWidget* widget = WidgetOf(*form_.Focus())) widget->setFocus(Qt::OtherFocusReason);
}

int FormWindow::WindowTop() const {
    return frameGeometry().top() * TwipsPerPixel;
}

int FormWindow::WindowLeft() const {
    return frameGeometry().left() * TwipsPerPixel;
}

void FormWindow::MoveWindow(int left, int top) {
    placed_ = true;
    move(Inside(QPoint(ToPixels(left), ToPixels(top))));
}

QRect FormWindow::AvailableArea() const {
    // A window not yet shown belongs to its owner's screen.
    const QWidget* anchor = isVisible() || parentWidget() == nullptr ? this : parentWidget();
    const QScreen* on = anchor->screen();
    return on != nullptr ? on->availableGeometry() : QRect(pos(), size());
}

QMargins DesktopFrame(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    if (outer != inner)
        return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                outer.bottom() - inner.bottom()};
    if (window.windowFlags() & Qt::FramelessWindowHint) return {};
    constexpr int Border = 4;
    const int title = std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window),
                               window.fontMetrics().height() * 2);
    return {Border, title + Border, Border, Border};
}

QPoint PlaceInside(const QRect& area, QSize outer, QPoint wanted) {
    const int x = std::max(area.left(), std::min(wanted.x(), area.left() + area.width() - outer.width()));
    const int y = std::max(area.top(), std::min(wanted.y(), area.top() + area.height() - outer.height()));
    return {x, y};
}

void FormWindow::FitInto(const QRect& area) {
    const QSize room = area.size().shrunkBy(DesktopFrame(*this));
    const QSize whole = size();
    if (whole.width() <= room.width() && whole.height() <= room.height()) return;
    const bool maximisable = form_.Design().Sizable();
    scrolls_ = true;
    QWidget* content = takeCentralWidget();
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // Tab goes from control to control, never to the view
    scroll->setPalette(content->palette());
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    setCentralWidget(scroll);
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    // A scroll bar one way takes room the other way.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    QSize fitted = whole;
    if (whole.height() > room.height()) fitted.rwidth() += bar;
    if (whole.width() > room.width()) fitted.rheight() += bar;
    fitted = fitted.boundedTo(room);
    if (maximisable) {
        setMinimumSize(fitted);
        resize(fitted);
    } else {
        setFixedSize(fitted);
    }
}

QPoint FormWindow::Inside(QPoint wanted) const {
    return PlaceInside(AvailableArea(), size().grownBy(DesktopFrame(*this)), wanted);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto found = controls_.find(watched);
    if (found != controls_.end()) {
        Control& control = *found->second;
        switch (event->type()) {
            case QEvent::ShortcutOverride:
                // Left unaccepted, the key goes on to the menu's shortcut instead
                // of the text widget's own use of it (Ctrl+X cuts, and so on).
                if (IsMenuShortcut(static_cast<const QKeyEvent&>(*event))) {
                    event->ignore();
                    return true;
                }
                break;
            case QEvent::KeyPress:
                if (IsEscape(static_cast<const QKeyEvent&>(*event))) {
                    form_.PressEscape();
                    return true;
                }
                if (PreviewKey(static_cast<const QKeyEvent&>(*event))) return true;
                if (auto* line = qobject_cast<QLineEdit*>(watched))
                    return Type(line, static_cast<TextBox&>(control), static_cast<const QKeyEvent&>(*event));
                break;
            case QEvent::FocusIn:
                if (form_.Focus() != &control) form_.SetFocus(&control);
                // A box whose text the focus selects does so however the
                // focus comes: Tab, a click, a box or window that closed.
                if (control.Kind() == ControlKind::TextBox && control.Design().selectOnFocus)
                    static_cast<TextBox&>(control).SetSelected(true);
                break;
            default:
                break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool FormWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // A window of ours activated (by a click, by showing it, by a box that
    // closed): the model deactivates the one before. Leaving the program for
    // another one changes nothing.
    if (event->type() == QEvent::WindowActivate && isVisible()) form_.Activate();
    return handled;
}

bool FormWindow::IsMenuShortcut(const QKeyEvent& key) const {
    constexpr auto Modifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier;
    if ((key.modifiers() & Modifiers) != Qt::ControlModifier) return false;
    return std::any_of(actions_.begin(), actions_.end(), [&key](const auto& entry) {
        const MenuItem& item = *entry.first;
        return item.Shortcut() != 0 && ShortcutKey(item.Shortcut()) == key.key() && item.Enabled() &&
               item.Visible();
    });
}

// A typed character or Enter goes to the box's key handler before anything
// is inserted; the handler may change the character or drop it (code 0).
// Enter never inserts. Other keys are the widget's own.
bool FormWindow::Type(QLineEdit* widget, TextBox& box, const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const QString text = key.text();
    if (!enter && (text.size() != 1 || !text[0].isPrint())) return false;
    if (!enter && text[0].unicode() > 0xFF) return true;  // the game's text is Latin-1
    Integer code = enter ? EnterCode : static_cast<Integer>(text[0].unicode());
    const QPointer<QLineEdit> alive(widget);
    if (box.KeyPress) box.KeyPress(code);
    if (alive == nullptr || code == 0 || code == EnterCode) return true;
    if (code == BackspaceCode)
        alive->backspace();
    else
        alive->insert(QString(QChar(static_cast<char16_t>(static_cast<unsigned char>(code)))));
    return true;
}

// A plain character key goes to the window's own handler before the
// control with the focus sees it.
bool FormWindow::PreviewKey(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key.text();
    if (text.size() != 1 || !text[0].isPrint() || text[0].unicode() > 0x7F) return false;
    return form_.Form_KeyPreview(static_cast<Integer>(text[0].unicode()));
}

void FormWindow::BringIntoView(const Control& control) {
    auto* scroll = qobject_cast<QScrollArea*>(centralWidget());
    QWidget* widget = WidgetOf(control);
    if (scroll == nullptr || widget == nullptr) return;
    scroll->ensureWidgetVisible(widget, 0, 0);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The window stays; the model decides whether it hides or what follows.
    event->ignore();
    form_.QueryClose();
}

bool FormWindow::IsEscape(const QKeyEvent& key) const {
    return key.key() == Qt::Key_Escape && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
           form_.EscapeButton() != nullptr;
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if (IsEscape(*event)) {
        form_.PressEscape();
        return;
    }
    if (PreviewKey(*event)) return;
    QMainWindow::keyPressEvent(event);
}

// The desktop moves the window as by a title bar where it can; elsewhere
// (and on Qt's offscreen platform) the window follows the mouse itself.
void FormWindow::mousePressEvent(QMouseEvent* event) {
    if (!(windowFlags() & Qt::FramelessWindowHint) || event->button() != Qt::LeftButton) {
        QMainWindow::mousePressEvent(event);
        return;
    }
    event->accept();
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - pos();
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        QMainWindow::mouseMoveEvent(event);
        return;
    }
    move(event->globalPosition().toPoint() - dragOffset_);
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_) {
        QMainWindow::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
}

bool FormWindow::focusNextPrevChild(bool next) {
    return HoldingFocus() || QMainWindow::focusNextPrevChild(next);
}

}  // namespace quibbly
