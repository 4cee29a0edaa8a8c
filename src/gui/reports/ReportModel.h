#pragma once

#include "reports/Report.h"

#include <QAbstractTableModel>
#include <optional>

namespace zr {

/// A statistics report as a table for a view. Money cells are shown in the
/// user's currency format. With a goal set, an extra last column "Goal" says
/// "Slower than goal" for the rows whose time in the goal column is over the
/// goal, and those rows are coloured.
class ReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    /// The hidden number of a cell (Report::NoValue when it has none).
    static constexpr int ValueRole = Qt::UserRole;
    /// The cell as exported: money as a plain decimal.
    static constexpr int PlainTextRole = Qt::UserRole + 1;

    static const QString SlowerThanGoal;

    explicit ReportModel(Report empty, QObject* parent = nullptr);

    const Report& report() const { return m_report; }
    void setReport(Report report);
    /// An empty report with the same columns.
    void clear();

    /// Marks the rows whose value in `column` is over `seconds`; nothing removes the goal column.
    void setGoal(int column, std::optional<qint64> seconds);
    std::optional<qint64> goal() const { return m_goal; }
    bool isSlower(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// What the view shows, as CSV: the column names, then one line per row.
    QString toCsv() const;

private:
    QString plainText(int row, int column) const;

    Report m_report;
    int m_goalColumn = -1;
    std::optional<qint64> m_goal;
};

} // namespace zr
