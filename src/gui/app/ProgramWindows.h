#pragma once

namespace zr {

class frmMain;

/// Makes every window of the program known to the main window.
void addProgramWindows(frmMain& main);

// Each area of the program registers its own windows.
void addMenuWindows(frmMain& main);
void addDayPartWindows(frmMain& main);
void addSettingsWindows(frmMain& main);
void addReportWindows(frmMain& main);
void addCommWindows(frmMain& main);
void addFleetWindows(frmMain& main);

} // namespace zr
