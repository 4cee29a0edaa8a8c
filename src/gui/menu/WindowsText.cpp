#include "menu/WindowsText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace zr {

QString shownText(const QString& bytes) {
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](QChar c) { return c.unicode() < 0x80; })) return bytes;
    QStringDecoder decoder("windows-1252");
    if (!decoder.isValid()) return bytes;
    return decoder.decode(bytes.toLatin1());
}

QString storedText(const QString& shown) {
    QStringEncoder encoder("windows-1252", QStringEncoder::Flag::Stateless);
    if (!encoder.isValid()) return shown;
    return QString::fromLatin1(QByteArray(encoder.encode(shown)));
}

} // namespace zr
