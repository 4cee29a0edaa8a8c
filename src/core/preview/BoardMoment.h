#pragma once

#include "menu/MenuItem.h"
#include "model/Profiles.h"

#include <QList>
#include <QString>
#include <QTime>
#include <array>
#include <optional>

namespace zr {

/// Start times of the four day parts of one schedule.
struct DayPartStarts {
    QTime breakfast{6, 0};
    QTime lunch{10, 30};
    QTime dinner{16, 30};
    QTime closed{23, 0};
    /// In the order of DayPartKeys.
    std::array<QTime, 4> inOrder() const { return {breakfast, lunch, dinner, closed}; }
};

/// The start times of the schedules week (Monday to Thursday), fri, sat and sun, in that order.
using ScheduleStarts = std::array<DayPartStarts, 4>;

/// The start times of the profile's schedules.
ScheduleStarts scheduleStarts(Profiles& profile);

/// The schedule of a weekday (Qt::Monday to Qt::Sunday) as a position in
/// ScheduleKeys: Monday to Thursday "week", then "fri", "sat" and "sun".
int scheduleOfWeekday(int weekday);

/// The day part in force, and the day its start belongs to.
struct DayPartInForce {
    int part = 0;        ///< position in DayPartKeys
    int startWeekday = 1; ///< the weekday of the start: the moment's, or the day before
    QTime start;
};

/// Each day part lasts until the next one starts, by clock time, whatever
/// order the schedule lists them in: the part in force is the one whose start
/// is the latest at or before the time (of two equal starts, the later in
/// DayPartKeys). Before the first start of a day, the part that started last
/// on the day before, by that day's schedule, is still in force.
DayPartInForce dayPartInForce(const ScheduleStarts& starts, int weekday, const QTime& time);

/// A moment of the week: a weekday (Qt::Monday to Qt::Sunday) and a time of day.
struct Moment {
    int weekday = 1;
    QTime time{0, 0};
    bool withSeconds = false; ///< whether the text named the seconds
};

/// Reads "fri 11:30" or "fri 11:30:05": a weekday by its first three letters
/// or its whole English name, in any letter case, and a 24-hour time. None
/// for any other text.
std::optional<Moment> parseMoment(const QString& text);
/// "Fri 11:30:05".
QString momentText(const Moment& moment);

/// Seconds a POP stays on the screen: its display time when that is a whole
/// number of at least 1, otherwise 0: the board would never move on from it.
int displaySeconds(const PopEntry& pop);

/// Where a looping POP slideshow is after a number of seconds.
struct SlideAt {
    int index = 0;        ///< position in the list
    int second = 0;       ///< seconds the picture has been showing
    int seconds = 0;      ///< its display seconds (0: it stays)
    qint64 cycle = 0;     ///< seconds of one round of the show (0: it never loops)
};
/// None for an empty list. A picture whose display time is no whole number
/// of at least 1 stops the show there.
std::optional<SlideAt> slideAt(const QList<PopEntry>& pops, qint64 elapsed);

/// The sample figures of the order screen, as the order-screen editor shows
/// them: its three sample lines cost 3.99, 2.15 and 4.22 with 0.37 tax, and
/// further lines repeat those prices. The tax is that share of any subtotal.
namespace SamplePrices {
inline constexpr std::array<int, 3> UnitCents{399, 215, 422};
inline constexpr int TaxCents = 37;
inline constexpr int TaxOnCents = 1036;
int unitCents(int line);
int taxCents(qint64 subtotalCents);
QString money(qint64 cents); ///< "10.73"
} // namespace SamplePrices

/// One line of the order screen.
struct OrderLine {
    MenuItem item;
    int unitCents = 0;
};

/// What the order screen shows for an order.
struct OrderScreenView {
    QList<OrderLine> lines;
    bool showUnitPrice = true;
    bool showTax = true;
    bool showTotal = true;
    qint64 subtotalCents = 0;
    qint64 taxCents = 0;
    qint64 totalCents = 0;
    QString message; ///< the day part's order-screen message (stored bytes)
    /// The suggestion of the first family, in family order, that the order
    /// lacks and that the day part's suggestions name; none when there is none.
    std::optional<SuggestEntry> suggestion;
};

/// The items of the menu that the board shows, in file order.
QList<MenuItem> shownItems(const QList<MenuItem>& items);
/// The order the preview starts with: the first entrée the board shows, or nothing.
QList<MenuItem> defaultOrder(const QList<MenuItem>& shown);
/// The items of the names, in the order given: a name matches its short
/// descriptor exactly or, failing that, without regard to case. The first
/// name that matches no shown item is returned in unknown.
QList<MenuItem> orderOf(const QList<MenuItem>& shown, const QStringList& names, QString* unknown);

/// Why a picture the board would show cannot be shown as it is, or empty.
QString pictureProblem(const QString& folder, const QString& name);
inline const QString PictureMissing = "missing";
inline const QString PictureTooSmall = "empty: below the catalogue's minimum size of 1 byte";

/// The state of the board's screen.
enum class BoardState { Idle, Order, Total };

/// What the board shows at a moment of the week: plain data for the preview
/// window, zrctl preview and the drawing.
struct BoardPreview {
    Moment moment;
    int schedule = 0; ///< position in ScheduleKeys
    DayPartInForce dayPart;
    /// Seconds since the day part started. The board's idle screen is counted
    /// from there: the pre-sell message, then the slideshow, looping.
    qint64 elapsed = 0;
    bool landscape = false;

    QStringList messageLines;
    QString messageDisplayType; ///< "smooth" or "random"
    int messageSeconds = 0;
    qint32 foreColor = 0;
    qint32 backColor = 0;

    QList<PopEntry> pops;
    OrderScreenView order;
    bool totalScreen = false;
    int totalSeconds = 0;

    QString scheduleKey() const { return ScheduleKeys.at(schedule); }
    QString dayPartKey() const { return DayPartKeys.at(dayPart.part); }
    /// Where the idle screen is after that many seconds: none while the
    /// pre-sell message shows, otherwise the slide.
    std::optional<SlideAt> idleSlide(qint64 idleSeconds) const;
};

/// The board of the profile at a moment with an order. Reads the model only,
/// although the profile's defaults-on-reading take effect in memory.
BoardPreview previewAt(Profiles& profile, const Moment& moment, const QList<MenuItem>& order);

} // namespace zr
