#pragma once

#include <QString>

namespace zr {

/// The buttons of a question, and the answer given.
enum class Button { None = 0, OK = 1, Cancel = 2, Yes = 4, No = 8, Retry = 16 };

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel };

/// How the core asks or tells the user something. The desktop program shows
/// message boxes (an empty title means the application's title), the command
/// line tool writes to stderr, tests answer from a script.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual Button ask(const QString& title, const QString& text, Buttons buttons) = 0;
    virtual void inform(const QString& title, const QString& text) = 0;
    /// A warning that must not be missed (shown with the stop sign where
    /// windows are drawn); elsewhere it is told as any other message.
    virtual void warn(const QString& title, const QString& text) { inform(title, text); }
};

} // namespace zr
