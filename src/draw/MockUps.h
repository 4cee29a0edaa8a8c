#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

namespace zr {

// Pictures that the settings windows and the board preview draw for themselves.

/// The OCB as it stands, upright or turned on its side, with its screen.
QImage orientationPicture(bool landscape);
/// The empty order screen: heading, columns and the total bar.
QImage orderScreenPicture(const QSize& size);
/// A sample product shot for the order screen.
QImage itemPicture(const QSize& size);
/// The OCB's screen background: dark blue, lighter at the top.
void drawScreen(QPainter& p, const QRectF& screen);

} // namespace zr
