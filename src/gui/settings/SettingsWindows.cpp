#include "app/ProgramWindows.h"
#include "app/frmMain.h"

namespace zr {

void addSettingsWindows(frmMain& main) {
    (void)main;
}

} // namespace zr
