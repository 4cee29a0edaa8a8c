#pragma once

#include "app/EditorSupport.h" // closeEditor
#include "model/Profiles.h"   // ScheduleNames, DayPartNames

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace zr {

class ErrorGuard;
class Prompts;

/// The key of a shown name by the two lists of the same order; empty when the name is not there.
QString keyOfName(const QString& shown, const QStringList& names, const QStringList& keys);

/// What an editor's Exit does: when something changed, asks the question
/// (Yes applies, Cancel stays open); then closes.
void exitEditor(QWidget* window, Prompts& prompts, const QString& question, bool changed,
                const std::function<void()>& apply);

/// Copying between the nodes of a two-level tree (groups and their items) by
/// dragging with the right mouse button. The node under the pointer is
/// highlighted while dragging. A right click without a drag, or the menu key,
/// offers the same copy as "Copy to…" in a context menu.
///
/// A group dropped on a group copies every item onto the item at the same
/// position after one question; an item dropped on an item is copied after a
/// question of its own; a group onto an item or an item onto a group is refused.
class DragCopyTree : public QObject {
public:
    struct Texts {
        QString groupToItem;   // refusal
        QString itemToGroup;   // refusal
        QString groupQuestion; // followed by the target's text and "?"
        QString itemQuestion;
    };
    using CopyItem = std::function<void(QTreeWidgetItem* source, QTreeWidgetItem* target)>;

    DragCopyTree(QTreeWidget* tree, const ErrorGuard& guard, Prompts& prompts, QString source, Texts texts,
                 CopyItem copy);

    /// Drops source onto target: refuses, asks and copies as the class says.
    void drop(QTreeWidgetItem* source, QTreeWidgetItem* target);
    /// The "Copy to…" menu of a node: one entry per node it may be copied onto.
    QMenu* copyMenu(QTreeWidgetItem* source, QWidget* parent);
    QTreeWidgetItem* dropTarget() const { return m_dropTarget; }

    /// Called after every drop with its target.
    std::function<void(QTreeWidgetItem* target)> afterDrop;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setDropTarget(QTreeWidgetItem* item);
    void showCopyMenu(QTreeWidgetItem* source, const QPoint& at);

    QTreeWidget* m_tree;
    const ErrorGuard& m_guard;
    Prompts& m_prompts;
    QString m_source;
    Texts m_texts;
    CopyItem m_copy;
    QTreeWidgetItem* m_dragged = nullptr;
    QTreeWidgetItem* m_dropTarget = nullptr;
    bool m_moved = false;
};

} // namespace zr
