#pragma once

#include <QString>
#include <QStringList>
#include <QByteArray>
#include <QStringView>
#include <QByteArrayView>
#include <limits>
#include <optional>
#include <vector>

namespace zr {

namespace ReportMessages {
inline const QString FileProblem =
    QStringLiteral("There is a problem with this file.  Make sure that it is the desired one.");
inline const QString TimeFormatProblem = QStringLiteral(
    "There is a problem with the internal time formats.  Make sure that it is the desired file.");
} // namespace ReportMessages

/// A statistics report: rows of text cells, each with a hidden number that
/// views use for money and sorting (cents in money columns, seconds in duration
/// columns, the arrival time in seconds beside a pad-1 arrival).
///
/// A money cell keeps its amount only as cents; its text stays empty, and
/// windows format the amount in the user's currency.
///
/// Texts are kept one byte per character, as statistics files are read, all
/// in one block; a cell that shows its number keeps no text at all. A row of
/// a pad report thus takes a few hundred bytes.
class Report {
public:
    static constexpr qint64 NoValue = std::numeric_limits<qint64>::min();

    Report(QStringList columns, std::vector<bool> moneyColumns = {});

    const QStringList& columns() const { return m_columns; }
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    int rowCount() const { return m_rows; }
    bool isMoney(int column) const { return m_money[column]; }

    QString cell(int row, int column) const;
    qint64 value(int row, int column) const { return m_values[index(row, column)]; }
    /// The cell as plain text: a money cell with an amount gives it as a plain decimal.
    QString text(int row, int column) const;

    /// The messages met while reading, each once, in the order met.
    const QStringList& problems() const { return m_problems; }

    int addRow();
    void set(int row, int column, const QString& text, qint64 value = NoValue);
    void set(int row, int column, QByteArrayView text, qint64 value = NoValue);
    /// A cell that shows its number, after a "?" when marked.
    void setNumber(int row, int column, qint64 value, bool marked = false);
    void setValue(int row, int column, qint64 value) { m_values[index(row, column)] = value; }
    void addProblem(const QString& message);
    /// Room for the rows, and for texts of so many bytes in all (a file's texts take at most its size).
    void reserve(int rows, qsizetype textBytes);
    /// The bytes that the texts of all rows take.
    qsizetype textBytes() const { return m_texts.size(); }

    /// The report as CSV: the column names, then one line per row, each line ending in "\n".
    /// Cells with a comma, a quote or a line end are quoted.
    QString toCsv() const;
    /// The first line of the CSV, and the line of one row, each ending in "\n".
    QString csvHeader() const;
    QString csvLine(int row) const;
    /// The same line, one byte per character, added to out (without a QString on the way).
    void appendCsvLine(QByteArray& out, int row) const;

private:
    std::size_t index(int row, int column) const {
        return static_cast<std::size_t>(row) * m_columns.size() + column;
    }

    // Where a cell's text lies in m_texts; two lengths say that the text is the number.
    struct Cell {
        quint32 offset = 0;
        quint32 length = 0;
    };
    static constexpr quint32 Number = 0xffffffff;
    static constexpr quint32 MarkedNumber = 0xfffffffe;

    QStringList m_columns;
    std::vector<bool> m_money;
    QByteArray m_texts;
    std::vector<Cell> m_cells;
    std::vector<qint64> m_values;
    int m_rows = 0;
    QStringList m_problems;
};

/// One cell of a CSV line, quoted when it holds a comma, a quote or a line end.
QString csvCell(const QString& cell);

/// Cents as a plain decimal with two digits: 1234 gives "12.34", -500 gives "-5.00".
QString centsText(qint64 cents);

namespace StatsText {

/// An integer field of a statistics file: optional sign and up to 18 digits;
/// an empty field is 0. Anything else gives nothing.
std::optional<qint64> integer(QStringView field);
/// The same, for a field given as the file's bytes.
std::optional<qint64> integer(QByteArrayView field);

/// A time stamp "M/D/YYYY h:m:s" (each part one or more digits) as seconds
/// counted from a fixed day, so that differences span midnight and days.
std::optional<qint64> seconds(QStringView stamp);
std::optional<qint64> seconds(QByteArrayView stamp);

/// The text of a statistics file with blank lines at its end dropped, so
/// that a final empty line does not count as a record cut short.
QString withoutTrailingBlankLines(QString text);

/// The whole file, read as one 8-bit character per byte. A missing file
/// raises an AppError with the given source.
QString readFile(const QString& path, const QString& source);

} // namespace StatsText
} // namespace zr
