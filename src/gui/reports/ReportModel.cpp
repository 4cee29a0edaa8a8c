#include "reports/ReportModel.h"

#include "app/WindowsText.h"

#include <QBrush>
#include <QColor>
#include <QLocale>

namespace zr {

const QString ReportModel::SlowerThanGoal = QStringLiteral("Slower than goal");

namespace {

const QColor SlowerBackground(255, 208, 208);

} // namespace

ReportModel::ReportModel(Report empty, QObject* parent)
    : QAbstractTableModel(parent), m_report(std::move(empty)) {}

void ReportModel::setReport(Report report) {
    beginResetModel();
    m_report = std::move(report);
    endResetModel();
}

void ReportModel::clear() {
    std::vector<bool> money(m_report.columnCount());
    for (int c = 0; c < m_report.columnCount(); ++c)
        money[c] = m_report.isMoney(c);
    setReport(Report(m_report.columns(), std::move(money)));
}

void ReportModel::setGoal(int column, std::optional<qint64> seconds) {
    const bool newColumn = m_goalColumn < 0;
    if (newColumn) beginInsertColumns({}, m_report.columnCount(), m_report.columnCount());
    m_goalColumn = column;
    m_goal = seconds;
    if (newColumn) {
        endInsertColumns();
    } else if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

bool ReportModel::isSlower(int row) const {
    if (m_goalColumn < 0 || !m_goal) return false;
    const qint64 v = m_report.value(row, m_goalColumn);
    return v != Report::NoValue && v > *m_goal;
}

int ReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_report.rowCount();
}

int ReportModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return m_report.columnCount() + (m_goalColumn >= 0 ? 1 : 0);
}

QString ReportModel::plainText(int row, int column) const {
    if (column == m_report.columnCount()) return isSlower(row) ? SlowerThanGoal : QString();
    return m_report.text(row, column);
}

QVariant ReportModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const int row = index.row();
    const int column = index.column();
    const bool goalColumn = column == m_report.columnCount();
    switch (role) {
    case Qt::DisplayRole: {
        if (goalColumn) return plainText(row, column);
        const qint64 v = m_report.value(row, column);
        if (m_report.isMoney(column) && v != Report::NoValue)
            return QLocale().toCurrencyString(static_cast<double>(v) / 100.0, QString(), 2);
        // Cells keep the file's bytes so that exports write them back unchanged.
        return shownText(m_report.cell(row, column));
    }
    case PlainTextRole:
        return plainText(row, column);
    case ValueRole:
        return goalColumn ? QVariant() : QVariant(m_report.value(row, column));
    case Qt::TextAlignmentRole:
        if (!goalColumn && m_report.isMoney(column)) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::BackgroundRole:
        if (isSlower(row)) return QBrush(SlowerBackground);
        return {};
    case Qt::ForegroundRole:
        if (isSlower(row)) return QBrush(Qt::black);
        return {};
    default:
        return {};
    }
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section == m_report.columnCount() && m_goalColumn >= 0) return QStringLiteral("Goal");
    if (section < 0 || section >= m_report.columnCount()) return {};
    return m_report.columns().at(section);
}

QString ReportModel::toCsv() const {
    if (m_goalColumn < 0) return m_report.toCsv();
    QString out;
    const int columns = columnCount();
    for (int c = 0; c < columns; ++c) {
        if (c) out += ',';
        out += csvCell(headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    }
    out += '\n';
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c) out += ',';
            out += csvCell(plainText(r, c));
        }
        out += '\n';
    }
    return out;
}

} // namespace zr
