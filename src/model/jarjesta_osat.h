#pragma once
// Parts of the ranking routine that the totals engine and the tests use directly; callers
// that only rank include "model/jarjesta.h".
#include "model/jarjesta.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vt::jarjesta_detail {

// How the threshold routine finds its order (see jarjesta.cpp): `nimipuu` from the tree of
// names the thresholds form, without the exchanges (and, when they form none, as `mitattu`);
// the other forms make the exchanges: `mitattu` picks the quicker way to hold the elements as
// it goes; the tests fix one, or move between them every few steps.
enum class KynnysMuoto { nimipuu, mitattu, taulukko, puu, vuorotellen };

// The threshold routine in a given form, without the keyed shortcut; for the tests.
std::vector<std::uint32_t> kynnysJarjestys(std::vector<std::uint32_t> avaimet,
                                           std::vector<std::uint32_t> kynnykset, KynnysMuoto muoto);

// Counts on positions 0 to n - 1, summed by a Fenwick tree: changing one and summing those
// before a position each take log n steps.
class Laskuripuu {
  public:
    explicit Laskuripuu(std::size_t n) : puu_(n + 1, 0) {}
    void merkitse(std::size_t kohta) { lisaa(kohta, 1); }
    // Adds `maara` to the count at `kohta`; a count goes down by adding 0 - d, the sums being
    // taken modulo 2^32 and never below zero.
    void lisaa(std::size_t kohta, std::uint32_t maara) {
        for (std::size_t i = kohta + 1; i < puu_.size(); i += i & (0 - i))
            puu_[i] += maara;
    }
    // The counts on positions before `loppu`.
    std::uint32_t ennen(std::size_t loppu) const {
        std::uint32_t r = 0;
        for (std::size_t i = loppu; i > 0; i -= i & (0 - i))
            r += puu_[i];
        return r;
    }

  private:
    std::vector<std::uint32_t> puu_;
};

// The order the strict rule gives one group of equal keys: `ryhma` holds its members in their
// order at the start, `jalkeen[j]` the number of smaller elements after the j-th member (to
// the end); the members are left in their final order. Time: koko log koko.
void jarjestaRyhma(std::uint32_t *ryhma, std::size_t koko,
                   const std::vector<std::uint32_t> &jalkeen);

// The same turned one smaller element at a time, as the derivation states it; for the tests.
void jarjestaRyhmaKaantaen(std::uint32_t *ryhma, std::size_t koko,
                           const std::vector<std::uint32_t> &jalkeen);

} // namespace vt::jarjesta_detail
