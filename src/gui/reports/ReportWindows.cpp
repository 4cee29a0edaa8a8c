#include "app/ProgramWindows.h"
#include "app/frmMain.h"

namespace zr {

void addReportWindows(frmMain& main) {
    (void)main;
}

} // namespace zr
