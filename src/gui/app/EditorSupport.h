#pragma once

#include <QString>
#include <array>
#include <functional>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zr {

class frmMain;

/// The Apply, Exit and Cancel buttons that the editors share.
struct EditorButtons {
    QString source;   // for failures shown by the guard
    QString question; // asked by Exit when something changed
    std::function<bool()> changed;
    std::function<bool()> apply; // false when nothing could be stored

    /// Apply stores when something changed and leaves the window open. Exit
    /// asks when something changed: Yes stores and closes (the window stays
    /// open when storing failed), No closes, Cancel stays. Cancel closes at once.
    void connect(frmMain& main, QWidget* window, QPushButton* applyButton, QPushButton* exitButton,
                 QPushButton* cancelButton) const;

    /// Makes cmd(0), cmd(1) and cmd(2) with their captions, connects them as
    /// above, and returns them in a row along the window's right edge.
    QHBoxLayout* createButtons(frmMain& main, QWidget* window, QPushButton** cmd,
                               const std::array<QString, 3>& captions = {"&Apply", "E&xit", "&Cancel"}) const;

    /// An Apply that always stores.
    static std::function<bool()> storing(std::function<void()> apply) {
        return [apply = std::move(apply)] {
            apply();
            return true;
        };
    }
};

/// A button with the objectName "cmd_<index>".
QPushButton* commandButton(QWidget* parent, int index, const QString& caption);

/// Closes an editor, together with its child-window frame.
void closeEditor(QWidget* window);

/// Selects all text of the field whenever it receives the focus, so that
/// typing replaces it; entered (if given) runs first.
void selectAllOnFocus(QLineEdit* field, std::function<void()> entered = {});

} // namespace zr
