// The one file that knows the argument parser (CLI11).
#include "app/komentorivi.h"

#include "app/eraajo.h"
#include "model/tulostusasetukset.h"
#include "util/versio.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <ostream>
#include <regex>
#include <string>
#include <system_error>

namespace vt {

namespace {

const char *const KAYTTO =
    "Usage: vaskitaulu                                the menu\n"
    "       vaskitaulu COMMAND [OPTION]... FILE...    one job for a script\n"
    "       vaskitaulu --help | --version\n"
    "\n"
    "Merges the stat files of a motorbike game's players into one collection and\n"
    "writes it as a stat file, an HTML results page, cup tables, a battle file read\n"
    "from IRC channel logs, or the results sheet of an event of a series.\n"
    "\n"
    "Without arguments the program is driven by its numbered menu: type the number of\n"
    "an option. Every answer is one line; the end of the input ends the program.\n"
    "\n"
    "A COMMAND loads the FILEs in order as option 1 of the menu does (stat files,\n"
    "the program's own stat files, pages and one-level cup tables; a name containing\n"
    "\".log\" is a channel log with every battle added), writes one output with the\n"
    "bytes the menu's option writes, and exits:\n"
    "  stat      the stat file with totals (option 10)\n"
    "  html      the HTML results page (option 11)      --title TEXT\n"
    "  cup       a cup table: --level N (option 12), --players (13) or --teams (14);\n"
    "            --no-details\n"
    "  battles   the battle file (option 15)            --html, --bonus N (0-1000,\n"
    "            default 1), --follow (rewrite the output as the logs grow, until\n"
    "            SIGINT or SIGTERM)\n"
    "  show      the collection on standard output (option 8)\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE   the file to write; \"-\" is standard output; required but\n"
    "                      for show. A regular file is replaced through a temporary\n"
    "                      file in its folder, so a failed run leaves the old one.\n"
    "  -f, --force         replace FILE when it exists (else that is an error)\n"
    "  --new               merge the times as new (as answering 2 to old/new)\n"
    "  --config FILE       print options from FILE in the config file's layout\n"
    "                      (default vaskitaulu_config.txt)\n"
    "  --set N=0|1         set print option N, repeatable, applied after --config\n"
    "                      (setting 4 to 1 also sets 3, as option 9 does):\n"
    "@OPTIONS@"
    "  --points FILE       cup points (default vaskitaulu_cuppoints.txt)\n"
    "  --nicks FILE        nick aliases (default vaskitaulu_nicks.txt)\n"
    "  -q, --quiet         no progress or load report on standard error\n"
    "  -h, --help          this text\n"
    "  -V, --version       the version\n"
    "\n"
    "Standard output carries only the output of \"-o -\" and of show; reports,\n"
    "progress and errors go to standard error.\n"
    "\n"
    "Exit status: 0 the output was written; 1 a file could not be read or written,\n"
    "or the output exists without -f (nothing is written then); 2 a usage error.\n"
    "The menu exits with 1 when a file could not be opened, read or written.\n"
    "\n"
    "Side files read from the current folder: vaskitaulu_config.txt (print options),\n"
    "vaskitaulu_cuppoints.txt (cup points), vaskitaulu_nicks.txt (nick aliases),\n"
    "vaskitaulu_players.txt, nationalities.txt and stat.txt (event series).\n"
    "\n"
    "Manual: man vaskitaulu; user guide: /usr/share/doc/vaskitaulu/Readme.txt\n";

std::string kayttoteksti() {
    std::string asetukset;
    for (unsigned i = 1; i <= ASETUSKOHDAT.size(); ++i)
        asetukset += std::string(i < 10 ? "                       " : "                      ") +
                     std::to_string(i) + ". " + ASETUSKOHDAT[i - 1].teksti + " (default " +
                     (ASETUSKOHDAT[i - 1].oletus ? "1" : "0") + ")\n";
    std::string teksti = KAYTTO;
    teksti.replace(teksti.find("@OPTIONS@"), 9, asetukset);
    return teksti;
}

// Writes the text asked for; a write that fails (a full disk, a closed pipe) is an error.
int tulosta(const std::string &teksti, std::ostream &out, std::ostream &virheet) {
    errno = 0;
    out << teksti;
    out.flush();
    if (out)
        return 0;
    virheet << "vaskitaulu: standard output: "
            << std::error_code(errno ? errno : EIO, std::generic_category()).message() << "\n";
    return 1;
}

int kayttovirhe(const std::string &viesti, std::ostream &virheet) {
    virheet << "vaskitaulu: " << viesti << "\n" << LYHYT_KAYTTO;
    return 2;
}

const char *const KOMENNOT[] = {"stat", "html", "cup", "battles", "show"};

// The options every command takes.
void yhteiset(CLI::App &c, Erakomento &k, std::vector<std::string> &asetukset) {
    c.add_flag("--new", k.uusi);
    c.add_option("--config", k.asetustiedosto);
    c.add_option("--set", asetukset)->allow_extra_args(false);
    c.add_option("--points", k.pistetiedosto);
    c.add_option("--nicks", k.nimitiedosto);
    c.add_flag("-q,--quiet", k.hiljaa);
    c.add_option("FILE", k.tiedostot)->required();
}

// Checks what the parser cannot; an empty text when all is well.
std::string tarkista(Erakomento &k, const std::vector<std::string> &asetukset, bool pelaajat) {
    static const std::regex muoto("(10|[1-9])=([01])");
    for (const std::string &a : asetukset) {
        std::smatch m;
        if (!std::regex_match(a, m, muoto))
            return "--set " + a + ": give N=0 or N=1 with N from 1 to 10";
        k.asetukset.emplace_back(static_cast<unsigned>(std::stoul(m[1])), m[2] == "1");
    }
    if (k.komento == "cup") {
        const int valintoja = (k.level > 0) + pelaajat + k.tiimit;
        if (valintoja != 1)
            return "cup needs one of --level N, --players or --teams";
        if (k.level > 0 && k.eiTietoja)
            return "--no-details goes with --players or --teams";
    }
    if (k.seuraa && k.tuloste == "-")
        return "--follow needs an output file";
    return "";
}

} // namespace

std::optional<int> kasitteleArgumentit(int argc, const char *const *argv, std::ostream &out,
                                       std::ostream &virheet) {
    if (argc <= 1)
        return std::nullopt;
    const std::string ensimmainen = argv[1];
    if (!ensimmainen.empty() && ensimmainen[0] != '-' &&
        std::find(std::begin(KOMENNOT), std::end(KOMENNOT), ensimmainen) == std::end(KOMENNOT))
        return kayttovirhe("unknown command '" + ensimmainen + "'", virheet);

    Erakomento k;
    std::vector<std::string> asetukset;
    bool pelaajat = false;
    CLI::App app{"", "vaskitaulu"};
    app.set_help_flag("-h,--help");
    app.set_version_flag("-V,--version", VERSION);
    app.require_subcommand(0, 1);
    for (const char *nimi : KOMENNOT) {
        CLI::App *c = app.add_subcommand(nimi);
        c->set_help_flag("-h,--help");
        const std::string komento = nimi;
        if (komento != "show") {
            c->add_option("-o,--output", k.tuloste)->required();
            c->add_flag("-f,--force", k.pakota);
        }
        yhteiset(*c, k, asetukset);
        if (komento == "html")
            c->add_option("--title", k.otsikko);
        if (komento == "cup") {
            c->add_option("--level", k.level)->check(CLI::Range(1u, 1000000000u));
            c->add_flag("--players", pelaajat);
            c->add_flag("--teams", k.tiimit);
            c->add_flag("--no-details", k.eiTietoja);
        }
        if (komento == "battles") {
            c->add_flag("--html", k.html);
            c->add_option("--bonus", k.bonus)->check(CLI::Range(0u, 1000u));
            c->add_flag("--follow", k.seuraa);
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp &) {
        return tulosta(kayttoteksti(), out, virheet);
    } catch (const CLI::CallForVersion &) {
        return tulosta(VERSION + "\n", out, virheet);
    } catch (const CLI::ParseError &e) {
        return kayttovirhe(e.what(), virheet);
    }
    for (const CLI::App *c : app.get_subcommands())
        k.komento = c->get_name();
    if (k.komento.empty())
        return kayttovirhe("a command is missing", virheet);
    if (const std::string vika = tarkista(k, asetukset, pelaajat); !vika.empty())
        return kayttovirhe(vika, virheet);
    return ajaErakomento(k, out, virheet);
}

} // namespace vt
