#include "reports/StatsStream.h"

#include "app/AppError.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <array>

namespace zr {

namespace {
constexpr qint64 Chunk = 256 * 1024;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\x1a'; }
bool endsField(char c) { return c == ',' || c == '\r' || c == '\n'; }
} // namespace

StatsStream::StatsStream(const QString& path, const QString& source) : m_source(source) {
    auto file = std::make_unique<QFile>(path);
    if (!file->exists()) throw AppError(source, errors::FileNotFound, "File not found: \"" + path + "\"");
    if (QFileInfo(path).isDir())
        throw AppError(source, errors::PathFileAccess, "\"" + path + "\" is a folder, not a file.");
    if (!file->open(QIODevice::ReadOnly))
        throw AppError(source, errors::PathFileAccess, "Cannot read \"" + path + "\": " + file->errorString());
    m_device = std::move(file);
    findEnd();
}

StatsStream::StatsStream(const QString& text) : m_source(QStringLiteral("Statistics")) {
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(text.toLatin1());
    buffer->open(QIODevice::ReadOnly);
    m_device = std::move(buffer);
    findEnd();
}

void StatsStream::findEnd() {
    QIODevice& device = *m_device;
    // The end: past the last byte that is not blank, its blanks and tabs, and one line end.
    const qint64 size = device.size();
    qint64 last = size;
    while (last > 0) {
        const qint64 from = std::max<qint64>(0, last - Chunk);
        device.seek(from);
        const QByteArray tail = device.read(last - from);
        qsizetype i = tail.size();
        while (i > 0 && isBlank(tail.at(i - 1)))
            --i;
        last = from + i;
        if (i > 0) break;
    }
    device.seek(last);
    const QByteArray after = device.read(std::min<qint64>(size - last, 4096));
    qsizetype i = 0;
    while (i < after.size() && (after.at(i) == ' ' || after.at(i) == '\t'))
        ++i;
    if (i < after.size() && after.at(i) == '\r') ++i;
    if (i < after.size() && after.at(i) == '\n') ++i;
    m_end = last + i;
    device.seek(0);
}

bool StatsStream::more() {
    if (m_read >= m_end) return false;
    const QByteArray bytes = m_device->read(std::min(Chunk, m_end - m_read));
    if (bytes.isEmpty())
        throw AppError(m_source, errors::DeviceIO, "A statistics file could not be read: " + m_device->errorString());
    m_read += bytes.size();
    m_buffer += bytes;
    return true;
}

bool StatsStream::peek(qsizetype at, char& c) {
    while (at >= m_buffer.size())
        if (!more()) return false;
    c = m_buffer.at(at);
    return true;
}

bool StatsStream::atEnd() {
    char c;
    return !peek(m_pos, c);
}

// The field at the current position, as FieldReader::next() takes it apart.
bool StatsStream::readField(qsizetype& start, qsizetype& length) {
    char c;
    if (!peek(m_pos, c)) return false;
    while (c == ' ' || c == '\t') {
        ++m_pos;
        if (!peek(m_pos, c)) {
            start = m_pos;
            length = 0;
            return true;
        }
    }
    if (c == '"') {
        start = ++m_pos;
        while (peek(m_pos, c) && c != '"')
            ++m_pos;
        length = m_pos - start;
        if (peek(m_pos, c)) ++m_pos;
        while (peek(m_pos, c) && !endsField(c))
            ++m_pos;
    } else {
        start = m_pos;
        while (peek(m_pos, c) && !endsField(c))
            ++m_pos;
        length = m_pos - start;
        while (length > 0 && m_buffer.at(start + length - 1) == ' ')
            --length;
    }
    if (peek(m_pos, c)) {
        ++m_pos;
        if (c == '\r' && peek(m_pos, c) && c == '\n') ++m_pos;
    }
    return true;
}

std::size_t StatsStream::nextRecord(std::span<QByteArrayView> fields) {
    // What earlier records used is dropped before this one, never while it is read.
    if (m_pos >= Chunk) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    // Positions first: the buffer may grow, and move, while the record is read.
    std::array<std::pair<qsizetype, qsizetype>, 16> at{};
    std::size_t got = 0;
    for (; got < fields.size() && got < at.size(); ++got)
        if (!readField(at[got].first, at[got].second)) break;
    for (std::size_t i = 0; i < got; ++i)
        fields[i] = QByteArrayView(m_buffer.constData() + at[i].first, at[i].second);
    return got;
}

} // namespace zr
