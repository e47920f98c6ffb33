#include "model/jarjestykset.h"
#include "model/level.h"
#include "util/teksti.h"

#include <ostream>

namespace vt {

void Level::tulostaAjot(std::ostream &out, Tulostusasetukset options, bool multi, bool html) const {
    std::vector<Ajo> lista;
    for (const Ajo &a : ajot_)
        if (a.multiplayer() == multi)
            lista.push_back(a);
    vaihtojarjesta(lista, ajatParhaatEnsin());
    if (options.vainParas)
        yksiAjoPerNimi(lista);

    if (html) {
        if (!lista.empty()) {
            const Ajo &paras = lista[0];
            const bool lihavoi = options.lihavoiUudet;
            out << "<td>";
            if (lihavoi && paras.uusi)
                out << "<b>" << paras.aika.str() << "</b></td><td><b>" << htmlSuojaa(paras.nimi)
                    << "</b>";
            else
                out << paras.aika.str() << "</td><td>" << htmlSuojaa(paras.nimi);
            for (size_t i = 1; i < lista.size(); ++i) {
                if (!(lista[i].aika == paras.aika))
                    continue;
                out << " / ";
                if (lihavoi && lista[i].uusi)
                    out << "<b>" << htmlSuojaa(lista[i].nimi) << "</b>";
                else
                    out << htmlSuojaa(lista[i].nimi);
            }
            out << "</td>\n";
        }
        out << "\n";
        return;
    }

    size_t kirjoitetaan = lista.size();
    if (!options.kaikkiAjat && kirjoitetaan > 10)
        kirjoitetaan = 10;
    for (size_t i = 0; i < kirjoitetaan; ++i) {
        if (i > 0)
            out << "\n";
        out << lista[i].aika.str() << " " << lista[i].nimi;
    }
    if (lista.size() > 1) {
        bool samaNimi = true;
        for (const Ajo &a : lista)
            if (a.nimi != lista[0].nimi)
                samaNimi = false;
        if ((samaNimi && options.keskiarvoYksi) || (!samaNimi && options.keskiarvoUseita)) {
            Aika summa;
            for (const Ajo &a : lista)
                summa = summa + a.aika;
            out << "    Average: " << (summa / static_cast<unsigned>(lista.size())).str();
        }
    }
    out << "\n";
}

} // namespace vt
