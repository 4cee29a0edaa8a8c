#pragma once

#include "reports/ReportWindow.h"

namespace zr {

/// The POP tracking report: how often each POP image was shown and followed by an order.
class frmTrackPop : public ReportWindow {
    Q_OBJECT
public:
    explicit frmTrackPop(frmMain& main);

    QTreeView* Pop = nullptr;
};

} // namespace zr
