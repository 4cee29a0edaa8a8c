#include "profiles/frmBackUpProfile.h"

#include "app/AppError.h"
#include "app/FrontEndSettings.h"
#include "app/Prompts.h"
#include "app/frmMain.h"
#include "model/ProfileStore.h"
#include "profiles/ProfileArchive.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>

namespace zr {

frmBackUpProfile::frmBackUpProfile(frmMain& main, QWidget* parent) : QDialog(parent), m_main(main) {
    setObjectName("frmBackUpProfile");
    setWindowTitle("Backup Restore Archives");
    ProfileList = new QListWidget(this);
    ProfileList->setObjectName("ProfileList");
    ProfileList->setSelectionMode(QAbstractItemView::MultiSelection);
    ProfileList->addItems(ProfileStore::profileNames(main.paths()));

    // The folder tree holds every folder of the machine and opens at the
    // folder of the last backup, or else at the user's home.
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QDir::rootPath());
    Directory = new QTreeView(this);
    Directory->setObjectName("Directory");
    Directory->setModel(m_folders);
    for (int c = 1; c < m_folders->columnCount(); ++c) Directory->hideColumn(c);
    Directory->header()->hide();
    Path = new QLabel(root(), this);
    Path->setObjectName("Path");
    // The folder used is the tree's current one, reached by mouse or keyboard.
    connect(Directory->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid()) Path->setText(QDir::cleanPath(m_folders->filePath(index)));
            });
    chooseFolder(startFolder());

    const char* captions[] = {"&Backup", "E&xit", "&Select All"};
    for (int i = 0; i < 3; ++i) {
        cmd[i] = new QPushButton(captions[i], this);
        cmd[i]->setObjectName(QString("cmd_%1").arg(i));
        cmd[i]->setAutoDefault(false);
    }
    connect(cmd[0], &QPushButton::clicked, this,
            [this] { m_main.guard().run("BackUp Profiles", [this] { backupClicked(); }); });
    connect(cmd[1], &QPushButton::clicked, this, &QDialog::accept);
    connect(cmd[2], &QPushButton::clicked, ProfileList, &QListWidget::selectAll);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Profiles", this), 0, 0);
    layout->addWidget(new QLabel("Backup folder", this), 0, 1);
    layout->addWidget(ProfileList, 1, 0);
    layout->addWidget(Directory, 1, 1);
    layout->addWidget(Path, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmd[2]);
    buttons->addStretch();
    buttons->addWidget(cmd[0]);
    buttons->addWidget(cmd[1]);
    layout->addLayout(buttons, 3, 0, 1, 2);
    resize(640, 400);
}

QString frmBackUpProfile::root() const {
    const QString mount = QStorageInfo(m_main.paths().app()).rootPath();
    return mount.isEmpty() ? QDir::rootPath() : mount;
}

QString frmBackUpProfile::startFolder() const {
    const QString last = FrontEndSettings::BackupFolder(m_main.paths());
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : QDir::homePath();
}

void frmBackUpProfile::chooseFolder(const QString& folder) {
    Path->setText(QDir::cleanPath(folder));
    const QModelIndex index = m_folders->index(folder);
    if (!index.isValid()) return;
    Directory->setCurrentIndex(index);
    Directory->scrollTo(index);
}

void frmBackUpProfile::backupClicked() {
    if (ProfileList->selectedItems().isEmpty()) {
        m_main.prompts().inform(QString(), "You must select at least one profile.");
        return;
    }
    BackUpProfiles();
}

void frmBackUpProfile::BackUpProfiles() {
    const QString target = Path->text();
    if (ProfileOps::isBackupTargetRefused(m_main.paths(), target)) {
        m_main.prompts().inform(QString(), ProfileOps::BackupTargetRefused);
        chooseFolder(root());
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool failed = false;
    for (int i = 0; i < ProfileList->count(); ++i) {
        QListWidgetItem* row = ProfileList->item(i);
        if (!row->isSelected()) continue;
        try {
            ProfileOps::backUpProfile(m_main.paths(), row->text(), target);
        } catch (const AppError&) {
            QApplication::restoreOverrideCursor();
            m_main.prompts().inform(QString(), "Problem backing up " + row->text() + ".");
            QApplication::setOverrideCursor(Qt::WaitCursor);
            failed = true;
        }
    }
    QApplication::restoreOverrideCursor();
    if (!failed) m_main.prompts().inform(QString(), "Backup completed successfully.");
    FrontEndSettings::SaveBackupFolder(m_main.paths(), target);
}

} // namespace zr
