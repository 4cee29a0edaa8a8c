#include "app/ProgramWindows.h"
#include "app/frmMain.h"

namespace zr {

void addMenuWindows(frmMain& main) {
    (void)main;
}

} // namespace zr
