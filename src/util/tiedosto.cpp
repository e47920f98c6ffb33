#include "util/tiedosto.h"

#include "util/syote.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace vt {

namespace {

// The real path of a name reached through links; the name itself when it has none.
std::string oikeaPolku(const std::string &p) {
    char *oikea = realpath(p.c_str(), nullptr);
    if (oikea == nullptr)
        return p;
    std::string r = oikea;
    std::free(oikea);
    return r;
}

// The name a link points to, taken from the link's folder when it is relative; nothing when
// the link cannot be read or is empty.
std::optional<std::string> linkinKohde(const std::string &p, const struct stat &st) {
    std::string linkki(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
    const ssize_t n = readlink(p.c_str(), linkki.data(), linkki.size());
    if (n < 0 || static_cast<size_t>(n) >= linkki.size())
        return std::nullopt;
    linkki.resize(static_cast<size_t>(n));
    if (linkki.empty())
        return std::nullopt;
    if (linkki[0] == '/')
        return linkki;
    const std::filesystem::path kansio = std::filesystem::path(p).parent_path();
    return (kansio.empty() ? std::filesystem::path(linkki) : kansio / linkki).string();
}

// The file a name stands for: the name itself, or for a symbolic link its target (followed
// link by link, so a dangling link gives the missing path it names). Nothing when the links go
// round in a loop or a name on the way cannot be examined.
std::optional<std::string> kohde(const std::string &nimi) {
    std::string p = nimi;
    for (int kierros = 0; kierros < 40; ++kierros) {
        struct stat st {};
        if (lstat(p.c_str(), &st) != 0) {
            if (errno == ENOENT)
                return p;
            return std::nullopt;
        }
        if (!S_ISLNK(st.st_mode))
            return kierros == 0 ? p : oikeaPolku(p); // a link that resolves: its real path
        std::optional<std::string> seuraava = linkinKohde(p, st);
        if (!seuraava)
            return std::nullopt;
        p = std::move(*seuraava);
    }
    return std::nullopt;
}

std::string kansioOf(const std::string &polku) {
    const std::string k = std::filesystem::path(polku).parent_path().string();
    return k.empty() ? "." : k;
}

std::string perusnimi(const std::string &polku) {
    return std::filesystem::path(polku).filename().string();
}

bool kirjoitaKaikki(int fd, const char *p, size_t n) {
    while (n > 0) {
        const ssize_t k = ::write(fd, p, n);
        if (k < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += k;
        n -= static_cast<size_t>(k);
    }
    return true;
}

// An output stream buffer straight onto a file descriptor that remembers any failed write.
class Kuvaajapuskuri : public std::streambuf {
  public:
    explicit Kuvaajapuskuri(int fd) : fd_(fd) { setp(puskuri_, puskuri_ + sizeof puskuri_); }
    bool ok() const { return ok_; }
    bool tyhjenna() {
        const auto n = static_cast<size_t>(pptr() - pbase());
        if (n > 0 && ok_)
            ok_ = kirjoitaKaikki(fd_, pbase(), n);
        setp(puskuri_, puskuri_ + sizeof puskuri_);
        return ok_;
    }

  protected:
    int_type overflow(int_type c) override {
        if (!tyhjenna())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return tyhjenna() ? 0 : -1; }

  private:
    int fd_;
    bool ok_ = true;
    char puskuri_[1 << 16];
};

mode_t umaski() {
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

void synkkaaKansio(const std::string &kansio) {
    const int fd = ::open(kansio.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

Kirjoitus kirjoitaTiedostoon(const std::string &nimi,
                             const std::function<void(std::ostream &)> &kirjoita) {
    std::ofstream out(nimi, std::ios::binary | std::ios::trunc);
    if (!out.is_open())
        return Kirjoitus::EiAukea;
    kirjoita(out);
    out.flush();
    bool ok = static_cast<bool>(out);
    out.close();
    ok = ok && !out.fail();
    return ok ? Kirjoitus::Onnistui : Kirjoitus::Epaonnistui;
}

Kirjoitus korvaaKirjoittaen(const std::string &nimi,
                            const std::function<void(std::ostream &)> &kirjoita) {
    const std::optional<std::string> polku = kohde(nimi);
    if (!polku)
        return Kirjoitus::EiAukea;
    struct stat vanha {};
    const bool oli = ::stat(polku->c_str(), &vanha) == 0;
    if (!oli && errno != ENOENT)
        return Kirjoitus::EiAukea;
    // Only a regular file that its owner left writable, and that this user may write, is
    // replaced.
    if (oli && (!S_ISREG(vanha.st_mode) || (vanha.st_mode & 0222) == 0 ||
                ::access(polku->c_str(), W_OK) != 0))
        return Kirjoitus::EiAukea;

    std::string valiaikainen = kansioOf(*polku) + "/" + perusnimi(*polku) + ".XXXXXX";
    const int fd = ::mkstemp(valiaikainen.data());
    if (fd < 0)
        return Kirjoitus::EiAukea;
    bool ok = true;
    if (oli) {
        // The owner first: a change of owner may clear the set-id bits the mode then restores.
        mode_t tila = vanha.st_mode & 07777;
        if (::fchown(fd, vanha.st_uid, vanha.st_gid) != 0) {
            // Not permitted (another user's file): the group alone may still be ours to keep,
            // and set-id bits are never given to a file of another owner or group.
            if (::fchown(fd, static_cast<uid_t>(-1), vanha.st_gid) != 0)
                tila &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
            else
                tila &= ~static_cast<mode_t>(S_ISUID);
        }
        ok = ::fchmod(fd, tila) == 0;
    } else {
        ok = ::fchmod(fd, 0666 & ~umaski()) == 0;
    }
    try {
        if (ok) {
            Kuvaajapuskuri puskuri(fd);
            std::ostream out(&puskuri);
            kirjoita(out);
            out.flush();
            ok = static_cast<bool>(out) && puskuri.tyhjenna();
        }
    } catch (...) {
        ::close(fd);
        ::unlink(valiaikainen.c_str());
        throw;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(valiaikainen.c_str(), polku->c_str()) == 0) {
        synkkaaKansio(kansioOf(*polku));
        return Kirjoitus::Onnistui;
    }
    ::unlink(valiaikainen.c_str());
    return Kirjoitus::Epaonnistui;
}

bool korvaaTiedosto(const std::string &nimi, const std::string &sisalto) {
    return korvaaKirjoittaen(nimi, [&](std::ostream &out) { out << sisalto; }) ==
           Kirjoitus::Onnistui;
}

OmaTiedosto lueOmaTiedosto(const std::string &nimi) {
    OmaTiedosto r;
    switch (lueKokonaan(nimi, r.sisalto)) {
    case Avaus::Auki:
        r.tila = Luku::Luettu;
        break;
    case Avaus::Puuttuu:
        r.tila = Luku::Puuttuu;
        break;
    case Avaus::EiTavallinen:
        r.tila = Luku::EiTavallinen;
        break;
    case Avaus::EiLuettavissa:
    case Avaus::LiianSuuri: // larger than any side file should be: not read, so not rewritten
        r.tila = Luku::EiLuettavissa;
        break;
    }
    if (r.tila != Luku::Luettu)
        r.sisalto.clear();
    return r;
}

Lukko::Lukko(const std::string &nimi, bool odota) {
    const std::optional<std::string> k = kohde(nimi);
    polku_ = (k ? *k : nimi) + ".lock";
    for (int yritys = 0; yritys < 1000; ++yritys) {
        const int fd =
            ::open(polku_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
        if (fd < 0)
            return;
        struct stat auki {};
        if (::fstat(fd, &auki) != 0 || !S_ISREG(auki.st_mode)) {
            ::close(fd);
            return;
        }
        int r;
        while ((r = ::flock(fd, odota ? LOCK_EX : LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
        }
        if (r != 0) {
            ::close(fd);
            return;
        }
        // The holder before may have removed the file while this one waited: lock anew then.
        struct stat nimella {};
        if (::lstat(polku_.c_str(), &nimella) != 0 || nimella.st_ino != auki.st_ino ||
            nimella.st_dev != auki.st_dev) {
            ::close(fd);
            continue;
        }
        fd_ = fd;
        return;
    }
}

Lukko::~Lukko() {
    if (fd_ < 0)
        return;
    // Removed while still held, so that a waiter finds it gone and locks the next file.
    ::unlink(polku_.c_str());
    ::close(fd_);
}

bool voiKirjoittaa(const std::string &nimi) {
    namespace fs = std::filesystem;
    std::error_code virhe;
    if (fs::is_directory(nimi, virhe))
        return false;
    if (fs::exists(nimi, virhe)) {
        std::ofstream koe(nimi, std::ios::binary | std::ios::app);
        return koe.is_open();
    }
    const fs::path kansio = fs::path(nimi).parent_path();
    return kansio.empty() || fs::is_directory(kansio, virhe);
}

bool voiLukea(const std::string &nimi) {
    // Found without opening it, so that a FIFO never blocks; only a regular file reads.
    return katsoTiedosto(nimi) == Avaus::Auki;
}

std::string lueTiedosto(const std::string &nimi) {
    if (!voiLukea(nimi))
        return "";
    std::ifstream in(nimi, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace vt
