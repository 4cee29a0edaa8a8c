#pragma once

#include "draw/TextWidth.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

namespace zr {

/// Arial bold at the given pixel size. "Arial" resolves to Liberation Sans,
/// which has the same metrics, so widths are the same on every screen.
QFont screenFont(int pixelSize);

/// Loads a picture; a null image when the file is missing or unreadable.
QImage loadPicture(const QString& path);

/// The order screen of the OCB without its pictures: the order lines, the
/// total bar and the place of the suggestion.
QImage orderScreenMockUp(QSize size);

/// A picture that stands in where no image has been chosen or loaded.
QImage placeholderPicture(QSize size, const QString& caption);

} // namespace zr
