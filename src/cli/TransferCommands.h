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

/// Updates each board in turn, printing every status line as
/// "[value/maximum] text"; with more than one board a summary table follows.
/// Returns 0 when every update succeeded, else 1.
int update(const AppPaths& paths, const QStringList& names, bool efficient, bool syncTime,
           const Target& target);

/// Retrieves the board's configuration, items and statistics into the
/// profile; only: any of "config", "menu", "statistics" (empty: all, as a
/// standard transfer). Returns 0 on success, else 1.
int retrieve(const AppPaths& paths, const QString& name, const QStringList& only, const Target& target);

} // namespace zr::TransferCommands
