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

/// Refuses, as it is typed or pasted, a character that the board's files
/// cannot hold (they hold Windows-1252 text): the field keeps its text, and
/// a short message says why. Every field whose text is saved gets this.
void storableTextOnly(frmMain& main, QLineEdit* field, const QString& source);

/// The message for a text holding a character that cannot be stored, or
/// empty when the whole text can be stored.
QString unstorableTextMessage(const QString& text);

/// The progress of a long folder scan in a window: draws the windows again,
/// without taking the user's input in the middle of the scan.
void keepWindowsDrawn();

/// Shows the message and returns true when the picture cannot be named on a
/// pop_ or sugg_ line (its name holds a blank).
bool refusePictureName(frmMain& main, const QString& name);

} // namespace zr
