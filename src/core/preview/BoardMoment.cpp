#include "preview/BoardMoment.h"

#include "app/AppPaths.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

namespace zr {

ScheduleStarts scheduleStarts(Profiles& profile) {
    ScheduleStarts starts;
    for (int s = 0; s < 4; ++s) {
        const TimeOfWeek* week = profile.Week(ScheduleKeys[s]);
        if (!week) continue;
        QTime* parts[] = {&starts[s].breakfast, &starts[s].lunch, &starts[s].dinner, &starts[s].closed};
        for (int d = 0; d < 4; ++d)
            if (const TimeOfDay* day = week->Day(DayPartKeys[d])) *parts[d] = day->StartTime;
    }
    return starts;
}

int scheduleOfWeekday(int weekday) {
    switch (weekday) {
    case Qt::Friday:
        return 1;
    case Qt::Saturday:
        return 2;
    case Qt::Sunday:
        return 3;
    default:
        return 0;
    }
}

namespace {

int latestAtOrBefore(const DayPartStarts& s, const QTime& t) {
    const std::array<QTime, 4> parts = s.inOrder();
    int best = -1;
    for (int d = 0; d < 4; ++d)
        if (parts[d] <= t && (best < 0 || parts[d] >= parts[best])) best = d;
    return best;
}

} // namespace

DayPartInForce dayPartInForce(const ScheduleStarts& starts, int weekday, const QTime& time) {
    const DayPartStarts& today = starts[scheduleOfWeekday(weekday)];
    if (const int part = latestAtOrBefore(today, time); part >= 0)
        return {part, weekday, today.inOrder()[part]};
    const int yesterday = weekday == Qt::Monday ? Qt::Sunday : weekday - 1;
    const DayPartStarts& before = starts[scheduleOfWeekday(yesterday)];
    const int part = latestAtOrBefore(before, QTime(23, 59, 59, 999));
    return {part, yesterday, before.inOrder()[part]};
}

std::optional<Moment> parseMoment(const QString& text) {
    static const QRegularExpression form(R"(^\s*([A-Za-z]+)\s+(\d{1,2}):(\d{2})(?::(\d{2}))?\s*$)");
    static const QStringList days{"monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"};
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QString day = m.captured(1).toLower();
    int weekday = 0;
    for (int d = 0; d < days.size(); ++d)
        if (day == days[d] || day == days[d].left(3)) weekday = d + 1;
    const bool withSeconds = m.capturedLength(4) > 0;
    const QTime time(m.captured(2).toInt(), m.captured(3).toInt(), withSeconds ? m.captured(4).toInt() : 0);
    if (weekday == 0 || !time.isValid()) return std::nullopt;
    return Moment{weekday, time, withSeconds};
}

QString momentText(const Moment& moment) {
    static const QStringList days{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    return days.value(moment.weekday - 1) + ' ' + moment.time.toString("HH:mm:ss");
}

int displaySeconds(const PopEntry& pop) {
    bool ok = false;
    const int seconds = pop.Time.trimmed().toInt(&ok);
    return ok && seconds >= 1 ? seconds : 0;
}

std::optional<SlideAt> slideAt(const QList<PopEntry>& pops, qint64 elapsed) {
    if (pops.isEmpty()) return std::nullopt;
    qint64 cycle = 0;
    for (const PopEntry& pop : pops) {
        const int seconds = displaySeconds(pop);
        if (seconds == 0) {
            cycle = 0;
            break;
        }
        cycle += seconds;
    }
    qint64 left = cycle > 0 ? elapsed % cycle : elapsed;
    for (int i = 0; i < pops.size(); ++i) {
        const int seconds = displaySeconds(pops[i]);
        if (seconds == 0 || left < seconds) return SlideAt{i, static_cast<int>(left), seconds, cycle};
        left -= seconds;
    }
    return SlideAt{0, 0, displaySeconds(pops[0]), cycle}; // not reached: the cycle covers every second
}

namespace SamplePrices {

int unitCents(int line) {
    return UnitCents[static_cast<size_t>(line) % UnitCents.size()];
}

int taxCents(qint64 subtotalCents) {
    return static_cast<int>(std::llround(static_cast<double>(subtotalCents) * TaxCents / TaxOnCents));
}

QString money(qint64 cents) {
    return QString::number(cents / 100) + '.' + QString::number(cents % 100).rightJustified(2, '0');
}

} // namespace SamplePrices

QList<MenuItem> shownItems(const QList<MenuItem>& items) {
    QList<MenuItem> shown;
    for (const MenuItem& item : items)
        if (item.ShowItem.compare("TRUE", Qt::CaseInsensitive) == 0) shown.append(item);
    return shown;
}

QList<MenuItem> defaultOrder(const QList<MenuItem>& shown) {
    for (const MenuItem& item : shown)
        if (familyCode(item.Family) == 10) return {item};
    return {};
}

QList<MenuItem> orderOf(const QList<MenuItem>& shown, const QStringList& names, QString* unknown) {
    QList<MenuItem> order;
    for (const QString& raw : names) {
        const QString name = raw.trimmed();
        const MenuItem* found = nullptr;
        for (const MenuItem& item : shown)
            if (!found && sameShortDescriptor(item.ShortDescriptor, name)) found = &item;
        for (const MenuItem& item : shown)
            if (!found && item.ShortDescriptor.compare(name, Qt::CaseInsensitive) == 0) found = &item;
        if (!found) {
            if (unknown) *unknown = name;
            return {};
        }
        order.append(*found);
    }
    return order;
}

QString pictureProblem(const QString& folder, const QString& name) {
    const QFileInfo file(AppPaths::resolveIn(folder, name));
    if (name.isEmpty() || !file.isFile()) return PictureMissing;
    // The catalogue the update sends from counts an empty file as a picture;
    // the board cannot show one.
    if (file.size() < 1) return PictureTooSmall;
    return QString();
}

namespace {

bool isYes(const QString& value) {
    return value.compare("yes", Qt::CaseInsensitive) == 0;
}

OrderScreenView orderScreen(Profiles& profile, int part, const QList<MenuItem>& order) {
    OrderScreen& settings = profile.OrderScreen();
    OrderScreenView view;
    view.showUnitPrice = isYes(settings.ShowUnitPrice());
    view.showTax = isYes(settings.ShowTax());
    view.showTotal = isYes(settings.ShowTotal());
    for (const MenuItem& item : order) {
        const int cents = SamplePrices::unitCents(static_cast<int>(view.lines.size()));
        view.lines.append({item, cents});
        view.subtotalCents += cents;
    }
    view.taxCents = SamplePrices::taxCents(view.subtotalCents);
    view.totalCents = view.subtotalCents + view.taxCents;
    // Closed has no message of its own.
    const QString messages[] = {settings.BreakfastMessage(), settings.LunchMessage(), settings.DinnerMessage(),
                                QString()};
    view.message = messages[part];

    // Only the week schedule holds suggestions; they serve every day.
    const TimeOfWeek* week = profile.Week("week");
    const TimeOfDay* day = week ? week->Day(DayPartKeys[part]) : nullptr;
    if (!day) return view;
    for (int family = 10; family <= 50 && !view.suggestion; family += 10) {
        bool ordered = false;
        for (const OrderLine& line : view.lines)
            ordered = ordered || familyCode(line.item.Family) == family;
        if (ordered) continue;
        for (const SuggestEntry& entry : day->Suggest) {
            if (entry.Family.trimmed() == QString::number(family)) {
                view.suggestion = entry;
                break;
            }
        }
    }
    return view;
}

} // namespace

std::optional<SlideAt> BoardPreview::idleSlide(qint64 idleSeconds) const {
    if (idleSeconds < messageSeconds) return std::nullopt;
    return slideAt(pops, idleSeconds - messageSeconds);
}

BoardPreview previewAt(Profiles& profile, const Moment& moment, const QList<MenuItem>& order) {
    BoardPreview b;
    b.moment = moment;
    b.dayPart = dayPartInForce(scheduleStarts(profile), moment.weekday, moment.time);
    // Before the first start of a day, the day part and its POPs are the day before's.
    b.schedule = scheduleOfWeekday(b.dayPart.startWeekday);
    const int since = b.dayPart.start.secsTo(moment.time);
    b.elapsed = b.dayPart.startWeekday == moment.weekday ? since : since + 86400;
    b.landscape = profile.DisplayMode().compare("landscape", Qt::CaseInsensitive) == 0;

    PreSellMessage& preSell = profile.PreSellMessage();
    b.messageLines = preSell.MessageList();
    b.messageDisplayType = preSell.MessageDisplayType();
    b.messageSeconds = qMax<int>(0, preSell.MessageToPOPTime());
    b.foreColor = preSell.ForeColor();
    b.backColor = preSell.BackColor();

    const TimeOfWeek* week = profile.Week(ScheduleKeys[b.schedule]);
    if (const TimeOfDay* day = week ? week->Day(DayPartKeys[b.dayPart.part]) : nullptr) b.pops = day->POPs;
    b.order = orderScreen(profile, b.dayPart.part, order);
    b.totalScreen = isYes(profile.TotalScreen().ShowTotalScreen());
    b.totalSeconds = b.totalScreen ? qMax<int>(0, profile.TotalScreen().TotalScreenDelay()) : 0;
    return b;
}

} // namespace zr
