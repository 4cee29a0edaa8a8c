#include "fleet/FleetRun.h"

#include "app/AppPaths.h"
#include "app/Routines.h"
#include "comm/FtpSettings.h"

#include <QProcess>
#include <QTimer>
#include <algorithm>

namespace zr {

struct FleetRun::Worker {
    Worker() = default;
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;
    // Later: the worker may go from inside its own process's finished signal.
    ~Worker() {
        process->disconnect();
        process->deleteLater();
    }
    QProcess* const process = new QProcess;
    QByteArray pending, errors;
    std::optional<ProgressLine> end;
};

QString FleetBoard::resultText(bool update) const {
    switch (result) {
    case Result::None:
        return state == State::Running ? QStringLiteral("running") : QStringLiteral("waiting");
    case Result::Succeeded:
        return update ? QStringLiteral("updated") : QStringLiteral("retrieved");
    case Result::Failed:
        return QStringLiteral("failed");
    case Result::NoConnection:
        return QStringLiteral("no connection");
    case Result::Interrupted:
        return QStringLiteral("interrupted");
    case Result::NotStarted:
        return QStringLiteral("not started");
    case Result::Skipped:
        return QStringLiteral("skipped");
    }
    return {};
}

FleetRun::FleetRun(FleetOptions options, const QStringList& profiles, QObject* parent)
    : QObject(parent), m_options(std::move(options)) {
    m_options.jobs = std::max(1, m_options.jobs);
    for (const QString& profile : profiles) {
        const bool twice = std::any_of(m_boards.cbegin(), m_boards.cend(), [&](const FleetBoard& b) {
            return b.profile.compare(profile, Qt::CaseInsensitive) == 0;
        });
        if (twice) continue;
        FleetBoard board;
        board.profile = profile;
        if (m_options.address) board.address = m_options.address(profile);
        m_boards.append(board);
        m_queue.append(static_cast<int>(m_boards.size() - 1));
    }
    m_workers.resize(m_boards.size());
    m_clocks.resize(m_boards.size());
}

FleetRun::~FleetRun() {
    // Never leave a worker behind: one that did not end in time is killed.
    for (auto& worker : m_workers) {
        if (!worker) continue;
        worker->process->disconnect();
        if (worker->process->state() == QProcess::NotRunning) continue;
        worker->process->terminate();
        if (!worker->process->waitForFinished(3000)) {
            worker->process->kill();
            worker->process->waitForFinished(1000);
        }
    }
}

void FleetRun::skip(const QString& profile, const QString& reason) {
    for (int i = 0; i < m_boards.size(); ++i) {
        FleetBoard& board = m_boards[i];
        if (board.profile.compare(profile, Qt::CaseInsensitive) != 0 || board.state != FleetBoard::State::Waiting)
            continue;
        board.state = FleetBoard::State::Done;
        board.result = FleetBoard::Result::Skipped;
        board.reason = reason;
        m_queue.removeAll(i);
    }
}

void FleetRun::start() {
    if (m_started) return;
    m_started = true;
    fill();
    // Deferred, so that a run with nothing to do still ends after start() returns.
    QTimer::singleShot(0, this, &FleetRun::checkFinished);
}

void FleetRun::stop() {
    if (!isRunning() || m_stopping) return;
    m_stopping = true;
    m_queue.clear();
    for (int index = 0; index < m_boards.size(); ++index) {
        FleetBoard& board = m_boards[index];
        if (board.state != FleetBoard::State::Waiting) continue;
        board.state = FleetBoard::State::Done;
        // A board waiting for its retry keeps the result of its last attempt.
        if (board.result == FleetBoard::Result::None) {
            board.result = FleetBoard::Result::NotStarted;
            board.reason = QStringLiteral("The run was stopped before this board started.");
        }
        emit boardChanged(index);
        emit boardFinished(index);
    }
    for (auto& worker : m_workers)
        if (worker && worker->process->state() != QProcess::NotRunning) worker->process->terminate();
    checkFinished();
}

bool FleetRun::allSucceeded() const {
    return std::all_of(m_boards.cbegin(), m_boards.cend(), [](const FleetBoard& b) { return b.succeeded(); });
}

int FleetRun::runningCount() const {
    return static_cast<int>(std::count_if(m_workers.cbegin(), m_workers.cend(), [](const auto& w) { return w != nullptr; }));
}

void FleetRun::fill() {
    // Profiles that share a board (or a --host) wait for each other: one board
    // is never reached by two workers at once.
    const auto busy = [this](int index) {
        const QString& address = m_boards[index].address;
        for (size_t other = 0; other < m_workers.size(); ++other)
            if (m_workers[other] && !address.isEmpty() &&
                m_boards[static_cast<int>(other)].address.compare(address, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    for (qsizetype i = 0; !m_stopping && i < m_queue.size() && runningCount() < m_options.jobs;) {
        if (busy(m_queue[i])) {
            ++i;
            continue;
        }
        launch(m_queue.takeAt(i));
    }
}

void FleetRun::launch(int index) {
    FleetBoard& board = m_boards[index];
    board.state = FleetBoard::State::Running;
    board.result = FleetBoard::Result::None;
    board.value = 0;
    board.maximum = 0;
    board.step.clear();
    if (board.attempts++ == 0) m_clocks[index].start();
    m_workers[index] = std::make_unique<Worker>();
    QProcess* process = m_workers[index]->process;
    connect(process, &QProcess::readyReadStandardOutput, this, [this, index] { readOutput(index); });
    connect(process, &QProcess::readyReadStandardError, this, [this, index] {
        Worker& w = *m_workers[index];
        w.errors = (w.errors + w.process->readAllStandardError()).right(4096);
    });
    connect(process, &QProcess::finished, this, [this, index](int code, QProcess::ExitStatus status) {
        workerEnded(index, code, status == QProcess::CrashExit);
    });
    connect(process, &QProcess::errorOccurred, this, [this, index](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) workerEnded(index, -1, true);
    });
    process->start(m_options.program, m_options.arguments(board.profile));
    emit boardChanged(index);
}

void FleetRun::readOutput(int index) {
    Worker& worker = *m_workers[index];
    worker.pending += worker.process->readAllStandardOutput();
    qsizetype eol;
    while ((eol = worker.pending.indexOf('\n')) >= 0) {
        const std::optional<ProgressLine> line = ProgressLine::parse(worker.pending.left(eol));
        worker.pending.remove(0, eol + 1);
        if (!line) continue;
        FleetBoard& board = m_boards[index];
        if (line->kind == ProgressLine::Kind::End) {
            worker.end = line;
            board.address = line->address;
            continue;
        }
        board.step = line->text;
        board.value = line->value;
        board.maximum = line->maximum;
        emit boardChanged(index);
    }
}

void FleetRun::workerEnded(int index, int exitCode, bool crashed) {
    if (!m_workers[index]) return; // FailedToStart and finished may both arrive
    readOutput(index);
    const std::unique_ptr<Worker> worker = std::move(m_workers[index]);
    FleetBoard& board = m_boards[index];
    board.seconds = m_clocks[index].elapsed() / 1000.0;
    if (const std::optional<ProgressLine>& end = worker->end) {
        static const std::array<FleetBoard::Result, 4> results{
            FleetBoard::Result::Succeeded, FleetBoard::Result::Failed, FleetBoard::Result::NoConnection,
            FleetBoard::Result::Interrupted};
        board.result = results[static_cast<size_t>(end->result)];
        board.bytesSent += end->bytesSent;
        board.bytesReceived += end->bytesReceived;
        board.reason = end->text;
    } else {
        board.result = FleetBoard::Result::Failed;
        const QString said = QString::fromLocal8Bit(worker->errors).trimmed().section('\n', -1);
        board.reason = !said.isEmpty() ? said
                       : crashed       ? "The worker for this board could not run: " + worker->process->errorString()
                                       : QString("The worker for this board ended with status %1.").arg(exitCode);
    }
    const bool retry = board.result == FleetBoard::Result::NoConnection && !m_stopping &&
                       board.attempts <= m_options.retries;
    if (retry) {
        board.state = FleetBoard::State::Waiting;
        ++m_retryPending;
        QTimer::singleShot(m_options.retryDelayMs * board.attempts, this, [this, index] {
            --m_retryPending;
            if (m_boards[index].state == FleetBoard::State::Waiting) {
                m_queue.append(index);
                fill();
            }
            checkFinished();
        });
        emit boardChanged(index);
    } else {
        if (board.result == FleetBoard::Result::NoConnection && board.attempts > 1)
            board.reason += QString(" Tried %1 times.").arg(board.attempts);
        board.state = FleetBoard::State::Done;
        emit boardChanged(index);
        emit boardFinished(index);
    }
    fill();
    checkFinished();
}

void FleetRun::checkFinished() {
    if (!m_started || m_finished || runningCount() > 0 || !m_queue.isEmpty()) return;
    if (m_retryPending > 0 && !m_stopping) return;
    m_finished = true;
    emit finished();
}

} // namespace zr

namespace zr {

QString fleetAddress(const AppPaths& paths, const QString& profile, const QString& host) {
    if (!host.isEmpty()) return host;
    const FtpSettings settings = loadFtpSettings(paths);
    return settings.host.isEmpty() ? GetConfigIP(paths, profile) : settings.host;
}

QList<QStringList> fleetSummary(const QList<FleetBoard>& boards, bool update) {
    QList<QStringList> rows{{"Profile", "Address", "Result", "Seconds", "Bytes", "Reason"}};
    for (const FleetBoard& b : boards)
        rows.append({b.profile, b.address, b.resultText(update), QString::number(b.seconds, 'f', 1),
                     QString::number(b.bytesSent + b.bytesReceived), b.succeeded() ? QString() : b.reason});
    return rows;
}

QString fleetSummaryCsv(const QList<FleetBoard>& boards, bool update) {
    QString csv;
    for (const QStringList& row : fleetSummary(boards, update)) {
        QStringList cells;
        for (QString cell : row) {
            if (cell.contains(',') || cell.contains('"')) cell = '"' + cell.replace("\"", "\"\"") + '"';
            cells.append(cell);
        }
        csv += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return csv;
}

} // namespace zr
