#pragma once
// A result in a level: a finishing time, or the apples taken in a run that did not finish.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vt {

class Aika {
  public:
    Aika() = default;
    explicit Aika(const std::string &teksti);

    bool etsiaika(std::string_view teksti, bool sanaMoodi, bool viimeinenSana);
    bool nolla() const { return sadasosat == 0 && sekunnit == 0 && minuutit == 0 && omenat == 0; }
    bool onAika() const { return sadasosat != 0 || sekunnit != 0 || minuutit != 0; }
    bool operator==(const Aika &o) const;
    // True when this is a better result than `o`.
    bool operator<(const Aika &o) const;
    // The lead of `o` over this value, or eight blanks.
    std::string operator-(const Aika &o) const;
    Aika operator/(std::uint64_t jakaja) const;
    std::string str() const;
    // Appends the text of `str` to `kohde`.
    void lisaaTekstiin(std::string &kohde) const;
    std::string int2string(unsigned n) const;
    // Total hundredths, kept in 64 bits so that long sums never wrap.
    std::uint64_t sadasosiaYhteensa() const;
    // The order of `operator<` as a key for the rankings: any time before any apple count,
    // times by minutes, seconds and hundredths, more apples first. A value with neither has
    // no key, since it ties with every time while the times among themselves do not tie.
    std::optional<std::pair<std::uint64_t, std::uint64_t>> jarjestysAvain() const;

    std::uint32_t sadasosat = 0;
    std::uint32_t sekunnit = 0;
    // 64 bits: the totals of many levels are values too, and 32 bits of minutes end at 8171
    // years, which 720 000 levels of a hundred hours pass.
    std::uint64_t minuutit = 0;
    std::uint32_t omenat = 0;

  private:
    char *tekstiLoppuun(char *loppu) const;
};

Aika operator+(const Aika &a, const Aika &b);

// The ten-minute penalty for a level without a time, as built from "10:00:00".
const Aika &rangaistusAika();
// Adds the penalty `kertaa` times (10 x kertaa minutes).
void lisaaRangaistus(Aika &a, std::uint64_t kertaa);

} // namespace vt
