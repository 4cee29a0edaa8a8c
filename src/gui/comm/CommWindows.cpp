#include "app/ProgramWindows.h"
#include "app/frmMain.h"
#include "comm/frmOCBComm.h"

namespace zr {

void addCommWindows(frmMain& main) {
    main.addWindow("frmOCBComm", [](frmMain& m) { return new frmOCBComm(m); });
}

} // namespace zr
