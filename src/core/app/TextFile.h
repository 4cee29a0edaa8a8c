#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace zr {

/// Text files of the program: 8-bit text, one QChar per byte (Latin-1), so that
/// every byte read is written back unchanged. Lines end in CR LF when written
/// and in CR LF or LF when read.
namespace TextFile {

/// The lines of the file, or nothing when the file does not exist.
/// Any other failure raises an AppError with the given source.
std::optional<QStringList> readLines(const QString& path, const QString& source);

/// The whole file as one text, or nothing when it does not exist.
std::optional<QString> readAll(const QString& path, const QString& source);

/// The lines, each followed by CR LF.
QByteArray crlfLines(const QStringList& lines);

/// Replaces the file whole. The old file stays in place when anything fails.
void writeAtomically(const QString& path, const QByteArray& bytes, const QString& source);

/// Appends one line and CR LF, creating the file when it is missing.
void appendLine(const QString& path, const QString& line, const QString& source);

} // namespace TextFile
} // namespace zr
