#include "app/Translation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace zr {

QTranslator* installTranslation(const QLocale& locale) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, "zr", "_", ":/i18n") && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace zr
