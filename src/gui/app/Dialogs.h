#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace zr {

struct CheckResult;

/// File dialogs, input boxes and the colour dialog of the windows. Tests put
/// a scripted one in its place.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    /// The chosen file, or the empty text when the user cancelled.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& folder,
                             const QString& filter) = 0;
    /// The file name to save under, or the empty text when the user cancelled.
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& path,
                             const QString& filter) = 0;
    /// The chosen folder, or the empty text.
    virtual QString chooseFolder(QWidget* parent, const QString& title, const QString& folder) = 0;
    /// The typed text, or nothing when the user cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                             const QString& text) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    /// The check's findings before an update (FindingsDialog); true to send
    /// all the same, false for Cancel.
    virtual bool confirmFindings(QWidget* parent, const CheckResult& result) = 0;
};

class QtDialogs : public Dialogs {
public:
    QString openFile(QWidget* parent, const QString& title, const QString& folder,
                     const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& path,
                     const QString& filter) override;
    QString chooseFolder(QWidget* parent, const QString& title, const QString& folder) override;
    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& text) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    bool confirmFindings(QWidget* parent, const CheckResult& result) override;
};

} // namespace zr
