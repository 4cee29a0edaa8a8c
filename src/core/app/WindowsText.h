#pragma once

#include <QString>
#include <optional>

namespace zr {

/// The program keeps file text as one QChar per byte (see TextFile); the
/// board reads those bytes as Windows-1252 text. Windows and zrctl show the
/// text decoded, and what the user types goes back into those bytes.
QString shownText(const QString& bytes);

/// The bytes of a typed text. A character that Windows-1252 cannot hold has
/// no byte: ask unstorableCharacter() first, as every field that is saved does.
QString storedText(const QString& shown);

/// The first character of a typed text that Windows-1252 cannot hold, or
/// nothing when the whole text can be stored.
std::optional<QString> unstorableCharacter(const QString& shown);

} // namespace zr
