#include "model/Profiles.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Routines.h"
#include "app/TextFile.h"
#include "model/ConfigReader.h"
#include "model/ConfigWriter.h"

#include <QFile>

namespace zr {

namespace {

// A property read while empty takes its default and keeps it.
QString withDefault(QString& field, const char* fallback) {
    if (field.isEmpty()) field = QString::fromLatin1(fallback);
    return field;
}


} // namespace

TimeOfWeek::TimeOfWeek(const QString& id) : ID(id) {
    for (const QString& key : DayPartKeys) Days.append(TimeOfDay{key, QTime(0, 0), {}, {}});
}

TimeOfDay* TimeOfWeek::Day(const QString& key) {
    for (TimeOfDay& day : Days)
        if (day.ID.compare(key, Qt::CaseInsensitive) == 0) return &day;
    return nullptr;
}

const TimeOfDay* TimeOfWeek::Day(const QString& key) const {
    return const_cast<TimeOfWeek*>(this)->Day(key);
}

QString OrderScreen::ShowUnitPrice() { return withDefault(m_unitPrice, "yes"); }
QString OrderScreen::ShowTotal() { return withDefault(m_total, "yes"); }
QString OrderScreen::ShowTax() { return withDefault(m_tax, "yes"); }

QString PreSellMessage::MessageDisplayType() { return withDefault(m_type, "smooth"); }

QString POS::CommType() { return withDefault(m_commType, "socket"); }
void POS::setCommType(const QString& v) {
    m_commType = v;
    DeriveDriver();
}
QString POS::Driver() { return withDefault(m_driver, "zrcom"); }
QString POS::Mode() { return withDefault(m_mode, "video"); }
void POS::setMode(const QString& v) {
    const bool known = v.compare("video", Qt::CaseInsensitive) == 0 ||
                       v.compare("registers", Qt::CaseInsensitive) == 0;
    m_mode = known ? v : QStringLiteral("video");
}
void POS::setVersion(const QString& v) {
    m_version = v;
    DeriveDriver();
}
QString POS::ID() { return withDefault(m_id, "Compris"); }
void POS::setID(const QString& v) {
    m_id = v;
    DeriveDriver();
}

namespace {

// The built-in drivers; "PAR TC" and "PAR GT" depend on the port as well.
const QList<QPair<QString, QString>>& driverTable() {
    static const QList<QPair<QString, QString>> table{
        {"ALOHA", "zraloha"},
        {"EMAPS", "zremap"},
        {"FASFAX", "zrfasfax"},
        {"MICROS 2400", "zrmicros2400"},
        {"MICROS 3700", "zrmicros3700"},
        {"PAN 5500", "zrpan55"},
        {"PAN 7500", "zrreddot1"},
        {"PAN 7500A", "zrpan75a"},
        {"PAN 7500W", "zrpan75w"},
        {"PAN 2 +", "zrpan"},
        {"PAR 2000", "zrpar"},
        {"PAR TC", QString()},
        {"PAR GT", QString()},
        {"PCPOS3", "zrpcpos3"},
        {"POSITIVE SOLUTIONS", "zrpossol"},
        {"PROGRESSIVE", "zrprogiris"},
    };
    return table;
}

} // namespace

QString POS::driverFor(const QString& translatorType, const QString& commType) {
    const QString upper = translatorType.toUpper();
    if (upper == "PAR TC" || upper == "PAR GT") return commType == "sniff" ? "zrpartc" : "zrpargtx";
    for (const auto& [name, driver] : driverTable())
        if (upper == name) return driver;
    return "zrcom";
}

QStringList POS::knownTypes() {
    QStringList names;
    for (const auto& entry : driverTable()) names << entry.first;
    return names;
}

std::optional<QList<Translator>> readTranslators(const AppPaths& paths) {
    std::optional<QStringList> lines;
    try {
        lines = TextFile::readLines(paths.translators(), "Translators");
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (!lines) return std::nullopt;
    QList<Translator> translators;
    for (const QString& line : *lines)
        translators.append({TrimBlanks(line.mid(0, 20)), TrimBlanks(line.mid(20, 20))});
    return translators;
}

void POS::DeriveDriver() {
    // A site may name its own translators in the Translators file; a type it
    // does not name keeps the driver it had.
    if (const auto translators = m_paths ? readTranslators(*m_paths) : std::nullopt) {
        const QString id = ID();
        for (const Translator& t : *translators) {
            if (t.type == id) {
                m_driver = t.driver;
                return;
            }
        }
        return;
    }
    m_driver = driverFor(ID(), CommType());
}

Profiles::Profiles(const AppPaths& paths, Clock& clock, Prompts& prompts)
    : m_paths(&paths), m_clock(&clock), m_prompts(&prompts), m_pos(&paths) {
    rebuildSchedules();
}

QString Profiles::DisplayMode() { return withDefault(m_displayMode, "portrait"); }
QString Profiles::Language() { return withDefault(m_language, "English"); }
QString Profiles::DefaultPOP() { return withDefault(m_defaultPop, "default.jpg"); }
QString Profiles::DefaultItem() { return withDefault(m_defaultItem, "GreatChoice.jpg"); }
QString Profiles::VehicleDetect() { return withDefault(m_vehicleDetect, "yes"); }
void Profiles::setIPAddress(const QString& v) { m_ip = TrimBlanks(v); }

TimeOfWeek* Profiles::Week(const QString& key) {
    for (TimeOfWeek& week : m_weeks)
        if (week.ID.compare(key, Qt::CaseInsensitive) == 0) return &week;
    return nullptr;
}

void Profiles::resetObjects() {
    m_totalScreen = zr::TotalScreen();
    m_orderScreen = zr::OrderScreen();
    m_preSell = zr::PreSellMessage();
    m_pos = zr::POS(m_paths);
    m_ocbComm = zr::OCBComm();
}

void Profiles::rebuildSchedules() {
    m_weeks.clear();
    for (const QString& key : ScheduleKeys) m_weeks.append(TimeOfWeek(key));
}

void Profiles::setID(const QString& name) { ConfigReader(*this).makeCurrent(name); }

void Profiles::SaveProfile() {
    const QString id = m_id;
    if (id.isEmpty()) throw AppError("SaveProfile", errors::InvalidArgument, "No profile is current.");
    TextFile::writeAtomically(m_paths->zrConf(id), ConfigWriter::zrConf(*this), "SaveProfile");
    TextFile::writeAtomically(m_paths->configConf(id), ConfigWriter::configConf(*this), "SaveProfile");
}

} // namespace zr
