#pragma once

#include <QLocale>

class QTranslator;

namespace zr {

/// Installs the program's texts in the language of the locale, where the
/// program has them (Swedish); the translator belongs to the application.
/// None when the locale's language has no texts of its own.
QTranslator* installTranslation(const QLocale& locale);

} // namespace zr
