#include "app/FindingsDialog.h"

#include "check/PreflightCheck.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
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

    FindingsList = new QTreeWidget(this);
    FindingsList->setObjectName("FindingsList");
    FindingsList->setHeaderLabels({"", "Place", "What to do"});
    FindingsList->setRootIsDecorated(false);
    FindingsList->setWordWrap(true);
    FindingsList->header()->setStretchLastSection(true);
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const Finding& finding : result.findings) {
        const bool error = finding.severity == Finding::Severity::Error;
        auto* row = new QTreeWidgetItem(FindingsList, {error ? "Error" : "Warning", finding.place, finding.text});
        row->setIcon(0, error ? errorIcon : warningIcon);
        row->setToolTip(2, finding.text);
    }
    for (int c = 0; c < 2; ++c)
        FindingsList->resizeColumnToContents(c);
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
