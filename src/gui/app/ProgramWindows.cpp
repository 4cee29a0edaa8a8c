#include "app/ProgramWindows.h"

#include "app/ChildWindowSize.h"
#include "app/frmMain.h"
#include "preview/frmBoardPreview.h"
#include "profiles/frmEditProfiles.h"
#include "profiles/frmNewProfile.h"
#include "profiles/frmViewConf.h"

namespace zr {

void addProgramWindows(frmMain& main) {
    main.addWindow("frmEditProfiles", [](frmMain& m) { return new frmEditProfiles(m); });
    main.addWindow("frmViewConf", [](frmMain& m) { return keepChildWindowSize(m, new frmViewConf(m)); });
    main.addWindow("frmBoardPreview",
                   [](frmMain& m) { return keepChildWindowSize(m, new frmBoardPreview(m)); });
    addMenuWindows(main);
    addDayPartWindows(main);
    addSettingsWindows(main);
    addReportWindows(main);
    addCommWindows(main);
    addFleetWindows(main);
    main.setFirstProfileFactory([](frmMain& m) { return frmNewProfile(m).CreateFirstProfile(false); });
}

} // namespace zr
