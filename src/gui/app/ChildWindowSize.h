#pragma once

class QWidget;

namespace zr {

class frmMain;

/// Opens a child window of the main window at the size the user last gave it,
/// which zr.ini keeps under the window's name, or else at the size its content
/// asks for; either way within the main window's MDI area. A size the user
/// gives the window is kept when it closes; until then zr.ini is not touched.
/// Returns the window, so that a window factory can hand it on.
QWidget* keepChildWindowSize(frmMain& main, QWidget* window);

} // namespace zr
