#include "reports/PadReport.h"

#include "menu/FieldReader.h"

#include <QHash>
#include <array>

namespace zr::PadReport {

namespace {

// A row's key: its check number, and whether the number is marked "?".
struct Key {
    qint64 number;
    bool marked;
    bool operator==(const Key&) const = default;
};
size_t qHash(const Key& key, size_t seed = 0) {
    return qHashMulti(seed, key.number, key.marked);
}

class Builder {
public:
    Builder() : m_report(columnNames(), moneyColumns()) {}

    Report run(const QString& text);

private:
    static std::vector<bool> moneyColumns() {
        std::vector<bool> money(ColumnCount, false);
        money[OrderTotal] = money[TenderTotal] = money[TotalDifference] = true;
        return money;
    }

    // Seconds of a time stamp; nothing when empty, or when it cannot be read (with the message).
    std::optional<qint64> stamp(QStringView text) {
        if (text.isEmpty()) return std::nullopt;
        const std::optional<qint64> s = StatsText::seconds(text);
        if (!s) m_report.addProblem(ReportMessages::TimeFormatProblem);
        return s;
    }

    void setDuration(int row, int column, std::optional<qint64> from, std::optional<qint64> to) {
        if (from && to)
            m_report.set(row, column, QString::number(*to - *from), *to - *from);
        else
            m_report.set(row, column, QStringLiteral(" "));
    }

    static QString checkText(qint64 number, bool marked) {
        return marked ? '?' + QString::number(number) : QString::number(number);
    }

    void padOne(std::array<QString, 7>& f, qint64 check, qint64 cents);
    void padTwo(std::array<QString, 7>& f, qint64 check, qint64 cents);

    Report m_report;
    qint64 m_rowNumber = 1;
    qint64 m_cars = 0;
    std::optional<qint64> m_arrival1, m_arrival2;
    qint64 m_lastCheck1 = 0, m_lastCheck2 = 0;
    QHash<Key, int> m_rows;
    std::vector<bool> m_hasPad2;
    // Walks over taken check numbers (+100 at a time) resume where the last walk
    // from the same number ended, so that a file full of one number stays fast.
    QHash<qint64, qint64> m_pad1Walks, m_pad2Walks;
};

void Builder::padOne(std::array<QString, 7>& f, qint64 check, qint64 cents) {
    if (!f[2].isEmpty()) {
        ++m_cars;
        m_arrival1 = stamp(f[2]);
    }
    bool marked = check <= 0;
    qint64 n = marked ? m_lastCheck1 + 1 : check;
    m_lastCheck1 = n;
    if (m_rows.contains({n, marked})) {
        // The number is taken: the row goes under the next free "?" number 100 further on.
        const qint64 from = n;
        n = m_pad1Walks.value(from, from) + 100;
        while (m_rows.contains({n, true}))
            n += 100;
        m_pad1Walks.insert(from, n);
        marked = true;
    }
    if (marked) {
        // A row for a pad 2 to choose where pad-2 walks went past: they must look again.
        const auto plain = m_rows.constFind({n, false});
        if (plain != m_rows.cend() && m_hasPad2[*plain]) m_pad2Walks.clear();
    }
    const int row = m_report.addRow();
    m_rows.insert({n, marked}, row);
    m_hasPad2.push_back(false);

    const std::optional<qint64> start = stamp(f[4]);
    const std::optional<qint64> off = stamp(f[3]);
    m_report.set(row, Index, QString::number(m_rowNumber), m_rowNumber);
    ++m_rowNumber;
    m_report.set(row, Car, QString::number(m_cars), m_cars);
    m_report.set(row, Check, checkText(n, marked), n);
    m_report.set(row, OnPad1, std::move(f[2]), m_arrival1.value_or(Report::NoValue));
    setDuration(row, GreetTime, m_arrival1, start);
    m_report.set(row, OffPad1, std::move(f[3]));
    setDuration(row, Pad1Time, m_arrival1, off);
    m_report.setValue(row, OrderTotal, cents);
    m_report.set(row, StartTime, std::move(f[4]));
    m_report.set(row, FinishTime, std::move(f[5]));
}

void Builder::padTwo(std::array<QString, 7>& f, qint64 check, qint64 cents) {
    if (!f[2].isEmpty()) m_arrival2 = stamp(f[2]);
    const bool marked = check <= 0;
    qint64 m = marked ? m_lastCheck2 + 1 : check;
    m_lastCheck2 = m;

    const qint64 from = m;
    if (const auto walked = m_pad2Walks.constFind(from); walked != m_pad2Walks.cend()) m = *walked + 100;
    std::optional<qint64> passed;
    int row = -1;
    while (row < 0) {
        const auto plain = m_rows.constFind({m, false});
        const auto withMark = m_rows.constFind({m, true});
        if (plain != m_rows.cend()) {
            if (!m_hasPad2[*plain])
                row = *plain;
            else if (withMark != m_rows.cend() && !m_hasPad2[*withMark])
                row = *withMark;
            else {
                passed = m;
                m += 100;
            }
        } else if (withMark != m_rows.cend()) {
            row = *withMark;
        } else {
            // A pickup with no order row: a car of its own with blank pad-1 columns.
            ++m_cars;
            row = m_report.addRow();
            m_rows.insert({m, false}, row);
            m_hasPad2.push_back(false);
            ++m_rowNumber;
            m_report.set(row, Index, QString::number(m_cars), m_cars);
            m_report.set(row, Car, QString::number(m_cars), m_cars);
            m_report.set(row, Check, checkText(m, marked), m);
            for (int c = OnPad1; c <= FinishTime; ++c)
                m_report.set(row, c, QStringLiteral(" "));
        }
    }
    if (passed) m_pad2Walks.insert(from, *passed);
    m_hasPad2[row] = true;

    const std::optional<qint64> off = stamp(f[3]);
    const qint64 arrival1 = m_report.value(row, OnPad1);
    const qint64 ordered = m_report.value(row, OrderTotal);
    m_report.set(row, OnPad2, std::move(f[2]), m_arrival2.value_or(Report::NoValue));
    m_report.setValue(row, TenderTotal, cents);
    m_report.set(row, TenderTime, std::move(f[5]));
    m_report.setValue(row, TotalDifference, (ordered == Report::NoValue ? 0 : ordered) - cents);
    m_report.set(row, OffPad2, std::move(f[3]));
    setDuration(row, Pad2Time, m_arrival2, off);
    setDuration(row, TotalTime, arrival1 == Report::NoValue ? std::nullopt : std::optional(arrival1), off);
}

Report Builder::run(const QString& text) {
    FieldReader in(text);
    std::array<QString, 7> f;
    m_report.reserve(static_cast<int>(std::min<qsizetype>(text.size() / 120, 1 << 22)));
    while (!in.atEnd()) {
        const std::size_t got = in.nextRecord(f);
        const std::optional<qint64> kind = StatsText::integer(f[0]);
        const std::optional<qint64> check = StatsText::integer(f[1]);
        const std::optional<qint64> cents = StatsText::integer(f[6]);
        if (got < f.size() || !kind || !check || !cents) {
            m_report.addProblem(ReportMessages::FileProblem);
            break;
        }
        if (*kind == 1)
            padOne(f, *check, *cents);
        else if (*kind == 2)
            padTwo(f, *check, *cents);
    }
    return std::move(m_report);
}

} // namespace

QStringList columnNames() {
    return {"Index",     "Car #",        "Check #",     "On Pad1",          "Greet Time",
            "Off Pad1",  "Pad1 Time",    "Order Total", "Start Time",       "Finish Time",
            "On Pad2",   "Tender Total", "Tender Time", "Total Difference", "Off Pad2",
            "Pad2 Time", "Total Time"};
}

Report build(const QString& text) {
    return Builder().run(text);
}

Report read(const QString& path) {
    return build(StatsText::readFile(path, QStringLiteral("PadReport")));
}

} // namespace zr::PadReport
