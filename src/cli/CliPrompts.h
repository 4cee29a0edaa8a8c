#pragma once

#include "app/Prompts.h"

#include <QTextStream>

namespace zr {

/// Questions go to stderr, each followed by the answer given on the command line.
class CliPrompts : public Prompts {
public:
    explicit CliPrompts(bool answerYes) : m_yes(answerYes) {}
    Button ask(const QString& title, const QString& text, Buttons buttons) override;
    void inform(const QString& title, const QString& text) override;

private:
    bool m_yes;
};

} // namespace zr
