#include "stats/luestats.h"

#include "util/paikkahakemisto.h"
#include "util/syote.h"
#include "util/teksti.h"

#include <cassert>
#include <cstddef>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

std::string etsiLevel(const std::string &rivi) {
    size_t pilkku = rivi.find(',');
    size_t kaksoispiste = rivi.find(':');
    if (rivi.find("Level") == std::string::npos || pilkku == std::string::npos ||
        kaksoispiste == std::string::npos)
        return "";
    size_t a = rivi.find('(');
    size_t b = rivi.find(')');
    const std::string_view r = rivi;
    if (a != std::string::npos && b != std::string::npos && a < b)
        return std::string(lyhennetty(r.substr(a + 1, b - a - 1)));
    if (pilkku < kaksoispiste)
        return std::string(lyhennetty(r.substr(pilkku + 1, kaksoispiste - pilkku - 1)));
    return std::string(lyhennetty(r.substr(pilkku + 1)));
}

namespace {

// The text before the last word (of the trimmed text), or after the first one.
std::string_view ennenViimeistaSanaa(std::string_view s) {
    const std::string_view t = lyhennetty(s);
    const std::string_view viimeinen = viimeinenSana(t);
    return viimeinen.empty() ? t
                             : t.substr(0, static_cast<std::size_t>(viimeinen.data() - t.data()));
}

std::string_view ensimmaisenSananJalkeen(std::string_view s) {
    std::size_t kohta = 0;
    std::string_view sana;
    seuraavaSana(s, kohta, sana);
    return s.substr(kohta);
}

// The levels of the collection by their merge key: the places of the levels by the hashes of
// their keys. Keys are made and compared only where the hashes agree, so a new level costs one
// probe and no stored text.
class TasoHakemisto {
  public:
    explicit TasoHakemisto(const std::vector<Level> &levelit) : levelit_(levelit) {
        for (std::size_t i = 0; i < levelit.size(); ++i) {
            const std::string avain = levelinAvain(levelit[i].annaNimi());
            if (etsi(avain) == EI)
                lisaa(avain, i); // of levels with the same key, the first one is the match
        }
    }

    static constexpr std::size_t EI = PaikkaHakemisto::EI;

    // The level with this key, or EI.
    std::size_t etsi(const std::string &avain) const {
        return paikat_.etsi(std::hash<std::string>{}(avain), [&](std::size_t taso) {
            return levelinAvain(levelit_[taso].annaNimi()) == avain;
        });
    }

    // Enters the level at this place, whose key no level of the index has.
    void lisaa(const std::string &avain, std::size_t taso) {
        assert(taso <= levelit_.size()); // a level of the list, or the one about to join it
        assert(etsi(avain) == EI);
        paikat_.lisaa(std::hash<std::string>{}(avain), taso);
    }

  private:
    const std::vector<Level> &levelit_;
    PaikkaHakemisto paikat_;
};

// One field of an hours time at pos: the first of one or two digits, the others of two.
bool lueAikakentta(std::string_view sana, size_t &pos, bool ensimmainen, unsigned &arvo) {
    const size_t alku = pos;
    unsigned v = 0;
    while (pos < sana.size() && sana[pos] >= '0' && sana[pos] <= '9' && pos - alku < 3)
        v = v * 10 + static_cast<unsigned>(sana[pos++] - '0');
    const size_t pituus = pos - alku;
    if (pituus == 0 || pituus > 2 || (!ensimmainen && pituus != 2))
        return false;
    arvo = v;
    return true;
}

// A time with an hours field, as the game writes it (HH:MM:SS:CC) and as this program
// writes it (H:MM:SS,CC): the general time reader stops at six digits.
bool tuntiAika(std::string_view rivi, bool viimeinen, Aika &aika) {
    const std::string_view sana = viimeinen ? viimeinenSana(rivi) : ensimmainenSana(rivi);
    unsigned kentat[4];
    size_t pos = 0;
    for (int k = 0; k < 4; ++k) {
        if (!lueAikakentta(sana, pos, k == 0, kentat[k]))
            return false;
        if (k < 3) {
            char erotin = pos < sana.size() ? sana[pos] : '\0';
            if (erotin != ':' && !(k == 2 && erotin == ','))
                return false;
            ++pos;
        }
    }
    if (pos != sana.size() || kentat[0] == 0 || kentat[1] > 59 || kentat[2] > 59)
        return false;
    aika = Aika();
    aika.minuutit = kentat[0] * 60 + kentat[1];
    aika.sekunnit = kentat[2];
    aika.sadasosat = kentat[3];
    return true;
}

} // namespace

namespace {

std::string_view pelaajanNimi(std::string_view rivi, bool tulosMoodi) {
    std::string_view nimi = tulosMoodi ? ennenViimeistaSanaa(rivi) : ensimmaisenSananJalkeen(rivi);
    const size_t k = nimi.find("Average");
    if (k != std::string_view::npos)
        nimi = nimi.substr(0, k);
    return lyhennetty(nimi);
}

} // namespace

std::string etsiPelaaja(const std::string &rivi, bool tulosMoodi) {
    return std::string(pelaajanNimi(rivi, tulosMoodi));
}

namespace {

// The first line of an HTML page (after blank lines and a byte-order mark).
bool onHtmlAlku(const std::string &rivi) {
    std::string t = lyhenna(rivi);
    if (t.rfind("\xEF\xBB\xBF", 0) == 0)
        t = lyhenna(t.substr(3));
    t = toUpper(t);
    return t.rfind("<!DOCTYPE", 0) == 0 || t.rfind("<HTML", 0) == 0;
}

// The captions that open and close the part of a stat file where no level is: the totals,
// the teams, the anonymous total and the extra statistics. A level list after them (files put
// one after another) opens with its own caption.
bool avaaTotalit(std::string_view t) {
    return t == "The following are the single player total times for individual players." ||
           t == "Extra statistics:";
}
bool avaaLevelit(std::string_view t) {
    return t == "Single player times:" || t == "Multiplayer times:";
}

} // namespace

namespace {

// The lines of a stat file as its levels are read from them. The data copy in the closing
// comment of an HTML page is read as it was before it was made safe for the comment; of a page
// nothing else is read, since its rows and tables are no stat-file lines.
class StatRivit {
  public:
    explicit StatRivit(std::istream &in) : in_(in) {}

    // The next line to read, or false at the end of the file.
    bool seuraava(std::string &rivi) {
        do {
            if (!lueRaaka(rivi))
                return false;
            if (alussa_ && !onkotyhja(rivi)) {
                alussa_ = false;
                sivu_ = onHtmlAlku(rivi);
            }
        } while (!kommentinMukaan(rivi));
        seuraaOsiota(lyhennetty(rivi));
        return true;
    }

    // In the totals and statistics no line is a level header, whatever names it carries.
    bool totaaleissa() const { return totaaleissa_; }

  private:
    bool lueRaaka(std::string &rivi) {
        bool liianPitka = false;
        if (!lueRivi(in_, rivi, STATRIVIN_KATTO, &liianPitka))
            return false;
        if (liianPitka)
            rivi.clear(); // too long to be anything: read as an empty line
        return true;
    }

    // Follows the data comment of a page: false for a line of the page itself.
    bool kommentinMukaan(std::string &rivi) {
        if (kommentissa_ && lyhennetty(rivi) == "-->")
            kommentissa_ = false;
        else if (kommentissa_)
            rivi = kommentista(rivi);
        else if (rivi.find(std::string_view(HTML_KOPION_ALKU)) != std::string::npos)
            kommentissa_ = true;
        else if (sivu_)
            return false;
        return true;
    }

    void seuraaOsiota(std::string_view t) {
        if (avaaTotalit(t))
            totaaleissa_ = true;
        else if (avaaLevelit(t))
            totaaleissa_ = false;
    }

    std::istream &in_;
    bool kommentissa_ = false;
    bool alussa_ = true;
    bool sivu_ = false;
    bool totaaleissa_ = false;
};

// A header "... results" opens a results table: its name is the text before that word.
bool onTulosOtsikko(std::string &nimi) {
    const size_t r = nimi.find("results");
    if (r == std::string::npos)
        return false;
    nimi = lyhenna(nimi.substr(0, r));
    return true;
}

// The column captions of a results table end at the dashed rule.
void ohitaSarakeotsikot(StatRivit &rivit) {
    std::string rivi;
    while (rivit.seuraava(rivi))
        if (rivi.find("----") != std::string::npos)
            break;
}

// The run on one line of a level's list; nothing when the line holds no time or no name.
// `puskuri` holds the text when words had to be taken out of it.
bool lueAjo(const std::string &rivi, bool tulosMoodi, bool uusi, std::string &puskuri, Ajo &ajo) {
    std::string_view t = rivi;
    if (tulosMoodi) {
        size_t p = t.find(". ");
        if (p != std::string_view::npos)
            t = t.substr(p + 1);
        while (!t.empty() && !onValilyonti(t.back()))
            t.remove_suffix(1);
    }
    // Without "apple" neither word is there to take out.
    if (t.find("apple") != std::string_view::npos) {
        puskuri.assign(t);
        puskuri = korvaaKaikki(std::move(puskuri), "apples", "");
        puskuri = korvaaKaikki(std::move(puskuri), "apple", "");
        t = puskuri;
    }
    ajo.aika = Aika();
    if (!ajo.aika.etsiaika(t, true, tulosMoodi))
        tuntiAika(t, tulosMoodi, ajo.aika);
    if (ajo.aika.nolla())
        return false;
    const std::string_view nimi = pelaajanNimi(t, tulosMoodi);
    if (nimi.empty())
        return false;
    ajo.nimi.assign(nimi);
    ajo.uusi = uusi;
    return true;
}

// Room kept from level to level while a file is read.
struct Lukupuskurit {
    std::string rivi;
    std::string teksti;
    std::vector<Ajo> ajot;
};

// The runs under a level header, up to the first line that is none, into `p.ajot`.
void lueAjot(StatRivit &rivit, bool tulosMoodi, bool uusi, Lukupuskurit &p) {
    std::vector<Ajo> &ajot = p.ajot;
    std::string &rivi = p.rivi;
    ajot.clear();
    while (rivit.seuraava(rivi)) {
        if (onkotyhja(rivi)) // no time in it: the runs end
            break;
        Ajo ajo;
        if (!lueAjo(rivi, tulosMoodi, uusi, p.teksti, ajo))
            break;
        ajot.push_back(std::move(ajo));
    }
}

// The runs join the level of the same key, or a new level at the end of the list; they are
// moved out of `ajot`.
void lisaaAjot(const std::string &nimi, std::vector<Ajo> &ajot, std::vector<Level> &levelit,
               TasoHakemisto &hakemisto, std::ostream &konsoli) {
    const std::string avain = levelinAvain(nimi);
    const std::size_t loytyi = hakemisto.etsi(avain);
    if (loytyi != TasoHakemisto::EI) {
        levelit[loytyi].lisaaAjot(std::move(ajot));
        return;
    }
    Level level(nimi);
    level.lisaaAjot(std::move(ajot));
    hakemisto.lisaa(avain, levelit.size());
    levelit.push_back(std::move(level));
    konsoli << "Level " << nimi << " added.\n";
}

} // namespace

void lueStats(std::istream &in, std::vector<Level> &levelit, bool uusi, std::ostream &konsoli) {
    TasoHakemisto hakemisto(levelit);
    StatRivit rivit(in);
    std::string rivi;
    Lukupuskurit puskurit;
    while (rivit.seuraava(rivi)) {
        if (rivit.totaaleissa())
            continue;
        std::string nimi = etsiLevel(rivi);
        if (nimi.empty())
            continue;
        const bool tulosMoodi = onTulosOtsikko(nimi);
        if (tulosMoodi)
            ohitaSarakeotsikot(rivit);
        lueAjot(rivit, tulosMoodi, uusi, puskurit);
        lisaaAjot(nimi, puskurit.ajot, levelit, hakemisto, konsoli);
    }
}

} // namespace vt
