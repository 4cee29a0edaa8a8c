#pragma once

#include "reports/Report.h"

namespace zr::AsciiPadReport {

enum Column { Car, OnPad, OffPad, StartTime, FinishTime, OrderTotal, ColumnCount };

/// "Car #", "On Pad", "Off Pad", "Start Time", "Finish Time", "Order Total".
QStringList columnNames();

/// Builds the ASCII pad report: records of six fields (car number, on pad,
/// off pad, start, finish, cents), one row each, times shown as read.
/// Hidden values: the car number, and the cents of "Order Total".
Report build(const QString& text);

/// Reads the file and builds its report. A missing file raises an AppError.
Report read(const QString& path);

} // namespace zr::AsciiPadReport
