#pragma once

namespace zr {

class frmMain;

/// Makes every window of the program known to the main window.
void addProgramWindows(frmMain& main);

} // namespace zr
