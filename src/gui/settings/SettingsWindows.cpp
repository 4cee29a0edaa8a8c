#include "app/ProgramWindows.h"
#include "app/frmMain.h"
#include "settings/frmEditDefaultImages.h"
#include "settings/frmEditOrderScreen.h"
#include "settings/frmEditPreSellMessage.h"
#include "settings/frmGeneral.h"
#include "settings/frmPOS.h"

namespace zr {

void addSettingsWindows(frmMain& main) {
    main.addWindow("frmGeneral", [](frmMain& m) { return new frmGeneral(m); });
    main.addWindow("frmEditOrderScreen", [](frmMain& m) { return new frmEditOrderScreen(m); });
    main.addWindow("frmEditPreSellMessage", [](frmMain& m) { return new frmEditPreSellMessage(m); });
    main.addWindow("frmPOS", [](frmMain& m) { return new frmPOS(m); });
    main.addWindow("frmEditDefaultImages", [](frmMain& m) { return new frmEditDefaultImages(m); });
}

} // namespace zr
