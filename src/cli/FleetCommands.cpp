#include "FleetCommands.h"

#include "Interrupt.h"
#include "app/AppPaths.h"
#include "fleet/FleetRun.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace zr::FleetCommands {

namespace {

void print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, bytes.size(), stream);
    std::fflush(stream);
}

/// Rows as columns padded to their widest cell; numbers on the right.
QString table(const QList<QStringList>& rows, const QList<int>& rightAligned) {
    QList<qsizetype> widths;
    for (const QStringList& row : rows)
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (widths.size() <= c) widths.append(0);
            widths[c] = std::max(widths[c], row[c].size());
        }
    QString text;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0) line += "  ";
            line += rightAligned.contains(c) ? row[c].rightJustified(widths[c]) : row[c].leftJustified(widths[c]);
        }
        text += line.trimmed() + '\n';
    }
    return text;
}

/// The live lines of a run on a terminal: the block of running boards is
/// drawn again in place, finished boards go above it for good.
class TerminalView {
public:
    explicit TerminalView(const FleetRun& run, bool update) : m_run(run), m_update(update) {}
    void finished(int index) { m_done.append(index); }
    void draw() {
        QString text;
        if (m_lines > 0) text += QString("\x1b[%1F\x1b[J").arg(m_lines);
        for (int index : std::as_const(m_done)) {
            const FleetBoard& b = m_run.boards().at(index);
            text += QString("%1  %2  %3  %4 s\n")
                        .arg(b.profile, b.address, b.resultText(m_update), QString::number(b.seconds, 'f', 1));
        }
        m_done.clear();
        m_lines = 0;
        const int width = qEnvironmentVariableIntValue("COLUMNS") > 20 ? qEnvironmentVariableIntValue("COLUMNS") : 100;
        for (const FleetBoard& b : m_run.boards()) {
            if (b.state != FleetBoard::State::Running) continue;
            text += QString("%1  %2  %3  %4/%5")
                        .arg(b.profile, b.address, b.step)
                        .arg(b.value)
                        .arg(b.maximum)
                        .left(width - 1) +
                    '\n';
            ++m_lines;
        }
        print(stdout, text);
    }

private:
    const FleetRun& m_run;
    bool m_update;
    QList<int> m_done;
    int m_lines = 0;
};

} // namespace

int run(const AppPaths& paths, const QStringList& names, bool update, const QStringList& workerOptions,
        const QString& host, const TransferCommands::Fleet& fleet, const QMap<QString, QString>& skipped) {
    FleetOptions options;
    options.program = QCoreApplication::applicationFilePath();
    options.arguments = [&](const QString& profile) {
        return QStringList{"--app", paths.app(), update ? "update" : "retrieve", profile} + workerOptions;
    };
    options.address = [&](const QString& profile) { return fleetAddress(paths, profile, host); };
    options.update = update;
    options.jobs = fleet.jobs;
    options.retries = fleet.retries;
    FleetRun run(options, names);
    for (auto it = skipped.cbegin(); it != skipped.cend(); ++it)
        run.skip(it.key(), it.value());

    const bool terminal = isatty(fileno(stdout)) != 0;
    TerminalView view(run, update);
    QTimer redraw;
    QList<QString> shown(run.boards().size());
    if (terminal) {
        QObject::connect(&run, &FleetRun::boardFinished, [&](int index) { view.finished(index); });
        QObject::connect(&redraw, &QTimer::timeout, [&] { view.draw(); });
        redraw.start(200);
    } else {
        QObject::connect(&run, &FleetRun::boardChanged, [&](int index) {
            const FleetBoard& b = run.boards().at(index);
            const QString line = QString("%1: [%2/%3] %4\n").arg(b.profile).arg(b.value).arg(b.maximum).arg(b.step);
            if (b.step.isEmpty() || line == shown[index]) return;
            shown[index] = line;
            print(stdout, line);
        });
    }

    // Ctrl-C reaches the workers too (they share the terminal); stop() tells
    // them again, for a run whose own process alone was interrupted.
    Interrupt::watch();
    QTimer interrupts;
    QObject::connect(&interrupts, &QTimer::timeout, [&] {
        if (!Interrupt::requested() || run.isStopping()) return;
        print(stderr, "zrctl: Stopping: no new board starts; the running ones finish their current step.\n");
        run.stop();
    });
    interrupts.start(100);

    QObject::connect(&run, &FleetRun::finished, QCoreApplication::instance(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
    run.start();
    QCoreApplication::exec();
    redraw.stop();
    if (terminal) view.draw();

    const QList<QStringList> rows = fleetSummary(run.boards(), update);
    QList<QStringList> columns;
    for (const QStringList& row : rows)
        columns.append(row.mid(0, 5));
    QString summary = '\n' + table(columns, {3, 4});
    for (qsizetype i = 1; i < rows.size(); ++i)
        if (!rows[i][5].isEmpty()) summary += rows[i][0] + ": " + rows[i][5] + '\n';
    print(stdout, summary);

    if (!fleet.report.isEmpty()) {
        QSaveFile file(fleet.report);
        if (!file.open(QIODevice::WriteOnly) || file.write(fleetSummaryCsv(run.boards(), update).toUtf8()) < 0 ||
            !file.commit()) {
            print(stderr, "zrctl: Cannot write the report " + fleet.report + ": " + file.errorString() + "\n");
            return 1;
        }
    }
    return run.allSucceeded() ? 0 : 1;
}

} // namespace zr::FleetCommands
