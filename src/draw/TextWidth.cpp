#include "draw/TextWidth.h"

#include <QFontMetricsF>

namespace zr {

QFont messageFont() {
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(13);
    return font;
}

double textWidthTwips(const QString& text, const QFont& font) {
    return QFontMetricsF(font).horizontalAdvance(text) * TwipsPerPixel;
}

} // namespace zr
