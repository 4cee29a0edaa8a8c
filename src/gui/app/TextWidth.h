#pragma once

#include "draw/TextWidth.h"

#include <QString>
#include <functional>

class QLineEdit;

namespace zr {

class frmMain;

/// Keeps what the user types into a field within a limit: when an edit makes
/// the text break the limit, the message is shown once and characters are
/// taken off the end of the text until it keeps the limit again.
void limitTyping(frmMain& main, QLineEdit* field, const QString& source, const QString& message,
                 std::function<bool(const QString&)> fits);

/// A limit of a width in twips, in the font of the OCB's messages.
std::function<bool(const QString&)> widthLimit(double maxTwips);

} // namespace zr
