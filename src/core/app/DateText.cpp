#include "app/DateText.h"

#include <QRegularExpression>

namespace zr {

namespace {

QString twelveHourTime(const QTime& t) {
    int hour = t.hour() % 12;
    if (hour == 0) hour = 12;
    return QStringLiteral("%1:%2:%3 %4")
        .arg(hour)
        .arg(t.minute(), 2, 10, QChar('0'))
        .arg(t.second(), 2, 10, QChar('0'))
        .arg(t.hour() < 12 ? "AM" : "PM");
}

std::optional<QTime> parseTime(const QString& text) {
    static const QRegularExpression twelve(
        QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))? *([AaPp][Mm])$"));
    static const QRegularExpression twentyFour(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
    QRegularExpressionMatch m = twelve.match(text);
    bool isTwelve = m.hasMatch();
    if (!isTwelve) m = twentyFour.match(text);
    if (!m.hasMatch()) return std::nullopt;
    int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    const int second = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (isTwelve) {
        if (hour > 12) return std::nullopt;
        const bool pm = m.captured(4).compare("PM", Qt::CaseInsensitive) == 0;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return QTime(hour, minute, second);
}

} // namespace

QString generalDateText(const DateValue& value) {
    const QString time = twelveHourTime(value.time);
    if (!value.hasDate()) return time;
    return QStringLiteral("%1/%2/%3 %4")
        .arg(value.date.month())
        .arg(value.date.day())
        .arg(value.date.year(), 4, 10, QChar('0'))
        .arg(time);
}

std::optional<DateValue> parseDateText(const QString& input) {
    static const QRegularExpression datePart(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})(?: +(.*))?$"));
    const QString text = input.trimmed();
    QRegularExpressionMatch m = datePart.match(text);
    if (!m.hasMatch()) {
        std::optional<QTime> time = parseTime(text);
        if (!time) return std::nullopt;
        return DateValue{QDate(), *time};
    }
    QDate date(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
    if (!date.isValid()) return std::nullopt;
    QTime time(0, 0);
    if (!m.captured(4).isEmpty()) {
        std::optional<QTime> t = parseTime(m.captured(4));
        if (!t) return std::nullopt;
        time = *t;
    }
    return DateValue{date, time};
}

QString hoursMinutes(const QTime& time) {
    return QStringLiteral("%1:%2").arg(time.hour(), 2, 10, QChar('0')).arg(time.minute(), 2, 10, QChar('0'));
}

} // namespace zr
