#pragma once
// The console: every prompt and message of the program goes through one of these.
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>

namespace vt {

// Thrown when a read finds no input left; the program then ends quietly.
struct SyoteLoppui {};

class Konsoli {
  public:
    // Reads one answer in place of the input stream, given the prompt to show on its line;
    // nothing at end of input. A line editor on a terminal is one.
    using RivinLukija = std::function<std::optional<std::string>(const std::string &kehote)>;

    Konsoli(std::istream &sisaan, std::ostream &ulos, bool terminaali)
        : sisaan_(sisaan), ulos_(ulos), terminaali_(terminaali) {}
    // Reads one whole line (without its line end); throws SyoteLoppui at end of input.
    std::string lueRivi();
    // Writes a prompt without a line end and flushes it. With a line reader the prompt's last
    // line is handed to the reader instead, which shows it.
    void kehota(const std::string &teksti);
    std::ostream &ulos() {
        kirjoitaKehote();
        return ulos_;
    }
    bool terminaali() const { return terminaali_; }
    void asetaRivinLukija(RivinLukija lukija) { lukija_ = std::move(lukija); }

  private:
    // Writes a prompt held for the line reader, when other output comes before the answer.
    void kirjoitaKehote();

    std::istream &sisaan_;
    std::ostream &ulos_;
    bool terminaali_;
    RivinLukija lukija_;
    std::string kehote_;
};

extern const std::string APU_VIRHE1;
extern const std::string APU_VIRHE2;

void tyhjennaruutu(Konsoli &k);
void tauko(Konsoli &k);
void taukotaiei(Konsoli &k, bool tauotaanko);
unsigned kysyluku(Konsoli &k, const std::string &kehote, unsigned min, unsigned max, bool oletus);

// True when standard output is a terminal.
bool tulosteOnTerminaali();
// True when standard input is a terminal.
bool syoteOnTerminaali();
// A console that goes away (a pipe whose reader ended) must not end the program in the middle
// of a save: writes to it then merely fail.
void kestaSuljettuTuloste();

} // namespace vt
