#pragma once

#include "TransferCommands.h"

#include <QMap>

namespace zr::FleetCommands {

/// Updates (or retrieves) several boards at once, each by a zrctl of its own
/// with the worker options, and prints the summary table. On a terminal each
/// running board has a line that changes in place, with the finished boards
/// above; otherwise every status line is printed as "profile: [value/maximum]
/// text". Ctrl-C starts no new board and lets the running ones finish their
/// current step. Returns 0 when every board succeeded, else 1.
int run(const AppPaths& paths, const QStringList& names, bool update, const QStringList& workerOptions,
        const QString& host, const TransferCommands::Fleet& fleet, const QMap<QString, QString>& skipped = {});

} // namespace zr::FleetCommands
