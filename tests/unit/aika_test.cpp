#include "model/aika.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace vt;

namespace {
Aika sana(const std::string &t) {
    Aika a;
    a.etsiaika(t, true, false);
    return a;
}
Aika teko(std::uint64_t m, unsigned s, unsigned h, unsigned o = 0) {
    Aika a;
    a.minuutit = m;
    a.sekunnit = s;
    a.sadasosat = h;
    a.omenat = o;
    return a;
}
} // namespace

TEST(Etsiaika, DigitCounts) {
    EXPECT_EQ(sana("1,23"), teko(0, 1, 23));
    EXPECT_EQ(sana("75,00"), teko(1, 15, 0));
    EXPECT_EQ(sana("1:23,45"), teko(1, 23, 45));
    EXPECT_EQ(sana("10:00:00"), teko(10, 0, 0));
    EXPECT_EQ(sana("1:23:45"), teko(1, 23, 45));
    EXPECT_EQ(sana("99:99,99"), teko(100, 39, 99));
    Aika a;
    EXPECT_FALSE(a.etsiaika("1:02:03,45", true, false));
    EXPECT_TRUE(a.nolla());
    EXPECT_FALSE(a.etsiaika("12", true, false) && a.onAika());
    EXPECT_FALSE(Aika().etsiaika("0:00,00", true, false));
}

TEST(Etsiaika, Surroundings) {
    EXPECT_TRUE(sana("(1:23,45)").nolla());
    EXPECT_TRUE(sana("1:23,45x").nolla());
    EXPECT_EQ(sana("x1:23,45"), teko(1, 23, 45)); // the first character is not examined
    EXPECT_TRUE(sana("xy1:23,45").nolla());
    EXPECT_TRUE(sana("").nolla());
    EXPECT_TRUE(sana("1:2345678901234").nolla());
    EXPECT_EQ(sana("   1:05,07   Name"), teko(1, 5, 7));
    Aika viimeinen;
    EXPECT_TRUE(viimeinen.etsiaika("Name 0:14,50", true, true));
    EXPECT_EQ(viimeinen, teko(0, 14, 50));
}

TEST(Etsiaika, Apples) {
    EXPECT_EQ(sana("7"), teko(0, 0, 0, 7));
    EXPECT_EQ(sana("50"), teko(0, 0, 0, 50));
    EXPECT_EQ(sana("1"), teko(0, 0, 0, 1));
    EXPECT_TRUE(sana("0").nolla());
    EXPECT_TRUE(sana("51").nolla());
    EXPECT_TRUE(sana("7a").nolla());
    Aika rivi;
    EXPECT_FALSE(rivi.etsiaika("7 apples", false, false));
}

TEST(Etsiaika, LineMode) {
    Aika a;
    EXPECT_TRUE(a.etsiaika("[12:00] <nick> 1:23,45", false, false));
    EXPECT_EQ(a, teko(1, 23, 45));
    Aika b;
    EXPECT_FALSE(b.etsiaika("[12:00] <nick> my time 1:23,45", false, false));
    Aika c;
    EXPECT_FALSE(c.etsiaika("nick 1:23,45", false, false));
    Aika d;
    EXPECT_TRUE(d.etsiaika("<nick> 12", false, false));
    EXPECT_EQ(d, teko(0, 0, 0, 12));
}

TEST(AikaTeksti, Forms) {
    EXPECT_EQ(teko(1, 5, 7).str(), "     1:05,07");
    EXPECT_EQ(teko(0, 0, 50).str(), "     0:00,50");
    EXPECT_EQ(teko(61, 2, 0).str(), "  1:01:02,00");
    EXPECT_EQ(teko(0, 0, 0, 1).str(), "     1 apple");
    EXPECT_EQ(teko(0, 0, 0, 5).str(), "    5 apples");
    EXPECT_EQ(teko(0, 0, 0, 12).str(), "   12 apples");
    EXPECT_EQ(Aika().str(), "            ");
    EXPECT_EQ(teko(6000, 0, 0).str(), "100:00:00,00");
    EXPECT_EQ((teko(0, 59, 99) + teko(0, 0, 1)).str(), "     1:00,00");
    EXPECT_EQ((teko(59, 59, 99) + teko(0, 0, 1)).str(), "  1:00:00,00");
    EXPECT_EQ((teko(0, 0, 0, 3) + teko(0, 0, 0, 4)), teko(0, 0, 0, 7));
}

TEST(AikaTeksti, Lead) {
    EXPECT_EQ(teko(1, 5, 7) - teko(1, 4, 99), "+0:00,08");
    EXPECT_EQ(teko(1, 4, 99) - teko(1, 5, 7), "        ");
    EXPECT_EQ(teko(1, 0, 0) - teko(0, 59, 1), "+0:00,99");
    EXPECT_EQ(teko(12, 1, 5) - teko(0, 1, 0), "+12:00,05");
    EXPECT_EQ(teko(0, 2, 23) - teko(0, 1, 0), "+0:01,23");
    Aika a = teko(1, 0, 0);
    EXPECT_EQ(a - a, "        ");
    EXPECT_EQ(teko(1, 0, 0) - teko(0, 0, 0, 5), "        ");
}

TEST(AikaJarjestys, TimesBeatApplesAndEmptyNeverWins) {
    EXPECT_TRUE(teko(9, 0, 0) < teko(0, 0, 0, 50));
    EXPECT_FALSE(teko(0, 0, 0, 50) < teko(9, 0, 0));
    EXPECT_TRUE(teko(0, 0, 0, 10) < teko(0, 0, 0, 3));
    EXPECT_FALSE(Aika() < teko(0, 0, 0, 3));
    EXPECT_FALSE(Aika() < teko(0, 1, 0));
    EXPECT_FALSE(teko(0, 1, 0) < Aika());
    EXPECT_TRUE(teko(0, 0, 0, 1) < Aika());
    EXPECT_TRUE(teko(0, 59, 99) < teko(1, 0, 0));
}

TEST(AikaKeskiarvo, RoundsHalfUpIn64Bits) {
    EXPECT_EQ((teko(2, 0, 1) / 2), teko(1, 0, 1));
    EXPECT_EQ((teko(0, 45, 70) / 3), teko(0, 15, 23));
    EXPECT_EQ((teko(0, 0, 0, 7) / 2), teko(0, 0, 0, 3));
    EXPECT_TRUE((teko(1, 0, 0) / 0).nolla());
    // 4 million minutes is beyond 32-bit hundredths.
    EXPECT_EQ((teko(4000000, 0, 0) / 2), teko(2000000, 0, 0));
}

TEST(AikaVakiot, PenaltyAndHundredth) {
    EXPECT_EQ(Aika("10:00:00"), teko(10, 0, 0));
    EXPECT_EQ(Aika("00:00:01"), teko(0, 0, 1));
    Aika a = teko(1, 2, 3);
    lisaaRangaistus(a, 3);
    Aika b = teko(1, 2, 3) + rangaistusAika() + rangaistusAika() + rangaistusAika();
    EXPECT_EQ(a, b);
}

TEST(AikaKey, OrdersExactlyAsTheComparisonWheneverThereIsAKey) {
    std::vector<Aika> arvot;
    for (std::uint32_t m : {0u, 1u, 70u})
        for (std::uint32_t s : {0u, 5u, 75u}) // 75 seconds: fields are compared as they stand
            for (std::uint32_t c : {0u, 1u, 99u})
                for (std::uint32_t o : {0u, 3u}) {
                    Aika a;
                    a.minuutit = m;
                    a.sekunnit = s;
                    a.sadasosat = c;
                    a.omenat = o;
                    arvot.push_back(a);
                }
    for (std::uint32_t o : {1u, 2u, 50u, UINT32_MAX}) {
        Aika a;
        a.omenat = o;
        arvot.push_back(a);
    }
    for (const Aika &a : arvot)
        for (const Aika &b : arvot) {
            auto ka = a.jarjestysAvain(), kb = b.jarjestysAvain();
            if (a.nolla() || b.nolla()) {
                EXPECT_EQ(a.nolla(), !ka.has_value());
                continue;
            }
            ASSERT_TRUE(ka && kb);
            EXPECT_EQ(a < b, *ka < *kb) << a.str() << " vs " << b.str();
        }
}

TEST(AikaSumma, SeventyTwoThousandHundredsOfHoursKeepEveryMinute) {
    // 720 000 levels won in 99:59:59,99: 72 000 000 hours less 7200 seconds.
    const Aika voitto = teko(99 * 60 + 59, 59, 99);
    Aika summa;
    for (int i = 0; i < 720000; ++i)
        summa = summa + voitto;
    EXPECT_EQ(summa.minuutit, 4319999880u);
    EXPECT_EQ(summa.str(), "71999998:00:00,00");
    EXPECT_EQ((summa / 720000u).str(), " 99:59:59,99");
    EXPECT_EQ(summa / 720000u, voitto);
    // The penalty added to such a total, and the average of an odd count, are exact as well.
    Aika a = summa;
    lisaaRangaistus(a, 1000000000u);
    EXPECT_EQ(a.str(), "238666664:40:00,00");
    EXPECT_EQ((summa / 7u).str(), "10285714:00:00,00");
    EXPECT_EQ((teko(4319999880u, 0, 3) / 2u).str(), "35999999:00:00,02");
    // The lead of one long total over another.
    EXPECT_EQ(summa - voitto, "+4319993880:00,01");
    EXPECT_EQ(voitto - summa, "        ");
    EXPECT_EQ(summa - teko(5, 0, 0), "+4319999875:00,00");
}

TEST(AikaKey, TotalsBeyond32BitsStillRankBeforeApples) {
    Aika iso;
    iso.minuutit = std::uint64_t{1} << 40;
    Aika suurempi = iso;
    suurempi.sadasosat = 1;
    Aika omena;
    omena.omenat = 50;
    EXPECT_TRUE(iso < omena);
    EXPECT_TRUE(iso.jarjestysAvain() < omena.jarjestysAvain());
    EXPECT_TRUE(iso < suurempi);
    EXPECT_TRUE(iso.jarjestysAvain() < suurempi.jarjestysAvain());
    EXPECT_TRUE(teko(4294967295u, 59, 99).jarjestysAvain() < iso.jarjestysAvain());
}

namespace {

// The time reader and the time texts as first written, step by step with whole strings; the
// program's own must give the same on every input.
bool onTyhjaMerkki(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string ekaSana(const std::string &t) {
    std::size_t i = 0;
    while (i < t.size() && onTyhjaMerkki(t[i]))
        ++i;
    std::size_t a = i;
    while (i < t.size() && !onTyhjaMerkki(t[i]))
        ++i;
    return t.substr(a, i - a);
}

std::string vikaSana(const std::string &t) {
    std::string r;
    std::size_t i = 0;
    while (true) {
        while (i < t.size() && onTyhjaMerkki(t[i]))
            ++i;
        std::size_t a = i;
        while (i < t.size() && !onTyhjaMerkki(t[i]))
            ++i;
        if (i == a)
            return r;
        r = t.substr(a, i - a);
    }
}

bool vanhaEtsiaika(Aika &a, const std::string &teksti, bool sanaMoodi, bool viimeinenSana) {
    std::string tutkittava;
    if (sanaMoodi) {
        const std::string sana = viimeinenSana ? vikaSana(teksti) : ekaSana(teksti);
        if (sana.empty())
            return !a.nolla();
        tutkittava = sana;
    } else {
        size_t p = teksti.find('>');
        if (p == std::string::npos)
            return !a.nolla();
        tutkittava = teksti.substr(p);
    }
    std::vector<unsigned> numerot;
    size_t eka = std::string::npos, viimeinen = 0;
    bool liianPitka = false;
    for (size_t i = 0; i < tutkittava.size(); ++i) {
        char c = tutkittava[i];
        if (c >= '0' && c <= '9') {
            if (eka == std::string::npos)
                eka = i;
            else if (i - eka > 11)
                liianPitka = true;
            numerot.push_back(static_cast<unsigned>(c - '0'));
            viimeinen = i;
        }
    }
    bool ymparistoOk = eka != std::string::npos && !liianPitka;
    if (ymparistoOk) {
        for (size_t i = 1; i < eka; ++i)
            if (!onTyhjaMerkki(tutkittava[i]))
                ymparistoOk = false;
        for (size_t i = viimeinen + 1; i < tutkittava.size(); ++i)
            if (!onTyhjaMerkki(tutkittava[i]))
                ymparistoOk = false;
    }
    if (ymparistoOk && numerot.size() >= 3 && numerot.size() <= 6) {
        size_t n = numerot.size();
        unsigned h = numerot[n - 2] * 10 + numerot[n - 1];
        unsigned s = numerot[n - 3];
        if (n >= 4)
            s += numerot[n - 4] * 10;
        unsigned m = 0;
        while (s > 59) {
            s -= 60;
            ++m;
        }
        unsigned loput = 0;
        for (size_t i = 0; i + 4 < n; ++i)
            loput = loput * 10 + numerot[i];
        if (h != 0 || s != 0 || m + loput != 0) {
            a.sadasosat = h;
            a.sekunnit = s;
            a.minuutit += m + loput;
        }
    }
    if (a.nolla()) {
        std::string t = sanaMoodi ? tutkittava : tutkittava.substr(1);
        size_t i = 0;
        while (i < t.size() && onTyhjaMerkki(t[i]))
            ++i;
        unsigned v = 0;
        size_t alku = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9' && i - alku < 4) {
            v = v * 10 + static_cast<unsigned>(t[i] - '0');
            ++i;
        }
        bool ok = i > alku && (i >= t.size() || !(t[i] >= '0' && t[i] <= '9'));
        for (size_t j = i; ok && j < t.size(); ++j)
            if (!onTyhjaMerkki(t[j]))
                ok = false;
        if (ok && v >= 1 && v <= 50)
            a.omenat = v;
    }
    return !a.nolla();
}

std::string vanhaLuku(unsigned long long n) {
    if (n == 0)
        return "0";
    std::string r;
    while (n > 0) {
        r.insert(r.begin(), static_cast<char>('0' + n % 10));
        n /= 10;
    }
    return r;
}

std::string vanhaKaksi(unsigned n) { return std::string(n < 10 ? "0" : "").append(vanhaLuku(n)); }

std::string vanhaStr(const Aika &a) {
    std::string r;
    if (a.onAika()) {
        if (a.minuutit < 60)
            r = vanhaLuku(a.minuutit) + ":";
        else
            r = vanhaLuku(a.minuutit / 60) + ":" +
                vanhaKaksi(static_cast<unsigned>(a.minuutit % 60)) + ":";
        r += vanhaKaksi(a.sekunnit) + "," + vanhaKaksi(a.sadasosat);
        if (r.size() < 12)
            r.insert(0, 12 - r.size(), ' ');
        return r;
    }
    if (a.omenat > 0) {
        r = "   ";
        if (a.omenat < 10)
            r += " ";
        if (a.omenat == 1)
            r += " 1 apple";
        else
            r += vanhaLuku(a.omenat) + " apples";
        return r;
    }
    return std::string(12, ' ');
}

std::string satunnainenTeksti(std::mt19937_64 &g) {
    // Mostly the bytes a time is made of, so that many texts read as times or apple counts.
    static const std::string merkit = "0123456789000111599::,,..  \t\r>>xa-\n";
    std::string t;
    const std::size_t pituus = g() % 22;
    for (std::size_t i = 0; i < pituus; ++i)
        t += g() % 50 == 0 ? static_cast<char>(g() % 256) : merkit[g() % merkit.size()];
    return t;
}

Aika satunnainenAika(std::mt19937_64 &g) {
    Aika a;
    switch (g() % 4) {
    case 0:
        break; // nothing yet, the usual start
    case 1:
        a.omenat = static_cast<std::uint32_t>(g() % 60);
        break;
    case 2:
        a = teko(g() % 200, static_cast<unsigned>(g() % 60), static_cast<unsigned>(g() % 100));
        break;
    default: // fields out of their usual ranges, and long sums
        a = teko(g() % 3 == 0 ? g() : g() % 100000, static_cast<unsigned>(g() % 1000),
                 static_cast<unsigned>(g() % 1000), static_cast<unsigned>(g() % 200));
    }
    return a;
}

} // namespace

TEST(EtsiaikaVertailu, TheReaderGivesWhatTheStepsAsWrittenGiveOnEveryText) {
    std::mt19937_64 g(20261208);
    int ajoja = 0;
    for (int k = 0; k < 200000; ++k) {
        const std::string t = satunnainenTeksti(g);
        const bool sanaMoodi = g() % 3 != 0;
        const bool viimeinen = g() % 2 == 0;
        Aika uusi = g() % 3 == 0 ? satunnainenAika(g) : Aika();
        Aika vanha = uusi;
        const bool r1 = uusi.etsiaika(t, sanaMoodi, viimeinen);
        const bool r2 = vanhaEtsiaika(vanha, t, sanaMoodi, viimeinen);
        ASSERT_EQ(r1, r2) << '"' << t << "\" " << sanaMoodi << viimeinen;
        ASSERT_EQ(uusi, vanha) << '"' << t << "\" " << sanaMoodi << viimeinen;
        ajoja += uusi.onAika() ? 1 : 0;
    }
    // The texts must have reached the time branch often, not only the apple counts.
    EXPECT_GT(ajoja, 20000);
}

TEST(EtsiaikaVertailu, DigitsFarApartAndManyDigits) {
    for (const std::string t :
         {"1:23,45", "> 1:23,45", ">1 2 3 4 5 6 7", ">1          2", ">1           2",
          "123456789012", "1234567890123", "1 2 3", "12:34:56:78", "1:2:3,4", "  1:00,00  ",
          ">x1:00,00", ">50", "> 50 ", ">51", "0050", "00050", "x1:00,00", "1:00,00 9"}) {
        for (int tapa = 0; tapa < 3; ++tapa) {
            Aika a, b;
            const bool sanaMoodi = tapa != 0, viimeinen = tapa == 2;
            EXPECT_EQ(a.etsiaika(t, sanaMoodi, viimeinen),
                      vanhaEtsiaika(b, t, sanaMoodi, viimeinen))
                << t << " " << tapa;
            EXPECT_EQ(a, b) << t << " " << tapa;
        }
    }
}

TEST(AikaTekstiVertailu, TheTextsAreTheOnesBuiltFromWholeStrings) {
    std::mt19937_64 g(77);
    for (int k = 0; k < 100000; ++k) {
        const Aika a = satunnainenAika(g);
        ASSERT_EQ(a.str(), vanhaStr(a))
            << a.minuutit << " " << a.sekunnit << " " << a.sadasosat << " " << a.omenat;
    }
    const Aika suurin = teko(UINT64_MAX, UINT32_MAX, UINT32_MAX, UINT32_MAX);
    EXPECT_EQ(suurin.str(), vanhaStr(suurin));
    EXPECT_EQ(teko(0, 0, 0, 50).str(), "   50 apples");
    EXPECT_EQ(teko(0, 0, 0, 4000000000u).str(), "   4000000000 apples");
    EXPECT_EQ(teko(100000, 0, 0) - teko(0, 0, 1), "+99999:59,99");
    EXPECT_EQ(teko(0, 10, 5) - teko(0, 9, 5), "+0:01,00");
}
