// Whatever a zr.conf holds, loading it must neither crash nor hang, and what
// the program saves must load back to the very same bytes without a question.

#include "TestSupport.h"
#include "app/AppError.h"
#include "model/DynamicList.h"
#include "model/Profiles.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSet>

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

/// What two loads of one zr.conf in a fresh application folder gave.
struct Outcome {
    QByteArray first;        // zr.conf as the first load saved it
    QByteArray second;       // as it was saved after loading that again
    qsizetype questions = 0; // asked by the second load
    QString error;
    bool settled() const { return error.isEmpty() && !first.isEmpty() && first == second && questions == 0; }
};

Outcome loadTwice(const QByteArray& bytes) {
    TempApp app;
    app.notFirstRun();
    app.write(ConfPath, bytes);
    FakeClock clock;
    YesPrompts prompts;
    Profiles profile(app.paths, clock, prompts);
    Outcome out;
    try {
        profile.setID("P");
        out.first = app.read(ConfPath);
        prompts.asked.clear();
        profile.setID("P");
        profile.SaveProfile();
        out.second = app.read(ConfPath);
        out.questions = prompts.asked.size();
    } catch (const AppError& e) {
        out.error = e.source() + ": " + e.description();
    } catch (const std::exception& e) {
        out.error = e.what();
    }
    return out;
}

QString escaped(const QByteArray& bytes) {
    QString text;
    for (const char c : bytes) {
        const auto u = static_cast<uchar>(c);
        if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\\' || c == '"')
            text += QString('\\') + c;
        else if (u < 0x20 || u >= 0x7f)
            text += QString("\\x%1").arg(u, 2, 16, QChar('0'));
        else
            text += QChar(c);
    }
    return '"' + text + '"';
}

/// The input, and how its loads went wrong.
QString explain(const QByteArray& input, const Outcome& out) {
    QString why = out.error;
    if (why.isEmpty() && out.questions) why = "the saved file asks a question when loaded";
    if (why.isEmpty()) {
        const QStringList a = crlfLines(out.first), b = crlfLines(out.second);
        for (qsizetype i = 0; i < qMax(a.size(), b.size()) && why.isEmpty(); ++i)
            if (a.value(i) != b.value(i))
                why = QString("line %1 saved as %2, then as %3")
                          .arg(i + 1)
                          .arg(escaped(a.value(i).toLatin1()), escaped(b.value(i).toLatin1()));
    }
    return escaped(input) + ": " + why;
}

/// A smaller input that still fails: whole lines go first, then runs of bytes.
QByteArray reduced(QByteArray input) {
    const auto fails = [](const QByteArray& b) { return !loadTwice(b).settled(); };
    int budget = 1500;
    QList<QByteArray> lines = input.split('\n');
    for (qsizetype i = lines.size() - 1; i >= 0 && budget-- > 0; --i) {
        QList<QByteArray> fewer = lines;
        fewer.removeAt(i);
        if (fails(fewer.join('\n'))) lines = fewer;
    }
    input = lines.join('\n');
    for (qsizetype run = qMax<qsizetype>(1, input.size() / 2); run >= 1; run /= 2)
        for (qsizetype at = 0; at < input.size() && budget-- > 0;) {
            const QByteArray shorter = QByteArray(input).remove(at, run);
            if (fails(shorter))
                input = shorter;
            else
                at += run;
        }
    return input;
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
        p.POS().setTill("3");
        p.POS().setVersion("4.2 b");
        p.POS().setConfigFile("/zr/red.cfg");
        p.PreSellMessage().setMessageList({"Welcome to", "Burger Barn", "Try our new shakes"});
        p.PreSellMessage().setBackColor(16711680);
        p.PreSellMessage().setMessageDisplayType("random");
        p.PreSellMessage().setMessageToPOPTime(12);
        p.OCBComm().setLastUpdated({QDate(2025, 3, 4), QTime(14, 5, 6)});
        p.OCBComm().setLastRetrieved({QDate(2026, 11, 30), QTime(0, 0)});
        p.OrderScreen().setLunchMessage("Have a nice day");
        p.OrderScreen().setShowTax("no");
        p.TotalScreen().setTotalScreenDelay(30);
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

/// Random bytes and edits, the same on every run.
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
        static const QList<QByteArray> odd{"",
                                           " ",
                                           "\"\"",
                                           "\"",
                                           "\"\"\"",
                                           "99999999999999999999",
                                           "-2147483649",
                                           "2147483648",
                                           "32768",
                                           "-32769",
                                           "+0",
                                           "-0",
                                           "007",
                                           "1e5",
                                           "0x10",
                                           "13/45/2020 25:61 PM",
                                           "2/29/2021",
                                           "0/0/0000",
                                           "12/31/9999 11:59:59 PM",
                                           "1/1/0001",
                                           "24:00",
                                           "12:60 AM",
                                           "0:00",
                                           "13:00 PM",
                                           "a  b   c",
                                           "\"a\" \"b\"",
                                           "x \"y",
                                           QByteArray(5000, 'x')};
        switch (below(4)) {
        case 0:
            return odd.at(below(odd.size()));
        case 1:
            return bytes(12);
        case 2:
            return '"' + bytes(8) + '"';
        default:
            return QByteArray::number(static_cast<qint64>(m_rng.generate64()) >> below(64));
        }
    }

    QByteArray mutate(QByteArray file) {
        for (int edits = 1 + below(6); edits > 0; --edits) {
            QList<QByteArray> lines = file.split('\n');
            const int i = below(lines.size()), j = below(lines.size());
            const qsizetype eq = lines.at(i).indexOf('=');
            switch (below(11)) {
            case 0:
                lines.removeAt(i);
                break;
            case 1:
                lines.insert(i, lines.at(j));
                break;
            case 2:
                lines.swapItemsAt(i, j);
                break;
            case 3:
                lines[i].insert(below(lines.at(i).size() + 1), bytes(8));
                break;
            case 4:
                file.truncate(below(file.size() + 1));
                continue;
            case 5:
                lines[i].remove(lines.at(i).lastIndexOf('"'), 1);
                break;
            case 6:
                lines[i].insert(below(2) ? lines.at(i).size() : below(lines.at(i).size() + 1), '"');
                break;
            case 7:
                if (eq >= 0) lines[i] = lines.at(i).left(eq + 1) + ' ' + value();
                break;
            case 8:
                if (eq >= 0) lines.insert(j, lines.at(i).left(eq + 1) + ' ' + value());
                break;
            case 9:
                lines[i] = lines.at(i).left(qMax<qsizetype>(eq, 0)).toUpper() + lines.at(i).mid(eq);
                break;
            default:
                file = lines.join('\n');
                file.replace(below(2) ? "\r\n" : "\n", below(2) ? "\r" : "\n\n");
                continue;
            }
            file = lines.join('\n');
        }
        return file;
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

} // namespace

class TestRobustness : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void settles_data();
    void settles();
    void fuzzLoad_data();
    void fuzzLoad();
    void addItemRandomLines_data();
    void addItemRandomLines();

private:
    QByteArray m_newProfile, m_customised;
    QList<QByteArray> m_keys;
};

void TestRobustness::initTestCase() {
    m_newProfile = programOutput(false);
    m_customised = programOutput(true);
    QVERIFY(m_newProfile.contains("translator_type"));
    QVERIFY(m_customised.contains("PAR TC"));
    for (const QByteArray& line : m_newProfile.split('\n'))
        if (line.contains('=') && !line.startsWith('#'))
            if (const QByteArray key = line.left(line.indexOf('=')).trimmed(); !m_keys.contains(key))
                m_keys << key;
    m_keys << "pos_config";
}

void TestRobustness::settles_data() {
    QTest::addColumn<QByteArray>("input");
    QByteArray every;
    for (int c = 0; c < 256; ++c)
        every += static_cast<char>(c);
    QTest::newRow("new profile") << programOutput(false);
    QTest::newRow("customised profile") << programOutput(true);
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("line ends only") << QByteArray("\r\n\n\r\r\n");
    QTest::newRow("no final line end") << QByteArray("language = French");
    QTest::newRow("CR line ends") << QByteArray("language = French\rshow_tax = no\r");
    QTest::newRow("NUL bytes") << QByteArray("translator_type = \"a\0b\"\n\0=\0\nlanguage\0 = x\0\n", 42);
    QTest::newRow("every byte in values")
        << "message_break = " + every + "\nlanguage = " + every + "\npop_week_break = " + every +
               "\nsugg_lunch = 10 " + every + "\ncod_com_port = " + every + "\nlast_update = " + every + '\n';
    QTest::newRow("unclosed quotes") << QByteArray("translator_type = \"PAR TC\nmessage_lunch = \"a \" b\n"
                                                   "screen_saver_text = \"\nsugg_break = \"10 x.jpg\n");
    QTest::newRow("quotes only") << QByteArray("till_number = \"\"\"\npos_version = \"\ncod_com_port = \"\"\n"
                                               "pop_sat_lunch = \" \"\n");
    QTest::newRow("repeated keys") << QByteArray(
        "language = a\nlanguage = b\nscreen_saver_text = \"x\"\n"
        "screen_saver_text\npop_week_break = a 1\npop_week_break = b\n");
    QTest::newRow("huge numbers") << QByteArray(
        "screen_saver_fg = 99999999999999999999\nscreen_saver_bg = "
        "-2147483649\nscreen_saver_pop_to = 32768\nidle_to_pop = +07\n");
    QTest::newRow("garbage dates") << QByteArray(
        "last_update = \"2/30/2024 1:00 PM\"\nlast_retrieval = 13:00 PM\n"
        "tod_week_break = 24:00\ntod_sun_closed = 1/1/0001\n");
    QTest::newRow("blanks and tabs") << QByteArray(
        "language =   a \t  b  \nsugg_break = 10 \"x y.jpg\" \"m\"\n"
        "  pop_fri_dinner\t= a\t2\n");
    QTest::newRow("POS port ending in two quotes") << QByteArray("cod_com_port = a\"\"\n");
}

void TestRobustness::settles() {
    QFETCH(QByteArray, input);
    const Outcome out = loadTwice(input);
    QVERIFY2(out.settled(), qPrintable(explain(input, out)));
}

void TestRobustness::fuzzLoad_data() {
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("count");
    QTest::newRow("edited new profile") << 0 << 700;
    QTest::newRow("edited customised profile") << 1 << 700;
    QTest::newRow("lines of known keys") << 2 << 600;
    QTest::newRow("random bytes") << 3 << 150;
}

void TestRobustness::fuzzLoad() {
    QFETCH(int, source);
    QFETCH(int, count);
    Mutator random(0x2e5000u + source);
    QSet<QByteArray> faults;
    QStringList explained;
    int failures = 0;
    qint64 slowest = 0;
    for (int n = 0; n < count; ++n) {
        const QByteArray input = source == 0   ? random.mutate(m_newProfile)
                                 : source == 1 ? random.mutate(m_customised)
                                 : source == 2 ? random.keyLines(m_keys)
                                               : random.bytes(3000);
        QElapsedTimer timer;
        timer.start();
        const Outcome out = loadTwice(input);
        slowest = qMax(slowest, timer.elapsed());
        if (out.settled()) continue;
        ++failures;
        if (faults.size() >= 4) continue;
        const QByteArray smallest = reduced(input);
        if (!faults.contains(smallest)) explained << explain(smallest, loadTwice(smallest));
        faults << smallest;
    }
    QVERIFY2(slowest < 2000, qPrintable(QString("slowest load took %1 ms").arg(slowest)));
    QVERIFY2(failures == 0,
             qPrintable(QString("%1 of %2 files do not settle, reduced:\n").arg(failures).arg(count) +
                        explained.join('\n')));
}

void TestRobustness::addItemRandomLines_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("filter");
    QTest::newRow("no mask mode") << 0 << QString();
    QTest::newRow("prefix masks") << 1 << QString();
    QTest::newRow("exact masks") << 2 << QString();
    QTest::newRow("prefix masks and filter") << 1 << "pop_";
}

void TestRobustness::addItemRandomLines() {
    QFETCH(int, flags);
    QFETCH(QString, filter);
    DynamicList list;
    list.MaskFlags(flags);
    for (const char* mask : {"#", "", "start"})
        list.AddMask(mask);
    Mutator random(0x11e5u + flags);
    for (int n = 0; n < 5000; ++n) {
        QString line =
            QString::fromLatin1(n % 3 ? random.bytes(40) : random.keyLines(m_keys).split('\r').first());
        if (n % 5 == 0) line.prepend(filter);
        const int before = list.Count();
        list.AddItem(line, filter);
        const bool added = list.Count() == before + 1;
        QVERIFY(added || list.Count() == before);
        QVERIFY2(!added || !(flags & 1) || !line.startsWith('#'), qPrintable(line));
        QVERIFY2(!added || filter.isEmpty() || line.startsWith(filter), qPrintable(line));
        if (!added) continue;
        const Property& p = list.Item(list.Count());
        QVERIFY2(!p.ID.contains('=') && !p.ID.startsWith(' ') && !p.ID.endsWith(' '), qPrintable(line));
        QCOMPARE(p.Value.isEmpty(), !line.contains('='));
        for (const QString& token : p.Value) {
            QVERIFY2(!token.startsWith(' ') && !token.endsWith(' '), qPrintable(line));
            // What the writer puts in quotes reads back as the same token.
            if (!token.contains('"')) QCOMPARE(DynamicList::tokenize('"' + token + '"'), QStringList{token});
        }
    }
}

QTEST_GUILESS_MAIN(TestRobustness)
#include "tst_robustness.moc"
