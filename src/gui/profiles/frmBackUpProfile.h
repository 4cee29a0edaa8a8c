#pragma once

#include <QDialog>
#include <array>

class QFileSystemModel;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

namespace zr {

class frmMain;

/// Packs chosen profiles into one archive each, in a folder the user picks.
class frmBackUpProfile : public QDialog {
    Q_OBJECT
public:
    frmBackUpProfile(frmMain& main, QWidget* parent);

    void BackUpProfiles();
    /// Makes the folder the tree's current one, the target of the backup.
    void chooseFolder(const QString& folder);

    QListWidget* ProfileList = nullptr;
    QTreeView* Directory = nullptr;
    QLabel* Path = nullptr;
    std::array<QPushButton*, 3> cmd{};

private:
    void backupClicked();
    QString root() const;
    QString startFolder() const;

    frmMain& m_main;
    QFileSystemModel* m_folders = nullptr;
};

} // namespace zr
