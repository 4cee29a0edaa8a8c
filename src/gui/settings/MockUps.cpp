#include "settings/MockUps.h"

#include <QHBoxLayout>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace zr {

void showPicture(QLabel* label, const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = path.isEmpty() ? QImage() : reader.read();
    if (image.isNull()) {
        label->clear();
        return;
    }
    label->setPixmap(
        QPixmap::fromImage(image.scaled(label->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void PictureLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

FrameShape::FrameShape(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
}

void FrameShape::setBorderColor(const QColor& color) {
    m_color = color;
    update();
}

void FrameShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(m_color, 2));
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

} // namespace zr
