#include "battle/battlet.h"
#include "testiapu.h"
#include "util/teksti.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>

using namespace vt;
using testi::ajo;

namespace {

std::vector<std::string> nimet(const Level &l) {
    std::vector<std::string> r;
    for (const Ajo &a : l.ajot())
        r.push_back(a.nimi + " " + lyhenna(a.aika.str()));
    return r;
}

// One reading pass over `loki` with the typed `vastaukset`; gives the console text.
std::string lue(const std::string &loki, const std::string &vastaukset, std::vector<Level> &levelit,
                const std::string &alias = "") {
    std::istringstream in(vastaukset), lokiVirta(loki), aliasVirta(alias);
    std::ostringstream out;
    Konsoli k(in, out, false);
    std::vector<Nickit> nickit;
    lueNimiTiedosto(aliasVirta, nickit);
    vanhaKellonaika = 0;
    Sarjakisa(k, levelit, true, nickit).lue(lokiVirta);
    return out.str();
}

} // namespace

TEST(BattlenPituus, MinutesOverMidnightWithinTwoToFifty) {
    EXPECT_EQ(battlenPituus("23:50", "00:20"), 30u);
    EXPECT_EQ(battlenPituus("12:00", "13:00"), 0u);
    EXPECT_EQ(battlenPituus("12:00", "12:50"), 50u);
    EXPECT_EQ(battlenPituus("12:00", "12:51"), 0u);
    EXPECT_EQ(battlenPituus("12:00", "12:02"), 2u);
    EXPECT_EQ(battlenPituus("12:00", "12:01"), 0u);
    EXPECT_EQ(battlenPituus("12:00", "12:00"), 0u);
    EXPECT_EQ(battlenPituus("12:00", ""), 0u);
    EXPECT_EQ(battlenPituus("", "12:10"), 0u);
}

TEST(LaskeBattle, LastResultOfEachNickRankedWithEqualsExchanged) {
    std::vector<Level> levelit;
    std::vector<Ajo> ajot = {ajo("A", "1:00,00"), ajo("B", "0:50,00"), ajo("A", "0:40,00"),
                             ajo("C", "1:00,00"), ajo("D", "1:00,00"), ajo("B", "0:55,00")};
    Date d;
    d.lueRivistaPaivamaara("--- Day changed Tue Jan 03 2006");
    laskeBattle(ajot, "Hill", "Jappe", "20:01", "20:10", levelit, true, d);
    ASSERT_EQ(levelit.size(), 1u);
    const Level &l = levelit[0];
    // The later of two equal results stands first.
    EXPECT_EQ(nimet(l),
              (std::vector<std::string>{"A 0:40,00", "B 0:55,00", "D 1:00,00", "C 1:00,00"}));
    EXPECT_EQ(l.annaPitaja(), "Jappe");
    EXPECT_EQ(l.annaPituus(), 9u);
    EXPECT_EQ(l.alkuaika, "20:01");
    EXPECT_EQ(l.paivamaara, "3.1.2006");
    EXPECT_TRUE(l.ajot()[0].uusi);
}

TEST(LaskeBattle, MergedIntoOneOfTheLastTenLevels) {
    std::vector<Level> levelit;
    levelit.push_back(testi::level("Hill", {ajo("A", "1:00,00"), ajo("B", "1:10,00")}));
    levelit[0].asetaPituus(7);
    std::vector<Ajo> ajot = {ajo("A", "0:50,00"), ajo("B", "1:10,00"), ajo("C", "2:00,00")};
    laskeBattle(ajot, "HILL ", "Other", "10:00", "10:20", levelit, false, Date());
    ASSERT_EQ(levelit.size(), 1u);
    // A's new result replaces his old one; B's equal run is already there.
    EXPECT_EQ(nimet(levelit[0]), (std::vector<std::string>{"B 1:10,00", "A 0:50,00", "C 2:00,00"}));
    EXPECT_EQ(levelit[0].annaPituus(), 7u);
    EXPECT_EQ(levelit[0].annaPitaja(), "");

    // Twelve levels: only the last ten are looked at.
    std::vector<Level> monta;
    for (int i = 0; i < 12; ++i)
        monta.emplace_back(i == 1 ? "Old" : std::string("L") + std::to_string(i));
    std::vector<Ajo> yksi = {ajo("A", "0:50,00")};
    laskeBattle(yksi, "old", "", "", "", monta, false, Date());
    EXPECT_EQ(monta.size(), 13u);
    std::vector<Ajo> toinen = {ajo("A", "0:50,00")};
    // Now 13 levels: the window starts at index 3.
    laskeBattle(toinen, "l3", "", "", "", monta, false, Date());
    EXPECT_EQ(monta.size(), 13u);
    EXPECT_EQ(monta[3].annaAjojenLkm(), 1u);
}

TEST(LaskeBattle, MergeLeavesWhatSweepingAfterEachRunLeaves) {
    // The merge as written: the runs the level lacks are added one at a time, and after each
    // every run with a later run of the same name goes. Levels read from stat files may hold
    // a name many times before the first battle is merged into them.
    std::mt19937 g(5);
    for (int kierros = 0; kierros < 500; ++kierros) {
        Level vanha("Hill");
        for (std::size_t i = g() % 10; i > 0; --i) {
            Ajo a = ajo(std::string(1, static_cast<char>('A' + g() % 5)), "1:00,00");
            a.aika.sekunnit = g() % 3;
            vanha.lisaaAjo(a);
        }
        std::vector<Ajo> ajot;
        for (std::size_t i = g() % 8; i > 0; --i) {
            Ajo a = ajo(std::string(1, static_cast<char>('A' + g() % 6)), "1:00,00");
            a.aika.sekunnit = g() % 3;
            ajot.push_back(a);
        }
        // The oracle: each nick's last result, ranked as the merge ranks them.
        std::vector<Level> levelit = {vanha};
        std::vector<Ajo> kopio = ajot;
        laskeBattle(kopio, "hill", "", "", "", levelit, true, Date());
        std::vector<Ajo> odotettu = vanha.ajot();
        for (const Ajo &a : kopio) { // `kopio` is left as the ranked last results
            Ajo r = a;
            r.uusi = true;
            bool oli = false;
            for (const Ajo &b : vanha.ajot())
                oli = oli || (b.nimi == r.nimi && b.aika == r.aika);
            if (oli)
                continue;
            odotettu.push_back(r);
            for (size_t i = 0; i < odotettu.size();) {
                bool myohempi = false;
                for (size_t j = i + 1; j < odotettu.size(); ++j)
                    myohempi = myohempi || odotettu[j].nimi == odotettu[i].nimi;
                if (myohempi)
                    odotettu.erase(odotettu.begin() + static_cast<long>(i));
                else
                    ++i;
            }
        }
        ASSERT_EQ(levelit.size(), 1u);
        const std::vector<Ajo> &saatu = levelit[0].ajot();
        ASSERT_EQ(saatu.size(), odotettu.size()) << kierros;
        for (size_t i = 0; i < saatu.size(); ++i) {
            EXPECT_EQ(saatu[i].nimi, odotettu[i].nimi) << kierros;
            EXPECT_EQ(saatu[i].aika, odotettu[i].aika) << kierros;
            EXPECT_EQ(saatu[i].uusi, odotettu[i].uusi) << kierros;
        }
        // The merged level still finds its runs.
        for (const Ajo &a : odotettu)
            EXPECT_TRUE(levelit[0].onkoJoTamaAjo(a));
        if (HasFailure())
            return;
    }
}

TEST(Naytaajotruudulla, RemoveByNumberAndAddByHand) {
    std::vector<Ajo> ajot = {ajo("Alice", "0:45,12"), ajo("Bob", "0:50,00")};
    std::istringstream in("0\n9\n \n1\nadd 3\nTwelveChars1\n   \n  Cid  \nsoon\n1:05,5\n\n");
    std::ostringstream out;
    Konsoli k(in, out, false);
    naytaajotruudulla(k, ajot);
    ASSERT_EQ(ajot.size(), 2u);
    EXPECT_EQ(ajot[0].nimi, "Bob");
    EXPECT_EQ(ajot[1].nimi, "Cid");
    // Typed digits are read from the right: 1:05,5 is ten seconds and 55 hundredths.
    EXPECT_EQ(ajot[1].aika, Aika("0:10,55"));
    const std::string ohje = "If you want to ignore some of them, write the numbers here. \n"
                             "To add a time, write 'add'. (each player's last score is counted)\n"
                             "At end, push just enter: ";
    const std::string kaksi = " 1:    Alice            0:45,12\n 2:    Bob              0:50,00\n";
    const std::string bob = " 1:    Bob              0:50,00\n";
    EXPECT_EQ(out.str(), "The following times were found from the file: \n" + kaksi + ohje +
                             "Times: \n" + kaksi + ohje + "Times: \n" + kaksi + ohje + "Times: \n" +
                             kaksi + ohje + "Times: \n" + bob + ohje +
                             "Give player's name: Player's name too long. \n"
                             "Give player's name: Give player's name: Give time: Give time: "
                             "Times: \n" +
                             bob + " 2:    Cid              0:10,55\n" + ohje);
}

TEST(Sarjakisa, AutomaticModeStopsAndDesigners) {
    const std::string loki =
        "--- Log opened Mon Jan 02 20:00:00 2006\n"
        "20:01 <Jappe> http://x.org/levels/Hill.lev\n"
        "20:02 <alice> 0:45,12\n"
        "20:03 <bob> STOP\n" // not the designer
        "20:04 <bob> 0:50,00\n"
        "20:05 <alice> 0:44,00\n"      // replaces her earlier result
        "20:09 <Jappe> nice weekend\n" // END inside a word
        "20:10 <carl> 0:30,00\n"       // after the battle
        "23:50 <Sam> http://x.org/levels/Cave.lev by Sam\n"
        "23:51 <carl> 1:00,00\n"
        "23:52 <Sam> http://x.org/levels/Dune.lev\n" // another level: closes and opens
        "00:10 <dave> 2:00,00\n"
        "00:20 <mybot> end\n"
        "00:30 <x> http://x.org/levels/Echo.lev\n"
        "00:31 <dave> 0:10,00\n"
        "00:33 <qumo> stop\n"
        "00:34 <y> www.x.org/Fern.lev\n"
        "00:35 <dave> 0:12,00\n";
    std::vector<Level> levelit;
    const std::string out = lue(loki, "\n", levelit);
    EXPECT_EQ(out, "Give the first level name or press just enter to find \n"
                   "automatically all battles from file: Level name was not given, trying to "
                   "find automatically all battles from file. \n"
                   "Please wait, generating file...\n"
                   "Adding event 1: Hill by Jappe...\n"
                   "Adding event 2: Cave by Sam...\n"
                   "Adding event 3: Dune by Sam...\n"
                   // Still within seven lines of "by Sam": the speaker is not taken.
                   "Adding event 4: Echo by Sam...\n"
                   "Adding event 5: Fern by y...\n");
    ASSERT_EQ(levelit.size(), 5u);
    EXPECT_EQ(nimet(levelit[0]), (std::vector<std::string>{"alice 0:44,00", "bob 0:50,00"}));
    EXPECT_EQ(levelit[0].annaPituus(), 8u);
    EXPECT_EQ(levelit[0].paivamaara, "2.1.2006");
    EXPECT_EQ(nimet(levelit[1]), (std::vector<std::string>{"carl 1:00,00"}));
    EXPECT_EQ(levelit[1].annaPituus(), 2u);
    EXPECT_EQ(nimet(levelit[2]), (std::vector<std::string>{"dave 2:00,00"}));
    // Closed after midnight: 23:52 to 00:20, and the date of the closing line.
    EXPECT_EQ(levelit[2].annaPituus(), 28u);
    EXPECT_EQ(levelit[2].paivamaara, "3.1.2006");
    EXPECT_EQ(nimet(levelit[3]), (std::vector<std::string>{"dave 0:10,00"}));
    // The log's end closes the last battle without an end time.
    EXPECT_EQ(levelit[4].annaPituus(), 0u);
    EXPECT_EQ(levelit[4].alkuaika, "00:34");
}

TEST(Sarjakisa, SecondBattleOnARecentLevelIsMerged) {
    const std::string loki = "<a> http://x/Hill.lev\n<b> 1:00,00\n<a> stop\n"
                             "<a> http://x/Cave.lev\n<b> 1:00,00\n<a> stop\n"
                             "<a> http://x/hill.lev\n<c> 0:59,00\n<a> stop\n";
    std::vector<Level> levelit;
    const std::string out = lue(loki, "\n", levelit);
    EXPECT_NE(out.find("Adding event 2: Cave by a...\nAdding event 3: hill by a...wasn't added\n"),
              std::string::npos);
    ASSERT_EQ(levelit.size(), 2u);
    EXPECT_EQ(nimet(levelit[0]), (std::vector<std::string>{"b 1:00,00", "c 0:59,00"}));
}

TEST(Sarjakisa, InteractiveModeAsksReviewsAndSearchesAgain) {
    const std::string loki = "<a> http://x/Hill.lev\n<b> 1:00,00\n<c> 1:10,00\n<a> stop\n"
                             "<a> http://x/Cave.lev\n<b> 2:00,00\n<a> stop\n";
    std::vector<Level> levelit;
    // Cave first, then Nope (not in the log), then Hill with b's run removed.
    const std::string out = lue(loki, "cave\n\nNope\nhill\n1\n\n\n", levelit);
    ASSERT_EQ(levelit.size(), 2u);
    EXPECT_EQ(levelit[0].annaNimi(), "Cave");
    EXPECT_EQ(nimet(levelit[1]), (std::vector<std::string>{"c 1:10,00"}));
    const std::string ohje = "If you want to ignore some of them, write the numbers here. \n"
                             "To add a time, write 'add'. (each player's last score is counted)\n"
                             "At end, push just enter: ";
    EXPECT_EQ(out, "Give the first level name or press just enter to find \n"
                   "automatically all battles from file: "
                   "Adding event 1: Cave by a...\n"
                   "The following times were found from the file: \n"
                   " 1:    b                2:00,00\n" +
                       ohje +
                       "\nGive the 2. level name or press only enter to quit: "
                       "The level file you asked was not found from the file.\n"
                       "Give the 2. level name or press only enter to quit: "
                       "Adding event 2: Hill by a...\n"
                       "The following times were found from the file: \n"
                       " 1:    b                1:00,00\n"
                       " 2:    c                1:10,00\n" +
                       ohje + "Times: \n" + " 1:    c                1:10,00\n" + ohje +
                       "\nGive the 3. level name or press only enter to quit: ");
}

TEST(Sarjakisa, AliasesAndByLinesNameTheDesigner) {
    const std::string loki = "<bot> next one by jappe_\n"
                             "<bot> http://x/Hill.lev\n"
                             "<JAPPEli> 1:00,00\n"
                             "<bob> 1:10,00\n"
                             "<jappe> stop\n";
    std::vector<Level> levelit;
    const std::string out = lue(loki, "\n", levelit, "jappe Jarmo\n");
    EXPECT_NE(out.find("Adding event 1: Hill by Jarmo...\n"), std::string::npos);
    ASSERT_EQ(levelit.size(), 1u);
    EXPECT_EQ(nimet(levelit[0]), (std::vector<std::string>{"Jarmo 1:00,00", "bob 1:10,00"}));
}
