#include "reports/PadReport.h"

#include "reports/PadPairing.h"
#include "reports/StatsStream.h"

#include <array>

namespace zr::PadReport {

namespace {

using Fields = std::array<QByteArrayView, 7>;

class Builder {
public:
    Builder() : m_report(columnNames(), moneyColumns()) {}

    Report run(StatsStream& in);

private:
    static std::vector<bool> moneyColumns() {
        std::vector<bool> money(ColumnCount, false);
        money[OrderTotal] = money[TenderTotal] = money[TotalDifference] = true;
        return money;
    }

    // Seconds of a time stamp; nothing when empty, or when it cannot be read (with the message).
    std::optional<qint64> stamp(QByteArrayView text) {
        if (text.isEmpty()) return std::nullopt;
        const std::optional<qint64> s = StatsText::seconds(text);
        if (!s) m_report.addProblem(ReportMessages::TimeFormatProblem);
        return s;
    }

    void setDuration(int row, int column, std::optional<qint64> from, std::optional<qint64> to) {
        if (from && to)
            m_report.setNumber(row, column, *to - *from);
        else
            m_report.set(row, column, QByteArrayView(" "));
    }

    void padOne(const Fields& f, qint64 check, qint64 cents);
    void padTwo(const Fields& f, qint64 check, qint64 cents);

    Report m_report;
    qint64 m_rowNumber = 1;
    qint64 m_cars = 0;
    std::optional<qint64> m_arrival1, m_arrival2;
    PadPairing m_pairing;
};

void Builder::padOne(const Fields& f, qint64 check, qint64 cents) {
    if (!f[2].isEmpty()) {
        ++m_cars;
        m_arrival1 = stamp(f[2]);
    }
    const PadPairing::Place place = m_pairing.padOne(check);
    const int row = m_report.addRow();

    const std::optional<qint64> start = stamp(f[4]);
    const std::optional<qint64> off = stamp(f[3]);
    m_report.setNumber(row, Index, m_rowNumber);
    ++m_rowNumber;
    m_report.setNumber(row, Car, m_cars);
    m_report.setNumber(row, Check, place.check, place.marked);
    m_report.set(row, OnPad1, f[2], m_arrival1.value_or(Report::NoValue));
    setDuration(row, GreetTime, m_arrival1, start);
    m_report.set(row, OffPad1, f[3]);
    setDuration(row, Pad1Time, m_arrival1, off);
    m_report.setValue(row, OrderTotal, cents);
    m_report.set(row, StartTime, f[4]);
    m_report.set(row, FinishTime, f[5]);
}

void Builder::padTwo(const Fields& f, qint64 check, qint64 cents) {
    if (!f[2].isEmpty()) m_arrival2 = stamp(f[2]);
    const PadPairing::Place place = m_pairing.padTwo(check);
    const int row = place.row;
    if (place.started) {
        // A pickup with no order row: a car of its own with blank pad-1 columns.
        ++m_cars;
        m_report.addRow();
        ++m_rowNumber;
        m_report.setNumber(row, Index, m_cars);
        m_report.setNumber(row, Car, m_cars);
        m_report.setNumber(row, Check, place.check, place.marked);
        for (int c = OnPad1; c <= FinishTime; ++c)
            m_report.set(row, c, QByteArrayView(" "));
    }

    const std::optional<qint64> off = stamp(f[3]);
    const qint64 arrival1 = m_report.value(row, OnPad1);
    const qint64 ordered = m_report.value(row, OrderTotal);
    m_report.set(row, OnPad2, f[2], m_arrival2.value_or(Report::NoValue));
    m_report.setValue(row, TenderTotal, cents);
    m_report.set(row, TenderTime, f[5]);
    m_report.setValue(row, TotalDifference, (ordered == Report::NoValue ? 0 : ordered) - cents);
    m_report.set(row, OffPad2, f[3]);
    setDuration(row, Pad2Time, m_arrival2, off);
    setDuration(row, TotalTime, arrival1 == Report::NoValue ? std::nullopt : std::optional(arrival1), off);
}

Report Builder::run(StatsStream& in) {
    Fields f;
    // Room for the whole file, as its first rows promise, so that the rows are not moved (and
    // held twice) as they grow; a little more than the promise, as the times grow longer.
    constexpr int Sample = 1024;
    m_report.reserve(Sample, 128 * Sample);
    bool sized = false;
    while (!in.atEnd()) {
        if (!sized && m_report.rowCount() >= Sample) {
            sized = true;
            const double share = static_cast<double>(in.size()) / static_cast<double>(std::max<qint64>(in.position(), 1));
            const double rows = std::min(share * m_report.rowCount() * 1.04 + 64, double(1 << 22));
            const double texts = std::min(share * static_cast<double>(m_report.textBytes()) * 1.04 + 4096,
                                          double(std::numeric_limits<quint32>::max() - 2));
            m_report.reserve(static_cast<int>(rows), static_cast<qsizetype>(texts));
        }
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
    StatsStream in(text);
    return Builder().run(in);
}

Report read(const QString& path) {
    StatsStream in(path, QStringLiteral("PadReport"));
    return Builder().run(in);
}

} // namespace zr::PadReport
