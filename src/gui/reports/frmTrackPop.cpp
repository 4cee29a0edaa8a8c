#include "reports/frmTrackPop.h"

#include "reports/TrackingReport.h"

#include <QTreeView>
#include <QVBoxLayout>

namespace zr {

frmTrackPop::frmTrackPop(frmMain& main)
    : ReportWindow(main, {"frmTrackPop", "Track POP", "Pop Summary Report", "Pop", "Pop", false,
                          Report(TrackingReport::columnNames()), &TrackingReport::read}) {
    Pop = list();
    m_body->addWidget(Pop);
}

} // namespace zr
