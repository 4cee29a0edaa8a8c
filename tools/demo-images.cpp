// zr-demo-images <app-folder>: draws sample product shots into <app>/ZRScreens/Item and full-screen ads
// into <app>/ZRScreens/POP, so a fresh installation and the demo have pictures to show. A file that
// already exists under any letter case is left alone: the user's own pictures always win.
// Runs without a display (QT_QPA_PLATFORM=offscreen).

#include "app/AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>
#include <QTextStream>
#include <functional>

namespace {

const QSize ItemSize(320, 240);
const QSize PopSize(640, 480);

struct Item {
    const char* file;
    const char* name;
    QColor colour;
};

struct Ad {
    const char* file;
    const char* headline;
    const char* line;
    const char* price; // empty: no price badge
    QColor top;
    QColor bottom;
};

const Item Items[] = {
    {"burger", "Burger", QColor(0xc0, 0x39, 0x2b)},
    {"cheeseburger", "Cheeseburger", QColor(0xe6, 0x7e, 0x22)},
    {"fries", "Fries", QColor(0xf1, 0xc4, 0x0f)},
    {"onion rings", "Onion Rings", QColor(0xd3, 0x54, 0x00)},
    {"cola", "Cola", QColor(0x7b, 0x24, 0x1c)},
    {"coffee", "Coffee", QColor(0x6e, 0x4b, 0x2f)},
    {"shake", "Shake", QColor(0xe8, 0x6f, 0xa0)},
    {"apple pie", "Apple Pie", QColor(0x27, 0xae, 0x60)},
    {"greatchoice", "Great Choice!", QColor(0x29, 0x80, 0xb9)},
};

const Ad Ads[] = {
    {"default", "Welcome!", "Please order when ready", "", QColor(0x1f, 0x4e, 0x8c),
     QColor(0x0b, 0x1d, 0x3a)},
    {"breakfast", "Good Morning", "Egg muffin and coffee", "$3.49", QColor(0xf9, 0xa8, 0x25),
     QColor(0xd3, 0x54, 0x00)},
    {"lunch", "Lunch Break", "Burger, fries and a drink", "$6.99", QColor(0x2e, 0xcc, 0x71),
     QColor(0x1e, 0x84, 0x49)},
    {"dinner", "Dinner Time", "Double burger meal", "$8.49", QColor(0x8e, 0x44, 0xad),
     QColor(0x2c, 0x0e, 0x3a)},
    {"combo", "Combo Deal", "Any burger + fries + cola", "$5.99", QColor(0xe7, 0x4c, 0x3c),
     QColor(0x78, 0x1e, 0x16)},
};

QFont font(int pixelSize, bool bold) {
    QFont f("Liberation Sans");
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

/// Draws text centred in box, shrinking the font until it fits on one line.
void drawFitted(QPainter& p, const QRectF& box, const QString& text, int pixelSize, bool bold) {
    QFont f = font(pixelSize, bold);
    while (f.pixelSize() > 10 && QFontMetricsF(f).horizontalAdvance(text) > box.width())
        f.setPixelSize(f.pixelSize() - 2);
    p.setFont(f);
    p.drawText(box, Qt::AlignCenter, text);
}

void drawItem(QPainter& p, const Item& item) {
    const QRectF all(QPointF(0, 0), ItemSize);
    QLinearGradient background(all.topLeft(), all.bottomLeft());
    background.setColorAt(0, item.colour.lighter(150));
    background.setColorAt(1, item.colour.darker(130));
    p.fillRect(all, background);

    // A plate under the name, and a card edge so the shot reads as one tile on the board.
    QRadialGradient plate(all.center() + QPointF(0, 20), 110);
    plate.setColorAt(0, QColor(255, 255, 255, 200));
    plate.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(plate);
    p.drawEllipse(all.center() + QPointF(0, 20), 130, 70);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 6));
    p.drawRoundedRect(all.adjusted(6, 6, -6, -6), 18, 18);

    const QRectF textBox = all.adjusted(20, 40, -20, -40);
    p.setPen(QColor(0, 0, 0, 90));
    drawFitted(p, textBox.translated(3, 3), item.name, 52, true);
    p.setPen(Qt::white);
    drawFitted(p, textBox, item.name, 52, true);
}

void drawAd(QPainter& p, const Ad& ad) {
    const QRectF all(QPointF(0, 0), PopSize);
    QLinearGradient background(all.topLeft(), all.bottomRight());
    background.setColorAt(0, ad.top);
    background.setColorAt(1, ad.bottom);
    p.fillRect(all, background);

    // Broad diagonal stripes give the plain gradient some movement.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 25));
    for (int x = -480; x < 640; x += 160) {
        QPainterPath stripe;
        stripe.addPolygon(
            QPolygonF({QPointF(x, 480), QPointF(x + 60, 480), QPointF(x + 540, 0), QPointF(x + 480, 0)}));
        p.drawPath(stripe);
    }
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRoundedRect(QRectF(40, 120, 560, 150), 24, 24);

    p.setPen(ad.bottom);
    drawFitted(p, QRectF(60, 130, 520, 90), ad.headline, 72, true);
    p.setPen(QColor(0x33, 0x33, 0x33));
    drawFitted(p, QRectF(60, 215, 520, 45), ad.line, 30, false);

    if (*ad.price) {
        const QPointF centre(480, 370);
        QRadialGradient badge(centre - QPointF(20, 20), 90);
        badge.setColorAt(0, QColor(0xff, 0xe0, 0x66));
        badge.setColorAt(1, QColor(0xf3, 0x9c, 0x12));
        p.setBrush(badge);
        p.setPen(QPen(Qt::white, 5));
        p.drawEllipse(centre, 80, 80);
        p.setPen(QColor(0x7b, 0x24, 0x1c));
        drawFitted(p, QRectF(centre - QPointF(70, 30), QSizeF(140, 60)), ad.price, 44, true);
        p.setPen(Qt::white);
        drawFitted(p, QRectF(40, 330, 320, 60), QStringLiteral("Ask for it now"), 34, true);
    } else {
        p.setPen(Qt::white);
        drawFitted(p, QRectF(40, 320, 560, 70), QStringLiteral("Drive up to the speaker"), 36, true);
    }
}

enum class Outcome { Written, Kept, Failed };

Outcome writeOnce(const QString& folder, const QString& name, QSize size,
                  const std::function<void(QPainter&)>& draw) {
    if (QFileInfo::exists(zr::AppPaths::resolveIn(folder, name))) return Outcome::Kept;
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        draw(p);
    }
    QSaveFile file(folder + '/' + name);
    if (!file.open(QIODevice::WriteOnly)) return Outcome::Failed;
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(90);
    if (!writer.write(image)) {
        file.cancelWriting();
        return Outcome::Failed;
    }
    return file.commit() ? Outcome::Written : Outcome::Failed;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: zr-demo-images <app-folder>" << Qt::endl;
        return 2;
    }
    const zr::AppPaths paths(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
    const QString itemFolder = paths.itemImages();
    const QString popFolder = paths.popImages();
    for (const QString& folder : {itemFolder, popFolder}) {
        if (!QDir().mkpath(folder)) {
            err << "zr-demo-images: cannot create " << QDir::toNativeSeparators(folder) << Qt::endl;
            return 1;
        }
    }

    int written = 0, kept = 0, failed = 0;
    auto count = [&](Outcome outcome, const QString& path) {
        if (outcome == Outcome::Written) ++written;
        if (outcome == Outcome::Kept) ++kept;
        if (outcome == Outcome::Failed) {
            ++failed;
            err << "zr-demo-images: cannot write " << QDir::toNativeSeparators(path) << Qt::endl;
        }
    };
    for (const Item& item : Items) {
        const QString name = QString::fromUtf8(item.file) + ".jpg";
        count(writeOnce(itemFolder, name, ItemSize, [&](QPainter& p) { drawItem(p, item); }),
              itemFolder + '/' + name);
    }
    for (const Ad& ad : Ads) {
        const QString name = QString::fromUtf8(ad.file) + ".jpg";
        count(writeOnce(popFolder, name, PopSize, [&](QPainter& p) { drawAd(p, ad); }),
              popFolder + '/' + name);
    }
    QTextStream(stdout) << written << " written, " << kept << " kept" << Qt::endl;
    return failed == 0 ? 0 : 1;
}
