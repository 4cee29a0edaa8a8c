#pragma once

#include "model/Profiles.h"

#include <QWidget>
#include <array>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace zr {

class DragCopyTree;
class frmMain;

/// Edits the POP slideshow of every day part of every schedule, with a preview.
class frmEditPOPs : public QWidget {
    Q_OBJECT
public:
    explicit frmEditPOPs(frmMain& main);
    /// The size the window opens with, also inside the main window.
    QSize sizeHint() const override { return {860, 460}; }
    ~frmEditPOPs() override;

    void InsertImage();
    void RemoveImage();
    /// One step of the slideshow preview: the next image, shown for its own time.
    void SlideShowTick();
    bool Changed() const;
    void Apply();
    /// The file name of the image in the preview; empty when none is shown.
    QString shownImage() const { return m_shownImage; }

    QTreeWidget* POPTree = nullptr;
    QTreeWidget* POPList = nullptr;
    QListWidget* ImageList = nullptr;
    QListWidget* DurationList = nullptr;
    QLabel* Img = nullptr;
    QTimer* Tmr = nullptr;
    std::array<QRadioButton*, 2> opt{};
    std::array<QPushButton*, 6> cmd{}; // 1 apply, 2 exit, 3 cancel, 4 insert, 5 remove
    DragCopyTree* copier = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showNode(QTreeWidgetItem* node);
    void fillList(int selectRow);
    void showRow();
    void chooseImage();
    void chooseDuration();
    void slideShowChosen(bool on);
    void copyDayPart(QTreeWidgetItem* source, QTreeWidgetItem* target);
    /// Shows an image of the POP folder; false when it cannot be loaded.
    bool showImage(const QString& name);
    void exitAsking();
    void closeWindow();
    TimeOfDay* workingDay(const QTreeWidgetItem* node);
    TimeOfDay* selectedDay();
    void setEditing(bool dayPart);

    frmMain& m_main;
    QList<TimeOfWeek> m_work;
    QString m_folder;
    QString m_shownImage;
    qint16 m_position = 0; // of the slideshow, kept across day parts and modes
};

} // namespace zr
