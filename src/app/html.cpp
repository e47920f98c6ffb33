// Option 11: the HTML results page.
#include "app/tallennus.h"
#include "app/vakiot.h"
#include "stats/tulostahtml.h"
#include "util/teksti.h"

#include <ostream>

namespace vt {

std::string oletusOtsikko(const std::string &nimi) {
    std::string otsikko = nimi.substr(0, nimi.find('.'));
    return otsikko.find(HTMLTIEDOSTO_ALKU) != std::string::npos ? OLETUSTITLE : otsikko;
}

namespace {

// The page's title; the default is the one proposed for the file's name.
std::string kysyOtsikko(Tila &t, const std::string &nimi) {
    const std::string oletus = oletusOtsikko(nimi);
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
                        t.kello, &t.totalit);
        });
}

} // namespace vt
