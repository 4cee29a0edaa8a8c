#pragma once

#include <QIcon>

namespace zr {

/// The toolbar's icons, drawn by the program at every size asked, so they stay sharp on any screen.
QIcon toolIcon(const QString& key);

} // namespace zr
