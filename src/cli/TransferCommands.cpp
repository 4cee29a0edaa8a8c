#include "TransferCommands.h"

#include "CliPrompts.h"
#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Routines.h"
#include "check/PreflightCheck.h"
#include "comm/TransferRun.h"
#include "model/ProfileStore.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace zr::TransferCommands {

namespace {

void print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, bytes.size(), stream);
    std::fflush(stream);
}

struct Outcome {
    QString profile, address, result;
    double seconds = 0;
    bool ok = false;
    bool refused = false; // the check found errors, and nothing was sent
};

bool profileExists(const AppPaths& paths, const QString& name) {
    if (ProfileStore::isValidName(name) && QFileInfo(paths.profileFolder(name)).isDir()) return true;
    print(stderr, "zrctl: There is no profile " + name + ".\n");
    return false;
}

/// Prints the check's findings, one a line, and its summary.
CheckResult printCheck(const AppPaths& paths, const QString& name) {
    const CheckResult result = checkProfile(paths, name);
    for (const Finding& finding : result.findings)
        print(stdout, CheckResult::line(finding) + '\n');
    print(stdout, name + ": " + result.summary() + '\n');
    return result;
}

/// Runs one command against one board; failures passed up are reported as the
/// window reports them (stderr, Exceptions.log and Ftp.log).
Outcome run(const AppPaths& paths, const QString& name, const Target& target, bool update,
            const TransferChoices& choices, bool force = false) {
    Outcome outcome{name, QString(), "failed"};
    if (!profileExists(paths, name)) {
        outcome.result = "no such profile";
        return outcome;
    }
    // Before an update, the check: errors keep the board from being touched at all.
    if (update && printCheck(paths, name).hasErrors() && !force) {
        print(stderr, "zrctl: " + name + " was not sent: the check found errors. Put them right, or use --force.\n");
        outcome.result = "not sent";
        outcome.refused = true;
        return outcome;
    }
    TransferTarget board;
    board.profile = name;
    board.ip = GetConfigIP(paths, name);
    board.host = target.host;
    board.port = target.port;
    SystemClock clock;
    CliPrompts prompts(true);
    QElapsedTimer took;
    took.start();
    const TransferResult result =
        runTransfer(paths, prompts, clock, board, choices, [](const QString& text, int value, int maximum) {
            print(stdout, QString("[%1/%2] %3\n").arg(value).arg(maximum).arg(text));
        });
    outcome.address = result.address;
    outcome.ok = result.ok.value_or(false);
    outcome.seconds = took.elapsed() / 1000.0;
    outcome.result = outcome.ok ? (update ? "updated" : "retrieved") : "failed";
    return outcome;
}

void printSummary(const QList<Outcome>& outcomes) {
    QList<QStringList> rows{{"Profile", "Address", "Result", "Seconds"}};
    for (const Outcome& o : outcomes)
        rows.append({o.profile, o.address, o.result, QString::number(o.seconds, 'f', 1)});
    QList<qsizetype> widths(4, 0);
    for (const QStringList& row : rows)
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    QString table = "\n";
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c)
            line += c == 3 ? row[c].rightJustified(widths[c]) : row[c].leftJustified(widths[c] + 2);
        table += line + '\n';
    }
    print(stdout, table);
}

} // namespace

int check(const AppPaths& paths, const QString& name) {
    if (!profileExists(paths, name)) return 1;
    return printCheck(paths, name).exitCode();
}

int update(const AppPaths& paths, const QStringList& names, bool efficient, bool syncTime,
           const Target& target, bool force) {
    TransferChoices choices;
    choices.type = efficient ? TransferChoices::Type::Efficient : TransferChoices::Type::Standard;
    choices.syncTime = syncTime;
    QList<Outcome> outcomes;
    for (const QString& name : names) {
        if (names.size() > 1) print(stdout, "== " + name + "\n");
        outcomes.append(run(paths, name, target, true, choices, force));
    }
    if (names.size() > 1) printSummary(outcomes);
    if (std::any_of(outcomes.cbegin(), outcomes.cend(), [](const Outcome& o) { return o.refused; })) return 8;
    return std::all_of(outcomes.cbegin(), outcomes.cend(), [](const Outcome& o) { return o.ok; }) ? 0 : 1;
}

int retrieve(const AppPaths& paths, const QString& name, const QStringList& only, const Target& target) {
    TransferChoices choices;
    choices.update = false;
    choices.syncTime = false;
    if (!only.isEmpty()) {
        choices.type = TransferChoices::Type::Selective;
        choices.config = only.contains("config");
        choices.menu = only.contains("menu");
        choices.statistics = only.contains("statistics");
    }
    const Outcome outcome = run(paths, name, target, false, choices);
    if (!outcome.ok) print(stderr, "zrctl: Retrieval from the OCB at " + outcome.address + " failed.\n");
    return outcome.ok ? 0 : 1;
}

} // namespace zr::TransferCommands
