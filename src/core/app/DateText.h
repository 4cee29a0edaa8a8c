#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace zr {

/// A date and time as the configuration keeps it. A value without a date
/// part (an invalid date) is a time of day only; time zero is midnight.
struct DateValue {
    QDate date;
    QTime time{0, 0};

    bool hasDate() const { return date.isValid(); }
    bool operator==(const DateValue&) const = default;
};

/// The general date text: "M/D/YYYY h:mm:ss AM", or only "h:mm:ss AM" when
/// there is no date part ("12:00:00 AM" for time zero).
QString generalDateText(const DateValue& value);

/// Reads the general date text, a time "h:mm:ss AM" (hours 0 to 12), or the
/// 24-hour forms "HH:MM" and "HH:MM:SS". Anything else gives nothing.
std::optional<DateValue> parseDateText(const QString& text);

/// "HH:MM" in 24-hour form, as the start times of the day parts are written.
QString hoursMinutes(const QTime& time);

} // namespace zr
