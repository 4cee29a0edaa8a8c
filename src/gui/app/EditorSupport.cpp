#include "app/EditorSupport.h"

#include "app/Prompts.h"
#include "app/WindowsText.h"
#include "app/frmMain.h"
#include "model/FileManager.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QValidator>

namespace zr {

void EditorButtons::connect(frmMain& main, QWidget* window, QPushButton* applyButton, QPushButton* exitButton,
                            QPushButton* cancelButton) const {
    const EditorButtons hooks = *this;
    QObject::connect(applyButton, &QPushButton::clicked, window, [&main, hooks] {
        main.guard().run(hooks.source, [&] {
            if (hooks.changed()) hooks.apply();
        });
    });
    QObject::connect(exitButton, &QPushButton::clicked, window, [&main, window, hooks] {
        bool close = false;
        main.guard().run(hooks.source, [&] {
            if (!hooks.changed()) {
                close = true;
                return;
            }
            switch (main.prompts().ask("Attention:", hooks.question, Buttons::YesNoCancel)) {
            case Button::Yes:
                close = hooks.apply();
                break;
            case Button::No:
                close = true;
                break;
            default:
                break;
            }
        });
        if (close) closeEditor(window);
    });
    QObject::connect(cancelButton, &QPushButton::clicked, window, [window] { closeEditor(window); });
}

QHBoxLayout* EditorButtons::createButtons(frmMain& main, QWidget* window, QPushButton** cmd,
                                          const std::array<QString, 3>& captions) const {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (int i = 0; i < 3; ++i)
        row->addWidget(cmd[i] = commandButton(window, i, captions[i]));
    connect(main, window, cmd[0], cmd[1], cmd[2]);
    return row;
}

QPushButton* commandButton(QWidget* parent, int index, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString("cmd_%1").arg(index));
    return button;
}

void closeEditor(QWidget* window) {
    if (QWidget* frame = window->parentWidget(); frame && frame->inherits("QMdiSubWindow"))
        frame->close();
    else
        window->close();
}

namespace {

class FocusWatch : public QObject {
public:
    FocusWatch(QLineEdit* field, std::function<void()> entered)
        : QObject(field), m_field(field), m_entered(std::move(entered)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_field && event->type() == QEvent::FocusIn) {
            if (m_entered) m_entered();
            // After the mouse press that gave the focus, which would place the cursor.
            QTimer::singleShot(0, m_field, [field = m_field] { field->selectAll(); });
        }
        return false;
    }

private:
    QLineEdit* m_field;
    std::function<void()> m_entered;
};

} // namespace

void selectAllOnFocus(QLineEdit* field, std::function<void()> entered) {
    field->installEventFilter(new FocusWatch(field, std::move(entered)));
}

namespace {

// Refuses a text with a character that Windows-1252 cannot hold; Qt then
// keeps the field as it was and reports the refusal.
class StorableText : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return unstorableCharacter(input) ? Invalid : Acceptable;
    }
};

} // namespace

QString unstorableTextMessage(const QString& text) {
    const std::optional<QString> character = unstorableCharacter(text);
    if (!character) return {};
    return "The character \"" + *character +
           "\" cannot be stored: the board's files hold only Windows-1252 characters.";
}

void storableTextOnly(frmMain& main, QLineEdit* field, const QString& source) {
    field->setValidator(new StorableText(field));
    QObject::connect(field, &QLineEdit::inputRejected, field, [&main, field, source] {
        // Reported while the field still holds the refused text, which it
        // drops on return: the message follows once the field is itself again.
        const QString message = unstorableTextMessage(field->text());
        if (message.isEmpty()) return;
        QMetaObject::invokeMethod(
            field,
            [&main, source, message] {
                main.guard().run(source, [&] { main.prompts().inform("Attention:", message); });
            },
            Qt::QueuedConnection);
    });
}

void keepWindowsDrawn() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool refusePictureName(frmMain& main, const QString& name) {
    const QString problem = pictureNameProblem(name);
    if (problem.isEmpty()) return false;
    main.prompts().inform("Attention:", problem);
    return true;
}

} // namespace zr
