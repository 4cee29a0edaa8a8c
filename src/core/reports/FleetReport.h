#pragma once

#include "reports/PadSummary.h"

#include <QDate>
#include <functional>

namespace zr {

class AppPaths;
class Prompts;

namespace FleetReport {

/// Which cars count, and the goal for their total time.
struct Options {
    QDate from; // invalid: no lower bound
    QDate to;   // invalid: no upper bound
    qint64 goal = 180;
    bool dated() const { return from.isValid() || to.isValid(); }
};

/// The speed of service of one store (profile) over all its pad files:
/// overall and per day part of its own schedules.
struct Store {
    QString name;
    int files = 0;
    SpeedOfService overall;
    std::array<SpeedOfService, 4> dayParts;
};

/// Sums one store's pad files as they are read, a record at a time. The cars
/// are those of the pad summary report: every row of one "Car #", each time
/// the first one known in its rows, counted in the day part of its arrival.
/// With a date range, a car counts when the date of its arrival lies in it;
/// a car without an arrival time then does not count.
///
/// What it keeps while a file is read: one entry per check row of that file
/// and the cars still waiting for a pickup; all of it goes when the file ends.
class StoreReader {
public:
    StoreReader(QString name, const ScheduleStarts& starts, const Options& options);

    /// Adds the cars of one pad file (text pad records, fetched or converted).
    /// Returns the file's problem messages; the records before a problem count.
    QStringList addFile(const QString& path);

    const Store& store() const { return m_store; }

private:
    struct FileState;
    void finish(FileState& file, qint64 car);

    Store m_store;
    ScheduleStarts m_starts;
    Options m_options;
};

/// The pad files of a profile's Stats/Pad folder: "*.txt" and "*.pad", sorted by name.
QStringList padFiles(const AppPaths& paths, const QString& profile);

/// Reads every profile's pad files, one store after the other, and hands
/// each store on when it is read. Each profile's day parts come from its
/// zr.conf (read only); a profile that cannot be read keeps the default day
/// parts. Returns the problems met, each with its store and file.
QStringList read(const AppPaths& paths, Prompts& prompts, const Options& options,
                 const std::function<void(const Store&)>& onStore);

/// "Store", "Files", then "Cars", "Greet", "Pad1", "Pad2", "Total", "Over Goal %"
/// overall, then the same six for each day part, named "Breakfast Cars" and so on.
QStringList columnNames();

/// One store as a report row: averages in seconds and the share in percent
/// with one decimal (empty when no car has the time); hidden values in tenths.
void addRow(Report& report, const Store& store);

/// An empty report with the columns above.
Report emptyReport();

} // namespace FleetReport
} // namespace zr
