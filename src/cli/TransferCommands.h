#pragma once

#include <QString>
#include <QStringList>

namespace zr {
class AppPaths;
}

namespace zr::TransferCommands {

/// Where to reach the boards: empty host and port 0 take the FTP component
/// settings, and an empty host there takes each profile's IP address.
struct Target {
    QString host;
    int port = 0;
};

/// How more than one board runs: `jobs` boards at once, each by a zrctl of
/// its own (see FleetCommands.h). progressLines: this zrctl is such a worker
/// for one board and prints progress lines instead of status lines.
struct Fleet {
    int jobs = 8;
    int retries = 1;
    QString report; // a CSV copy of the summary, when named
    bool progressLines = false;
};

/// Checks the profile before an update: prints one line per finding and a
/// summary with the bytes to send. Returns 0 clean, 7 warnings only, 8
/// errors, 1 for an unknown profile.
int check(const AppPaths& paths, const QString& name);

/// Updates the boards: the check of every board first (its findings printed;
/// a board with errors is not sent unless force is set), then one board alone
/// printing every status line as "[value/maximum] text", more than one as a
/// fleet run with a summary table. Returns 8 when the check kept any board
/// from being sent, else 0 when every update succeeded, else 1.
int update(const AppPaths& paths, const QStringList& names, bool efficient, bool syncTime,
           const Target& target, const Fleet& fleet, bool force = false);

/// Retrieves the boards' configuration, items and statistics into their
/// profiles; only: any of "config", "menu", "statistics" (empty: all, as a
/// standard transfer). Returns 0 when every retrieve succeeded, else 1.
int retrieve(const AppPaths& paths, const QStringList& names, const QStringList& only, const Target& target,
             const Fleet& fleet);

} // namespace zr::TransferCommands
