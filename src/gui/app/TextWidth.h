#pragma once

#include <QFont>
#include <QString>
#include <functional>

class QLineEdit;

namespace zr {

class frmMain;

/// Text on the OCB screens is measured in twips, 1/1440 of an inch: 15 twips
/// make one pixel at 96 dots per inch.
inline constexpr int TwipsPerPixel = 15;

/// Arial bold 9.75 pt, the font of the OCB's messages, at its pixel size of 13
/// so that a text measures the same on every screen.
QFont messageFont();

/// The width of a text in twips.
double textWidthTwips(const QString& text, const QFont& font = messageFont());

/// Keeps what the user types into a field within a limit: when an edit makes
/// the text break the limit, the message is shown once and characters are
/// taken off the end of the text until it keeps the limit again.
void limitTyping(frmMain& main, QLineEdit* field, const QString& source, const QString& message,
                 std::function<bool(const QString&)> fits);

/// A limit of a width in twips, in the font of the OCB's messages.
std::function<bool(const QString&)> widthLimit(double maxTwips);

} // namespace zr
