#pragma once
// The totals engine: the rows of a totals table found by name and ranked by total time after
// every level, as the exchange sort would rank them, without sorting the whole table anew.
//
// States and protocol (one table, one engine):
//
//   built   `rakenna(rivit)` takes the rows as they are, in their order; the engine keeps a
//           ranking of them (an order of row numbers) and each row's key (its total time).
//   level   a level is counted through a `Kaytossa` over the same rows: `muutettava(nimi)`
//           gives the row of a name to change (the row is recorded as changed: that is all it
//           does beside finding it), `lisaa` makes a new row at the end of the table. The
//           rows stay where they are; only their ranking will change.
//   ranked  `jarjesta(rivit)` ends the level: the ranking becomes the one the exchange sort
//           gives from the ranking before. A level that only made new rows may wait: its
//           rows are ranked with the next level that changes an older row, or at the end
//           (the same order, see `puraOdottavat`).
//   done    `valmis(rivit)` puts the rows in their ranked order and starts over from them
//           (built again).
//
// The rows must be those the engine has seen: made by `rakenna` and `lisaa`, changed only
// through `muutettava`. Ranking reads only the keys of the rows changed since the last one.
//
// Cup point lists (`cupPituus`, `harvaCup`): the length all lists will have; lists of rows
// that scored nothing lately may be shorter, their missing values zeros. With `harvaCup` the
// lists are sparse (`Pelaaja::cupPaikat`) and the caller keeps `cupPituus`; `rakenna` then
// leaves it as it is.
#include "model/pelaaja.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vt {

class RiviHakemisto {
  public:
    // Starts over from the rows as they are, in their order.
    void rakenna(std::vector<Pelaaja> &rivit);
    // Ends a level: ranks the rows by total time, as the exchange sort would from their
    // ranking so far.
    void jarjesta(std::vector<Pelaaja> &rivit);
    // Puts the rows in their ranked order, every full cup point list as long as the longest.
    void valmis(std::vector<Pelaaja> &rivit);
    std::size_t cupPituus = 0;
    bool harvaCup = false;

    // The lookup over one table while a level is counted.
    class Kaytossa {
      public:
        Kaytossa(RiviHakemisto &h, std::vector<Pelaaja> &rivit) : h_(h), rivit_(rivit) {}
        // The row of this name, recorded as changed; none when there is no such row.
        Pelaaja *muutettava(const std::string &nimi);
        // A new row at the end of the table.
        Pelaaja &lisaa(Pelaaja p);

      private:
        RiviHakemisto &h_;
        std::vector<Pelaaja> &rivit_;
    };

  private:
    using Avain = std::pair<std::uint64_t, std::uint64_t>;
    struct Kierros;

    void muuttui(std::uint32_t numero);
    void avainRivilta(const std::vector<Pelaaja> &rivit, std::uint32_t numero);
    void jarjestaKaikki();
    void jarjestaMuuttuneet(std::size_t n, const std::vector<std::uint32_t> &kosketut);
    void puraOdottavat();
    void asetaJarjestys(std::vector<std::uint32_t> &jarjestys, std::vector<Avain> &avaimet);
#ifdef VASKITAULU_TARKISTA
    void tarkistaJarjestys();
    std::vector<std::uint32_t> suora_; // the ranking made level by level with the plain loop
    bool suoraKaytossa_ = false;
#endif

    std::unordered_map<std::string, std::uint32_t> rivinumerot_;
    std::vector<std::uint32_t> jarjestys_; // row numbers, best first
    // Each row's ranking key by row number, kept beside the rows so that ranking reads no
    // rows; only those the level changed are read again.
    std::vector<Avain> avaimet_;
    std::vector<bool> avaimellinen_;
    std::size_t avaimellisia_ = 0;
    std::vector<std::uint32_t> kosketut_; // changed or made in the level being counted
    // After a ranking by keys (`jarjestetty_`): the keys in ranked order, as they were then,
    // and each row's place in that order. Rows made since follow at the end of `jarjestys_`.
    bool jarjestetty_ = false;
    std::vector<Avain> jarjestysAvaimet_;
    std::vector<std::uint32_t> paikat_;
    std::vector<std::uint32_t> uusiJarjestys_; // room for the next ranking
    std::vector<Avain> uudetAvaimet_;
    // Rows made by levels that changed no older row, not ranked yet; `tasonAlku_` is the
    // number of rows before the level being counted.
    std::vector<std::uint32_t> odottavat_;
    std::size_t tasonAlku_ = 0;
    bool vanhaKosketettu_ = false;
};

} // namespace vt
