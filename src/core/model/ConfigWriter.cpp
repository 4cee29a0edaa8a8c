#include "model/ConfigWriter.h"

#include "app/DateText.h"
#include "app/Routines.h"
#include "app/TextFile.h"
#include "model/Profiles.h"

namespace zr::ConfigWriter {

namespace {

// Three empty lines between sections.
const QString SectionBreak = "\r\n\r\n";

QString num(qint64 n) { return QString::number(n); }

} // namespace

QByteArray zrConf(Profiles& p) {
    zr::POS& pos = p.POS();
    zr::PreSellMessage& ps = p.PreSellMessage();
    zr::OrderScreen& os = p.OrderScreen();
    zr::TotalScreen& ts = p.TotalScreen();
    zr::OCBComm& comm = p.OCBComm();
    const QString hashes(64, '#');

    QStringList l;
    l << "# ZR5000 configuration file" << hashes << "# SYSTEM CONFIG SETTINGS-- HANDLE WITH CARE!!!!!" << hashes
      << "# processes for server to start automatically and monitor"
      << "start zrcoda     # OCB application"
      << "start " + pos.StatsModule().toLower() + "     # statistics collector"
      << "start zrtrip         # vehicle detection"
      << "start " + pos.Driver().toLower() + "      # register port (translator)" << SectionBreak;

    l << "# POS SYSTEM INFORMATION"
      << "translator_type    = " + AddQuotes(pos.ID()) << "cod_com_port       = " + pos.CommType()
      << "till_number        = " + AddQuotes(pos.Till()) << "pos_mode           = " + pos.Mode().toLower()
      << "pos_version        = " + AddQuotes(pos.Version()) << "red_dot_config     = " + pos.ConfigFile()
      << "statistics_type    = " + pos.Stats() << ""
      << "# sometimes compris consolidates on its own"
      << "# if so, diasable the zr consolidation"
      << "consolidate = yes" << SectionBreak;

    l << "#####            SYSTEM OPTIONS                          #####"
      << "language        = " + p.Language() << ""
      << "# Determines whether system pays attention to Vehicle Detect events,"
      << "# or just cycles pops when no order is in progress."
      << "vehicle_detect =     " + p.VehicleDetect() << ""
      << "#    Various Display Options."
      << "display_mode    =  " + p.DisplayMode() << "display_font_os = \"arialb\""
      << "display_font_ts = \"arialb\""
      << "display_font_ps = \"arialb\"" << SectionBreak;

    l << "#####            FILE NAMES AND LOCATIONS                #####"
      << "drive_times_file = /var/zr/drive"
      << "item_file = /zr/var/items" << SectionBreak;

    l << "#####            SCREEN SAVER OPTIONS                    #####"
      << "screen_saver_fg = " + num(ps.ForeColor()) << "screen_saver_bg = " + num(ps.BackColor()) << "";
    for (const QString& text : ps.MessageList()) l << "screen_saver_text = " + AddQuotes(text);
    l << "# smooth or random                   #####"
      << "screen_saver_mode  = " + ps.MessageDisplayType() << "screen_saver_sec_to = 0" << ""
      << "# microseconds for smooth scroll"
      << (ps.MessageDisplayType() == "smooth" ? "screen_saver_usec_to = 100000" : "screen_saver_usec_to = 0")
      << ""
      << "# seconds between vehicle detect to first pop"
      << "screen_saver_pop_to  = " + num(ps.MessageToPOPTime()) << SectionBreak;

    l << "#####            ORDERSCREEN PARAMETERS      #####"
      << "#        These are the messges to display at the bottom of"
      << "#        the order screen."
      << "message_break = " + AddQuotes(os.BreakfastMessage())
      << "message_lunch = " + AddQuotes(os.LunchMessage())
      << "message_dinner = " + AddQuotes(os.DinnerMessage()) << ""
      << "#        These settings control HOW the order screen is shown."
      << "show_tax = " + os.ShowTax() << "show_total = " + os.ShowTotal() << SectionBreak;

    l << "#####        TOTAL SCREEN PARAMETERS                     #####"
      << "#####            setting to show line-item prices        #####"
      << "unit_price_enabled = " + os.ShowUnitPrice() << "show_total_screen = " + ts.ShowTotalScreen()
      << "idle_to_pop = " + num(ts.TotalScreenDelay()) << SectionBreak;

    l << "#####        SYSTEM DATES        #####"
      << "last_update      =    " + AddQuotes(generalDateText(comm.LastUpdated()))
      << "last_retrieval   =    " + AddQuotes(generalDateText(comm.LastRetrieved())) << SectionBreak;

    l << "#####            TIMES OF DAY DEFINITIONS                    #####"
      << "# These determine which pop images are displayed during"
      << "# different times of the day" << "";
    for (const TimeOfWeek& week : p.Weeks()) {
        l << "# Selections for " + week.ID;
        for (const TimeOfDay& day : week.Days)
            l << "tod_" + week.ID + "_" + day.ID + "   = " + hoursMinutes(day.StartTime);
        l << "";
    }
    l << SectionBreak;

    l << "#####           SUGGESTIVE SALES DEFINITIONS                 #####"
      << "# This determines what is shown on the total screen."
      << "# The system will monitor what items have been sold"
      << "# according to family (specified in the items file)."
      << "# If a family is not represented in the order, the"
      << "# corresponding suggestive sale data will be displayed." << ""
      << "# keyword   family      picture            message"
      << "#---------- ------ ----------------- -----------------------------"
      << "# max characters                     \"###########################\"";
    const TimeOfWeek* week = p.Week("week");
    for (const QString& part : {QStringLiteral("break"), QStringLiteral("lunch"), QStringLiteral("dinner")}) {
        // The dinner lines have always had one blank less after the family.
        const QString gap = part == "dinner" ? "    " : "     ";
        if (const TimeOfDay* day = week ? week->Day(part) : nullptr)
            for (const SuggestEntry& e : day->Suggest)
                l << "sugg_" + part + " = " + e.Family + gap + e.Picture.toLower() + "    " + AddQuotes(e.Message);
        l << (part == "dinner" ? SectionBreak : QString());
    }

    l << "#####            POP DEFINITIONS                 #####"
      << "# The delay specifies how long each image is displayed."
      << "# POPs are displaying in the order listed."
      << "#  tod             picture          delay"
      << "# ------------   -----------------  -------";
    for (const TimeOfWeek& w : p.Weeks()) {
        l << "#####            " + w.ID.toUpper();
        for (const TimeOfDay& day : w.Days) {
            l << "# Selections for " + w.ID + " " + day.ID;
            for (const PopEntry& pop : day.POPs)
                l << "pop_" + w.ID + "_" + day.ID + " = " + pop.Picture.toLower() + "    " + pop.Time;
            l << "";
        }
        l << "";
    }
    return TextFile::crlfLines(l);
}

QByteArray configConf(Profiles& p) { return TextFile::crlfLines({"IP = " + p.IPAddress()}); }

} // namespace zr::ConfigWriter
