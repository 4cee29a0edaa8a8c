#include "menu/MenuItemsModel.h"

#include "app/WindowsText.h"

#include <QColor>
#include <algorithm>

namespace zr {

namespace {

const char* const Headers[] = {"Short Descriptor", "Long Descriptor", "Image",     "Family",
                               "Show Item",        "Associated POP",  "Track Item"};

QString& fieldRef(MenuItem& item, MenuItemsModel::Column column) {
    switch (column) {
    case MenuItemsModel::Short:
        return item.ShortDescriptor;
    case MenuItemsModel::Long:
        return item.LongDescriptor;
    case MenuItemsModel::Image:
        return item.Image;
    case MenuItemsModel::Family:
        return item.Family;
    case MenuItemsModel::Show:
        return item.ShowItem;
    case MenuItemsModel::Pop:
        return item.AssociatedPOP;
    case MenuItemsModel::Track:
    case MenuItemsModel::ColumnCount:
        break;
    }
    return item.TrackItem;
}

} // namespace

QString MenuItemsModel::field(const MenuItem& item, Column column) {
    return fieldRef(const_cast<MenuItem&>(item), column);
}

int MenuItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_items.size());
}

int MenuItemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MenuItemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_items.size()) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const auto column = static_cast<Column>(index.column());
        const QString text = field(m_items.at(index.row()), column);
        return column == Short || column == Long ? shownText(text) : text;
    }
    case Qt::ForegroundRole:
        return index.row() % 2 == 0 ? QColor(0, 0, 255) : QColor(0, 0, 0);
    default:
        return {};
    }
}

QVariant MenuItemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString(Headers[section]);
}

void MenuItemsModel::setItems(QList<MenuItem> items) {
    beginResetModel();
    m_items = std::move(items);
    sortItems(m_items);
    endResetModel();
}

void MenuItemsModel::setField(int row, Column column, const QString& value) {
    if (row < 0 || row >= m_items.size() || column == Short) return;
    fieldRef(m_items[row], column) = value;
    emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

int MenuItemsModel::addItem(const MenuItem& item) {
    // After every item that does not sort after it, as a stable sort would place it.
    const auto at = std::upper_bound(m_items.cbegin(), m_items.cend(), item, sortsBefore);
    const int row = static_cast<int>(at - m_items.cbegin());
    beginInsertRows({}, row, row);
    m_items.insert(row, item);
    endInsertRows();
    // Every row below the new one changes colour.
    if (row + 1 < m_items.size())
        emit dataChanged(index(row + 1, 0), index(static_cast<int>(m_items.size()) - 1, ColumnCount - 1),
                         {Qt::ForegroundRole});
    return row;
}

void MenuItemsModel::removeItem(int row) {
    if (row < 0 || row >= m_items.size()) return;
    beginRemoveRows({}, row, row);
    m_items.removeAt(row);
    endRemoveRows();
    if (row < m_items.size())
        emit dataChanged(index(row, 0), index(static_cast<int>(m_items.size()) - 1, ColumnCount - 1),
                         {Qt::ForegroundRole});
}

int MenuItemsModel::find(const QString& shortDescriptor) const {
    for (int row = 0; row < m_items.size(); ++row)
        if (sameShortDescriptor(m_items.at(row).ShortDescriptor, shortDescriptor)) return row;
    return -1;
}

} // namespace zr
