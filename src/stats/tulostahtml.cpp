#include "stats/tulostahtml.h"

#include "model/totalit.h"
#include "stats/kokoelmanluvut.h"
#include "stats/levelikierros.h"
#include "stats/luestats.h"
#include "stats/tulostastats.h"
#include "util/nayttoleveys.h"
#include "util/teksti.h"
#include "util/versio.h"

#include <array>
#include <ostream>
#include <sstream>
#include <utility>

namespace vt {

namespace {

// The page's tables: the widths their heading cells declare, in pixels, and the characters a
// name is padded to in a row.
struct HtmlSarakkeet {
    unsigned numero;      // "No." of a level, "Pos." of a row
    unsigned aika;        // a level's "Best Time"
    unsigned kuljettaja;  // a level's "Driver"
    unsigned nimi;        // "Player" or "Team" of the totals and of the best times
    unsigned totalAika;   // "Total Time"
    unsigned lapaistyt;   // "Levels finished"
    unsigned parhaat;     // "Best times"
    unsigned totalNimi;   // a name in the totals, in characters
    unsigned parhaatNimi; // a name in the best times, in characters
};
constexpr HtmlSarakkeet SARAKKEET{50, 130, 300, 300, 150, 200, 150, 15, 20};

const char *const TAULU =
    "<code><table rules=\"none\" cellspacing=\"5\" cellpadding=\"0\" border=\"0\">\n";
const char *const TAULU_LOPPU = "</table></code>\n";
const char *const KEHYS =
    "<table width=\"100%\" border=\"0\" rules=\"none\" cellspacing=\"0\" cellpadding=\"0\">\n";

// The figures of the page after its levels.
struct Sivunluvut {
    Kokoelmanluvut luvut;
    // The totals before the penalties, when the stat-file copy can take them as they are.
    std::vector<Pelaaja> kerrytyt;
    bool jaetut = false;
};

// A name in a visible cell: padded by its own characters, then escaped.
std::string solu(const std::string &nimi, unsigned leveys) {
    return htmlSuojaa(pidenna(nimi, leveys));
}

// The opening of a heading cell that declares its width.
std::string leveys(unsigned pikselit) { return "<td width=\"" + int2string(pikselit) + "\">"; }

void tulostaAlku(std::ostream &out, const std::string &title, const std::string &paivitetty,
                 const Tulostusasetukset &options) {
    out << "<title>" << title << "</title></head>\n<body>\n";
    out << "<body bgcolor=\"#001122\" link=\"#000000\" vlink=\"#000000\" alink=\"#000000\">\n";
    out << KEHYS;
    out << "<tr height=\"60\"><td height=\"100%\" width=\"100%\" bgcolor=\"#14b0fc\"><h1 "
           "align=\"center\" valign=\"middle\"><big>"
        << title << "</big></h1></td></tr>\n";
    out << "</table>\n" << KEHYS;
    out << "<tr height=\"5\"><td bgcolor=\"#14b0fc\" width=\"50\"><td bgcolor=\"#001122\" "
           "width=\"5\"><td bgcolor=\"#001122\" width=\"20\"></td><td "
           "bgcolor=\"#001122\"></td><td bgcolor=\"#001122\" width=\"20\"><td "
           "bgcolor=\"#001122\" width=\"2\"><td bgcolor=\"#14b0fc\" width=\"50\"></tr>\n";
    out << "<tr height=\"200\"><td bgcolor=\"#14b0fc\" width=\"50\"></td>\n";
    out << "<td bgcolor=\"#001122\"></td>\n<td bgcolor=\"#b4e0fc\"></td>\n";
    out << "<td bgcolor=\"#b4e0fc\" valign=\"top\">\n\n\n\n\n";
    out << "<p><br></p><font face=\"arial\">\n<h1>Best Times</h1>\n";
    out << "<p>Times updated " << paivitetty << ". \n";
    if (options.lihavoiUudet)
        out << "New times in bold.\n";
    out << "</p>\n";
}

// `voittoajat`: the sum of the winning times of the single player and the multiplayer table.
void tulostaLevelit(std::ostream &out, const std::vector<Level> &levels,
                    const Tulostusasetukset &options, const std::array<Aika, 2> &voittoajat,
                    std::ostream &konsoli) {
    kayLevelit(levels, options, konsoli,
               {[&](bool multi) {
                    out << (multi ? "<br><h2>Multiplayer times:</h2><br>\n"
                                  : "<br><h2>Single player times:</h2><br>\n");
                    out << TAULU << "<tr>" << leveys(SARAKKEET.numero)
                        << "<b>No.</b><td><b>Level Name&nbsp;&nbsp;</b></td>"
                        << leveys(SARAKKEET.aika) << "<b>Best Time</b></td>"
                        << leveys(SARAKKEET.kuljettaja) << "<b>Driver</b></td></tr>\n\n";
                },
                [&](bool multi, unsigned numero, const Level &level) {
                    out << "<tr><td>" << numero << ".</td><td>" << htmlSuojaa(level.annaNimi())
                        << "<br></td>\n";
                    level.tulostaAjot(out, options, multi, true);
                    out << "</tr>\n";
                },
                [&](bool multi) {
                    out << "<tr><td></td><td><b>Total:</b></td><td><b>"
                        << voittoajat[multi ? 1 : 0].str() << "</b></td><td></td></tr>\n"
                        << TAULU_LOPPU;
                }});
}

// Without teams the stat-file copy counts the same rows in the same order (it has no bold,
// which only marks rows), so they are counted once for both. Team rows take part in the
// ranking (and may share a player's name), so with teams each counts its own.
Sivunluvut laskeSivunluvut(const std::vector<Level> &levels, const Tulostusasetukset &options,
                           const std::vector<unsigned> &cupTaulukko, std::ostream &konsoli,
                           TotaliMuisti *muisti) {
    Sivunluvut s;
    s.jaetut = !options.tiimit;
    const unsigned listattuja = listattujenLkm(levels, options);
    std::vector<Pelaaja> rivit;
    if (s.jaetut) {
        konsoli << "Calculating total times...\n";
        s.kerrytyt = laskeKokoelmanTotalit(levels, options, cupTaulukko, &konsoli, muisti);
        rivit = s.kerrytyt;
        lisaaRangaistukset(rivit, listattuja);
    } else {
        rivit = laskeSijoitetutTotalit(levels, options, cupTaulukko, listattuja, konsoli, muisti);
    }
    s.luvut = laskeKokoelmanluvut(std::move(rivit), levels, options);
    return s;
}

void tulostaTotalOtsikko(std::ostream &out, const char *sarake, bool lapaistyt) {
    out << TAULU << "<tr>" << leveys(SARAKKEET.numero) << "<b>Pos.</b>" << leveys(SARAKKEET.nimi)
        << "<b>" << sarake << "</b></td>" << leveys(SARAKKEET.totalAika)
        << "<b>Total Time</b></td>";
    if (lapaistyt)
        out << leveys(SARAKKEET.lapaistyt) << "<b>Levels finished</b></td>\n";
    out << "</tr>\n";
}

void tulostaTotalRivit(std::ostream &out, const std::vector<Pelaaja> &rivit, bool lapaistyt,
                       size_t levelLkm) {
    unsigned numero = 0;
    for (const Pelaaja &p : rivit) {
        const char *b = p.uusiAika ? "<b>" : "";
        out << "<tr><td>" << b << ++numero << ".</td><td>" << b << solu(p.nimi, SARAKKEET.totalNimi)
            << "</td><td>" << b << p.totalAika.str() << "</td>";
        if (lapaistyt) {
            out << "<td>" << b;
            if (p.levelienLkm < levelLkm)
                out << p.levelienLkm;
            else
                out << "all";
            out << "</td>";
        }
        out << "</tr>\n";
    }
    out << TAULU_LOPPU;
}

void tulostaTotalit(std::ostream &out, const Kokoelmanluvut &luvut, bool lapaistyt,
                    size_t levelLkm) {
    out << "<br><h1>Total times</h1>\n";
    tulostaTotalOtsikko(out, "Player", lapaistyt);
    tulostaTotalRivit(out, luvut.pelaajat, lapaistyt, levelLkm);
    if (luvut.tiimit.empty())
        return;
    out << "<br><h2>Team total times:</h2><br>\n";
    tulostaTotalOtsikko(out, "Team", lapaistyt);
    tulostaTotalRivit(out, luvut.tiimit, lapaistyt, levelLkm);
}

// A table of counts of best times; its heading row is left open, as the page always had it.
void tulostaParhaat(std::ostream &out, const char *sarake, const std::vector<Pelaaja> &rivit) {
    out << TAULU << "<tr>" << leveys(SARAKKEET.numero) << "<b>Pos.</b>" << leveys(SARAKKEET.nimi)
        << "<b>" << sarake << "</b></td>" << leveys(SARAKKEET.parhaat) << "<b>Best times</b></td>";
    unsigned numero = 0;
    for (const Pelaaja &p : rivit) {
        const char *b = p.uusiAika ? "<b>" : "";
        out << "<tr><td>" << b << ++numero << ".</td><td>" << b
            << solu(p.nimi, SARAKKEET.parhaatNimi) << "</td><td>" << b << p.parhaidenLkm
            << "</td></tr>\n";
    }
    out << TAULU_LOPPU;
}

void tulostaLisatilastot(std::ostream &out, const Kokoelmanluvut &luvut) {
    out << "<br><h1>Extra statistics:</h1><p>\n";
    if (const Level *l = luvut.aari.lyhin)
        out << "  Shortest level was " << htmlSuojaa(l->annaNimi()) << " with winning time "
            << l->parasAika().str() << "<br>\n";
    if (const Level *l = luvut.aari.pisin)
        out << "  Longest level was " << htmlSuojaa(l->annaNimi()) << " with winning time "
            << l->parasAika().str() << "<br>\n";
    if (luvut.anonyymi.lapaistyja > 0)
        out << "  Average winning time was "
            << (luvut.anonyymi.voittoajat / luvut.anonyymi.lapaistyja).str() << "<br>\n";
    out << "</p>\n";
    out << "<h2>Amount of best times of players:</h2>\n";
    tulostaParhaat(out, "Player", luvut.parhaatPelaajat);
    if (luvut.parhaatTiimit.empty())
        return;
    out << "<h2>Amount of best times of teams:</h2>\n";
    tulostaParhaat(out, "Team", luvut.parhaatTiimit);
}

void tulostaLoppu(std::ostream &out, const std::string &url, const std::string &paivitetty) {
    out << "\n\n\n\n<br><br><br></td><td bgcolor=\"#b4e0fc\"></td><td bgcolor=\"#001122\"></td>\n";
    out << "<td bgcolor=\"#14b0fc\"></td></tr>\n<tr height=\"2\"><td bgcolor=\"#14b0fc\"></td>\n";
    for (int i = 0; i < 5; ++i)
        out << "<td bgcolor=\"#001122\"></td>\n";
    out << "<td bgcolor=\"#14b0fc\"></td></tr></table>\n" << KEHYS;
    out << "<tr height=\"50\"><td bgcolor=\"#14b0fc\"><p align=\"center\"><font face=\"tahoma\">\n";
    out << "<small>This text file was generated by <a href=" << url << ">" << VERSION << "</a> "
        << paivitetty << "</small></font>\n</p></td></tr>\n</table>\n";
}

// The collection in the stat file's layout inside the closing comment, for reading back.
void tulostaKopio(std::ostream &out, const std::vector<Level> &levels,
                  const Tulostusasetukset &options, const std::vector<unsigned> &cupTaulukko,
                  std::ostream &konsoli, const Kello &kello, const Sivunluvut &s,
                  TotaliMuisti *muisti) {
    out << "<!--\n" << HTML_KOPION_ALKU << "\n";
    konsoli << "Printing times also in stat.txt format...\n";
    Tulostusasetukset upotettu;
    upotettu.tyhjatLevelit = true;
    upotettu.vainParas = options.vainParas;
    upotettu.keskiarvoYksi = false;
    upotettu.keskiarvoUseita = false;
    upotettu.lihavoiUudet = false;
    upotettu.kaikkiAjat = true;
    upotettu.lapaistyt = false;
    upotettu.multiAjat = true;
    upotettu.tiimit = false;
    upotettu.lisatilastot = false;
    std::ostringstream kopio;
    tulostaStats(kopio, levels, upotettu, true, cupTaulukko, konsoli, kello,
                 s.jaetut ? &s.kerrytyt : nullptr, muisti);
    out << kommenttiin(kopio.str());
    out << "\n-->\n</body>\n</html>\n";
}

} // namespace

void tulostaHtml(std::ostream &sivu, const std::vector<Level> &levels, Tulostusasetukset options,
                 bool enabled, const std::string &title, const std::vector<unsigned> &cupTaulukko,
                 const std::string &url, std::ostream &konsoli, const Kello &kello,
                 TotaliMuisti *muisti) {
    if (!enabled)
        return;
    const std::string paivitetty = aikaleima(kello);
    // The page after its head is made first: the head declares the encoding the whole page has.
    std::ostringstream out;
    tulostaAlku(out, title, paivitetty, options);
    const std::array<Aika, 2> voittoajat = {listattujenVoittoajat(levels, options, false),
                                            listattujenVoittoajat(levels, options, true)};
    tulostaLevelit(out, levels, options, voittoajat, konsoli);
    const Sivunluvut s = laskeSivunluvut(levels, options, cupTaulukko, konsoli, muisti);
    tulostaTotalit(out, s.luvut, options.lapaistyt, levels.size());
    if (options.lisatilastot) {
        konsoli << "Generating extra statistics...\n";
        tulostaLisatilastot(out, s.luvut);
    }
    tulostaLoppu(out, url, paivitetty);
    tulostaKopio(out, levels, options, cupTaulukko, konsoli, kello, s, muisti);
    const std::string runko = std::move(out).str();
    sivu << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n\n<html>\n<head>"
         << htmlMetaRivit(onUtf8(runko), "") << runko;
}

} // namespace vt
