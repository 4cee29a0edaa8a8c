#include "reports/frmTrackSuggestiveSell.h"

#include "reports/TrackingReport.h"

#include <QTreeView>
#include <QVBoxLayout>

namespace zr {

frmTrackSuggestiveSell::frmTrackSuggestiveSell(frmMain& main)
    : ReportWindow(main,
                   {"frmTrackSuggestiveSell", "Track Suggestive Sell", "Suggestive Sell Summary Report",
                    "SSell", "Sugg", false, Report(TrackingReport::columnNames()), &TrackingReport::read}) {
    SSell = list();
    m_body->addWidget(SSell);
}

} // namespace zr
