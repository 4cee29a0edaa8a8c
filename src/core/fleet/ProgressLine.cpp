#include "fleet/ProgressLine.h"

#include <QList>
#include <array>

namespace zr {

namespace {

const QByteArray Tag = "zr-progress";
const std::array<const char*, 4> ResultNames{"ok", "failed", "no-connection", "interrupted"};

QByteArray field(const QString& text) {
    QString flat = text;
    flat.replace('\t', ' ').replace('\r', ' ').replace('\n', ' ');
    return flat.toUtf8();
}

} // namespace

QString ProgressLine::resultName(Result result) {
    return QString::fromLatin1(ResultNames[static_cast<size_t>(result)]);
}

QByteArray ProgressLine::toLine() const {
    QList<QByteArray> fields{Tag};
    if (kind == Kind::Status) {
        fields << "status" << QByteArray::number(value) << QByteArray::number(maximum) << field(text);
    } else {
        fields << "end" << resultName(result).toLatin1() << QByteArray::number(bytesSent)
               << QByteArray::number(bytesReceived) << field(address) << field(text);
    }
    return fields.join('\t') + '\n';
}

std::optional<ProgressLine> ProgressLine::parse(const QByteArray& raw) {
    QByteArray line = raw;
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() < 2 || fields[0] != Tag) return std::nullopt;
    ProgressLine p;
    bool ok1 = false, ok2 = false;
    if (fields[1] == "status" && fields.size() == 5) {
        p.value = fields[2].toInt(&ok1);
        p.maximum = fields[3].toInt(&ok2);
        p.text = QString::fromUtf8(fields[4]);
    } else if (fields[1] == "end" && fields.size() == 7) {
        p.kind = Kind::End;
        const auto found = std::find(ResultNames.begin(), ResultNames.end(), fields[2]);
        if (found == ResultNames.end()) return std::nullopt;
        p.result = static_cast<Result>(found - ResultNames.begin());
        p.bytesSent = fields[3].toLongLong(&ok1);
        p.bytesReceived = fields[4].toLongLong(&ok2);
        p.address = QString::fromUtf8(fields[5]);
        p.text = QString::fromUtf8(fields[6]);
    }
    if (!ok1 || !ok2) return std::nullopt;
    return p;
}

} // namespace zr
