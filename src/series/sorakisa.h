#pragma once
// One event of the series: the standing of every run and the results sheet.
#include "model/level.h"
#include "util/kello.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace vt {

// Registered, uploaded and checked, or accepted by hand.
bool tuloksissa(const Ajo &ajo);

// The "Current situation: " table of the event's runs.
void tulostaTilanne(std::ostream &out, const std::vector<Ajo> &ajot);

// The event number: the digits of the level name without leading zeros (may be empty).
std::string tapahtumanNumero(const std::string &levelNimi);

// The proposed name of the sheet: "sorakisa" and the number in at least three digits, or
// without a number the first free `alku`01.txt to `alku`99.txt.
std::string sorakisanOletusnimi(const std::string &numero, const std::string &alku,
                                const std::function<bool(const std::string &)> &olemassa);

struct SorakisanOtsikko {
    std::string numero;
    std::string tekija;
    std::string paivamaara;
    std::string aika;
};

// The results sheet: the runs in the results, ranked, with points n + 5 for the winner and
// n - i after.
void tulostaSorakisa(std::ostream &out, const std::vector<Ajo> &jarjestyksessa,
                     const SorakisanOtsikko &otsikko, const Kello &kello);

} // namespace vt
