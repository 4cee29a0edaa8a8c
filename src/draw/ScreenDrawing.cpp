#include "draw/ScreenDrawing.h"

#include <QFontMetrics>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>

namespace zr {

QFont screenFont(int pixelSize) {
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

QImage loadPicture(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QImage orderScreenMockUp(QSize size) {
    QImage pixmap(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(18, 36, 84));
    sky.setColorAt(1, QColor(6, 12, 36));
    p.fillRect(pixmap.rect(), sky);

    const int w = size.width();
    const int h = size.height();
    p.setPen(Qt::white);
    p.setFont(screenFont(13));
    p.drawText(QRect(0, 6, w, 20), Qt::AlignCenter, "YOUR ORDER");
    // Order lines stand in as grey bars with a price column.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const int y = 34 + i * 18;
        p.setBrush(QColor(120, 136, 170));
        p.drawRoundedRect(QRect(12, y, w * 55 / 100 - (i % 2) * 20, 9), 3, 3);
        p.drawRoundedRect(QRect(w - 52, y, 40, 9), 3, 3);
    }
    // The suggestion panel and the total bar.
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawRoundedRect(QRect(10, h * 45 / 100 - 6, w - 20, h * 38 / 100), 8, 8);
    p.setBrush(QColor(180, 20, 24));
    p.drawRect(QRect(0, h - 52, w, 52));
    p.setPen(Qt::white);
    p.setFont(screenFont(15));
    p.drawText(QRect(12, h - 52, w / 2, 52), Qt::AlignVCenter | Qt::AlignLeft, "TOTAL");
    return pixmap;
}

QImage placeholderPicture(QSize size, const QString& caption) {
    QImage pixmap(size, QImage::Format_ARGB32_Premultiplied);
    pixmap.fill(QColor(236, 232, 220));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 140, 120), 2, Qt::DashLine));
    p.drawRect(pixmap.rect().adjusted(2, 2, -3, -3));
    // A simple picture sign: a sun over two hills.
    const QRectF frame =
        QRectF(pixmap.rect())
            .adjusted(size.width() * 0.3, size.height() * 0.18, -size.width() * 0.3, -size.height() * 0.4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 170, 40));
    p.drawEllipse(QPointF(frame.right() - frame.width() * 0.2, frame.top() + frame.height() * 0.25),
                  frame.height() * 0.15, frame.height() * 0.15);
    p.setBrush(QColor(110, 150, 90));
    QPolygonF hills;
    hills << frame.bottomLeft()
          << QPointF(frame.left() + frame.width() * 0.35, frame.top() + frame.height() * 0.4)
          << QPointF(frame.left() + frame.width() * 0.6, frame.bottom() - frame.height() * 0.25)
          << QPointF(frame.left() + frame.width() * 0.8, frame.top() + frame.height() * 0.55)
          << frame.bottomRight();
    p.drawPolygon(hills);
    p.setPen(QColor(90, 80, 60));
    p.setFont(screenFont(qMax(10, size.height() / 12)));
    p.drawText(QRect(0, int(frame.bottom()) + 4, size.width(), size.height() - int(frame.bottom()) - 6),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, caption);
    return pixmap;
}

} // namespace zr
