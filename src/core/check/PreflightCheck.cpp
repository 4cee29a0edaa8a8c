#include "check/PreflightCheck.h"

#include "app/AppError.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/FrontEndSettings.h"
#include "app/Prompts.h"
#include "app/Routines.h"
#include "app/WindowsText.h"
#include "comm/UpdatePictures.h"
#include "menu/ItemsFile.h"
#include "model/ConfigReader.h"
#include "model/FileManager.h"
#include "model/Profiles.h"
#include "profiles/ProfileOps.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace zr {

namespace {

const QStringList ScheduleNames{"Week", "Friday", "Saturday", "Sunday"};
const QStringList DayPartNames{"Breakfast", "Lunch", "Dinner", "Closed"};

QString scheduleName(const QString& key) {
    return ScheduleNames.value(ScheduleKeys.indexOf(key), key);
}
QString dayPartName(const QString& key) {
    return DayPartNames.value(DayPartKeys.indexOf(key), key);
}

/// The read-only model asks nothing: missing settings take their defaults unasked.
class SilentPrompts : public Prompts {
public:
    Button ask(const QString&, const QString&, Buttons) override { return Button::Yes; }
    void inform(const QString&, const QString&) override {}
};

QString megabytes(qint64 bytes) {
    return QString::number(double(bytes) / (1024.0 * 1024.0), 'f', 1) + " MB";
}

class Check {
public:
    Check(const AppPaths& paths, const QString& name, const CheckOptions& options)
        : m_paths(paths), m_name(name), m_options(options), m_model(paths, m_clock, m_prompts) {}

    CheckResult run();

private:
    void error(const QString& place, const QString& text, const QString& picture = {}) {
        add({Finding::Severity::Error, place, text, picture});
    }
    void warning(const QString& place, const QString& text, const QString& picture = {}) {
        add({Finding::Severity::Warning, place, text, picture});
    }
    void add(const Finding& finding) {
        if (!m_result.findings.contains(finding)) m_result.findings.append(finding);
    }

    void checkAddress();
    QList<MenuItem> checkItemsFile(const QString& defaultItem);
    void checkPictures(const QList<UpdatePicture>& pictures);
    void checkSlideshows(const QList<UpdatePicture>& pictures);
    void checkStartTimes();
    void checkSuggestions(const QList<MenuItem>& items);
    void checkTexts();
    QString placeOf(const UpdatePicture& picture) const;

    const AppPaths& m_paths;
    QString m_name;
    const CheckOptions& m_options;
    SystemClock m_clock;
    SilentPrompts m_prompts;
    Profiles m_model;
    FileManager m_pops = pictureCatalogue(m_paths.popImages());
    FileManager m_items = pictureCatalogue(m_paths.itemImages());
    CheckResult m_result;
};

CheckResult Check::run() {
    ConfigReader(m_model).readOnly(m_name);
    QString defaultPop = m_options.defaultPOP, defaultItem = m_options.defaultItem;
    if (defaultPop.isEmpty() && defaultItem.isEmpty()) {
        // As the update takes them: zr.ini's, else the program's own.
        const FrontEndSettings::DefaultImages images = FrontEndSettings::ReadDefaultImages(m_paths);
        defaultPop = images.pop.isEmpty() ? "default.jpg" : images.pop;
        defaultItem = images.item.isEmpty() ? "GreatChoice.jpg" : images.item;
    }
    checkAddress();
    const QList<UpdatePicture> pictures = updatePictures(m_paths, m_name, defaultPop, defaultItem);
    const QList<MenuItem> items = checkItemsFile(defaultItem);
    checkPictures(pictures);
    checkSlideshows(pictures);
    checkStartTimes();
    checkSuggestions(items);
    checkTexts();

    for (const QString& file : {m_paths.itemsFile(m_name), m_paths.zrConf(m_name)})
        m_result.bytesToSend += QFileInfo(file).size();
    const qint64 capacity = qint64(FrontEndSettings::BoardCapacityMb(m_paths)) * 1024 * 1024;
    if (m_result.bytesToSend > capacity)
        warning("Update", "The update would send " + megabytes(m_result.bytesToSend) +
                              ", more than the board holds (" + megabytes(capacity) +
                              ", board_capacity_mb in zr.ini). Leave out pictures the profile does not need.");
    return m_result;
}

void Check::checkAddress() {
    const QString ip = m_options.ip.isEmpty() ? m_model.IPAddress() : m_options.ip;
    if (ip.trimmed().isEmpty()) {
        error("General settings", "The profile has no IP address. Enter the address of the board.");
        return;
    }
    if (const std::optional<ProfileOps::NewProfileProblem> problem = ProfileOps::checkIpAddress(ip.split('.')))
        error("General settings", "The IP address " + ip + " is not valid: " + problem->message +
                                      " Enter the address of the board as four numbers 0 to 255.");
}

QList<MenuItem> Check::checkItemsFile(const QString& defaultItem) {
    ItemsLoadResult loaded;
    try {
        loaded = loadItemsFile(m_paths.itemsFile(m_name), m_items, m_pops, defaultItem, true);
    } catch (const AppError& e) {
        error("Menu items", "The items file cannot be read: " + e.description());
        return {};
    }
    QString what;
    switch (loaded.outcome) {
    case ItemsLoadOutcome::Loaded:
        return loaded.rows;
    case ItemsLoadOutcome::NoItems:
    case ItemsLoadOutcome::EmptyFile:
        error("Menu items", "The profile has no menu items. Retrieve them from the board, or enter them in "
                            "the menu items editor.");
        return {};
    case ItemsLoadOutcome::BadRecord:
        what = "The record that starts here breaks the rules of the items file.";
        break;
    case ItemsLoadOutcome::EndInsideRecord:
        what = "The items file ends inside the record that starts here.";
        break;
    }
    error("Items line " + QString::number(loaded.line), what + " Repair it with Menu Check.");
    return {};
}

QString Check::placeOf(const UpdatePicture& picture) const {
    switch (picture.source) {
    case UpdatePicture::Source::PopLine:
        return "POP slideshow, " + scheduleName(picture.schedule) + " / " + dayPartName(picture.dayPart);
    case UpdatePicture::Source::SuggestLine:
        return "Suggestive sales, " + dayPartName(picture.dayPart);
    case UpdatePicture::Source::ItemsFile:
        return "Items line " + QString::number(picture.line);
    case UpdatePicture::Source::Default:
        break;
    }
    return "Default images";
}

void Check::checkPictures(const QList<UpdatePicture>& pictures) {
    QSet<QString> counted; // each file once per folder of the board, as the update sends it
    for (const UpdatePicture& picture : pictures) {
        const QString place = placeOf(picture);
        const bool zrConf = picture.source == UpdatePicture::Source::PopLine ||
                            picture.source == UpdatePicture::Source::SuggestLine;
        if (const QString problem = pictureNameProblem(picture.name); zrConf && !problem.isEmpty()) {
            error(place, problem, picture.name);
            continue;
        }
        const bool pop = picture.folder == UpdatePicture::Folder::Pop;
        const FileManager& catalogue = pop ? m_pops : m_items;
        const file* found = catalogue.Files().Item(picture.name);
        const QString folder = pop ? "ZRScreens/POP" : "ZRScreens/Item";
        if (!found) {
            error(place,
                  "The picture \"" + picture.name + "\" is not in " + folder +
                      ". Add it there with the image tools, or choose a picture that is there.",
                  picture.name);
            continue;
        }
        if (found->FileSize < MinimumPictureBytes)
            warning(place,
                    "The picture \"" + found->ID + "\" in " + folder + " has " + QString::number(found->FileSize) +
                        " bytes, less than the " + QString::number(MinimumPictureBytes) +
                        " the board can show. Make it again with the image tools.",
                    picture.name);
        if (!counted.contains(QString::number(int(picture.folder)) + found->ID.toCaseFolded())) {
            counted.insert(QString::number(int(picture.folder)) + found->ID.toCaseFolded());
            m_result.bytesToSend += found->FileSize;
        }
    }
}

void Check::checkSlideshows(const QList<UpdatePicture>& pictures) {
    static const QRegularExpression whole("^[0-9]+$");
    for (const QString& week : ScheduleKeys)
        for (const QString& day : DayPartKeys) {
            const QString place = "POP slideshow, " + scheduleName(week) + " / " + dayPartName(day);
            int shown = 0;
            for (const UpdatePicture& picture : pictures) {
                if (picture.source != UpdatePicture::Source::PopLine || picture.schedule != week ||
                    picture.dayPart != day)
                    continue;
                ++shown;
                const QString time = picture.tokens.value(1);
                bool fits = false; // a number too long for 64 bits is still a whole number
                const qlonglong seconds = time.toLongLong(&fits);
                if (!whole.match(time).hasMatch() || (fits && seconds < 1))
                    error(place,
                          "The display time \"" + time + "\" of " + picture.name +
                              " is not a whole number of seconds of at least 1, so the board would never move "
                              "on. Choose 1 to 10 seconds in the POP slideshow editor.",
                          picture.name);
                else if (!fits || seconds > 10)
                    warning(place,
                            "The display time of " + picture.name + " is " + time +
                                " seconds, more than the 10 the POP slideshow editor offers. Choose 1 to 10 "
                                "seconds there.",
                            picture.name);
            }
            if (shown == 0)
                error(place, "The day part has no POP picture, so the board has nothing to show. Insert at "
                             "least one in the POP slideshow editor.");
        }
}

void Check::checkStartTimes() {
    for (const TimeOfWeek& week : m_model.Weeks()) {
        for (int d = 1; d < week.Days.size(); ++d) {
            const TimeOfDay& before = week.Days[d - 1];
            const TimeOfDay& day = week.Days[d];
            if (before.StartTime < day.StartTime) continue;
            warning("Day-part scheduling, " + scheduleName(week.ID),
                    "The day parts do not start in the order Breakfast < Lunch < Dinner < Closed: " +
                        dayPartName(day.ID) + " " + day.StartTime.toString("h:mm AP") + " does not come after " +
                        dayPartName(before.ID) + " " + before.StartTime.toString("h:mm AP") +
                        ". Correct the start times in the day-part scheduling editor.");
            break;
        }
    }
}

void Check::checkSuggestions(const QList<MenuItem>& items) {
    if (items.isEmpty()) return; // a menu that does not load is an error of its own
    QSet<QString> shownFamilies;
    for (const MenuItem& item : items)
        if (item.ShowItem == "TRUE") shownFamilies.insert(QString::number(familyCode(item.Family)));
    const TimeOfWeek* week = m_model.Week("week");
    for (const TimeOfDay& day : week->Days)
        for (const SuggestEntry& entry : day.Suggest) {
            if (shownFamilies.contains(entry.Family)) continue;
            const QString family = familyName(entry.Family);
            warning("Suggestive sales, " + dayPartName(day.ID),
                    "No item shown on the board belongs to the family " +
                        (family == "(none)" ? entry.Family : family + " (" + entry.Family + ")") +
                        ", so its suggestion never shows. Show such an item in the menu items editor, or "
                        "remove the suggestion.",
                    entry.Picture);
        }
}

void Check::checkTexts() {
    OrderScreen& order = m_model.OrderScreen();
    const QList<std::pair<QString, QString>> messages{{"Breakfast", order.BreakfastMessage()},
                                                      {"Lunch", order.LunchMessage()},
                                                      {"Dinner", order.DinnerMessage()}};
    if (m_options.messageWidthTwips)
        for (const auto& [part, message] : messages)
            if (m_options.messageWidthTwips(shownText(message)) > OrderMessageTwips)
                warning("Order screen, " + part + " message",
                        "The message \"" + shownText(message) +
                            "\" is wider than the order screen. Shorten it in the order screen editor.");
    const QStringList& lines = m_model.PreSellMessage().MessageList();
    for (int i = 0; i < lines.size(); ++i)
        if (shownText(lines[i]).size() > PreSellLineLength)
            warning("Pre-sell message, line " + QString::number(i + 1),
                    "The line has " + QString::number(shownText(lines[i]).size()) + " characters, more than " +
                        QString::number(PreSellLineLength) + ". Shorten it in the pre-sell message editor.");
}

} // namespace

bool CheckResult::hasErrors() const {
    return std::any_of(findings.cbegin(), findings.cend(),
                       [](const Finding& f) { return f.severity == Finding::Severity::Error; });
}

bool CheckResult::hasWarnings() const {
    return std::any_of(findings.cbegin(), findings.cend(),
                       [](const Finding& f) { return f.severity == Finding::Severity::Warning; });
}

int CheckResult::exitCode() const {
    return hasErrors() ? 8 : hasWarnings() ? 7 : 0;
}

QString CheckResult::summary() const {
    const qsizetype errors = std::count_if(findings.cbegin(), findings.cend(), [](const Finding& f) {
        return f.severity == Finding::Severity::Error;
    });
    const qsizetype warnings = findings.size() - errors;
    const auto count = [](qsizetype n, const QString& what) {
        return QString::number(n) + ' ' + what + (n == 1 ? "" : "s");
    };
    return count(errors, "error") + ", " + count(warnings, "warning") + "; the update would send " +
           megabytes(bytesToSend) + " (" + QString::number(bytesToSend) + " bytes).";
}

QString CheckResult::line(const Finding& finding) {
    return (finding.severity == Finding::Severity::Error ? "error: " : "warning: ") + finding.place + ": " +
           finding.text;
}

CheckResult checkProfile(const AppPaths& paths, const QString& profile, const CheckOptions& options) {
    return Check(paths, profile, options).run();
}

} // namespace zr
