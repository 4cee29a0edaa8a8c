#pragma once

#include "reports/ReportWindow.h"

namespace zr {

/// The ASCII pad data report: one row per car with its pad times and order total.
class frmASCIIPad : public ReportWindow {
    Q_OBJECT
public:
    explicit frmASCIIPad(frmMain& main);

    QTreeView* Statistics = nullptr;
};

} // namespace zr
