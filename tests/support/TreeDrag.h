#pragma once

#include <QtTest>
#include <QtWidgets>

namespace zr::test {

/// The node at a path such as "Week" or "Week/Lunch".
inline QTreeWidgetItem* node(QTreeWidget* tree, const QString& path) {
    for (QTreeWidgetItem* item : tree->findItems(path.section('/', -1), Qt::MatchExactly | Qt::MatchRecursive))
        if ((item->parent() ? item->parent()->text(0) + '/' : QString()) + item->text(0) == path) return item;
    return nullptr;
}

/// Drags one node onto another, or onto empty space below the nodes, with the
/// right mouse button; what was highlighted as drop target just before the
/// release is given back.
inline QTreeWidgetItem* rightDrag(QTreeWidget* tree, QTreeWidgetItem* from, QTreeWidgetItem* to,
                                  const std::function<QTreeWidgetItem*()>& highlighted = {}) {
    if (to) tree->scrollToItem(to);
    QWidget* view = tree->viewport();
    const QPoint start = tree->visualItemRect(from).center();
    const QPoint end = to ? tree->visualItemRect(to).center() : QPoint(10, view->height() - 5);
    QTest::mousePress(view, Qt::RightButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, end, view->mapToGlobal(end), Qt::NoButton, Qt::RightButton, {});
    QCoreApplication::sendEvent(view, &move);
    QTreeWidgetItem* lit = highlighted ? highlighted() : nullptr;
    QTest::mouseRelease(view, Qt::RightButton, {}, end);
    return lit;
}

} // namespace zr::test
