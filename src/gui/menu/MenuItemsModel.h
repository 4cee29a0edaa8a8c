#pragma once

#include "menu/MenuItem.h"

#include <QAbstractTableModel>
#include <QList>

namespace zr {

/// The rows of the menu items list: one item per row, the short descriptor
/// first and then fields 2 to 7 of the record. Rows alternate blue and black,
/// starting with blue.
class MenuItemsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    enum Column { Short, Long, Image, Family, Show, Pop, Track, ColumnCount };

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const QList<MenuItem>& items() const { return m_items; }
    const MenuItem& item(int row) const { return m_items.at(row); }
    /// Replaces every row, sorted as the list shows them.
    void setItems(QList<MenuItem> items);
    /// Changes one field of a row (the column's text as the file holds it).
    void setField(int row, Column column, const QString& value);
    /// Adds an item in its sorted place; its row.
    int addItem(const MenuItem& item);
    void removeItem(int row);
    /// The row of the item with this short descriptor, or -1.
    int find(const QString& shortDescriptor) const;

    static QString field(const MenuItem& item, Column column);

private:
    QList<MenuItem> m_items;
};

} // namespace zr
