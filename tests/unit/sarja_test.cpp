#include "series/recit.h"
#include "series/rekisteroinnit.h"
#include "series/sorakisa.h"
#include "testiapu.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <stdexcept>

using namespace vt;
using testi::ajo;

namespace {

// The side files in memory; `estetty` names a file that cannot be rewritten.
struct Muistissa {
    std::map<std::string, std::string> tiedostot;
    std::string estetty;
    Sivutiedostot liitos() {
        return {"players.txt", "nat.txt", [this](const std::string &n) { return tiedostot[n]; },
                [this](const std::string &n, const std::string &s) {
                    if (n == estetty)
                        return false;
                    tiedostot[n] = s;
                    return true;
                }};
    }
};

std::string rekisteroi(Level &l, const std::string &loki, Muistissa &m,
                       bool pelaajatiedosto = false) {
    std::istringstream in(loki);
    std::ostringstream out;
    lueRekisteroinnit(l, in, pelaajatiedosto, {}, m.liitos(), out);
    return out.str();
}

const Ajo &ajoNimella(const Level &l, const std::string &nimi) {
    for (const Ajo &a : l.ajot())
        if (a.nimi == nimi)
            return a;
    throw std::runtime_error("no run " + nimi);
}

} // namespace

TEST(Rekisteroinnit, NameTeamAndNationality) {
    Level l = testi::level("Race", {ajo("bob", "1:00,00"), ajo("ann", "1:10,00")});
    Muistissa m;
    const std::string rivi = "[20:01] <bob> !register Bob Smith [Team X] (fin)";
    EXPECT_EQ(rekisteroi(l, rivi + "\n", m), "Player bob registered.\n"
                                             "File nat.txt updated: Player bob added.\n"
                                             "File players.txt updated: Player bob added.\n");
    EXPECT_TRUE(ajoNimella(l, "bob").rekisteroity);
    EXPECT_EQ(ajoNimella(l, "bob").rekisteroityNimi, "Bob Smith [Team X]");
    EXPECT_FALSE(ajoNimella(l, "ann").rekisteroity);
    EXPECT_EQ(m.tiedostot["nat.txt"], ":FIN Bob_Smith\n");
    EXPECT_EQ(m.tiedostot["players.txt"], rivi + "\n\n");
}

TEST(Rekisteroinnit, LinesThatAreNoRegistrations) {
    Level l = testi::level("Race", {ajo("bob", "1:00,00")});
    Muistissa m;
    EXPECT_EQ(rekisteroi(l,
                         "<bob> REGISTERED\n"         // nothing after the first word
                         "<bob> please register me\n" // not at the start
                         "<bob> reg\n"                // too short after ">"
                         "no nick register Bob\n",
                         m),
              "");
    EXPECT_TRUE(m.tiedostot.empty());
    // Glued to the keyword, the first word still goes; "[]" without a team is dropped.
    EXPECT_EQ(rekisteroi(l, "<bob> !registerme Bob [] \n", m),
              "Player bob registered.\nFile players.txt updated: Player bob added.\n");
    EXPECT_EQ(ajoNimella(l, "bob").rekisteroityNimi, "Bob");
}

TEST(Rekisteroinnit, NationalityMovesAndSameNationalityWritesNothing) {
    Level l = testi::level("Race", {});
    Muistissa m;
    m.tiedostot["nat.txt"] = "stray :FIN ann mika\n:SWE zed\n:FIN ulla\n";
    // A nick without runs still updates the files, without a "registered." line.
    EXPECT_EQ(rekisteroi(l, "<ann> register ann (swe)\n", m),
              "File nat.txt updated: Player ann updated.\n"
              "File players.txt updated: Player ann added.\n");
    // The two FIN groups are merged; ann leaves FIN.
    EXPECT_EQ(m.tiedostot["nat.txt"], ":FIN mika ulla\n:SWE zed ann\n");
    EXPECT_EQ(rekisteroi(l, "<ann> register ann (Swe)\n", m),
              "File players.txt updated: Player ann updated.\n");
    m.tiedostot["nat.txt"] = ":FIN bob\n";
    rekisteroi(l, "<bob> register bob (swe)\n", m);
    // The FIN group left empty is not written.
    EXPECT_EQ(m.tiedostot["nat.txt"], ":SWE bob\n");
}

TEST(Rekisteroinnit, PlayersFileKeepsOneLinePerPlayer) {
    Level l = testi::level("Race", {ajo("bob", "1:00,00")});
    Muistissa m;
    rekisteroi(l, "<ann> register Ann\n<bob> register Bob\n<bob> register Bobby\n", m);
    EXPECT_EQ(m.tiedostot["players.txt"], "<ann> register Ann\n<bob> register Bobby\n\n");
    EXPECT_EQ(ajoNimella(l, "bob").rekisteroityNimi, "Bobby");
    // Reading the players file itself never rewrites it.
    const std::string ennen = m.tiedostot["players.txt"];
    EXPECT_EQ(rekisteroi(l, "<cid> register Cid\n", m, true), "");
    EXPECT_EQ(m.tiedostot["players.txt"], ennen);
    // A file that cannot be rewritten says so.
    m.estetty = "players.txt";
    EXPECT_EQ(rekisteroi(l, "<cid> register Cid\n", m), "Saving file players.txt failed. \n");
    EXPECT_EQ(m.tiedostot["players.txt"], ennen);
}

TEST(Recit, UploadedFromLinksOfThePlayers) {
    Level l = testi::level("Race", {ajo("bob", "1:00,00")});
    auto lue = [&](const std::string &loki) {
        std::istringstream in(loki);
        std::ostringstream out;
        readUploadedRecs(l, in, {}, out);
        return out.str();
    };
    EXPECT_EQ(lue("<bob> WWW bob01.rec\n<ann> http://x/ann.rec\n<bob> bob02.rec x/y\n"), "");
    EXPECT_FALSE(l.ajot()[0].ladattu);
    EXPECT_EQ(lue("<bob> HTTP files/recs/bob01.rec\n<bob> HTTP files/recs/bob01.rec\n"),
              "Player bob has uploaded a rec.\n");
    EXPECT_EQ(l.ajot()[0].recit, (std::vector<std::string>{"bob01.rec", "bob01.rec"}));
}

TEST(Recit, CheckedTimesWithTheUpperBound) {
    Level l =
        testi::level("Race7", {ajo("bob", "1:00,00"), ajo("bob", "1:00,00"), ajo("ann", "1:00,00"),
                               ajo("cid", "1:00,00"), ajo("dan, eve", "1:00,00")});
    for (const char *n : {"bob", "ann", "cid", "dan, eve"})
        l.uploaded(n, std::string(n).substr(0, 3) + ".rec");
    std::istringstream in("BOB.REC race s 1:00,01\n"   // one hundredth over: accepted
                          "ann.rec Race7b s 1:00,02\n" // two hundredths over: rejected
                          "cid.rec race m 0:50,00\n"   // wrong kind
                          "dan.rec race7 m 0:59,00\n"  // faster always passes
                          "cid.rec other s 0:50,00\n"  // another level
                          "cid.rec race s\n"           // no time
                          "cid.rec race s 0\n");       // a zero time
    std::ostringstream out;
    tarkistaReccienOikeatAjat(l, in, out);
    EXPECT_EQ(out.str(), "Player bob's rec checked. \nPlayer dan, eve's rec checked. \n");
    EXPECT_TRUE(l.ajot()[0].tarkistettu);
    EXPECT_FALSE(l.ajot()[1].tarkistettu);
    EXPECT_FALSE(l.ajot()[2].tarkistettu);
    EXPECT_TRUE(l.ajot()[3].tarkistettu);
}

TEST(Sorakisa, EventNumberAndDefaultName) {
    EXPECT_EQ(tapahtumanNumero("Race 042"), "42");
    EXPECT_EQ(tapahtumanNumero("Final"), "");
    EXPECT_EQ(tapahtumanNumero("R1x2"), "12");
    EXPECT_EQ(tapahtumanNumero("000"), "");
    auto ei = [](const std::string &) { return false; };
    EXPECT_EQ(sorakisanOletusnimi("42", "v", ei), "sorakisa042.txt");
    EXPECT_EQ(sorakisanOletusnimi("7", "v", ei), "sorakisa007.txt");
    EXPECT_EQ(sorakisanOletusnimi("1234", "v", ei), "sorakisa1234.txt");
    auto kaksi = [](const std::string &n) { return n == "v01.txt" || n == "v02.txt"; };
    EXPECT_EQ(sorakisanOletusnimi("", "v", kaksi), "v03.txt");
    EXPECT_EQ(sorakisanOletusnimi("", "v", [](const std::string &) { return true; }), "v.txt");
}

TEST(Sorakisa, SheetWithPointsAndJoinedNames) {
    std::vector<Ajo> ajot = {ajo("a", "1:00,00"), ajo("b", "1:01,00"), ajo("c", "1:02,00"),
                             ajo("d", "1:03,00"), ajo("e", "1:04,00")};
    ajot[0].rekisteroity = true;
    ajot[0].rekisteroityNimi = "John Smith [Big Team]";
    for (Ajo &a : ajot)
        a.hyvaksytty = true;
    ajot[4].hyvaksytty = false;
    std::ostringstream out;
    const Kello kello = [] { return std::string("Wed Dec 06 18:48:00 2006\n"); };
    tulostaSorakisa(out, ajot, {"42", "Org", "6.3.2006", "20:00"}, kello);
    EXPECT_EQ(out.str(), "Sorakisa #42 by Org - 6.3.2006, 20:00\n" + std::string(75, '=') +
                             "\n\n"
                             // The registered name is 21 characters: the columns widen.
                             " Pos.  Nick [Team]                Time         Points\n" +
                             std::string(55, '-') +
                             "\n"
                             " 1.    John_Smith [Big Team]      1:00,00      9\n"
                             " 2.    b                          1:01,00      3\n"
                             " 3.    c                          1:02,00      2\n"
                             " 4.    d                          1:03,00      1\n"
                             "\n\nThis text file was generated by Vaskitaulu v. 1.6 on 6.12.2006 "
                             "at 18:48:00\n");
}

TEST(Sorakisa, SituationTable) {
    std::vector<Ajo> ajot = {ajo("bob", "1:00,00"), ajo("ann", "12:01,00")};
    ajot[0].rekisteroity = ajot[0].ladattu = ajot[0].tarkistettu = true;
    ajot[0].rekisteroityNimi = "Bob Smith";
    ajot[1].ladattu = true;
    std::ostringstream out;
    tulostaTilanne(out, ajot);
    EXPECT_EQ(out.str(),
              "Current situation: \n\n"
              "                                      Player      Replay    Time     Accepted\n"
              "Pos. Name                     Time    registered  uploaded  checked  to results\n" +
                  std::string(79, '-') +
                  "\n"
                  "1.   Bob Smith                1:00,00 YES         YES       YES      YES\n"
                  "2.   ann                     12:01,00 NO          YES       NO       NO\n");
    EXPECT_TRUE(tuloksissa(ajot[0]));
    ajot[1].hyvaksytty = true;
    EXPECT_TRUE(tuloksissa(ajot[1]));
}
