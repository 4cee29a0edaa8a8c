#include "app/ProgramWindows.h"
#include "app/frmMain.h"
#include "menu/frmEditMenuItems.h"

namespace zr {

void addMenuWindows(frmMain& main) {
    main.addWindow("frmEditMenuItems", [](frmMain& m) { return new frmEditMenuItems(m); });
}

} // namespace zr
