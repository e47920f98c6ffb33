#include "battle/battletiedosto.h"

#include "model/jarjesta.h"
#include "util/nayttoleveys.h"
#include "util/tallennuspolku.h"
#include "util/teksti.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>

namespace vt {

const std::string TAULUKKO_1 =
    "<tr><td><font face=\"courier new\"><table cellspacing=\"0\" cellpadding=\"1\" border=\"3\" "
    "rules=\"none\" bgcolor=\"#ffffff\" align=\"left\"><tr><th align=\"left\" "
    "width=\"250\">Level</th><th align=\"left\" width=\"100\">Event</th><th align=\"left\" "
    "width=\"100\">Players</th><th align=\"left\" width=\"150\">Winner</th><th align=\"rigth\" "
    "width=\"100\">Time</th></tr>";
const std::string TAULUKKO_2 =
    "<tr><td><font face=\"courier new\"><table cellspacing=\"0\" cellpadding=\"1\" border=\"3\" "
    "rules=\"none\" bgcolor=\"#ffffff\" align=\"left\"><tr><th align=\"left\" "
    "width=\"50\">Pos.</th><th align=\"left\" width=\"150\">Player</th><th align=\"rigth\" "
    "width=\"100\">Time</th><th align=\"rigth\" width=\"100\">Diff.</th><th align=\"left\" "
    "width=\"100\">Points</th></tr>";
const std::string TAULUKKO_3 =
    "<tr><td><font face=\"courier new\"><table cellspacing=\"0\" cellpadding=\"1\" border=\"3\" "
    "rules=\"none\" bgcolor=\"#ffffff\" align=\"left\"><tr><th align=\"left\" "
    "width=\"50\">Pos.</th><th align=\"left\" width=\"150\">Player</th><th align=\"left\" "
    "width=\"200\">Points (average)</th><th align=\"left\" width=\"150\">Wins/battles</th><th "
    "align=\"left\" width=\"150\">Total time</th><th align=\"left\" width=\"250\">Best row "
    "(start event)</th></tr>";
const std::string TAULUKKO_4 =
    "<tr><td><font face=\"courier new\"><table cellspacing=\"0\" cellpadding=\"1\" border=\"3\" "
    "rules=\"none\" bgcolor=\"#ffffff\" align=\"left\"><tr><th align=\"left\" "
    "width=\"50\">Pos.</th><th align=\"left\" width=\"150\">Player</th><th align=\"left\" "
    "width=\"100\">Battles</th><th align=\"left\" width=\"150\">Avg players</th><th "
    "align=\"left\" width=\"150\">Avg length</th><th align=\"left\" width=\"200\">Avg winning "
    "time</th><th align=\"left\" width=\"250\">Best row (start event)</th></tr>";

namespace {

constexpr unsigned LISAPISTEET_ENINTAAN = 1000;

std::string avain(const std::string &nimi) { return toUpper(nimi).substr(0, 5); }

// The texts of one form: in HTML the names from the logs are escaped, after padding so that
// the columns count the names' own characters.
struct Muoto {
    bool html;
    std::string operator()(const std::string &s) const { return html ? htmlSuojaa(s) : s; }
    std::string solu(const std::string &s, unsigned leveys) const {
        return (*this)(pidenna(s, leveys));
    }
    const char *vain(const char *htmlTeksti) const { return html ? htmlTeksti : ""; }
    // `solu(s, leveys)` appended to r (padding is spaces, which escaping leaves as they are).
    void lisaaSolu(std::string &r, std::string_view s, unsigned leveys) const {
        if (html && s.find_first_of("&<>\"") != std::string_view::npos)
            r.append(htmlSuojaa(std::string(s)));
        else
            r.append(s);
        if (const std::size_t w = naytonLeveys(s); w < leveys)
            r.append(leveys - w, ' ');
    }
};

// "3 (2)": the best row and its first event, or nothing without one.
std::string putki(unsigned pituus, unsigned alku) {
    return pituus ? int2string(pituus) + " (" + int2string(alku) + ")" : "";
}

// An order of rows, as row numbers.
using RiviJarjestys = std::vector<std::uint32_t>;

// Descending by one counter; equal counters are never exchanged with each other.
template <class F>
void jarjestaLaskurilla(RiviJarjestys &j, const std::vector<Pelaaja> &rivit, F laskuri) {
    vaihtojarjesta(j, jarjestys(
                          [&rivit, laskuri](std::uint32_t a, std::uint32_t b) {
                              return laskuri(rivit[a]) < laskuri(rivit[b]);
                          },
                          [&rivit, laskuri](std::uint32_t i) {
                              return std::optional<std::uint64_t>(UINT32_MAX -
                                                                  std::uint64_t{laskuri(rivit[i])});
                          }));
}

// The first row's name and every following row's with the same counter, and the counter;
// none without rows.
template <class F>
std::optional<BattleYhteenveto::Parhaat> parhaat(const RiviJarjestys &j,
                                                 const std::vector<Pelaaja> &rivit, F laskuri) {
    if (j.empty())
        return std::nullopt;
    BattleYhteenveto::Parhaat r;
    r.arvo = laskuri(rivit[j[0]]);
    for (size_t i = 0; i < j.size() && laskuri(rivit[j[i]]) == r.arvo; ++i)
        r.nimet.push_back(rivit[j[i]].nimi);
    return r;
}

unsigned pisteet(const Pelaaja &p) { return p.battlePisteet; }
unsigned leveleita(const Pelaaja &p) { return p.leveleita; }
unsigned voittoputki(const Pelaaja &p) { return p.pisinVoittoputki; }
unsigned levelputki(const Pelaaja &p) { return p.pisinLevelputki; }

// The columns of the two standings tables, in characters.
struct PisteSarakkeet {
    unsigned sija, nimi, pisteet, keskiarvo, voitot, aika;
    std::size_t viiva;
};
constexpr PisteSarakkeet PISTEET{6, 18, 6, 14, 16, 15, 100};
struct TekijaSarakkeet {
    unsigned sija, nimi, battlet, pelaajat, pituus, voittoaika;
    std::size_t viiva;
};
constexpr TekijaSarakkeet TEKIJAT{6, 18, 10, 14, 10, 25, 107};

void pisteTaulukko(const std::vector<Pelaaja> &rivit, const RiviJarjestys &j, const Muoto &m,
                   std::string &loppu) {
    const PisteSarakkeet &c = PISTEET;
    if (m.html)
        loppu += "<tr><td><br><br><br></td></tr><tr align=\"left\"><td><h2>Overall "
                 "scores:</h2></td></tr>" +
                 TAULUKKO_3 + "\n";
    else
        loppu += "\nOverall scores:\n\n Pos.  Player            Points (average)    Wins/battles  "
                 "    Total time   Best row (start event) \n" +
                 std::string(c.viiva, '-') + "\n";
    const char *solu = m.vain("<td>");
    for (size_t i = 0; i < j.size(); ++i) {
        const Pelaaja &p = rivit[j[i]];
        if (p.battlePisteet == 0)
            continue;
        std::string keski = p.battleja ? " (" + average(p.battlePisteet, p.battleja) + ")" : "";
        std::string voitot = int2string(p.parhaidenLkm) + " / " + int2string(p.battleja);
        if (p.battleja)
            voitot +=
                " (" +
                int2string(static_cast<unsigned long long>(p.parhaidenLkm) * 100 / p.battleja) +
                "%)";
        loppu += std::string(" ") + m.vain("<tr><td>") + pidenna(int2string(i + 1) + ". ", c.sija) +
                 solu + m.solu(lyhenna(p.nimi), c.nimi) + solu +
                 pidenna(p.battlePisteet, c.pisteet) + pidenna(keski, c.keskiarvo) + solu +
                 pidenna(voitot, c.voitot) + solu + pidenna(p.totalAika.str(), c.aika) + solu +
                 putki(p.pisinVoittoputki, p.pisinVoittoputkiAlku) + m.vain("</tr>") + "\n";
    }
}

void tekijaTaulukko(const std::vector<Pelaaja> &rivit, const RiviJarjestys &j, const Muoto &m,
                    std::string &loppu) {
    const TekijaSarakkeet &c = TEKIJAT;
    if (m.html)
        loppu += "</tr></font></table></td></tr><tr><td><br><br><br></td></tr><tr "
                 "align=\"left\"><td><h2>Battles by:</h2></td></tr>" +
                 TAULUKKO_4 + "\n";
    else
        loppu += "\n\n\nBattles by:\n\n Pos.  Player            Battles   Avg Players   Avg "
                 "length     Avg winning time    Best row (start event) \n" +
                 std::string(c.viiva, '-') + "\n";
    const char *solu = m.vain("<td>");
    for (size_t i = 0; i < j.size(); ++i) {
        const Pelaaja &p = rivit[j[i]];
        if (p.leveleita == 0 || p.nimi.empty())
            continue;
        std::string pituus;
        if (!p.pituudet.empty()) {
            std::uint64_t summa = 0;
            for (unsigned l : p.pituudet)
                summa += l;
            pituus = kaksiDesimaalia(summa * 100 / p.pituudet.size());
        }
        loppu += std::string(" ") + m.vain("<tr><td>") + pidenna(int2string(i + 1) + ". ", c.sija) +
                 solu + m.solu(lyhenna(p.nimi), c.nimi) + solu + pidenna(p.leveleita, c.battlet) +
                 solu +
                 pidenna(kaksiDesimaalia(std::uint64_t{p.pelaajiaYhteensa} * 100 / p.leveleita),
                         c.pelaajat) +
                 solu + pidenna(pituus, c.pituus) + solu +
                 pidenna((p.voittoajat / p.leveleita).str(), c.voittoaika) + solu +
                 putki(p.pisinLevelputki, p.pisinLevelputkiAlku) + m.vain("</tr>") + "\n";
    }
    loppu += "\n";
    loppu += m.vain("</tr></font></table></td></tr><tr><td><p><br><br><br>");
}

// "A/B": the names of a best line.
std::string nimiLista(const BattleYhteenveto::Parhaat &p, const Muoto &m) {
    std::string r;
    for (size_t i = 0; i < p.nimet.size(); ++i)
        r.append(i ? "/" : "").append(m(p.nimet[i]));
    return r;
}

// "Most players: ...": the battles of the most players, each linked in HTML.
std::string enitenPelaajia(const BattleYhteenveto &y, const std::vector<Battle> &battlet,
                           const Muoto &m) {
    std::string lista;
    for (size_t i = 0; i < y.enitenBattlet.size(); ++i) {
        const Battle &b = battlet[y.enitenBattlet[i]];
        if (i > 0)
            lista += ", ";
        if (m.html)
            lista += "<a href=\"#" + m(b.nimi) + "\">";
        lista += m(b.nimi);
        if (!b.tekija.empty())
            lista += " by " + m(b.tekija);
        lista += " (event " + int2string(b.numero) + ")";
        lista += m.vain("</a>");
    }
    return "Most players: " + int2string(y.enitenPelaajia) + " players in level" +
           (y.enitenBattlet.size() > 1 ? "s" : "") + " " + lista + "\n";
}

// The lines of the summary ("Shortly:").
std::string lyhyesti(const BattleYhteenveto &y, const std::vector<Battle> &battlet,
                     const Muoto &m) {
    const std::string br = m.vain("<br>");
    std::string r = m.html ? "<tr><td><br><h2>Shortly:</h2><p>" : "Shortly: \n";
    if (y.jakso)
        r += "Battles from period " + m(y.jakso->first) + " - " + m(y.jakso->second) + "\n" + br;
    auto paras = [&](const char *otsikko, const std::optional<BattleYhteenveto::Parhaat> &p,
                     const char *yksikko) {
        if (p)
            r += std::string(otsikko) + nimiLista(*p, m) + " with " + int2string(p->arvo) +
                 yksikko + "\n" + br;
    };
    paras("Best player: ", y.pelaaja, " points. ");
    paras("Best designer: ", y.tekija, " levels. ");
    paras("Best winning row: ", y.voittoputki, " wins in a row. ");
    paras("Best designing row: ", y.levelputki, " levels in a row. ");
    if (y.pelaajiaBattlessa)
        r += "Average players per battle: " + kaksiDesimaalia(*y.pelaajiaBattlessa) + "\n" + br;
    if (y.pituus)
        r += "Average battle length: " + kaksiDesimaalia(*y.pituus) + " minutes\n" + br;
    if (!y.enitenBattlet.empty())
        r += enitenPelaajia(y, battlet, m) + br;
    if (y.voittoaika)
        r += "Average winning time: " + lyhenna(y.voittoaika->str()) + "\n" + br;
    r += "Total number of battles: " + int2string(y.battleja) + " \n" +
         m.vain("</p><br><br></td></tr>") + "\n\n";
    return r;
}

// A name as `aakkosta` compares it, as a text whose plain byte order is that comparison's:
// every byte upper-cased and moved so that the signed values sort as unsigned ones.
void lisaaAakkostusAvain(std::string &r, const std::string &nimi) {
    static const std::array<char, 256> taulu = [] {
        std::array<char, 256> t{};
        for (unsigned c = 0; c < 256; ++c)
            t[c] = static_cast<char>(static_cast<unsigned char>(std::toupper(static_cast<int>(c))) ^
                                     0x80);
        return t;
    }();
    for (const char c : nimi)
        r += taulu[static_cast<unsigned char>(c)];
}

bool lasketaanTekijalle(const std::string &levelNimi) {
    return !(levelNimi.size() >= 5 && toUpper(levelNimi.substr(0, 2)) == "RL");
}

// Escaping makes a character at most six ("&quot;").
constexpr std::size_t SUOJATTU = 6;

// More room than the results blocks take: every text as if each of its characters were
// escaped, every fixed part and number generously. The blocks then grow in one place; room
// that is never written takes no memory.
std::size_t lohkojenTila(const std::vector<Level> &levelit) {
    constexpr std::size_t LOHKO = 400; // the fixed parts of a block beside its table
    constexpr std::size_t RIVI = 200;  // the fixed parts and numbers of one results line
    std::size_t tila = 0;
    for (const Level &l : levelit) {
        tila += TAULUKKO_2.size() + LOHKO +
                SUOJATTU * (2 * l.annaNimi().size() + l.annaPitaja().size() + l.paivamaara.size() +
                            l.alkuaika.size());
        for (const Ajo &a : l.ajot())
            tila += RIVI + SUOJATTU * a.nimi.size();
    }
    return tila;
}

// One event's results block, appended to r.
void lisaaTulosLohko(std::string &r, const Level &level, std::uint32_t e,
                     const std::vector<Ajo> &ajot, const Muoto &m) {
    if (m.html)
        r.append("<tr><td><br><br></td></tr><tr align=\"left\"><td><a name=\"")
            .append(m(level.annaNimi()))
            .append("\"><h3>");
    r.append("Event ").append(int2string(e)).append(": ").append(m(level.annaNimi()));
    const std::string &tekija = level.annaPitaja();
    // The bots' nicks say nothing of who made the level.
    if (!tekija.empty() && tekija != "battlebot" && tekija != "ruuttori")
        r.append(" by ").append(m(tekija));
    if (!level.paivamaara.empty())
        r.append(" on ").append(m(level.paivamaara));
    if (!level.alkuaika.empty())
        r.append(" at ").append(m(level.alkuaika));
    if (level.annaPituus() != 0)
        r.append(" (").append(int2string(level.annaPituus())).append(" mins)");
    if (m.html)
        r.append("</h3></td></tr><tr align=\"left\"><td>").append(TAULUKKO_2).append("\n");
    else
        r.append("\n\n Pos.  Player                 Time        Diff.        Points\n")
            .append(64, '-')
            .append("\n");
    const std::string_view solu = m.vain("<td>");
    const std::string_view rivinAlku = m.vain("<tr><td>"), rivinLoppu = m.vain("</tr>");
    // One row a run, appended in place: the place padded to 6, the name to 18 columns.
    for (size_t i = 0; i < ajot.size(); ++i) {
        r.append(rivinAlku).append(" ");
        const std::size_t alku = r.size();
        lisaaNumerot(r, i + 1);
        r.append(". ");
        if (r.size() - alku < 6)
            r.append(6 - (r.size() - alku), ' ');
        r.append(solu);
        m.lisaaSolu(r, lyhennetty(ajot[i].nimi), 18);
        r.append(solu);
        ajot[i].aika.lisaaTekstiin(r);
        r.append("     ").append(solu).append(ajot[i].aika - ajot[0].aika);
        r.append("     ").append(solu);
        lisaaNumerot(r, ajot[i].pisteet);
        r.append("\n").append(rivinLoppu);
    }
    r.append(m.vain("</font></table></td></tr>"));
    r.append("\n\n");
}

} // namespace

std::string average(unsigned a, unsigned b) {
    const std::uint64_t v = std::uint64_t{a} * 100 / b;
    return int2string(v / 100) + "." + (v % 100 <= 9 ? "0" : "") + int2string(v % 100);
}

std::string kaksiDesimaalia(std::uint64_t sataKertaa) {
    const std::string numerot = int2string(sataKertaa);
    // At least three digits, so that there is a whole part before the two decimals.
    std::string t = std::string(numerot.size() < 3 ? 3 - numerot.size() : 0, '0') + numerot;
    t = t.substr(0, t.size() - 2).append(".").append(t.substr(t.size() - 2));
    while (t.size() >= 3 && t[0] == '0' && t[1] != '.')
        t.erase(0, 1);
    return t;
}

bool kysyHtmlMuoto(Konsoli &konsoli) {
    konsoli.kehota("Do you want to create a text file (1) or html file (2) (default 1): ");
    const bool html = lyhenna(konsoli.lueRivi()) == "2";
    konsoli.ulos() << (html ? "Creating html file...\n" : "Creating text file...\n");
    return html;
}

std::string battleTiedostonNimi(const std::string &nimi, bool html,
                                const std::function<bool(const std::string &)> &olemassa) {
    std::string r = nimi;
    if (size_t p = r.find(".txt"); p != std::string::npos && html)
        r = r.substr(0, p) + ".html";
    if (size_t p = r.find(".html"); p != std::string::npos && !html)
        r = r.substr(0, p) + ".txt";
    if (!html)
        return r;
    std::string alku = r.substr(0, r.rfind('.'));
    while (!alku.empty() && alku.back() >= '0' && alku.back() <= '9')
        alku.pop_back();
    return vapaaNimi(alku, ".html", olemassa);
}

unsigned kysyLisapisteet(Konsoli &konsoli, unsigned oletus) {
    for (;;) {
        konsoli.kehota("Give the extra points you want to give to winner (default " +
                       int2string(oletus) + "): ");
        const std::string vastaus = konsoli.lueRivi();
        if (onkotyhja(vastaus))
            return oletus;
        size_t i = 0;
        LuettuLuku luku;
        if (!lueLuku(vastaus, i, UINT32_MAX, luku) || luku.negatiivinen)
            continue;
        if (luku.arvo > LISAPISTEET_ENINTAAN) {
            konsoli.ulos() << "Points must be in range " << 0 << " - " << LISAPISTEET_ENINTAAN
                           << ".\n";
            continue;
        }
        return static_cast<unsigned>(luku.arvo);
    }
}

void annaPisteet(std::vector<Ajo> &ajot, unsigned bonus) {
    const auto n = static_cast<std::uint32_t>(ajot.size());
    for (std::uint32_t i = 0; i < n; ++i)
        ajot[i].pisteet = n - i + (i == 0 ? bonus : 0);
}

Pelaaja *BattleTilasto::etsi(const std::string &nimi) {
    auto it = rivinPaikka_.find(avain(nimi));
    return it == rivinPaikka_.end() ? nullptr : &rivit_[it->second];
}

Pelaaja &BattleTilasto::uusi(const std::string &nimi) {
    rivinPaikka_.emplace(avain(nimi), rivit_.size());
    rivit_.emplace_back();
    rivit_.back().nimi = nimi;
    return rivit_.back();
}

void BattleTilasto::lisaa(const std::vector<Ajo> &ajot, std::uint32_t e, const Level &level) {
    lisaaPelaajat(ajot, e);
    lisaaTekija(ajot, e, level);
}

void BattleTilasto::lisaaPelaajat(const std::vector<Ajo> &ajot, std::uint32_t e) {
    for (size_t i = 0; i < ajot.size(); ++i) {
        const Ajo &a = ajot[i];
        if (Pelaaja *p = etsi(a.nimi)) {
            p->battlePisteet += a.pisteet;
            ++p->battleja;
            p->totalAika = p->totalAika + a.aika;
            if (i == 0) {
                ++p->parhaidenLkm;
                ++p->voittoputki;
                if (avain(edellinenVoittaja_) != avain(p->nimi)) {
                    p->voittoputki = 1;
                    p->voittoputkiAlku = e;
                }
                if (p->pisinVoittoputki < p->voittoputki) {
                    p->pisinVoittoputki = p->voittoputki;
                    p->pisinVoittoputkiAlku = p->voittoputkiAlku;
                }
            }
        } else {
            Pelaaja &r = uusi(a.nimi);
            r.battlePisteet = a.pisteet;
            r.battleja = 1;
            r.totalAika = a.aika;
            if (i == 0) {
                r.parhaidenLkm = 1;
                r.pisinVoittoputki = r.voittoputki = 1;
                r.pisinVoittoputkiAlku = r.voittoputkiAlku = e;
            }
        }
    }
    // A battle without results breaks every winning row.
    edellinenVoittaja_ = ajot.empty() ? std::string() : ajot[0].nimi;
}

void BattleTilasto::lisaaTekija(const std::vector<Ajo> &ajot, std::uint32_t e, const Level &level) {
    const std::string &tekija = level.annaPitaja();
    const bool lasketaan = lasketaanTekijalle(level.annaNimi());
    const unsigned pituus = level.annaPituus();
    const Aika voittoaika = ajot.empty() ? Aika() : ajot[0].aika;
    const auto pelaajia = static_cast<unsigned>(ajot.size());
    if (Pelaaja *p = etsi(tekija)) {
        if (lasketaan)
            ++p->leveleita;
        if (pituus != 0)
            p->pituudet.push_back(pituus);
        p->pelaajiaYhteensa += pelaajia;
        p->voittoajat = p->voittoajat + voittoaika;
        ++p->levelputki;
        if (avain(edellinenTekija_) != avain(p->nimi)) {
            p->levelputki = 1;
            p->levelputkiAlku = e;
        }
        if (p->pisinLevelputki < p->levelputki) {
            p->pisinLevelputki = p->levelputki;
            p->pisinLevelputkiAlku = p->levelputkiAlku;
        }
    } else {
        Pelaaja &r = uusi(tekija);
        r.leveleita = lasketaan ? 1 : 0;
        if (pituus != 0)
            r.pituudet.push_back(pituus);
        r.pelaajiaYhteensa = pelaajia;
        r.voittoajat = voittoaika;
        r.pisinLevelputki = r.levelputki = 1;
        r.pisinLevelputkiAlku = r.levelputkiAlku = e;
    }
    edellinenTekija_ = tekija;
}

namespace {

// The averages over the battles: players per battle (over every row's battles), the length
// of those whose length is known, and the winning time of those with a winner.
void battlienKeskiarvot(BattleYhteenveto &y, const std::vector<Pelaaja> &rivit,
                        const std::vector<Battle> &battlet) {
    if (battlet.empty())
        return;
    // Quotients of whole numbers, truncated exactly.
    if (!rivit.empty()) {
        std::uint64_t osallistumisia = 0;
        for (const Pelaaja &p : rivit)
            osallistumisia += p.battleja;
        y.pelaajiaBattlessa = osallistumisia * 100 / battlet.size();
    }
    std::uint64_t summa = 0, lkm = 0;
    const Aika kynnys("00:00:01");
    Aika summaAika;
    unsigned voittoja = 0;
    for (const Battle &b : battlet) {
        if (b.pituus != 0) {
            summa += b.pituus;
            ++lkm;
        }
        if (kynnys < b.parasAika) {
            summaAika = summaAika + b.parasAika;
            ++voittoja;
        }
    }
    if (lkm > 0)
        y.pituus = summa * 100 / lkm;
    if (voittoja > 0)
        y.voittoaika = summaAika / voittoja;
}

} // namespace

BattleYhteenveto laskeYhteenveto(const std::vector<Pelaaja> &rivit,
                                 const std::vector<Battle> &battlet) {
    BattleYhteenveto y;
    y.battleja = battlet.size();
    if (!battlet.empty() && !battlet.front().paivamaara.empty() &&
        !battlet.back().paivamaara.empty())
        y.jakso = {battlet.front().paivamaara, battlet.back().paivamaara};
    // Each ranking starts from the one before, which decides the order of equal counters.
    RiviJarjestys j(rivit.size());
    for (std::uint32_t i = 0; i < j.size(); ++i)
        j[i] = i;
    jarjestaLaskurilla(j, rivit, pisteet);
    y.pelaaja = parhaat(j, rivit, pisteet);
    y.pisteJarjestys = j;
    jarjestaLaskurilla(j, rivit, leveleita);
    y.tekija = parhaat(j, rivit, leveleita);
    y.tekijaJarjestys = j;
    jarjestaLaskurilla(j, rivit, pisteet);
    jarjestaLaskurilla(j, rivit, voittoputki);
    y.voittoputki = parhaat(j, rivit, voittoputki);
    jarjestaLaskurilla(j, rivit, leveleita);
    jarjestaLaskurilla(j, rivit, levelputki);
    y.levelputki = parhaat(j, rivit, levelputki);
    battlienKeskiarvot(y, rivit, battlet);
    for (const Battle &b : battlet)
        y.enitenPelaajia = std::max(y.enitenPelaajia, b.pelaajia);
    for (size_t i = 0; i < battlet.size() && y.enitenPelaajia != 0; ++i)
        if (battlet[i].pelaajia == y.enitenPelaajia)
            y.enitenBattlet.push_back(i);
    return y;
}

void yhteenveto(const std::vector<Pelaaja> &rivit, bool html, const std::vector<Battle> &battlet,
                std::string &loppu, std::string &alku, std::ostream &konsoli) {
    konsoli << "Generating overall statistics...\n";
    const Muoto m{html};
    const BattleYhteenveto y = laskeYhteenveto(rivit, battlet);
    alku += lyhyesti(y, battlet, m);
    pisteTaulukko(rivit, y.pisteJarjestys, m, loppu);
    tekijaTaulukko(rivit, y.tekijaJarjestys, m, loppu);
    loppu += "\n\n";
}

namespace {

// For each of the distinct names in byte order (`eri`, as battles), the rank of the last one
// that begins with it. The names that begin with a name follow it at once in this order, so
// the names still open form a chain, each beginning the next: a name closes those it does not
// begin with.
std::vector<std::uint32_t> alkavienKynnykset(const std::vector<std::string_view> &isot,
                                             const std::vector<std::uint32_t> &eri) {
    std::vector<std::uint32_t> kynnykset(eri.size());
    std::vector<std::uint32_t> avoimet;
    for (std::uint32_t k = 0; k < eri.size(); ++k) {
        const std::string_view nimi = isot[eri[k]];
        while (!avoimet.empty() &&
               nimi.substr(0, isot[eri[avoimet.back()]].size()) != isot[eri[avoimet.back()]]) {
            kynnykset[avoimet.back()] = k - 1;
            avoimet.pop_back();
        }
        avoimet.push_back(k);
    }
    for (std::uint32_t k : avoimet)
        kynnykset[k] = static_cast<std::uint32_t>(eri.size() - 1);
    return kynnykset;
}

} // namespace

void jarjestaNimenMukaan(std::vector<Battle> &battlet) {
    // Names that agree as far as the shorter one goes are exchanged too: a later name beats
    // the one in front when it sorts before it or begins with it. As ranks of the upper-cased
    // names (bytes as signed values, a prefix first), that is: its rank is at most the rank
    // of the last name that begins with the one in front. The battles are ranked through a
    // table of their ranks and thresholds, and then moved once.
    const std::size_t n = battlet.size();
    std::string merkit; // every upper-cased name, one after another
    std::vector<std::size_t> alut(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        alut[i + 1] = alut[i] + battlet[i].nimi.size();
    merkit.reserve(alut[n]);
    for (const Battle &b : battlet)
        lisaaAakkostusAvain(merkit, b.nimi);
    std::vector<std::string_view> isot(n);
    std::vector<std::uint32_t> jarjestys(n);
    for (std::size_t i = 0; i < n; ++i) {
        isot[i] = std::string_view(merkit).substr(alut[i], alut[i + 1] - alut[i]);
        jarjestys[i] = static_cast<std::uint32_t>(i);
    }
    std::sort(jarjestys.begin(), jarjestys.end(),
              [&](std::uint32_t a, std::uint32_t b) { return isot[a] < isot[b]; });
    struct Rivi {
        std::uint32_t avain = 0;  // rank of the name among the distinct names
        std::uint32_t kynnys = 0; // rank of the last distinct name that begins with it
        std::uint32_t battle = 0;
    };
    std::vector<Rivi> rivit(n);
    std::vector<std::uint32_t> eri; // one battle of each distinct name, in order
    for (std::uint32_t i : jarjestys) {
        if (eri.empty() || isot[eri.back()] != isot[i])
            eri.push_back(i);
        rivit[i] = {static_cast<std::uint32_t>(eri.size() - 1), 0, i};
    }
    const std::vector<std::uint32_t> kynnykset = alkavienKynnykset(isot, eri);
    for (Rivi &r : rivit)
        r.kynnys = kynnykset[r.avain];
    vaihtojarjesta(rivit, kynnysjarjestys(
                              [&](const Rivi &i, const Rivi &j) {
                                  return aakkosta(battlet[j.battle].nimi, battlet[i.battle].nimi);
                              },
                              [](const Rivi &r) { return r.avain; },
                              [](const Rivi &r) { return r.kynnys; }));
    std::vector<Battle> jarjestetty;
    jarjestetty.reserve(n);
    for (const Rivi &r : rivit)
        jarjestetty.push_back(std::move(battlet[r.battle]));
    battlet = std::move(jarjestetty);
}

std::string battleIndex(std::vector<Battle> &battlet, bool html, std::ostream &konsoli) {
    if (battlet.size() < 2)
        return "";
    konsoli << "Generating battle index...\n";
    const Muoto m{html};
    std::string r;
    r += m.vain("<tr><td><h2>");
    r += "Battle index:\n\n";
    if (html)
        r += "</h2></td></tr>" + TAULUKKO_1 + "\n";
    else
        r += " Level                          Event    Players    Winner                 Time\n" +
             std::string(83, '-') + "\n";
    jarjestaNimenMukaan(battlet);
    std::size_t tila = r.size() + 1000; // as for the results blocks: more than is written
    for (const Battle &b : battlet)
        tila += 200 + SUOJATTU * (2 * b.nimi.size() + b.tekija.size() + b.voittaja.size());
    r.reserve(tila);
    const char *solu = m.vain("<td>");
    std::uint64_t pelaajia = 0;
    Aika summa;
    for (const Battle &b : battlet) {
        r += " ";
        if (html)
            r.append("<tr><td><a href=\"#").append(m(b.nimi)).append("\">");
        r.append(m.solu(b.tekija.empty() ? b.nimi : b.nimi + " by " + b.tekija, 31))
            .append(m.vain("</a><td>"))
            .append(pidenna(b.numero, 9))
            .append(solu)
            .append(pidenna(b.pelaajia, 11))
            .append(solu)
            .append(m.solu(lyhenna(b.voittaja), 18))
            .append(solu)
            .append(b.parasAika.str())
            .append(m.vain("</tr>"))
            .append("\n");
        pelaajia += b.pelaajia;
        summa = summa + b.parasAika;
    }
    r += m.vain("<tr><td><b>");
    r += "\n Total                          ";
    r += m.vain("<td><b>");
    r += pidenna(int2string(battlet.size()), 9) + m.vain("<td><b>") +
         pidenna(int2string(pelaajia), 29) + m.vain("<td><td><b>") + summa.str() +
         m.vain("</tr></font></table>") + "\n\n\n\n";
    return r;
}

BattleTiedosto teeBattleTiedosto(const std::vector<Level> &levelit, bool html, unsigned bonus,
                                 std::ostream &konsoli, const Kello &kello) {
    const Muoto m{html};
    BattleTiedosto t;
    std::vector<Battle> battlet;
    BattleTilasto tilasto;
    konsoli << "Writing battles to file...\n";
    const size_t n = levelit.size();
    t.keski.reserve(lohkojenTila(levelit));
    for (size_t j = 0; j < n; ++j) {
        if (j % 500 == 0 && j != 0)
            konsoli << j << "/" << n << " levels written...\n";
        const Level &level = levelit[j];
        const auto e = static_cast<std::uint32_t>(j + 1);
        std::vector<Ajo> ajot;
        level.annaAjotJarjestyksessa(ajot);
        annaPisteet(ajot, bonus);
        Battle b;
        b.nimi = level.annaNimi();
        b.tekija = level.annaPitaja();
        b.numero = e;
        b.pelaajia = level.annaAjojenLkm();
        if (!ajot.empty()) {
            b.parasAika = ajot[0].aika;
            b.voittaja = ajot[0].nimi;
        }
        b.paivamaara = level.paivamaara;
        b.pituus = level.annaPituus();
        battlet.push_back(std::move(b));
        lisaaTulosLohko(t.keski, level, e, ajot, m);
        tilasto.lisaa(ajot, e, level);
    }
    if (n > 499)
        konsoli << "All battles written to file...\n";
    if (html)
        t.alku += "\t<title>Battle statistics</title>\n</head>\n<body "
                  "bgcolor=\"#f0f0f0\">\n<font face=\"arial\">\n<table align=\"top\" "
                  "valign=\"center\" width=\"100%\">\n<tr><td><h2 align=\"left\">\n";
    t.alku += generaattoriRivi(kello) + "\n";
    t.alku += m.vain("</h2></td></tr><tr><td><br></td></tr>");
    yhteenveto(tilasto.rivit(), html, battlet, t.loppu, t.alku, konsoli);
    t.alku += battleIndex(battlet, html, konsoli);
    t.loppu += m.vain("</font>\n</body>\n</html>\n");
    // The head, made last, declares the encoding the whole page has.
    if (html)
        t.alku.insert(
            0, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n\n"
               "<html>\n<head>\n" +
                   htmlMetaRivit(onUtf8(t.alku) && onUtf8(t.keski) && onUtf8(t.loppu), "\t"));
    return t;
}

} // namespace vt
