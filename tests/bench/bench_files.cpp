// The core's two large file jobs, each a median of several runs: the scan of a
// picture folder with 10,000 small .jpg files, as the image windows do it
// (Filter first, then Directory), and the load and save of a zr.conf that holds
// the usual settings and 10,000 lines of keys the program does not know; and
// the check before an update of a profile with 20 POPs in every day part, 500
// items and 1,000 pictures in each catalogue.

#include "BenchSupport.h"
#include "check/PreflightCheck.h"
#include "model/FileManager.h"
#include "model/Profiles.h"
#include "profiles/ProfileOps.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication qapp(argc, argv);
    zr::test::TempApp app;
    zr::test::FakeClock clock;
    zr::test::ScriptedPrompts prompts;
    constexpr int Pictures = 10000, Runs = 15;
    for (int n = 0; n < Pictures; ++n)
        app.write(QString("ZRScreens/POP/Pop%1.jpg").arg(n, 5, 10, QChar('0')), QByteArray(512, 'j'));
    QList<double> scans, loads, saves, totals;
    int found = 0;
    for (int run = 0; run < Runs; ++run) {
        zr::FileManager files;
        scans << ms([&] { files.setFilter("*.jpg"), files.setDirectory(app.paths.popImages()); });
        found = files.Count();
    }

    // The program's own file for a new profile, then the unknown keys.
    zr::Profiles profile(app.paths, clock, prompts);
    profile.setID("P");
    QByteArray big = app.read("Profiles/P/Config/zr.conf");
    for (int n = 0; n < 10000; ++n)
        big += "site_setting_" + QByteArray::number(n) + " = \"value " + QByteArray::number(n) + "\" 42\r\n";
    app.notFirstRun();
    for (int run = 0; run < Runs; ++run) {
        // Loading writes the file back without the unknown keys: put them back first.
        app.write("Profiles/P/Config/zr.conf", big);
        loads << ms([&] { profile.setID("P"); }); // reads zr.conf and writes it back
        saves << ms([&] { profile.SaveProfile(); });
        totals << loads.last() + saves.last();
    }
    if (found != Pictures || !prompts.asked.isEmpty()) return std::printf("scan found %d files\n", found), 1;
    std::printf("scan of %d .jpg files, %d runs: %s; aim < 50 ms)\n", Pictures, Runs,
                figures(scans).constData());
    std::printf("zr.conf of %lld bytes (10000 lines of unknown keys), %d runs\n"
                "load (setID, which saves too): %s)\nSaveProfile:                   %s)\n"
                "load + save:                   %s; aim < 20 ms)\n",
                static_cast<long long>(big.size()), Runs, figures(loads).constData(),
                figures(saves).constData(), figures(totals).constData());

    zr::test::TempApp big2;
    for (int n = 0; n < 1000; ++n) {
        big2.write(QString("ZRScreens/POP/pop%1.jpg").arg(n, 4, 10, QChar('0')), QByteArray(512, 'p'));
        big2.write(QString("ZRScreens/Item/item%1.jpg").arg(n, 4, 10, QChar('0')), QByteArray(512, 'i'));
    }
    big2.write("ZRScreens/POP/default.jpg", QByteArray(512, 'd'));
    big2.write("ZRScreens/Item/GreatChoice.jpg", QByteArray(512, 'g'));
    big2.notFirstRun();
    zr::Profiles checked(big2.paths, clock, prompts);
    zr::ProfileOps::createProfile(checked, "C", "127.0.0.1");
    for (zr::TimeOfWeek& week : checked.Weeks())
        for (zr::TimeOfDay& day : week.Days) {
            day.POPs.clear();
            for (int n = 0; n < 20; ++n)
                day.POPs.append({QString("pop%1.jpg").arg(n * 37 % 1000, 4, 10, QChar('0')), "5"});
        }
    checked.SaveProfile();
    QByteArray menu;
    for (int n = 0; n < 500; ++n)
        menu += QString("\"Item %1\",\"Long %1\",\"item%2.jpg\",%3,\"TRUE\",\"pop%2.jpg\",\"FALSE\"\r\n")
                    .arg(n)
                    .arg(n * 2, 4, 10, QChar('0'))
                    .arg(10 * (n % 5 + 1))
                    .toLatin1();
    big2.write("Profiles/C/Items/items", menu);
    QList<double> checks;
    zr::CheckResult result;
    for (int run = 0; run < Runs; ++run)
        checks << ms([&] { result = zr::checkProfile(big2.paths, "C"); });
    for (const zr::Finding& f : result.findings) std::printf("%s\n", qPrintable(zr::CheckResult::line(f)));
    if (result.hasErrors()) return 1;
    std::printf("check of 16 day parts x 20 POPs, 500 items, 2 x 1000 pictures, %d runs: %s; aim < 100 ms)\n",
                Runs, figures(checks).constData());
    return 0;
}
