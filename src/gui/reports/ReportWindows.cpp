#include "app/ChildWindowSize.h"
#include "app/ProgramWindows.h"
#include "app/frmMain.h"
#include "reports/frmASCIIPad.h"
#include "reports/frmFleetSpeed.h"
#include "reports/frmStats.h"
#include "reports/frmTrackPop.h"
#include "reports/frmTrackSuggestiveSell.h"

namespace zr {

void addReportWindows(frmMain& main) {
    main.addWindow("frmStats", [](frmMain& m) { return keepChildWindowSize(m, new frmStats(m)); });
    main.addWindow("frmTrackPop", [](frmMain& m) { return keepChildWindowSize(m, new frmTrackPop(m)); });
    main.addWindow("frmTrackSuggestiveSell",
                   [](frmMain& m) { return keepChildWindowSize(m, new frmTrackSuggestiveSell(m)); });
    main.addWindow("frmASCIIPad", [](frmMain& m) { return keepChildWindowSize(m, new frmASCIIPad(m)); });
    main.addWindow("frmFleetSpeed", [](frmMain& m) { return keepChildWindowSize(m, new frmFleetSpeed(m)); });
}

} // namespace zr
