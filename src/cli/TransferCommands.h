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

/// Checks the profile before an update: prints one line per finding and a
/// summary with the bytes to send. Returns 0 clean, 7 warnings only, 8
/// errors, 1 for an unknown profile.
int check(const AppPaths& paths, const QString& name);

/// Updates each board in turn: the check first (its findings printed), then,
/// unless it found errors and force is not set, every status line as
/// "[value/maximum] text"; with more than one board a summary table follows.
/// Returns 8 when the check kept any board from being sent, else 0 when every
/// update succeeded, else 1.
int update(const AppPaths& paths, const QStringList& names, bool efficient, bool syncTime,
           const Target& target, bool force = false);

/// Retrieves the board's configuration, items and statistics into the
/// profile; only: any of "config", "menu", "statistics" (empty: all, as a
/// standard transfer). Returns 0 on success, else 1.
int retrieve(const AppPaths& paths, const QString& name, const QStringList& only, const Target& target);

} // namespace zr::TransferCommands
