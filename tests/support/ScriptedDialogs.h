#pragma once

#include "app/Dialogs.h"
#include "check/PreflightCheck.h"

#include <QList>
#include <QStringList>

namespace zr::test {

/// File names, texts and colours from queues; an empty queue cancels, as
/// every folder dialog does.
class ScriptedDialogs : public Dialogs {
public:
    QStringList files;
    QList<std::optional<QString>> texts;
    QList<std::optional<QColor>> colors;
    struct FileDialog { QString title, folder, filter; };
    QList<FileDialog> opened; // every open-file dialog shown
    QStringList saves;       // names to save under
    QList<FileDialog> saved; // every save dialog shown: title, proposed path (as folder), filter
    QList<bool> sendAnyway;          // answers to the check's findings; none left: Cancel
    QList<CheckResult> findingsShown; // every list of findings shown

    QString openFile(QWidget*, const QString& title, const QString& folder, const QString& filter) override {
        opened.append({title, folder, filter});
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString saveFile(QWidget*, const QString& title, const QString& path, const QString& filter) override {
        saved.append({title, path, filter});
        return saves.isEmpty() ? QString() : saves.takeFirst();
    }
    QString chooseFolder(QWidget*, const QString&, const QString&) override { return {}; }
    std::optional<QString> inputText(QWidget*, const QString&, const QString&, const QString&) override {
        return texts.isEmpty() ? std::nullopt : texts.takeFirst();
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override {
        return colors.isEmpty() ? std::nullopt : colors.takeFirst();
    }
    bool confirmFindings(QWidget*, const CheckResult& result) override {
        findingsShown.append(result);
        return !sendAnyway.isEmpty() && sendAnyway.takeFirst();
    }
};

} // namespace zr::test
