#pragma once

#include "app/Dialogs.h"

#include <QList>
#include <QStringList>

namespace zr::test {

/// File names, folders, texts and colours from queues; an empty queue cancels.
class ScriptedDialogs : public Dialogs {
public:
    QStringList files, folders;
    QList<std::optional<QString>> texts;
    QList<std::optional<QColor>> colors;
    QStringList filters;  // the filter of every file dialog shown

    QString openFile(QWidget*, const QString&, const QString&, const QString& filter) override {
        filters << filter;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString chooseFolder(QWidget*, const QString&, const QString&) override {
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    std::optional<QString> inputText(QWidget*, const QString&, const QString&, const QString&) override {
        return texts.isEmpty() ? std::nullopt : texts.takeFirst();
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override {
        return colors.isEmpty() ? std::nullopt : colors.takeFirst();
    }
};

} // namespace zr::test
