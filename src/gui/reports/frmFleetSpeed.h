#pragma once

#include "reports/FleetReport.h"

#include <QWidget>

class QChartView;
class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTreeView;

namespace zr {

class frmMain;
class ReportModel;

/// The speed of service of every store side by side: one row per profile
/// from all its pad files, overall and per day part, sortable by any
/// column, with a chart of each store's average total time against the goal.
class frmFleetSpeed : public QWidget {
    Q_OBJECT
public:
    explicit frmFleetSpeed(frmMain& main);

    QLabel* Title = nullptr;
    QCheckBox* chkFrom = nullptr;
    QDateEdit* From = nullptr;
    QCheckBox* chkTo = nullptr;
    QDateEdit* To = nullptr;
    QSpinBox* Goal = nullptr;
    QPushButton* Refresh = nullptr;
    QTreeView* Stores = nullptr;
    QChartView* Chart = nullptr;
    QPushButton* Export = nullptr;

    /// Room for the overall figures of every store, and the chart beneath.
    QSize sizeHint() const override { return {1000, 640}; }

    ReportModel& model() const { return *m_model; }
    QSortFilterProxyModel& sorted() const { return *m_sorted; }

    /// Reads every store's pad files again with the dates and goal shown.
    void BuildReport();
    /// Takes a new goal, keeps it in zr.ini, and builds the report again.
    void GoalChanged(int seconds);
    /// Asks where to save, then writes the table as shown (in its order) as CSV.
    void ExportReport();

private:
    void showChart();

    frmMain& m_main;
    ReportModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
};

} // namespace zr
