// zrctl: the command line tool of the ZR front end, over the same core as the
// desktop program.

#include "CliPrompts.h"
#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Routines.h"
#include "model/ProfileStore.h"
#include "model/Profiles.h"

#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

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

int listProfiles(const zr::AppPaths& paths) {
    for (const QString& name : zr::ProfileStore::profileNames(paths))
        out(name + '\t' + zr::GetConfigIP(paths, name) + '\n');
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication qapp(argc, argv);
    QCoreApplication::setApplicationName("zrctl");

    CLI::App app{"zrctl - the command line tool of the ZR front end (OCB profiles and their files)"};
    std::string appDir;
    app.add_option("--app", appDir,
                   "Application folder (default: the folder of this program when writable, "
                   "otherwise the per-user data folder)");

    CLI::App* profiles = app.add_subcommand("profiles", "List the profiles: name, a TAB, IP address");
    CLI::App* use = app.add_subcommand("use", "Make a profile current, as the desktop program does");
    std::string name;
    std::string answer = "yes";
    use->add_option("NAME", name, "Profile name")->required();
    use->add_option("--answer", answer, "Answer to the missing-line question")
        ->check(CLI::IsMember({"yes", "no"}));
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
    const zr::AppPaths paths(folder);
    try {
        if (*profiles) return listProfiles(paths);
        if (*use) return useProfile(paths, QString::fromLocal8Bit(name.c_str()), answer == "yes");
    } catch (const zr::AppError& e) {
        err(e.source() + ": " + e.description());
        return Failure;
    } catch (const std::exception& e) {
        err(QString::fromLocal8Bit(e.what()));
        return Failure;
    }
    return Usage;
}
