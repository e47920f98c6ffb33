#pragma once
// A hash index of the places of items in the caller's own array: open addressing with linear
// probing over a power-of-two table that is at most half full, so that a probe for a key the
// index does not hold ends soon. An entry is a place and its key's hash, never the key itself:
// the caller's test tells, where the hashes agree, whether the item at a place has the key
// sought. Places are below 2^32 - 1 (8 bytes an entry).
#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vt {

class PaikkaHakemisto {
  public:
    static constexpr std::size_t EI = SIZE_MAX;

    // The place whose key has the hash `tiiviste` and for which `onAvain(place)` holds, or EI.
    template <class OnAvain> std::size_t etsi(std::uint64_t tiiviste, OnAvain onAvain) const {
        if (paikat_.empty())
            return EI;
        const auto lyhyt = static_cast<std::uint32_t>(tiiviste);
        for (std::size_t p = lyhyt & maski(); paikat_[p].paikka != 0; p = (p + 1) & maski())
            if (paikat_[p].tiiviste == lyhyt && onAvain(std::size_t{paikat_[p].paikka - 1}))
                return paikat_[p].paikka - 1;
        return EI;
    }

    // Enters a place whose key the index does not hold yet (the caller makes sure of it: the
    // index cannot tell keys apart); the table doubles before it would be more than half full.
    void lisaa(std::uint64_t tiiviste, std::size_t paikka) {
        assert(paikka < UINT32_MAX);
        if (2 * (maara_ + 1) > paikat_.size())
            kasvata(std::max<std::size_t>(ALKUKOKO, 2 * paikat_.size()));
        sijoita({static_cast<std::uint32_t>(paikka + 1), static_cast<std::uint32_t>(tiiviste)});
        ++maara_;
        assert(2 * maara_ <= paikat_.size());
    }

    // Empties the index, with room for `n` places before it next grows.
    void tyhjenna(std::size_t n = 0) {
        std::size_t koko = ALKUKOKO;
        while (koko < 2 * n)
            koko *= 2;
        paikat_.assign(koko, Paikka{});
        maara_ = 0;
    }

    std::size_t maara() const { return maara_; }

  private:
    static constexpr std::size_t ALKUKOKO = 16; // a power of two, as every size after it

    struct Paikka {
        std::uint32_t paikka = 0;   // the place + 1; 0 is a free entry
        std::uint32_t tiiviste = 0; // the hash's low half: the probe's start, and a quick test
    };

    std::size_t maski() const { return paikat_.size() - 1; }

    void sijoita(const Paikka &q) {
        std::size_t p = q.tiiviste & maski();
        while (paikat_[p].paikka != 0)
            p = (p + 1) & maski();
        paikat_[p] = q;
    }

    // No key is in the index twice, so the entries may be placed again in any order.
    void kasvata(std::size_t koko) {
        assert(koko > 0 && (koko & (koko - 1)) == 0);
        std::vector<Paikka> vanhat(koko);
        vanhat.swap(paikat_);
        for (const Paikka &q : vanhat)
            if (q.paikka != 0)
                sijoita(q);
    }

    std::vector<Paikka> paikat_;
    std::size_t maara_ = 0;
};

} // namespace vt
