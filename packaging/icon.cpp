// zr-icon OUTDIR NAME: draws the program's icon, a board on its post, as
// NAME.svg and as NAME-48.png and NAME-256.png. Both come from the one list
// of shapes below, so the scalable and the pixel icons always agree.

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <cstdio>

namespace {

struct Shape {
    QRectF rect; // in a 256 x 256 square
    double radius;
    const char* colour;
};

const Shape Shapes[] = {
    {{80, 226, 96, 18}, 6, "#4b5563"},   // foot
    {{114, 176, 28, 56}, 4, "#6b7280"},  // post
    {{20, 18, 216, 168}, 22, "#1f2937"}, // housing
    {{36, 34, 184, 136}, 12, "#0b4fa8"}, // screen
    {{54, 54, 96, 14}, 7, "#e5e7eb"},    // order lines with their prices
    {{166, 54, 36, 14}, 7, "#fcd34d"},   {{54, 80, 80, 14}, 7, "#e5e7eb"},
    {{166, 80, 36, 14}, 7, "#fcd34d"},   {{54, 106, 104, 14}, 7, "#e5e7eb"},
    {{166, 106, 36, 14}, 7, "#fcd34d"},  {{54, 134, 148, 20}, 8, "#22c55e"}, // total
};

QByteArray svg() {
    QByteArray out = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                     "viewBox=\"0 0 256 256\">\n";
    for (const Shape& s : Shapes)
        out +=
            QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"/>\n")
                .arg(s.rect.x())
                .arg(s.rect.y())
                .arg(s.rect.width())
                .arg(s.rect.height())
                .arg(s.radius)
                .arg(QLatin1String(s.colour))
                .toUtf8();
    return out + "</svg>\n";
}

QImage png(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.scale(size / 256.0, size / 256.0);
    for (const Shape& s : Shapes) {
        painter.setBrush(QColor(QLatin1String(s.colour)));
        painter.drawRoundedRect(s.rect, s.radius, s.radius);
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zr-icon OUTDIR NAME\n");
        return 2;
    }
    const QString base = QString::fromLocal8Bit(argv[1]) + '/' + QString::fromLocal8Bit(argv[2]);
    QFile file(base + ".svg");
    bool ok = file.open(QIODevice::WriteOnly) && file.write(svg()) >= 0;
    file.close();
    for (int size : {48, 256})
        ok = png(size).save(base + QStringLiteral("-%1.png").arg(size)) && ok;
    if (!ok) std::fprintf(stderr, "zr-icon: could not write %s.*\n", qPrintable(base));
    return ok ? 0 : 1;
}
