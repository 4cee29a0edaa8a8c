#pragma once

#include <QString>

class QBarCategoryAxis;
class QChart;
class QChartView;
class QHBoxLayout;
class QLabel;
class QLineSeries;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTreeView;
class QValueAxis;
class QWidget;

namespace zr {

class Dialogs;

// The pieces the report windows have in common.

/// The window's heading, named "Title": bold, larger than the text, centred.
QLabel* makeReportTitle(const QString& text, QWidget* parent);

/// A read-only list of report rows: whole rows are selected, every other row shaded.
QTreeView* makeReportList(const QString& objectName, QWidget* parent);

/// The "Export" button with the tool tip given, and the row that holds it on the right.
QHBoxLayout* makeExportRow(QPushButton*& button, const QString& toolTip, QWidget* parent);

/// Asks where to save a CSV file, proposing `proposed`; empty when the user
/// cancels. A name without a suffix gets ".csv".
QString askCsvFileName(Dialogs& dialogs, QWidget* parent, const QString& proposed);

/// The box for the goal for the total time in seconds (named "Goal"), and its label.
QSpinBox* makeGoalBox(int seconds, const QString& toolTip, QLabel*& label, QWidget* parent);

/// The chart view below a report's table (named "Chart"), and the splitter that holds both.
QChartView* makeChartView(QWidget* parent);
QSplitter* makeTableOverChart(QWidget* table, QChartView* chart, int tableHeight, int chartHeight,
                              QWidget* parent);

/// An empty chart with its legend at the bottom.
QChart* makeChart();
/// The axis of the bars' names along the bottom of a chart.
QBarCategoryAxis* makeCategoryAxis(const QString& title, const QStringList& names);
/// A whole-number axis from 0 with room above `largest`.
QValueAxis* makeCountAxis(const QString& title, double largest);
/// The dashed goal line across all `bars` bars of a chart.
QLineSeries* makeGoalLine(int seconds, int bars);
/// Shows `chart` in `view` and deletes the chart shown before.
void replaceChart(QChartView* view, QChart* chart);

} // namespace zr
