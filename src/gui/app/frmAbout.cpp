#include "app/frmAbout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zr {

QString versionText() {
    return QStringLiteral(ZR_VERSION);
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("About ZR 5000 FE");
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel("<b>ZR5000FE</b>", this);
    product->setObjectName("lblTitle");
    auto* version = new QLabel("Version: " + versionText(), this);
    version->setObjectName("lblVersion");
    auto* description = new QLabel(
        "Configures drive-thru Order Confirmation Boards: profiles, order and total screens, "
        "POP slideshows, suggestive sales and the pre-sell message; sends them to the boards and "
        "reads their statistics back.",
        this);
    description->setWordWrap(true);
    description->setObjectName("lblDescription");
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addWidget(description);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("cmdOK");
    // The system information button has never opened anything.
    QPushButton* info = buttons->addButton("&System Info...", QDialogButtonBox::ActionRole);
    info->setObjectName("cmdSysInfo");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

} // namespace zr
