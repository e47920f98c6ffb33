#include "model/jarjesta.h"

#include <cstddef>

namespace vt::jarjesta_detail {

namespace {

// Minimum key over ranges of positions; settled positions hold no key.
class MinimiPuu {
  public:
    explicit MinimiPuu(const std::vector<std::uint32_t> &avaimet) : n_(avaimet.size()) {
        lehdet_ = 1;
        while (lehdet_ < n_)
            lehdet_ *= 2;
        puu_.assign(2 * lehdet_, EI);
        for (std::size_t i = 0; i < n_; ++i)
            puu_[lehdet_ + i] = avaimet[i];
        for (std::size_t p = lehdet_ - 1; p >= 1; --p)
            puu_[p] = std::min(puu_[2 * p], puu_[2 * p + 1]);
    }
    void aseta(std::size_t kohta, std::uint32_t avain) {
        std::size_t p = lehdet_ + kohta;
        puu_[p] = avain;
        for (p /= 2; p >= 1; p /= 2)
            puu_[p] = std::min(puu_[2 * p], puu_[2 * p + 1]);
    }
    // The first position from `alku` on whose key is at most `kynnys`, or n.
    std::size_t ensimmainen(std::size_t alku, std::uint32_t kynnys) const {
        if (alku >= n_)
            return n_;
        std::size_t p = lehdet_ + alku;
        // Climb until a subtree to the right of the path holds a key within the bound...
        if (puu_[p] > kynnys) {
            for (;;) {
                while (p & 1) {
                    p /= 2;
                    if (p == 0)
                        return n_;
                }
                ++p;
                if (puu_[p] <= kynnys)
                    break;
            }
        }
        // ...then descend to its leftmost such leaf.
        while (p < lehdet_)
            p = puu_[2 * p] <= kynnys ? 2 * p : 2 * p + 1;
        return p - lehdet_;
    }

    static constexpr std::uint32_t EI = UINT32_MAX;

  private:
    std::size_t n_;
    std::size_t lehdet_;
    std::vector<std::uint32_t> puu_;
};

} // namespace

std::vector<std::uint32_t> kynnysJarjestys(std::vector<std::uint32_t> avaimet,
                                           std::vector<std::uint32_t> kynnykset) {
    // The exchange sort as stated: in step i the element at i is exchanged with each later
    // element that beats it, that is whose key is at most the threshold of the element at i
    // at that moment. The tree finds each such later element directly. Invariant: the tree
    // holds the key of every position after i, and none for positions up to i.
    const std::size_t n = avaimet.size();
    std::vector<std::uint32_t> paikka(n);
    for (std::size_t i = 0; i < n; ++i)
        paikka[i] = static_cast<std::uint32_t>(i);
    MinimiPuu puu(avaimet);
    for (std::size_t i = 0; i < n; ++i) {
        puu.aseta(i, MinimiPuu::EI);
        for (std::size_t j = puu.ensimmainen(i + 1, kynnykset[i]); j < n;
             j = puu.ensimmainen(j + 1, kynnykset[i])) {
            std::swap(avaimet[i], avaimet[j]);
            std::swap(kynnykset[i], kynnykset[j]);
            std::swap(paikka[i], paikka[j]);
            puu.aseta(j, avaimet[j]);
        }
    }
    return paikka;
}

} // namespace vt::jarjesta_detail
