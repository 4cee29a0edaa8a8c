#pragma once

#include "app/Prompts.h"

class QWidget;

namespace zr {

/// The program's title, shown on message boxes that have none of their own.
inline constexpr const char* AppTitle = "ZR_FrontEnd";

/// Questions and messages as message boxes over the active window.
class GuiPrompts : public Prompts {
public:
    Button ask(const QString& title, const QString& text, Buttons buttons) override;
    void inform(const QString& title, const QString& text) override;
    void warn(const QString& title, const QString& text) override;
};

} // namespace zr
