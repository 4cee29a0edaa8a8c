#include "fleet/frmFleet.h"

#include "app/Prompts.h"
#include "app/frmMain.h"
#include "check/PreflightCheck.h"
#include "comm/TransferRecord.h"
#include "fleet/FleetRun.h"
#include "model/ProfileStore.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zr {

namespace {

const QString RetrieveQuestion =
    "Retrieving replaces the configuration and menu of every checked profile with its board's own. "
    "Do you want to continue?";
const QString CloseQuestion =
    "Boards are still running. Stop the run? No new board starts, and the window closes once the running "
    "boards have finished their current step.";

} // namespace

frmFleet::frmFleet(frmMain& main) : QWidget(&main, Qt::Window), m_main(main), m_worker(findWorkerProgram(main)) {
    setObjectName("frmFleet");
    setWindowTitle("Fleet");

    FleetTable = new QTableWidget(0, ColumnCount, this);
    FleetTable->setObjectName("FleetTable");
    FleetTable->setHorizontalHeaderLabels(
        {"Profile", "Address", "Pre-flight", "Last update", "Last retrieve", "Progress", "Result"});
    FleetTable->verticalHeader()->hide();
    FleetTable->setSelectionMode(QAbstractItemView::NoSelection);
    FleetTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FleetTable->horizontalHeader()->setStretchLastSection(true);

    cmdCheck = new QPushButton("&Check", this);
    cmdUpdate = new QPushButton("&Update selected", this);
    cmdRetrieve = new QPushButton("&Retrieve selected", this);
    cmdStop = new QPushButton("&Stop", this);
    Jobs = new QSpinBox(this);
    Jobs->setRange(1, 32);
    Jobs->setValue(8);
    auto* jobsLabel = new QLabel("&Jobs:", this);
    jobsLabel->setBuddy(Jobs);
    Summary = new QPlainTextEdit(this);
    Summary->setReadOnly(true);
    Summary->setMaximumHeight(110);
    Summary->setPlaceholderText("The summary of the last run appears here.");
    for (auto [widget, name] : {std::pair<QWidget*, const char*>{cmdCheck, "cmdCheck"}, {cmdUpdate, "cmdUpdate"},
                                {cmdRetrieve, "cmdRetrieve"}, {cmdStop, "cmdStop"}, {Jobs, "Jobs"}, {Summary, "Summary"}})
        widget->setObjectName(name);

    auto* buttons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(cmdCheck), static_cast<QWidget*>(cmdUpdate),
                       static_cast<QWidget*>(cmdRetrieve), static_cast<QWidget*>(cmdStop)})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(jobsLabel);
    buttons->addWidget(Jobs);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FleetTable, 1);
    layout->addLayout(buttons);
    layout->addWidget(Summary);

    const ErrorGuard& guard = m_main.guard();
    connect(cmdUpdate, &QPushButton::clicked, this, [this, &guard] { guard.run("Update", [this] { runSelected(true); }); });
    connect(cmdRetrieve, &QPushButton::clicked, this,
            [this, &guard] { guard.run("Retrieve", [this] { runSelected(false); }); });
    connect(cmdStop, &QPushButton::clicked, this, [this, &guard] { guard.run("Stop", [this] { stopRun(); }); });
    connect(cmdCheck, &QPushButton::clicked, this, [this, &guard] { guard.run("Check", [this] { checkSelected(); }); });

    guard.run("Fleet", [this] { fillTable(); });
    setRunning(false);
    m_main.setHeld(frmMain::Hold::Fleet, true);
    m_main.installEventFilter(this);
    resize(820, 420);
}

frmFleet::~frmFleet() = default;

QString frmFleet::findWorkerProgram(const frmMain& main) {
    const QString besides = main.paths().programFile("zrctl");
    if (QFileInfo(besides).isExecutable()) return besides;
    // In the build tree the desktop program and zrctl have folders of their own.
    const QString built = QCoreApplication::applicationDirPath() + "/../cli/zrctl";
    if (QFileInfo(built).isExecutable()) return QFileInfo(built).canonicalFilePath();
    const QString onPath = QStandardPaths::findExecutable("zrctl");
    return onPath.isEmpty() ? besides : onPath;
}

void frmFleet::fillTable() {
    const QStringList names = ProfileStore::profileNames(m_main.paths());
    FleetTable->setRowCount(0);
    FleetTable->setRowCount(static_cast<int>(names.size()));
    for (int row = 0; row < names.size(); ++row) {
        auto* name = new QTableWidgetItem(names[row]);
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        name->setCheckState(Qt::Checked);
        FleetTable->setItem(row, ProfileColumn, name);
        FleetTable->setItem(row, AddressColumn, new QTableWidgetItem(fleetAddress(m_main.paths(), names[row])));
        for (int column : {CheckColumn, LastUpdateColumn, LastRetrieveColumn, ResultColumn})
            FleetTable->setItem(row, column, new QTableWidgetItem);
        auto* bar = new QProgressBar;
        bar->setRange(0, 1);
        bar->setValue(0);
        bar->setTextVisible(false);
        FleetTable->setCellWidget(row, ProgressColumn, bar);
        showRecord(row);
    }
    FleetTable->resizeColumnsToContents();
    FleetTable->setColumnWidth(ProgressColumn, 140);
}

QStringList frmFleet::selectedProfiles() const {
    QStringList names;
    for (int row = 0; row < FleetTable->rowCount(); ++row)
        if (FleetTable->item(row, ProfileColumn)->checkState() == Qt::Checked)
            names.append(FleetTable->item(row, ProfileColumn)->text());
    return names;
}

bool frmFleet::isRunning() const { return m_run && m_run->isRunning(); }

void frmFleet::runSelected(bool update) {
    const QStringList names = selectedProfiles();
    if (isRunning() || names.isEmpty()) return;
    if (!update && m_main.prompts().ask("WARNING:", RetrieveQuestion, Buttons::YesNo) != Button::Yes) return;
    m_update = update;
    // Every board is checked before any is sent; one with errors is skipped.
    const QStringList refused = update ? checkSelected() : QStringList();
    FleetOptions options;
    options.program = m_worker;
    const QString app = m_main.paths().app();
    options.arguments = [app, update](const QString& profile) {
        return QStringList{"--app", app, update ? "update" : "retrieve", profile, "--progress-lines"};
    };
    options.address = [this](const QString& profile) { return fleetAddress(m_main.paths(), profile); };
    options.update = update;
    options.jobs = Jobs->value();
    m_run = std::make_unique<FleetRun>(options, names);
    for (const QString& name : refused)
        m_run->skip(name, "The check found errors. Put them right in the profile, then update it again.");
    m_rowOfBoard.clear();
    for (const FleetBoard& board : m_run->boards()) {
        const QList<QTableWidgetItem*> found = FleetTable->findItems(board.profile, Qt::MatchFixedString);
        m_rowOfBoard.append(found.isEmpty() ? -1 : found.first()->row());
    }
    for (int row = 0; row < FleetTable->rowCount(); ++row) {
        FleetTable->item(row, ResultColumn)->setText(QString());
        static_cast<QProgressBar*>(FleetTable->cellWidget(row, ProgressColumn))->setValue(0);
    }
    connect(m_run.get(), &FleetRun::boardChanged, this, [this](int index) { showBoard(index); });
    // The boards the check kept back say so from the start.
    for (int index = 0; index < m_run->boards().size(); ++index) showBoard(index);
    connect(m_run.get(), &FleetRun::finished, this,
            [this] { m_main.guard().run("Fleet run", [this] { runFinished(); }); });
    Summary->setPlainText(QString("%1 %2 boards…").arg(update ? "Updating" : "Retrieving").arg(names.size()));
    setRunning(true);
    m_run->start();
}

QStringList frmFleet::checkSelected() {
    QStringList refused;
    for (int row = 0; row < FleetTable->rowCount(); ++row) {
        const QString name = FleetTable->item(row, ProfileColumn)->text();
        if (FleetTable->item(row, ProfileColumn)->checkState() != Qt::Checked) continue;
        const CheckResult result = checkProfile(m_main.paths(), name);
        QStringList lines;
        for (const Finding& finding : result.findings)
            lines.append(CheckResult::line(finding));
        QTableWidgetItem* cell = FleetTable->item(row, CheckColumn);
        cell->setText(result.hasErrors() ? "errors" : result.hasWarnings() ? "warnings" : "clean");
        cell->setToolTip(result.summary() + (lines.isEmpty() ? QString() : "\n" + lines.join('\n')));
        if (result.hasErrors()) refused.append(name);
    }
    return refused;
}

// The last successful update and retrieve from the profile's transfer record,
// and the result of the last one of that kind when it did not succeed.
void frmFleet::showRecord(int row) {
    const TransferHistory h = TransferRecord::history(m_main.paths(), FleetTable->item(row, ProfileColumn)->text());
    const auto text = [&h](const std::optional<TransferEntry>& good, TransferEntry::Kind kind) {
        QString shown = good ? TransferRecord::timeText(good->end) : QStringLiteral("never");
        if (h.last && h.last->kind == kind && h.last->result != TransferEntry::Result::Ok)
            shown += ", last " + TransferRecord::resultText(h.last->result);
        return shown;
    };
    FleetTable->item(row, LastUpdateColumn)->setText(text(h.lastUpdate, TransferEntry::Kind::Update));
    FleetTable->item(row, LastRetrieveColumn)->setText(text(h.lastRetrieve, TransferEntry::Kind::Retrieve));
}

void frmFleet::stopRun() {
    if (!isRunning()) return;
    Summary->appendPlainText("Stopping: no new board starts; the running ones finish their current step.");
    m_run->stop();
}

void frmFleet::showBoard(int index) {
    const int row = m_rowOfBoard.value(index, -1);
    if (row < 0) return;
    const FleetBoard& board = m_run->boards().at(index);
    auto* bar = static_cast<QProgressBar*>(FleetTable->cellWidget(row, ProgressColumn));
    if (board.maximum > 0) {
        bar->setRange(0, board.maximum);
        bar->setValue(board.value);
    }
    if (!board.address.isEmpty()) FleetTable->item(row, AddressColumn)->setText(board.address);
    const bool done = board.state == FleetBoard::State::Done;
    if (done && board.succeeded()) bar->setValue(bar->maximum());
    FleetTable->item(row, ResultColumn)->setText(done ? board.resultText(m_update) : board.step);
    FleetTable->item(row, ResultColumn)->setToolTip(board.reason);
}

void frmFleet::runFinished() {
    const QList<FleetBoard>& boards = m_run->boards();
    const auto good = std::count_if(boards.cbegin(), boards.cend(), [](const FleetBoard& b) { return b.succeeded(); });
    QString text = QString("%1 of %2 boards %3.").arg(good).arg(boards.size()).arg(m_update ? "updated" : "retrieved");
    for (const FleetBoard& b : boards)
        if (!b.succeeded()) text += QString("\n%1 (%2): %3. %4").arg(b.profile, b.address, b.resultText(m_update), b.reason);
    Summary->setPlainText(text);
    for (int row = 0; row < FleetTable->rowCount(); ++row)
        showRecord(row);
    setRunning(false);
    // A retrieve may have replaced the current profile's files.
    if (!m_update) m_main.ReloadProfile();
    if (m_closeWhenDone) close();
}

void frmFleet::setRunning(bool running) {
    cmdCheck->setEnabled(!running);
    cmdUpdate->setEnabled(!running);
    cmdRetrieve->setEnabled(!running);
    Jobs->setEnabled(!running);
    cmdStop->setEnabled(running);
    for (int row = 0; row < FleetTable->rowCount(); ++row) {
        QTableWidgetItem* name = FleetTable->item(row, ProfileColumn);
        name->setFlags(running ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    }
    if (running != m_holding) m_main.setHeld(frmMain::Hold::Command, running);
    m_holding = running;
}

void frmFleet::closeEvent(QCloseEvent* event) {
    if (isRunning()) {
        event->ignore();
        if (m_closeWhenDone) return;
        if (m_main.prompts().ask("Fleet", CloseQuestion, Buttons::YesNo) != Button::Yes) return;
        m_closeWhenDone = true;
        m_main.guard().run("Stop", [this] { stopRun(); });
        return;
    }
    if (!m_closed) {
        m_closed = true;
        m_main.setHeld(frmMain::Hold::Fleet, false);
    }
    event->accept();
}

// The main window cannot close under a running fleet; when it closes
// otherwise, this window closes with it.
bool frmFleet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_main && event->type() == QEvent::Close) {
        if (isRunning()) {
            event->ignore();
            close(); // asks, and stops the run when told to
            return true;
        }
        close();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zr
