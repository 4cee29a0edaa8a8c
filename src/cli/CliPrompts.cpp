#include "CliPrompts.h"

#include <cstdio>

namespace zr {

namespace {
void print(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}
QString heading(const QString& title) { return title.isEmpty() ? QString() : title + ' '; }
} // namespace

Button CliPrompts::ask(const QString& title, const QString& text, Buttons buttons) {
    Button answer = Button::Cancel;
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel: answer = m_yes ? Button::Yes : Button::No; break;
    case Buttons::OK:
    case Buttons::OKCancel: answer = m_yes ? Button::OK : Button::Cancel; break;
    case Buttons::RetryCancel: answer = Button::Cancel; break;
    }
    const char* word = answer == Button::Yes ? "yes" : answer == Button::No ? "no"
                       : answer == Button::OK ? "ok" : "cancel";
    print(heading(title) + text + "\nAnswer: " + word + "\n");
    return answer;
}

void CliPrompts::inform(const QString& title, const QString& text) { print(heading(title) + text + "\n"); }

} // namespace zr
