// Damaged and random input for the parsers: zr.conf, the key/value lines, the
// items file and the statistics files. Nothing may crash or hang, and what the
// program saves must load back to the very same bytes without a question.

#include "TestSupport.h"
#include "app/AppError.h"
#include "menu/FieldReader.h"
#include "reports/StatsStream.h"
#include "menu/ItemsFile.h"
#include "menu/LineCheck.h"
#include "model/DynamicList.h"
#include "model/FileManager.h"
#include "model/Profiles.h"
#include "reports/AsciiPadReport.h"
#include "reports/PadReport.h"
#include "reports/TrackingReport.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

using namespace zr;
using namespace zr::test;

namespace {

const QString ConfPath = "Profiles/P/Config/zr.conf";

/// Answers Yes to every question and records it.
class YesPrompts : public ScriptedPrompts {
public:
    Button ask(const QString& title, const QString& text, Buttons buttons) override {
        answers = {Button::Yes};
        return ScriptedPrompts::ask(title, text, buttons);
    }
};

/// Loads a zr.conf twice in a fresh application folder: empty when the first
/// load's file loads and saves again to the same bytes without a question.
QString unsettled(const QByteArray& bytes) {
    TempApp app;
    app.notFirstRun();
    app.write(ConfPath, bytes);
    FakeClock clock;
    YesPrompts prompts;
    Profiles profile(app.paths, clock, prompts);
    try {
        profile.setID("P");
        const QByteArray first = app.read(ConfPath);
        prompts.asked.clear();
        profile.setID("P");
        profile.SaveProfile();
        if (first.isEmpty()) return "nothing saved";
        if (!prompts.asked.isEmpty()) return "the saved file asks: " + prompts.asked.first().text;
        const QStringList a = crlfLines(first), b = crlfLines(app.read(ConfPath));
        for (qsizetype i = 0; i < qMax(a.size(), b.size()); ++i)
            if (a.value(i) != b.value(i)) return QString("line %1 saved as [%2], then [%3]").arg(i + 1).arg(a.value(i), b.value(i));
    } catch (const AppError& e) {
        return e.source() + ": " + e.description();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

/// zr.conf as the program writes it for a new profile, or after the windows
/// changed most settings.
QByteArray programOutput(bool customised) {
    TempApp app;
    FakeClock clock;
    YesPrompts prompts;
    Profiles p(app.paths, clock, prompts);
    p.setID("P");
    if (customised) {
        p.POS().setID("PAR TC");
        p.POS().setCommType("sniff");
        p.POS().setConfigFile("/zr/red.cfg");
        p.PreSellMessage().setMessageList({"Welcome to", "Burger Barn", "Try our new shakes"});
        p.PreSellMessage().setMessageDisplayType("random");
        p.OCBComm().setLastUpdated({QDate(2025, 3, 4), QTime(14, 5, 6)});
        for (TimeOfWeek& week : p.Weeks())
            for (TimeOfDay& day : week.Days) {
                day.StartTime = day.StartTime.addSecs(15 * 60);
                day.POPs = {{"Burger.jpg", "5"}, {"fries.jpg", "3"}};
            }
        p.Week("week")->Day("break")->Suggest.prepend({"10", "Coffee.jpg", "Add a coffee?"});
        p.SaveProfile();
    }
    return app.read(ConfPath);
}

/// Random bytes and edits, the same on every run of a seed.
class Mutator {
public:
    explicit Mutator(quint32 seed) : m_rng(seed) {}

    int below(qsizetype n) { return n <= 0 ? 0 : static_cast<int>(m_rng.bounded(static_cast<quint32>(n))); }

    char byte() {
        static const QByteArray odd("\0\r\n\"= \t#\xa0\xff/:", 12);
        return below(2) ? odd.at(below(odd.size())) : static_cast<char>(below(256));
    }

    QByteArray bytes(int most) {
        QByteArray b;
        for (int n = below(most + 1); n > 0; --n)
            b += byte();
        return b;
    }

    QByteArray value() {
        // clang-format off
        static const QList<QByteArray> odd{"", " ", "\"\"", "\"", "\"\"\"", "99999999999999999999", "-2147483649",
            "2147483648", "32768", "-32769", "+0", "-0", "007", "1e5", "0x10", "13/45/2020 25:61 PM", "2/29/2021",
            "0/0/0000", "12/31/9999 11:59:59 PM", "1/1/0001", "24:00", "12:60 AM", "0:00", "13:00 PM", "a  b   c",
            "\"a\" \"b\"", "x \"y", QByteArray(5000, 'x')};
        // clang-format on
        switch (below(4)) {
        case 0: return odd.at(below(odd.size()));
        case 1: return bytes(12);
        case 2: return '"' + bytes(8) + '"';
        default: return QByteArray::number(static_cast<qint64>(m_rng.generate64()) >> below(64));
        }
    }

    /// A few line-wise edits: lines dropped, doubled, swapped, values and quotes changed.
    QByteArray mutate(QByteArray file) {
        for (int edits = 1 + below(6); edits > 0; --edits) {
            QList<QByteArray> lines = file.split('\n');
            const int i = below(lines.size()), j = below(lines.size());
            const qsizetype eq = lines.at(i).indexOf('=');
            switch (below(11)) {
            case 0: lines.removeAt(i); break;
            case 1: lines.insert(i, lines.at(j)); break;
            case 2: lines.swapItemsAt(i, j); break;
            case 3: lines[i].insert(below(lines.at(i).size() + 1), bytes(8)); break;
            case 4: file.truncate(below(file.size() + 1)); continue;
            case 5: lines[i].remove(lines.at(i).lastIndexOf('"'), 1); break;
            case 6: lines[i].insert(below(2) ? lines.at(i).size() : below(lines.at(i).size() + 1), '"'); break;
            case 7: if (eq >= 0) lines[i] = lines.at(i).left(eq + 1) + ' ' + value(); break;
            case 8: if (eq >= 0) lines.insert(j, lines.at(i).left(eq + 1) + ' ' + value()); break;
            case 9: lines[i] = lines.at(i).left(qMax<qsizetype>(eq, 0)).toUpper() + lines.at(i).mid(eq); break;
            default:
                file = lines.join('\n');
                file.replace(below(2) ? "\r\n" : "\n", below(2) ? "\r" : "\n\n");
                continue;
            }
            file = lines.join('\n');
        }
        return file;
    }

    /// Single-byte inserts, deletes and replacements from a small alphabet.
    QByteArray damage(QByteArray text, const QByteArray& alphabet, int most, bool keepLineEnds) {
        for (int k = 1 + below(most); k > 0; --k) {
            const int at = below(text.size() + (keepLineEnds ? 0 : 1));
            const char c = alphabet.at(below(alphabet.size()));
            if (keepLineEnds && at < text.size() && (text.at(at) == '\r' || text.at(at) == '\n')) continue;
            if (at < text.size() && below(3) == 0)
                text.remove(at, 1);
            else if (at < text.size() && below(2))
                text[at] = c;
            else
                text.insert(at, c);
        }
        return text;
    }

    QByteArray keyLines(const QList<QByteArray>& keys) {
        static const QList<QByteArray> separators{" = ", "=", "    =   ", " =", "\t=\t", " "};
        static const QList<QByteArray> ends{"\r\n", "\r\n", "\n", "\r", "\r\r\n"};
        QByteArray file;
        for (int n = below(60); n > 0; --n) {
            QByteArray line = keys.at(below(keys.size()));
            if (below(10) == 0) line.insert(below(line.size() + 1), byte());
            line += separators.at(below(separators.size()));
            for (int t = below(5); t > 0; --t)
                line += value() + QByteArray(1 + below(3), ' ');
            file += line + ends.at(below(ends.size()));
        }
        return file;
    }

private:
    QRandomGenerator m_rng;
};

/// An application folder whose catalogues hold the pictures the items use.
struct MenuApp : TempApp {
    MenuApp() {
        for (const char* name : {"burger.jpg", "pie.jpg", "GreatChoice.jpg"})
            write(QString("ZRScreens/Item/") + name, "jpeg");
        write("ZRScreens/POP/deal.jpg", "jpeg");
        items = pictureCatalogue(paths.itemImages());
        pops = pictureCatalogue(paths.popImages());
    }
    FileManager items, pops;
};

/// A damaged items file: the loader and the line check end; a file whose lines
/// all pass the check gives the values the check found; what is saved from a
/// load saves again the same.
QString itemsFault(MenuApp& app, const QByteArray& file, int& passed) {
    const QString path = app.path("items");
    app.write("items", file);
    const ItemsLoadResult r = loadItemsFile(path, app.items, app.pops, "GreatChoice.jpg", true);
    QStringList lines = QString::fromLatin1(file).split("\r\n");
    lines.removeLast();
    QStringList found;
    bool allPass = true;
    for (const QString& line : lines) {
        const LineCheck c = checkItemsLine(line);
        allPass = allPass && c.ok();
        found += c.values;
    }
    if (allPass) {
        ++passed;
        if (r.outcome != ItemsLoadOutcome::Loaded && r.outcome != ItemsLoadOutcome::NoItems)
            return "lines pass the check but the file does not load";
        FieldReader reader(QString::fromLatin1(file));
        for (const QString& value : found)
            if (reader.next().value_or("<end>") != value) return "the reader disagrees with the check on " + value;
        if (!reader.atEnd()) return "the reader finds more than the check";
    }
    if (r.outcome != ItemsLoadOutcome::Loaded) return {};
    const QByteArray saved = itemsFileBytes(r.rows);
    app.write("items", saved);
    if (itemsFileBytes(loadItemsFile(path, app.items, app.pops, "GreatChoice.jpg", true).rows) != saved)
        return "a saved file saves differently after loading";
    return {};
}

/// One key/value line added to the list: a line is taken whole or not at all,
/// masked and filtered lines are not, and the tokens read back as they were.
QString listFault(DynamicList& list, int flags, const QString& filter, const QString& line) {
    const int before = list.Count();
    list.AddItem(line, filter);
    if (list.Count() == before) return {};
    if (list.Count() != before + 1) return "more than one entry";
    if ((flags & 1) && line.startsWith('#')) return "a masked line was taken";
    if (!filter.isEmpty() && !line.startsWith(filter)) return "a line outside the filter was taken";
    const Property& p = list.Item(list.Count());
    if (p.ID.contains('=') || p.ID.startsWith(' ') || p.ID.endsWith(' ')) return "key not trimmed: " + p.ID;
    if (p.Value.isEmpty() == line.contains('=')) return "value without =";
    for (const QString& token : p.Value) {
        if (token.startsWith(' ') || token.endsWith(' ')) return "token not trimmed: " + token;
        // What the writer puts in quotes reads back as the same token.
        if (!token.contains('"') && DynamicList::tokenize('"' + token + '"') != QStringList{token})
            return "quoted token reads back otherwise: " + token;
    }
    return {};
}

} // namespace

class TestRobustness : public QObject {
    Q_OBJECT
    QByteArray m_newProfile = programOutput(false), m_customised = programOutput(true);
    QList<QByteArray> m_keys;

private slots:
    void initTestCase() {
        QVERIFY(m_customised.contains("PAR TC"));
        for (const QByteArray& line : m_newProfile.split('\n'))
            if (line.contains('=') && !line.startsWith('#'))
                if (const QByteArray key = line.left(line.indexOf('=')).trimmed(); !m_keys.contains(key))
                    m_keys << key;
        m_keys << "pos_config";
    }

    // Files that must reach a fixed point after one load.
    void settles_data() {
        QTest::addColumn<QByteArray>("input");
        QByteArray every;
        for (int c = 0; c < 256; ++c)
            every += static_cast<char>(c);
        // clang-format off
        QTest::newRow("new profile") << programOutput(false);
        QTest::newRow("customised profile") << programOutput(true);
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("line ends only") << QByteArray("\r\n\n\r\r\n");
        QTest::newRow("no final line end") << QByteArray("language = French");
        QTest::newRow("CR line ends") << QByteArray("language = French\rshow_tax = no\r");
        QTest::newRow("NUL bytes") << QByteArray("translator_type = \"a\0b\"\n\0=\0\nlanguage\0 = x\0\n", 42);
        QTest::newRow("every byte in values") << "message_break = " + every + "\nlanguage = " + every + "\npop_week_break = " + every + "\nsugg_lunch = 10 " + every + "\ncod_com_port = " + every + "\nlast_update = " + every + '\n';
        QTest::newRow("unclosed quotes") << QByteArray("translator_type = \"PAR TC\nmessage_lunch = \"a \" b\nscreen_saver_text = \"\nsugg_break = \"10 x.jpg\n");
        QTest::newRow("quotes only") << QByteArray("till_number = \"\"\"\npos_version = \"\ncod_com_port = \"\"\npop_sat_lunch = \" \"\n");
        QTest::newRow("repeated keys") << QByteArray("language = a\nlanguage = b\nscreen_saver_text = \"x\"\nscreen_saver_text\npop_week_break = a 1\npop_week_break = b\n");
        QTest::newRow("huge numbers") << QByteArray("screen_saver_fg = 99999999999999999999\nscreen_saver_bg = -2147483649\nscreen_saver_pop_to = 32768\nidle_to_pop = +07\n");
        QTest::newRow("garbage dates") << QByteArray("last_update = \"2/30/2024 1:00 PM\"\nlast_retrieval = 13:00 PM\ntod_week_break = 24:00\ntod_sun_closed = 1/1/0001\n");
        QTest::newRow("blanks and tabs") << QByteArray("language =   a \t  b  \nsugg_break = 10 \"x y.jpg\" \"m\"\n  pop_fri_dinner\t= a\t2\n");
        QTest::newRow("POS port ending in two quotes") << QByteArray("cod_com_port = a\"\"\n");
        // clang-format on
    }
    void settles() {
        QFETCH(QByteArray, input);
        const QString why = unsettled(input);
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    // Random inputs, each checked as its source says; a failure names the
    // seed and the input's index, which make it again.
    void fuzz_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("flags"); // the list's mask mode
        QTest::addColumn<QString>("filter");
        // clang-format off
        QTest::newRow("zr.conf: edited new profile") << "conf new" << 0x2e5000u << 700 << 0 << "";
        QTest::newRow("zr.conf: edited customised profile") << "conf customised" << 0x2e5001u << 700 << 0 << "";
        QTest::newRow("zr.conf: lines of known keys") << "conf keys" << 0x2e5002u << 600 << 0 << "";
        QTest::newRow("zr.conf: random bytes") << "conf bytes" << 0x2e5003u << 150 << 0 << "";
        QTest::newRow("lines: no mask mode") << "lines" << 0x11e5u << 5000 << 0 << "";
        QTest::newRow("lines: prefix masks") << "lines" << 0x11e6u << 5000 << 1 << "";
        QTest::newRow("lines: exact masks") << "lines" << 0x11e7u << 5000 << 2 << "";
        QTest::newRow("lines: prefix masks and filter") << "lines" << 0x11e6u << 5000 << 1 << "pop_";
        QTest::newRow("items file") << "items" << 20261206u << 1000 << 0 << "";
        QTest::newRow("statistics files") << "stats" << 8u << 3000 << 0 << "";
        // clang-format on
    }
    void fuzz() {
        QFETCH(QString, source);
        QFETCH(quint32, seed);
        QFETCH(int, count);
        QFETCH(int, flags);
        QFETCH(QString, filter);
        Mutator random(seed);
        DynamicList list;
        list.MaskFlags(flags);
        for (const char* mask : {"#", "", "start"})
            list.AddMask(mask);
        MenuApp menu;
        const QByteArray good = R"("Burger","Big Burger","burger.jpg",10,"TRUE","deal.jpg","FALSE")";
        const QByteArray items = good + "\r\n" + QByteArray(good).replace("\"Burger\",", "\"Pie\",").replace(",10,", ", 20 ,") + "\r\n";
        const QByteArray pads = "1,12,1/5/2003 9:00:00,1/5/2003 9:01:00,1/5/2003 9:00:10,1/5/2003 9:00:50,1234\r\n"
                                "2,12,1/5/2003 9:02:00,1/5/2003 9:03:30,,1/5/2003 9:03:00,1500\r\n"
                                "1,0,1/5/2003 9:05:00,1/5/2003 9:06:00,1/5/2003 9:05:10,,7\r\n";
        int passed = 0;
        for (int n = 0; n < count; ++n) {
            QString why;
            QElapsedTimer timer;
            timer.start();
            if (source == "conf new") why = unsettled(random.mutate(m_newProfile));
            else if (source == "conf customised") why = unsettled(random.mutate(m_customised));
            else if (source == "conf keys") why = unsettled(random.keyLines(m_keys));
            else if (source == "conf bytes") why = unsettled(random.bytes(3000));
            else if (source == "lines") {
                QString line = QString::fromLatin1(n % 3 ? random.bytes(40) : random.keyLines(m_keys).split('\r').first());
                if (n % 5 == 0) line.prepend(filter);
                why = listFault(list, flags, filter, line);
            } else if (source == "items") {
                why = itemsFault(menu, random.damage(items, "\",. \tTRUEjpg10x", 3, true), passed);
            } else {
                // Mutations of a real file, and noise; every builder must come to an end.
                const QString text = QString::fromLatin1(random.damage(n % 2 ? pads.repeated(3) : QByteArray(), "0123456789,/: \"\r\n-x?", 40, false));
                const Report p = PadReport::build(text), a = AsciiPadReport::build(text), t = TrackingReport::build(text);
                if (!p.toCsv().startsWith("Index,") || a.rowCount() < 0 || t.rowCount() < 0) why = "a report lost its header";
                // Files read a piece at a time give the fields of the whole text.
                StatsStream stream(text);
                FieldReader whole(StatsText::withoutTrailingBlankLines(text));
                std::array<QByteArrayView, 1> field;
                while (!stream.atEnd() && why.isEmpty())
                    if (stream.nextRecord(field) != 1 || whole.next() != QString::fromLatin1(field[0])) why = "the stream reads another field";
                if (!whole.atEnd()) why = "the stream ends early";
            }
            if (timer.elapsed() > 2000) why = QString("took %1 ms").arg(timer.elapsed());
            if (!why.isEmpty())
                QFAIL(qPrintable(QString("%1, seed %2, input %3: %4").arg(source).arg(seed).arg(n).arg(why)));
        }
        if (source == "items") QVERIFY2(passed > 100, qPrintable(QString::number(passed)));
    }
};

QTEST_GUILESS_MAIN(TestRobustness)
#include "tst_robustness.moc"
