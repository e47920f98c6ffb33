#include "battle/lokirivi.h"
#include "util/teksti.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace vt;

namespace {

Date paiva(unsigned p, unsigned k, unsigned v) {
    Date d;
    d.paiva = p;
    d.kuukausi = k;
    d.vuosi = v;
    return d;
}

std::string seuraava(unsigned p, unsigned k, unsigned v) {
    Date d = paiva(p, k, v);
    d.lisaaPaiva();
    return d.str();
}

std::vector<Nickit> nickit(const std::string &tiedosto) {
    std::istringstream in(tiedosto);
    std::vector<Nickit> n;
    lueNimiTiedosto(in, n);
    return n;
}

} // namespace

TEST(Date, NoDateGivesEmptyText) {
    EXPECT_EQ(Date().str(), "");
    EXPECT_EQ(paiva(2, 1, 2006).str(), "2.1.2006");
}

TEST(Date, FourShapesOfDateLine) {
    Date d;
    d.lueRivistaPaivamaara("Session Start: Mon Jan 02 12:34:56 2006");
    EXPECT_EQ(d.str(), "2.1.2006");
    d.lueRivistaPaivamaara("--- Day changed Tue Jan 03 2006");
    EXPECT_EQ(d.str(), "3.1.2006");
    d.lueRivistaPaivamaara("--- Log opened Fri Mar 17 08:00:00 2006");
    EXPECT_EQ(d.str(), "17.3.2006");
    d.lueRivistaPaivamaara("Session Time: Sat Dec 30 23:00:00 2006");
    EXPECT_EQ(d.str(), "30.12.2006");
    // Whole month words only; the day and year still come from their places.
    d.lueRivistaPaivamaara("--- Day changed Mon January 05 2007");
    EXPECT_EQ(d.str(), "5.12.2007");
    // An ordinary line is no date line.
    d.lueRivistaPaivamaara("12:00 <bob> the session starts Jan 01 1999");
    EXPECT_EQ(d.str(), "5.12.2007");
}

TEST(Date, DateLineResetsTheClockEvenWhenUnreadable) {
    Date d = paiva(4, 5, 2006);
    vanhaKellonaika = 600;
    d.lueRivistaPaivamaara("Session Start:");
    EXPECT_EQ(vanhaKellonaika, 0u);
    EXPECT_EQ(d.str(), "4.5.2006");
    // A day of 0 and a missing year leave those fields.
    d.lueRivistaPaivamaara("--- Day changed Mon Feb 00");
    EXPECT_EQ(d.str(), "4.2.2006");
}

TEST(Date, DayAdvanceWithGregorianLeapYears) {
    EXPECT_EQ(seuraava(28, 2, 2006), "1.3.2006");
    EXPECT_EQ(seuraava(28, 2, 2004), "29.2.2004");
    EXPECT_EQ(seuraava(29, 2, 2004), "1.3.2004");
    EXPECT_EQ(seuraava(28, 2, 1900), "");
    Date d = paiva(28, 2, 1900);
    d.lisaaPaiva();
    EXPECT_EQ(d.paiva, 1u);
    EXPECT_EQ(d.kuukausi, 3u);
    EXPECT_EQ(seuraava(28, 2, 2000), "29.2.2000");
    EXPECT_EQ(seuraava(30, 4, 2006), "1.5.2006");
    EXPECT_EQ(seuraava(30, 5, 2006), "31.5.2006");
    EXPECT_EQ(seuraava(31, 12, 2005), "1.1.2006");
}

TEST(Kellonaika, StampBeforeTheNickInEveryShape) {
    vanhaKellonaika = 0;
    Date d = paiva(31, 12, 2005);
    EXPECT_EQ(etsiAlkuTaiLoppuAika("[23:59] <Bob> 1:02,34", d), "23:59");
    EXPECT_EQ(etsiAlkuTaiLoppuAika("23:59:30 <Bob> hi", d), "23:59");
    EXPECT_EQ(etsiAlkuTaiLoppuAika("2359 <Bob> hi", d), "23:59");
    EXPECT_EQ(d.str(), "31.12.2005");
    // A date word of eight digits and a day number are passed over.
    EXPECT_EQ(etsiAlkuTaiLoppuAika("2006-01-02 5 <Bob> 12:34", d), "");
    // Nothing after the nick is looked at.
    EXPECT_EQ(etsiAlkuTaiLoppuAika("<Bob> 12:34", d), "");
    EXPECT_EQ(etsiAlkuTaiLoppuAika("", d), "");
}

TEST(Kellonaika, MidnightAdvancesTheDateOnce) {
    vanhaKellonaika = 0;
    Date d = paiva(31, 12, 2005);
    etsiAlkuTaiLoppuAika("23:58 <a> x", d);
    EXPECT_EQ(etsiAlkuTaiLoppuAika("00:03 <a> x", d), "00:03");
    EXPECT_EQ(d.str(), "1.1.2006");
    // The same line again is harmless.
    etsiAlkuTaiLoppuAika("00:03 <a> x", d);
    EXPECT_EQ(d.str(), "1.1.2006");
    EXPECT_EQ(vanhaKellonaika, 3u);
}

TEST(Nickit, FiveLetterKeysFirstMatchWins) {
    const std::vector<Nickit> n = nickit("jappe Jarmo extra\n\n   \nlonely\nbo Bob\njapp Other\n"
                                         "JAPPEX Second\n");
    ASSERT_EQ(n.size(), 4u);
    EXPECT_EQ(n[0].avain, "JAPPE");
    EXPECT_EQ(n[0].nimi, "Jarmo");
    EXPECT_EQ(n[1].avain, "BO");
    EXPECT_EQ(n[3].avain, "JAPPE");
    for (std::string nick : {"JAPPE", "jappe", "Jappeli"}) {
        vaihdanimea(n, nick);
        EXPECT_EQ(nick, "Jarmo");
    }
    for (std::string nick : {"bo", "BO"}) {
        vaihdanimea(n, nick);
        EXPECT_EQ(nick, "Bob");
    }
    std::string pitka = "bob";
    vaihdanimea(n, pitka);
    EXPECT_EQ(pitka, "bob");
    EXPECT_EQ(sanoja("12:00 <jappe_> hi", n), "Jarmo");
}

TEST(Karsi, DecorationFromBothEnds) {
    auto k = [](std::string s) {
        karsi(s);
        return s;
    };
    EXPECT_EQ(k("@_Nick_"), "Nick");
    EXPECT_EQ(k("(Nick)"), "Nick");
    EXPECT_EQ(k("--"), "-");
    EXPECT_EQ(k(" "), "");
    EXPECT_EQ(k("+"), "+");
    EXPECT_EQ(k("\xB4Nick`"), "Nick");
    EXPECT_EQ(k("*|^'\\/:N:"), "N");
    EXPECT_EQ(k("Ni_ck"), "Ni_ck");
    EXPECT_EQ(k(""), "");
}

TEST(Sanoja, SpeakerBetweenTheFirstBrackets) {
    const std::vector<Nickit> ei;
    EXPECT_EQ(sanoja("[12:00] <@+Bob> 1:02,34", ei), "Bob");
    EXPECT_EQ(sanoja("<+ Bob > hi", ei), "Bob");
    EXPECT_EQ(sanoja("< > hi", ei), "");
    EXPECT_EQ(sanoja("a > b < c", ei), "");
    EXPECT_EQ(sanoja("no nick here", ei), "");
    EXPECT_EQ(sanoja("<AVeryLongNicknameIndeed> x", ei), "AVeryLongNicknameIndeed");
}

TEST(BattlenSanoja, WordAfterBy) {
    const std::vector<Nickit> ei;
    EXPECT_EQ(battlenSanoja("new level http://x/a.lev by @Jappe_", ei), "Jappe");
    EXPECT_EQ(battlenSanoja("level BY Unregistered-SomeLongNickname", ei), "SomeLongNic");
    EXPECT_EQ(battlenSanoja("made by", ei), "");
    EXPECT_EQ(battlenSanoja("bye baby", ei), "");
    EXPECT_EQ(battlenSanoja("by AbcdefghijklmnoP", ei), "Abcdefghijk");
    EXPECT_EQ(battlenSanoja("by jappe", nickit("jappe Jarmo\n")), "Jarmo");
}

TEST(EtsiLevelLogista, NameFromTheLink) {
    EXPECT_EQ(etsiLevelLogista("<bot> http://x.org/levels/MyLevel.lev by a"), "MyLevel");
    EXPECT_EQ(etsiLevelLogista("<bot> http://x.org/download.php?level=Abc.LEV"), "Abc");
    EXPECT_EQ(etsiLevelLogista("<bot> see Joe/MyLev.Lev"), "MyLev");
    EXPECT_EQ(etsiLevelLogista("<bot> www.x.org/a b/Two Words.lev"), "Words");
    EXPECT_EQ(etsiLevelLogista("no level file here"), "");
    // The game's own links: eleven characters of prefix after "file=level__" when at least
    // five follow them, otherwise everything after "file=".
    EXPECT_EQ(etsiLevelLogista("http://x.org/get?file=level__12345678901Named.lev"), "Named");
    EXPECT_EQ(etsiLevelLogista("http://x.org/get?file=level__1234567890Shrt.lev"),
              "level__1234567890Shrt");
    EXPECT_EQ(etsiLevelLogista("http://x.org/get?file=Plain.lev"), "Plain");
}

TEST(LinkinNimi, TheLinkedNameAsTheEndTestComparesIt) {
    auto nimi = [](const std::string &rivi) { return linkinNimi(rivi, toUpper(rivi)); };
    // After the last "/" or space before the first ".LEV", as the level name is found.
    EXPECT_EQ(nimi("<bot> http://x.org/levels/MyLevel.lev by a"), "MyLevel");
    EXPECT_EQ(nimi("<bot> www.x.org/a b/Two Words.lev"), "Words");
    EXPECT_EQ(nimi("<bot> http://x.org/a/b c.LEV d/e.lev"), "c");
    // But untrimmed, and with no "level=" or "file=" taken off.
    EXPECT_EQ(nimi("<bot> http://x.org/\tTabbed.lev"), "\tTabbed");
    EXPECT_EQ(etsiLevelLogista("<bot> http://x.org/\tTabbed.lev"), "Tabbed");
    EXPECT_EQ(nimi("<bot> http://x.org/download.php?level=Abc.LEV"), "download.php?level=Abc");
    EXPECT_EQ(nimi("<bot> http://x.org/get?file=Plain.lev"), "get?file=Plain");
    EXPECT_EQ(nimi("<bot> http://x.org/Gap .lev"), "");
}

TEST(Rivilajit, PlainSubstringTests) {
    EXPECT_TRUE(onPaivamaaraRivi("--- DAY CHANGED MON JAN 02 2006"));
    EXPECT_FALSE(onPaivamaaraRivi("<A> WHAT A DAY"));
    EXPECT_TRUE(onByRivi("<A> BABY"));
    EXPECT_FALSE(onByRivi("<A> BY PEER"));
    EXPECT_TRUE(onLinkkiRivi("HTTP://X/A.LEV"));
    EXPECT_TRUE(onLinkkiRivi("WWW.X/A.LEV"));
    EXPECT_FALSE(onLinkkiRivi("<A> A.LEV"));
    EXPECT_TRUE(voiOllaTulos("<A> 1:02,34"));
    EXPECT_FALSE(voiOllaTulos("<A> 1:02,34 A.REC"));
    EXPECT_FALSE(voiOllaTulos("<A> 1:02,34 WWW"));
    EXPECT_TRUE(onStopRivi("<A> NICE WEEKEND"));
    EXPECT_TRUE(onStopRivi("<A> STOP"));
    EXPECT_FALSE(onStopRivi("<A> 1:02,34"));
}
