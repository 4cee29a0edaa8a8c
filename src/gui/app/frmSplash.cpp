#include "app/frmSplash.h"

#include "app/frmAbout.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

namespace zr {

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("frmSplash");
    setFixedSize(420, 240);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(120, 30, 24, 24);
    auto* product = new QLabel("ZR5000FE", this);
    product->setObjectName("lblProductName");
    QFont big("Liberation Sans", 26, QFont::Bold);
    product->setFont(big);
    auto* platform = new QLabel("For Windows 9x/2k/NT/XP", this);
    platform->setObjectName("lblPlatform");
    auto* version = new QLabel("Version: " + versionText(), this);
    version->setObjectName("lblVersion");
    for (QLabel* l : {product, platform, version}) l->setStyleSheet("color: white;");
    layout->addWidget(product);
    layout->addWidget(platform);
    layout->addStretch();
    layout->addWidget(version);
}

void frmSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, width(), height());
    g.setColorAt(0, QColor(0x10, 0x3a, 0x6e));
    g.setColorAt(1, QColor(0x1f, 0x7a, 0xb8));
    p.fillRect(rect(), g);
    // The logo: a board on its post.
    p.setBrush(QColor(0xf2, 0xa9, 0x00));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(28, 40, 72, 110), 8, 8);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawRect(QRectF(36, 50, 56, 70));
    p.setBrush(QColor(0x9a, 0x9a, 0x9a));
    p.drawRect(QRectF(58, 150, 12, 60));
    p.setPen(QPen(QColor(0x66, 0xff, 0x66), 3));
    for (int i = 0; i < 4; ++i) p.drawLine(QPointF(42, 60 + i * 14), QPointF(86 - i * 6, 60 + i * 14));
}

} // namespace zr
