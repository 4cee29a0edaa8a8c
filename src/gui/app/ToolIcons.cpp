#include "app/ToolIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace zr {

namespace {

class DrawnIcon : public QIconEngine {
public:
    explicit DrawnIcon(QString key) : m_key(std::move(key)) {}
    QIconEngine* clone() const override { return new DrawnIcon(m_key); }

    void paint(QPainter* p, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->translate(rect.topLeft());
        p->scale(rect.width() / 32.0, rect.height() / 32.0);
        const bool off = mode == QIcon::Disabled;
        const QColor tile = off ? QColor(0xc8, 0xc8, 0xc8) : colour();
        const QColor ink = off ? QColor(0xf4, 0xf4, 0xf4) : QColor(Qt::white);
        p->setPen(Qt::NoPen);
        p->setBrush(tile);
        p->drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
        p->setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p->setBrush(Qt::NoBrush);
        glyph(*p, ink);
        p->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

private:
    QColor colour() const {
        if (m_key == "Profiles") return QColor(0x2e, 0x6d, 0xb4);
        if (m_key == "Menu") return QColor(0xc0, 0x5a, 0x1c);
        if (m_key == "OrderScreen") return QColor(0x3a, 0x8a, 0x3a);
        if (m_key == "POPs") return QColor(0x8e, 0x3b, 0xa8);
        if (m_key == "PreSell Message") return QColor(0xb0, 0x2a, 0x4a);
        if (m_key == "Scheduling") return QColor(0x1f, 0x85, 0x8c);
        if (m_key == "Suggestive Sales") return QColor(0xd4, 0x9a, 0x00);
        if (m_key == "Connect") return QColor(0x33, 0x44, 0x66);
        if (m_key == "Preview") return QColor(0x1a, 0x5e, 0x9a);
        if (m_key == "Help") return QColor(0x55, 0x55, 0x55);
        return QColor(0x5a, 0x7d, 0x2a);  // the image tools
    }

    void glyph(QPainter& p, const QColor& ink) const {
        if (m_key == "Profiles") {
            p.drawEllipse(QPointF(16, 11), 4.5, 4.5);
            p.drawArc(QRectF(7, 17, 18, 14), 0, 180 * 16);
        } else if (m_key == "Menu") {
            for (int y : {10, 16, 22}) {
                p.drawPoint(QPointF(9, y));
                p.drawLine(QPointF(13, y), QPointF(24, y));
            }
        } else if (m_key == "OrderScreen" || m_key == "UpdatePOPs") {
            p.drawRoundedRect(QRectF(6, 7, 20, 14), 2, 2);
            p.drawLine(QPointF(16, 21), QPointF(16, 25));
            p.drawLine(QPointF(11, 25), QPointF(21, 25));
        } else if (m_key == "POPs" || m_key == "UpdateItems") {
            p.drawRect(QRectF(6, 8, 20, 16));
            QPainterPath hill;
            hill.moveTo(7, 23);
            hill.lineTo(13, 15);
            hill.lineTo(18, 20);
            hill.lineTo(21, 17);
            hill.lineTo(25, 23);
            p.drawPath(hill);
            p.drawEllipse(QPointF(20, 12), 1.5, 1.5);
        } else if (m_key == "PreSell Message") {
            p.drawRoundedRect(QRectF(6, 8, 20, 13), 3, 3);
            p.drawLine(QPointF(11, 21), QPointF(9, 26));
            p.drawLine(QPointF(10, 13), QPointF(22, 13));
            p.drawLine(QPointF(10, 17), QPointF(18, 17));
        } else if (m_key == "Scheduling") {
            p.drawEllipse(QPointF(16, 16), 10, 10);
            p.drawLine(QPointF(16, 16), QPointF(16, 10));
            p.drawLine(QPointF(16, 16), QPointF(21, 18));
        } else if (m_key == "Suggestive Sales") {
            QPolygonF star;
            for (int i = 0; i < 10; ++i) {
                const double r = i % 2 ? 4.5 : 10.5;
                const double a = -M_PI / 2 + i * M_PI / 5;
                star << QPointF(16 + r * std::cos(a), 16.5 + r * std::sin(a));
            }
            p.drawPolygon(star);
        } else if (m_key == "Connect") {
            p.drawLine(QPointF(8, 12), QPointF(23, 12));
            p.drawLine(QPointF(19, 8), QPointF(23, 12));
            p.drawLine(QPointF(24, 20), QPointF(9, 20));
            p.drawLine(QPointF(13, 24), QPointF(9, 20));
        } else if (m_key == "Preview") {  // an eye
            QPainterPath eye;
            eye.moveTo(5, 16);
            eye.quadTo(16, 5, 27, 16);
            eye.quadTo(16, 27, 5, 16);
            p.drawPath(eye);
            p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
        } else if (m_key == "Help") {
            QFont f("Liberation Sans");
            f.setPixelSize(22);
            f.setBold(true);
            p.setFont(f);
            p.setPen(ink);
            p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, "?");
        }
        if (m_key.startsWith("Update")) {  // a download arrow in the corner
            p.setBrush(ink);
            p.drawEllipse(QPointF(24, 24), 6, 6);
            p.setPen(QPen(colour(), 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(24, 20.5), QPointF(24, 27));
            p.drawLine(QPointF(21.5, 24.5), QPointF(24, 27));
            p.drawLine(QPointF(26.5, 24.5), QPointF(24, 27));
        }
    }

    QString m_key;
};

} // namespace

QIcon toolIcon(const QString& key) { return QIcon(new DrawnIcon(key)); }

} // namespace zr
