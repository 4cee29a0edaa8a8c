#pragma once

#include "model/Profiles.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zr {

class DragCopyTree;
class frmMain;

/// The five suggestions of a day part, one per family in family order: for
/// each family the first entry with its code, or the default suggestion.
/// defaulted receives the codes that had none.
QList<SuggestEntry> suggestionsByFamily(const QList<SuggestEntry>& list, QStringList* defaulted = nullptr);

/// Edits the suggestive sale of each family in the day parts of the week
/// schedule, shown on a mock-up of the order screen.
class frmEditSuggestiveSales : public QWidget {
    Q_OBJECT
public:
    explicit frmEditSuggestiveSales(frmMain& main);
    /// The size the window opens with, also inside the main window.
    QSize sizeHint() const override { return {760, 340}; }

    bool Changed() const;
    void Apply();

    QTreeWidget* SuggTree = nullptr;
    QComboBox* ImageList = nullptr;
    QLineEdit* txt = nullptr;
    QWidget* Picture1 = nullptr;
    QLabel* Screen = nullptr;
    QLabel* SuggPic = nullptr;
    QLabel* Total = nullptr;
    QLabel* Message = nullptr;
    QLabel* TextLabel = nullptr;
    QLabel* ImageLabel = nullptr;
    std::array<QPushButton*, 3> cmd{}; // apply, exit, cancel
    DragCopyTree* copier = nullptr;

private:
    void showNode(QTreeWidgetItem* node);
    void imageChosen(int index);
    void messageEdited();
    bool showPicture(const QString& name);
    SuggestEntry* workingEntry(const QTreeWidgetItem* node);
    const TimeOfDay* profileDay(int part) const;

    frmMain& m_main;
    QList<TimeOfDay> m_work; // "Breakfast", "Lunch", "Dinner"
    QString m_folder;
};

} // namespace zr
