#include "comm/frmOCBComm.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Dialogs.h"
#include "app/FrontEndSettings.h"
#include "app/Prompts.h"
#include "app/Routines.h"
#include "app/TextWidth.h"
#include "app/frmMain.h"
#include "app/DateText.h"
#include "check/PreflightCheck.h"
#include "comm/TransferRecord.h"
#include "comm/TransferRun.h"
#include "model/ConfigReader.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zr {

namespace {

const char* const RetrieveWarning =
    "Warning: Retrieving OCB Settings will overwrite any changes to this profile "
    "you have made.  Are you sure you want to continue?";

} // namespace

frmOCBComm::frmOCBComm(frmMain& main) : QWidget(&main, Qt::Window), m_main(main) {
    setObjectName("frmOCBComm");
    setWindowTitle("Order Confirmation Board Communications");

    m_inputs = new QWidget(this);
    m_inputs->setObjectName("inputs");
    lbl[0] = new QLabel("Profile:", m_inputs);
    lbl[1] = new QLabel("IP Address:", m_inputs);
    cmb = new QComboBox(m_inputs);
    cmb->setMinimumContentsLength(24);
    IP = new QLabel(m_inputs);
    lblDate = new QLabel(m_inputs);

    const char* const frames[] = {"Communication settings", "Transfer Type", "Selective Transfer Options"};
    for (int i = 0; i < 3; ++i)
        fra[i] = new QGroupBox(frames[i], m_inputs);
    const char* const options[] = {"Update OCB with New Settings", "Retrieve Settings from OCB",
                                   "Standard Transfer", "Selective Transfer", "Efficient Transfer"};
    for (int i = 0; i < 5; ++i)
        opt[i] = new QRadioButton(options[i], fra[i < 2 ? 0 : 1]);
    const char* const checks[] = {"Config", "Menu", "Statistics", "Notify When Finished",
                                  "Synchronize OCB time to PC"};
    for (int i = 0; i < 5; ++i) {
        chk[i] = new QCheckBox(checks[i], i < 3 ? static_cast<QWidget*>(fra[2]) : m_inputs);
        chk[i]->setChecked(true);
    }
    cmd[0] = new QPushButton("&Update", m_inputs);
    cmd[1] = new QPushButton("E&xit", this);
    lbl[4] = new QLabel(this);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setTextVisible(false);
    // The status line and the progress bar keep their room while hidden, so
    // the window does not change size when a command starts.
    for (QWidget* w : {static_cast<QWidget*>(lbl[4]), static_cast<QWidget*>(ProgressBar)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
        w->hide();
    }

    cmb->setObjectName("cmb");
    IP->setObjectName("IP");
    lblDate->setObjectName("lblDate");
    ProgressBar->setObjectName("ProgressBar");
    auto name = [](QWidget* w, const char* kind, int i) {
        if (w) w->setObjectName(QString("%1_%2").arg(kind).arg(i));
    };
    for (int i = 0; i < 5; ++i) {
        name(opt[i], "opt", i);
        name(chk[i], "chk", i);
        name(lbl[i], "lbl", i);
    }
    for (int i = 0; i < 3; ++i)
        name(fra[i], "fra", i);
    for (int i = 0; i < 2; ++i)
        name(cmd[i], "cmd", i);

    // Layout: profile and address, the date, the three frames, the two
    // options of every command, then the status line and the buttons.
    auto* top = new QGridLayout;
    top->addWidget(lbl[0], 0, 0);
    top->addWidget(cmb, 0, 1);
    top->addWidget(lbl[1], 1, 0);
    top->addWidget(IP, 1, 1);
    top->addWidget(lblDate, 2, 0, 1, 2);
    top->setColumnStretch(1, 1);
    auto* commType = new QVBoxLayout(fra[0]);
    commType->addWidget(opt[0]);
    commType->addWidget(opt[1]);
    commType->addStretch();
    auto* transferType = new QVBoxLayout(fra[1]);
    for (int i = 2; i < 5; ++i)
        transferType->addWidget(opt[i]);
    auto* selective = new QHBoxLayout(fra[2]);
    for (int i = 0; i < 3; ++i)
        selective->addWidget(chk[i]);
    auto* frames2 = new QHBoxLayout;
    frames2->addWidget(fra[0]);
    frames2->addWidget(fra[1]);
    auto* checkRow = new QHBoxLayout;
    checkRow->addWidget(chk[3]);
    checkRow->addWidget(chk[4]);
    checkRow->addStretch();
    auto* inputs = new QVBoxLayout(m_inputs);
    inputs->setContentsMargins(0, 0, 0, 0);
    inputs->addLayout(top);
    inputs->addLayout(frames2);
    inputs->addWidget(fra[2]);
    inputs->addLayout(checkRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd[0]);
    buttons->addWidget(cmd[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_inputs);
    layout->addWidget(lbl[4]);
    layout->addWidget(ProgressBar);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(460);

    const ErrorGuard& guard = m_main.guard();
    for (int i = 0; i < 5; ++i)
        connect(opt[i], &QRadioButton::toggled, this, [this, i, &guard](bool on) {
            if (on) guard.run("Option", [&] { optionRule(i); });
        });
    connect(cmd[0], &QPushButton::clicked, this,
            [this, &guard] { guard.run("Command", [this] { RunCommand(); }); });
    connect(cmd[1], &QPushButton::clicked, this, &QWidget::close);

    guard.run("OCB Communications", [this] { opening(); });
    connect(cmb, &QComboBox::currentIndexChanged, this,
            [this, &guard] { guard.run("Choose Profile", [this] { profileChosen(); }); });
    m_main.installEventFilter(this);
    adjustSize();
}

frmOCBComm::~frmOCBComm() = default;

void frmOCBComm::opening() {
    setMainControls(false);
    select(0);
    FillProfileList();
    // Profile names are found on disk without regard to case, and so are they here.
    cmb->setCurrentIndex(cmb->findText(TrimBlanks(m_main.Profile().ID()), Qt::MatchFixedString));
    IP->setText(GetConfigIP(m_main.paths(), profile()));
    ShowLastUpdated();
    LoadCommSettings();
}

void frmOCBComm::setMainControls(bool enabled) {
    m_main.setHeld(frmMain::Hold::Communications, !enabled);
}

void frmOCBComm::FillProfileList() {
    cmb->clear();
    if (QMenu* names = m_main.profilesButton() ? m_main.profilesButton()->menu() : nullptr)
        for (const QAction* entry : names->actions())
            cmb->addItem(entry->text());
}

QString frmOCBComm::profile() const {
    return cmb->currentText();
}

void frmOCBComm::profileChosen() {
    IP->setText(GetConfigIP(m_main.paths(), profile()));
    if (opt[0]->isChecked())
        ShowLastUpdated();
    else
        ShowLastRetrieved();
}

// zr.conf's times are never set by a transfer, so the end of the last
// successful one in the profile's transfer record is shown when there is one.
QString frmOCBComm::lastTransfer(bool update) const {
    const TransferHistory h = TransferRecord::history(m_main.paths(), profile());
    if (const std::optional<TransferEntry>& e = update ? h.lastUpdate : h.lastRetrieve)
        return generalDateText({e->end.date(), e->end.time()});
    return ConfigReader::storedValue(m_main.paths(), profile(), update ? "last_update" : "last_retrieval");
}

void frmOCBComm::ShowLastUpdated() {
    lblDate->setText("Last Updated:     " + lastTransfer(true));
}

void frmOCBComm::ShowLastRetrieved() {
    lblDate->setText("Last Retrieved:   " + lastTransfer(false));
}

void frmOCBComm::select(int index) {
    if (opt[index]->isChecked())
        optionRule(index);
    else
        opt[index]->setChecked(true); // the toggle runs the rule
}

void frmOCBComm::optionRule(int index) {
    auto selectiveOptions = [this](bool enabled) {
        fra[2]->setEnabled(enabled);
        chk[0]->setEnabled(enabled);
        chk[1]->setEnabled(enabled);
    };
    switch (index) {
    case 0:
        ShowLastUpdated();
        chk[2]->setEnabled(false);
        chk[4]->setChecked(true);
        select(2);
        opt[3]->setEnabled(false);
        opt[4]->setEnabled(true);
        cmd[0]->setText("&Update");
        break;
    case 1:
        ShowLastRetrieved();
        opt[3]->setEnabled(true);
        if (opt[4]->isChecked()) select(2); // selecting standard clears efficient
        opt[4]->setEnabled(false);
        chk[4]->setChecked(false);
        if (opt[3]->isChecked()) chk[2]->setEnabled(true);
        cmd[0]->setText("&Retrieve");
        break;
    case 2:
    case 4:
        selectiveOptions(false);
        chk[2]->setEnabled(false);
        chk[4]->setChecked(true);
        break;
    case 3:
        selectiveOptions(true);
        chk[2]->setEnabled(opt[1]->isChecked());
        chk[4]->setChecked(false);
        break;
    default:
        break;
    }
}

void frmOCBComm::LoadCommSettings() {
    const std::optional<FrontEndSettings::StoredCommSettings> s = FrontEndSettings::LoadCommSettings(m_main.paths());
    if (!s || !s->update) return;
    select(*s->update ? 0 : 1);
    if (s->transferType == "standard")
        select(2);
    else if (s->transferType == "efficient")
        select(4);
    else if (s->transferType == "selective")
        select(3);
    const std::pair<std::optional<bool>, int> boxes[] = {
        {s->transferMenu, 1}, {s->transferConfig, 0}, {s->transferStatistics, 2}, {s->notifyTransferComplete, 3}};
    for (const auto& [value, index] : boxes)
        if (value) chk[index]->setChecked(*value);
}

void frmOCBComm::SaveCommSettings() {
    FrontEndSettings::CommSettings s;
    s.update = opt[0]->isChecked();
    s.transferType = opt[2]->isChecked()   ? "standard"
                     : opt[3]->isChecked() ? "selective"
                     : opt[4]->isChecked() ? "efficient"
                                           : QString();
    s.transferConfig = chk[0]->isChecked();
    s.transferMenu = chk[1]->isChecked();
    s.transferStatistics = chk[2]->isChecked();
    s.notifyTransferComplete = chk[3]->isChecked();
    FrontEndSettings::SaveCommSettings(m_main.paths(), s);
}

TransferChoices frmOCBComm::choices() const {
    TransferChoices c;
    c.update = opt[0]->isChecked();
    c.type = opt[3]->isChecked()   ? TransferChoices::Type::Selective
             : opt[4]->isChecked() ? TransferChoices::Type::Efficient
                                   : TransferChoices::Type::Standard;
    c.config = chk[0]->isChecked();
    c.menu = chk[1]->isChecked();
    c.statistics = chk[2]->isChecked();
    c.syncTime = chk[4]->isChecked();
    return c;
}

void frmOCBComm::showStatus(const QString& text, int value, int maximum) {
    lbl[4]->setText(text);
    ProgressBar->setRange(0, maximum);
    ProgressBar->setValue(value);
    lbl[4]->show();
    ProgressBar->show();
}

// One command against the OCB. A failure that the procedure passes up is
// shown, logged and written to Ftp.log here; it counts as a failed command.
// Returns nothing when such a failure was reported.
std::optional<bool> frmOCBComm::transfer(bool update) {
    TransferTarget target;
    target.profile = profile();
    target.ip = IP->text();
    target.defaultPOP = m_main.Profile().DefaultPOP();
    target.defaultItem = m_main.Profile().DefaultItem();
    TransferChoices chosen = choices();
    chosen.update = update;
    return runTransfer(m_main.paths(), m_main.prompts(), m_main.clock(), target, chosen,
                       [this](const QString& text, int value, int maximum) { showStatus(text, value, maximum); })
        .ok;
}

void frmOCBComm::takeInput(bool on) {
    m_inputs->setEnabled(on);
    cmd[0]->setEnabled(on);
}

void frmOCBComm::RunCommand() {
    if (m_busy || profile().isEmpty()) return;
    m_busy = true;
    cmd[1]->setEnabled(false);
    m_main.setHeld(frmMain::Hold::Command, true);
    struct Idle {
        frmOCBComm* w;
        ~Idle() {
            w->m_main.setHeld(frmMain::Hold::Command, false);
            w->takeInput(true);
            w->m_busy = false;
            w->cmd[1]->setEnabled(true);
            w->lbl[4]->hide();
            w->ProgressBar->hide();
        }
    } idle{this};
    const bool notify = chk[3]->isChecked();
    if (opt[0]->isChecked()) {
        takeInput(false);
        // The check comes first; a clean one shows nothing.
        CheckOptions check;
        check.ip = IP->text();
        check.defaultPOP = m_main.Profile().DefaultPOP();
        check.defaultItem = m_main.Profile().DefaultItem();
        check.messageWidthTwips = [](const QString& text) { return textWidthTwips(text); };
        const CheckResult found = checkProfile(m_main.paths(), profile(), check);
        if (!found.findings.isEmpty() && !m_main.dialogs().confirmFindings(this, found)) return;
        const std::optional<bool> ok = transfer(true);
        takeInput(true);
        ShowLastUpdated();
        if (ok && notify)
            m_main.prompts().inform(QString(),
                                    *ok ? "Update of the OCB completed." : "Update of the OCB Failed.");
        return;
    }
    if (m_main.prompts().ask("WARNING:", RetrieveWarning, Buttons::YesNo) != Button::Yes) return;
    takeInput(false);
    const std::optional<bool> ok = transfer(false);
    takeInput(true);
    ShowLastRetrieved();
    if (ok && *ok && notify) m_main.prompts().inform(QString(), "Retrieval from the OCB completed.");
    // The current profile is read again from disk, also after a failure: the
    // retrieve may have replaced some of its files, and what is held in memory
    // must never be written over them later.
    m_main.ReloadProfile();
}

void frmOCBComm::closeEvent(QCloseEvent* event) {
    if (m_busy) {
        event->ignore();
        return;
    }
    if (!m_closed) {
        m_closed = true;
        setMainControls(true);
        m_main.guard().run("Save Comm Settings", [this] { SaveCommSettings(); });
    }
    event->accept();
}

// The main window cannot close under a running command; when it closes
// otherwise, this window closes with it.
bool frmOCBComm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_main && event->type() == QEvent::Close) {
        if (m_busy) {
            event->ignore();
            return true;
        }
        close();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zr
