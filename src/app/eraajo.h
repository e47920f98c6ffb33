#pragma once
// The batch commands: the files of the command line loaded as option 1 loads them and one
// output written as the menu's saving option writes it.
#include "app/vakiot.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vt {

// One command line, as parsed.
struct Erakomento {
    std::string komento; // stat, html, cup, battles or show
    std::vector<std::string> tiedostot;
    std::string tuloste; // "-" for standard output
    bool pakota = false;
    bool uusi = false;
    bool hiljaa = false;
    std::optional<std::string> asetustiedosto; // given with --config
    std::vector<std::pair<unsigned, bool>> asetukset;
    std::optional<std::string> pistetiedosto;
    std::optional<std::string> nimitiedosto;
    std::optional<std::string> otsikko;
    unsigned level = 0; // cup --level N, from 1
    bool tiimit = false;
    bool eiTietoja = false;
    bool html = false;
    unsigned bonus = 1;
    bool seuraa = false;
};

// The first line of every usage error's help.
extern const char *const LYHYT_KAYTTO;

// Runs the command; gives the exit status: 0 written, 1 a file could not be read or written
// (or the output exists without `pakota`), 2 a usage error found only after loading.
int ajaErakomento(const Erakomento &k, std::ostream &out, std::ostream &virheet);

} // namespace vt
