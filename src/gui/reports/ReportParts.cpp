#include "reports/ReportParts.h"

#include "app/Dialogs.h"
#include "app/FrontEndSettings.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTreeView>
#include <QValueAxis>

namespace zr {

QLabel* makeReportTitle(const QString& text, QWidget* parent) {
    auto* title = new QLabel(text, parent);
    title->setObjectName("Title");
    QFont heading = title->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    heading.setBold(true);
    title->setFont(heading);
    title->setAlignment(Qt::AlignCenter);
    return title;
}

QTreeView* makeReportList(const QString& objectName, QWidget* parent) {
    auto* list = new QTreeView(parent);
    list->setObjectName(objectName);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    return list;
}

QHBoxLayout* makeExportRow(QPushButton*& button, const QString& toolTip, QWidget* parent) {
    button = new QPushButton(QString::fromUtf8("&Export…"), parent);
    button->setObjectName("Export");
    button->setToolTip(toolTip);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    return row;
}

QString askCsvFileName(Dialogs& dialogs, QWidget* parent, const QString& proposed) {
    QString name = dialogs.saveFile(parent, QStringLiteral("Export to CSV:"), proposed,
                                    QStringLiteral("CSV files (*.csv)"));
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) name += ".csv";
    return name;
}

QSpinBox* makeGoalBox(int seconds, const QString& toolTip, QLabel*& label, QWidget* parent) {
    auto* goal = new QSpinBox(parent);
    goal->setObjectName("Goal");
    goal->setRange(1, FrontEndSettings::LongestTotalTimeGoal);
    goal->setSuffix(" s");
    goal->setKeyboardTracking(false);
    goal->setValue(seconds);
    goal->setToolTip(toolTip);
    label = new QLabel("&Goal for the total time:", parent);
    label->setBuddy(goal);
    return goal;
}

QChartView* makeChartView(QWidget* parent) {
    auto* view = new QChartView(new QChart, parent);
    view->setObjectName("Chart");
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(220);
    return view;
}

QSplitter* makeTableOverChart(QWidget* table, QChartView* chart, int tableHeight, int chartHeight,
                              QWidget* parent) {
    auto* split = new QSplitter(Qt::Vertical, parent);
    split->addWidget(table);
    split->addWidget(chart);
    split->setStretchFactor(1, 1);
    split->setSizes({tableHeight, chartHeight});
    return split;
}

QChart* makeChart() {
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QBarCategoryAxis* makeCategoryAxis(const QString& title, const QStringList& names) {
    auto* axis = new QBarCategoryAxis;
    axis->append(names);
    axis->setTitleText(title);
    return axis;
}

QValueAxis* makeCountAxis(const QString& title, double largest) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat("%d");
    axis->setRange(0, largest * 1.15);
    axis->applyNiceNumbers();
    return axis;
}

QLineSeries* makeGoalLine(int seconds, int bars) {
    auto* goal = new QLineSeries;
    goal->setName(QString("Goal (%1 s)").arg(seconds));
    goal->setPen(QPen(QColor(200, 30, 30), 2, Qt::DashLine));
    goal->append(-0.5, seconds);
    goal->append(bars - 0.5, seconds);
    return goal;
}

void replaceChart(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

} // namespace zr
