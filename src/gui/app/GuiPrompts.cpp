#include "app/GuiPrompts.h"

#include <QApplication>
#include <QMessageBox>

namespace zr {

namespace {

QMessageBox::StandardButtons standardButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::OK: return QMessageBox::Ok;
    case Buttons::OKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Button answerOf(int button) {
    switch (button) {
    case QMessageBox::Ok: return Button::OK;
    case QMessageBox::Yes: return Button::Yes;
    case QMessageBox::No: return Button::No;
    case QMessageBox::Retry: return Button::Retry;
    default: return Button::Cancel;
    }
}

QString titleOf(const QString& title) { return title.isEmpty() ? QString::fromLatin1(AppTitle) : title; }

} // namespace

Button GuiPrompts::ask(const QString& title, const QString& text, Buttons buttons) {
    QMessageBox box(QMessageBox::Question, titleOf(title), text, standardButtons(buttons),
                    QApplication::activeWindow());
    return answerOf(box.exec());
}

void GuiPrompts::inform(const QString& title, const QString& text) {
    // A plain OK box, without an icon.
    QMessageBox box(QMessageBox::NoIcon, titleOf(title), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void GuiPrompts::warn(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Critical, titleOf(title), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace zr
