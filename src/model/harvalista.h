#pragma once
// A sparse cup point list: the values of some places of a list, every other place a zero. A
// table of all levels keeps one per row; most players score in few of its levels.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vt {

class HarvaLista {
  public:
    using Paikka = std::uint32_t;
    using Pari = std::pair<Paikka, unsigned>; // a place and its value

    // Appends a value at a place no earlier than the last one named. The same place may be
    // named again (a team's members in one level) until `kokoaViimeinen` folds them.
    void lisaa(Paikka paikka, unsigned arvo);
    // Folds the values of the last place named into one: the sum of its `parhaat` largest.
    void kokoaViimeinen(std::size_t parhaat);

    // The sum of every value.
    std::uint64_t summa() const;
    // The list spread out to `pituus` places; places named at or beyond it are left out.
    std::vector<unsigned> taysi(std::size_t pituus) const;
    // `f(arvo)` for each place from 0 to `pituus` - 1 in order, zeros included.
    // The same in runs: `nollia(k)` for each run of k places that hold zeros, `arvo(v)` for
    // each named place, in order.
    template <class N, class A> void kayTaysi(std::size_t pituus, N nollia, A arvo) const {
        std::size_t paikka = 0;
        // A place named again after it was passed (a list not folded) names none ahead: the
        // rest are zeros, as the place by place walk finds.
        for (std::size_t j = 0; j < paikat_.size() && paikat_[j] >= paikka; ++j) {
            const std::size_t p = paikat_[j];
            if (p >= pituus)
                break;
            if (p > paikka)
                nollia(p - paikka);
            arvo(arvot_[j]);
            paikka = p + 1;
        }
        if (paikka < pituus)
            nollia(pituus - paikka);
    }
    template <class F> void kayTaysi(std::size_t pituus, F f) const {
        std::size_t j = 0;
        for (std::size_t paikka = 0; paikka < pituus; ++paikka) {
            const bool nimetty = j < paikat_.size() && paikat_[j] == paikka;
            f(nimetty ? arvot_[j++] : 0u);
        }
    }

    // The first place where two lists differ decides, the larger value first: -1 when `a`
    // goes first, 1 when `b` does, 0 when they are equal at every place.
    static int vertaa(const HarvaLista &a, const HarvaLista &b);

    // Every (place, value) pair of the list, appended to `parit`.
    void lisaaParit(std::vector<Pari> &parit) const;
    // The sum of lists given as pairs in any order: each place named once, with the sum of
    // its values.
    static HarvaLista parista(std::vector<Pari> parit);

    const std::vector<Paikka> &paikat() const { return paikat_; }
    const std::vector<unsigned> &arvot() const { return arvot_; }
    bool tyhja() const { return paikat_.empty(); }

  private:
    std::vector<Paikka> paikat_; // ascending; equal only until folded
    std::vector<unsigned> arvot_;
};

// Folds the values of `v` from `alku` on into one at `alku`: the sum of its `parhaat`
// largest. A full list's last level, as `kokoaViimeinen` folds a sparse one's.
void kokoaParhaat(std::vector<unsigned> &v, std::size_t alku, std::size_t parhaat);

} // namespace vt
