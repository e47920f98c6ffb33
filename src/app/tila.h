#pragma once
// The working state of one run, handed to every menu command.
#include "app/vakiot.h"
#include "model/level.h"
#include "model/totalimuisti.h"
#include "util/kello.h"
#include "util/konsoli.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vt {

struct Tila {
    Tila(Konsoli &k, Kello c) : konsoli(k), kello(std::move(c)) {}
    Konsoli &konsoli;
    Kello kello;
    std::vector<Level> levelit;
    std::vector<unsigned> pistetaulukko;
    Tulostusasetukset asetukset;
    bool uusiOletus = false;
    std::string viimeisinLoki;
    bool lopetus = false;
    // Set when a command reported that a file could not be opened, read or written; the
    // menu then ends with status 1.
    bool tiedostoVirheita = false;
    // The nick alias file read with every battle log.
    std::string nimitiedosto = NIMITIEDOSTO;
    // The totals counted by the last writer, for the next one that counts the same.
    TotaliMuisti totalit;

    std::ostream &ulos() { return konsoli.ulos(); }
    // The console, for a message that a file could not be opened, read or written.
    std::ostream &tiedostoVirhe() {
        tiedostoVirheita = true;
        return konsoli.ulos();
    }
};

// Menu commands, one group a file.
void lisaaStatTiedosto(Tila &t);    // 1
void lisaaAikojaKasin(Tila &t);     // 2
void nimeaPelaaja(Tila &t);         // 3
void poistaPelaaja(Tila &t);        // 4
void nimeaLevel(Tila &t);           // 5
void poistaLevel(Tila &t);          // 6
void poistaAika(Tila &t);           // 7
void naytaKaikki(Tila &t);          // 8
void muutaAsetuksia(Tila &t);       // 9
void tallennaStats(Tila &t);        // 10
void tallennaHtml(Tila &t);         // 11
void tallennaLevelinCup(Tila &t);   // 12
void tallennaPelaajienCup(Tila &t); // 13
void tallennaTiimienCup(Tila &t);   // 14
void tallennaBattlet(Tila &t);      // 15
void teeSorakisa(Tila &t);          // 16
void naytaOhje(Tila &t);            // 17

// Shared by the commands: the player totals of the collection without team rows, sorted by
// upper-cased name.
std::vector<Pelaaja> pelaajaLista(Tila &t);
// "Current levels: " and the levels, as "  Level 1: name" or, with `asuB`, "  Level 1, name:".
void tulostaLevelit(Tila &t, bool asuB);
// The levels listed (as `tulostaLevelit` with `asuB`) and one asked for by number to print:
// its index, or nothing after `keskeytetty` when 0 is given.
std::optional<std::size_t> kysyTulostettavaLevel(Tila &t, const char *keskeytetty);
bool tiedostoOnOlemassa(const std::string &nimi);
// The title option 11 proposes for a file name: the name before its first "."; the proposed
// names (the free-name stem) give the default title.
std::string oletusOtsikko(const std::string &nimi);
// Option 1 for a channel log: its battles added as levels.
void lueBattleLoki(Tila &t, const std::string &nimi);

} // namespace vt
