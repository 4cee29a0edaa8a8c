#include "reports/ReportWindow.h"

#include "app/AppPaths.h"
#include "app/Dialogs.h"
#include "app/Prompts.h"
#include "app/TextFile.h"
#include "app/frmMain.h"
#include "reports/ReportModel.h"
#include "reports/ReportParts.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace zr {

// Only the first rows are measured, so that a long file is not scanned.
void ReportWindow::fitColumns() {
    QTreeView* list = m_list;
    const QAbstractItemModel* model = list->model();
    const QFontMetrics header(list->header()->font());
    const QFontMetrics cells(list->font());
    const int rows = std::min(model->rowCount(), 200);
    const int goalColumn = m_model->goal() ? m_model->report().columnCount() : -1;
    for (int c = 0; c < model->columnCount(); ++c) {
        int width = header.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString()) + 24;
        for (int r = 0; r < rows; ++r)
            width = std::max(width, cells.horizontalAdvance(model->index(r, c).data().toString()) + 16);
        // A new goal marks other rows without fitting the columns again.
        if (c == goalColumn)
            width = std::max(width, cells.horizontalAdvance(ReportModel::SlowerThanGoal) + 16);
        list->setColumnWidth(c, std::min(width, 260));
    }
    updateGeometry(); // the window may ask for more room now
}

QSize ReportWindow::sizeHint() const {
    QSize hint = QWidget::sizeHint();
    const QSize list = m_list->sizeHint();
    const int columns = m_list->header()->length() + 2 * m_list->frameWidth() +
                        m_list->verticalScrollBar()->sizeHint().width();
    const int page = m_list->header()->sizeHint().height() + 2 * m_list->frameWidth() +
                     20 * (m_list->fontMetrics().height() + 4);
    hint.rwidth() += std::max(0, columns - list.width());
    hint.rheight() += std::max(0, page - list.height());
    return hint;
}

ReportWindow::ReportWindow(frmMain& main, ReportWindowSetup setup) : m_main(main), m_setup(std::move(setup)) {
    setObjectName(m_setup.objectName);
    setWindowTitle(m_setup.caption);

    Title = makeReportTitle(m_setup.heading, this);

    UserFileName = new QLineEdit(this);
    UserFileName->setObjectName("UserFileName");
    UserFileName->setReadOnly(!m_setup.padFile);
    FileSelect = new QPushButton(QString::fromUtf8("&Browse…"), this);
    FileSelect->setObjectName("FileSelect");
    auto* fileLabel = new QLabel("File &name:", this);
    fileLabel->setBuddy(UserFileName);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(UserFileName, 1);
    fileRow->addWidget(FileSelect);

    m_model = new ReportModel(m_setup.empty, this);
    m_list = makeReportList(m_setup.listName, this);
    m_list->setModel(m_model);
    m_list->header()->setStretchLastSection(false);
    fitColumns();

    auto* buttons = makeExportRow(Export, "Save what the window shows as a CSV file", this);

    m_body = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Title);
    layout->addLayout(fileRow);
    layout->addLayout(m_body, 1);
    layout->addLayout(buttons);

    const QString source = m_setup.objectName;
    connect(FileSelect, &QPushButton::clicked, this,
            [this, source] { m_main.guard().run(source + " FileSelect", [this] { FileSelect_Click(); }); });
    connect(Export, &QPushButton::clicked, this,
            [this, source] { m_main.guard().run(source + " Export", [this] { ExportReport(); }); });
    if (m_setup.padFile)
        connect(UserFileName, &QLineEdit::editingFinished, this, [this, source] {
            m_main.guard().run(source + " UserFileName", [this] { leaveFileName(); });
        });
}

QString ReportWindow::statisticsFolder() const {
    const QString relative =
        m_setup.statsFolder.isEmpty() ? QStringLiteral("Stats") : "Stats/" + m_setup.statsFolder;
    return m_main.paths().profileFile(m_main.Profile().ID().trimmed(), relative) + '/';
}

QString ReportWindow::fileFilter() const {
    if (!m_setup.padFile) return QStringLiteral("*.txt");
    // Fetched text pad files are stored as ".txt", so they are offered too.
    if (m_main.Profile().POS().StatsModule().toLower() == "zrpad") return QStringLiteral("*.pad;;*.txt");
    return QStringLiteral("*.txt");
}

void ReportWindow::FileSelect_Click() {
    const QString name =
        m_main.dialogs().openFile(this, QStringLiteral("Open Statistics:"), statisticsFolder(), fileFilter());
    if (name.isEmpty()) return;
    UserFileName->setText(name);
    BuildReport();
}

void ReportWindow::leaveFileName() {
    // Only a name typed in builds the report again.
    if (!UserFileName->isModified()) return;
    UserFileName->setModified(false);
    BuildReport();
}

void ReportWindow::BuildReport() {
    m_model->clear();
    const QString path = UserFileName->text();
    if (path.isEmpty()) {
        reportBuilt();
        return;
    }
    try {
        m_model->setReport(m_setup.read(path));
    } catch (...) {
        reportBuilt();
        throw;
    }
    fitColumns();
    reportBuilt();
    for (const QString& problem : m_model->report().problems())
        m_main.prompts().inform(QString(), problem);
}

QString ReportWindow::exportText() const {
    return m_model->toCsv();
}

void ReportWindow::ExportReport() {
    const QFileInfo source(UserFileName->text());
    const QString folder = UserFileName->text().isEmpty() ? statisticsFolder() : source.absolutePath() + '/';
    const QString base = source.completeBaseName().isEmpty() ? m_setup.objectName : source.completeBaseName();
    const QString name = askCsvFileName(m_main.dialogs(), this, folder + base + exportSuffix() + ".csv");
    if (name.isEmpty()) return;
    // Cells hold the file's bytes one character each; they are written back unchanged.
    TextFile::writeAtomically(name, exportText().toLatin1(), "Export");
}

} // namespace zr
