#pragma once

#include "app/TextWidth.h"

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace zr {

/// Arial bold at the given pixel size. "Arial" resolves to Liberation Sans,
/// which has the same metrics, so widths are the same on every screen.
QFont screenFont(int pixelSize);

/// Loads a picture; a null pixmap when the file is missing or unreadable.
QPixmap loadPicture(const QString& path);

/// The order screen of the OCB without its pictures: the order lines, the
/// total bar and the place of the suggestion.
QPixmap orderScreenMockUp(QSize size);

/// A picture that stands in where no image has been chosen or loaded.
QPixmap placeholderPicture(QSize size, const QString& caption);

} // namespace zr
