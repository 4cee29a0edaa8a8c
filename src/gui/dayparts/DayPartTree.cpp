#include "dayparts/DayPartTree.h"

#include "app/ErrorGuard.h"
#include "app/Prompts.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

namespace zr {

QString keyOfName(const QString& shown, const QStringList& names, const QStringList& keys) {
    const qsizetype i = names.indexOf(shown);
    return i < 0 ? QString() : keys.value(i);
}

void exitEditor(QWidget* window, Prompts& prompts, const QString& question, bool changed,
                const std::function<void()>& apply) {
    if (changed) {
        const Button answer = prompts.ask("Attention:", question, Buttons::YesNoCancel);
        if (answer == Button::Cancel) return;
        if (answer == Button::Yes) apply();
    }
    closeEditor(window);
}

DragCopyTree::DragCopyTree(QTreeWidget* tree, const ErrorGuard& guard, Prompts& prompts, QString source,
                           Texts texts, CopyItem copy)
    : QObject(tree), m_tree(tree), m_guard(guard), m_prompts(prompts), m_source(std::move(source)),
      m_texts(std::move(texts)), m_copy(std::move(copy)) {
    // Right-button events must all reach the tree: they drive the drag.
    tree->setContextMenuPolicy(Qt::PreventContextMenu);
    tree->viewport()->installEventFilter(this);
    tree->installEventFilter(this);
}

void DragCopyTree::drop(QTreeWidgetItem* source, QTreeWidgetItem* target) {
    if (!source || !target) return;
    const bool sourceGroup = !source->parent();
    const bool targetGroup = !target->parent();
    if (sourceGroup && !targetGroup) {
        m_prompts.inform(QString(), m_texts.groupToItem);
    } else if (!sourceGroup && targetGroup) {
        m_prompts.inform(QString(), m_texts.itemToGroup);
    } else if (source != target) {
        const QString question =
            (sourceGroup ? m_texts.groupQuestion : m_texts.itemQuestion) + target->text(0) + "?";
        if (m_prompts.ask(QString(), question, Buttons::YesNo) == Button::Yes) {
            if (!sourceGroup)
                m_copy(source, target);
            else
                for (int i = 0; i < source->childCount() && i < target->childCount(); ++i)
                    m_copy(source->child(i), target->child(i));
        }
    }
    if (afterDrop) afterDrop(target);
}

QMenu* DragCopyTree::copyMenu(QTreeWidgetItem* source, QWidget* parent) {
    auto* menu = new QMenu(parent);
    QMenu* to = menu->addMenu(QStringLiteral("Copy to…"));
    to->setObjectName("copyTo");
    auto offer = [this, source](QMenu* into, QTreeWidgetItem* target) {
        into->addAction(target->text(0), this,
                        [this, source, target] { m_guard.run(m_source, [&] { drop(source, target); }); });
    };
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = m_tree->topLevelItem(g);
        if (!source->parent()) {
            if (group != source) offer(to, group);
            continue;
        }
        QMenu* items = to->addMenu(group->text(0));
        for (int i = 0; i < group->childCount(); ++i)
            if (group->child(i) != source) offer(items, group->child(i));
    }
    to->setEnabled(!to->isEmpty());
    return menu;
}

void DragCopyTree::showCopyMenu(QTreeWidgetItem* source, const QPoint& at) {
    QMenu* menu = copyMenu(source, m_tree);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(at);
}

void DragCopyTree::setDropTarget(QTreeWidgetItem* item) {
    if (m_dropTarget == item) return;
    const QPalette& colours = m_tree->palette();
    if (m_dropTarget) {
        m_dropTarget->setBackground(0, QBrush());
        m_dropTarget->setForeground(0, QBrush());
    }
    if (item) {
        item->setBackground(0, colours.highlight());
        item->setForeground(0, colours.highlightedText());
    }
    m_dropTarget = item;
}

bool DragCopyTree::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tree) {
        // The menu key, or Shift+F10, for keyboard users.
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool menuKey = key->key() == Qt::Key_Menu ||
                             (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
        if (!menuKey || !m_tree->currentItem()) return false;
        const QRect rect = m_tree->visualItemRect(m_tree->currentItem());
        showCopyMenu(m_tree->currentItem(), m_tree->viewport()->mapToGlobal(rect.center()));
        return true;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton) return false;
        m_dragged = m_tree->itemAt(mouse->position().toPoint());
        m_moved = false;
        if (m_dragged) m_tree->setCurrentItem(m_dragged);
        setDropTarget(m_dragged);
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_dragged || !(mouse->buttons() & Qt::RightButton)) return false;
        QTreeWidgetItem* under = m_tree->itemAt(mouse->position().toPoint());
        if (under != m_dragged) m_moved = true;
        setDropTarget(under);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton || !m_dragged) return false;
        QTreeWidgetItem* source = m_dragged;
        QTreeWidgetItem* target = m_tree->itemAt(mouse->position().toPoint());
        m_dragged = nullptr;
        setDropTarget(nullptr);
        if (!m_moved && target == source)
            showCopyMenu(source, mouse->globalPosition().toPoint());
        else
            m_guard.run(m_source, [&] { drop(source, target); });
        return true;
    }
    default:
        return false;
    }
}

} // namespace zr
