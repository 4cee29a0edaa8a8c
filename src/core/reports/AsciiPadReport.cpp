#include "reports/AsciiPadReport.h"

#include "menu/FieldReader.h"

#include <array>

namespace zr::AsciiPadReport {

QStringList columnNames() {
    return {"Car #", "On Pad", "Off Pad", "Start Time", "Finish Time", "Order Total"};
}

Report build(const QString& text) {
    std::vector<bool> money(ColumnCount, false);
    money[OrderTotal] = true;
    Report report(columnNames(), std::move(money));
    FieldReader in(text);
    std::array<QString, 6> f;
    while (!in.atEnd()) {
        const std::size_t got = in.nextRecord(f);
        const std::optional<qint64> car = StatsText::integer(f[0]);
        const std::optional<qint64> cents = StatsText::integer(f[5]);
        if (got < f.size() || !car || !cents) {
            report.addProblem(ReportMessages::FileProblem);
            break;
        }
        const int row = report.addRow();
        // The number as a number: "007" shows as 7.
        report.set(row, Car, QString::number(*car), *car);
        for (int c = OnPad; c <= FinishTime; ++c)
            report.set(row, c, std::move(f[c]));
        report.setValue(row, OrderTotal, *cents);
    }
    return report;
}

Report read(const QString& path) {
    return build(StatsText::readFile(path, QStringLiteral("AsciiPadReport")));
}

} // namespace zr::AsciiPadReport
