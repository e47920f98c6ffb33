#include "model/totalimuisti.h"

#include <cstdint>
#include <cstring>

namespace vt {

namespace {

template <class T> void lisaaLuku(std::string &s, T x) {
    char b[sizeof x];
    std::memcpy(b, &x, sizeof x);
    s.append(b, sizeof x);
}

// Everything a count reads, in bytes; two counts read the same when these are equal. Every
// field has a fixed length or its length before it, so no two inputs give the same bytes.
std::string leima(const std::vector<Level> &levels, std::size_t levelLkm,
                  const Tulostusasetukset &options, const std::vector<unsigned> &cupTaulukko,
                  bool cup) {
    std::string s;
    lisaaLuku(s, static_cast<std::uint64_t>(levelLkm));
    s.push_back(static_cast<char>(cup));
    s.push_back(static_cast<char>(options.tiimit));
    s.push_back(static_cast<char>(options.lihavoiUudet));
    if (cup) {
        lisaaLuku(s, static_cast<std::uint64_t>(cupTaulukko.size()));
        for (unsigned p : cupTaulukko)
            lisaaLuku(s, p);
    }
    for (std::size_t i = 0; i < levelLkm; ++i) {
        const std::vector<Ajo> &ajot = levels[i].ajot();
        lisaaLuku(s, static_cast<std::uint64_t>(ajot.size()));
        for (const Ajo &a : ajot) {
            lisaaLuku(s, a.aika.minuutit);
            lisaaLuku(s, a.aika.sekunnit);
            lisaaLuku(s, a.aika.sadasosat);
            lisaaLuku(s, a.aika.omenat);
            s.push_back(static_cast<char>(a.uusi));
            lisaaLuku(s, static_cast<std::uint64_t>(a.nimi.size()));
            s += a.nimi;
        }
    }
    return s;
}

} // namespace

const TotaliMuisti::Tulos &TotaliMuisti::hae(const std::vector<Level> &levels, std::size_t levelLkm,
                                             const Tulostusasetukset &options,
                                             const std::vector<unsigned> &cupTaulukko, bool cup,
                                             const std::function<Tulos()> &laske) {
    std::string l = leima(levels, levelLkm, options, cupTaulukko, cup);
    if (kaytossa_ && l == leima_)
        return tulos_;
    kaytossa_ = false; // kept only once counted whole
    tulos_ = laske();
    leima_ = std::move(l);
    kaytossa_ = true;
    return tulos_;
}

} // namespace vt
