#pragma once
// The console: every prompt and message of the program goes through one of these.
#include <iosfwd>
#include <string>

namespace vt {

// Thrown when a read finds no input left; the program then ends quietly.
struct SyoteLoppui {};

class Konsoli {
  public:
    Konsoli(std::istream &sisaan, std::ostream &ulos, bool terminaali)
        : sisaan_(sisaan), ulos_(ulos), terminaali_(terminaali) {}
    // Reads one whole line (without its line end); throws SyoteLoppui at end of input.
    std::string lueRivi();
    // Writes a prompt without a line end and flushes it.
    void kehota(const std::string &teksti);
    std::ostream &ulos() { return ulos_; }
    bool terminaali() const { return terminaali_; }

  private:
    std::istream &sisaan_;
    std::ostream &ulos_;
    bool terminaali_;
};

extern const std::string APU_VIRHE1;
extern const std::string APU_VIRHE2;

void tyhjennaruutu(Konsoli &k);
void tauko(Konsoli &k);
void taukotaiei(Konsoli &k, bool tauotaanko);
unsigned kysyluku(Konsoli &k, const std::string &kehote, unsigned min, unsigned max, bool oletus);

// True when standard output is a terminal.
bool tulosteOnTerminaali();
// A console that goes away (a pipe whose reader ended) must not end the program in the middle
// of a save: writes to it then merely fail.
void kestaSuljettuTuloste();

} // namespace vt
