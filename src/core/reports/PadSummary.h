#pragma once

#include "preview/BoardMoment.h"
#include "reports/Report.h"

#include <QTime>
#include <array>
#include <optional>

namespace zr {

/// Car count and average times of a group of cars.
struct SpeedOfService {
    enum Measure { Greet, Pad1, Pad2, Total, MeasureCount };
    QString label;
    qint64 cars = 0;
    std::array<qint64, MeasureCount> sum{};
    std::array<qint64, MeasureCount> known{};
    qint64 slower = 0; // cars whose total time is over a goal, where one is given
    /// The average in seconds over the cars whose time is known, or nothing.
    std::optional<double> average(Measure m) const;
    /// The percentage of the cars with a known total time that were slower than the goal, or nothing.
    std::optional<double> slowerShare() const;
};

/// The day part (0 Breakfast to 3 Closed) of a moment given in seconds from a
/// fixed day: the schedule of its weekday, and before the first start of the
/// day the last day part of the day before.
int dayPartOf(qint64 seconds, const ScheduleStarts& starts);

/// The speed of service of a pad summary report, overall, per day part
/// (Breakfast, Lunch, Dinner, Closed) and per hour of the day.
struct PadSummary {
    SpeedOfService overall;
    std::array<SpeedOfService, 4> dayParts;
    std::array<SpeedOfService, 24> hours;
};

/// A car is every row of one "Car #"; each of its times is the first one known
/// in its rows. The car counts in the day part and hour of its pad-1 arrival
/// (or, without one, of its pad-2 arrival); the day part comes from the
/// schedule of the arrival's weekday, and a time before the first start of
/// the day belongs to the last day part of the day before.
PadSummary summarize(const Report& padReport, const ScheduleStarts& starts);

/// The summary as a text table: the overall line, the four day parts, then
/// each hour that had cars.
QString summaryText(const PadSummary& summary);

} // namespace zr
