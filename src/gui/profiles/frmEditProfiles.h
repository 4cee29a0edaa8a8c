#pragma once

#include <QWidget>
#include <array>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zr {

class frmMain;

/// Lists the profiles and adds, renames, deletes, copies, backs up and restores them.
class frmEditProfiles : public QWidget {
    Q_OBJECT
public:
    explicit frmEditProfiles(frmMain& main);
    ~frmEditProfiles() override;

    void FillList();
    void RenameProfile();
    void DeleteProfile();
    /// Copies the configuration and menu of source onto target, after a question.
    void CopySettings(QTreeWidgetItem* source, QTreeWidgetItem* target);
    void RestoreProfiles();

    QTreeWidget* ProfileList = nullptr;
    std::array<QPushButton*, 7> cmd{};  // 0 add, 1 rename, 3 delete, 4 exit, 5 backup, 6 restore

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void opening();
    void setMainMenus(bool enabled);
    void addProfile();
    void makeCurrent(QTreeWidgetItem* row);
    void setDropTarget(QTreeWidgetItem* row);

    frmMain& m_main;
    bool m_dragging = false;
    bool m_holding = false;  // the main window's entries are held off
    QTreeWidgetItem* m_dropTarget = nullptr;
};

} // namespace zr
