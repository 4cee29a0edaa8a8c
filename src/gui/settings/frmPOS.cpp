#include "settings/frmPOS.h"

#include "app/AppPaths.h"
#include "app/EditorSupport.h"
#include "app/Logs.h"
#include "app/Prompts.h"
#include "app/Routines.h"
#include "app/TextFile.h"
#include "app/WindowsText.h"
#include "app/frmMain.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zr {

namespace {

const char* const Source = "POS Settings";

} // namespace

frmPOS::frmPOS(frmMain& main) : m_main(main) {
    setObjectName("frmPOS");
    setWindowTitle("POS Settings");
    const char* const labels[] = {"POS Name", "POS Software Version", "POS Operation Mode",
                                  "POS Connection Type", "Statistics Type"};
    auto* form = new QFormLayout;
    for (int i = 0; i < 5; ++i) {
        cmb[i] = new QComboBox(this);
        cmb[i]->setObjectName(QString("cmb_%1").arg(i));
        cmb[i]->setMinimumWidth(200);
        form->addRow(labels[i], cmb[i]);
    }
    txt = new QLineEdit(this);
    txt->setObjectName("txt");
    storableTextOnly(m_main, txt, Source);
    form->addRow("Video Till / Mask Registers", txt);
    cmb[2]->addItems({"video", "registers"});
    cmb[3]->addItems({"socket", "sniff"});
    cmb[4]->addItems({"binary", "ascii"});
    cmb[1]->setEnabled(false);
    cmb[2]->setEnabled(false);
    connect(cmb[0], &QComboBox::currentIndexChanged, this,
            [this] { m_main.guard().run(Source, [this] { EnableFields(); }); });

    QHBoxLayout* buttons = EditorButtons{
        Source, "Do you want to save your changes?", [this] { return Changed(); },
        EditorButtons::storing([this] {
            Apply();
        })}.createButtons(m_main, this, cmd.data());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    load();
}

void frmPOS::load() {
    m_main.prompts().warn(QString(),
                          "Warning: Changing these settings could result in the malfunction of your OCB."
                          " Do not change these settings unless you know what you are doing.");
    ProfileLogs(m_main.paths(), m_main.clock()).LogEvent(m_main.Profile().ID(), LogEntry(true));
    fillNames();
    POS& pos = m_main.Profile().POS();
    showStored(cmb[0], pos.ID());
    showStored(cmb[3], pos.CommType());
    showStored(cmb[4], pos.Stats());
    showStored(cmb[1], pos.Version());
    showStored(cmb[2], pos.Mode());
    txt->setText(shownText(pos.Till()));
    EnableFields();
}

void frmPOS::fillNames() {
    const auto translators = readTranslators(m_main.paths());
    cmb[0]->clear();
    if (!translators) {
        cmb[0]->addItems(POS::knownTypes());
        cmb[0]->addItem("Compris");
        return;
    }
    for (const Translator& t : *translators)
        if (!t.type.isEmpty()) cmb[0]->addItem(t.type);
}

void frmPOS::showStored(QComboBox* list, const QString& value) {
    if (value.isEmpty()) return;
    int at = list->findText(value, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (at < 0) {
        list->addItem(value);
        at = list->count() - 1;
    }
    list->setCurrentIndex(at);
}

void frmPOS::EnableFields() {
    const QString name = cmb[0]->currentText().toLower();
    if (name == "par tc" || name == "par gt") {
        txt->setEnabled(true);
        cmb[2]->setEnabled(true);
    } else if (name == "pan 2 +") {
        txt->setEnabled(true);
        cmb[1]->setEnabled(false);
        cmb[2]->setEnabled(false);
    } else {
        txt->setEnabled(false);
        cmb[1]->setEnabled(false);
        cmb[2]->setEnabled(false);
    }
}

bool frmPOS::Changed() {
    POS& pos = m_main.Profile().POS();
    const QString stored[] = {pos.ID(), pos.Version(), pos.Mode(), pos.CommType(), pos.Stats()};
    for (int i = 0; i < 5; ++i)
        if (cmb[i]->currentIndex() >= 0 && cmb[i]->currentText() != stored[i]) return true;
    return storedText(txt->text()) != pos.Till();
}

void frmPOS::Apply() {
    Profiles& profile = m_main.Profile();
    POS& pos = profile.POS();
    // A list without a choice keeps the profile's value.
    const auto chosen = [this](int i) { return cmb[i]->currentIndex() >= 0; };
    if (chosen(0)) pos.setID(cmb[0]->currentText());
    if (chosen(1)) pos.setVersion(cmb[1]->currentText());
    if (chosen(2)) pos.setMode(cmb[2]->currentText());
    if (chosen(3)) pos.setCommType(cmb[3]->currentText());
    if (chosen(4)) pos.setStats(cmb[4]->currentText());
    pos.setTill(storedText(txt->text()));
    profile.SaveProfile();
    ProfileLogs(m_main.paths(), m_main.clock()).LogEvent(profile.ID(), LogEntry(false));
}

QString frmPOS::LogEntry(bool entered) {
    Profiles& profile = m_main.Profile();
    POS& pos = profile.POS();
    const QString pad(15, ' ');
    const QStringList lines{
        entered ? "POS Editor Entered:" : "POS Editor Used to Change Settings:",
        entered ? "     Current Settings:" : "     New Settings:",
        QString(entered ? 15 : 10, ' ') + "PROFILE       = " + profile.ID(),
        pad + "IP ADDRESS    = " + profile.IPAddress(),
        pad + "POS SYSTEM    = " + pos.ID(),
        pad + "POS MODE      = " + pos.Mode(),
        QString(16, ' ') + "POS VERSION   = " + pos.Version(),
        pad + "COMM TYPE     = " + pos.CommType(),
        pad + "STATS TYPE    = " + pos.Stats(),
        pad + "MASK REGISTER = " + pos.Till(),
    };
    return lines.join("\r\n") + "\r\n";
}

} // namespace zr
