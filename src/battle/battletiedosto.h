#pragma once
// The battle stat file: every level of the collection as one battle, with its results and
// points, the short summary, the battle index and the standings, as text or as an HTML page.
#include "model/aika.h"
#include "model/level.h"
#include "util/kello.h"
#include "util/konsoli.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vt {

extern const std::string TAULUKKO_1;
extern const std::string TAULUKKO_2;
extern const std::string TAULUKKO_3;
extern const std::string TAULUKKO_4;

// One battle as the index and the summary show it.
struct Battle {
    std::string nimi;
    std::string tekija;
    std::uint32_t numero = 0;
    std::uint32_t pelaajia = 0;
    Aika parasAika;
    std::string voittaja;
    std::string paivamaara;
    std::uint32_t pituus = 0;
};

// a / b with two truncated decimals: average(7, 2) is "3.50".
std::string average(unsigned a, unsigned b);
// A hundredfold value with two decimals: 250 is "2.50", 5 is "0.05".
std::string kaksiDesimaalia(std::uint64_t sataKertaa);

// The form question; true for HTML.
bool kysyHtmlMuoto(Konsoli &konsoli);
// The name the chosen form is written under: ".txt" and ".html" swapped to fit the form, and
// for HTML the first free stem01.html to stem99.html.
std::string battleTiedostonNimi(const std::string &nimi, bool html,
                                const std::function<bool(const std::string &)> &olemassa);
// The winner's bonus points, 0 to 1000; a blank answer keeps `oletus`.
unsigned kysyLisapisteet(Konsoli &konsoli, unsigned oletus);

// The points of one battle's ranked runs: n - i, and the bonus to the winner.
void annaPisteet(std::vector<Ajo> &jarjestyksessa, unsigned bonus);

// The per-nick counters of players and designers, accumulated battle by battle in event
// order. Nicks that share their first five letters in any case share a row.
class BattleTilasto {
  public:
    void lisaa(const std::vector<Ajo> &jarjestyksessa, std::uint32_t numero, const Level &level);
    std::vector<Pelaaja> &rivit() { return rivit_; }

  private:
    void lisaaPelaajat(const std::vector<Ajo> &jarjestyksessa, std::uint32_t numero);
    void lisaaTekija(const std::vector<Ajo> &jarjestyksessa, std::uint32_t numero,
                     const Level &level);
    Pelaaja *etsi(const std::string &nimi);
    Pelaaja &uusi(const std::string &nimi);

    std::vector<Pelaaja> rivit_;
    std::unordered_map<std::string, size_t> rivinPaikka_; // first five letters -> row
    std::string edellinenVoittaja_;
    std::string edellinenTekija_;
};

// The summary's figures and the orders of the two standings tables.
struct BattleYhteenveto {
    // The names sharing the largest of one counter, in the order of the ranking, and it.
    struct Parhaat {
        std::vector<std::string> nimet;
        unsigned arvo = 0;
    };
    std::size_t battleja = 0;
    // The first and the last battle's dates, when both are known.
    std::optional<std::pair<std::string, std::string>> jakso;
    // None without rows: the best by points, by levels designed, by the longest winning row
    // and by the longest designing row.
    std::optional<Parhaat> pelaaja, tekija, voittoputki, levelputki;
    // The rows (as row numbers) in the order of the points table and of the designers' table.
    std::vector<std::uint32_t> pisteJarjestys, tekijaJarjestys;
    // Averages a hundredfold, truncated: players per battle (with rows and battles), minutes
    // per battle of a known length; and the winning time of the battles with a winner.
    std::optional<std::uint64_t> pelaajiaBattlessa, pituus;
    std::optional<Aika> voittoaika;
    // The most players in one battle and, when not 0, the battles (as indexes) that had them.
    std::uint32_t enitenPelaajia = 0;
    std::vector<std::size_t> enitenBattlet;
};

// The summary of the rows of `BattleTilasto` and the battles in event order. Each ranking
// starts from the order the one before left, so ties keep that order.
BattleYhteenveto laskeYhteenveto(const std::vector<Pelaaja> &rivit,
                                 const std::vector<Battle> &battlet);

// The summary ("Shortly:") appended to `alku` and the two standings tables to `loppu`.
void yhteenveto(const std::vector<Pelaaja> &rivit, bool html, const std::vector<Battle> &battlet,
                std::string &loppu, std::string &alku, std::ostream &konsoli);

// The battles by name, `aakkosta` deciding each exchange of the exchange sort.
void jarjestaNimenMukaan(std::vector<Battle> &battlet);

// The battle index, sorting the battles by name; empty text for fewer than two battles.
std::string battleIndex(std::vector<Battle> &battlet, bool html, std::ostream &konsoli);

// The whole file as its three parts, written one after the other.
struct BattleTiedosto {
    std::string alku;
    std::string keski;
    std::string loppu;
};
BattleTiedosto teeBattleTiedosto(const std::vector<Level> &levelit, bool html, unsigned bonus,
                                 std::ostream &konsoli, const Kello &kello);

} // namespace vt
