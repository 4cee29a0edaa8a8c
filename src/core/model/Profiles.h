#pragma once

#include "app/DateText.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>

namespace zr {

class AppPaths;
class Clock;
class Prompts;

/// One image of a day part's POP slideshow.
struct PopEntry {
    QString Picture;
    QString Time = "2";  // seconds on screen, as text
    bool operator==(const PopEntry&) const = default;
};

/// The suggestive sale shown when a family is missing from the order.
struct SuggestEntry {
    QString Family;  // family code as text: 10, 20, 30, 40 or 50
    QString Picture;
    QString Message;
    bool operator==(const SuggestEntry&) const = default;
};

/// One day part of a schedule: "break", "lunch", "dinner" or "closed".
struct TimeOfDay {
    QString ID;
    QTime StartTime{0, 0};  // only the time of day is used
    QList<PopEntry> POPs;
    QList<SuggestEntry> Suggest;
};

/// One schedule: "week", "fri", "sat" or "sun", with its four day parts.
struct TimeOfWeek {
    explicit TimeOfWeek(const QString& id);
    QString ID;
    QList<TimeOfDay> Days;
    /// The day part with that key (without regard to case), or none.
    TimeOfDay* Day(const QString& key);
    const TimeOfDay* Day(const QString& key) const;
};

// The suggestion a family gets when the configuration gives it none.
inline const QString DefaultSuggestPicture = "greatchoice.jpg";
inline const QString DefaultSuggestMessage = "Thank you for your Order";

// The schedule and day-part keys, in order.
inline const QStringList ScheduleKeys{"week", "fri", "sat", "sun"};
inline const QStringList DayPartKeys{"break", "lunch", "dinner", "closed"};
// The names the windows show for them, in the same order.
inline const QStringList ScheduleNames{"Week", "Friday", "Saturday", "Sunday"};
inline const QStringList DayPartNames{"Breakfast", "Lunch", "Dinner", "Closed"};

// Several properties give a default when they are read while empty, and keep
// it: a default given this way is saved with the profile.

class TotalScreen {
public:
    qint16 TotalScreenDelay() const { return m_delay; }
    void setTotalScreenDelay(qint16 v) { m_delay = v; }
    QString ShowTotalScreen() const { return m_show; }
    void setShowTotalScreen(const QString& v) { m_show = v; }
    QString Font() const { return m_font; }
    void setFont(const QString& v) { m_font = v; }

private:
    qint16 m_delay = 0;
    QString m_show;
    QString m_font;
};

class OrderScreen {
public:
    QString Font() const { return m_font; }
    void setFont(const QString& v) { m_font = v; }
    QString ShowUnitPrice();
    void setShowUnitPrice(const QString& v) { m_unitPrice = v; }
    QString ShowTotal();
    void setShowTotal(const QString& v) { m_total = v; }
    QString ShowTax();
    void setShowTax(const QString& v) { m_tax = v; }
    QString BreakfastMessage() const { return m_break; }
    void setBreakfastMessage(const QString& v) { m_break = v; }
    QString LunchMessage() const { return m_lunch; }
    void setLunchMessage(const QString& v) { m_lunch = v; }
    QString DinnerMessage() const { return m_dinner; }
    void setDinnerMessage(const QString& v) { m_dinner = v; }

private:
    QString m_font, m_unitPrice, m_total, m_tax, m_break, m_lunch, m_dinner;
};

class PreSellMessage {
public:
    QString Font() const { return m_font; }
    void setFont(const QString& v) { m_font = v; }
    /// Colours: red in the low byte, then green, then blue.
    qint32 BackColor() const { return m_back; }
    void setBackColor(qint32 v) { m_back = v; }
    qint32 ForeColor() const { return m_fore; }
    void setForeColor(qint32 v) { m_fore = v; }
    QString MessageDisplayType();  // "smooth" or "random"
    void setMessageDisplayType(const QString& v) { m_type = v; }
    qint16 MessageToPOPTime() const { return m_toPop; }
    void setMessageToPOPTime(qint16 v) { m_toPop = v; }
    QStringList& MessageList() { return m_lines; }
    const QStringList& MessageList() const { return m_lines; }
    void setMessageList(const QStringList& v) { m_lines = v; }

private:
    QString m_font;
    qint32 m_back = 0;
    qint32 m_fore = 0;
    QString m_type;
    qint16 m_toPop = 0;
    QStringList m_lines;
};

/// The point-of-sale connection. Writing the translator type, the version or
/// the port derives the driver again.
/// One line of the site's Translators file: the POS type in columns 1 to 20
/// and its driver in columns 21 to 40, blanks trimmed.
struct Translator {
    QString type;
    QString driver;
};
/// The lines of the Translators file in file order, or nothing when the file
/// is missing or cannot be read.
std::optional<QList<Translator>> readTranslators(const AppPaths& paths);

class POS {
public:
    explicit POS(const AppPaths* paths = nullptr) : m_paths(paths) {}

    QString CommType();
    void setCommType(const QString& v);
    QString Driver();
    /// "video" or "registers" (any letter case, kept as given); anything else stores "video".
    QString Mode();
    void setMode(const QString& v);
    QString Version() const { return m_version; }
    void setVersion(const QString& v);
    QString ID();
    void setID(const QString& v);
    QString Stats() const { return m_stats; }
    void setStats(const QString& v) { m_stats = v; }
    QString StatsModule() const { return "zrpad"; }
    QString Till() const { return m_till; }
    void setTill(const QString& v) { m_till = v; }
    QString ConfigFile() const { return m_configFile; }
    void setConfigFile(const QString& v) { m_configFile = v; }

    /// The driver of a translator type by the built-in table (port matters
    /// for "PAR TC" and "PAR GT").
    static QString driverFor(const QString& translatorType, const QString& commType);
    /// The translator types that the built-in table knows, in its order.
    static QStringList knownTypes();

private:
    void DeriveDriver();

    const AppPaths* m_paths;
    QString m_commType, m_driver, m_mode, m_version, m_id, m_stats, m_till, m_configFile;
};

class OCBComm {
public:
    DateValue LastRetrieved() const { return m_retrieved; }
    void setLastRetrieved(const DateValue& v) { m_retrieved = v; }
    DateValue LastUpdated() const { return m_updated; }
    void setLastUpdated(const DateValue& v) { m_updated = v; }

private:
    DateValue m_retrieved;
    DateValue m_updated;
};

/// One OCB profile: the root of the model. Making a profile current (setID)
/// reads it from its files, and SaveProfile writes them.
class Profiles {
public:
    Profiles(const AppPaths& paths, Clock& clock, Prompts& prompts);

    QString DisplayMode();
    void setDisplayMode(const QString& v) { m_displayMode = v; }
    QString Language();
    void setLanguage(const QString& v) { m_language = v; }
    QString DefaultPOP();
    void setDefaultPOP(const QString& v) { m_defaultPop = v; }
    QString DefaultItem();
    void setDefaultItem(const QString& v) { m_defaultItem = v; }
    QString VehicleDetect();
    void setVehicleDetect(const QString& v) { m_vehicleDetect = v; }
    QString IPAddress() const { return m_ip; }
    void setIPAddress(const QString& v);

    QString ID() const { return m_id; }
    /// Makes the profile of that name current: creates its folders, reads
    /// Config.conf and zr.conf with defaults for what is missing, asks the
    /// missing-line question (LoadCancelled on No, with nothing written) and
    /// writes both files back in the program's layout.
    void setID(const QString& name);

    zr::TotalScreen& TotalScreen() { return m_totalScreen; }
    zr::OrderScreen& OrderScreen() { return m_orderScreen; }
    zr::PreSellMessage& PreSellMessage() { return m_preSell; }
    zr::POS& POS() { return m_pos; }
    zr::OCBComm& OCBComm() { return m_ocbComm; }
    QList<TimeOfWeek>& Weeks() { return m_weeks; }
    /// The schedule with that key (without regard to case), or none.
    TimeOfWeek* Week(const QString& key);

    /// Writes zr.conf and then Config.conf.
    void SaveProfile();

    bool QuietDefaults() const { return m_quiet; }

    const AppPaths& paths() const { return *m_paths; }
    Clock& clock() const { return *m_clock; }
    Prompts& prompts() const { return *m_prompts; }

private:
    friend class ConfigReader;
    void resetObjects();
    void rebuildSchedules();

    // Pointers, so that a whole profile can be put back as it was (a failed load).
    const AppPaths* m_paths;
    Clock* m_clock;
    Prompts* m_prompts;

    QString m_displayMode, m_language, m_defaultPop, m_defaultItem, m_vehicleDetect, m_ip, m_id;
    bool m_quiet = false;
    zr::TotalScreen m_totalScreen;
    zr::OrderScreen m_orderScreen;
    zr::PreSellMessage m_preSell;
    zr::POS m_pos;
    zr::OCBComm m_ocbComm;
    QList<TimeOfWeek> m_weeks;
};

} // namespace zr
