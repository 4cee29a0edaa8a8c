#include "reports/frmStats.h"

#include "app/AppPaths.h"
#include "app/FrontEndSettings.h"
#include "app/frmMain.h"
#include "reports/PadReport.h"
#include "reports/ReportModel.h"
#include "reports/ReportParts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <QValueAxis>

namespace zr {

namespace {

const QStringList SummaryColumns{"Period", "Cars", "Greet", "Pad1", "Pad2", "Total", "Goal"};

QString figure(const std::optional<double>& seconds) {
    return seconds ? QString::number(*seconds, 'f', 1) : QStringLiteral("-");
}

} // namespace

frmStats::frmStats(frmMain& main)
    : ReportWindow(main, {"frmStats", "Statistics", "Pad Summary Report", "Statistics", "", true,
                          PadReport::build({}), &PadReport::read}) {
    Statistics = list();

    QLabel* goalLabel = nullptr;
    Goal = makeGoalBox(FrontEndSettings::TotalTimeGoal(m_main.paths()),
                       "Cars whose total time is longer are marked \"" + ReportModel::SlowerThanGoal + "\"",
                       goalLabel, this);
    auto* goalRow = new QHBoxLayout;
    goalRow->addWidget(goalLabel);
    goalRow->addWidget(Goal);
    goalRow->addStretch();

    Summary = new QTableWidget(0, static_cast<int>(SummaryColumns.size()), this);
    Summary->setObjectName("Summary");
    Summary->setHorizontalHeaderLabels(SummaryColumns);
    Summary->verticalHeader()->hide();
    Summary->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Summary->setSelectionBehavior(QAbstractItemView::SelectRows);
    Summary->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Summary->horizontalHeader()->setStretchLastSection(true);
    Summary->verticalHeader()->setDefaultSectionSize(Summary->fontMetrics().height() + 6);
    Summary->setMinimumHeight(90);

    Chart = makeChartView(this);
    QSplitter* split = makeTableOverChart(Summary, Chart, 200, 300, this);

    auto* speed = new QWidget(this);
    auto* speedLayout = new QVBoxLayout(speed);
    speedLayout->addLayout(goalRow);
    speedLayout->addWidget(split, 1);

    Views = new QTabWidget(this);
    Views->setObjectName("Views");
    Views->addTab(Statistics, "&Cars");
    Views->addTab(speed, "&Speed of Service");
    m_body->addWidget(Views);
    setTabOrder(Views, Goal);
    setTabOrder(Goal, Summary);
    setTabOrder(Summary, Export);

    model().setGoal(PadReport::TotalTime, Goal->value());
    fitColumns();
    connect(Goal, &QSpinBox::valueChanged, this,
            [this](int seconds) { m_main.guard().run("frmStats Goal", [&] { GoalChanged(seconds); }); });
    reportBuilt();
}

void frmStats::GoalChanged(int seconds) {
    model().setGoal(PadReport::TotalTime, seconds);
    showSummary();
    showChart();
    FrontEndSettings::SaveTotalTimeGoal(m_main.paths(), seconds);
}

void frmStats::reportBuilt() {
    m_summary = summarize(model().report(), scheduleStarts(m_main.Profile()));
    showSummary();
    showChart();
}

void frmStats::showSummary() {
    std::vector<const SpeedOfService*> groups{&m_summary.overall};
    for (const SpeedOfService& part : m_summary.dayParts)
        groups.push_back(&part);
    for (const SpeedOfService& hour : m_summary.hours)
        if (hour.cars > 0) groups.push_back(&hour);

    Summary->setRowCount(static_cast<int>(groups.size()));
    for (int r = 0; r < Summary->rowCount(); ++r) {
        const SpeedOfService& g = *groups[r];
        const std::optional<double> total = g.average(SpeedOfService::Total);
        const bool slower = total && *total > Goal->value();
        QStringList cells{g.label, QString::number(g.cars)};
        for (int m = 0; m < SpeedOfService::MeasureCount; ++m)
            cells << figure(g.average(SpeedOfService::Measure(m)));
        cells << (slower ? ReportModel::SlowerThanGoal : QString());
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c > 0 && c < cells.size() - 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (slower) {
                item->setBackground(QColor(255, 208, 208));
                item->setForeground(Qt::black);
            }
            Summary->setItem(r, c, item);
        }
    }
}

void frmStats::showChart() {
    int first = -1, last = -1;
    for (int h = 0; h < 24; ++h)
        if (m_summary.hours[h].cars > 0) {
            if (first < 0) first = h;
            last = h;
        }

    QChart* chart = makeChart();
    if (first < 0) {
        chart->setTitle("No cars");
    } else {
        chart->setTitle("Cars and average total time per hour");
        auto* cars = new QBarSet("Cars");
        auto* average = new QLineSeries;
        average->setName("Average total time (s)");
        average->setPen(QPen(QColor(20, 60, 160), 2));
        average->setPointsVisible(true); // one hour alone draws no line
        average->setMarkerSize(9);
        QStringList hours;
        qint64 mostCars = 1;
        double longest = Goal->value();
        for (int h = first; h <= last; ++h) {
            const SpeedOfService& hour = m_summary.hours[h];
            hours << QString::number(h);
            *cars << static_cast<double>(hour.cars);
            mostCars = std::max(mostCars, hour.cars);
            if (const std::optional<double> total = hour.average(SpeedOfService::Total)) {
                average->append(h - first, *total);
                longest = std::max(longest, *total);
            }
        }
        QLineSeries* goal = makeGoalLine(Goal->value(), last - first + 1);
        auto* bars = new QBarSeries;
        bars->append(cars);
        chart->addSeries(bars);
        chart->addSeries(average);
        chart->addSeries(goal);

        QBarCategoryAxis* x = makeCategoryAxis("Hour", hours);
        QValueAxis* carAxis = makeCountAxis("Cars", static_cast<double>(mostCars));
        QValueAxis* secondAxis = makeCountAxis("Seconds", longest);
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(carAxis, Qt::AlignLeft);
        chart->addAxis(secondAxis, Qt::AlignRight);
        bars->attachAxis(x);
        bars->attachAxis(carAxis);
        for (QLineSeries* line : {average, goal}) {
            line->attachAxis(x);
            line->attachAxis(secondAxis);
        }
    }
    replaceChart(Chart, chart);
}

QString frmStats::exportText() const {
    if (Views->currentIndex() != 1) return ReportWindow::exportText();
    QString out;
    for (int c = 0; c < Summary->columnCount(); ++c)
        out += (c ? "," : "") + csvCell(Summary->horizontalHeaderItem(c)->text());
    out += '\n';
    for (int r = 0; r < Summary->rowCount(); ++r) {
        for (int c = 0; c < Summary->columnCount(); ++c)
            out += (c ? "," : "") + csvCell(Summary->item(r, c)->text());
        out += '\n';
    }
    return out;
}

QString frmStats::exportSuffix() const {
    return Views->currentIndex() == 1 ? QStringLiteral("-summary") : QString();
}

} // namespace zr
