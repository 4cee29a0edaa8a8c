// Statistics: turns a binary pad statistics file (.zrs) fetched from an OCB
// into the pad statistics text that the pad reports read, written beside it
// as <file>.pad.
//
//     Statistics <path of the .zrs file>
//
// The .zrs layout (all numbers little-endian, unsigned unless said):
//
//   header, 16 bytes
//     0  4 bytes  magic "ZRS" followed by 0x1A
//     4  uint16   version, 1
//     6  uint16   record size, 28
//     8  uint32   number of records
//    12  uint32   reserved, 0
//   then that many records of 28 bytes each
//     0  uint32   kind: 1 pad 1 (order point), 2 pad 2 (window); others are kept as they are
//     4  uint32   check number
//     8  uint32   on pad
//    12  uint32   off pad
//    16  uint32   order start
//    20  uint32   order finish
//                 (times: seconds since 1970-01-01 00:00:00 as the board's clock
//                 showed them, no time zone; 0: no time)
//    24  int32    order total in cents
//
// Each record becomes one text line of seven fields:
//   kind,check,on pad,off pad,start,finish,cents
// with times written as M/d/yyyy H:mm:ss. A file that is shorter or longer
// than its header says, or that is not a .zrs file at all, is refused with a
// message on stderr and exit status 1; nothing is written then.
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <cstdio>

namespace {

constexpr char Magic[4] = {'Z', 'R', 'S', '\x1a'};
constexpr qint64 HeaderSize = 16;
constexpr qint64 RecordSize = 28;

int refuse(const QString& message) {
    std::fprintf(stderr, "Statistics: %s\n", qPrintable(message));
    return 1;
}

QByteArray timeText(quint32 seconds) {
    if (seconds == 0) return {};
    const QDateTime t = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    return t.toString("M/d/yyyy H:mm:ss").toLatin1();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        refuse("usage: Statistics FILE.zrs");
        return 2;
    }
    const QString path = args.at(1);

    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) return refuse("cannot read " + path + ": " + in.errorString());
    const QByteArray header = in.read(HeaderSize);
    if (header.size() < HeaderSize || !header.startsWith(QByteArray(Magic, 4)))
        return refuse(path + " is not a binary statistics (.zrs) file");
    const auto* h = reinterpret_cast<const uchar*>(header.constData());
    const quint16 version = qFromLittleEndian<quint16>(h + 4);
    const quint16 recordSize = qFromLittleEndian<quint16>(h + 6);
    const quint32 count = qFromLittleEndian<quint32>(h + 8);
    if (version != 1 || recordSize != RecordSize)
        return refuse(path + " has an unknown layout (version " + QString::number(version) +
                      ", record size " + QString::number(recordSize) + ")");
    const qint64 expected = HeaderSize + qint64(count) * RecordSize;
    if (in.size() < expected)
        return refuse(path + " is truncated: its header announces " + QString::number(count) + " records (" +
                      QString::number(expected) + " bytes), the file has " + QString::number(in.size()) +
                      " bytes");
    if (in.size() > expected)
        return refuse(path + " has " + QString::number(in.size() - expected) +
                      " bytes after its last record; it is not a file of this layout");

    QSaveFile out(path + ".pad");
    if (!out.open(QIODevice::WriteOnly))
        return refuse("cannot write " + out.fileName() + ": " + out.errorString());
    for (quint32 i = 0; i < count; ++i) {
        const QByteArray record = in.read(RecordSize);
        if (record.size() != RecordSize) return refuse("cannot read " + path + ": " + in.errorString());
        const auto* r = reinterpret_cast<const uchar*>(record.constData());
        QByteArray line = QByteArray::number(qFromLittleEndian<quint32>(r)) + ',' +
                          QByteArray::number(qFromLittleEndian<quint32>(r + 4));
        for (int t = 0; t < 4; ++t)
            line += ',' + timeText(qFromLittleEndian<quint32>(r + 8 + 4 * t));
        line += ',' + QByteArray::number(qFromLittleEndian<qint32>(r + 24)) + "\r\n";
        out.write(line);
    }
    if (!out.commit()) return refuse("cannot write " + out.fileName() + ": " + out.errorString());
    return 0;
}
