#include "app/Dialogs.h"

#include "app/FindingsDialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>

namespace zr {

QString QtDialogs::openFile(QWidget* parent, const QString& title, const QString& folder,
                            const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString QtDialogs::saveFile(QWidget* parent, const QString& title, const QString& path,
                            const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, path, filter);
}

QString QtDialogs::chooseFolder(QWidget* parent, const QString& title, const QString& folder) {
    return QFileDialog::getExistingDirectory(parent, title, folder);
}

std::optional<QString> QtDialogs::inputText(QWidget* parent, const QString& title, const QString& prompt,
                                            const QString& text) {
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, text, &ok);
    if (!ok) return std::nullopt;
    return answer;
}

std::optional<QColor> QtDialogs::chooseColor(QWidget* parent, const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid()) return std::nullopt;
    return color;
}

bool QtDialogs::confirmFindings(QWidget* parent, const CheckResult& result) {
    FindingsDialog dialog(result, FindingsDialog::Use::BeforeUpdate, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace zr
