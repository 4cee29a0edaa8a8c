#include "settings/frmGeneral.h"

#include "app/EditorSupport.h"
#include "app/Prompts.h"
#include "app/frmMain.h"
#include "profiles/ProfileOps.h"
#include "settings/MockUps.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zr {

namespace {

// The stored languages, in the order of the language list.
const char* const Languages[] = {"English", "Swedish"};

} // namespace

frmGeneral::frmGeneral(frmMain& main) : m_main(main) {
    setObjectName("frmGeneral");
    setWindowTitle(tr("General OCB Settings"));
    const char* const frames[] = {QT_TR_NOOP("IP Address"), QT_TR_NOOP("Enable OCB Vehicle Detect System"),
                                  QT_TR_NOOP("Select OCB Display Orientation"),
                                  QT_TR_NOOP("OCB Language Selection"), QT_TR_NOOP("OCB Font Selection")};
    for (int i = 0; i < 5; ++i) {
        fra[i] = new QGroupBox(tr(frames[i]), this);
        fra[i]->setObjectName(QString("fra_%1").arg(i));
    }

    Label1 = new QLabel("Current IP Address", fra[0]);
    Label2 = new QLabel("Enter new IP Address", fra[0]);
    lblIP = new QLabel(fra[0]);
    lblIP->setObjectName("lblIP");
    lblIP->setFrameShape(QFrame::StyledPanel);
    txt = new QLineEdit(fra[0]);
    txt->setObjectName("txt");
    Label2->setBuddy(txt);
    selectAllOnFocus(txt);
    storableTextOnly(m_main, txt, "General Settings");
    auto* address = new QFormLayout(fra[0]);
    address->addRow(Label1, lblIP);
    address->addRow(Label2, txt);

    opt[0] = new QRadioButton(tr("Yes"), fra[1]);
    opt[1] = new QRadioButton(tr("No"), fra[1]);
    auto* detect = new QHBoxLayout(fra[1]);
    for (int i = 0; i < 2; ++i) {
        opt[i]->setObjectName(QString("opt_%1").arg(i));
        detect->addWidget(opt[i]);
    }
    detect->addStretch();

    auto* pictures = new QHBoxLayout(fra[2]);
    for (int i = 0; i < 2; ++i) {
        shp[i] = new FrameShape(fra[2]);
        shp[i]->setObjectName(QString("shp_%1").arg(i));
        Img[i] = new PictureLabel(shp[i]);
        Img[i]->setObjectName(QString("Img_%1").arg(i));
        Img[i]->setPixmap(QPixmap::fromImage(orientationPicture(i == 1)));
        Img[i]->setAlignment(Qt::AlignCenter);
        Img[i]->setCursor(Qt::PointingHandCursor);
        Img[i]->setToolTip(i == 0 ? "Portrait" : "Landscape");
        shp[i]->layout()->addWidget(Img[i]);
        pictures->addWidget(shp[i], 0, Qt::AlignCenter);
        connect(Img[i], &PictureLabel::clicked, this,
                [this, i] { m_main.guard().run("General Settings", [&] { chooseOrientation(i); }); });
    }

    cmb = new QComboBox(fra[3]);
    cmb->setObjectName("cmb");
    cmb->addItems({tr("English"), tr("Swedish")});
    (new QVBoxLayout(fra[3]))->addWidget(cmb);

    lst = new QListWidget(fra[4]);
    lst->setObjectName("lst");
    lbl = new QLabel(tr("Sample Text"), fra[4]);
    lbl->setObjectName("lbl");
    lbl->setAlignment(Qt::AlignCenter);
    lbl->setMinimumHeight(40);
    auto* fonts = new QVBoxLayout(fra[4]);
    fonts->addWidget(lst, 1);
    fonts->addWidget(lbl);
    connect(lst, &QListWidget::currentTextChanged, this, [this](const QString& family) {
        m_main.guard().run("General Settings", [&] {
            if (family.isEmpty()) return;
            QFont sample(family);
            sample.setPointSize(12);
            lbl->setFont(sample);
        });
    });

    QHBoxLayout* buttons = EditorButtons{
        "General Settings", "Do you wish to save your changes?", [this] { return Changed(); },
        [this] {
            return Apply();
        }}.createButtons(m_main, this, cmd.data(), {tr("Apply"), tr("Exit"), tr("Cancel")});

    auto* left = new QVBoxLayout;
    left->addWidget(fra[0]);
    left->addWidget(fra[1]);
    left->addWidget(fra[3]);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(fra[2]);
    top->addWidget(fra[4], 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    showSettings();
}

void frmGeneral::showSettings() {
    Profiles& profile = m_main.Profile();
    lblIP->setText(profile.IPAddress());
    txt->setText(profile.IPAddress());
    opt[profile.VehicleDetect() == "yes" ? 0 : 1]->setChecked(true);
    chooseOrientation(0);
    m_displayMode = profile.DisplayMode();
    if (m_displayMode == "landscape") chooseOrientation(1);
    const QString language = profile.Language();
    cmb->setCurrentIndex(language == Languages[0] ? 0 : language == Languages[1] ? 1 : -1);
    lst->clear();
    lst->addItems(QFontDatabase::families());
}

void frmGeneral::chooseOrientation(int index) {
    shp[index]->setBorderColor(Qt::red);
    shp[1 - index]->setBorderColor(Qt::black);
    m_displayMode = index == 1 ? "landscape" : "portrait";
}

QString frmGeneral::chosenLanguage() {
    const int chosen = cmb->currentIndex();
    return chosen < 0 ? m_main.Profile().Language() : QString(Languages[chosen]);
}

bool frmGeneral::Changed() {
    Profiles& profile = m_main.Profile();
    return txt->text() != lblIP->text() || opt[0]->isChecked() != (profile.VehicleDetect() == "yes") ||
           chosenLanguage() != profile.Language() || m_displayMode != profile.DisplayMode();
}

bool frmGeneral::Apply() {
    if (ProfileOps::checkIpAddress(txt->text().split('.'))) {
        m_main.prompts().inform(QString(), "Not a valid IP Address!");
        return false;
    }
    Profiles& profile = m_main.Profile();
    profile.setIPAddress(txt->text());
    lblIP->setText(txt->text());
    profile.setVehicleDetect(opt[0]->isChecked() ? "yes" : "no");
    profile.setLanguage(chosenLanguage());
    profile.setDisplayMode(m_displayMode);
    profile.SaveProfile();
    m_main.SetTheCaption();
    return true;
}

} // namespace zr
