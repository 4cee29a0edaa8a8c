#include "reports/frmFleetSpeed.h"

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Dialogs.h"
#include "app/EditorSupport.h"
#include "app/FrontEndSettings.h"
#include "app/Prompts.h"
#include "app/TextFile.h"
#include "app/frmMain.h"
#include "reports/ReportModel.h"
#include "reports/ReportParts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScopeGuard>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>
#include <QValueAxis>

namespace zr {

namespace {

constexpr int TotalColumn = 6; // "Total" of the overall figures

// Numbers sort as numbers, names without regard to case; empty cells come first.
class NumericSort : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        const qint64 a = left.data(ReportModel::ValueRole).toLongLong();
        const qint64 b = right.data(ReportModel::ValueRole).toLongLong();
        if (a != Report::NoValue || b != Report::NoValue) return a < b;
        const QString l = left.data().toString(), r = right.data().toString();
        if (l.isEmpty() != r.isEmpty()) return l.isEmpty();
        return QString::compare(l, r, Qt::CaseInsensitive) < 0;
    }
};

} // namespace

frmFleetSpeed::frmFleetSpeed(frmMain& main) : m_main(main) {
    setObjectName("frmFleetSpeed");
    setWindowTitle("Fleet Speed of Service");

    Title = makeReportTitle("Fleet Speed of Service", this);

    const QDate today = m_main.clock().now().date();
    const auto dateBox = [this](QCheckBox*& check, QDateEdit*& edit, const QString& name, const QString& label,
                                const QDate& date) {
        check = new QCheckBox(label, this);
        check->setObjectName("chk" + name);
        edit = new QDateEdit(date, this);
        edit->setObjectName(name);
        edit->setDisplayFormat("yyyy-MM-dd");
        edit->setCalendarPopup(true);
        edit->setKeyboardTracking(false);
        edit->setEnabled(false);
        connect(check, &QCheckBox::toggled, edit, &QWidget::setEnabled);
    };
    dateBox(chkFrom, From, "From", "&From:", today.addDays(-30));
    dateBox(chkTo, To, "To", "&To:", today);
    chkFrom->setToolTip("Count only the cars that arrived on or after this day");
    chkTo->setToolTip("Count only the cars that arrived on or before this day");

    QLabel* goalLabel = nullptr;
    Goal = makeGoalBox(FrontEndSettings::TotalTimeGoal(m_main.paths()),
                       "\"Over Goal %\" is the share of cars whose total time is longer", goalLabel, this);
    Refresh = new QPushButton("&Read Again", this);
    Refresh->setObjectName("Refresh");
    Refresh->setToolTip("Read every store's pad files again");

    auto* filters = new QHBoxLayout;
    filters->addWidget(chkFrom);
    filters->addWidget(From);
    filters->addSpacing(12);
    filters->addWidget(chkTo);
    filters->addWidget(To);
    filters->addSpacing(12);
    filters->addWidget(goalLabel);
    filters->addWidget(Goal);
    filters->addStretch();
    filters->addWidget(Refresh);

    m_model = new ReportModel(FleetReport::emptyReport(), this);
    m_sorted = new NumericSort(this);
    m_sorted->setSourceModel(m_model);
    Stores = makeReportList("Stores", this);
    Stores->setModel(m_sorted);
    Stores->setSortingEnabled(true);
    Stores->sortByColumn(0, Qt::AscendingOrder);
    Stores->header()->setStretchLastSection(false);
    Stores->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    Chart = makeChartView(this);
    QSplitter* split = makeTableOverChart(Stores, Chart, 180, 320, this);

    auto* buttons = makeExportRow(Export, "Save the table as a CSV file, in the order shown", this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Title);
    layout->addLayout(filters);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    const auto guarded = [this](const char* source, auto work) {
        return [this, source, work](auto&&...) { m_main.guard().run(source, work); };
    };
    connect(Refresh, &QPushButton::clicked, this, guarded("frmFleetSpeed Refresh", [this] { BuildReport(); }));
    connect(Export, &QPushButton::clicked, this, guarded("frmFleetSpeed Export", [this] { ExportReport(); }));
    connect(Goal, &QSpinBox::valueChanged, this,
            [this](int seconds) { m_main.guard().run("frmFleetSpeed Goal", [&] { GoalChanged(seconds); }); });
    for (QDateEdit* edit : {From, To})
        connect(edit, &QDateEdit::dateChanged, this, guarded("frmFleetSpeed Dates", [this] { BuildReport(); }));
    for (QCheckBox* check : {chkFrom, chkTo})
        connect(check, &QCheckBox::toggled, this, guarded("frmFleetSpeed Dates", [this] { BuildReport(); }));
    connect(m_sorted, &QAbstractItemModel::layoutChanged, this,
            guarded("frmFleetSpeed Sort", [this] { showChart(); }));

    BuildReport();
}

void frmFleetSpeed::GoalChanged(int seconds) {
    FrontEndSettings::SaveTotalTimeGoal(m_main.paths(), seconds);
    BuildReport();
}

void frmFleetSpeed::BuildReport() {
    FleetReport::Options options;
    if (chkFrom->isChecked()) options.from = From->date();
    if (chkTo->isChecked()) options.to = To->date();
    options.goal = Goal->value();
    Report report = FleetReport::emptyReport();
    // A region's stores take a while: the heading names the last store read,
    // and the windows are drawn again between stores.
    const auto restore = qScopeGuard([this, heading = Title->text()] { Title->setText(heading); });
    const QStringList problems =
        FleetReport::read(m_main.paths(), m_main.prompts(), options, [&](const FleetReport::Store& store) {
            FleetReport::addRow(report, store);
            Title->setText(QString::fromUtf8("Reading the stores… %1 read, the last %2").arg(report.rowCount()).arg(store.name));
            keepWindowsDrawn();
        });
    m_model->setReport(std::move(report));
    showChart();
    if (!problems.isEmpty()) m_main.prompts().inform(QString(), problems.join('\n'));
}

void frmFleetSpeed::showChart() {
    QChart* chart = makeChart();
    const int stores = m_sorted->rowCount();
    if (stores == 0) {
        chart->setTitle("No stores");
    } else {
        chart->setTitle("Average total time per store");
        auto* totals = new QBarSet("Average total time (s)");
        totals->setColor(QColor(60, 110, 190));
        QStringList names;
        double longest = Goal->value();
        for (int r = 0; r < stores; ++r) {
            names << m_sorted->index(r, 0).data().toString();
            const qint64 tenths = m_sorted->index(r, TotalColumn).data(ReportModel::ValueRole).toLongLong();
            const double seconds = tenths == Report::NoValue ? 0.0 : static_cast<double>(tenths) / 10.0;
            *totals << seconds;
            longest = std::max(longest, seconds);
        }
        auto* bars = new QBarSeries;
        bars->append(totals);
        QLineSeries* goal = makeGoalLine(Goal->value(), stores);
        chart->addSeries(bars);
        chart->addSeries(goal);

        QBarCategoryAxis* x = makeCategoryAxis("Store", names);
        QValueAxis* y = makeCountAxis("Seconds", longest);
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        for (QAbstractSeries* series : std::initializer_list<QAbstractSeries*>{bars, goal}) {
            series->attachAxis(x);
            series->attachAxis(y);
        }
    }
    replaceChart(Chart, chart);
}

void frmFleetSpeed::ExportReport() {
    const QString folder = m_main.paths().profileFile(m_main.Profile().ID().trimmed(), "Stats");
    const QString name = askCsvFileName(m_main.dialogs(), this, folder + "/fleet-speed.csv");
    if (name.isEmpty()) return;
    const Report& report = m_model->report();
    QString out = report.csvHeader();
    for (int r = 0; r < m_sorted->rowCount(); ++r)
        out += report.csvLine(m_sorted->mapToSource(m_sorted->index(r, 0)).row());
    TextFile::writeAtomically(name, out.toUtf8(), "Export");
}

} // namespace zr
