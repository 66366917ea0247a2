// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/control_builders.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "platform/chart.h"
#include "platform/qt/announcer.h"
#include "platform/qt/chart_widget.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/file_list_builders.h"
#include "platform/qt/focus_ring.h"
#include "platform/zoom.h"

// A static library's resources are registered by hand, outside any namespace.
static void RegisterImages() {
    Q_INIT_RESOURCE(images);
}

namespace quibbly {

namespace {
bool holdingFocus = false;  // see Enable
}  // namespace

int ToPixels(int twips) {
    return static_cast<int>(std::lround(twips / static_cast<double>(TwipsPerPixel)));
}

QRect ToPixels(const Place& place) {
    return {ToPixels(place.left), ToPixels(place.top), ToPixels(place.width), ToPixels(place.height)};
}

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(RedOf(colour)), static_cast<int>(GreenOf(colour)),
                  static_cast<int>(BlueOf(colour)));
}

QFont ToQFont(const Font& font, double zoom) {
    // Garamond itself is rarely installed; EB Garamond is the free cut of it.
    static const bool substituted =
        (QFont::insertSubstitution(QStringLiteral("Garamond"), QStringLiteral("EB Garamond")), true);
    (void)substituted;
    QFont result(ToQString(font.family));
    result.setPointSizeF(font.points * zoom);
    result.setBold(font.bold);
    // Hinting rounds each letter to whole pixels, which at a small zoom makes
    // a line of text relatively wider than its design: a zoomed text keeps
    // the design's proportions.
    if (zoom != 1.0) result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

namespace {
constexpr const char* ZoomProperty = "quibblyZoom";
constexpr const char* FontZoomProperty = "quibblyFontZoom";
}  // namespace

double ZoomOf(const QWidget* widget) {
    const QVariant zoom = widget != nullptr ? widget->window()->property(ZoomProperty) : QVariant();
    return zoom.isValid() ? zoom.toDouble() : 1.0;
}

void SetZoomOf(QWidget* window, double zoom) {
    window->setProperty(ZoomProperty, zoom);
}

void PlaceWidget(const Control& control, QWidget* widget) {
    const double zoom = ZoomOf(widget);
    const Look& look = control.Design();
    QRect place(Zoom::Pixels(look.place.left, zoom), Zoom::Pixels(look.place.top, zoom),
                Zoom::Pixels(look.place.width, zoom), Zoom::Pixels(look.place.height, zoom));
    if (const auto* picture = dynamic_cast<const PictureBox*>(&control))
        place.moveTopLeft({Zoom::Pixels(picture->Left(), zoom), Zoom::Pixels(picture->Top(), zoom)});
    if (widget->geometry() != place) widget->setGeometry(place);
    // Set once a zoom, so that a caption drawn smaller to fit its label
    // (FitCaption) keeps its size until the zoom changes.
    if (widget->property(FontZoomProperty).toDouble() != zoom) {
        widget->setFont(ToQFont(look.font, zoom));
        widget->setProperty(FontZoomProperty, zoom);
    }
}

QString ToQString(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToModel(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

QPixmap Picture(const std::string& name, QSize size, double zoom) {
    static const bool registered = (RegisterImages(), true);
    (void)registered;
    QSvgRenderer renderer(QStringLiteral(":/images/%1.svg").arg(ToQString(name)));
    if (size.isEmpty()) size = (QSizeF(renderer.defaultSize()) * zoom).toSize();
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

namespace {

// Relative luminance, from 0 for black to 1 for white, as the WCAG define it.
double Luminance(const QColor& colour) {
    auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// The background the design fixes behind a widget: its own colour, or its
// container's colour or picture showing through (a picture by its colours
// on average behind the widget). None where the desktop's palette shows.
std::optional<QColor> FixedBack(const QWidget* widget, const Look& look, QPalette::ColorRole backRole) {
    if (look.back) return ToQColor(*look.back);
    if (backRole != QPalette::Window) return std::nullopt;
    const QBrush brush = widget->palette().brush(backRole);
    if (!brush.texture().isNull()) {
        // The picture lies from the corner of the nearest container that paints it.
        QWidget* paints = widget->parentWidget();
        while (!paints->autoFillBackground() && paints->parentWidget() != nullptr)
            paints = paints->parentWidget();
        const qreal ratio = brush.texture().devicePixelRatio();
        const QImage behind = brush.texture().toImage().copy(
            QRect(widget->mapTo(paints, QPoint(0, 0)) * ratio, widget->size() * ratio));
        return behind.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0);
    }
    if (brush.color() == QGuiApplication::palette().color(backRole)) return std::nullopt;
    return brush.color();
}

}  // namespace

QColor DisabledText(const QColor& text, const QColor& back) {
    // Drawn part of the way to the background: grey, yet readable.
    constexpr float toBack = 0.45f;
    return QColor::fromRgbF(text.redF() + (back.redF() - text.redF()) * toBack,
                            text.greenF() + (back.greenF() - text.greenF()) * toBack,
                            text.blueF() + (back.blueF() - text.blueF()) * toBack);
}

bool HoldingFocus() {
    return holdingFocus;
}

void ReadableText(QPalette& palette, QPalette::ColorRole backRole, const QColor& back,
                  const std::optional<Colour>& fore) {
    // Black and white stand out equally from a luminance of 0.179.
    const QColor text = fore                      ? ToQColor(*fore)
                        : Luminance(back) > 0.179 ? QColor(Qt::black)
                                                  : QColor(Qt::white);
    const QColor disabled = DisabledText(text, back);
    // Only the role that writes on this background: a container's contents
    // that paint their own background keep the palette's text on it.
    const QPalette::ColorRole role = backRole == QPalette::Base     ? QPalette::Text
                                     : backRole == QPalette::Button ? QPalette::ButtonText
                                                                    : QPalette::WindowText;
    palette.setColor(QPalette::Active, role, text);
    palette.setColor(QPalette::Inactive, role, text);
    palette.setColor(QPalette::Disabled, role, disabled);
}

namespace {

// Place, font and colours from the design; backRole is the palette role that
// paints the control's background. Where the design fixes the background,
// the text colour is fixed with it, so that it reads under any palette;
// elsewhere both follow the palette, and so does a designed text colour.
void Style(QWidget* widget, const Control& control, QPalette::ColorRole backRole) {
    const Look& look = control.Design();
    PlaceWidget(control, widget);
    QPalette palette = widget->palette();
    if (look.back) {
        palette.setColor(backRole, ToQColor(*look.back));
        widget->setAutoFillBackground(backRole == QPalette::Window);
    }
    if (const std::optional<QColor> back = FixedBack(widget, look, backRole))
        ReadableText(palette, backRole, *back, look.fore);
    else if (backRole == QPalette::Button)  // the desktop's button, with a readable grey while off
        palette.setColor(QPalette::Disabled, QPalette::ButtonText,
                         DisabledText(palette.color(QPalette::Active, QPalette::ButtonText),
                                      palette.color(QPalette::Active, QPalette::Button)));
    widget->setPalette(palette);
}

// Qt hands the keyboard of a control switched off along the tab order at
// once, through controls that the handler is about to switch on or off, so
// that a screen reader would announce each. The keyboard stays put instead
// while the handler runs; the handler may move it straight to its own
// place, and where it does not, the keyboard moves on as Qt would once the
// handler is done.
void Enable(QWidget* widget, bool enabled) {
    if (enabled || !widget->hasFocus() || widget->isEnabled() == enabled) {
        widget->setEnabled(enabled);
        return;
    }
    holdingFocus = true;
    widget->setEnabled(false);
    holdingFocus = false;
    // Done is when the event loop waits for the player again: a handler's
    // own repaints, which handle pending events, are not the end of it.
    auto done = std::make_shared<QMetaObject::Connection>();
    *done = QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                             widget, [widget, done] {
                                 QObject::disconnect(*done);
                                 if (!widget->hasFocus() || widget->isEnabled()) return;
                                 for (QWidget* next = widget->nextInFocusChain(); next != widget;
                                      next = next->nextInFocusChain())
                                     if (next->window() == widget->window() && next->isEnabled() &&
                                         next->isVisible() && (next->focusPolicy() & Qt::TabFocus)) {
                                         next->setFocus(Qt::TabFocusReason);
                                         return;
                                     }
                             });
}

void ShowCommon(QWidget* widget, const Control& control) {
    Enable(widget, control.Enabled());
    widget->setVisible(control.Visible());
    // What the model gives assistive tools to say; Qt tells them of every
    // change. A name once spoken stays until the model gives another.
    if (!control.SpokenName().empty()) widget->setAccessibleName(ToQString(control.SpokenName()));
    widget->setAccessibleDescription(ToQString(control.Description()));
}

QWidget* BuildFrame(Frame& frame, QWidget* parent) {
    auto* widget = new QFrame(parent);
    Style(widget, frame, QPalette::Window);
    widget->setFrameStyle(QFrame::Box | QFrame::Sunken);
    new ControlBinding(frame, widget, [widget, &frame] { ShowCommon(widget, frame); });
    return widget;
}

// The Liberation fonts that stand in for the designed ones run a little wider
// at some sizes: a caption that would not fit its label is drawn slightly
// smaller rather than clipped.
void FitCaption(QLabel* widget, const Look& look) {
    QFont font = ToQFont(look.font, ZoomOf(widget));
    const QRect room = widget->contentsRect();
    for (int step = 0; step < 8; ++step) {
        const QFontMetrics metrics(font);
        const QRect needed =
            metrics.boundingRect(room, Qt::TextWordWrap | widget->alignment(), widget->text());
        // One line always counts as fitting in height.
        if (needed.width() <= room.width() &&
            needed.height() <= std::max(room.height(), metrics.lineSpacing()))
            break;
        font.setPointSizeF(font.pointSizeF() * 0.97);
    }
    if (widget->font() != font) widget->setFont(font);
}

QWidget* BuildLabel(Label& label, QWidget* parent) {
    auto* widget = new QLabel(parent);
    Style(widget, label, QPalette::Window);
    widget->setTextFormat(Qt::PlainText);
    widget->setWordWrap(true);
    widget->setAlignment((label.Design().centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    if (label.Design().rightAligned) widget->setAlignment(Qt::AlignRight | Qt::AlignTop);
    if (label.Design().border) widget->setFrameStyle(QFrame::Box | QFrame::Plain);
    new ControlBinding(label, widget, [widget, &label] {
        ShowCommon(widget, label);
        widget->setText(ToQString(label.Caption()));
        FitCaption(widget, label.Design());
    });
    return widget;
}

QWidget* BuildTextLine(TextBox& box, QWidget* parent) {
    auto* widget = new QLineEdit(parent);
    Style(widget, box, QPalette::Base);
    widget->setAlignment(box.Design().centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    if (box.MaxLength() > 0) widget->setMaxLength(box.MaxLength());
    auto* binding = new ControlBinding(box, widget, [widget, &box] {
        ShowCommon(widget, box);
        if (widget->text() != ToQString(box.Text())) widget->setText(ToQString(box.Text()));
        if (box.Selected() && widget->selectedText() != widget->text()) widget->selectAll();
    });
    QObject::connect(widget, &QLineEdit::textChanged, binding, [binding, &box](const QString& text) {
        if (!binding->Pushing()) box.SetText(ToModel(text));
    });
    // A click or a key that moves the cursor ends the selection in the model too.
    QObject::connect(widget, &QLineEdit::selectionChanged, binding, [binding, widget, &box] {
        if (!binding->Pushing())
            box.SetSelected(widget->hasSelectedText() && widget->selectedText() == widget->text());
    });
    return widget;
}

// Multi-line text keeps CR LF line ends in the model.
QWidget* BuildTextArea(TextBox& box, QWidget* parent) {
    auto* widget = new QPlainTextEdit(parent);
    Style(widget, box, QPalette::Base);
    widget->setTabChangesFocus(true);
    auto* binding = new ControlBinding(box, widget, [widget, &box] {
        ShowCommon(widget, box);
        QString text = ToQString(box.Text());
        text.remove(QLatin1Char('\r'));
        if (widget->toPlainText() != text) widget->setPlainText(text);
    });
    QObject::connect(widget, &QPlainTextEdit::textChanged, binding, [binding, widget, &box] {
        if (!binding->Pushing())
            box.SetText(ToModel(widget->toPlainText().replace(QLatin1Char('\n'), "\r\n")));
    });
    return widget;
}

// The rows of a list whose design lets them take more than one line: a row
// wider than the list wraps at its blanks to the list's width, never cut
// short, and every line of a row that starts with blanks stands as far in as
// its first word, so that a sentence indented under a row reads as one
// block. Each row stays one item, read whole by assistive tools.
class WrappedRows : public QStyledItemDelegate {
public:
    explicit WrappedRows(QListWidget* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + Indent(option, index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // The style wraps the text to the width of the option's rectangle.
        QStyleOptionViewItem room(option);
        const int indent = Indent(option, index);
        room.rect = QRect(0, 0, std::max(1, list_->viewport()->width() - indent), 1);
        const QSize size = QStyledItemDelegate::sizeHint(room, index);
        return {size.width() + indent, size.height()};
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text = option->text.mid(Blanks(index));
        option->features |= QStyleOptionViewItem::WrapText;
    }

private:
    static int Blanks(const QModelIndex& index) {
        const QString text = index.data(Qt::DisplayRole).toString();
        int blanks = 0;
        while (blanks < text.size() && text[blanks] == QLatin1Char(' ')) ++blanks;
        return blanks;
    }
    static int Indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
        return Blanks(index) * option.fontMetrics.horizontalAdvance(QLatin1Char(' '));
    }

    QListWidget* list_;
};

// A list's rows at a zoom where they would not fit its width (the stand-in
// fonts keep whole pixels for each letter, and the scroll bar does not zoom)
// are drawn slightly smaller rather than cut short. Only the rows from
// `from` on are new: the others were measured at this zoom already.
void FitRows(QListWidget* widget, const Look& look, int from) {
    const double zoom = ZoomOf(widget);
    if (widget->property("quibblyRowsZoom").toDouble() != zoom) from = 0;
    widget->setProperty("quibblyRowsZoom", zoom);
    const int room = widget->contentsRect().width() - 6 -
                     widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget);
    auto widest = [widget](const QFont& font, int first) {
        const QFontMetrics metrics(font);
        int most = 0;
        for (int row = first; row < widget->count(); ++row)
            most = std::max(most, metrics.horizontalAdvance(widget->item(row)->text()));
        return most;
    };
    if (from > 0 && widest(widget->font(), from) <= room) return;
    QFont font = ToQFont(look.font, zoom);
    for (int step = 0; step < 8 && widest(font, 0) > room; ++step)
        font.setPointSizeF(font.pointSizeF() * 0.97);
    if (widget->font() != font) widget->setFont(font);
}

// Assistive tools take a list's current row for the focused object even
// while the keyboard is elsewhere: away from the keyboard, the model's row
// is only selected, and it becomes the current row when the list takes the
// keyboard.
void ShowRow(QListWidget* widget, int row) {
    if (widget->hasFocus()) {
        if (widget->currentRow() != row) widget->setCurrentRow(row);
        return;
    }
    QItemSelectionModel* selection = widget->selectionModel();
    if (selection->currentIndex().isValid())
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    const QModelIndex index = widget->model()->index(row, 0);
    if (index.isValid() && !selection->isSelected(index))
        selection->select(index, QItemSelectionModel::ClearAndSelect);
    if (!index.isValid() && selection->hasSelection()) selection->clearSelection();
}

// Shows the model again whenever the widget takes or leaves the keyboard.
class RefreshOnFocus : public QObject {
public:
    RefreshOnFocus(QWidget* widget, ControlBinding* binding) : QObject(widget), binding_(binding) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) binding_->Refresh();
        return false;
    }

private:
    ControlBinding* binding_;
};

QWidget* BuildListBox(ListBox& list, QWidget* parent) {
    auto* widget = new QListWidget(parent);
    Style(widget, list, QPalette::Base);
    widget->setSelectionMode(QAbstractItemView::SingleSelection);
    const bool wrapped = list.Design().multiLine;
    widget->setUniformItemSizes(!wrapped);
    if (wrapped) {
        widget->setWordWrap(true);
        widget->setItemDelegate(new WrappedRows(widget));
        widget->setResizeMode(QListView::Adjust);  // the rows wrap anew to a new width
        widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    widget->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The widget holds the rows as last pushed; while the model was only
    // appended to since, the new rows are added instead of all rows again.
    auto rewrites = std::make_shared<std::size_t>(list.Rewrites());
    auto* binding = new ControlBinding(list, widget, [widget, &list, rewrites] {
        ShowCommon(widget, list);
        if (*rewrites != list.Rewrites() || widget->count() > list.ListCount()) {
            widget->clear();
            *rewrites = list.Rewrites();
        }
        const int shown = widget->count();
        for (int row = shown; row < list.ListCount(); ++row) widget->addItem(ToQString(list.List(row)));
        if (!list.Design().multiLine) FitRows(widget, list.Design(), shown);
        ShowRow(widget, list.ListIndex());
        if (list.ListIndex() < 0 && !widget->selectedItems().isEmpty()) widget->clearSelection();
    });
    new RefreshOnFocus(widget, binding);
    // A row appended out of sight changes nothing the list shows yet (its
    // scroll bar follows when the list lays itself out at the next yield), so
    // a repaint draws only a new row that is in view.
    binding->SetRepaint([widget, wrapped] {
        if (wrapped) return widget->viewport()->repaint();  // rows of their own heights
        const int row = widget->count() - 1;
        const int rowHeight = row >= 0 ? widget->sizeHintForRow(0) : 0;
        if (rowHeight <= 0) return;
        const int first = widget->verticalScrollBar()->value();  // scrolling goes by rows
        if (row < first || (row - first) * rowHeight >= widget->viewport()->height()) return;
        widget->viewport()->repaint(0, (row - first) * rowHeight, widget->viewport()->width(), rowHeight);
    });
    QObject::connect(widget, &QListWidget::currentRowChanged, binding, [binding, &list](int row) {
        if (!binding->Pushing()) list.SetListIndex(row);
    });
    QObject::connect(widget, &QListWidget::itemClicked, binding,
                     [widget, &list](QListWidgetItem* item) { list.ClickRow(widget->row(item)); });
    return widget;
}

// A graphical button shows its colour whatever the style would paint.
void PaintButton(QPushButton* widget, Colour colour) {
    const QColor back = ToQColor(colour);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Button, back);
    widget->setPalette(palette);
    const QString sheet = QStringLiteral(
                              "QPushButton { background-color: %1; color: black; border: 1px solid #404040; "
                              "border-radius: 3px; }"
                              "QPushButton:pressed { background-color: %2; }"
                              "QPushButton:focus { border: 2px solid black; }"
                              "QPushButton:disabled { color: #707070; }")
                              .arg(back.name(), back.darker(120).name());
    if (widget->styleSheet() != sheet) widget->setStyleSheet(sheet);
}

// A button whose colour has a meaning also shows it by a mark of its own,
// drawn over the caption in the caption's colour: a stroke through it, or a
// ring round it. The shapes tell the states apart in grey, to any eye, at
// any scale.
class MarkedButton : public QPushButton {
public:
    explicit MarkedButton(QWidget* parent) : QPushButton(parent) {}
    void SetMark(ColourMark mark) {
        if (mark_ == mark) return;
        mark_ = mark;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPushButton::paintEvent(event);
        if (mark_ == ColourMark::None) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal side = std::min(width(), height());
        const QPointF centre = QRectF(rect()).center();
        const qreal reach = side * 0.36;
        // In the caption's colour of PaintButton's sheet over a white edge,
        // which keeps it clear of the caption and of a dark background.
        for (const auto& [colour, width] :
             {std::pair{QColor(Qt::white), side / 8.0},
              {isEnabled() ? QColor(Qt::black) : QColor(0x70, 0x70, 0x70), side / 14.0}}) {
            painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
            if (mark_ == ColourMark::Struck)
                painter.drawLine(centre + QPointF(-reach, reach), centre + QPointF(reach, -reach));
            else
                painter.drawEllipse(centre, reach + side / 24.0, reach + side / 24.0);
        }
    }

private:
    ColourMark mark_ = ColourMark::None;
};

QWidget* BuildButton(Button& button, QWidget* parent) {
    const bool marked = !button.Design().meanings.empty();
    QPushButton* widget = marked ? new MarkedButton(parent) : new QPushButton(parent);
    Style(widget, button, QPalette::Button);
    // Enter on a focused button presses it, as Space does, as on any desktop.
    widget->setAutoDefault(true);
    auto* binding = new ControlBinding(button, widget, [widget, &button, marked] {
        ShowCommon(widget, button);
        widget->setText(ToQString(button.Caption()));
        if (button.Design().graphical) PaintButton(widget, button.BackColor());
        if (!marked) return;
        // The state is read with the caption ("E, not in the word"); Qt tells
        // assistive tools of the new name, so that a screen reader says it
        // as the click or Space changes it.
        const ColourMeaning* meaning = button.Meaning();
        static_cast<MarkedButton*>(widget)->SetMark(meaning != nullptr ? meaning->mark : ColourMark::None);
        const QString name = meaning != nullptr ? ToQString(button.Caption() + ", " + meaning->words)
                                                : ToQString(button.Caption());
        // The player who changed the marker with the keyboard or a click hears its new state.
        if (widget->hasFocus() && !widget->accessibleName().isEmpty() && widget->accessibleName() != name)
            Announce(widget, name);
        widget->setAccessibleName(name);
    });
    QObject::connect(widget, &QPushButton::clicked, binding, [&button] { button.Press(); });
    return widget;
}

QWidget* BuildPicture(PictureBox& picture, QWidget* parent) {
    auto* widget = new QLabel(parent);
    Style(widget, picture, QPalette::Window);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    new ControlBinding(picture, widget, [widget, &picture] {
        ShowCommon(widget, picture);
        PlaceWidget(picture, widget);
        // Drawn anew from its source at each zoom.
        const double zoom = ZoomOf(widget);
        if (widget->property("quibblyPictureZoom").toDouble() != zoom) {
            widget->setPixmap(Picture(picture.Design().picture, {}, zoom));
            widget->setProperty("quibblyPictureZoom", zoom);
        }
    });
    return widget;
}

// The model keeps the options of a container exclusive.
QWidget* BuildOption(OptionButton& option, QWidget* parent) {
    auto* widget = new QRadioButton(parent);
    // A button paints the Button colour behind it unless told otherwise.
    widget->setBackgroundRole(QPalette::Window);
    Style(widget, option, QPalette::Window);
    // On a background the design fixes, the round box is white with a black
    // dot whatever the desktop's palette, so that under a dark one an
    // option not chosen never looks like a chosen one.
    if (FixedBack(widget, option.Design(), QPalette::Window)) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::Disabled, QPalette::Base, QColor(224, 224, 224));
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(96, 96, 96));
        widget->setPalette(palette);
    }
    widget->setAutoExclusive(false);
    auto* binding = new ControlBinding(option, widget, [widget, &option] {
        ShowCommon(widget, option);
        widget->setText(ToQString(option.Caption()));
        // Qt refuses to clear the chosen option of an exclusive group, so the
        // model's value goes in with the group opened for a moment; closed,
        // the group is what assistive tools read as option buttons.
        widget->setAutoExclusive(false);
        widget->setChecked(option.Value());
        widget->setAutoExclusive(true);
    });
    QObject::connect(widget, &QRadioButton::clicked, binding, [binding, &option] {
        option.Press();
        binding->Refresh();  // the model has the last word
    });
    return widget;
}

QWidget* BuildProgressBar(ProgressBar& bar, QWidget* parent) {
    auto* widget = new QProgressBar(parent);
    Style(widget, bar, QPalette::Base);
    widget->setTextVisible(false);
    // The value reaches the widget when it moves the bar by a pixel or more,
    // and at every repaint: the bar's own check of each value costs more
    // than the search's step.
    auto* binding = new ControlBinding(bar, widget, [widget, &bar] {
        ShowCommon(widget, bar);
        // A bar with no maximum would show Qt's busy animation: it stays empty.
        const int max = std::max(bar.Max(), 1);
        if (widget->maximum() != max) widget->setRange(0, max);
        const qint64 moved = std::abs(static_cast<qint64>(bar.Value()) - widget->value());
        if (bar.Value() == 0 || bar.Value() == bar.Max() || moved * widget->width() >= max)
            widget->setValue(bar.Value());
    });
    binding->SetRepaint([widget, &bar] {
        widget->setValue(bar.Value());
        widget->repaint();
    });
    return widget;
}

}  // namespace

namespace {

QWidget* BuildBare(Control& control, QWidget* parent) {
    switch (control.Kind()) {
        case ControlKind::Frame:
            return BuildFrame(static_cast<Frame&>(control), parent);
        case ControlKind::Label:
            return BuildLabel(static_cast<Label&>(control), parent);
        case ControlKind::TextBox: {
            auto& box = static_cast<TextBox&>(control);
            return box.Design().multiLine ? BuildTextArea(box, parent) : BuildTextLine(box, parent);
        }
        case ControlKind::ListBox:
            return BuildListBox(static_cast<ListBox&>(control), parent);
        case ControlKind::Button:
            return BuildButton(static_cast<Button&>(control), parent);
        case ControlKind::PictureBox:
            return BuildPicture(static_cast<PictureBox&>(control), parent);
        case ControlKind::MenuItem:
            break;
        case ControlKind::DriveList:
        case ControlKind::DirList:
        case ControlKind::FileList:
        case ControlKind::ComboBox:
            return BuildFileControl(control, parent);
        case ControlKind::OptionButton:
            return BuildOption(static_cast<OptionButton&>(control), parent);
        case ControlKind::ProgressBar:
            return BuildProgressBar(static_cast<ProgressBar&>(control), parent);
        case ControlKind::Chart:
            return BuildChart(static_cast<Chart&>(control), parent);
    }
    return nullptr;
}

}  // namespace

QWidget* BuildWidget(Control& control, QWidget* parent) {
    QWidget* widget = BuildBare(control, parent);
    if (widget != nullptr) RingOnFocus(widget);
    return widget;
}

}  // namespace quibbly
