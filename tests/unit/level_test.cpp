#include "model/jarjesta.h"
#include "model/level.h"
#include "testiapu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

using namespace vt;
using testi::ajo;

TEST(Jarjesta, ExchangeRulesDecideEqualKeys) {
    // (key, id): "j better than i" keeps no order guarantee of its own; pin both rules.
    std::vector<std::pair<int, int>> v = {{2, 0}, {1, 1}, {2, 2}, {1, 3}};
    auto tiukka = v;
    vaihtojarjesta(tiukka, [](auto &i, auto &j) { return j.first < i.first; });
    EXPECT_EQ(tiukka, (std::vector<std::pair<int, int>>{{1, 1}, {1, 3}, {2, 2}, {2, 0}}));
    auto eiParempi = v;
    vaihtojarjesta(eiParempi, [](auto &i, auto &j) { return !(i.first < j.first); });
    EXPECT_EQ(eiParempi, (std::vector<std::pair<int, int>>{{1, 3}, {1, 1}, {2, 2}, {2, 0}}));
}

TEST(LevelinAvain, UpperCasedFirstThirtyBytesTrimmed) {
    EXPECT_EQ(levelinAvain("Warm Up"), "WARM UP");
    EXPECT_EQ(levelinAvain("  warm up\t"), "WARM UP");
    EXPECT_EQ(levelinAvain("abcdefghijklmnopqrstuvwxyz0123X"), "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
    // Cut first, trimmed after: blanks that end the thirty bytes go, and leading blanks count.
    EXPECT_EQ(levelinAvain("abcdefghijklmnopqrstuvwxyz012 X"), "ABCDEFGHIJKLMNOPQRSTUVWXYZ012");
    EXPECT_EQ(levelinAvain("  abcdefghijklmnopqrstuvwxyz0123"), "ABCDEFGHIJKLMNOPQRSTUVWXYZ01");
    EXPECT_EQ(levelinAvain("\xe4ij\xe4"), "\xe4IJ\xe4"); // only ASCII letters change
    EXPECT_EQ(levelinAvain(""), "");
}

TEST(Level, AddingDropsDuplicatesAndKeepsTheOldRun) {
    Level l("L");
    l.lisaaAjo(ajo("A", "1:00,00", false));
    l.lisaaAjo(ajo("A", "1:00,00", true));
    ASSERT_EQ(l.annaAjojenLkm(), 1u);
    EXPECT_FALSE(l.ajot()[0].uusi);
    l.lisaaAjo(ajo("a", "1:00,00"));
    EXPECT_EQ(l.annaAjojenLkm(), 2u);
}

TEST(Level, AddingManyRunsKeepsTheFirstOfEachNameAndTimeInOrder) {
    // The plain rule as the oracle: a run is added when no run of the level has its name
    // and all four fields of its time.
    std::mt19937 g(3);
    auto sama = [](const Ajo &a, const Ajo &b) {
        return a.nimi == b.nimi && a.aika.minuutit == b.aika.minuutit &&
               a.aika.sekunnit == b.aika.sekunnit && a.aika.sadasosat == b.aika.sadasosat &&
               a.aika.omenat == b.aika.omenat;
    };
    for (int kierros = 0; kierros < 20; ++kierros) {
        std::vector<Ajo> vanhat, uudet;
        for (auto *v : {&vanhat, &uudet})
            for (std::size_t i = g() % 60; i > 0; --i) {
                Ajo a;
                a.nimi = std::string(1, static_cast<char>('A' + g() % 4));
                a.aika.sekunnit = g() % 3;
                a.aika.sadasosat = g() % 2;
                a.aika.omenat = g() % 3 == 0 ? 1 : 0; // apples alone tell two runs apart
                a.uusi = v == &uudet;
                v->push_back(a);
            }
        Level l("L");
        l.lisaaAjot(vanhat);
        l.lisaaAjot(uudet);
        std::vector<Ajo> odotettu;
        for (auto *v : {&vanhat, &uudet})
            for (const Ajo &a : *v)
                if (std::none_of(odotettu.begin(), odotettu.end(),
                                 [&](const Ajo &b) { return sama(a, b); }))
                    odotettu.push_back(a);
        ASSERT_EQ(l.annaAjojenLkm(), odotettu.size()) << kierros;
        for (std::size_t i = 0; i < odotettu.size(); ++i) {
            EXPECT_TRUE(sama(l.ajot()[i], odotettu[i])) << kierros << " " << i;
            EXPECT_EQ(l.ajot()[i].uusi, odotettu[i].uusi) << kierros << " " << i;
        }
    }
}

TEST(Level, RenameRemovesDuplicatesOfTheNewName) {
    Level l = testi::level(
        "L", {ajo("A", "1:00,00"), ajo("B", "1:00,00"), ajo("A", "0:50,00"), ajo("B", "0:40,00")});
    l.vaihdaPelaajanNimi("A", "B");
    ASSERT_EQ(l.annaAjojenLkm(), 3u);
    EXPECT_EQ(l.ajot()[0].aika, Aika("1:00,00"));
    EXPECT_EQ(l.ajot()[1].aika, Aika("0:50,00"));
    EXPECT_EQ(l.ajot()[2].aika, Aika("0:40,00"));
    for (const Ajo &a : l.ajot())
        EXPECT_EQ(a.nimi, "B");
    l.poistaPelaaja("B");
    EXPECT_EQ(l.annaAjojenLkm(), 0u);
}

TEST(Level, RemoveRunByIndex) {
    Level l = testi::level("L", {ajo("A", "1:05,07"), ajo("B", "0:59,00")});
    EXPECT_EQ(l.poistaAjo(2), "");
    EXPECT_EQ(l.annaAjojenLkm(), 2u);
    EXPECT_EQ(l.poistaAjo(0), "     1:05,07 A");
    EXPECT_EQ(l.annaAjojenLkm(), 1u);
    std::ostringstream out;
    l.tulostaAjotjaNumerot(out);
    EXPECT_EQ(out.str(), " 1:      0:59,00 B\n");
}

TEST(Level, BestTimes) {
    Level l = testi::level("L", {ajo("A, B", "0:40,00"), ajo("C", "0:50,00"), ajo("D", "0:45,00"),
                                 ajo("E", "0:45,00")});
    EXPECT_EQ(l.parasAika(), Aika("0:40,00"));
    EXPECT_EQ(l.parasAika(false), Aika("0:45,00"));
    EXPECT_EQ(l.parasAika(true), Aika("0:40,00"));
    EXPECT_TRUE(Level("x").parasAika().nolla());
    EXPECT_TRUE(testi::level("y", {ajo("C", "0:50,00")}).parasAika(true).nolla());
    Level omenat = testi::level("z", {ajo("A", "3"), ajo("B", "5")});
    EXPECT_EQ(omenat.parasAika(), Aika("5"));
}

TEST(Level, RankedRunsOnePerPlayer) {
    Level l = testi::level("L", {ajo("A", "1:00,00"), ajo("B", "0:59,00"), ajo("A", "0:58,00")});
    l.lisaaAjo(ajo("C", "0:59,00"));
    std::vector<Ajo> r;
    l.annaAjotJarjestyksessa(r);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].nimi, "A");
    EXPECT_EQ(r[0].aika, Aika("0:58,00"));
    // Equal results end in the reverse of their insertion order.
    EXPECT_EQ(r[1].nimi, "C");
    EXPECT_EQ(r[2].nimi, "B");
}

TEST(Level, KeepOnlyTheLastRunOfEachName) {
    Level l = testi::level("L", {ajo("A", "1:00,00"), ajo("B", "1:00,00"), ajo("A", "2:00,00")});
    l.poistaTurhatAjot();
    ASSERT_EQ(l.annaAjojenLkm(), 2u);
    EXPECT_EQ(l.ajot()[0].nimi, "B");
    EXPECT_EQ(l.ajot()[1].aika, Aika("2:00,00"));
}

TEST(Level, EventSeriesMarks) {
    Level l = testi::level("L", {ajo("A", "1:00,00"), ajo("A", "1:01,00")});
    EXPECT_TRUE(l.uploaded("A", "a1.rec"));
    EXPECT_FALSE(l.uploaded("A", "a2.rec"));
    EXPECT_EQ(l.ajot()[0].recit, (std::vector<std::string>{"a1.rec", "a2.rec"}));
    EXPECT_TRUE(l.rekisteroi("A", "A FI"));
    EXPECT_FALSE(l.rekisteroi("A", "A FI"));
    EXPECT_EQ(l.ajot()[1].rekisteroityNimi, "A FI");
    Aika t("1:01,00");
    EXPECT_TRUE(l.tarkistettu("A", t));
    EXPECT_FALSE(l.tarkistettu("A", t));
    EXPECT_FALSE(l.ajot()[0].tarkistettu);
    EXPECT_TRUE(l.accept("A", t));
    EXPECT_FALSE(l.accept("A", t));
    EXPECT_FALSE(l.accept("B", t));
}

TEST(Level, MergeAndNames) {
    Level a = testi::level("A", {ajo("X", "1:00,00")});
    Level b = testi::level("B", {ajo("X", "1:00,00"), ajo("Y", "1:00,00")});
    a.yhdista(b);
    EXPECT_EQ(a.annaAjojenLkm(), 2u);
    Pelaaja p;
    p.nimi = " bob [T1] x";
    EXPECT_EQ(p.pelkkaNimi(), "bob");
    p.nimi = "bob";
    EXPECT_EQ(p.pelkkaNimi(), "bob");
    std::string t;
    EXPECT_TRUE(tiiminNimi("bob[ T ]", t));
    EXPECT_EQ(t, " T ");
    EXPECT_FALSE(tiiminNimi("bob]x[", t));
    EXPECT_FALSE(tiiminNimi("bob", t));
}

TEST(YksiAjoPerNimi, TheLastBestRunOfEachNameAsTheTwoStepsLeaveIt) {
    std::mt19937 g(3);
    for (int kierros = 0; kierros < 2000; ++kierros) {
        std::vector<vt::Ajo> ajot(g() % 30);
        for (vt::Ajo &a : ajot) {
            // Short names and names too long to be held in place.
            a.nimi = std::string(kierros % 2 == 0 ? 1 : 20, static_cast<char>('a' + g() % 5));
            if (g() % 5 == 0)
                a.aika.omenat = 1 + g() % 3;
            else
                a.aika.sekunnit = 1 + g() % 4;
            a.pisteet = static_cast<std::uint32_t>(g());
            // Now and then a result that is neither, which compares as equal to every time.
            if (kierros % 50 == 0 && g() % 10 == 0)
                a.aika = vt::Aika();
        }
        std::vector<vt::Ajo> odotettu = ajot;
        vt::yksiAjoPerNimiSuoraan(odotettu);
        // The same runs left whether the list holds the runs, pointers to them, or runs
        // under names of their own.
        const std::vector<vt::Ajo> alussa = ajot;
        std::vector<const vt::Ajo *> osoittimet;
        std::vector<vt::NimettyAjo> nimetyt;
        for (const vt::Ajo &a : alussa) {
            osoittimet.push_back(&a);
            nimetyt.push_back({a.nimi + "!", &a});
        }
        vt::yksiAjoPerNimi(osoittimet);
        vt::yksiAjoPerNimi(nimetyt);
        vt::yksiAjoPerNimi(ajot);
        ASSERT_EQ(ajot.size(), odotettu.size()) << kierros;
        ASSERT_EQ(osoittimet.size(), odotettu.size()) << kierros;
        ASSERT_EQ(nimetyt.size(), odotettu.size()) << kierros;
        for (size_t i = 0; i < ajot.size(); ++i) {
            EXPECT_EQ(ajot[i].nimi, odotettu[i].nimi);
            EXPECT_EQ(ajot[i].pisteet, odotettu[i].pisteet);
            EXPECT_EQ(osoittimet[i]->pisteet, odotettu[i].pisteet);
            EXPECT_EQ(nimetyt[i].ajo->pisteet, odotettu[i].pisteet);
            EXPECT_EQ(nimetyt[i].nimi, odotettu[i].nimi + "!");
        }
    }
}

namespace {

// The level operations as written, on a plain list of runs: the oracle of the indexed ones.
struct SuoraLevel {
    std::vector<Ajo> ajot;

    static bool sama(const Ajo &a, const Ajo &b) { return a.nimi == b.nimi && a.aika == b.aika; }
    void lisaa(const Ajo &a) {
        for (const Ajo &b : ajot)
            if (sama(a, b))
                return;
        ajot.push_back(a);
    }
    void nimea(const std::string &vanha, const std::string &uusi) {
        for (Ajo &a : ajot)
            if (a.nimi == vanha)
                a.nimi = uusi;
        for (size_t i = 0; i < ajot.size(); ++i) {
            if (ajot[i].nimi != uusi)
                continue;
            for (size_t j = i + 1; j < ajot.size();)
                if (ajot[j].nimi == uusi && ajot[j].aika == ajot[i].aika)
                    ajot.erase(ajot.begin() + static_cast<long>(j));
                else
                    ++j;
        }
    }
    void poistaTurhat() {
        for (size_t i = 0; i < ajot.size();) {
            bool myohempi = false;
            for (size_t j = i + 1; j < ajot.size(); ++j)
                myohempi = myohempi || ajot[j].nimi == ajot[i].nimi;
            if (myohempi)
                ajot.erase(ajot.begin() + static_cast<long>(i));
            else
                ++i;
        }
    }
};

void samatAjot(const Level &l, const SuoraLevel &s, int kierros, int askel) {
    ASSERT_EQ(l.annaAjojenLkm(), s.ajot.size()) << kierros << "/" << askel;
    for (size_t i = 0; i < s.ajot.size(); ++i) {
        EXPECT_EQ(l.ajot()[i].nimi, s.ajot[i].nimi) << kierros << "/" << askel << " " << i;
        EXPECT_EQ(l.ajot()[i].aika, s.ajot[i].aika) << kierros << "/" << askel << " " << i;
        EXPECT_EQ(l.ajot()[i].uusi, s.ajot[i].uusi) << kierros << "/" << askel << " " << i;
    }
}

Ajo satunnainenAjo(std::mt19937 &g) {
    Ajo a;
    a.nimi = std::string(1, static_cast<char>('A' + g() % 5));
    a.aika.sekunnit = g() % 4;
    a.aika.sadasosat = g() % 2;
    a.aika.omenat = g() % 4 == 0 ? 1 : 0;
    a.uusi = g() % 2 == 0;
    return a;
}

} // namespace

TEST(Level, EveryChangeAgreesWithTheOperationsAsWritten) {
    // Adding, merging, renaming and every way of removing runs, mixed at random: the runs
    // found by the index must be those the plain passes find, and every change must keep it.
    std::mt19937 g(11);
    for (int kierros = 0; kierros < 300; ++kierros) {
        Level l("L");
        SuoraLevel s;
        for (int askel = 0; askel < 60; ++askel) {
            switch (g() % 8) {
            case 0:
            case 1: {
                const Ajo a = satunnainenAjo(g);
                EXPECT_EQ(l.onkoJoTamaAjo(a),
                          std::any_of(s.ajot.begin(), s.ajot.end(),
                                      [&](const Ajo &b) { return SuoraLevel::sama(a, b); }));
                l.lisaaAjo(a);
                s.lisaa(a);
                break;
            }
            case 2: {
                std::vector<Ajo> v(g() % 12);
                for (Ajo &a : v)
                    a = satunnainenAjo(g);
                Level toinen("M");
                for (const Ajo &a : v)
                    toinen.lisaaAjo(a);
                if (g() % 2 == 0) {
                    l.lisaaAjot(v);
                    for (const Ajo &a : v)
                        s.lisaa(a);
                } else {
                    l.yhdista(toinen);
                    for (const Ajo &a : toinen.ajot())
                        s.lisaa(a);
                }
                break;
            }
            case 3: {
                const std::string vanha(1, static_cast<char>('A' + g() % 5));
                const std::string uusi(1, static_cast<char>('A' + g() % 5));
                l.vaihdaPelaajanNimi(vanha, uusi);
                s.nimea(vanha, uusi);
                break;
            }
            case 4: {
                const std::string nimi(1, static_cast<char>('A' + g() % 5));
                l.poistaPelaaja(nimi);
                std::erase_if(s.ajot, [&](const Ajo &a) { return a.nimi == nimi; });
                break;
            }
            case 5: {
                const unsigned i = static_cast<unsigned>(g() % (s.ajot.size() + 2));
                const std::string t = l.poistaAjo(i);
                if (i < s.ajot.size()) {
                    EXPECT_EQ(t, s.ajot[i].aika.str() + " " + s.ajot[i].nimi);
                    s.ajot.erase(s.ajot.begin() + i);
                } else {
                    EXPECT_EQ(t, "");
                }
                break;
            }
            case 6:
                l.poistaTurhatAjot();
                s.poistaTurhat();
                break;
            default: {
                Level kopio = l; // a copy keeps an index of its own
                SuoraLevel t = s;
                const Ajo a = satunnainenAjo(g);
                kopio.lisaaAjo(a);
                t.lisaa(a);
                samatAjot(kopio, t, kierros, askel);
                l.yhdista(l); // with itself: nothing new
                break;
            }
            }
            samatAjot(l, s, kierros, askel);
            if (HasFailure())
                return;
        }
    }
}

TEST(Level, ManyRunsOfOneNameRenamedAndMergedKeepTheFirstOfEachTime) {
    // Larger than the random rounds: a rename onto a player with many runs of his own.
    Level l("L");
    SuoraLevel s;
    for (unsigned i = 0; i < 3000; ++i) {
        Ajo a;
        a.nimi = i % 2 ? "A" : "B";
        a.aika.minuutit = i / 2 % 1000;
        l.lisaaAjo(a);
        s.lisaa(a);
    }
    ASSERT_EQ(l.annaAjojenLkm(), 2000u);
    l.vaihdaPelaajanNimi("A", "B");
    s.nimea("A", "B");
    samatAjot(l, s, 0, 0);
    EXPECT_EQ(l.annaAjojenLkm(), 1000u);
    Ajo b;
    b.nimi = "B";
    b.aika.minuutit = 999;
    EXPECT_TRUE(l.onkoJoTamaAjo(b));
    b.aika.minuutit = 1000;
    EXPECT_FALSE(l.onkoJoTamaAjo(b));
}

namespace {

// The event-series marks as written: every run of the name, or of the name and time.
struct SuoratMerkit {
    static bool uploaded(std::vector<Ajo> &ajot, const std::string &nimi, const std::string &rec) {
        bool uutta = false;
        for (Ajo &a : ajot)
            if (a.nimi == nimi) {
                uutta = uutta || !a.ladattu;
                a.ladattu = true;
                a.recit.push_back(rec);
            }
        return uutta;
    }
    static bool rekisteroi(std::vector<Ajo> &ajot, const std::string &nimi,
                           const std::string &teksti) {
        bool uutta = false;
        for (Ajo &a : ajot)
            if (a.nimi == nimi) {
                uutta = uutta || !a.rekisteroity;
                a.rekisteroity = true;
                a.rekisteroityNimi = teksti;
            }
        return uutta;
    }
    static bool merkitse(std::vector<Ajo> &ajot, const std::string &nimi, const Aika &aika,
                         bool Ajo::*merkki) {
        bool uutta = false;
        for (Ajo &a : ajot)
            if (a.nimi == nimi && a.aika == aika) {
                uutta = uutta || !(a.*merkki);
                a.*merkki = true;
            }
        return uutta;
    }
};

void samatMerkit(const Level &l, const SuoraLevel &s, int kierros, int askel) {
    samatAjot(l, s, kierros, askel);
    if (l.annaAjojenLkm() != s.ajot.size())
        return;
    for (size_t i = 0; i < s.ajot.size(); ++i) {
        const Ajo &a = l.ajot()[i];
        const Ajo &b = s.ajot[i];
        EXPECT_EQ(a.ladattu, b.ladattu) << kierros << "/" << askel << " " << i;
        EXPECT_EQ(a.recit, b.recit) << kierros << "/" << askel << " " << i;
        EXPECT_EQ(a.rekisteroity, b.rekisteroity) << kierros << "/" << askel << " " << i;
        EXPECT_EQ(a.rekisteroityNimi, b.rekisteroityNimi) << kierros << "/" << askel << " " << i;
        EXPECT_EQ(a.tarkistettu, b.tarkistettu) << kierros << "/" << askel << " " << i;
        EXPECT_EQ(a.hyvaksytty, b.hyvaksytty) << kierros << "/" << askel << " " << i;
    }
}

} // namespace

TEST(Level, EventSeriesMarksAgreeWithAPlainScanWhileTheRunsChange) {
    // Marks by name (every run of it) and by name and time, mixed at random with adding,
    // merging, renaming, removing and copying: the runs marked and the answers must be those of
    // a pass over every run, whether the places by name were made before a change or after.
    std::mt19937 g(17);
    int merkkeja = 0, uusiaMerkkeja = 0;
    for (int kierros = 0; kierros < 300; ++kierros) {
        Level l("L");
        SuoraLevel s;
        for (int askel = 0; askel < 80; ++askel) {
            // One name more than the runs use, so that some marks find nobody.
            const std::string nimi(1, static_cast<char>('A' + g() % 6));
            const std::string teksti = std::to_string(kierros) + "." + std::to_string(askel);
            switch (g() % 12) {
            case 0:
            case 1: {
                const Ajo a = satunnainenAjo(g);
                l.lisaaAjo(a);
                s.lisaa(a);
                break;
            }
            case 2: {
                std::vector<Ajo> v(g() % 6);
                for (Ajo &a : v)
                    a = satunnainenAjo(g);
                l.lisaaAjot(v);
                for (const Ajo &a : v)
                    s.lisaa(a);
                break;
            }
            case 3: {
                const std::string uusi(1, static_cast<char>('A' + g() % 5));
                l.vaihdaPelaajanNimi(nimi, uusi);
                s.nimea(nimi, uusi);
                break;
            }
            case 4:
                if (g() % 3 == 0) {
                    l.poistaPelaaja(nimi);
                    std::erase_if(s.ajot, [&](const Ajo &a) { return a.nimi == nimi; });
                } else if (g() % 2 == 0) {
                    const unsigned i = static_cast<unsigned>(g() % (s.ajot.size() + 1));
                    l.poistaAjo(i);
                    if (i < s.ajot.size())
                        s.ajot.erase(s.ajot.begin() + i);
                } else {
                    l.poistaTurhatAjot();
                    s.poistaTurhat();
                }
                break;
            case 5: {
                // Carry on with a copy; the old level is changed first and must not reach it.
                Level kopio = l;
                l.rekisteroi("A", "vanha");
                l.lisaaAjo(satunnainenAjo(g));
                l = kopio;
                break;
            }
            case 6:
            case 7: {
                const bool uutta = l.rekisteroi(nimi, teksti);
                EXPECT_EQ(uutta, SuoratMerkit::rekisteroi(s.ajot, nimi, teksti))
                    << kierros << "/" << askel;
                ++merkkeja;
                uusiaMerkkeja += uutta;
                break;
            }
            case 8:
            case 9: {
                const bool uutta = l.uploaded(nimi, teksti + ".rec");
                EXPECT_EQ(uutta, SuoratMerkit::uploaded(s.ajot, nimi, teksti + ".rec"))
                    << kierros << "/" << askel;
                ++merkkeja;
                uusiaMerkkeja += uutta;
                break;
            }
            default: {
                Aika aika = satunnainenAjo(g).aika;
                const bool hyvaksy = g() % 2 == 0;
                const bool uutta = hyvaksy ? l.accept(nimi, aika) : l.tarkistettu(nimi, aika);
                EXPECT_EQ(uutta,
                          SuoratMerkit::merkitse(s.ajot, nimi, aika,
                                                 hyvaksy ? &Ajo::hyvaksytty : &Ajo::tarkistettu))
                    << kierros << "/" << askel;
                ++merkkeja;
                uusiaMerkkeja += uutta;
                break;
            }
            }
            samatMerkit(l, s, kierros, askel);
            if (HasFailure())
                return;
        }
    }
    // Both answers were seen often.
    EXPECT_GT(uusiaMerkkeja, merkkeja / 10);
    EXPECT_LT(uusiaMerkkeja, merkkeja * 9 / 10);
}

TEST(Level, RegisteringManyPlayersMarksEachOnesRunsOnly) {
    // Many names, some with several runs, registered one by one with runs added between.
    Level l("L");
    SuoraLevel s;
    for (unsigned i = 0; i < 3000; ++i) {
        Ajo a;
        a.nimi = "P" + std::to_string(i % 1000);
        a.aika.sekunnit = i;
        l.lisaaAjo(a);
        s.lisaa(a);
    }
    for (unsigned i = 0; i < 1200; ++i) {
        const std::string nimi = "P" + std::to_string(i);
        const std::string teksti = "Nick" + std::to_string(i) + " [T1]";
        const bool ajoja = i < 1000 || i == 1001 || i == 1101; // two added below
        EXPECT_EQ(l.rekisteroi(nimi, teksti), ajoja) << i;
        EXPECT_EQ(SuoratMerkit::rekisteroi(s.ajot, nimi, teksti), ajoja) << i;
        EXPECT_FALSE(l.rekisteroi(nimi, teksti)) << i;
        if (i % 100 == 0) {
            Ajo a;
            a.nimi = "P" + std::to_string(i + 1);
            a.aika.minuutit = 1;
            l.lisaaAjo(a);
            s.lisaa(a);
        }
    }
    samatMerkit(l, s, 0, 0);
}
