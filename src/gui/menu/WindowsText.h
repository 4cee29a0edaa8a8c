#pragma once

#include <QString>

namespace zr {

/// The program keeps file text as one QChar per byte; windows show it as
/// Windows-1252 text and turn what the user typed back into those bytes.
QString shownText(const QString& bytes);
/// The bytes of a typed text; characters that Windows-1252 cannot hold become "?".
QString storedText(const QString& shown);

} // namespace zr
