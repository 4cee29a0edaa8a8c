#include "profiles/frmNewProfile.h"

#include "app/Prompts.h"
#include "app/Routines.h"
#include "app/frmMain.h"
#include "model/ProfileStore.h"
#include "profiles/ProfileOps.h"

#include <QAction>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zr {

frmNewProfile::frmNewProfile(frmMain& main) : QDialog(&main), m_main(main) {
    setObjectName("frmNewProfile");
    setWindowTitle("Add a New Profile");
    setAttribute(Qt::WA_DeleteOnClose, false);

    Frame[0] = new QGroupBox("New Profile", this);
    Frame[1] = new QGroupBox("IP Options", this);
    lbl[0] = new QLabel("If this is your first time running this program, you will need to create a profile of you "
                        "Order Confirmation Board.  Please provide a name by which your Order Confirmation Board "
                        "will be known to you, and specify its IP Address.",
                        this);
    lbl[0]->setWordWrap(true);
    lbl[3] = new QLabel("Profile Identitiy", this);
    lbl[1] = new QLabel("IP Address", this);
    for (int i = 0; i < 5; ++i) {
        txt[i] = new QLineEdit(this);
        txt[i]->setObjectName(QString("txt_%1").arg(i));
        txt[i]->installEventFilter(this);
        connect(txt[i], &QLineEdit::textChanged, this, [this] { typed(); });
    }
    txt[0]->setMaxLength(25);
    txt[0]->setText("New Profile");
    lbl[3]->setBuddy(txt[0]);
    lbl[1]->setBuddy(txt[1]);
    // A sign or a decimal point would make an invalid address: digits only.
    auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), this);
    for (int i = 1; i <= 4; ++i) {
        txt[i]->setMaxLength(3);
        txt[i]->setValidator(digits);
        txt[i]->setFixedWidth(48);
        txt[i]->setAlignment(Qt::AlignCenter);
    }
    for (int i : {0, 1, 3}) lbl[i]->setObjectName(QString("lbl_%1").arg(i));
    Frame[0]->setObjectName("Frame_0");
    Frame[1]->setObjectName("Frame_1");

    auto* fields = new QGridLayout(Frame[0]);
    fields->addWidget(lbl[0], 0, 0, 1, 2);
    fields->addWidget(lbl[3], 1, 0);
    fields->addWidget(txt[0], 1, 1);
    fields->addWidget(lbl[1], 2, 0);
    auto* address = new QHBoxLayout;
    for (int i = 1; i <= 4; ++i) {
        address->addWidget(txt[i]);
        if (i < 4) address->addWidget(new QLabel(".", this));
    }
    address->addStretch();
    fields->addLayout(address, 2, 1);

    Opt[0] = new QRadioButton("Use New IP Address", Frame[1]);
    Opt[1] = new QRadioButton("Use Existing IP Address", Frame[1]);
    Opt[0]->setObjectName("Opt_0");
    Opt[1]->setObjectName("Opt_1");
    Opt[0]->setChecked(true);
    auto* options = new QHBoxLayout(Frame[1]);
    options->addWidget(Opt[0]);
    options->addWidget(Opt[1]);
    connect(Opt[0], &QRadioButton::toggled, this, [this](bool on) {
        if (on) m_copyAddress = false;
    });
    connect(Opt[1], &QRadioButton::toggled, this, [this](bool on) {
        if (!on) return;
        m_copyAddress = true;
        copyAddress();
    });

    ProfileList = new QTreeWidget(this);
    ProfileList->setObjectName("ProfileList");
    ProfileList->setHeaderLabels({"Profile Name", "IP Address"});
    ProfileList->setRootIsDecorated(false);
    ProfileList->header()->setSectionResizeMode(QHeaderView::Stretch);
    connect(ProfileList, &QTreeWidget::itemClicked, this, [this] {
        if (m_copyAddress) copyAddress();
    });

    cmd[0] = new QPushButton("&Accept", this);
    cmd[1] = new QPushButton("&Cancel", this);
    cmd[0]->setObjectName("cmd_0");
    cmd[1]->setObjectName("cmd_1");
    cmd[0]->setAutoDefault(false);
    cmd[1]->setAutoDefault(false);
    connect(cmd[0], &QPushButton::clicked, this, [this] { accept(); });
    connect(cmd[1], &QPushButton::clicked, this, [this] { close(); });

    auto* left = new QVBoxLayout;
    left->addWidget(Frame[0]);
    left->addWidget(Frame[1]);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd[0]);
    buttons->addWidget(cmd[1]);
    left->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(ProfileList, 1);
    cmd[0]->setEnabled(false);
}

bool frmNewProfile::waitForUser() {
    m_waiting = true;
    m_created = false;
    m_main.setHeld(frmMain::Hold::ProfileEditor, true);
    if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
    show();
    QEventLoop loop;
    while (!m_created && m_waiting) loop.processEvents(QEventLoop::WaitForMoreEvents);
    m_main.setHeld(frmMain::Hold::ProfileEditor, false);
    hide();
    return m_created;
}

bool frmNewProfile::CreateNewProfile() {
    ProfileList->show();
    Frame[1]->setEnabled(true);
    Frame[1]->show();
    cmd[0]->setEnabled(false);
    fillList();
    resize(760, 300);
    return waitForUser();
}

bool frmNewProfile::CreateFirstProfile(bool /*reopenEditor*/) {
    m_copyAddress = false;
    ProfileList->hide();
    Frame[1]->hide();
    for (QLineEdit* box : txt) box->clear();
    cmd[0]->setEnabled(false);
    resize(420, 260);
    return waitForUser();
}

void frmNewProfile::UnloadME() { close(); }

void frmNewProfile::fillList() {
    ProfileList->clear();
    for (const QString& name : ProfileStore::profileNames(m_main.paths()))
        new QTreeWidgetItem(ProfileList, {name, GetConfigIP(m_main.paths(), name)});
}

void frmNewProfile::typed() {
    if (!cmd[0]) return;  // the window is still being built
    if (!txt[0]->text().isEmpty()) m_nameTyped = true;
    if (!txt[1]->text().isEmpty() && !txt[2]->text().isEmpty() && !txt[3]->text().isEmpty() &&
        !txt[4]->text().isEmpty())
        m_addressTyped = true;
    cmd[0]->setEnabled(m_nameTyped && m_addressTyped);
}

void frmNewProfile::copyAddress() {
    QTreeWidgetItem* row = ProfileList->currentItem();
    if (!row || !row->isSelected()) return;
    const QString address = row->text(1);
    QStringList parts;
    qsizetype from = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype dot = address.indexOf('.', from);
        if (dot < 0) break;
        parts << address.mid(from, dot - from).trimmed();
        from = dot + 1;
    }
    parts << address.mid(from);
    for (int i = 1; i <= 4; ++i) txt[i]->setText(parts.value(i - 1));
}

bool frmNewProfile::eventFilter(QObject* watched, QEvent* event) {
    const auto index = std::find(txt.begin(), txt.end(), watched) - txt.begin();
    if (index >= 5) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, txt[index], &QLineEdit::selectAll);
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();  // whether or not the button is enabled
            return true;
        }
        if (index >= 1 && key == Qt::Key_Period) {
            if (index <= 3) txt[index + 1]->setFocus();
            return true;
        }
        if (index >= 2 && key == Qt::Key_Backspace && txt[index]->text().isEmpty()) {
            txt[index - 1]->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool frmNewProfile::validate() {
    QStringList parts;
    for (int i = 1; i <= 4; ++i) parts << txt[i]->text();
    // A profile folder of that name is refused also when the list is hidden:
    // making it current would take over its files.
    const std::optional<ProfileOps::NewProfileProblem> problem =
        ProfileOps::validateNewProfile(m_main.paths(), txt[0]->text(), parts);
    if (!problem) return true;
    m_main.prompts().inform("Error", problem->message);
    QLineEdit* box = txt[problem->field];
    if (problem->field == 0 && problem->message == "Profile already exists.") box->clear();
    box->setFocus();
    return false;
}

void frmNewProfile::accept() {
    m_main.guard().run("Add a New Profile", [this] {
        if (!validate()) return;
        const QString name = ProfileStore::trimmedName(txt[0]->text());
        const QString address =
            txt[1]->text() + "." + txt[2]->text() + "." + txt[3]->text() + "." + txt[4]->text();
        ProfileOps::createProfile(m_main.Profile(), name, address);
        m_main.LoadProfiles();
        m_main.SetTheCaption();
        m_created = true;
    });
}

void frmNewProfile::reject() { close(); }

void frmNewProfile::closeEvent(QCloseEvent* event) {
    m_waiting = false;
    QDialog::closeEvent(event);
}

} // namespace zr
