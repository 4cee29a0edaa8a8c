// zrctl: the command line tool of the ZR front end, over the same core as the
// desktop program.

#include "CliPrompts.h"
#include "ItemsCommands.h"
#include "PreviewCommand.h"
#include "ReportCommands.h"
#include "TransferCommands.h"
#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/FrontEndSettings.h"
#include "app/Routines.h"
#include "comm/TransferRecord.h"
#include "model/ProfileStore.h"
#include "model/Profiles.h"
#include "profiles/ProfileArchive.h"
#include "profiles/ProfileOps.h"

#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#ifdef ZR_WITH_DRAW
#include <QGuiApplication>
#endif
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

enum Exit { Ok = 0, Failure = 1, Usage = 2, Declined = 3 };

void out(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
}

void err(const QString& text) {
    const QByteArray bytes = ("zrctl: " + text + "\n").toLocal8Bit();
    std::fwrite(bytes.constData(), 1, bytes.size(), stderr);
}

/// "update failed 2026-12-05 08:05:26: the first error"
QString resultText(const zr::TransferEntry& e) {
    return zr::TransferRecord::kindText(e.kind) + ' ' + zr::TransferRecord::resultText(e.result) + ' ' +
           zr::TransferRecord::timeText(e.end) + (e.error.isEmpty() ? QString() : ": " + e.error);
}

int listProfiles(const zr::AppPaths& paths, bool details) {
    for (const QString& name : zr::ProfileStore::profileNames(paths)) {
        QString line = name + '\t' + zr::GetConfigIP(paths, name);
        if (details) {
            const zr::TransferHistory h = zr::TransferRecord::history(paths, name);
            const auto when = [](const std::optional<zr::TransferEntry>& e) {
                return e ? zr::TransferRecord::timeText(e->end) : QStringLiteral("never");
            };
            line += '\t' + when(h.lastUpdate) + '\t' + when(h.lastRetrieve) + '\t' +
                    (h.last ? resultText(*h.last) : QStringLiteral("none"));
        }
        out(line + '\n');
    }
    return Ok;
}

int useProfile(const zr::AppPaths& paths, const QString& name, bool answerYes) {
    zr::SystemClock clock;
    zr::CliPrompts prompts(answerYes);
    zr::Profiles profile(paths, clock, prompts);
    try {
        profile.setID(name);
    } catch (const zr::LoadCancelled&) {
        return Declined;
    }
    // As closing the program does: remember the profile and save it.
    zr::ProfileStore::SaveProfileList(paths, profile.ID());
    profile.SaveProfile();
    return Ok;
}

QString text(const std::string& s) {
    return QString::fromLocal8Bit(s.c_str());
}

int newProfile(const zr::AppPaths& paths, const QString& name, const QString& ip) {
    if (const auto problem = zr::ProfileOps::validateNewProfile(paths, name, ip.split('.'))) {
        err(problem->message);
        return Failure;
    }
    zr::SystemClock clock;
    zr::CliPrompts prompts(true);
    zr::Profiles profile(paths, clock, prompts);
    zr::ProfileOps::createProfile(profile, name, ip);
    return Ok;
}

int renameProfile(const zr::AppPaths& paths, const QString& oldName, const QString& newName) {
    const std::optional<QString> current = zr::ProfileStore::currentProfile(paths);
    const QString oldOnDisk = QFileInfo(paths.profileFolder(oldName)).fileName();
    const QString renamed = zr::ProfileOps::renameProfile(paths, oldName, newName);
    if (current && current->compare(oldOnDisk, Qt::CaseInsensitive) == 0)
        zr::ProfileStore::SaveProfileList(paths, renamed);
    out(renamed + '\n');
    return Ok;
}

int deleteProfile(const zr::AppPaths& paths, const QString& name) {
    if (!zr::ProfileStore::isValidName(name) || !QFileInfo(paths.profileFolder(name)).isDir()) {
        err("There is no profile " + name + ".");
        return Failure;
    }
    zr::ProfileOps::deleteProfile(paths, name);
    return Ok;
}

int backUp(const zr::AppPaths& paths, const std::vector<std::string>& names, const QString& folder) {
    if (zr::ProfileOps::isBackupTargetRefused(paths, folder)) {
        err(zr::ProfileOps::BackupTargetRefused);
        return Failure;
    }
    // Each profile gets its own archive; one that fails does not stop the others.
    int result = Ok;
    for (const std::string& name : names) {
        try {
            out(zr::ProfileOps::backUpProfile(paths, text(name), folder) + '\n');
        } catch (const zr::AppError& e) {
            err(e.source() + ": " + e.description());
            result = Failure;
        }
    }
    return result;
}

int restoreArchive(const zr::AppPaths& paths, const QString& archive, bool answerYes) {
    zr::CliPrompts prompts(answerYes);
    for (const QString& name : zr::ProfileOps::restoreProfiles(paths, archive, prompts))
        out(name + '\n');
    return Ok;
}

} // namespace

int main(int argc, char** argv) {
    // Drawing needs Qt Gui, without a display: only preview --png gets it.
    std::unique_ptr<QCoreApplication> qapp;
#ifdef ZR_WITH_DRAW
    if (zr::PreviewCommand::wantsDrawing(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // The offscreen platform's notices (no runtime folder and the like) are
        // no concern of the command's; its own messages still reach stderr.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
        });
        qapp = std::make_unique<QGuiApplication>(argc, argv);
    }
#endif
    if (!qapp) qapp = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName("zrctl");

    CLI::App app{"zrctl - the command line tool of the ZR front end (OCB profiles and their files)"};
    app.set_version_flag("--version", "zrctl " ZR_VERSION, "Print the version and exit");
    app.set_help_all_flag("--help-all", "Print the help of every command and exit");
    std::string appDir;
    app.add_option("--app", appDir,
                   "Application folder (default: the folder of this program when it is writable and "
                   "not installed, otherwise the per-user data folder ~/.local/share/ZRFrontEnd)");

    CLI::App* profiles = app.add_subcommand("profiles", "List the profiles: name, a TAB, IP address");
    bool longList = false;
    profiles->add_flag("--long", longList,
                       "Add the last successful update, the last successful retrieve and the last "
                       "result, from each profile's Log/Transfers.csv (TAB-separated)");
    CLI::App* use = app.add_subcommand("use", "Make a profile current, as the desktop program does");
    std::string name;
    std::string answer = "yes";
    use->add_option("NAME", name, "Profile name")->required();
    use->add_option("--answer", answer, "Answer to the missing-line question")
        ->check(CLI::IsMember({"yes", "no"}));

    CLI::App* newCmd = app.add_subcommand("new", "Create a profile for a board");
    std::string newName, ip;
    newCmd->add_option("NAME", newName, "Profile name")->required();
    newCmd->add_option("--ip", ip, "IP address of the board, A.B.C.D")
        ->required()
        ->check(CLI::Validator(
            [](const std::string& value) {
                return std::count(value.begin(), value.end(), '.') == 3 ? std::string()
                                                                        : "the address must have four parts";
            },
            "A.B.C.D"));

    CLI::App* renameCmd = app.add_subcommand("rename", "Rename a profile");
    std::string oldName, renamedTo;
    renameCmd->add_option("OLD", oldName, "Profile name")->required();
    renameCmd->add_option("NEW", renamedTo, "New name")->required();

    CLI::App* deleteCmd = app.add_subcommand("delete", "Delete a profile with all its files");
    std::string deleted;
    deleteCmd->add_option("NAME", deleted, "Profile name")->required();

    CLI::App* copyCmd =
        app.add_subcommand("copy", "Copy the configuration and items of one profile to another");
    std::string source, target;
    copyCmd->add_option("SOURCE", source, "Profile to copy from")->required();
    copyCmd->add_option("TARGET", target, "Profile to copy to")->required();

    CLI::App* backupCmd = app.add_subcommand("backup", "Back up profiles, one NAME.zrp archive each");
    std::vector<std::string> backedUp;
    std::string backupFolder;
    backupCmd->add_option("NAME", backedUp, "Profile names")->required();
    backupCmd->add_option("--to", backupFolder, "Folder for the archives")->required();

    CLI::App* restoreCmd = app.add_subcommand("restore", "Restore the profiles of a backup archive");
    std::string archive;
    std::string replace = "yes";
    restoreCmd->add_option("ARCHIVE", archive, "Backup archive (.zrp)")->required();
    restoreCmd
        ->add_option("--answer", replace, "Answer to the question whether to replace an existing profile")
        ->check(CLI::IsMember({"yes", "no"}));

    CLI::App* reportCmd = app.add_subcommand("report", "Print a statistics report as CSV");
    std::string reportKind, reportFile;
    reportCmd->add_option("KIND", reportKind, "pad, ascii-pad, pop, sugg, or fleet for every store's pad files")
        ->required()
        ->check(CLI::IsMember({"pad", "ascii-pad", "pop", "sugg", "fleet"}));
    reportCmd->add_option("FILE", reportFile, "Statistics file (not for fleet)");
    std::string fleetFrom, fleetTo;
    int fleetGoal = 0;
    reportCmd->add_option("--from", fleetFrom, "fleet only: first day counted, YYYY-MM-DD");
    reportCmd->add_option("--to", fleetTo, "fleet only: last day counted, YYYY-MM-DD");
    reportCmd->add_option("--goal", fleetGoal, "fleet only: goal for the total time in seconds (default: zr.ini's)")
        ->check(CLI::Range(1, zr::FrontEndSettings::LongestTotalTimeGoal));
    bool reportSummary = false;
    std::string reportProfile;
    reportCmd->add_flag("--summary", reportSummary, "pad only: print the speed-of-service summary as text");
    reportCmd->add_option("--profile", reportProfile, "Profile whose day parts the summary uses");

    CLI::App* itemsCmd = app.add_subcommand("items", "Work on a profile's items file (the menu)");
    CLI::App* itemsShow = itemsCmd->add_subcommand(
        "show", "Load the items file as the menu editor does; print its rows as CSV");
    CLI::App* itemsCheck = itemsCmd->add_subcommand("check", "Check every line of the items file");
    std::string itemsProfile;
    itemsShow->add_option("NAME", itemsProfile, "Profile name")->required();
    itemsCheck->add_option("NAME", itemsProfile, "Profile name")->required();
    itemsCmd->require_subcommand(1, 1);

    CLI::App* checkCmd = app.add_subcommand(
        "check", "Check what an update would send; exit 0 clean, 7 warnings only, 8 errors");
    std::string checked;
    checkCmd->add_option("NAME", checked, "Profile name")->required();

    CLI::App* updateCmd = app.add_subcommand("update", "Update boards with their profiles over FTP");
    std::vector<std::string> updated;
    bool updateAll = false, efficient = false, noTimeSync = false, force = false;
    std::string host, report;
    int port = 0;
    zr::TransferCommands::Fleet fleet;
    updateCmd->add_option("NAME", updated, "Profile names");
    updateCmd->add_flag("--all", updateAll, "Every profile");
    updateCmd->add_flag("--efficient", efficient, "Send only the images the board lacks");
    updateCmd->add_flag("--no-time-sync", noTimeSync, "Do not send the PC's time as the board's local time");
    updateCmd->add_flag("--force", force, "Send even when the check finds errors");
    CLI::App* retrieveCmd = app.add_subcommand(
        "retrieve", "Fetch a board's configuration, items and statistics into its profile");
    std::vector<std::string> retrieved;
    bool retrieveAll = false;
    std::vector<std::string> only;
    retrieveCmd->add_option("NAME", retrieved, "Profile names");
    retrieveCmd->add_flag("--all", retrieveAll, "Every profile");
    retrieveCmd->add_option("--only", only, "Fetch only these: config, menu, statistics")
        ->delimiter(',')
        ->check(CLI::IsMember({"config", "menu", "statistics"}));
    for (CLI::App* command : {updateCmd, retrieveCmd}) {
        command->add_option("--host", host, "Address of the board (default: the profile's IP address)");
        command->add_option("--port", port, "FTP port of the board (default: the FTP settings, 21)")
            ->check(CLI::Range(1, 65535));
        command->add_option("--jobs", fleet.jobs, "With several boards: how many run at once (default 8)")
            ->check(CLI::Range(1, 64));
        command->add_option("--retries", fleet.retries,
                            "With several boards: tries again a board that did not answer, this many "
                            "times, waiting longer each time (default 1)")
            ->check(CLI::Range(0, 10));
        command->add_option("--report", report, "With several boards: also write the summary to this CSV file");
        // The fleet's own workers: one board, progress lines instead of status lines.
        command->add_flag("--progress-lines", fleet.progressLines)->group("");
    }

    CLI::App* previewCmd =
        app.add_subcommand("preview", "Show what a profile's board shows at a moment of the week (reads only)");
    zr::PreviewCommand::Options preview;
    std::string previewName, previewAt, previewOrder, previewState = "idle", previewPng, previewSize;
    previewCmd->add_option("NAME", previewName, "Profile name")->required();
    previewCmd->add_option("--at", previewAt, "Weekday and 24-hour time: \"fri 11:30\" or \"fri 11:30:15\"")
        ->required();
    CLI::Option* orderOption = previewCmd->add_option(
        "--order", previewOrder, "Short descriptors of the items ordered, separated by commas (default: the first entree)");
    previewCmd->add_option("--state", previewState, "Screen to draw: idle, order or total")
        ->check(CLI::IsMember({"idle", "order", "total"}));
    previewCmd->add_option("--png", previewPng, "Write the drawing of the board to this PNG file");
    previewCmd->add_option("--size", previewSize, "Size of the drawing, WIDTHxHEIGHT (default: the board's)");

    app.require_subcommand(1, 1);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? Ok : Usage;
    }

    const QString folder = appDir.empty()
                               ? zr::AppPaths::defaultAppFolder(QCoreApplication::applicationDirPath())
                               : QDir(QString::fromLocal8Bit(appDir.c_str())).absolutePath();
    const zr::AppPaths paths(folder, QCoreApplication::applicationDirPath());
    try {
        if (*profiles) return listProfiles(paths, longList);
        if (*use) return useProfile(paths, text(name), answer == "yes");
        if (*newCmd) return newProfile(paths, text(newName), text(ip));
        if (*renameCmd) return renameProfile(paths, text(oldName), text(renamedTo));
        if (*deleteCmd) return deleteProfile(paths, text(deleted));
        if (*copyCmd) {
            zr::ProfileOps::copySettings(paths, text(source), text(target));
            return Ok;
        }
        if (*backupCmd) return backUp(paths, backedUp, QDir(text(backupFolder)).absolutePath());
        if (*restoreCmd) return restoreArchive(paths, QDir(text(archive)).absolutePath(), replace == "yes");
        if (*previewCmd) {
            preview.profile = text(previewName);
            preview.at = text(previewAt);
            preview.orderGiven = orderOption->count() > 0;
            if (preview.orderGiven) preview.order = text(previewOrder).split(',');
            preview.state = text(previewState);
            preview.png = previewPng.empty() ? QString() : QDir(text(previewPng)).absolutePath();
            preview.size = text(previewSize);
            return zr::PreviewCommand::run(paths, preview);
        }
        if (*itemsShow) return zr::ItemsCommands::show(paths, text(itemsProfile));
        if (*itemsCheck) return zr::ItemsCommands::check(paths, text(itemsProfile));
        if (*reportCmd && reportKind == "fleet") {
            if (!reportFile.empty()) {
                err("The fleet report reads every profile's pad files; it takes no FILE.");
                return Usage;
            }
            std::optional<QDate> dates[2];
            const std::string* given[2] = {&fleetFrom, &fleetTo};
            for (int i = 0; i < 2; ++i) {
                if (given[i]->empty()) continue;
                dates[i] = QDate::fromString(text(*given[i]), Qt::ISODate);
                if (!dates[i]->isValid() || given[i]->size() != 10) {
                    err(QStringLiteral("--%1 \"%2\" is not a date: give it as YYYY-MM-DD, such as 2026-12-01.")
                            .arg(i == 0 ? "from" : "to", text(*given[i])));
                    return Failure;
                }
            }
            if (dates[0] && dates[1] && *dates[0] > *dates[1]) {
                err("--from " + text(fleetFrom) + " is after --to " + text(fleetTo) + ".");
                return Failure;
            }
            const int goal = fleetGoal > 0 ? fleetGoal : zr::FrontEndSettings::TotalTimeGoal(paths);
            return zr::ReportCommands::printFleet(paths, dates[0].value_or(QDate()), dates[1].value_or(QDate()),
                                                  goal);
        }
        if (*reportCmd && (!fleetFrom.empty() || !fleetTo.empty() || fleetGoal > 0)) {
            err("--from, --to and --goal are for the fleet report only.");
            return Usage;
        }
        if (*reportCmd && reportFile.empty()) {
            err("Name the statistics file: zrctl report KIND FILE. Run with --help or --help-all for more information.");
            return Usage;
        }
        if (*reportCmd && reportSummary) {
            if (reportKind != "pad") {
                err("--summary is for pad reports only");
                return Usage;
            }
            return zr::ReportCommands::printSummary(paths, text(reportFile), text(reportProfile));
        }
        if (*reportCmd) return zr::ReportCommands::print(text(reportKind), text(reportFile));
        if (*checkCmd) return zr::TransferCommands::check(paths, text(checked));
        if (*updateCmd || *retrieveCmd) {
            const zr::TransferCommands::Target target{text(host), port};
            if (!report.empty()) fleet.report = QDir(text(report)).absolutePath();
            const bool all = *retrieveCmd ? retrieveAll : updateAll;
            QStringList names;
            if (all) names = zr::ProfileStore::profileNames(paths);
            for (const std::string& n : *retrieveCmd ? retrieved : updated)
                if (!names.contains(text(n), Qt::CaseInsensitive)) names.append(text(n));
            if (names.isEmpty()) {
                err(all ? "There are no profiles." : "Name a profile, or use --all.");
                return all ? Failure : Usage;
            }
            if (fleet.progressLines && names.size() != 1) {
                err("--progress-lines takes one board.");
                return Usage;
            }
            if (*retrieveCmd) {
                QStringList parts;
                for (const std::string& part : only)
                    parts.append(text(part));
                return zr::TransferCommands::retrieve(paths, names, parts, target, fleet);
            }
            return zr::TransferCommands::update(paths, names, efficient, !noTimeSync, target, fleet, force);
        }
    } catch (const zr::AppError& e) {
        err(e.source() + ": " + e.description());
        return Failure;
    } catch (const std::exception& e) {
        err(QString::fromLocal8Bit(e.what()));
        return Failure;
    }
    return Usage;
}
