#include "TransferCommands.h"

#include "CliPrompts.h"
#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Routines.h"
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
};

/// Runs one command against one board; failures passed up are reported as the
/// window reports them (stderr, Exceptions.log and Ftp.log).
Outcome run(const AppPaths& paths, const QString& name, const Target& target, bool update,
            const TransferChoices& choices) {
    Outcome outcome{name, QString(), "failed"};
    if (!ProfileStore::isValidName(name) || !QFileInfo(paths.profileFolder(name)).isDir()) {
        print(stderr, "zrctl: There is no profile " + name + ".\n");
        outcome.result = "no such profile";
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

int update(const AppPaths& paths, const QStringList& names, bool efficient, bool syncTime,
           const Target& target) {
    TransferChoices choices;
    choices.type = efficient ? TransferChoices::Type::Efficient : TransferChoices::Type::Standard;
    choices.syncTime = syncTime;
    QList<Outcome> outcomes;
    for (const QString& name : names) {
        if (names.size() > 1) print(stdout, "== " + name + "\n");
        outcomes.append(run(paths, name, target, true, choices));
    }
    if (names.size() > 1) printSummary(outcomes);
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
