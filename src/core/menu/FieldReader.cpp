#include "menu/FieldReader.h"

namespace zr {

namespace {
bool isLineEnd(QChar c) { return c == '\r' || c == '\n'; }

// CR LF, a lone CR and a lone LF each end one line.
int lineEnds(QStringView text) {
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++count;
    return count;
}
} // namespace

void FieldReader::skipSeparator() {
    if (atEnd()) return;
    const QChar c = m_text.at(m_pos);
    if (c == ',') {
        ++m_pos;
    } else if (c == '\r') {
        ++m_pos;
        if (!atEnd() && m_text.at(m_pos) == '\n') ++m_pos;
        ++m_line;
    } else if (c == '\n') {
        ++m_pos;
        ++m_line;
    }
}

std::optional<QString> FieldReader::next() {
    if (atEnd()) return std::nullopt;
    while (!atEnd() && (m_text.at(m_pos) == ' ' || m_text.at(m_pos) == '\t')) ++m_pos;

    QString field;
    if (!atEnd() && m_text.at(m_pos) == '"') {
        ++m_pos;
        qsizetype end = m_text.indexOf('"', m_pos);
        if (end < 0) end = m_text.size();
        field = m_text.mid(m_pos, end - m_pos);
        m_line += lineEnds(field);
        m_pos = end;
        if (!atEnd() && m_text.at(m_pos) == '"') ++m_pos;
        while (!atEnd() && m_text.at(m_pos) != ',' && !isLineEnd(m_text.at(m_pos))) ++m_pos;
    } else {
        qsizetype end = m_pos;
        while (end < m_text.size() && m_text.at(end) != ',' && !isLineEnd(m_text.at(end))) ++end;
        field = m_text.mid(m_pos, end - m_pos);
        m_pos = end;
        qsizetype keep = field.size();
        while (keep > 0 && field.at(keep - 1) == ' ') --keep;
        field.truncate(keep);
    }
    skipSeparator();
    return field;
}

} // namespace zr
