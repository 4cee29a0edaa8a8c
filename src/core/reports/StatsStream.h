#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <memory>
#include <span>

namespace zr {

/// Reads the fields of a statistics file a piece at a time, as FieldReader
/// reads a whole text (commas and line ends end fields, optional double
/// quotes), and with the file's blank lines at its end dropped as
/// StatsText::withoutTrailingBlankLines drops them. Memory stays at the size
/// of a read buffer, whatever the size of the file.
class StatsStream {
public:
    /// Opens the file; a missing or unreadable file raises an AppError with the given source.
    StatsStream(const QString& path, const QString& source);
    /// Reads a text held in memory, one byte per character.
    explicit StatsStream(const QString& text);

    bool atEnd();
    /// The bytes that are read, without the blank lines at the end.
    qint64 size() const { return m_end; }
    /// Where the next record starts, in bytes from the start of the file.
    qint64 position() const { return m_read - m_buffer.size() + m_pos; }

    /// Reads the next fields.size() fields of a record, each as the file's
    /// bytes; the views stay valid until the next call. Returns the number
    /// read, fewer when the file ends inside the record.
    std::size_t nextRecord(std::span<QByteArrayView> fields);

private:
    void findEnd();
    bool more();
    bool peek(qsizetype at, char& c);
    bool readField(qsizetype& start, qsizetype& length);

    std::unique_ptr<QIODevice> m_device;
    QString m_source;
    qint64 m_end = 0;  // where the file ends once its trailing blank lines are dropped
    qint64 m_read = 0; // bytes of the file read so far
    QByteArray m_buffer;
    qsizetype m_pos = 0;
};

} // namespace zr
