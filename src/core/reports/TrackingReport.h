#pragma once

#include "reports/Report.h"

namespace zr::TrackingReport {

/// "Record #", "Period Ending", "Graphic Name", "Display Count", "Hit Count".
QStringList columnNames();

/// Builds the POP tracking or suggestive-sell report (both files have one
/// layout): records of four text fields, shown as read after the record's
/// position in the file. Nothing is converted; the hidden value of
/// "Record #" is its number.
Report build(const QString& text);

/// Reads the file and builds its report. A missing file raises an AppError.
Report read(const QString& path);

} // namespace zr::TrackingReport
