#include "app/ProgramWindows.h"
#include "app/frmMain.h"

namespace zr {

void addDayPartWindows(frmMain& main) {
    (void)main;
}

} // namespace zr
