#include "app/ProgramWindows.h"
#include "app/frmMain.h"
#include "reports/frmASCIIPad.h"
#include "reports/frmStats.h"
#include "reports/frmTrackPop.h"
#include "reports/frmTrackSuggestiveSell.h"

namespace zr {

void addReportWindows(frmMain& main) {
    main.addWindow("frmStats", [](frmMain& m) { return new frmStats(m); });
    main.addWindow("frmTrackPop", [](frmMain& m) { return new frmTrackPop(m); });
    main.addWindow("frmTrackSuggestiveSell", [](frmMain& m) { return new frmTrackSuggestiveSell(m); });
    main.addWindow("frmASCIIPad", [](frmMain& m) { return new frmASCIIPad(m); });
}

} // namespace zr
