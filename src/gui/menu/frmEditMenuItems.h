#pragma once

#include "menu/ItemsFile.h"
#include "model/FileManager.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace zr {

class frmMain;
class MenuItemsModel;

/// Edits the current profile's menu: the items of its items file, one row
/// each, sorted by short descriptor. Saves write the file whole.
///
/// Short descriptors are told apart with their letter case, as the loader
/// does (sameShortDescriptor): "Fries" and "FRIES" are two items, here, in
/// the file and on the board, so what the editor lets the user add is what
/// the next load keeps.
class frmEditMenuItems : public QWidget {
    Q_OBJECT
public:
    explicit frmEditMenuItems(frmMain& main);

    /// Fills the list from the items file, asking what to do with a file that
    /// cannot be read whole; a Yes opens the menu check.
    void LoadItemsFile();
    /// Enables or disables the whole window, its frame included.
    void setWindowEnabled(bool enabled);

    bool changed() const { return m_changed; }
    /// True once the window has been closed (it goes when control returns to the event loop).
    bool closed() const { return m_closed; }
    const MenuItemsModel& items() const { return *m_model; }
    /// The selected row, or -1.
    int selectedRow() const;

    QTreeView* MenuList = nullptr;
    QLabel* lblShort = nullptr;
    QLineEdit* txt = nullptr;
    QComboBox* ItemPicList = nullptr;
    QComboBox* FamilyList = nullptr;
    QComboBox* ShowItem = nullptr;
    QComboBox* POPList = nullptr;
    QComboBox* TrackList = nullptr;
    QLabel* ItemPic = nullptr;
    QLabel* POPPic = nullptr;
    std::array<QPushButton*, 4> cmd{}; // 0 apply, 1 exit, 2 cancel, 3 add item

protected:
    QSize sizeHint() const override { return {860, 540}; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void showSelected();
    void selectRow(int row);
    void setEditsEnabled(bool enabled);
    void edited(int column, const QString& value);
    void longDescriptorTyped(const QString& text);
    void showPicture(QLabel* box, const QString& folder, const QString& name);
    void addItem();
    void deleteSelected();
    void apply();
    void exitAsking();
    void closeWindow();
    void openMenuCheck();

    frmMain& m_main;
    MenuItemsModel* m_model = nullptr;
    FileManager m_itemImages;
    FileManager m_popImages;
    bool m_changed = false;
    bool m_closed = false;
    bool m_showing = false; // the controls are being set from the row, not by the user
};

} // namespace zr
