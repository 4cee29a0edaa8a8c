#pragma once

#include "fleet/ProgressLine.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QProcess;

namespace zr {

/// One board of a fleet run, as it stands.
struct FleetBoard {
    enum class State { Waiting, Running, Done };
    enum class Result { None, Succeeded, Failed, NoConnection, Interrupted, NotStarted, Skipped };

    QString profile, address;
    State state = State::Waiting;
    Result result = Result::None;
    QString step; // the last status line
    int value = 0, maximum = 0;
    qint64 bytesSent = 0, bytesReceived = 0;
    double seconds = 0;
    int attempts = 0;
    QString reason; // why it failed, was skipped or not started

    bool succeeded() const { return result == Result::Succeeded; }
    /// "updated" or "retrieved" for a success, else what went wrong in a word or two.
    QString resultText(bool update) const;
};

/// How a fleet run starts its workers.
struct FleetOptions {
    /// The worker program (zrctl) and one board's command line; the worker
    /// prints progress lines (see ProgressLine) and ends on SIGTERM or SIGINT
    /// once its current step is done.
    QString program;
    std::function<QStringList(const QString& profile)> arguments;
    /// The address shown for a board before its worker names it.
    std::function<QString(const QString& profile)> address;
    bool update = true;
    int jobs = 8;
    /// A board that never answered is tried again this many times, after
    /// retryDelayMs, then twice that, and so on.
    int retries = 1;
    int retryDelayMs = 2000;
};

/// Runs one worker process per board, at most `jobs` at once, never two for
/// the same board (profile or address). Processes share nothing, so a board that crashes or hangs
/// takes no other board with it, and the caller's event loop stays free: the
/// command line tool and the fleet window both drive it through signals.
class FleetRun : public QObject {
    Q_OBJECT
public:
    /// Profiles named twice (in any case) run once.
    FleetRun(FleetOptions options, const QStringList& profiles, QObject* parent = nullptr);
    ~FleetRun() override;

    /// Marks a board as skipped before the run starts; it is never sent.
    void skip(const QString& profile, const QString& reason);
    void start();
    /// Starts no new board; running ones finish their current step,
    /// disconnect and end as interrupted (or as they were about to end).
    void stop();
    bool isRunning() const { return m_started && !m_finished; }
    bool isStopping() const { return m_stopping; }

    const QList<FleetBoard>& boards() const { return m_boards; }
    bool allSucceeded() const;
    int runningCount() const;

signals:
    /// A board started, reported a status line or ended.
    void boardChanged(int index);
    /// A board ended (for good: a retry does not end it).
    void boardFinished(int index);
    void finished();

private:
    struct Worker;
    void fill();
    void launch(int index);
    void readOutput(int index);
    void workerEnded(int index, int exitCode, bool crashed);
    void checkFinished();

    FleetOptions m_options;
    QList<FleetBoard> m_boards;
    QList<int> m_queue;
    std::vector<std::unique_ptr<Worker>> m_workers; // one slot per board, filled while it runs
    QList<QElapsedTimer> m_clocks;
    int m_retryPending = 0;
    bool m_started = false, m_finished = false, m_stopping = false;
};

} // namespace zr

namespace zr {

class AppPaths;

/// Where a profile's board is reached: the host given (zrctl --host), else
/// the FTP settings' host, else the profile's IP address.
QString fleetAddress(const AppPaths& paths, const QString& profile, const QString& host = QString());

/// The summary of a run: a header row (Profile, Address, Result, Seconds,
/// Bytes, Reason), then one row per board.
QList<QStringList> fleetSummary(const QList<FleetBoard>& boards, bool update);
/// The summary as CSV, every cell that needs it quoted.
QString fleetSummaryCsv(const QList<FleetBoard>& boards, bool update);

} // namespace zr
