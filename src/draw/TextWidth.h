#pragma once

#include <QFont>
#include <QString>

namespace zr {

/// Text on the OCB screens is measured in twips, 1/1440 of an inch: 15 twips
/// make one pixel at 96 dots per inch.
inline constexpr int TwipsPerPixel = 15;

/// Arial bold 9.75 pt, the font of the OCB's messages, at its pixel size of 13
/// so that a text measures the same on every screen.
QFont messageFont();

/// The width of a text in twips.
double textWidthTwips(const QString& text, const QFont& font = messageFont());

} // namespace zr
