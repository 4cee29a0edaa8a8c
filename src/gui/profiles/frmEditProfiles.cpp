#include "profiles/frmEditProfiles.h"

#include "app/AppError.h"
#include "app/Dialogs.h"
#include "app/Prompts.h"
#include "app/Routines.h"
#include "app/frmMain.h"
#include "model/ProfileStore.h"
#include "profiles/ProfileArchive.h"
#include "profiles/ProfileOps.h"
#include "profiles/frmBackUpProfile.h"
#include "profiles/frmNewProfile.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zr {

frmEditProfiles::frmEditProfiles(frmMain& main) : QWidget(&main, Qt::Window), m_main(main) {
    setObjectName("frmEditProfiles");
    setWindowTitle("Edit Profiles");
    ProfileList = new QTreeWidget(this);
    ProfileList->setObjectName("ProfileList");
    ProfileList->setHeaderLabels({"Profile Name", "IP Address"});
    ProfileList->setRootIsDecorated(false);
    ProfileList->header()->setSectionResizeMode(QHeaderView::Stretch);
    ProfileList->viewport()->installEventFilter(this);
    ProfileList->setContextMenuPolicy(Qt::NoContextMenu);

    const std::pair<int, const char*> buttons[] = {{0, "&Add a New Profile"},    {1, "&Rename Selected Profile"},
                                                   {3, "&Delete Selected Profile"}, {5, "&BackUp Profiles"},
                                                   {6, "&Restore Profiles"},      {4, "E&xit / Cancel"}};
    auto* column = new QVBoxLayout;
    for (const auto& [index, caption] : buttons) {
        cmd[index] = new QPushButton(caption, this);
        cmd[index]->setObjectName(QString("cmd_%1").arg(index));
        column->addWidget(cmd[index]);
    }
    column->addStretch();
    const ErrorGuard& guard = m_main.guard();
    connect(cmd[0], &QPushButton::clicked, this, [this, &guard] { guard.run("Add a New Profile", [this] { addProfile(); }); });
    connect(cmd[1], &QPushButton::clicked, this, [this, &guard] { guard.run("Rename Profile", [this] { RenameProfile(); }); });
    connect(cmd[3], &QPushButton::clicked, this, [this, &guard] { guard.run("Delete Profile", [this] { DeleteProfile(); }); });
    connect(cmd[4], &QPushButton::clicked, this, &QWidget::close);
    connect(cmd[5], &QPushButton::clicked, this, [this, &guard] {
        guard.run("BackUp Profiles", [this] {
            frmBackUpProfile backup(m_main, this);
            backup.exec();
        });
    });
    connect(cmd[6], &QPushButton::clicked, this,
            [this, &guard] { guard.run("Restore Profiles", [this] { RestoreProfiles(); }); });

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ProfileList, 1);
    layout->addLayout(column);
    resize(560, 320);
    opening();
}

frmEditProfiles::~frmEditProfiles() { setMainMenus(true); }

void frmEditProfiles::setMainMenus(bool enabled) {
    if (m_holding == !enabled) return;
    m_holding = !enabled;
    m_main.setHeld(frmMain::Hold::ProfileEditor, m_holding);
}

void frmEditProfiles::opening() {
    setMainMenus(false);
    FillList();
}

void frmEditProfiles::FillList() {
    ProfileList->clear();
    m_dropTarget = nullptr;
    for (const QString& name : ProfileStore::profileNames(m_main.paths()))
        new QTreeWidgetItem(ProfileList, {name, GetConfigIP(m_main.paths(), name)});
}

void frmEditProfiles::addProfile() {
    // The list is read afresh once the new profile is made.
    hide();
    frmNewProfile(m_main).CreateNewProfile();
    FillList();
    show();
}

void frmEditProfiles::makeCurrent(QTreeWidgetItem* row) {
    // The profile held is replaced without being saved: its folder may be gone.
    m_main.Profile().setID(row->text(0));
    m_main.Profile().setIPAddress(row->text(1));
    m_main.SetTheCaption();
    m_main.SaveProfileList();
}

void frmEditProfiles::RenameProfile() {
    QTreeWidgetItem* row = ProfileList->currentItem();
    if (!row || !row->isSelected()) return;
    const std::optional<QString> answer =
        m_main.dialogs().inputText(this, QString(), "Please enter the new name of the profile.", QString());
    if (!answer || answer->isEmpty()) return;
    QString name;
    try {
        name = ProfileOps::renameProfile(m_main.paths(), row->text(0), *answer);
    } catch (const AppError& e) {
        m_main.prompts().inform("Error", e.description());
        return;
    }
    row->setText(0, name);
    ProfileList->sortItems(0, Qt::AscendingOrder);
    m_main.LoadProfiles();
    makeCurrent(row);
}

void frmEditProfiles::DeleteProfile() {
    QTreeWidgetItem* row = ProfileList->currentItem();
    if (!row || !row->isSelected()) return;
    if (m_main.prompts().ask("WARNING!", "Are you sure you want to delete this profile?", Buttons::YesNoCancel) !=
        Button::Yes)
        return;
    try {
        ProfileOps::deleteProfile(m_main.paths(), row->text(0));
    } catch (const AppError& e) {
        // Part of the folder may be gone: the lists show what is left on disk.
        FillList();
        m_main.LoadProfiles();
        m_main.prompts().inform("Error", e.description());
        return;
    }
    delete row;
    m_main.LoadProfiles();
    if (ProfileList->topLevelItemCount() > 0) {
        QTreeWidgetItem* current = ProfileList->currentItem();
        if (!current) current = ProfileList->topLevelItem(0);
        current->setSelected(true);
        makeCurrent(current);
        return;
    }
    // The last profile is gone: a new one must be made.
    for (;;) {
        setEnabled(false);
        const bool created = frmNewProfile(m_main).CreateFirstProfile(false);
        setEnabled(true);
        if (created) {
            FillList();
            return;
        }
        if (m_main.prompts().ask("Error:", "Error creating new Profile.", Buttons::RetryCancel) != Button::Retry) {
            m_main.endProgram();
            return;
        }
    }
}

void frmEditProfiles::CopySettings(QTreeWidgetItem* source, QTreeWidgetItem* target) {
    if (!source || !target || source == target) return;
    const QString question = "Are you sure you want to overwrite the settings of" + target->text(0) +
                             " with the settings of " + source->text(0) + "?";
    if (m_main.prompts().ask("WARNING!", question, Buttons::YesNo) != Button::Yes) return;
    try {
        ProfileOps::copySettings(m_main.paths(), source->text(0), target->text(0));
    } catch (const AppError& e) {
        m_main.prompts().inform("Error", e.description());
    }
    m_main.ReloadProfile(target->text(0));
}

void frmEditProfiles::RestoreProfiles() {
    const QString archive = m_main.dialogs().openFile(this, QString(), m_main.paths().app(), "ZR Profiles (*.zrp)");
    if (archive.isEmpty()) return;
    try {
        ProfileOps::restoreProfiles(m_main.paths(), archive, m_main.prompts());
    } catch (const AppError&) {
        m_main.prompts().inform(QString(), "Restore failed.");
    }
    FillList();
    m_main.LoadProfiles();
    // Each profile is restored whole or not at all; the current one may be among them.
    if (QFileInfo(m_main.paths().profileFolder(m_main.Profile().ID())).isDir()) m_main.ReloadProfile();
}

void frmEditProfiles::setDropTarget(QTreeWidgetItem* row) {
    if (m_dropTarget == row) return;
    for (QTreeWidgetItem* item : {m_dropTarget, row}) {
        if (!item) continue;
        const bool on = item == row;
        for (int c = 0; c < 2; ++c) {
            item->setBackground(c, on ? palette().highlight() : QBrush());
            item->setForeground(c, on ? palette().highlightedText() : QBrush());
        }
    }
    m_dropTarget = row;
}

// Copying settings: drag a row with the right mouse button onto another.
bool frmEditProfiles::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ProfileList->viewport()) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton) break;
        QTreeWidgetItem* row = ProfileList->itemAt(mouse->position().toPoint());
        if (!row) return true;
        ProfileList->setCurrentItem(row);
        m_dragging = true;
        return true;
    }
    case QEvent::MouseMove:
        if (m_dragging)
            setDropTarget(ProfileList->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_dragging || mouse->button() != Qt::RightButton) break;
        m_dragging = false;
        QTreeWidgetItem* target = ProfileList->itemAt(mouse->position().toPoint());
        QTreeWidgetItem* source = ProfileList->currentItem();
        setDropTarget(nullptr);
        m_main.guard().run("Copy Settings", [&] { CopySettings(source, target); });
        return true;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zr
