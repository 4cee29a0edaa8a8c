#pragma once

#include "reports/ReportWindow.h"

namespace zr {

/// The suggestive sell summary: how often each suggestion was shown and followed by a sale.
class frmTrackSuggestiveSell : public ReportWindow {
    Q_OBJECT
public:
    explicit frmTrackSuggestiveSell(frmMain& main);

    QTreeView* SSell = nullptr;
};

} // namespace zr
