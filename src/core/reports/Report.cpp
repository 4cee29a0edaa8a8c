#include "reports/Report.h"

#include "app/AppError.h"
#include "app/TextFile.h"

#include <QDate>

namespace zr {

Report::Report(QStringList columns, std::vector<bool> moneyColumns)
    : m_columns(std::move(columns)), m_money(std::move(moneyColumns)) {
    m_money.resize(m_columns.size(), false);
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

void Report::set(int row, int column, QString text, qint64 value) {
    const std::size_t i = index(row, column);
    m_cells[i] = std::move(text);
    m_values[i] = value;
}

void Report::addProblem(const QString& message) {
    if (!m_problems.contains(message)) m_problems.append(message);
}

void Report::reserve(int rows) {
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

QString Report::toCsv() const {
    QString out;
    for (int c = 0; c < columnCount(); ++c) {
        if (c) out += ',';
        out += csvCell(m_columns[c]);
    }
    out += '\n';
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (c) out += ',';
            out += csvCell(text(r, c));
        }
        out += '\n';
    }
    return out;
}

QString centsText(qint64 cents) {
    const quint64 magnitude = cents < 0 ? 0 - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    const quint64 fraction = magnitude % 100;
    return QString(cents < 0 ? "-" : "") + QString::number(magnitude / 100) + '.' +
           (fraction < 10 ? "0" : "") + QString::number(fraction);
}

namespace StatsText {

std::optional<qint64> integer(QStringView field) {
    field = field.trimmed();
    if (field.isEmpty()) return 0;
    bool negative = false;
    if (field.front() == '-' || field.front() == '+') {
        negative = field.front() == '-';
        field = field.mid(1);
    }
    if (field.isEmpty() || field.size() > 18) return std::nullopt;
    qint64 v = 0;
    for (const QChar c : field) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
    }
    return negative ? -v : v;
}

namespace {
// Reads digits up to (not including) the separator; at most 9 of them.
bool number(QStringView s, qsizetype& pos, QChar separator, int& out) {
    const qsizetype start = pos;
    int v = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && pos - start < 9)
        v = v * 10 + (s[pos++].unicode() - '0');
    if (pos == start) return false;
    out = v;
    if (separator.isNull()) return pos == s.size();
    if (separator == ' ') {
        if (pos >= s.size() || s[pos] != ' ') return false;
        while (pos < s.size() && s[pos] == ' ')
            ++pos;
        return true;
    }
    if (pos >= s.size() || s[pos] != separator) return false;
    ++pos;
    return true;
}
} // namespace

std::optional<qint64> seconds(QStringView stamp) {
    stamp = stamp.trimmed();
    qsizetype pos = 0;
    int month, day, year, hour, minute, second;
    if (!number(stamp, pos, '/', month) || !number(stamp, pos, '/', day) || !number(stamp, pos, ' ', year) ||
        !number(stamp, pos, ':', hour) || !number(stamp, pos, ':', minute) ||
        !number(stamp, pos, QChar(), second))
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid()) return std::nullopt;
    return date.toJulianDay() * 86400 + qint64(hour) * 3600 + qint64(minute) * 60 + second;
}

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
