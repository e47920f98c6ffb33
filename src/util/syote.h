#pragma once
// Every input is opened here. Only a regular file is read: a FIFO would block the program until
// someone writes to it, and a device such as /dev/zero never ends. Lines of side files are read
// with a cap on their length and whole files with a cap on their size, so that no input can
// exhaust the memory.
#include <cstddef>
#include <istream>
#include <memory>
#include <string>

namespace vt {

enum class Avaus {
    Auki,          // a regular file, open for reading
    Puuttuu,       // nothing of the name (or a link to nothing)
    EiLuettavissa, // there, but it does not open for reading (no permission, a folder)
    EiTavallinen,  // a FIFO, a device or a socket: refused
    LiianSuuri,    // read whole only: larger than the cap
};

// The message for a refused input: nimi + " is not a regular file".
std::string eiTavallinenViesti(const std::string &nimi);

// What is under the name, found without opening it (so that a FIFO is never opened): Auki for
// a regular file, or a link to one, that could be opened; the other values as above.
Avaus katsoTiedosto(const std::string &nimi);

// True when anything at all is under the name, a link to nothing included.
bool nimiVarattu(const std::string &nimi);

// An input file open for reading. A name that is not a regular file is never left open, and
// opening it never waits.
class Syote {
  public:
    explicit Syote(const std::string &nimi);
    ~Syote();
    Syote(const Syote &) = delete;
    Syote &operator=(const Syote &) = delete;

    Avaus tila() const { return tila_; }
    bool auki() const { return tila_ == Avaus::Auki; }
    // The contents; empty when the file is not open.
    std::istream &virta() { return virta_; }

  private:
    class Puskuri;
    std::unique_ptr<Puskuri> puskuri_;
    std::istream virta_;
    Avaus tila_;
};

// A side file's line is at most this long; the rest of a longer line is skipped.
inline constexpr std::size_t SIVURIVIN_KATTO = 64 * 1024;
// A side file read whole is at most this large.
inline constexpr std::size_t SIVUTIEDOSTON_KATTO = 64 * 1024 * 1024;

// std::getline with a cap: keeps at most `katto` bytes of the line and skips the rest of it up
// to its line end. False at the end of the input with nothing read. `katkaistu`, when given,
// tells whether bytes were skipped.
bool lueRivi(std::istream &in, std::string &rivi, std::size_t katto, bool *katkaistu = nullptr);

// A line of a log, a stat file or a checked-times file is at most this long; a longer one
// reads as an empty line, so that no input can take the memory.
inline constexpr std::size_t RIVIN_KATTO = 64u << 20;

// The next line as std::getline gives it, but a line longer than RIVIN_KATTO reads as empty.
bool lueRajattuRivi(std::istream &in, std::string &rivi);

// The whole file into `sisalto`: Auki when it was read, LiianSuuri (and nothing read) when it
// is larger than `katto`, otherwise why it could not be read.
Avaus lueKokonaan(const std::string &nimi, std::string &sisalto,
                  std::size_t katto = SIVUTIEDOSTON_KATTO);

// True when the name is a symbolic link to nothing (writing to it would create the file it
// points to, wherever that is).
bool linkkiTyhjaan(const std::string &nimi);

// An output made sure of before the questions about it are asked, so that a question left
// unanswered can undo exactly what was done: an existing file is only checked to open for
// writing (never emptied, never removed); where nothing is, the file is created exclusively
// and only that file is removed again. A link to nothing is followed, creating the file it
// points to, only when `seuraaLinkkia` (the user typed the name).
class TulosteenVaraus {
  public:
    TulosteenVaraus(const std::string &nimi, bool seuraaLinkkia);
    TulosteenVaraus(const TulosteenVaraus &) = delete;
    TulosteenVaraus &operator=(const TulosteenVaraus &) = delete;

    // False when the name does not open for writing.
    bool onnistui() const { return onnistui_; }
    // True when the file was created here.
    bool luotu() const { return luotu_; }
    // Removes the file when it was created here and is still that same file.
    void peru();

  private:
    bool varaa(const std::string &nimi, bool seuraaLinkkia, int syvyys);

    bool onnistui_ = false;
    bool luotu_ = false;
    std::string polku_;
    unsigned long long laite_ = 0;
    unsigned long long inode_ = 0;
};

} // namespace vt
