#pragma once

#include <QString>
#include <optional>
#include <span>

namespace zr {

/// Reads comma-separated fields from a text as one stream: commas and line
/// ends (CR, LF or CR LF) both end a field, so a record is simply the next n
/// fields, whatever lines they lie on.
///
/// Leading blanks and tabs are skipped. A field that starts with a double
/// quote runs to the next double quote (there is no escape), across line ends,
/// which then belong to the field; without a closing quote it runs to the end
/// of the text. Whatever follows the closing quote up to the next comma or
/// line end is dropped. Any other field runs to the next comma or line end
/// and loses its trailing blanks.
class FieldReader {
public:
    explicit FieldReader(QString text) : m_text(std::move(text)) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    /// The next field, or nothing when the text is already at its end.
    std::optional<QString> next();

    /// Reads the next fields.size() fields of a record; the number read, fewer
    /// when the text ends inside the record.
    std::size_t nextRecord(std::span<QString> fields) {
        std::size_t got = 0;
        for (; got < fields.size(); ++got) {
            std::optional<QString> field = next();
            if (!field) break;
            fields[got] = std::move(*field);
        }
        return got;
    }

    /// The number of line ends passed so far (the line of the next field, from 0).
    int line() const { return m_line; }

private:
    void skipSeparator();

    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 0;
};

} // namespace zr
