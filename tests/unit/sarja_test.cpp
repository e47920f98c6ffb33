#include "series/recit.h"
#include "series/rekisteroinnit.h"
#include "series/sorakisa.h"
#include "testiapu.h"
#include "util/teksti.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <random>
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

namespace {

// The side files as they were kept before one pass held them: every registration line re-reads
// both files whole and rewrites them, exactly as the file formats say.
struct Suoraan {
    std::map<std::string, std::string> tiedostot;

    static std::optional<std::string> siirra(const std::string &tiedosto, const std::string &nimi,
                                             const std::string &kansallisuus, bool &loytyi) {
        std::vector<Nationality> ryhmat;
        std::string nykyinen;
        std::istringstream in(tiedosto);
        std::string sana;
        while (in >> sana) {
            if (sana[0] == ':') {
                ryhmat.push_back({{}, sana.substr(1)});
                continue;
            }
            if (ryhmat.empty())
                continue;
            Pelaaja p;
            p.nimi = sana;
            ryhmat.back().jasenet.push_back(p);
            if (sana == nimi) {
                loytyi = true;
                nykyinen = ryhmat.back().nimi;
            }
        }
        if (nykyinen == kansallisuus)
            return std::nullopt;
        for (Nationality &r : ryhmat)
            std::erase_if(r.jasenet, [&](const Pelaaja &p) { return p.nimi == nimi; });
        for (size_t i = 0; i < ryhmat.size(); ++i)
            for (size_t j = i + 1; j < ryhmat.size();) {
                if (ryhmat[j].nimi != ryhmat[i].nimi) {
                    ++j;
                    continue;
                }
                for (Pelaaja &p : ryhmat[j].jasenet)
                    ryhmat[i].jasenet.push_back(p);
                ryhmat.erase(ryhmat.begin() + static_cast<long>(j));
            }
        Pelaaja uusi;
        uusi.nimi = nimi;
        bool lisatty = false;
        for (Nationality &r : ryhmat)
            if (r.nimi == kansallisuus) {
                r.jasenet.push_back(uusi);
                lisatty = true;
            }
        if (!lisatty)
            ryhmat.push_back({{uusi}, kansallisuus});
        std::string r;
        for (const Nationality &n : ryhmat) {
            if (n.jasenet.empty())
                continue;
            r += ":" + n.nimi;
            for (const Pelaaja &p : n.jasenet)
                r += " " + p.nimi;
            r += "\n";
        }
        return r;
    }

    // One registration: nick, registered name (already a word) and nationality.
    std::string rekisteroi(const std::string &rivi, const std::string &nick,
                           const std::string &nimi, const std::string &kansallisuus) {
        std::string out;
        if (!kansallisuus.empty()) {
            bool loytyi = false;
            if (auto uusi = siirra(tiedostot["nat.txt"], nimi, kansallisuus, loytyi)) {
                tiedostot["nat.txt"] = *uusi;
                out += "File nat.txt updated: Player " + nick + (loytyi ? " updated." : " added.") +
                       "\n";
            }
        }
        std::string r;
        bool korvattu = false;
        std::istringstream in(tiedostot["players.txt"]);
        std::string vanha;
        while (std::getline(in, vanha)) {
            if (onkotyhja(vanha))
                continue;
            if (sanoja(vanha, {}) == nick) {
                korvattu = true;
                continue;
            }
            r += vanha + "\n";
        }
        tiedostot["players.txt"] = r + rivi + "\n\n";
        return out + "File players.txt updated: Player " + nick +
               (korvattu ? " updated." : " added.") + "\n";
    }
};

// Side files read and written through counters.
struct Laskettu {
    Muistissa m;
    std::map<std::string, int> luettu, kirjoitettu;
    std::map<std::string, OmaTiedosto> tilat; // files that read otherwise than from `m`
    Sivutiedostot liitos() {
        return {"players.txt", "nat.txt",
                [this](const std::string &n) {
                    ++luettu[n];
                    return m.tiedostot[n];
                },
                [this](const std::string &n, const std::string &s) {
                    ++kirjoitettu[n];
                    if (n == m.estetty)
                        return false;
                    m.tiedostot[n] = s;
                    return true;
                },
                [this](const std::string &n) {
                    ++luettu[n];
                    if (auto it = tilat.find(n); it != tilat.end())
                        return it->second;
                    return OmaTiedosto{Luku::Luettu, m.tiedostot[n]};
                }};
    }
};

} // namespace

TEST(Rekisterointikierros, OnePassGivesWhatALineByLineRewriteGives) {
    std::mt19937 g(7);
    const std::vector<std::string> nickit = {"ann", "bob", "cid", "dan", "eve", "fay", "gus"};
    const std::vector<std::string> maat = {"FIN", "SWE", "NOR", "EST", "GREAT_BRITAIN"};
    auto valitse = [&](const std::vector<std::string> &v) { return v[g() % v.size()]; };
    for (int kierros = 0; kierros < 300; ++kierros) {
        // Side files as others may have left them: stray words, groups repeated or empty, one
        // name in several groups, blank lines and several lines of one nick.
        std::string nat = g() % 3 == 0 ? "stray " : "";
        for (int r = static_cast<int>(g() % 6); r > 0; --r) {
            nat += ":" + valitse(maat);
            for (int j = static_cast<int>(g() % 4); j > 0; --j)
                nat += (g() % 2 ? " " : "\n") + valitse(nickit) + (g() % 2 ? "" : "_x");
            nat += g() % 2 ? "\n" : " ";
        }
        std::string pelaajat;
        for (int r = static_cast<int>(g() % 5); r > 0; --r)
            pelaajat += (g() % 3 == 0 ? "\n  \n" : "") + std::string("<") + valitse(nickit) +
                        "> register old\n";
        Suoraan suoraan;
        suoraan.tiedostot = {{"nat.txt", nat}, {"players.txt", pelaajat}};
        Laskettu laskettu;
        laskettu.m.tiedostot = suoraan.tiedostot;

        Level l1 = testi::level("Race", {ajo("ann", "1:00,00"), ajo("bob", "1:01,00")});
        Level l2 = l1;
        std::string loki, odotettu;
        for (int r = static_cast<int>(g() % 12); r > 0; --r) {
            const std::string nick = valitse(nickit);
            const bool x = g() % 2;
            const std::string maa = g() % 4 == 0 ? "" : valitse(maat);
            const std::string rivi = "[20:0" + std::to_string(r % 10) + "] <" + nick +
                                     "> register " + nick + (x ? " x" : "") + " [T]" +
                                     (maa.empty() ? "" : " (" + maa + ")");
            loki += rivi + "\n";
            if (l2.rekisteroi(nick, nick + (x ? " x" : "") + " [T]"))
                odotettu += "Player " + nick + " registered.\n";
            odotettu += suoraan.rekisteroi(rivi, nick, nick + (x ? "_x" : ""), maa);
        }
        std::istringstream in(loki);
        std::ostringstream out;
        lueRekisteroinnit(l1, in, false, {}, laskettu.liitos(), out);
        ASSERT_EQ(out.str(), odotettu) << "files:\n" << nat << "--\n" << pelaajat << "--\n" << loki;
        ASSERT_EQ(laskettu.m.tiedostot["nat.txt"], suoraan.tiedostot["nat.txt"]) << nat << loki;
        ASSERT_EQ(laskettu.m.tiedostot["players.txt"], suoraan.tiedostot["players.txt"])
            << pelaajat << loki;
        // One pass reads and writes each file at most once.
        EXPECT_LE(laskettu.luettu["nat.txt"], 1);
        EXPECT_LE(laskettu.kirjoitettu["nat.txt"], 1);
        EXPECT_LE(laskettu.luettu["players.txt"], 1);
        EXPECT_LE(laskettu.kirjoitettu["players.txt"], 1);
    }
}

TEST(Rekisterointikierros, ThePlayersFileReadInThePassShowsThePassesRegistrations) {
    Level l = testi::level("Race", {ajo("ann", "1:00,00"), ajo("bob", "1:01,00")});
    Laskettu s;
    s.m.tiedostot["players.txt"] = "<ann> register Ann (fin)\n";
    std::vector<Nickit> nickit;
    Rekisterointikierros k(s.liitos(), nickit);
    std::istringstream loki("<bob> register Bob (swe)\n<ann> register Annie\n");
    k.lue(l, loki, false);
    k.ulos() << "Player bob has uploaded a rec.\n";
    k.luePelaajatiedosto(l);
    std::ostringstream out;
    k.paata(out);
    EXPECT_EQ(out.str(), "Player bob registered.\n"
                         "File nat.txt updated: Player bob added.\n"
                         "File players.txt updated: Player bob added.\n"
                         "Player ann registered.\n"
                         "File players.txt updated: Player ann updated.\n"
                         "Player bob has uploaded a rec.\n");
    EXPECT_EQ(s.m.tiedostot["players.txt"], "<bob> register Bob (swe)\n<ann> register Annie\n\n");
    EXPECT_EQ(s.m.tiedostot["nat.txt"], ":SWE Bob\n");
    EXPECT_EQ(ajoNimella(l, "ann").rekisteroityNimi, "Annie");
    EXPECT_EQ(s.luettu["players.txt"], 1);
    EXPECT_EQ(s.kirjoitettu["players.txt"], 1);
    EXPECT_EQ(s.kirjoitettu["nat.txt"], 1);
}

TEST(Rekisterointikierros, FailedWritesAreToldInPlaceOfEveryUpdate) {
    Level l = testi::level("Race", {ajo("bob", "1:00,00")});
    Laskettu s;
    s.m.estetty = "nat.txt";
    std::istringstream in("<bob> register Bob (fin)\n<ann> register Ann (swe)\n");
    std::ostringstream out;
    lueRekisteroinnit(l, in, false, {}, s.liitos(), out);
    EXPECT_EQ(out.str(), "Player bob registered.\n"
                         "Saving file nat.txt failed. \n"
                         "File players.txt updated: Player bob added.\n"
                         "Saving file nat.txt failed. \n"
                         "File players.txt updated: Player ann added.\n");
    EXPECT_EQ(s.m.tiedostot["nat.txt"], "");
    EXPECT_EQ(s.kirjoitettu["nat.txt"], 1);
}

TEST(Rekisterointikierros, AFileThereButUnreadableIsLeftAlone) {
    Level l = testi::level("Race", {ajo("bob", "1:00,00")});
    Laskettu s;
    s.tilat["nat.txt"] = OmaTiedosto{Luku::EiLuettavissa, ""};
    s.tilat["players.txt"] = OmaTiedosto{Luku::EiTavallinen, ""};
    std::istringstream in("<bob> register Bob (fin)\n<ann> register Ann (swe)\n");
    std::ostringstream out;
    lueRekisteroinnit(l, in, false, {}, s.liitos(), out);
    // Said once each; nothing is written, nothing claimed updated.
    EXPECT_EQ(out.str(), "Player bob registered.\n"
                         "Can't read file nat.txt\n"
                         "players.txt is not a regular file\n");
    EXPECT_TRUE(s.kirjoitettu.empty());
    EXPECT_TRUE(ajoNimella(l, "bob").rekisteroity);
    // A missing file is another matter: it is created.
    s.tilat["nat.txt"] = OmaTiedosto{Luku::Puuttuu, ""};
    std::istringstream in2("<bob> register Bob (fin)\n");
    std::ostringstream out2;
    lueRekisteroinnit(l, in2, false, {}, s.liitos(), out2);
    EXPECT_EQ(out2.str(),
              "File nat.txt updated: Player bob added.\nplayers.txt is not a regular file\n");
    EXPECT_EQ(s.m.tiedostot["nat.txt"], ":FIN Bob\n");
}

TEST(Rekisteroinnit, ANationalityOfTwoWordsStaysOneGroup) {
    Level l = testi::level("Race", {ajo("ann", "1:00,00")});
    Muistissa m;
    EXPECT_EQ(rekisteroi(l, "<ann> !register Ann (great britain)\n", m),
              "Player ann registered.\n"
              "File nat.txt updated: Player ann added.\n"
              "File players.txt updated: Player ann added.\n");
    EXPECT_EQ(m.tiedostot["nat.txt"], ":GREAT_BRITAIN Ann\n");
    // Registering again reads the group back as it was written: nothing to move.
    EXPECT_EQ(rekisteroi(l, "<ann> !register Ann (Great\tBritain)\n", m),
              "File players.txt updated: Player ann updated.\n");
    EXPECT_EQ(m.tiedostot["nat.txt"], ":GREAT_BRITAIN Ann\n");
}

TEST(Rekisteroinnit, LinesWithoutASpeakerOrWithoutAWordOfANameAreSkipped) {
    Level l = testi::level("Race", {ajo("bob", "1:00,00")});
    Muistissa m;
    m.tiedostot["players.txt"] = "20:00 x> register X\n";
    EXPECT_EQ(
        rekisteroi(l, "20:01 bob> !register Bob (fin)\n<> register Y\n20:02 ann> register A\n", m),
        "");
    EXPECT_EQ(m.tiedostot["players.txt"], "20:00 x> register X\n");
    EXPECT_EQ(m.tiedostot.count("nat.txt"), 0u);
    EXPECT_FALSE(ajoNimella(l, "bob").rekisteroity);
    // Registered, but no name the nationalities file could hold: only the players file.
    EXPECT_EQ(rekisteroi(l, "<bob> register [Team] (fin)\n<cid> register :SWE (fin)\n", m),
              "Player bob registered.\n"
              "File players.txt updated: Player bob added.\n"
              "File players.txt updated: Player cid added.\n");
    EXPECT_EQ(m.tiedostot.count("nat.txt"), 0u);
    EXPECT_EQ(m.tiedostot["players.txt"], "20:00 x> register X\n<bob> register [Team] (fin)\n"
                                          "<cid> register :SWE (fin)\n\n");
}
