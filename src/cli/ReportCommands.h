#pragma once

#include <QDate>
#include <QString>

namespace zr {
class AppPaths;
}

namespace zr::ReportCommands {

/// Prints the report of a statistics file as CSV on stdout and its problem
/// messages on stderr. Returns 0, or 6 when the file had a problem (the rows
/// read before it are printed all the same).
int print(const QString& kind, const QString& path);

/// Prints the speed-of-service summary of a pad file as text, with the day
/// parts of the profile (only read: it does not become current) or, without
/// one, the program's default start times. Returns as print() does; an
/// unknown profile raises an AppError.
int printSummary(const AppPaths& paths, const QString& path, const QString& profile);

/// Prints the speed of service of every store as CSV, a line per store as
/// soon as it is read, and the problems met on stderr. Returns as print() does.
int printFleet(const AppPaths& paths, const QDate& from, const QDate& to, int goal);

} // namespace zr::ReportCommands
