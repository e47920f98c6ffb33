#pragma once
#include "model/ajo.h"
#include "model/pelaaja.h"
#include "model/tulostusasetukset.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vt {

// The rows of a totals table found by name, kept from level to level. While the levels are
// counted the rows stay where they were made and only their ranking (an order of row
// numbers) changes; `valmis` then puts them in that order.
//
// A level touches few rows, so the ranking after it is worked out from the ranking before:
// the rows not touched keep their keys and their order, only the touched and the new ones are
// placed among them, and only the groups of equal keys that those rows can turn are looked at.
class RiviHakemisto {
  public:
    // Starts over from the rows as they are, in their order.
    void rakenna(std::vector<Pelaaja> &rivit);
    // Ranks the rows by total time, as the exchange sort would from their ranking so far.
    void jarjesta(std::vector<Pelaaja> &rivit);
    // Puts the rows in their ranked order, every full cup point list as long as the longest.
    void valmis(std::vector<Pelaaja> &rivit);
    // The length of the cup point lists: lists of rows that scored nothing lately may be
    // shorter, the missing values are zeros.
    std::size_t cupPituus = 0;
    // Cup lists kept sparse (`Pelaaja::cupPaikat`): a table of all levels holds a value for
    // every row and level, nearly all of them zeros. The caller sets `cupPituus`.
    bool harvaCup = false;

    // The lookup over one table.
    class Kaytossa {
      public:
        Kaytossa(RiviHakemisto &h, std::vector<Pelaaja> &rivit) : h_(h), rivit_(rivit) {}
        Pelaaja *etsi(const std::string &nimi);
        Pelaaja &lisaa(Pelaaja p);

      private:
        RiviHakemisto &h_;
        std::vector<Pelaaja> &rivit_;
    };

  private:
    using Avain = std::pair<std::uint64_t, std::uint64_t>;
    void avainRivilta(const std::vector<Pelaaja> &rivit, std::uint32_t numero);
    void jarjestaKaikki();
    void jarjestaMuuttuneet(std::size_t n, const std::vector<std::uint32_t> &kosketut);
    void puraLykatyt();
    void asetaJarjestys(std::vector<std::uint32_t> &jarjestys, std::vector<Avain> &avaimet);

    std::unordered_map<std::string, std::uint32_t> rivinumerot_;
    std::vector<std::uint32_t> jarjestys_; // row numbers, best first
    // Each row's ranking key by row number, kept beside the rows so that ranking reads no
    // rows; only those the level touched are read again.
    std::vector<Avain> avaimet_;
    std::vector<bool> avaimellinen_;
    std::size_t avaimellisia_ = 0;
    std::vector<std::uint32_t> kosketut_;
    // After a ranking by keys (`jarjestetty_`): the keys in ranked order, as they were then,
    // and each row's place in that order. Rows made since follow at the end of `jarjestys_`.
    bool jarjestetty_ = false;
    std::vector<Avain> jarjestysAvaimet_;
    std::vector<std::uint32_t> paikat_;
    std::vector<std::uint32_t> uusiJarjestys_; // room for the next ranking
    // Rows made by levels that touched no older row, not ranked yet; `tasonAlku_` is the
    // number of rows before the level being counted.
    std::vector<std::uint32_t> lykatyt_;
    std::size_t tasonAlku_ = 0;
    bool vanhaKosketettu_ = false;
    std::vector<Avain> uudetAvaimet_;
};

class Level {
  public:
    explicit Level(const std::string &nimi) : nimi_(nimi) {}

    void lisaaAjo(const Ajo &ajo);
    // The same as adding each run in turn.
    void lisaaAjot(const std::vector<Ajo> &ajot);
    bool onkoJoTamaAjo(const Ajo &ajo) const;
    const std::string &annaNimi() const { return nimi_; }
    void vaihdaLevelinNimi(const std::string &nimi) { nimi_ = nimi; }
    void vaihdaPelaajanNimi(const std::string &vanha, const std::string &uusi);
    void poistaPelaaja(const std::string &nimi);
    unsigned annaAjojenLkm() const { return static_cast<unsigned>(ajot_.size()); }
    std::string poistaAjo(unsigned i);
    void tulostaAjotjaNumerot(std::ostream &out) const;
    void yhdista(const Level &toinen);
    Aika parasAika() const;
    Aika parasAika(bool multi) const;
    const std::string &annaPitaja() const { return pitaja_; }
    void asetaPitaja(const std::string &p) { pitaja_ = p; }
    unsigned annaPituus() const { return pituus_; }
    void asetaPituus(unsigned p) { pituus_ = p; }
    void annaAjotJarjestyksessa(std::vector<Ajo> &out) const;
    void poistaTurhatAjot();
    bool uploaded(const std::string &nimi, const std::string &rec);
    bool rekisteroi(const std::string &nimi, const std::string &teksti);
    bool tarkistettu(const std::string &nimi, const Aika &aika);
    bool accept(const std::string &nimi, const Aika &aika);

    void tulostaAjot(std::ostream &out, Tulostusasetukset options, bool multi, bool html) const;
    void laskeTotalTimet(std::vector<Pelaaja> &rivit, Tulostusasetukset options,
                         const std::vector<unsigned> &cupTaulukko, unsigned levelNumero,
                         bool cup) const;
    // The same with the lookup kept from the levels before (the rows must be the ones it has
    // seen); the rows are left where they are until `RiviHakemisto::valmis`.
    void laskeTotalTimet(std::vector<Pelaaja> &rivit, Tulostusasetukset options,
                         const std::vector<unsigned> &cupTaulukko, unsigned levelNumero, bool cup,
                         RiviHakemisto &hakemisto) const;

    const std::vector<Ajo> &ajot() const { return ajot_; }
    std::string alkuaika;
    std::string paivamaara;

  private:
    // The place of a run with this name and time, or NPOS.
    std::size_t etsiAjo(const Ajo &ajo) const;
    void hakemistoon(std::size_t paikka);
    void rakennaHakemisto();

    std::string nimi_;
    std::string pitaja_;
    std::vector<Ajo> ajot_;
    unsigned pituus_ = 0;

    // The runs by name and time: an open-addressed table of their places, at most half full,
    // so that adding a run costs one probe, not a pass over the level. No two runs share a
    // name and a time (adding drops the second, renaming removes them), so each has one
    // entry. Erasing runs moves the later ones, and then the table is made again.
    struct Paikka {
        std::uint32_t ajo = 0;      // place in `ajot_` + 1; 0 is a free entry
        std::uint32_t tiiviste = 0; // the hash's low half, to pass most others unread
    };
    std::vector<Paikka> hakemisto_;
};

// Leaves one run per name, its best (steps shared by the rankings and the totals): first
// every run that has a later run of the same name at least as good is erased, then every
// later run of a name that is no better than an earlier one.
void yksiAjoPerNimi(std::vector<Ajo> &ajot);
// The two steps as written, for the tests.
void yksiAjoPerNimiSuoraan(std::vector<Ajo> &ajot);

} // namespace vt
