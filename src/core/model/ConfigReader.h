#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zr {

class AppPaths;
class DynamicList;
class Profiles;

/// Makes a profile current: reads its Config.conf and zr.conf into the model,
/// gives every missing setting its default and writes both files back.
///
/// Values are taken so that what is written reads back the same: a value
/// that is written in double quotes loses any double quotes of its own, and a
/// value written bare keeps its words separated by single blanks. POP and
/// suggestion lines that the file format cannot hold are left out and
/// logged; incomplete ones are completed with the defaults and logged.
class ConfigReader {
public:
    explicit ConfigReader(Profiles& profile) : m_p(profile) {}

    void makeCurrent(const QString& name);

    /// Reads the profile's Config.conf and zr.conf into the model as
    /// makeCurrent() does, giving missing settings their defaults without
    /// asking, but writes nothing, logs nothing and never creates a profile.
    /// An unknown name raises an AppError.
    void readOnly(const QString& name);

    /// The value of a key of the profile's zr.conf as it is written there:
    /// the words of its line joined by blanks, without quotes. Empty when the
    /// profile, the file or the key is missing, or the key is on several lines.
    static QString storedValue(const AppPaths& paths, const QString& profile, const QString& key);

    /// The missing-line question for a key.
    static QString missingLineQuestion(const QString& key);

private:
    void load(const QString& id);
    void read(const QString& id);
    void loadConfig(DynamicList& list);
    void readSystemOptions();
    void readPOS();
    void readPreSellMessage();
    void readSystemDates();
    void readOrderScreen();
    void readTotalScreen();
    void readDayParts();
    void readSuggestiveSales();

    bool has(const QString& key) const;
    QString bare(const QString& key) const;
    QString quoted(const QString& key) const;
    /// The value, or the default when it is empty or not acceptable (asking
    /// the missing-line question unless quiet, and logging the default).
    QString warned(const QString& key, QString value, const QString& fallback,
                   const std::function<bool(const QString&)>& acceptable = {});
    void missing(const QString& key);
    void log(const QString& message) { m_events << message; }

    Profiles& m_p;
    bool m_readOnly = false;
    DynamicList* m_list = nullptr;
    QStringList m_events;
};

} // namespace zr
