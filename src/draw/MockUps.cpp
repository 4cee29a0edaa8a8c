#include "draw/MockUps.h"

#include <QLinearGradient>
#include <QPainter>

namespace zr {

namespace {

const QColor Housing(48, 52, 60);
const QColor ScreenTop(18, 44, 102);
const QColor ScreenBottom(8, 20, 52);

} // namespace

void drawScreen(QPainter& p, const QRectF& screen) {
    QLinearGradient fill(screen.topLeft(), screen.bottomLeft());
    fill.setColorAt(0, ScreenTop);
    fill.setColorAt(1, ScreenBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRect(screen);
}

QImage orientationPicture(bool landscape) {
    const QSize size = landscape ? QSize(112, 84) : QSize(84, 112);
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(6, 6, -6, -6);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Housing);
    p.drawRoundedRect(body, 5, 5);
    const QRectF screen = body.adjusted(6, 6, -6, -14);
    drawScreen(p, screen);
    // A few order lines and the total bar, so that the turn is plain to see.
    p.setBrush(QColor(230, 230, 230));
    const double line = screen.height() / 9;
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(screen.left() + 5, screen.top() + line * (1.2 + 1.4 * i), screen.width() * 0.55,
                          line * 0.6));
    p.setBrush(QColor(250, 200, 40));
    p.drawRect(QRectF(screen.left(), screen.bottom() - line * 1.6, screen.width(), line * 1.2));
    p.setBrush(QColor(120, 200, 90));
    p.drawEllipse(QPointF(body.center().x(), body.bottom() - 7), 2.5, 2.5);
    return picture;
}

QImage orderScreenPicture(const QSize& size) {
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&picture);
    const QRectF all(QPointF(0, 0), QSizeF(size));
    drawScreen(p, all);
    p.setBrush(QColor(200, 30, 40));
    p.drawRect(QRectF(0, 0, size.width(), size.height() * 0.1));
    QFont heading("Arial");
    heading.setBold(true);
    heading.setPixelSize(qMax(10, size.height() / 20));
    p.setFont(heading);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, size.width(), size.height() * 0.1), Qt::AlignCenter, "YOUR ORDER");
    p.setPen(QPen(QColor(255, 255, 255, 60), 1, Qt::DotLine));
    for (int i = 1; i <= 3; ++i) {
        const double y = size.height() * (0.1 + 0.09 * i);
        p.drawLine(QPointF(8, y), QPointF(size.width() - 8, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 40));
    p.drawRect(QRectF(0, size.height() * 0.82, size.width(), size.height() * 0.08));
    return picture;
}

QImage itemPicture(const QSize& size) {
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(250, 244, 230));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const double w = size.width(), h = size.height();
    const QRectF bun(w * 0.12, h * 0.18, w * 0.76, h * 0.42);
    p.setBrush(QColor(214, 150, 64));
    p.drawChord(bun, 0, 180 * 16);
    p.setBrush(QColor(90, 160, 60));
    p.drawRect(QRectF(w * 0.1, h * 0.4, w * 0.8, h * 0.07));
    p.setBrush(QColor(110, 60, 30));
    p.drawRoundedRect(QRectF(w * 0.12, h * 0.47, w * 0.76, h * 0.13), 4, 4);
    p.setBrush(QColor(214, 150, 64));
    p.drawRoundedRect(QRectF(w * 0.12, h * 0.62, w * 0.76, h * 0.14), 6, 6);
    p.setBrush(QColor(255, 255, 255, 200));
    for (double x : {0.32, 0.46, 0.6})
        p.drawEllipse(QPointF(w * x, h * 0.27), 1.5, 1);
    return picture;
}

} // namespace zr
