#include "reports/TrackingReport.h"

#include "menu/FieldReader.h"

#include <array>

namespace zr::TrackingReport {

QStringList columnNames() {
    return {"Record #", "Period Ending", "Graphic Name", "Display Count", "Hit Count"};
}

Report build(const QString& text) {
    Report report(columnNames());
    FieldReader in(text);
    std::array<QString, 4> f;
    qint64 record = 1;
    while (!in.atEnd()) {
        const std::size_t got = in.nextRecord(f);
        if (got < f.size()) {
            report.addProblem(ReportMessages::FileProblem);
            break;
        }
        const int row = report.addRow();
        report.set(row, 0, QString::number(record), record);
        ++record;
        for (int c = 0; c < 4; ++c)
            report.set(row, c + 1, std::move(f[c]));
    }
    return report;
}

Report read(const QString& path) {
    return build(StatsText::readFile(path, QStringLiteral("TrackingReport")));
}

} // namespace zr::TrackingReport
