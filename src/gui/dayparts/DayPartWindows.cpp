#include "app/ProgramWindows.h"
#include "app/frmMain.h"
#include "dayparts/frmEditPOPs.h"
#include "dayparts/frmEditScheduling.h"
#include "dayparts/frmEditSuggestiveSales.h"

namespace zr {

void addDayPartWindows(frmMain& main) {
    main.addWindow("frmEditScheduling", [](frmMain& m) { return new frmEditScheduling(m); });
    main.addWindow("frmEditPOPs", [](frmMain& m) { return new frmEditPOPs(m); });
    main.addWindow("frmEditSuggestiveSales", [](frmMain& m) { return new frmEditSuggestiveSales(m); });
}

} // namespace zr
