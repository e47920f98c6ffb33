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
// How the ranking is held. The ranked rows stand in groups of equal keys (their total times),
// the groups by key. The exchange sort leaves every group of equal keys in the order its
// members had, turned by the smaller elements behind them (see jarjesta.cpp): a group is a
// ring read from a head, and each smaller element behind all its members moves the head one
// on. A level changes rows; a group that none of them joins or leaves is only turned, once for
// each changed row that ends below its key but stood behind it at the start: a new row, or an
// old one whose key went down past it. Those turns are not made level by level. Each such row
// leaves an interval of keys it crossed (from its new key up to its old one, or without end
// for a new row), and a group owes one turn for each interval over its key made since the
// group was last written; the intervals are kept in two counted trees (`alas_`, `ylos_`), so
// the turns a group owes are found in log n steps when it is read (`jarjestyksessa`). Only
// the groups that a changed row leaves or joins are written anew in a level, each from the
// number of smaller rows behind each of its members (`jarjestaMuuttuneet`).
//
// Cost of a level: log n for each changed row, and g log g for each group of g members that
// a changed row leaves or joins. `valmis` costs n log n.
//
// Cup point lists (`cupPituus`, `harvaCup`): the length all lists will have; lists of rows
// that scored nothing lately may be shorter, their missing values zeros. With `harvaCup` the
// lists are sparse (`Pelaaja::cupHarva`) and the caller keeps `cupPituus`; `rakenna` then
// leaves it as it is.
#include "model/pelaaja.h"
#include "model/solmuvarasto.h"

#include <cstddef>
#include <cstdint>
#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>
#include <functional>
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
    using Avain = std::pair<std::uint64_t, std::uint64_t>;
    // Values in order, each found with the number of those before it in log n steps.
    template <class T>
    using Laskettu =
        __gnu_pbds::tree<T, __gnu_pbds::null_type, std::less<T>, __gnu_pbds::rb_tree_tag,
                         __gnu_pbds::tree_order_statistics_node_update, Solmuvarasto<char>>;

    // A group of equal keys: its members in their order when written, and the crossings of
    // its key counted then. Read as a ring, it turns by moving its head.
    // The members of a group: most groups have one, held without a list of its own.
    class Jasenet {
      public:
        Jasenet() = default;
        explicit Jasenet(const std::vector<std::uint32_t> &j)
            : koko_(j.size()), yksi_(j.size() == 1 ? j[0] : 0),
              monta_(j.size() > 1 ? j : std::vector<std::uint32_t>{}) {}
        std::size_t size() const { return koko_; }
        const std::uint32_t *begin() const { return koko_ == 1 ? &yksi_ : monta_.data(); }
        const std::uint32_t *end() const { return begin() + koko_; }
        std::uint32_t operator[](std::size_t i) const { return begin()[i]; }

      private:
        std::size_t koko_ = 0;
        std::uint32_t yksi_ = 0;
        std::vector<std::uint32_t> monta_;
    };
    struct Ryhma {
        Jasenet jasenet;
        std::size_t ylityksia = 0;
    };
    // The groups by key, each node counting the members of the groups under it, so that the
    // rows before a key are counted in log n. A group is never changed in the tree: it is
    // taken out and put in anew.
    template <class NodeCItr, class NodeItr, class Cmp, class Alloc> struct JasenetEnnen {
        using metadata_type = std::size_t;
        // The members of the groups of keys below `x`.
        std::size_t jasenetEnnen(const Avain &x) const {
            std::size_t n = 0;
            const NodeCItr loppu = node_end();
            for (NodeCItr it = node_begin(); it != loppu;) {
                if ((**it).first < x) {
                    if (const NodeCItr l = it.get_l_child(); l != loppu)
                        n += l.get_metadata();
                    n += (**it).second.jasenet.size();
                    it = it.get_r_child();
                } else {
                    it = it.get_l_child();
                }
            }
            return n;
        }
        void operator()(NodeItr it, NodeCItr loppu) {
            std::size_t n = (**it).second.jasenet.size();
            if (const NodeItr l = it.get_l_child(); l != loppu)
                n += l.get_metadata();
            if (const NodeItr r = it.get_r_child(); r != loppu)
                n += r.get_metadata();
            const_cast<metadata_type &>(it.get_metadata()) = n;
        }
        virtual NodeCItr node_begin() const = 0;
        virtual NodeCItr node_end() const = 0;
        virtual ~JasenetEnnen() = default;
    };
    using Ryhmat = __gnu_pbds::tree<Avain, Ryhma, std::less<Avain>, __gnu_pbds::rb_tree_tag,
                                    JasenetEnnen, Solmuvarasto<char>>;
    // A row the level changed or made: its key at the start (old rows), its key now, and its
    // place at the start: in its group (old rows) or its row number (new rows).
    struct Muutos {
        std::uint32_t rivi;
        bool uusi;
        Avain vanha;
        Avain avain;
        std::uint32_t paikka;
    };
    struct Kierros;

    std::optional<std::vector<Muutos>> muutokset(const std::vector<Pelaaja> &rivit);
    void jarjestaMuuttuneet(std::vector<Muutos> &muutokset);
    std::size_t ylitykset(const Avain &x) const;
    void jarjestyksessa(const Avain &x, const Ryhma &r, std::vector<std::uint32_t> &ulos) const;
    std::vector<std::uint32_t> jarjestysNyt(std::size_t riveja) const;
#ifdef VASKITAULU_TARKISTA
    void tarkistaJarjestys(std::size_t riveja);
    std::vector<std::uint32_t> suora_; // the ranking made level by level with the plain loop
    bool suoraKaytossa_ = true;
#endif

    std::unordered_map<std::string, std::uint32_t> rivinumerot_;
    // Rows from `jarjestettyja_` on were made since the last ranking; those before it are
    // ranked, each in the group of its key as it was then (`avaimet_`).
    std::size_t jarjestettyja_ = 0;
    std::vector<Avain> avaimet_;
    Ryhmat ryhmat_;
    // The intervals crossed: their lower ends in `alas_`, the upper ends that are not without
    // end in `ylos_`, each with a number of its own so that equal ends are all kept.
    Laskettu<std::pair<Avain, std::uint64_t>> alas_, ylos_;
    std::uint64_t ylityksiaKaikkiaan_ = 0;
    std::vector<std::uint32_t> kosketut_;     // ranked rows changed in the level being counted
    std::vector<std::uint32_t> muutosnumero_; // row -> 1 + its index among the changes, or 0
};

} // namespace vt
