#include "app/komentorivi.h"

#include "util/versio.h"

#include <ostream>
#include <string>

namespace vt {

namespace {

const char *const KAYTTO =
    "Usage: vaskitaulu [--help | --version]\n"
    "\n"
    "Merges the stat files of a motorbike game's players into one collection and\n"
    "writes it as a stat file, an HTML results page, cup tables, a battle file read\n"
    "from IRC channel logs, or the results sheet of an event of a series.\n"
    "\n"
    "The program is driven by its numbered menu: start it without arguments and type\n"
    "the number of an option. Every answer is one line, so a script can drive it\n"
    "through standard input; the end of the input ends the program.\n"
    "\n"
    "Side files read from the current folder: vaskitaulu_config.txt (print options),\n"
    "vaskitaulu_cuppoints.txt (cup points), vaskitaulu_nicks.txt (nick aliases),\n"
    "vaskitaulu_players.txt, nationalities.txt and stat.txt (event series).\n"
    "\n"
    "Manual: man vaskitaulu; user guide: /usr/share/doc/vaskitaulu/Readme.txt\n";

} // namespace

std::optional<int> kasitteleArgumentit(int argc, const char *const *argv, std::ostream &out,
                                       std::ostream &virheet) {
    if (argc <= 1)
        return std::nullopt;
    const std::string a = argv[1];
    if (argc == 2 && a == "--help") {
        out << KAYTTO;
        return 0;
    }
    if (argc == 2 && a == "--version") {
        out << VERSION << "\n";
        return 0;
    }
    const std::string vaara = a == "--help" || a == "--version" ? argv[2] : a;
    virheet << "vaskitaulu: unknown argument '" << vaara << "'\n" << KAYTTO;
    return 2;
}

} // namespace vt
