#pragma once

#include "reports/PadSummary.h"
#include "reports/ReportWindow.h"

class QChartView;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace zr {

/// The pad summary report: one row per check with the car's times on the two
/// pads, the order and tender totals and the durations; beside it the speed
/// of service overall, per day part and per hour, measured against a goal
/// for the total time that zr.ini keeps.
class frmStats : public ReportWindow {
    Q_OBJECT
public:
    explicit frmStats(frmMain& main);

    QTreeView* Statistics = nullptr;
    QTabWidget* Views = nullptr;     // the report list, and the speed of service
    QSpinBox* Goal = nullptr;        // goal for the total time, in seconds
    QTableWidget* Summary = nullptr; // the speed of service table
    QChartView* Chart = nullptr;     // cars and average total time per hour

    const PadSummary& summary() const { return m_summary; }

    /// Takes a new goal: marks the slower cars, and keeps it in zr.ini.
    void GoalChanged(int seconds);

protected:
    QString exportText() const override;
    QString exportSuffix() const override;
    void reportBuilt() override;

private:
    void showSummary();
    void showChart();

    PadSummary m_summary;
};

} // namespace zr
