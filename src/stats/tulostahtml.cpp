#include "stats/tulostahtml.h"

#include "model/jarjestykset.h"
#include "model/totalit.h"
#include "stats/levelikierros.h"
#include "stats/luestats.h"
#include "stats/tulostastats.h"
#include "util/nayttoleveys.h"
#include "util/teksti.h"
#include "util/versio.h"

#include <functional>
#include <ostream>
#include <sstream>
#include <utility>

namespace vt {

namespace {

const char *const TAULU =
    "<code><table rules=\"none\" cellspacing=\"5\" cellpadding=\"0\" border=\"0\">\n";

// A name in a visible cell: padded by its own characters, then escaped.
std::string solu(const std::string &nimi, unsigned leveys) {
    return htmlSuojaa(pidenna(nimi, leveys));
}

} // namespace

void tulostaHtml(std::ostream &sivu, const std::vector<Level> &levels, Tulostusasetukset options,
                 bool enabled, const std::string &title, const std::vector<unsigned> &cupTaulukko,
                 const std::string &url, std::ostream &konsoli, const Kello &kello) {
    if (!enabled)
        return;
    const std::string paivitetty = aikaleima(kello);
    const size_t levelLkm = levels.size();

    // The page after its head is made first: the head declares the encoding the whole page has.
    std::ostringstream out;
    out << "<title>" << title << "</title></head>\n<body>\n";
    out << "<body bgcolor=\"#001122\" link=\"#000000\" vlink=\"#000000\" alink=\"#000000\">\n";
    out << "<table width=\"100%\" border=\"0\" rules=\"none\" cellspacing=\"0\" "
           "cellpadding=\"0\">\n";
    out << "<tr height=\"60\"><td height=\"100%\" width=\"100%\" bgcolor=\"#14b0fc\"><h1 "
           "align=\"center\" valign=\"middle\"><big>"
        << title << "</big></h1></td></tr>\n";
    out << "</table>\n<table width=\"100%\" border=\"0\" rules=\"none\" cellspacing=\"0\" "
           "cellpadding=\"0\">\n";
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

    Aika summa;
    const unsigned piilotettuja = kayLevelit(
        levels, options, konsoli,
        {[&](bool multi) {
             out << (multi ? "<br><h2>Multiplayer times:</h2><br>\n"
                           : "<br><h2>Single player times:</h2><br>\n");
             out << TAULU;
             out << "<tr><td width=\"50\"><b>No.</b><td><b>Level Name&nbsp;&nbsp;</b></td><td "
                    "width=\"130\"><b>Best Time</b></td><td "
                    "width=\"300\"><b>Driver</b></td></tr>\n\n";
             summa = Aika();
         },
         [&](bool multi, unsigned numero, const Level &level) {
             out << "<tr><td>" << numero << ".</td><td>" << htmlSuojaa(level.annaNimi())
                 << "<br></td>\n";
             level.tulostaAjot(out, options, multi, true);
             out << "</tr>\n";
             summa = summa + level.parasAika(multi);
         },
         [&](bool) {
             out << "<tr><td></td><td><b>Total:</b></td><td><b>" << summa.str()
                 << "</b></td><td></td></tr>\n</table></code>\n";
         }});

    out << "<br><h1>Total times</h1>\n";
    // The data copy below counts the totals without teams and without bold: without teams
    // here too the rows and their order are the same (bold only marks rows), so they are
    // counted once for both. Team rows take part in the ranking (and may share a player's
    // name), so with teams each counts its own.
    const bool jaetut = !options.tiimit;
    const auto listattuja = static_cast<unsigned>(levelLkm - piilotettuja);
    std::vector<Pelaaja> kerrytyt;
    std::vector<Pelaaja> rivit;
    if (jaetut) {
        konsoli << "Calculating total times...\n";
        kerrytyt = laskeKokoelmanTotalit(levels, options, cupTaulukko, &konsoli);
        rivit = kerrytyt;
        lisaaRangaistukset(rivit, listattuja);
    } else {
        rivit = laskeSijoitetutTotalit(levels, options, cupTaulukko, listattuja, konsoli);
    }

    auto otsikko = [&](const char *sarake) {
        out << TAULU;
        out << "<tr><td width=\"50\"><b>Pos.</b><td width=\"300\"><b>" << sarake
            << "</b></td><td width=\"150\"><b>Total Time</b></td>";
        if (options.lapaistyt)
            out << "<td width=\"200\"><b>Levels finished</b></td>\n";
        out << "</tr>\n";
    };
    auto totalRivi = [&](const Pelaaja &p, unsigned numero) {
        const char *b = p.uusiAika ? "<b>" : "";
        out << "<tr><td>" << b << numero << ".</td><td>" << b << solu(p.nimi, 15) << "</td><td>"
            << b << p.totalAika.str() << "</td>";
        if (options.lapaistyt) {
            if (p.levelienLkm < levelLkm)
                out << "<td>" << b << p.levelienLkm << "</td>";
            else
                out << "<td>" << b << "all</td>";
        }
        out << "</tr>\n";
    };
    otsikko("Player");
    unsigned ohitettu = 0;
    for (size_t i = 0; i < rivit.size(); ++i) {
        const Pelaaja &p = rivit[i];
        if (p.tiimi || (!options.multiAjat && p.nimi.find(',') != std::string::npos)) {
            ++ohitettu;
            continue;
        }
        totalRivi(p, static_cast<unsigned>(i - ohitettu + 1));
    }
    out << "</table></code>\n";

    // The team rows of a table, numbered from 1, under a heading written before the first.
    auto tiimit = [&](const std::function<void()> &alku,
                      const std::function<void(const Pelaaja &, unsigned)> &rivi) {
        unsigned t = 0;
        for (const Pelaaja &p : rivit) {
            if (!p.tiimi)
                continue;
            if (t == 0)
                alku();
            rivi(p, ++t);
        }
        if (t > 0)
            out << "</table></code>\n";
    };
    if (options.tiimit)
        tiimit(
            [&] {
                out << "<br><h2>Team total times:</h2><br>\n";
                otsikko("Team");
            },
            totalRivi);

    AnonyymiSumma anon = laskeAnonyymi(levels, options);
    if (options.lisatilastot) {
        konsoli << "Generating extra statistics...\n";
        out << "<br><h1>Extra statistics:</h1><p>\n";
        AariLevelit aari = etsiAariLevelit(levels);
        if (aari.lyhin)
            out << "  Shortest level was " << htmlSuojaa(aari.lyhin->annaNimi())
                << " with winning time " << aari.lyhin->parasAika().str() << "<br>\n";
        if (aari.pisin)
            out << "  Longest level was " << htmlSuojaa(aari.pisin->annaNimi())
                << " with winning time " << aari.pisin->parasAika().str() << "<br>\n";
        if (anon.lapaistyja > 0)
            out << "  Average winning time was " << (anon.voittoajat / anon.lapaistyja).str()
                << "<br>\n";
        out << "</p>\n";
        vaihtojarjesta(rivit, rivitParhaidenMukaan());
        auto parhaatRivi = [&](const Pelaaja &p, unsigned numero) {
            const char *b = p.uusiAika ? "<b>" : "";
            out << "<tr><td>" << b << numero << ".</td><td>" << b << solu(p.nimi, 20) << "</td><td>"
                << b << p.parhaidenLkm << "</td></tr>\n";
        };
        out << "<h2>Amount of best times of players:</h2>\n" << TAULU;
        out << "<tr><td width=\"50\"><b>Pos.</b><td width=\"300\"><b>Player</b></td><td "
               "width=\"150\"><b>Best times</b></td>";
        unsigned numero = 0;
        for (const Pelaaja &p : rivit)
            if (!p.tiimi)
                parhaatRivi(p, ++numero);
        out << "</table></code>\n";
        if (options.tiimit)
            tiimit(
                [&] {
                    out << "<h2>Amount of best times of teams:</h2>\n" << TAULU;
                    out << "<tr><td width=\"50\"><b>Pos.</b><td width=\"300\"><b>Team</b></td><td "
                           "width=\"150\"><b>Best times</b></td>";
                },
                parhaatRivi);
    }

    out << "\n\n\n\n<br><br><br></td><td bgcolor=\"#b4e0fc\"></td><td bgcolor=\"#001122\"></td>\n";
    out << "<td bgcolor=\"#14b0fc\"></td></tr>\n<tr height=\"2\"><td bgcolor=\"#14b0fc\"></td>\n";
    for (int i = 0; i < 5; ++i)
        out << "<td bgcolor=\"#001122\"></td>\n";
    out << "<td bgcolor=\"#14b0fc\"></td></tr></table>\n";
    out << "<table width=\"100%\" border=\"0\" rules=\"none\" cellspacing=\"0\" "
           "cellpadding=\"0\">\n";
    out << "<tr height=\"50\"><td bgcolor=\"#14b0fc\"><p align=\"center\"><font face=\"tahoma\">\n";
    out << "<small>This text file was generated by <a href=" << url << ">" << VERSION << "</a> "
        << paivitetty << "</small></font>\n</p></td></tr>\n</table>\n";

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
                 jaetut ? &kerrytyt : nullptr);
    out << kommenttiin(kopio.str());
    out << "\n-->\n</body>\n</html>\n";

    const std::string runko = std::move(out).str();
    sivu << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n\n<html>\n<head>"
         << htmlMetaRivit(onUtf8(runko), "") << runko;
}

} // namespace vt
