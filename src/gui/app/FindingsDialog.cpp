#include "app/FindingsDialog.h"

#include "check/PreflightCheck.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zr {

FindingsDialog::FindingsDialog(const CheckResult& result, Use use, QWidget* parent) : QDialog(parent) {
    setObjectName("FindingsDialog");
    setWindowTitle(result.hasErrors() ? "Check: errors found" : "Check: warnings");
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        use == Use::Review ? QString("What an update of this profile would run into:")
        : result.hasErrors()
            ? QString("The board would not work as it should with what this update sends. Put these right "
                      "first, or send anyway.")
            : QString("The update can go ahead, but look at these first."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    FindingsList = new QTableWidget(int(result.findings.size()), 3, this);
    FindingsList->setObjectName("FindingsList");
    FindingsList->setHorizontalHeaderLabels({"", "Place", "What to do"});
    FindingsList->verticalHeader()->hide();
    FindingsList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FindingsList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FindingsList->setShowGrid(false);
    FindingsList->setWordWrap(true);
    FindingsList->horizontalHeader()->setStretchLastSection(true);
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int row = 0; row < result.findings.size(); ++row) {
        const Finding& finding = result.findings[row];
        const bool error = finding.severity == Finding::Severity::Error;
        FindingsList->setItem(row, 0, new QTableWidgetItem(error ? errorIcon : warningIcon, error ? "Error" : "Warning"));
        FindingsList->setItem(row, 1, new QTableWidgetItem(finding.place));
        FindingsList->setItem(row, 2, new QTableWidgetItem(finding.text));
    }
    FindingsList->resizeColumnsToContents();
    // The texts wrap in the last column: each row as high as its text, at any width.
    connect(FindingsList->horizontalHeader(), &QHeaderView::sectionResized, FindingsList,
            &QTableWidget::resizeRowsToContents);
    layout->addWidget(FindingsList, 1);

    Summary = new QLabel(result.summary(), this);
    Summary->setObjectName("Summary");
    layout->addWidget(Summary);

    auto* buttons = new QDialogButtonBox(this);
    if (use == Use::BeforeUpdate) {
        cmdGo = buttons->addButton(result.hasErrors() ? "&Send anyway" : "&Continue", QDialogButtonBox::AcceptRole);
        cmdGo->setObjectName("cmdGo");
        cmdCancel = buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
        // After errors the safe answer is the one Enter gives.
        (result.hasErrors() ? cmdCancel : cmdGo)->setDefault(true);
    } else {
        cmdCancel = buttons->addButton("&Close", QDialogButtonBox::RejectRole);
    }
    cmdCancel->setObjectName("cmdCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(720, 360);
}

} // namespace zr
