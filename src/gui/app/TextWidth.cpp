#include "app/TextWidth.h"

#include "app/Prompts.h"
#include "app/frmMain.h"

#include <QFontMetricsF>
#include <QLineEdit>

namespace zr {

std::function<bool(const QString&)> widthLimit(double maxTwips) {
    return [maxTwips, metrics = QFontMetricsF(messageFont())](const QString& text) {
        return metrics.horizontalAdvance(text) * TwipsPerPixel <= maxTwips;
    };
}

void limitTyping(frmMain& main, QLineEdit* field, const QString& source, const QString& message,
                 std::function<bool(const QString&)> fits) {
    // Only the user's edits are limited: a stored text that breaks the limit
    // is shown as it is rather than changed behind the user's back.
    QObject::connect(field, &QLineEdit::textEdited, field,
                     [&main, field, source, message, fits](QString text) {
                         main.guard().run(source, [&] {
                             if (fits(text)) return;
                             main.prompts().inform(QString(), message);
                             while (!text.isEmpty() && !fits(text))
                                 text.chop(1);
                             field->setText(text);
                         });
                     });
}

} // namespace zr
