#include "reports/frmASCIIPad.h"

#include "reports/AsciiPadReport.h"

#include <QTreeView>
#include <QVBoxLayout>

namespace zr {

frmASCIIPad::frmASCIIPad(frmMain& main)
    : ReportWindow(main, {"frmASCIIPad", "ASCII Pad Data", "ASCII Pad Summary Report", "Statistics", "", true,
                          AsciiPadReport::build({}), &AsciiPadReport::read}) {
    Statistics = list();
    m_body->addWidget(Statistics);
}

} // namespace zr
