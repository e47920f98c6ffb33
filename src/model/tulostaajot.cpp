#include "model/tulostaajot.h"

#include "model/jarjestykset.h"
#include "model/level.h"
#include "util/teksti.h"

#include <ostream>
#include <string>

namespace vt {

namespace {

bool samaNimi(const std::vector<Ajo> &ajot) {
    for (const Ajo &a : ajot)
        if (a.nimi != ajot[0].nimi)
            return false;
    return true;
}

std::optional<Aika> keskiarvo(const std::vector<Ajo> &ajot, const Tulostusasetukset &options) {
    if (ajot.size() < 2)
        return std::nullopt;
    const bool yksi = samaNimi(ajot);
    if (!(yksi ? options.keskiarvoYksi : options.keskiarvoUseita))
        return std::nullopt;
    Aika summa;
    for (const Ajo &a : ajot)
        summa = summa + a.aika;
    return summa / static_cast<unsigned>(ajot.size());
}

// A name of the winning cell, in bold when it is new and new times are marked.
void voittaja(std::string &out, const Ajo &ajo, bool lihavoi) {
    if (lihavoi && ajo.uusi) {
        out += "<b>";
        out += htmlSuojaa(ajo.nimi);
        out += "</b>";
    } else {
        out += htmlSuojaa(ajo.nimi);
    }
}

// The page's two cells of a level: the best time, and every name that drove it.
void tulostaHtmlSolut(std::string &out, const std::vector<Ajo> &ajot, bool lihavoi) {
    if (!ajot.empty()) {
        const Ajo &paras = ajot[0];
        out += "<td>";
        if (lihavoi && paras.uusi) {
            out += "<b>";
            paras.aika.lisaaTekstiin(out);
            out += "</b></td><td>";
        } else {
            paras.aika.lisaaTekstiin(out);
            out += "</td><td>";
        }
        voittaja(out, paras, lihavoi);
        for (size_t i = 1; i < ajot.size(); ++i) {
            if (!(ajot[i].aika == paras.aika))
                continue;
            out += " / ";
            voittaja(out, ajot[i], lihavoi);
        }
        out += "</td>\n";
    }
    out += "\n";
}

// The stat file's rows of a level: "time name", the average after the last.
void tulostaTekstina(std::string &out, const LevelinAjot &l) {
    for (size_t i = 0; i < l.listattavia; ++i) {
        if (i > 0)
            out += '\n';
        l.ajot[i].aika.lisaaTekstiin(out);
        out += ' ';
        out += l.ajot[i].nimi;
    }
    if (l.keskiarvo) {
        out += "    Average: ";
        l.keskiarvo->lisaaTekstiin(out);
    }
    out += '\n';
}

} // namespace

LevelinAjot laskeLevelinAjot(const Level &level, const Tulostusasetukset &options, bool multi) {
    // The runs are ranked by their places and copied once, in their order.
    std::vector<const Ajo *> valitut;
    valitut.reserve(level.ajot().size());
    for (const Ajo &a : level.ajot())
        if (a.multiplayer() == multi)
            valitut.push_back(&a);
    const auto ajoille = ajatParhaatEnsin();
    vaihtojarjesta(valitut,
                   jarjestys([&](const Ajo *i, const Ajo *j) { return ajoille.saanto(*i, *j); },
                             [&](const Ajo *a) { return ajoille.avain(*a); }, ajoille.tasan));
    LevelinAjot l;
    l.ajot.reserve(valitut.size());
    for (const Ajo *a : valitut)
        l.ajot.push_back(*a);
    if (options.vainParas)
        yksiAjoPerNimi(l.ajot);
    l.listattavia = l.ajot.size();
    if (!options.kaikkiAjat && l.listattavia > AJOJA_ENINTAAN)
        l.listattavia = AJOJA_ENINTAAN;
    l.keskiarvo = keskiarvo(l.ajot, options);
    return l;
}

void Level::tulostaAjot(std::ostream &out, Tulostusasetukset options, bool multi, bool html) const {
    const LevelinAjot l = laskeLevelinAjot(*this, options, multi);
    // The rows of the level are put together first and written at once.
    std::string teksti;
    if (html)
        tulostaHtmlSolut(teksti, l.ajot, options.lihavoiUudet);
    else
        tulostaTekstina(teksti, l);
    out.write(teksti.data(), static_cast<std::streamsize>(teksti.size()));
}

} // namespace vt
