#pragma once

#include "model/Profiles.h"

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace zr {

class DragCopyTree;
class frmMain;

/// Edits the start times of the four day parts of the four schedules.
class frmEditScheduling : public QWidget {
    Q_OBJECT
public:
    explicit frmEditScheduling(frmMain& main);
    /// The size the window opens with, also inside the main window.
    QSize sizeHint() const override { return {440, 440}; }

    /// Checks the typed time and stores it in the day part the field shows.
    /// False, after the message, when the text is not a time.
    bool ValidateTime();
    /// Apply and Exit store a time changed in the field (typed, or with the
    /// scroll bar) that was not yet checked. False when it is not a time.
    bool StorePendingTime();
    /// True when a working start time differs from the profile's.
    bool Changed() const;
    void Apply();

    QTreeWidget* TimeTree = nullptr;
    QLineEdit* txtTime = nullptr;
    QScrollBar* Scroll = nullptr;
    std::array<QLabel*, 2> lbl{};
    std::array<QPushButton*, 3> cmd{}; // apply, exit, cancel
    DragCopyTree* copier = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showNode(QTreeWidgetItem* node);
    void scrolled(int position);
    void exitAsking();
    TimeOfDay* workingDay(const QTreeWidgetItem* node);

    frmMain& m_main;
    QList<TimeOfWeek> m_work;           // IDs are the shown schedule names
    QTreeWidgetItem* m_shown = nullptr; // the day part in the time field
    QString m_refused;                  // the text last refused
};

} // namespace zr
