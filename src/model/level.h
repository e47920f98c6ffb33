#pragma once
#include "model/ajo.h"
#include "model/pelaaja.h"
#include "model/tulostusasetukset.h"
#include "util/paikkahakemisto.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vt {

class RiviHakemisto; // the totals engine, model/rivihakemisto.h

// The key under which levels of the same name merge: the first 30 bytes of the name,
// upper-cased, without white space at either end.
std::string levelinAvain(const std::string &nimi);

class Level {
  public:
    explicit Level(const std::string &nimi) : nimi_(nimi) {}

    void lisaaAjo(const Ajo &ajo);
    void lisaaAjo(Ajo &&ajo);
    // The same as adding each run in turn.
    void lisaaAjot(const std::vector<Ajo> &ajot);
    // The same, the runs moved from `ajot` (which is left with runs of no use).
    void lisaaAjot(std::vector<Ajo> &&ajot);
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
    std::size_t etsiAjo(const Ajo &ajo) const { return etsiAjo(ajo.nimi, ajo.aika); }
    std::size_t etsiAjo(const std::string &nimi, const Aika &aika) const;
    void hakemistoon(std::size_t paikka);
    // Adds the run unless one of the same name and time is there.
    template <class A> void lisaa(A &&ajo);
    void rakennaHakemisto();
    // Sets one event-series mark on the run of this name and time; true when it was new.
    bool merkitse(const std::string &nimi, const Aika &aika, bool Ajo::*merkki);
    // Sets one mark on every run of this name; true when one of them had it not.
    template <class Muuta>
    bool merkitseNimi(const std::string &nimi, bool Ajo::*merkki, Muuta muuta);
    // The places of the runs of this name, in order (empty when it has none).
    const std::vector<std::uint32_t> &nimenAjot(const std::string &nimi);
    // After runs were erased, moved or renamed: the places by name are made again when next
    // needed.
    void paikatMuuttuivat() {
        nimella_.clear();
        nimetAjan_ = false;
    }

    std::string nimi_;
    std::string pitaja_;
    std::vector<Ajo> ajot_;
    unsigned pituus_ = 0;

    // The places of the runs by name and time, so that adding a run costs one probe, not a
    // pass over the level. No two runs share a name and a time (adding drops the second,
    // renaming removes them), so each has one entry. Erasing runs moves the later ones, and
    // then the index is made again.
    PaikkaHakemisto hakemisto_;

    // The places of each name's runs, for the marks set on every run of a name. Made on the
    // first mark after the runs were last erased, moved or renamed (`nimetAjan_`); adding a
    // run puts it in while the table is in step.
    std::unordered_map<std::string, std::vector<std::uint32_t>> nimella_;
    bool nimetAjan_ = false;
};

// A run as the run lists hold it: the run itself, or a pointer to a run of a level (the
// totals rank pointers rather than copies), or a run counted under another name (a team's).
struct NimettyAjo {
    std::string nimi;
    const Ajo *ajo = nullptr;
};
inline const Ajo &ajoOf(const Ajo &a) { return a; }
inline const Ajo &ajoOf(const Ajo *a) { return *a; }
inline const Ajo &ajoOf(const NimettyAjo &a) { return *a.ajo; }
inline const std::string &nimiOf(const Ajo &a) { return a.nimi; }
inline const std::string &nimiOf(const Ajo *a) { return a->nimi; }
inline const std::string &nimiOf(const NimettyAjo &a) { return a.nimi; }

// Leaves one run per name, its best (steps shared by the rankings and the totals): first
// every run that has a later run of the same name at least as good is erased, then every
// later run of a name that is no better than an earlier one. For `Ajo`, `const Ajo *` and
// `NimettyAjo`.
template <class T> void yksiAjoPerNimi(std::vector<T> &ajot);
// The two steps as written, for the tests.
template <class T> void yksiAjoPerNimiSuoraan(std::vector<T> &ajot);

} // namespace vt
