#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTreeWidget>

namespace zr::test {

/// The node at a path such as "Week" or "Week/Lunch".
inline QTreeWidgetItem* node(QTreeWidget* tree, const QString& path) {
    const QStringList parts = path.split('/');
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; i < tree->topLevelItemCount() && !found; ++i)
        if (tree->topLevelItem(i)->text(0) == parts[0]) found = tree->topLevelItem(i);
    for (int i = 0; found && parts.size() > 1 && i < found->childCount(); ++i)
        if (found->child(i)->text(0) == parts[1]) return found->child(i);
    return parts.size() > 1 ? nullptr : found;
}

/// Drags one node onto another with the right mouse button; what was
/// highlighted as drop target just before the release is given back.
inline QTreeWidgetItem* rightDrag(QTreeWidget* tree, QTreeWidgetItem* from, QTreeWidgetItem* to,
                                  const std::function<QTreeWidgetItem*()>& highlighted) {
    tree->scrollToItem(to);
    QWidget* view = tree->viewport();
    const QPoint start = tree->visualItemRect(from).center();
    const QPoint end = tree->visualItemRect(to).center();
    QTest::mousePress(view, Qt::RightButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, end, view->mapToGlobal(end), Qt::NoButton, Qt::RightButton, {});
    QCoreApplication::sendEvent(view, &move);
    QTreeWidgetItem* lit = highlighted();
    QTest::mouseRelease(view, Qt::RightButton, {}, end);
    return lit;
}

} // namespace zr::test
