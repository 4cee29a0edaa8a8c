#include "app/TextFile.h"

#include "app/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zr::TextFile {

std::optional<QString> readAll(const QString& path, const QString& source) {
    QFile file(path);
    if (!file.exists()) return std::nullopt;
    if (QFileInfo(path).isDir())
        throw AppError(source, errors::PathFileAccess, "\"" + path + "\" is a folder, not a file.");
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(source, errors::PathFileAccess,
                       "Cannot read \"" + path + "\": " + file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(source, errors::DeviceIO, "Cannot read \"" + path + "\": " + file.errorString());
    return QString::fromLatin1(bytes);
}

std::optional<QStringList> readLines(const QString& path, const QString& source) {
    std::optional<QString> text = readAll(path, source);
    if (!text) return std::nullopt;
    QStringList lines = text->split('\n');
    // A final line end does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith('\r')) line.chop(1);
    return lines;
}

QByteArray crlfLines(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += line.toLatin1();
        out += "\r\n";
    }
    return out;
}

void writeAtomically(const QString& path, const QByteArray& bytes, const QString& source) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(source, errors::PathNotFound,
                       "Cannot write \"" + path + "\": " + file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        throw AppError(source, errors::DeviceIO, "Cannot write \"" + path + "\": " + why);
    }
    if (!file.commit())
        throw AppError(source, errors::DeviceIO, "Cannot write \"" + path + "\": " + file.errorString());
}

void appendLine(const QString& path, const QString& line, const QString& source) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw AppError(source, errors::PathNotFound,
                       "Cannot write \"" + path + "\": " + file.errorString());
    const QByteArray bytes = line.toLatin1() + "\r\n";
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw AppError(source, errors::DeviceIO, "Cannot write \"" + path + "\": " + file.errorString());
}

} // namespace zr::TextFile
