// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/file_list_builders.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QStyledItemDelegate>
#include <memory>

#include "platform/file_lists.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/control_builders.h"

namespace quibbly {

namespace {

void Style(QWidget* widget, const Control& control) {
    const Look& look = control.Design();
    PlaceWidget(control, widget);
    if (look.back) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Base, ToQColor(*look.back));
        ReadableText(palette, QPalette::Base, ToQColor(*look.back), look.fore);
        widget->setPalette(palette);
    }
    widget->setEnabled(control.Enabled());
    widget->setVisible(control.Visible());
}

// The rows differ from the texts: the list is filled anew.
template <class Rows, class Show>
bool SameRows(const QListWidget* widget, const Rows& rows, Show text) {
    if (widget->count() != static_cast<int>(rows.size())) return false;
    for (int row = 0; row < widget->count(); ++row)
        if (widget->item(row)->text() != text(rows[static_cast<std::size_t>(row)])) return false;
    return true;
}

QWidget* BuildDriveList(DriveList& drives, QWidget* parent) {
    auto* widget = new QComboBox(parent);
    auto* binding = new ControlBinding(drives, widget, [widget, &drives] {
        Style(widget, drives);
        QStringList names;
        for (const std::string& drive : drives.Drives()) names << ToQString(drive);
        QStringList shown;
        for (int i = 0; i < widget->count(); ++i) shown << widget->itemText(i);
        if (shown != names) {
            widget->clear();
            widget->addItems(names);
        }
        widget->setCurrentIndex(static_cast<int>(names.indexOf(ToQString(drives.Drive()))));
    });
    QObject::connect(widget, &QComboBox::activated, binding, [binding, widget, &drives](int index) {
        if (!binding->Pushing() && index >= 0) drives.SetDrive(ToModel(widget->itemText(index)));
        // A drive that could not be opened puts the list back.
        binding->Refresh();
    });
    return widget;
}

constexpr int DepthRole = Qt::UserRole + 1;

// Draws each folder row, icon and all, indented by its depth.
class IndentedRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + Step * index.data(DepthRole).toInt());
        QStyledItemDelegate::paint(painter, shifted, index);
    }
    static constexpr int Step = 8;
};

// Ancestors and the open folder show an open folder, indented by depth;
// the sub-folders a closed one, one step further in.
QWidget* BuildDirList(DirList& folders, QWidget* parent) {
    auto* widget = new QListWidget(parent);
    widget->setSelectionMode(QAbstractItemView::SingleSelection);
    widget->setItemDelegate(new IndentedRows(widget));
    widget->setTextElideMode(Qt::ElideRight);
    widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The same names can stand at other depths or switch between open and
    // closed, so the rows are compared with the entries last shown.
    auto shown = std::make_shared<std::vector<DirList::Entry>>();
    auto* binding = new ControlBinding(folders, widget, [widget, &folders, shown] {
        Style(widget, folders);
        if (*shown != folders.Entries() || widget->count() != static_cast<int>(shown->size())) {
            *shown = folders.Entries();
            widget->clear();
            const QIcon open = widget->style()->standardIcon(QStyle::SP_DirOpenIcon);
            const QIcon closed = widget->style()->standardIcon(QStyle::SP_DirClosedIcon);
            for (const DirList::Entry& entry : folders.Entries()) {
                auto* item = new QListWidgetItem(entry.open ? open : closed, ToQString(entry.name), widget);
                item->setData(DepthRole, entry.depth);
            }
        }
        if (widget->currentRow() != folders.ListIndex()) widget->setCurrentRow(folders.ListIndex());
    });
    QObject::connect(widget, &QListWidget::currentRowChanged, binding, [binding, &folders](int row) {
        if (!binding->Pushing()) folders.SetListIndex(row);
    });
    QObject::connect(widget, &QListWidget::itemDoubleClicked, binding,
                     [widget, &folders](QListWidgetItem* item) { folders.OpenRow(widget->row(item)); });
    return widget;
}

QWidget* BuildFileList(FileList& files, QWidget* parent) {
    auto* widget = new QListWidget(parent);
    widget->setSelectionMode(QAbstractItemView::SingleSelection);
    const auto text = [](const std::string& name) { return ToQString(name); };
    auto* binding = new ControlBinding(files, widget, [widget, &files, text] {
        Style(widget, files);
        if (!SameRows(widget, files.Files(), text)) {
            widget->clear();
            for (const std::string& name : files.Files()) widget->addItem(text(name));
        }
        if (widget->currentRow() != files.ListIndex()) widget->setCurrentRow(files.ListIndex());
        if (files.ListIndex() < 0) widget->clearSelection();
    });
    // A click, or moving the selection with the keys, is the list's click.
    QObject::connect(widget, &QListWidget::currentRowChanged, binding, [binding, &files](int row) {
        if (!binding->Pushing() && row >= 0) files.ClickRow(row);
    });
    QObject::connect(widget, &QListWidget::itemClicked, binding,
                     [widget, &files](QListWidgetItem* item) { files.ClickRow(widget->row(item)); });
    QObject::connect(widget, &QListWidget::itemDoubleClicked, binding,
                     [widget, &files](QListWidgetItem* item) { files.DoubleClickRow(widget->row(item)); });
    return widget;
}

QWidget* BuildComboBox(ComboBox& combo, QWidget* parent) {
    auto* widget = new QComboBox(parent);
    widget->setEditable(true);
    widget->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& item : combo.Items()) widget->addItem(ToQString(item));
    auto* binding = new ControlBinding(combo, widget, [widget, &combo] {
        Style(widget, combo);
        if (widget->currentText() != ToQString(combo.Text())) widget->setEditText(ToQString(combo.Text()));
    });
    QObject::connect(widget, &QComboBox::activated, binding, [binding, &combo](int index) {
        if (!binding->Pushing()) combo.Choose(index);
    });
    QObject::connect(widget, &QComboBox::editTextChanged, binding, [binding, &combo](const QString& text) {
        if (!binding->Pushing()) combo.SetText(ToModel(text));
    });
    return widget;
}

}  // namespace

QWidget* BuildFileControl(Control& control, QWidget* parent) {
    switch (control.Kind()) {
        case ControlKind::DriveList:
            return BuildDriveList(static_cast<DriveList&>(control), parent);
        case ControlKind::DirList:
            return BuildDirList(static_cast<DirList&>(control), parent);
        case ControlKind::FileList:
            return BuildFileList(static_cast<FileList&>(control), parent);
        case ControlKind::ComboBox:
            return BuildComboBox(static_cast<ComboBox&>(control), parent);
        default:
            return nullptr;
    }
}

}  // namespace quibbly
