#include "app/ProgramWindows.h"
#include "app/frmMain.h"
#include "fleet/frmFleet.h"

namespace zr {

void addFleetWindows(frmMain& main) {
    main.addWindow("frmFleet", [](frmMain& m) { return new frmFleet(m); });
}

} // namespace zr
