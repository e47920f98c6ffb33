// Option 11: the HTML results page.
#include "app/tallennus.h"
#include "app/vakiot.h"
#include "stats/tulostahtml.h"
#include "util/teksti.h"

#include <ostream>

namespace vt {

namespace {

// The page's title; the default is the file name without its extension, unless that is one
// of the proposed names.
std::string kysyOtsikko(Tila &t, const std::string &nimi) {
    std::string oletus = nimi.substr(0, nimi.find('.'));
    if (oletus.find(HTMLTIEDOSTO_ALKU) != std::string::npos)
        oletus = OLETUSTITLE;
    t.konsoli.kehota("Give a title to the html (default: " + oletus + "): ");
    std::string otsikko = lyhenna(t.konsoli.lueRivi());
    return onkotyhja(otsikko) ? oletus : otsikko;
}

} // namespace

void tallennaHtml(Tila &t) {
    std::string otsikko;
    tallennaDialogilla(
        t, {".html", HTMLTIEDOSTO_ALKU},
        [&](const std::string &nimi) { otsikko = kysyOtsikko(t, nimi); },
        [&](std::ostream &out) {
            tulostaHtml(out, t.levelit, t.asetukset, true, otsikko, t.pistetaulukko, URL, t.ulos(),
                        t.kello);
        });
}

} // namespace vt
