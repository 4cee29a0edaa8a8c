#include "model/ConfigReader.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/DateText.h"
#include "app/FrontEndSettings.h"
#include "app/Logs.h"
#include "app/Prompts.h"
#include "app/Routines.h"
#include "app/TextFile.h"
#include "model/DynamicList.h"
#include "model/ProfileStore.h"
#include "model/Profiles.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace zr {

namespace {

const QString GivenDefault = " given default setting of ";

// Default texts of the program.
const QString DefaultPicture = "default.jpg";
const QStringList DefaultPreSell{"This is a generic", "Pre Sell Message."};
const QStringList DefaultStartTimes{"6:00:00 AM", "10:30:00 AM", "04:30:00 PM", "11:00:00 PM"};
const QString DefaultDate = "00:00:00 AM";

/// Words separated by single blanks: what a value written without quotes reads back as.
QString bareText(const QStringList& tokens) {
    QStringList words;
    for (const QString& token : tokens)
        for (const QString& word : token.split(' ', Qt::SkipEmptyParts)) words << word;
    return words.join(' ');
}

/// The text of a value written in double quotes: it cannot hold a double quote.
QString quotedText(const QStringList& tokens) {
    QString text = tokens.join(' ');
    text.remove('"');
    return TrimBlanks(text);
}

/// A single word that can be written bare: not empty, no blank.
bool isWord(const QString& text) { return !text.isEmpty() && !text.contains(' '); }

std::optional<qint64> wholeNumber(const QString& text, qint64 low, qint64 high) {
    static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]{1,18}$"));
    if (!digits.match(text).hasMatch()) return std::nullopt;
    const qint64 value = text.toLongLong();
    if (value < low || value > high) return std::nullopt;
    return value;
}

bool isInt16(const QString& t) { return wholeNumber(t, -32768, 32767).has_value(); }
bool isInt32(const QString& t) { return wholeNumber(t, INT32_MIN, INT32_MAX).has_value(); }
bool isDate(const QString& t) { return parseDateText(t).has_value(); }

} // namespace

QString ConfigReader::missingLineQuestion(const QString& key) {
    return "Warning!  Config File is missing Line " + key + ".  " + "If you proceed, " + key +
           " will be given a default value.  Do you wish to continue?";
}

void ConfigReader::makeCurrent(const QString& name) {
    const QString id = ProfileStore::trimmedName(name);
    if (!ProfileStore::isValidName(id))
        throw AppError("Profiles", errors::InvalidArgument, "\"" + name + "\" is not a valid profile name.");

    // The profile held stays current until the new one has loaded and been
    // written back: a load that fails leaves it whole.
    const Profiles before = m_p;
    try {
        load(id);
    } catch (...) {
        m_p = before;
        throw;
    }
}

void ConfigReader::load(const QString& id) {
    read(id);
    // Nothing is written before the load has run to its end, so that a No to
    // the missing-line question leaves every file as it was.
    const AppPaths& paths = m_p.paths();
    ProfileStore::CreateProfileFolders(paths, id);
    ProfileLogs logs(paths, m_p.clock());
    for (const QString& event : m_events) logs.LogEvent(id, event);
    m_p.SaveProfile();
    m_p.setIPAddress(GetConfigIP(paths, id));
}

void ConfigReader::readOnly(const QString& name) {
    const QString id = ProfileStore::trimmedName(name);
    if (!ProfileStore::isValidName(id) || !QFileInfo(m_p.paths().profileFolder(id)).isDir())
        throw AppError("Profiles", errors::PathNotFound, "There is no profile " + name + ".");
    m_readOnly = true;
    read(id);
}

QString ConfigReader::storedValue(const AppPaths& paths, const QString& profile, const QString& key) {
    if (profile.isEmpty()) return {};
    const std::optional<QStringList> lines = TextFile::readLines(paths.zrConf(profile), "Date Label");
    if (!lines) return {};
    DynamicList list;
    for (const QString& line : *lines)
        list.AddItem(line);
    const QList<QStringList> found = list.lines(key);
    return found.size() == 1 ? found.first().join(' ') : QString();
}

void ConfigReader::read(const QString& id) {
    const AppPaths& paths = m_p.paths();
    m_p.m_quiet = false;
    m_p.m_id = id;
    m_p.resetObjects();
    // A profile without a folder is a new one: it gets its defaults without asking.
    if (!QFileInfo(paths.profileFolder(id)).isDir()) m_p.m_quiet = true;
    m_p.setIPAddress(GetConfigIP(paths, id));

    DynamicList list;
    m_list = &list;
    loadConfig(list);
    m_list = nullptr;
}

void ConfigReader::loadConfig(DynamicList& list) {
    m_p.rebuildSchedules();
    // The pictures are the program's, not the profile's: zr.conf has no place for them.
    const FrontEndSettings::DefaultImages images = FrontEndSettings::ReadDefaultImages(m_p.paths());
    m_p.setDefaultItem(images.item);
    m_p.setDefaultPOP(images.pop);
    if (!m_p.m_quiet) {
        list.MaskFlags(1);
        list.AddMask("#");
        list.AddMask("");
        list.AddMask("start");
        if (std::optional<QStringList> lines = TextFile::readLines(m_p.paths().zrConf(m_p.m_id), "LoadConfig"))
            for (const QString& line : *lines) list.AddItem(line);
    }
    // Reading only asks nothing, and leaves the first run's rewrite of zr.ini to the program.
    if (m_readOnly)
        m_p.m_quiet = true;
    else if (!m_p.m_quiet)
        m_p.m_quiet = FrontEndSettings::FirstRun(m_p.paths());

    readSystemOptions();
    readPOS();
    readPreSellMessage();
    readSystemDates();
    readOrderScreen();
    readTotalScreen();
    readDayParts();
    readSuggestiveSales();
}

bool ConfigReader::has(const QString& key) const { return !m_list->lines(key).isEmpty(); }

// A key that is found on several lines takes the value of its first line.
QString ConfigReader::bare(const QString& key) const { return bareText(m_list->lines(key).value(0)); }
QString ConfigReader::quoted(const QString& key) const { return quotedText(m_list->lines(key).value(0)); }

void ConfigReader::missing(const QString& key) {
    if (m_p.m_quiet) return;
    m_p.m_quiet = true;
    if (m_p.prompts().ask(QString(), missingLineQuestion(key), Buttons::YesNo) != Button::Yes)
        throw LoadCancelled(key);
}

QString ConfigReader::warned(const QString& key, QString value, const QString& fallback,
                             const std::function<bool(const QString&)>& acceptable) {
    if (value.isEmpty() || (acceptable && !acceptable(value))) {
        missing(key);
        value = fallback;
        log(key + GivenDefault + value);
    }
    return value;
}

void ConfigReader::readSystemOptions() {
    m_p.setDisplayMode(warned("display_mode", bare("display_mode"), "portrait"));
    m_p.setLanguage(warned("language", bare("language"), "English"));
    m_p.setVehicleDetect(warned("vehicle_detect", bare("vehicle_detect"), "yes"));
}

void ConfigReader::readPOS() {
    zr::POS& pos = m_p.POS();
    pos.setID(warned("translator_type", quoted("translator_type"), "Compris"));
    pos.setStats(warned("statistics_type", bare("statistics_type"), "binary"));
    pos.setVersion(quoted("pos_version"));
    pos.setMode(warned("pos_mode", bare("pos_mode"), "video"));
    // The file names the POS configuration red_dot_config; pos_config wins where both are given.
    pos.setConfigFile(has("pos_config") ? bare("pos_config") : bare("red_dot_config"));
    // The port is written bare: quotes at its end would be lost one per load.
    QString port = StripQuotes(bare("cod_com_port"));
    while (port.endsWith('"')) port.chop(1);
    pos.setCommType(warned("cod_com_port", port.trimmed(), "socket"));
    pos.setTill(quoted("till_number"));
}

void ConfigReader::readPreSellMessage() {
    zr::PreSellMessage& ps = m_p.PreSellMessage();
    ps.setFont(warned("display_font_ps", StripQuotes(bare("display_font_ps")).toLower(), "arialb"));
    ps.setBackColor(warned("screen_saver_bg", bare("screen_saver_bg"), "0", isInt32).toInt());
    ps.setForeColor(warned("screen_saver_fg", bare("screen_saver_fg"), "65535", isInt32).toInt());
    ps.setMessageDisplayType(warned("screen_saver_mode", bare("screen_saver_mode"), "smooth"));
    ps.setMessageToPOPTime(
        static_cast<qint16>(warned("screen_saver_pop_to", bare("screen_saver_pop_to"), "0", isInt16).toInt()));

    const QList<QStringList> lines = m_list->lines("screen_saver_text");
    if (lines.isEmpty()) {
        missing("screen_saver_text");
        ps.setMessageList(DefaultPreSell);
        log("screen_saver_text" + GivenDefault + DefaultPreSell.join(' '));
    } else {
        QStringList texts;
        for (const QStringList& tokens : lines) texts << quotedText(tokens);
        ps.setMessageList(texts);
    }
}

void ConfigReader::readSystemDates() {
    zr::OCBComm& comm = m_p.OCBComm();
    comm.setLastUpdated(*parseDateText(warned("last_update", quoted("last_update"), DefaultDate, isDate)));
    comm.setLastRetrieved(
        *parseDateText(warned("last_retrieval", quoted("last_retrieval"), DefaultDate, isDate)));
}

void ConfigReader::readOrderScreen() {
    zr::OrderScreen& os = m_p.OrderScreen();
    os.setFont(warned("display_font_os", StripQuotes(bare("display_font_os")).toLower(), "arialb"));
    os.setBreakfastMessage(warned("message_break", quoted("message_break"), "Good Morning"));
    os.setLunchMessage(warned("message_lunch", quoted("message_lunch"), "Good AfterNoon"));
    os.setDinnerMessage(warned("message_dinner", quoted("message_dinner"), "Good Evening"));
    os.setShowTax(warned("show_tax", bare("show_tax"), "yes"));
    os.setShowTotal(warned("show_total", bare("show_total"), "yes"));
    // Written with the total screen's settings; read back without a question.
    os.setShowUnitPrice(bare("unit_price_enabled"));
}

void ConfigReader::readTotalScreen() {
    zr::TotalScreen& ts = m_p.TotalScreen();
    ts.setFont(warned("display_font_ts", StripQuotes(bare("display_font_ts")).toLower(), "arialb"));
    ts.setShowTotalScreen(warned("show_total_screen", bare("show_total_screen"), "yes"));
    ts.setTotalScreenDelay(static_cast<qint16>(warned("idle_to_pop", bare("idle_to_pop"), "0", isInt16).toInt()));
}

void ConfigReader::readDayParts() {
    for (TimeOfWeek& week : m_p.Weeks()) {
        for (int i = 0; i < week.Days.size(); ++i) {
            TimeOfDay& day = week.Days[i];
            const QString suffix = week.ID + "_" + day.ID;
            const QString tod = "tod_" + suffix;
            day.StartTime = parseDateText(warned(tod, bare(tod), DefaultStartTimes.at(i), isDate))->time;

            const QString key = "pop_" + suffix;
            for (const QStringList& tokens : m_list->lines(key)) {
                const QString picture = tokens.value(0);
                if (!isWord(picture)) {
                    log(key + " line left out, its picture cannot be written: " + tokens.join(' '));
                    continue;
                }
                PopEntry entry{picture, tokens.value(1)};
                if (!isWord(entry.Time)) {
                    entry.Time = "2";
                    log(key + " line completed with default setting of " + entry.Picture + ' ' + entry.Time);
                }
                day.POPs.append(entry);
            }
            if (day.POPs.isEmpty()) {
                missing(key);
                for (int n = 0; n < 3; ++n) {
                    day.POPs.append(PopEntry{DefaultPicture, "2"});
                    log(key + GivenDefault + DefaultPicture + " 2");
                }
            }
        }
    }
}

void ConfigReader::readSuggestiveSales() {
    TimeOfWeek* week = m_p.Week("week");
    for (const QString part : {"break", "lunch", "dinner"}) {
        TimeOfDay* day = week->Day(part);
        const QString key = "sugg_" + part;
        for (const QStringList& tokens : m_list->lines(key)) {
            SuggestEntry entry{tokens.value(0), tokens.value(1), quotedText(tokens.mid(2))};
            if (!isWord(entry.Family) || (tokens.size() >= 2 && !isWord(entry.Picture))) {
                log(key + " line left out, its family or picture cannot be written: " + tokens.join(' '));
                continue;
            }
            if (tokens.size() < 3) {
                if (tokens.size() < 2) entry.Picture = DefaultSuggestPicture;
                entry.Message = DefaultSuggestMessage;
                log(key + " line completed with default setting of " + entry.Family + ' ' + entry.Picture + ' ' +
                    entry.Message);
            }
            day->Suggest.append(entry);
        }
        if (day->Suggest.isEmpty()) {
            missing(key);
            for (const char* family : {"10", "20", "30", "40", "50"}) {
                day->Suggest.append(SuggestEntry{family, DefaultSuggestPicture, DefaultSuggestMessage});
                log(key + GivenDefault + family + ' ' + DefaultSuggestPicture + ' ' + DefaultSuggestMessage);
            }
        }
    }
}

} // namespace zr
