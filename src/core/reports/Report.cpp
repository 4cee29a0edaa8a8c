#include "reports/Report.h"

#include "app/AppError.h"
#include "app/TextFile.h"

#include <QDate>
#include <stdexcept>

namespace zr {

Report::Report(QStringList columns, std::vector<bool> moneyColumns)
    : m_columns(std::move(columns)), m_money(std::move(moneyColumns)), m_texts(" ") {
    m_money.resize(m_columns.size(), false);
}

QString Report::cell(int row, int column) const {
    const std::size_t i = index(row, column);
    const Cell c = m_cells[i];
    if (c.length == Number) return QString::number(m_values[i]);
    if (c.length == MarkedNumber) return '?' + QString::number(m_values[i]);
    return QString::fromLatin1(m_texts.constData() + c.offset, c.length);
}

QString Report::text(int row, int column) const {
    const qint64 v = value(row, column);
    if (m_money[column] && v != NoValue) return centsText(v);
    return cell(row, column);
}

int Report::addRow() {
    m_cells.resize(m_cells.size() + m_columns.size());
    m_values.resize(m_values.size() + m_columns.size(), NoValue);
    return m_rows++;
}

void Report::set(int row, int column, const QString& text, qint64 value) {
    set(row, column, QByteArrayView(text.toLatin1()), value);
}

void Report::set(int row, int column, QByteArrayView text, qint64 value) {
    const std::size_t i = index(row, column);
    if (text.size() == 1 && text.front() == ' ') {
        m_cells[i] = {0, 1}; // the blank that every block starts with
    } else if (text.isEmpty()) {
        m_cells[i] = {};
    } else {
        if (m_texts.size() + text.size() > std::numeric_limits<quint32>::max() - 2)
            throw std::length_error("The report is too large.");
        m_cells[i] = {static_cast<quint32>(m_texts.size()), static_cast<quint32>(text.size())};
        m_texts.append(text);
    }
    m_values[i] = value;
}

void Report::setNumber(int row, int column, qint64 value, bool marked) {
    const std::size_t i = index(row, column);
    m_cells[i] = {0, marked ? MarkedNumber : Number};
    m_values[i] = value;
}

void Report::addProblem(const QString& message) {
    if (!m_problems.contains(message)) m_problems.append(message);
}

void Report::reserve(int rows, qsizetype textBytes) {
    m_texts.reserve(textBytes);
    m_cells.reserve(static_cast<std::size_t>(rows) * m_columns.size());
    m_values.reserve(static_cast<std::size_t>(rows) * m_columns.size());
}

QString csvCell(const QString& cell) {
    const bool quote = cell.contains(',') || cell.contains('"') || cell.contains('\n') || cell.contains('\r');
    if (!quote) return cell;
    QString out = QStringLiteral("\"");
    for (const QChar c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

QString Report::csvHeader() const {
    QString out;
    for (int c = 0; c < columnCount(); ++c) {
        if (c) out += ',';
        out += csvCell(m_columns[c]);
    }
    return out + '\n';
}

QString Report::csvLine(int row) const {
    QByteArray out;
    appendCsvLine(out, row);
    return QString::fromLatin1(out);
}

void Report::appendCsvLine(QByteArray& out, int row) const {
    for (int c = 0; c < columnCount(); ++c) {
        if (c) out += ',';
        const std::size_t i = index(row, c);
        const Cell cell = m_cells[i];
        if (m_money[c] && m_values[i] != NoValue) {
            out += centsText(m_values[i]).toLatin1();
        } else if (cell.length == Number || cell.length == MarkedNumber) {
            if (cell.length == MarkedNumber) out += '?';
            out += QByteArray::number(m_values[i]);
        } else {
            const QByteArrayView text(m_texts.constData() + cell.offset, cell.length);
            const bool quote = text.contains(',') || text.contains('"') || text.contains('\n') || text.contains('\r');
            if (!quote) {
                out += text;
                continue;
            }
            out += '"';
            for (const char ch : text) {
                if (ch == '"') out += '"';
                out += ch;
            }
            out += '"';
        }
    }
    out += '\n';
}

QString Report::toCsv() const {
    QString out = csvHeader();
    for (int r = 0; r < m_rows; ++r)
        out += csvLine(r);
    return out;
}

QString centsText(qint64 cents) {
    const quint64 magnitude = cents < 0 ? 0 - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    const quint64 fraction = magnitude % 100;
    return QString(cents < 0 ? "-" : "") + QString::number(magnitude / 100) + '.' +
           (fraction < 10 ? "0" : "") + QString::number(fraction);
}

namespace StatsText {

namespace {
char16_t code(QChar c) { return c.unicode(); }
char16_t code(char c) { return static_cast<unsigned char>(c); }

QStringView trimmedView(QStringView s) { return s.trimmed(); }
// As QStringView trims a text read one character per byte.
QByteArrayView trimmedView(QByteArrayView s) {
    const auto space = [](char c) {
        const unsigned char u = static_cast<unsigned char>(c);
        return u == ' ' || (u >= '\t' && u <= '\r') || u == 0x85 || u == 0xa0;
    };
    while (!s.isEmpty() && space(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && space(s.back()))
        s = s.chopped(1);
    return s;
}

template <class View> std::optional<qint64> integerOf(View field) {
    field = trimmedView(field);
    if (field.isEmpty()) return 0;
    bool negative = false;
    if (code(field.front()) == '-' || code(field.front()) == '+') {
        negative = code(field.front()) == '-';
        field = field.sliced(1);
    }
    if (field.isEmpty() || field.size() > 18) return std::nullopt;
    qint64 v = 0;
    for (const auto c : field) {
        if (code(c) < '0' || code(c) > '9') return std::nullopt;
        v = v * 10 + (code(c) - '0');
    }
    return negative ? -v : v;
}

// Reads digits up to (not including) the separator; at most 9 of them. No separator: the end.
template <class View> bool number(View s, qsizetype& pos, char16_t separator, int& out) {
    const qsizetype start = pos;
    int v = 0;
    while (pos < s.size() && code(s[pos]) >= '0' && code(s[pos]) <= '9' && pos - start < 9)
        v = v * 10 + (code(s[pos++]) - '0');
    if (pos == start) return false;
    out = v;
    if (separator == 0) return pos == s.size();
    if (separator == ' ') {
        if (pos >= s.size() || code(s[pos]) != ' ') return false;
        while (pos < s.size() && code(s[pos]) == ' ')
            ++pos;
        return true;
    }
    if (pos >= s.size() || code(s[pos]) != separator) return false;
    ++pos;
    return true;
}

template <class View> std::optional<qint64> secondsOf(View stamp) {
    stamp = trimmedView(stamp);
    qsizetype pos = 0;
    int month, day, year, hour, minute, second;
    if (!number(stamp, pos, '/', month) || !number(stamp, pos, '/', day) || !number(stamp, pos, ' ', year) ||
        !number(stamp, pos, ':', hour) || !number(stamp, pos, ':', minute) || !number(stamp, pos, 0, second))
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid()) return std::nullopt;
    return date.toJulianDay() * 86400 + qint64(hour) * 3600 + qint64(minute) * 60 + second;
}
} // namespace

std::optional<qint64> integer(QStringView field) { return integerOf(field); }
std::optional<qint64> integer(QByteArrayView field) { return integerOf(field); }
std::optional<qint64> seconds(QStringView stamp) { return secondsOf(stamp); }
std::optional<qint64> seconds(QByteArrayView stamp) { return secondsOf(stamp); }

QString withoutTrailingBlankLines(QString text) {
    const auto blank = [](QChar c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\x1a'; };
    qsizetype end = text.size();
    while (end > 0 && blank(text.at(end - 1)))
        --end;
    // Keep the line end of the last line that holds something: its last field may be empty.
    while (end < text.size() && (text.at(end) == ' ' || text.at(end) == '\t'))
        ++end;
    if (end < text.size() && text.at(end) == '\r') ++end;
    if (end < text.size() && text.at(end) == '\n') ++end;
    text.truncate(end);
    return text;
}

QString readFile(const QString& path, const QString& source) {
    std::optional<QString> text = TextFile::readAll(path, source);
    if (!text) throw AppError(source, errors::FileNotFound, "File not found: \"" + path + "\"");
    return withoutTrailingBlankLines(std::move(*text));
}

} // namespace StatsText
} // namespace zr
