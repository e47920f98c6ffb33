#pragma once
// Writing a whole output file and knowing whether every byte reached it; replacing, reading and
// locking the files the program keeps for itself.
#include <functional>
#include <iosfwd>
#include <string>

namespace vt {

enum class Kirjoitus { EiAukea, Onnistui, Epaonnistui };

// Empties the file, lets `kirjoita` fill it and reports success only when every write and
// the final close succeeded.
Kirjoitus kirjoitaTiedostoon(const std::string &nimi,
                             const std::function<void(std::ostream &)> &kirjoita);

// Replaces a file the program owns with what `kirjoita` writes, so that the file holds either
// its old contents or the whole new contents, never a part:
// - a name that is a symbolic link is followed to its target, and the target is replaced (a
//   dangling link to the path it names, which is then created);
// - the new contents go to a file created exclusively, under a unique name, in the target's
//   folder (nothing already there is opened or followed), which gets the old file's permission
//   bits and, where permitted, its owner and group (a new file gets 0666 less the umask);
// - the new file is flushed, synced and renamed over the target.
// EiAukea: nothing was written, because the target is not a regular file, is read-only (no
// write permission bit, or not writable by this user), or no file could be created beside it.
// Epaonnistui: a write, the sync or the rename failed. In both cases the temporary file is gone
// and the old file is as it was.
Kirjoitus korvaaKirjoittaen(const std::string &nimi,
                            const std::function<void(std::ostream &)> &kirjoita);

// The same with the whole new contents given; true when the file now holds `sisalto`.
bool korvaaTiedosto(const std::string &nimi, const std::string &sisalto);

// A file the program keeps for itself, read whole. A missing file (or a link to a missing
// file) reads as empty and may be created; a file that is there but cannot be read, or is not a
// regular file (a folder, a FIFO, a device), or is larger than the side-file cap of util/syote,
// must be left alone. A FIFO is never waited on.
enum class Luku { Luettu, Puuttuu, EiLuettavissa, EiTavallinen };
struct OmaTiedosto {
    Luku tila = Luku::Puuttuu;
    std::string sisalto; // empty unless read
    bool kaytettavissa() const { return tila == Luku::Luettu || tila == Luku::Puuttuu; }
};
OmaTiedosto lueOmaTiedosto(const std::string &nimi);

// An advisory lock (flock) held for the life of the object on the lock file `nimi`.lock, beside
// the target of `nimi` when `nimi` is a symbolic link. The lock file is created when missing and
// removed by each holder before it lets go; a holder re-checks after locking that the lock file
// is still the one under the name, so a removal never lets two holders in at once. Where no lock
// file can be made (a read-only folder, a link or a FIFO planted under its name) the object
// holds no lock and says so.
class Lukko {
  public:
    // Waits for the lock when `odota`; otherwise takes it only when it is free.
    explicit Lukko(const std::string &nimi, bool odota = true);
    ~Lukko();
    Lukko(const Lukko &) = delete;
    Lukko &operator=(const Lukko &) = delete;
    bool lukittu() const { return fd_ >= 0; }
    const std::string &polku() const { return polku_; }

  private:
    int fd_ = -1;
    std::string polku_;
};

// The whole contents of a file; a file that does not open reads as empty.
std::string lueTiedosto(const std::string &nimi);

// True when a file of the name could be written: an existing file that opens for writing, or
// a new name in an existing folder. Nothing is created or emptied.
bool voiKirjoittaa(const std::string &nimi);

// True when the name is a file that opens for reading (a folder is not).
bool voiLukea(const std::string &nimi);

} // namespace vt
