#include "TransferCommands.h"

#include "CliPrompts.h"
#include "FleetCommands.h"
#include "Interrupt.h"
#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Routines.h"
#include "check/PreflightCheck.h"
#include "comm/TransferRun.h"
#include "fleet/ProgressLine.h"
#include "model/ProfileStore.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace zr::TransferCommands {

namespace {

void write(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

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

/// Tells the user as CliPrompts does, and keeps the first message as the
/// reason a worker gives for its board.
class WorkerPrompts : public CliPrompts {
public:
    WorkerPrompts() : CliPrompts(true) {}
    void inform(const QString& title, const QString& text) override {
        if (first.isEmpty()) first = QString(text).replace("\n\n", ": ");
        CliPrompts::inform(title, text);
    }
    QString first;
};

/// One board for a fleet run: progress lines on stdout, and SIGINT or SIGTERM
/// end the command once the current step is done.
int work(const AppPaths& paths, const QString& name, const Target& target, const TransferChoices& choices) {
    Interrupt::watch();
    ProgressLine end;
    end.kind = ProgressLine::Kind::End;
    QString last;
    if (!ProfileStore::isValidName(name) || !QFileInfo(paths.profileFolder(name)).isDir()) {
        end.text = "There is no profile " + name + ".";
    } else {
        TransferTarget board;
        board.profile = name;
        board.ip = GetConfigIP(paths, name);
        board.host = target.host;
        board.port = target.port;
        // Other boards run beside this one: its control files go to a folder of its own.
        const QTemporaryDir scratch;
        board.scratchFolder = scratch.path();
        SystemClock clock;
        WorkerPrompts prompts;
        const TransferResult result =
            runTransfer(paths, prompts, clock, board, choices, [&](const QString& text, int value, int maximum) {
                if (Interrupt::requested()) throw TransferStopped();
                ProgressLine status;
                status.value = value;
                status.maximum = maximum;
                status.text = last = text;
                write(status.toLine());
            });
        end.address = result.address;
        end.bytesSent = result.bytesSent;
        end.bytesReceived = result.bytesReceived;
        if (result.stopped) {
            end.result = ProgressLine::Result::Interrupted;
            end.text = last.isEmpty() ? "Stopped before the first step." : "Stopped after: " + last;
        } else if (result.ok.value_or(false)) {
            end.result = ProgressLine::Result::Ok;
        } else if (!result.reached) {
            end.result = ProgressLine::Result::NoConnection;
            end.text = "The board at " + result.address + " did not answer.";
        } else {
            end.text = !prompts.first.isEmpty() ? prompts.first : last;
        }
    }
    write(end.toLine());
    return end.result == ProgressLine::Result::Ok ? 0 : 1;
}

/// What a worker for one of these boards is told besides the profile.
QStringList workerOptions(const Target& target) {
    QStringList options{"--progress-lines"};
    if (!target.host.isEmpty()) options << "--host" << target.host;
    if (target.port > 0) options << "--port" << QString::number(target.port);
    return options;
}

} // namespace

int check(const AppPaths& paths, const QString& name) {
    if (!profileExists(paths, name)) return 1;
    return printCheck(paths, name).exitCode();
}

int update(const AppPaths& paths, const QStringList& names, bool efficient, bool syncTime,
           const Target& target, const Fleet& fleet, bool force) {
    TransferChoices choices;
    choices.type = efficient ? TransferChoices::Type::Efficient : TransferChoices::Type::Standard;
    choices.syncTime = syncTime;
    if (fleet.progressLines) return work(paths, names.value(0), target, choices);
    if (names.size() > 1) {
        // Every board is checked before any is sent.
        QMap<QString, QString> refused;
        for (const QString& name : names)
            if (profileExists(paths, name) && printCheck(paths, name).hasErrors() && !force)
                refused.insert(name, "The check found errors. Put them right, or use --force.");
        QStringList options = workerOptions(target);
        if (efficient) options << "--efficient";
        if (!syncTime) options << "--no-time-sync";
        const int code = FleetCommands::run(paths, names, true, options, target.host, fleet, refused);
        return refused.isEmpty() ? code : 8;
    }
    const Outcome outcome = run(paths, names.value(0), target, true, choices, force);
    return outcome.refused ? 8 : outcome.ok ? 0 : 1;
}

int retrieve(const AppPaths& paths, const QStringList& names, const QStringList& only, const Target& target,
             const Fleet& fleet) {
    TransferChoices choices;
    choices.update = false;
    choices.syncTime = false;
    if (!only.isEmpty()) {
        choices.type = TransferChoices::Type::Selective;
        choices.config = only.contains("config");
        choices.menu = only.contains("menu");
        choices.statistics = only.contains("statistics");
    }
    if (fleet.progressLines) return work(paths, names.value(0), target, choices);
    if (names.size() > 1) {
        QStringList options = workerOptions(target);
        if (!only.isEmpty()) options << "--only" << only.join(',');
        return FleetCommands::run(paths, names, false, options, target.host, fleet);
    }
    const Outcome outcome = run(paths, names.value(0), target, false, choices);
    if (!outcome.ok) print(stderr, "zrctl: Retrieval from the OCB at " + outcome.address + " failed.\n");
    return outcome.ok ? 0 : 1;
}

} // namespace zr::TransferCommands
