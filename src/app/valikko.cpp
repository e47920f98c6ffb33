// Start-up, the one menu table, help and the options menu.
#include "app/valikko.h"

#include "app/tallennus.h"
#include "app/vakiot.h"
#include "model/sivutiedostot.h"
#include "util/teksti.h"

#include <iterator>
#include <ostream>

namespace vt {

const std::string HELP =
    "Help: \n"
    "  To create stat files, you have to (1) choose the stats which you \n"
    "  want to merge and then (2) save the results to file. \n"
    " \n"
    "  (1) Choose the stats you want by pressing \"1\" (and enter) in the menu \n"
    "  and then entering the filename in relative or absolute form. \n"
    "  The easiest way to merge stat files is to put this program in the \n"
    "  same directory with the files. \n"
    "  You can also add times manually by pressing \"2\" in the menu. \n"
    "  After you have chosen all stats, you can remove or rename levels and \n"
    "  players with options 3-7. Option 8 is used for examining the stats \n"
    "  before saving them into file. \n"
    " \n"
    "  (2) Save the results into stat file by pressing \"10\". After that give \n"
    "  a filename to the stat file. If you want to create a html file instead of \n"
    "  txt file, use option \"11\". If you are creating cup stats, use options \n"
    "  12-14. You can affect to stat files format in \"9\". You can find there \n"
    "  multiple options, which all have some kind of effect on the printing format.\n"
    "  \n"
    "  You can also read irc battle log files by pressing \"1\" and save as \n"
    "  sarjakisa -type stat file by pressing \"15\" or make sorakisa\n"
    "  statistics by choosing option \"16\".\n"
    "  \n"
    "  For more help, read Readme.txt.";

void naytaOhje(Tila &t) {
    tyhjennaruutu(t.konsoli);
    t.ulos() << HELP;
}

void muutaAsetuksia(Tila &t) {
    for (;;) {
        tyhjennaruutu(t.konsoli);
        t.ulos() << "Options when printing times to file:\n\n";
        t.ulos() << "     Option:" << std::string(49, ' ') << "Current state:\n";
        t.ulos() << std::string(76, '-') << "\n";
        for (unsigned i = 1; i <= ASETUSKOHDAT.size(); ++i) {
            const std::string rivi =
                (i < 10 ? "  " : " ") + int2string(i) + ". " + ASETUSKOHDAT[i - 1].teksti;
            t.ulos() << pidenna(rivi, 62) << (t.asetukset.kohta(i) ? "ON" : "OFF") << "\n";
        }
        t.ulos() << " 11. Exit to main menu\n";
        unsigned n = kysyluku(t.konsoli, "Give a number (1-11): ", 1, 11, false);
        if (n == 11)
            return;
        t.asetukset.asetaKohta(n, !t.asetukset.kohta(n));
    }
}

namespace {

struct Komento {
    unsigned numero;
    const char *teksti;
    void (*suorita)(Tila &);
    bool tarvitseeLeveleita = false; // "No levels." instead of the command on an empty collection
};

const Komento KOMENNOT[] = {
    {1, "Add a stat file", lisaaStatTiedosto},
    {2, "Add times manually", lisaaAikojaKasin},
    {3, "Rename player", nimeaPelaaja},
    {4, "Remove player", poistaPelaaja},
    {5, "Rename level", nimeaLevel},
    {6, "Remove level", poistaLevel},
    {7, "Remove time", poistaAika},
    {8, "Show all levels and times", naytaKaikki, true},
    {9, "Change options", muutaAsetuksia},
    {10, "Save as stat file", tallennaStats, true},
    {11, "Save results in html", tallennaHtml, true},
    {12, "Save cup table (one level results)", tallennaLevelinCup, true},
    {13, "Save cup table (players)", tallennaPelaajienCup, true},
    {14, "Save cup table (teams)", tallennaTiimienCup, true},
    {15, "Save as sarjakisa stat file", tallennaBattlet, true},
    {16, "Make sorakisa statistics", teeSorakisa, true},
    {17, "Help", naytaOhje},
    {18, "Exit", [](Tila &t) { t.lopetus = true; }},
};

void lueSivutiedostot(Tila &t) {
    t.asetukset = Tulostusasetukset();
    lueAsetustiedosto(ASETUSTIEDOSTO, t.asetukset);
    const bool virhe = luePistetiedosto(PISTETIEDOSTO, t.pistetaulukko);
    if (t.pistetaulukko.empty())
        t.pistetaulukko = oletusPisteet();
    if (virhe)
        t.ulos() << "ERROR in " << PISTETIEDOSTO << ": Points must be in range 0 - 1000.\n\n";
}

} // namespace

int ajaOhjelma(Tila &t) {
    try {
        lueSivutiedostot(t);
        bool ensimmainen = true;
        while (!t.lopetus) {
            if (!ensimmainen) {
                tauko(t.konsoli);
                tyhjennaruutu(t.konsoli);
            }
            ensimmainen = false;
            t.ulos() << " " << VERSION << "\n" << std::string(36, '-') << "\n\n";
            t.ulos() << " Choose: \n";
            for (const Komento &k : KOMENNOT)
                t.ulos() << "   " << k.numero << ". " << k.teksti << "\n";
            unsigned aikoja = 0;
            for (const Level &l : t.levelit)
                aikoja += l.annaAjojenLkm();
            t.ulos() << "(currently " << t.levelit.size() << " levels and " << aikoja
                     << " times loaded into memory)\n";
            const auto viimeinen = static_cast<unsigned>(std::size(KOMENNOT));
            const unsigned valinta =
                kysyluku(t.konsoli, "Give a number (1-" + int2string(viimeinen) + "): ", 1,
                         viimeinen, false);
            for (const Komento &k : KOMENNOT)
                if (k.numero == valinta && (!k.tarvitseeLeveleita || onLeveleita(t)))
                    k.suorita(t);
            t.ulos() << "\n";
        }
    } catch (const SyoteLoppui &) {
        // End of input: stop here, writing nothing more.
    }
    t.ulos().flush();
    return t.tiedostoVirheita ? 1 : 0;
}

} // namespace vt
