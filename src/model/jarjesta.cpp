#include "model/jarjesta_osat.h"

#include <algorithm>
#include <cstddef>
#include <optional>

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

void jarjestaRyhmaKaantaen(std::uint32_t *ryhma, std::size_t koko,
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

// Present places 0 to n - 1 of a table, all at first; finds the k-th of those left and takes
// it away, each in log n steps (a Fenwick tree of counts).
class Paikat {
  public:
    explicit Paikat(std::size_t n) : puu_(n + 1, 0) {
        for (std::size_t i = 1; i <= n; ++i) {
            puu_[i] += 1;
            if (const std::size_t ylempi = i + (i & (0 - i)); ylempi <= n)
                puu_[ylempi] += puu_[i];
        }
        askel_ = 1;
        while (askel_ * 2 <= n)
            askel_ *= 2;
    }
    // The place of the k-th (from 0) place left.
    std::size_t kohta(std::size_t k) const {
        std::size_t p = 0;
        for (std::size_t a = askel_; a > 0; a /= 2)
            if (p + a < puu_.size() && puu_[p + a] <= k) {
                p += a;
                k -= puu_[p];
            }
        return p;
    }
    void poista(std::size_t kohta) {
        for (std::size_t i = kohta + 1; i < puu_.size(); i += i & (0 - i))
            --puu_[i];
    }

  private:
    std::vector<std::uint32_t> puu_;
    std::size_t askel_;
};

} // namespace

// The turns undone from the end. The group's order is a ring read from a head: a turn moves
// the head, an added member goes in just before the head. The final order is the ring read
// from its final head; going back, the member added last is the one just before the head,
// and taking it out and moving the head back gives the ring before. Each member's final
// place is thus found among the places not yet given, in log koko steps.
void jarjestaRyhma(std::uint32_t *ryhma, std::size_t koko,
                   const std::vector<std::uint32_t> &jalkeen) {
    if (koko <= 8) { // a turn of a small group costs no more than a step of the tree
        jarjestaRyhmaKaantaen(ryhma, koko, jalkeen);
        return;
    }
    std::vector<std::uint32_t> tulos(koko);
    Paikat vapaat(koko);
    std::size_t paa = 0; // the head, as a rank among the places left
    for (std::size_t j = koko; j-- > 0;) {
        // Invariant: the members 0 to j are left, the ring of them read from `paa` is the
        // order after member j was added and turned.
        std::size_t koossa = j + 1;
        const std::uint32_t valissa = jalkeen[j] - (j + 1 < koko ? jalkeen[j + 1] : 0);
        paa = (paa + koossa - valissa % koossa) % koossa; // before the turns after member j
        if (j == 0)
            break;
        const std::size_t viimeinen = (paa + koossa - 1) % koossa; // member j, added last
        const std::size_t kohta = vapaat.kohta(viimeinen);
        tulos[kohta] = ryhma[j];
        vapaat.poista(kohta);
        if (viimeinen < paa)
            --paa;
        --koossa;
    }
    tulos[vapaat.kohta(0)] = ryhma[0];
    std::copy(tulos.begin(), tulos.end(), ryhma);
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
    Laskuripuu puu(j.muut.empty() ? 0 : n);
    std::size_t puussa = 0;
    auto pienempiaJalkeen = [&](std::uint32_t p, const K &x) {
        const auto pienet = std::partition_point(j.pohja.begin(), j.pohja.end(),
                                                 [&](std::uint32_t q) { return a[q] < x; });
        const auto ennen = std::upper_bound(j.pohja.begin(), pienet, p);
        auto maara = static_cast<std::uint32_t>(pienet - ennen);
        if (j.muut.empty())
            return maara;
        for (; puussa < j.muut.size() && a[j.muut[puussa]] < x; ++puussa)
            puu.merkitse(j.muut[puussa]);
        return maara + static_cast<std::uint32_t>(puussa) - puu.ennen(std::size_t{p} + 1);
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

// Threshold rules (names that agree as far as the shorter one goes beat each other both ways).
// Step i walks the chain of the procedure: the element at i, the first later one whose key is
// at most its threshold, the first after that whose key is at most that one's threshold, and
// so on; each member moves on to the place of the next one and the last ends at i. No order
// of keys tells the result. Thresholds that come from names tell it through the tree of the
// names (`nimipuuJarjestys`, further on); for any others the exchanges are made, in one of
// two forms:
//
// - The array form (`Alkiot`, `taulukkoAskel`): the elements in one array and a tree of
//   minimum keys, which finds each member of a chain directly; one exchange per member.
// - `Ketjupuu`: the elements in a balanced tree by position. Where names begin with one
//   another ("Level 1", "Level 10", "Level 100"), chains run through long stretches of
//   neighbours each of which beats the one before it. Such a stretch, once entered, is
//   walked to its end, and all it does is turn by one place: the entering element takes its
//   first place, everyone moves on by one, the last leaves as the chain's element. The tree
//   does that with a few cuts and joins, whatever the length of the stretch.
//
// When names are in no particular order, stretches are short and the array is quicker per
// exchange. The routine counts the work of both forms as it goes (`Mittari`) and moves the
// elements into the other form when that would have cost much less.

using u32 = std::uint32_t;

// Minimum key over ranges of positions; settled positions hold no key.
class MinimiPuu {
  public:
    // Keys of the positions from `alku` on; those before it are settled.
    MinimiPuu(const std::vector<u32> &avaimet, std::size_t alku) : n_(avaimet.size()) {
        lehdet_ = 1;
        while (lehdet_ < n_)
            lehdet_ *= 2;
        puu_.assign(2 * lehdet_, EI);
        for (std::size_t i = alku; i < n_; ++i)
            puu_[lehdet_ + i] = avaimet[i];
        for (std::size_t p = lehdet_ - 1; p >= 1; --p)
            puu_[p] = std::min(puu_[2 * p], puu_[2 * p + 1]);
    }
    void aseta(std::size_t kohta, u32 avain) {
        std::size_t p = lehdet_ + kohta;
        puu_[p] = avain;
        for (p /= 2; p >= 1; p /= 2)
            puu_[p] = std::min(puu_[2 * p], puu_[2 * p + 1]);
    }
    // The first position from `alku` on whose key is at most `kynnys`, or n.
    std::size_t ensimmainen(std::size_t alku, u32 kynnys) const {
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

    static constexpr u32 EI = UINT32_MAX;

  private:
    std::size_t n_;
    std::size_t lehdet_;
    std::vector<u32> puu_;
};

// The elements not yet settled, in the array form: positions from the current step on.
struct Alkiot {
    std::vector<u32> avaimet;
    std::vector<u32> kynnykset;
    std::vector<u32> paikka; // original index; from the settled positions, the result
};

// Counts the work since the last look and says when the other form would have been much
// cheaper. Work is counted in exchanges of the array form.
class Mittari {
  public:
    Mittari(std::size_t n, KynnysMuoto muoto) : ikkuna_(IKKUNA * n), muoto_(muoto) {}

    void askel() { ++askelia_; }
    void venytys(std::uint64_t jasenia) {
        ++venytyksia_;
        vaihtoja_ += jasenia;
    }

    // Called between steps; true when the elements should move to the other form.
    bool vaihdetaanko(bool puussa) {
        switch (muoto_) {
        case KynnysMuoto::taulukko:
            return false;
        case KynnysMuoto::puu:
            return !puussa;
        case KynnysMuoto::vuorotellen:
            return ++vuoro_ % VUORON_PITUUS == 0;
        case KynnysMuoto::mitattu:
        case KynnysMuoto::nimipuu:
            break;
        }
        const std::uint64_t taulukossa = vaihtoja_ + askelia_;
        const std::uint64_t puuna = VENYTYKSEN_HINTA * (venytyksia_ + askelia_);
        if ((puussa ? puuna : taulukossa) < ikkuna_)
            return false;
        const bool vaihda = puussa ? taulukossa * ETU < puuna : puuna * ETU < taulukossa;
        askelia_ = venytyksia_ = vaihtoja_ = 0;
        return vaihda;
    }

  private:
    // One stretch in the tree (two cuts, taking the first element, three joins and two
    // links set, each a walk down the tree) takes as long as 18 to 30 exchanges in the
    // array, measured on 5,000 to 200,000 shuffled numbered names (0.45 to 0.55 us against
    // 17 to 25 ns). The figure leans to the array, which is quicker on small tables. A step
    // of the tree form is counted as one stretch (taking the first element and one join), a
    // step of the array form as one exchange (one search).
    static constexpr std::uint64_t VENYTYKSEN_HINTA = 26;
    // Move only when the other form would have taken at most half the time, so that an
    // input on the edge does not send the elements to and fro.
    static constexpr std::uint64_t ETU = 2;
    // Look after work worth 2 exchanges per element. Moving the elements into the other form
    // costs a few exchanges' worth per element, and the forms only trade places when one is
    // twice as quick, so moving stays a modest share; looking soon keeps the array form's
    // start short on names where the tree is many times quicker.
    static constexpr std::uint64_t IKKUNA = 2;

    // Steps per form when the tests have the forms take turns.
    static constexpr std::uint64_t VUORON_PITUUS = 3;

    std::uint64_t ikkuna_;
    KynnysMuoto muoto_;
    std::uint64_t vuoro_ = 0;
    std::uint64_t askelia_ = 0;
    std::uint64_t venytyksia_ = 0;
    std::uint64_t vaihtoja_ = 0;
};

// Step i in the array form.
void taulukkoAskel(std::size_t i, Alkiot &a, MinimiPuu &puu, Mittari &mittari) {
    const std::size_t n = a.avaimet.size();
    mittari.askel();
    puu.aseta(i, MinimiPuu::EI);
    std::size_t venytyksenAlku = n; // first and last position of the current stretch
    std::size_t edellinen = n;
    for (std::size_t j = puu.ensimmainen(i + 1, a.kynnykset[i]); j < n;
         j = puu.ensimmainen(j + 1, a.kynnykset[i])) {
        std::swap(a.avaimet[i], a.avaimet[j]);
        std::swap(a.kynnykset[i], a.kynnykset[j]);
        std::swap(a.paikka[i], a.paikka[j]);
        puu.aseta(j, a.avaimet[j]);
        if (j != edellinen + 1) {
            if (venytyksenAlku < n)
                mittari.venytys(edellinen - venytyksenAlku + 1);
            venytyksenAlku = j;
        }
        edellinen = j;
    }
    if (venytyksenAlku < n)
        mittari.venytys(edellinen - venytyksenAlku + 1);
}

// The elements not yet settled in a treap by position. Each node knows whether the element
// after it beats it (`linkki`: the next key is at most its threshold), so a stretch is the
// run of nodes from where a chain enters to the first one without a link.
class Ketjupuu {
  public:
    Ketjupuu(const Alkiot &a, std::size_t alku)
        : s_(a.avaimet.size() - alku + 1), paikka_(a.avaimet.size() - alku + 1) {
        const std::size_t n = a.avaimet.size();
        std::uint64_t tila = 0x9e3779b97f4a7c15u; // priorities only shape the tree
        for (std::size_t p = alku; p < n; ++p) {
            const auto v = static_cast<u32>(p - alku + 1);
            tila ^= tila << 13;
            tila ^= tila >> 7;
            tila ^= tila << 17;
            s_[v] = Solmu{a.avaimet[p], a.kynnykset[p], static_cast<u32>(tila >> 32)};
            paikka_[v] = a.paikka[p];
            s_[v].linkki = p + 1 < n && a.avaimet[p + 1] <= a.kynnykset[p];
            paivita(v);
            juuri_ = liita(juuri_, v);
        }
    }

    // One step: the first element walks its chain. Returns the original index of the element
    // that ends first (and leaves the tree).
    u32 askel(Mittari &mittari) {
        mittari.askel();
        u32 x = 0;
        u32 seuraava = 0;
        u32 loput = irrotaEnsimmainen(juuri_, x, seuraava);
        // Invariant: `valmiit` holds the elements before the chain's position, in their places
        // after this step, every link right (the last one's for the first of `loput`); x is
        // the chain's element; `loput` the elements after.
        u32 valmiit = 0;
        while (loput != 0 && s_[loput].minimi <= s_[x].kynnys) {
            u32 ohitetut = 0;
            u32 venytys = 0;
            u32 viimeinen = 0;
            leikkaaEnintaan(loput, s_[x].kynnys, ohitetut, venytys);
            leikkaaKatkoon(venytys, venytys, loput);
            loput = irrotaEnsimmainen(loput, viimeinen, seuraava);
            mittari.venytys(s_[venytys].koko + 1);

            // Turn the stretch by one: x takes its first place, the last one goes on. The
            // element before x beats it when x passed it by: x's key is below the other's
            // whole range then, and within its threshold.
            const bool ohi = ohitetut != 0;
            valmiit = liita(valmiit, ohitetut);
            if (valmiit != 0)
                asetaViimeisenLinkki(valmiit, ohi ? 0 : s_[x].avain);
            const u32 seuraavanAvain = seuraava != 0 ? s_[seuraava].avain : MinimiPuu::EI;
            s_[x].vasen = s_[x].oikea = 0;
            s_[x].linkki = venytys != 0 || seuraavanAvain <= s_[x].kynnys;
            paivita(x);
            if (venytys != 0)
                asetaViimeisenLinkki(venytys, seuraavanAvain);
            valmiit = liita(liita(valmiit, x), venytys);
            x = viimeinen;
        }
        juuri_ = liita(valmiit, loput);
        return paikka_[x];
    }

    // Writes the elements left, in order, into the array form from position `alku` on.
    void kirjoita(Alkiot &a, std::size_t alku) const {
        std::vector<u32> pino;
        std::size_t p = alku;
        for (u32 v = juuri_; v != 0 || !pino.empty();) {
            if (v != 0) {
                pino.push_back(v);
                v = s_[v].vasen;
                continue;
            }
            v = pino.back();
            pino.pop_back();
            a.avaimet[p] = s_[v].avain;
            a.kynnykset[p] = s_[v].kynnys;
            a.paikka[p] = paikka_[v];
            ++p;
            v = s_[v].oikea;
        }
    }

  private:
    // 32 bytes, aligned, so that a step down the tree reads one cache line.
    struct alignas(32) Solmu {
        u32 avain = MinimiPuu::EI;
        u32 kynnys = 0;
        u32 prioriteetti = 0;
        u32 vasen = 0;
        u32 oikea = 0;
        u32 koko = 0;
        u32 minimi = MinimiPuu::EI; // smallest key in the subtree
        bool linkki = false;
        bool katko = false; // some node of the subtree has no link
    };

    // Node 0 is the empty tree: size 0, no key, no missing link.
    void paivita(u32 v) {
        Solmu &s = s_[v];
        s.koko = 1 + s_[s.vasen].koko + s_[s.oikea].koko;
        s.minimi = std::min({s.avain, s_[s.vasen].minimi, s_[s.oikea].minimi});
        s.katko = !s.linkki || s_[s.vasen].katko || s_[s.oikea].katko;
    }

    u32 liita(u32 a, u32 b) {
        if (a == 0 || b == 0)
            return a | b;
        if (s_[a].prioriteetti > s_[b].prioriteetti) {
            s_[a].oikea = liita(s_[a].oikea, b);
            paivita(a);
            return a;
        }
        s_[b].vasen = liita(a, s_[b].vasen);
        paivita(b);
        return b;
    }

    // Cuts v in two: b begins with the first element whose key is at most `kynnys`.
    void leikkaaEnintaan(u32 v, u32 kynnys, u32 &a, u32 &b) {
        if (v == 0) {
            a = b = 0;
            return;
        }
        Solmu &s = s_[v];
        if (s_[s.vasen].minimi <= kynnys || s.avain <= kynnys) {
            leikkaaEnintaan(s.vasen, kynnys, a, s.vasen);
            b = v;
        } else {
            leikkaaEnintaan(s.oikea, kynnys, s.oikea, b);
            a = v;
        }
        paivita(v);
    }

    // Cuts v in two: b begins with the first element without a link. The last element of the
    // whole has none, so a tree that ends where the whole does keeps at least one in b.
    void leikkaaKatkoon(u32 v, u32 &a, u32 &b) {
        if (v == 0) {
            a = b = 0;
            return;
        }
        Solmu &s = s_[v];
        if (s_[s.vasen].katko || !s.linkki) {
            leikkaaKatkoon(s.vasen, a, s.vasen);
            b = v;
        } else {
            leikkaaKatkoon(s.oikea, s.oikea, b);
            a = v;
        }
        paivita(v);
    }

    // Takes the first element of v (into `ensimmainen`); returns the rest, whose first element
    // goes into `uusiEnsimmainen` (0 when none is left).
    u32 irrotaEnsimmainen(u32 v, u32 &ensimmainen, u32 &uusiEnsimmainen) {
        polku_.clear();
        for (; s_[v].vasen != 0; v = s_[v].vasen)
            polku_.push_back(v);
        ensimmainen = v;
        // Next in order: the leftmost of its right subtree, or else the node above it.
        uusiEnsimmainen = s_[v].oikea;
        if (uusiEnsimmainen != 0)
            while (s_[uusiEnsimmainen].vasen != 0)
                uusiEnsimmainen = s_[uusiEnsimmainen].vasen;
        else if (!polku_.empty())
            uusiEnsimmainen = polku_.back();
        if (polku_.empty())
            return s_[v].oikea;
        s_[polku_.back()].vasen = s_[v].oikea;
        for (auto p = polku_.rbegin(); p != polku_.rend(); ++p)
            paivita(*p);
        return polku_.front();
    }

    // The last element of v is now followed by one of key `seuraava`.
    void asetaViimeisenLinkki(u32 v, u32 seuraava) {
        polku_.clear();
        for (; s_[v].oikea != 0; v = s_[v].oikea)
            polku_.push_back(v);
        s_[v].linkki = seuraava <= s_[v].kynnys;
        paivita(v);
        for (auto p = polku_.rbegin(); p != polku_.rend(); ++p)
            paivita(*p);
    }

    std::vector<Solmu> s_;
    std::vector<u32> paikka_; // original index of each node's element; elements keep their node
    std::vector<u32> polku_;
    u32 juuri_ = 0;
};

// The tree of names. Where the thresholds come from names (a key's threshold is the key of the
// last name that begins with it), the names that begin with one another form a tree: the
// ranges [key, threshold] of the distinct keys nest or lie apart, and a name's parent is the
// longest other name that begins it. The rule then says: a later element beats an earlier
// one when one of the two names begins the other (they are equal, or one lies in the other's
// subtree), or else when it sorts before it. The procedure's final order follows from the
// tree and the order at the start alone, by a recursion over the tree:
//
// - The elements of one subtree end next to each other; the subtrees of the children of a
//   node (and the trees of the forest) follow one another in order of key. A subtree's own
//   order depends only on the order its elements had at the start.
// - In the subtree of name v, the elements in their order at the start fall into runs: runs
//   of copies of v itself and runs of the rest (names that v begins). The runs end in the
//   reverse of their order; a run of copies of v ends reversed; a run of the rest ends
//   arranged as the first rule says, by children of v, each child's elements of that run
//   arranged by this rule again.
//
// The derivation. Take the elements of one subtree, a group. Elements of smaller subtrees
// behind its members turn the group, elements of larger ones never matter: between names of
// which none begins the other the rule is an order of keys, and as for equal keys under a
// strict order (above) the group's order follows from its members' order at the start and
// the number of smaller elements between consecutive members. A turn is one step of the
// procedure walked over the group with the element it ends with put at the back; after the
// last member, the procedure's own steps over the group finish it. Copies of v beat every
// element of v's subtree and are beaten by each: a chain that meets a run of copies leaves
// its element in front of the run, the run moves on by one place, and the element after the
// run goes on as the chain's element. So a turn of the group turns each run of the rest on
// its own and leaves the runs of copies as they are; and a step of the procedure over the
// group takes the last copy when the group ends in copies (turning every run of the rest),
// or else makes a step of the last run of the rest alone (turning the others): the steps
// take the runs from the last one back, a run of copies last element first, a run of the
// rest as the procedure orders it alone. A run of the rest is a table of the children's
// subtrees, where the first rule applies again, a turn of the run counting as one smaller
// element behind it. Down the tree that ends in groups of copies of one name, which all beat
// each other and which a turn thus leaves as they are. So the number of turns decides
// nothing, and a run of the rest ends as its children's groups do, each by the second rule.
//
// Each element is handled once in the forest, once in the subtree of its own name and once
// in that of each other distinct name that begins it: 2n + Q times, where Q counts pairs of
// an element and a distinct name that begins its name. Q is at most the number P of pairs
// of elements of which one name begins the other (equal names included), and at most the
// total length of the names. In the forest an element finds its tree in log n steps; in the
// subtree of v, the child of v it falls under in log d steps, d the number of v's children.
// With the sorting of the keys: n log n + Q log d for d the most children of any name, never
// above (n + P) log n; n log n for names such as numbered ones (at most ten children, P
// under 4n up to 100,000 names). The recursion was checked step by step against the
// procedure on random tables, and the tests compare it with the loop as written.
//
// The tree is made from the keys and thresholds alone; when they form none (some key with
// two thresholds, a threshold below its key, ranges that cross), there is no result and the
// exchanges are made instead.
std::optional<std::vector<u32>> nimipuuJarjestys(const std::vector<u32> &avaimet,
                                                 const std::vector<u32> &kynnykset) {
    const std::size_t n = avaimet.size();
    // The nodes: the distinct keys in order.
    std::vector<u32> erit = avaimet;
    std::sort(erit.begin(), erit.end());
    erit.erase(std::unique(erit.begin(), erit.end()), erit.end());
    const auto m = static_cast<u32>(erit.size());
    const u32 JUURI = m; // the forest's own root, above the names of no parent
    constexpr u32 EI = UINT32_MAX;
    std::vector<u32> solmu(n);         // each element's node
    std::vector<u32> viimeinen(m, EI); // the last node of each node's subtree
    for (std::size_t i = 0; i < n; ++i) {
        solmu[i] =
            static_cast<u32>(std::lower_bound(erit.begin(), erit.end(), avaimet[i]) - erit.begin());
        const auto loppu = static_cast<u32>(
            std::upper_bound(erit.begin(), erit.end(), kynnykset[i]) - erit.begin());
        if (loppu <= solmu[i])
            return std::nullopt; // the element would not beat a copy of itself
        u32 &v = viimeinen[solmu[i]];
        if (v != EI && v != loppu - 1)
            return std::nullopt;
        v = loppu - 1;
    }
    // Parents, through the nodes in order with the chain of open subtrees; children of each
    // node (the root's last) in order, as runs of one table.
    std::vector<u32> lapsetAlku(std::size_t{m} + 2, 0);
    std::vector<u32> vanhempi(m);
    std::vector<u32> avoimet;
    for (u32 v = 0; v < m; ++v) {
        while (!avoimet.empty() && viimeinen[avoimet.back()] < v)
            avoimet.pop_back();
        if (!avoimet.empty() && viimeinen[v] > viimeinen[avoimet.back()])
            return std::nullopt; // ranges that cross
        vanhempi[v] = avoimet.empty() ? JUURI : avoimet.back();
        ++lapsetAlku[vanhempi[v] + 1];
        avoimet.push_back(v);
    }
    for (std::size_t v = 1; v < lapsetAlku.size(); ++v)
        lapsetAlku[v] += lapsetAlku[v - 1];
    std::vector<u32> lapset(m);
    {
        std::vector<u32> kohta(lapsetAlku.begin(), lapsetAlku.end() - 1);
        for (u32 v = 0; v < m; ++v)
            lapset[kohta[vanhempi[v]]++] = v;
    }

    std::vector<u32> r(n); // the elements, rearranged in place until in their final order
    for (std::size_t i = 0; i < n; ++i)
        r[i] = static_cast<u32>(i);
    std::vector<u32> lapsi(n), apu(n), maara(std::size_t{m}, 0), loydetyt;
    struct Tehtava {
        u32 solmu; // the elements at alku..loppu lie in its subtree, in their order at the start
        u32 alku;
        u32 loppu;
    };
    std::vector<Tehtava> tehtavat{{JUURI, 0, static_cast<u32>(n)}};

    // Elements at a..b, none a copy of v, in their order at the start: grouped by the child
    // of v they fall under, children in order, each group keeping its order.
    auto lapsittain = [&](u32 v, u32 a, u32 b) {
        if (b - a < 2)
            return;
        const u32 *l0 = lapset.data() + lapsetAlku[v];
        const u32 *l1 = lapset.data() + lapsetAlku[v + 1];
        bool yksi = true;
        for (u32 p = a; p < b; ++p) {
            lapsi[p] = *(std::upper_bound(l0, l1, solmu[r[p]]) - 1);
            yksi = yksi && lapsi[p] == lapsi[a];
        }
        if (yksi) {
            tehtavat.push_back({lapsi[a], a, b});
            return;
        }
        loydetyt.clear();
        for (u32 p = a; p < b; ++p)
            if (maara[lapsi[p]]++ == 0)
                loydetyt.push_back(lapsi[p]);
        std::sort(loydetyt.begin(), loydetyt.end());
        u32 kohta = a;
        for (u32 c : loydetyt) {
            const u32 koko = maara[c];
            tehtavat.push_back({c, kohta, kohta + koko});
            maara[c] = kohta; // from here on, where the next element of the group goes
            kohta += koko;
        }
        for (u32 p = a; p < b; ++p)
            apu[maara[lapsi[p]]++] = r[p];
        for (u32 c : loydetyt)
            maara[c] = 0;
        std::copy(apu.begin() + a, apu.begin() + b, r.begin() + a);
    };

    while (!tehtavat.empty()) {
        const Tehtava t = tehtavat.back();
        tehtavat.pop_back();
        if (t.loppu - t.alku < 2)
            continue;
        if (t.solmu == JUURI) {
            lapsittain(t.solmu, t.alku, t.loppu);
            continue;
        }
        // The runs in reverse order, each copy of v reversed with them; each run of the rest
        // turned back to its order at the start and grouped by children.
        std::reverse(r.begin() + t.alku, r.begin() + t.loppu);
        for (u32 p = t.alku; p < t.loppu;) {
            if (solmu[r[p]] == t.solmu) {
                ++p;
                continue;
            }
            u32 q = p + 1;
            while (q < t.loppu && solmu[r[q]] != t.solmu)
                ++q;
            std::reverse(r.begin() + p, r.begin() + q);
            lapsittain(t.solmu, p, q);
            p = q;
        }
    }
    return r;
}

} // namespace

std::vector<std::uint32_t> kynnysJarjestys(std::vector<std::uint32_t> avaimet,
                                           std::vector<std::uint32_t> kynnykset) {
    // No element's threshold above its key: "exchange when the later key is at most the
    // earlier one", an order of keys with equal keys exchanged.
    if (avaimet == kynnykset)
        return tasanAvaimella(avaimet);
    return kynnysJarjestys(std::move(avaimet), std::move(kynnykset), KynnysMuoto::nimipuu);
}

std::vector<std::uint32_t> kynnysJarjestys(std::vector<std::uint32_t> avaimet,
                                           std::vector<std::uint32_t> kynnykset,
                                           KynnysMuoto muoto) {
    if (muoto == KynnysMuoto::nimipuu) {
        if (std::optional<std::vector<u32>> r = nimipuuJarjestys(avaimet, kynnykset))
            return std::move(*r);
        muoto = KynnysMuoto::mitattu;
    }
    const std::size_t n = avaimet.size();
    Alkiot a{std::move(avaimet), std::move(kynnykset), std::vector<u32>(n)};
    for (std::size_t i = 0; i < n; ++i)
        a.paikka[i] = static_cast<u32>(i);
    Mittari mittari(n, muoto);
    std::optional<MinimiPuu> taulukko(std::in_place, a.avaimet, 0);
    std::optional<Ketjupuu> puu;
    for (std::size_t i = 0; i < n; ++i) {
        if (mittari.vaihdetaanko(puu.has_value())) {
            if (puu) {
                puu->kirjoita(a, i);
                puu.reset();
                taulukko.emplace(a.avaimet, i);
            } else {
                taulukko.reset();
                puu.emplace(a, i);
            }
        }
        if (puu)
            a.paikka[i] = puu->askel(mittari);
        else
            taulukkoAskel(i, a, *taulukko, mittari);
    }
    return std::move(a.paikka);
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
