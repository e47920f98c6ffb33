#include "model/jarjesta.h"

#include <cstddef>

namespace vt::jarjesta_detail {

// Where the exchange sort puts each element.
//
// The procedure: for i from the first position, for every later j, exchange the elements at i
// and j when the one at j beats the one at i. Step i thus walks a chain: the element at i, the
// first later one that beats it, the first after that which beats that one, and so on; the
// last of the chain ends at i, and every other moves on to the place of the next. The final
// order is by key; what needs knowing is the order of equal keys, and that follows from the
// keys alone:
//
// - Exchanging equal keys too ("smaller or equal"), equal keys end in the reverse of their
//   order at the start: each step takes the last of the smallest keys.
//
// - Exchanging only smaller keys, the equal keys x (a group) end in an order that depends on
//   nothing but which elements are smaller than x, equal to it or greater, position by
//   position. Greater elements never decide anything. Of the rest, a step that has equal keys
//   before the first smaller element takes that smaller element to the front and moves the
//   first of the equal ones behind the others before it. So, with the group's elements in
//   their order at the start and z[j] the number of smaller elements between the j-th and the
//   next one (after the last one, to the end): start the order with the first element; for
//   each j, turn it z[j] times (the front one to the back), then add the next element.
//   Smaller elements before the first of the group change nothing.
//
// Both were derived step by step from the procedure and are checked against it in the tests,
// on every shape of input and many ties.

void jarjestaRyhma(std::uint32_t *ryhma, std::size_t koko,
                   const std::vector<std::uint32_t> &jalkeen) {
    std::vector<std::uint32_t> jono{ryhma[0]};
    jono.reserve(koko);
    for (std::size_t j = 0; j < koko; ++j) {
        const std::uint32_t valissa = jalkeen[j] - (j + 1 < koko ? jalkeen[j + 1] : 0);
        if (const std::size_t kierto = valissa % jono.size())
            std::rotate(jono.begin(), jono.begin() + static_cast<long>(kierto), jono.end());
        if (j + 1 < koko)
            jono.push_back(ryhma[j + 1]);
    }
    std::copy(jono.begin(), jono.end(), ryhma);
}

namespace {

// The positions in order of key, equal keys in their order at the start. A table that is
// nearly in order costs close to n: the elements that keep the order (`pohja`, in order of
// both key and position) are taken as they are, only the others (`muut`) are sorted, and the
// two are merged.
struct Jarjestetty {
    std::vector<std::uint32_t> paikat;
    std::vector<std::uint32_t> pohja;
    std::vector<std::uint32_t> muut;
};

template <class K> Jarjestetty vakaastiAvaimella(const std::vector<K> &a) {
    const std::size_t n = a.size();
    auto ennen = [&](std::uint32_t x, std::uint32_t y) {
        return a[x] < a[y] || (!(a[y] < a[x]) && x < y);
    };
    Jarjestetty j;
    j.pohja.reserve(n);
    for (std::uint32_t p = 0; p < n; ++p) {
        if (j.pohja.empty() || !(a[p] < a[j.pohja.back()])) {
            j.pohja.push_back(p);
        } else if (j.pohja.size() >= 2 && !(a[p] < a[j.pohja[j.pohja.size() - 2]])) {
            // Only the last one taken is too large (a row whose total grew): it goes aside
            // instead of everything after it.
            j.muut.push_back(j.pohja.back());
            j.pohja.back() = p;
        } else {
            j.muut.push_back(p);
        }
    }
    std::sort(j.muut.begin(), j.muut.end(), ennen);
    j.paikat.resize(n);
    std::merge(j.pohja.begin(), j.pohja.end(), j.muut.begin(), j.muut.end(), j.paikat.begin(),
               ennen);
    return j;
}

template <class K> std::vector<std::uint32_t> tiukastiAvaimella(const std::vector<K> &a) {
    Jarjestetty j = vakaastiAvaimella(a);
    std::vector<std::uint32_t> &r = j.paikat;
    const std::size_t n = r.size();
    // The smaller elements after position p: of `pohja`, those of a smaller key form its
    // beginning, in order of position too; of `muut`, those of a smaller key (a beginning of
    // `muut`, which is sorted) are counted by position in a Fenwick tree, filled as the groups
    // rise in key.
    std::vector<std::uint32_t> puu(j.muut.empty() ? 0 : n + 1, 0);
    std::size_t puussa = 0;
    auto pienempiaJalkeen = [&](std::uint32_t p, const K &x) {
        const auto pienet = std::partition_point(j.pohja.begin(), j.pohja.end(),
                                                 [&](std::uint32_t q) { return a[q] < x; });
        const auto ennen = std::upper_bound(j.pohja.begin(), pienet, p);
        auto maara = static_cast<std::uint32_t>(pienet - ennen);
        if (j.muut.empty())
            return maara;
        for (; puussa < j.muut.size() && a[j.muut[puussa]] < x; ++puussa)
            for (std::size_t i = j.muut[puussa] + 1; i <= n; i += i & (0 - i))
                ++puu[i];
        std::uint32_t enintaanP = 0; // of those in the tree, at positions up to p
        for (std::size_t i = std::size_t{p} + 1; i > 0; i -= i & (0 - i))
            enintaanP += puu[i];
        return maara + static_cast<std::uint32_t>(puussa) - enintaanP;
    };
    std::vector<std::uint32_t> jalkeen;
    for (std::size_t alku = 0; alku < n;) {
        std::size_t loppu = alku + 1;
        while (loppu < n && !(a[r[alku]] < a[r[loppu]]))
            ++loppu;
        if (loppu - alku > 1) {
            jalkeen.resize(loppu - alku);
            for (std::size_t k = alku; k < loppu; ++k)
                jalkeen[k - alku] = pienempiaJalkeen(r[k], a[r[alku]]);
            jarjestaRyhma(&r[alku], loppu - alku, jalkeen);
        }
        alku = loppu;
    }
    return std::move(r);
}

template <class K> std::vector<std::uint32_t> tasanAvaimella(const std::vector<K> &a) {
    std::vector<std::uint32_t> r = std::move(vakaastiAvaimella(a).paikat);
    for (std::size_t alku = 0; alku < r.size();) {
        std::size_t loppu = alku + 1;
        while (loppu < r.size() && !(a[r[alku]] < a[r[loppu]]))
            ++loppu;
        std::reverse(r.begin() + static_cast<long>(alku), r.begin() + static_cast<long>(loppu));
        alku = loppu;
    }
    return r;
}

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

template <class K> std::vector<std::uint32_t> avainJarjestys(const std::vector<K> &a, bool tasan) {
    return tasan ? tasanAvaimella(a) : tiukastiAvaimella(a);
}

template std::vector<std::uint32_t>
avainJarjestys(const std::vector<std::pair<std::uint64_t, std::uint64_t>> &, bool);
template std::vector<std::uint32_t> avainJarjestys(const std::vector<int> &, bool);
template std::vector<std::uint32_t> avainJarjestys(const std::vector<std::uint32_t> &, bool);
template std::vector<std::uint32_t> avainJarjestys(const std::vector<std::uint64_t> &, bool);

} // namespace vt::jarjesta_detail
