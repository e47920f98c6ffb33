#pragma once
// The totals engine: the rows of a totals table found by name and ranked by total time after
// every level, as the exchange sort would rank them, without sorting the whole table anew.
//
// States and protocol (one table, one engine):
//
//   built   `rakenna(rivit)` starts over from the rows as they are, in their order. None of
//           them is ranked yet: the first ranking takes them in that order.
//   level   a level is counted through a `Kaytossa` over the same rows: `muutettava(nimi)`
//           gives the row of a name to change (the row is recorded as changed: that is all it
//           does beside finding it), `lisaa` makes a new row at the end of the table. The
//           rows stay where they are; only their ranking will change.
//   ranked  `jarjesta(rivit)` ends the level: the ranking becomes the one the exchange sort
//           gives from the order at the start of the level, which is the ranking so far with
//           the rows not ranked yet after it, in the order they were made.
//   done    `valmis(rivit)` puts the rows in their ranked order and starts over from them
//           (built again).
//
// The rows must be those the engine has seen: made by `rakenna` and `lisaa`, changed only
// through `muutettava`. Ranking reads only the keys of the rows changed since the last one.
//
// Nothing between the levels reads the ranking: the rows are found by name and stay where
// they are. So `jarjesta` only writes down the level (the rows it changed or made, with their
// keys now), and `valmis` ranks all the levels written down in one pass: it first replaces
// every key by its rank among all of them, so that the ranking holds its groups in arrays and
// counts with Fenwick trees, indexed by rank.
//
// How the ranking is held. The ranked rows stand in groups of equal keys (their total times),
// the groups by key. The exchange sort leaves every group of equal keys in the order its
// members had, turned by the smaller elements behind them (see jarjesta.cpp): a group is a
// ring read from a head, and each smaller element behind all its members moves the head one
// on. A level changes rows; a group that none of them joins or leaves is only turned, once for
// each changed row that ends below its key but stood behind it at the start: a new row, or an
// old one whose key went down past it. Those turns are not made level by level. Each such row
// leaves an interval of keys it crossed (from its new key up to its old one, or without end
// for a new row), and a group owes one turn for each interval over its key made since the
// group was last written; the ends of the intervals are counted by key, so the turns a group
// owes are found in log n steps when it is read. Only the groups that a changed row leaves or
// joins are written anew in a level, each from the number of smaller rows behind each of its
// members.
//
// Cost: log n for each changed row of each level, and g log g for each group of g members
// that a changed row leaves or joins; the keys are ranked once, in c log c for c changes in
// all. `valmis` costs n log n more. Memory: a few words for each change written down.
//
// Cup point lists (`cupPituus`, `harvaCup`): the length all lists will have; lists of rows
// that scored nothing lately may be shorter, their missing values zeros. With `harvaCup` the
// lists are sparse (`Pelaaja::cupHarva`) and the caller keeps `cupPituus`; `rakenna` then
// leaves it as it is.
#include "model/pelaaja.h"

#include <cstddef>
#include <cstdint>
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
    // order at the start of the level.
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
    using Aikaavain = std::pair<std::uint64_t, std::uint64_t>; // `Aika::jarjestysAvain`

    // Writes the level down; false, with nothing written, when a row has no key (then the
    // rows are ranked with the rule itself).
    bool kirjaa(const std::vector<Pelaaja> &rivit);
    // The ranking after the levels written down: row numbers in ranked order.
    std::vector<std::uint32_t> jarjestys(std::size_t riveja) const;

    std::unordered_map<std::string, std::uint32_t> rivinumerot_;
    // Rows from `jarjestettyja_` on were made in the level being counted.
    std::size_t jarjestettyja_ = 0;
    std::vector<std::uint32_t> kosketut_; // older rows changed in the level being counted
    // The levels written down: level k changed or made the rows
    // `kirjatutRivit_[kierrokset_[k - 1].loppu, kierrokset_[k].loppu)`, giving them the keys
    // beside them; the table had `riveja` rows after it.
    struct Kierros {
        std::size_t loppu;
        std::uint32_t riveja;
    };
    std::vector<Kierros> kierrokset_;
    std::vector<std::uint32_t> kirjatutRivit_;
    std::vector<Aikaavain> kirjatutAvaimet_;
};

} // namespace vt
