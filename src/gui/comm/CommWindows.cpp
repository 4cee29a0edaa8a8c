#include "app/ProgramWindows.h"
#include "app/frmMain.h"

namespace zr {

void addCommWindows(frmMain& main) {
    (void)main;
}

} // namespace zr
