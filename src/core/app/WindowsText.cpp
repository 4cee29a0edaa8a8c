#include "app/WindowsText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace zr {

namespace {

const char* const CodePage = "windows-1252";

bool isAscii(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

// Whether the text encodes without a character that has no byte. Without
// the code page in this Qt build only Latin-1 is sure to be held.
bool encodes(const QString& text) {
    QStringEncoder encoder(CodePage, QStringEncoder::Flag::Stateless);
    if (!encoder.isValid())
        return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xff; });
    [[maybe_unused]] const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError();
}

} // namespace

QString shownText(const QString& bytes) {
    if (isAscii(bytes)) return bytes;
    QStringDecoder decoder(CodePage);
    if (!decoder.isValid()) return bytes;
    return decoder.decode(bytes.toLatin1());
}

QString storedText(const QString& shown) {
    if (isAscii(shown)) return shown;
    QStringEncoder encoder(CodePage, QStringEncoder::Flag::Stateless);
    if (!encoder.isValid()) return shown;
    return QString::fromLatin1(QByteArray(encoder.encode(shown)));
}

std::optional<QString> unstorableCharacter(const QString& shown) {
    if (isAscii(shown) || encodes(shown)) return std::nullopt;
    for (qsizetype i = 0; i < shown.size();) {
        // A character beyond the first plane is a pair of QChars.
        const qsizetype n =
            shown.at(i).isHighSurrogate() && i + 1 < shown.size() && shown.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QString character = shown.mid(i, n);
        if (!encodes(character)) return character;
        i += n;
    }
    return std::nullopt;
}

} // namespace zr
