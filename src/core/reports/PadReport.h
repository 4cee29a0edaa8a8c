#pragma once

#include "reports/Report.h"

namespace zr::PadReport {

enum Column {
    Index,
    Car,
    Check,
    OnPad1,
    GreetTime,
    OffPad1,
    Pad1Time,
    OrderTotal,
    StartTime,
    FinishTime,
    OnPad2,
    TenderTotal,
    TenderTime,
    TotalDifference,
    OffPad2,
    Pad2Time,
    TotalTime,
    ColumnCount
};

/// "Index", "Car #", ... "Total Time": the 17 columns of the pad summary report.
QStringList columnNames();

/// Builds the pad summary report from a pad statistics text: records of seven
/// fields (kind, check number, on pad, off pad, start, finish, cents). Pad-1
/// records (kind 1) start rows; pad-2 records (kind 2) complete the row of
/// their check number, or start a row of their own; other kinds are skipped.
///
/// Hidden values: seconds in the duration columns, cents in the money columns,
/// the car's pad-1 arrival (seconds from a fixed day) beside "On Pad1", the
/// last pad-2 arrival beside "On Pad2", the numbers beside "Index", "Car #"
/// and "Check #". Blank lines at the end of the text are dropped, as they are
/// from a file.
Report build(const QString& text);

/// Reads the file a piece at a time and builds its report. A missing file raises an AppError.
Report read(const QString& path);

} // namespace zr::PadReport
