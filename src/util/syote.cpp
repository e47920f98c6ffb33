#include "util/syote.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <fcntl.h>
#include <streambuf>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vt {

std::string eiTavallinenViesti(const std::string &nimi) { return nimi + " is not a regular file"; }

namespace {

Avaus puuttuuvaiEi(int virhe) {
    return virhe == ENOENT || virhe == ENOTDIR ? Avaus::Puuttuu : Avaus::EiLuettavissa;
}

// What the entry under the name is, following links; a FIFO is not opened.
Avaus katsoTyyppi(const std::string &nimi) {
    struct stat s;
    if (::stat(nimi.c_str(), &s) != 0)
        return puuttuuvaiEi(errno);
    if (S_ISDIR(s.st_mode))
        return Avaus::EiLuettavissa;
    if (!S_ISREG(s.st_mode))
        return Avaus::EiTavallinen;
    return Avaus::Auki;
}

// Opens a regular file without waiting; what was opened is checked again on the descriptor,
// since the name may have been replaced in between.
int avaaTavallinen(const std::string &nimi, Avaus &tila) {
    tila = katsoTyyppi(nimi);
    if (tila != Avaus::Auki)
        return -1;
    const int fd = ::open(nimi.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        tila = puuttuuvaiEi(errno);
        return -1;
    }
    struct stat s;
    if (::fstat(fd, &s) != 0 || !S_ISREG(s.st_mode)) {
        tila = S_ISDIR(s.st_mode) ? Avaus::EiLuettavissa : Avaus::EiTavallinen;
        ::close(fd);
        return -1;
    }
    const int liput = ::fcntl(fd, F_GETFL);
    if (liput >= 0)
        ::fcntl(fd, F_SETFL, liput & ~O_NONBLOCK);
    return fd;
}

} // namespace

Avaus katsoTiedosto(const std::string &nimi) {
    Avaus tila;
    const int fd = avaaTavallinen(nimi, tila);
    if (fd >= 0)
        ::close(fd);
    return tila;
}

bool nimiVarattu(const std::string &nimi) {
    struct stat s;
    if (::lstat(nimi.c_str(), &s) != 0)
        return false;
    if (::stat(nimi.c_str(), &s) != 0)
        return true; // a link to nothing is not taken for a new file
    if (!S_ISREG(s.st_mode))
        return true;
    // A regular file that cannot be read counts as free, as it always has.
    const int fd = ::open(nimi.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// A read buffer over a file descriptor, which it owns.
class Syote::Puskuri : public std::streambuf {
  public:
    explicit Puskuri(int fd) : fd_(fd), tila_(64 * 1024) {}
    ~Puskuri() override {
        if (fd_ >= 0)
            ::close(fd_);
    }

  protected:
    int_type underflow() override {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        if (fd_ < 0)
            return traits_type::eof();
        ssize_t n;
        do
            n = ::read(fd_, tila_.data(), tila_.size());
        while (n < 0 && errno == EINTR);
        if (n <= 0)
            return traits_type::eof(); // a read error ends the input as its end does
        setg(tila_.data(), tila_.data(), tila_.data() + n);
        return traits_type::to_int_type(*gptr());
    }

    // Reading again from the start (a log searched once for every level asked) needs seeking.
    pos_type seekoff(off_type siirto, std::ios::seekdir mista, std::ios::openmode) override {
        if (fd_ < 0)
            return pos_type(off_type(-1));
        off_type kohta = siirto;
        if (mista == std::ios::cur) {
            const off_t nyt = ::lseek(fd_, 0, SEEK_CUR);
            if (nyt < 0)
                return pos_type(off_type(-1));
            kohta += static_cast<off_type>(nyt) - static_cast<off_type>(egptr() - gptr());
        } else if (mista == std::ios::end) {
            const off_t loppu = ::lseek(fd_, 0, SEEK_END);
            if (loppu < 0)
                return pos_type(off_type(-1));
            kohta += static_cast<off_type>(loppu);
        }
        return seekpos(pos_type(kohta), std::ios::in);
    }
    pos_type seekpos(pos_type kohta, std::ios::openmode) override {
        if (fd_ < 0 || ::lseek(fd_, static_cast<off_t>(off_type(kohta)), SEEK_SET) < 0)
            return pos_type(off_type(-1));
        setg(tila_.data(), tila_.data(), tila_.data());
        return kohta;
    }

  private:
    int fd_;
    std::vector<char> tila_;
};

Syote::Syote(const std::string &nimi) : virta_(nullptr) {
    const int fd = avaaTavallinen(nimi, tila_);
    puskuri_ = std::make_unique<Puskuri>(fd);
    virta_.rdbuf(puskuri_.get());
}

Syote::~Syote() = default;

bool lueRivi(std::istream &in, std::string &rivi, std::size_t katto, bool *katkaistu) {
    rivi.clear();
    if (katkaistu)
        *katkaistu = false;
    bool luettu = false;
    char osa[8192];
    for (;;) {
        in.getline(osa, sizeof osa);
        const auto n = static_cast<std::size_t>(in.gcount());
        if (n == 0 && in.fail()) { // the end of the input
            if (luettu)
                in.clear(in.rdstate() & ~std::ios::failbit);
            return luettu;
        }
        luettu = true;
        const bool taynna = in.fail() && !in.eof();  // the piece filled, the line goes on
        const bool loppui = !in.fail() && !in.eof(); // the line end was taken
        const std::size_t merkkeja = loppui ? n - 1 : n;
        const std::size_t mahtuu = rivi.size() < katto ? katto - rivi.size() : 0;
        rivi.append(osa, std::min(merkkeja, mahtuu));
        assert(rivi.size() <= katto);
        if (merkkeja > mahtuu && katkaistu)
            *katkaistu = true;
        if (!taynna)
            return true;
        in.clear(in.rdstate() & ~std::ios::failbit);
    }
}

bool lueRajattuRivi(std::istream &in, std::string &rivi) {
    bool liianPitka = false;
    if (!lueRivi(in, rivi, RIVIN_KATTO, &liianPitka))
        return false;
    if (liianPitka)
        rivi.clear();
    return true;
}

Avaus lueKokonaan(const std::string &nimi, std::string &sisalto, std::size_t katto) {
    sisalto.clear();
    Avaus tila;
    const int fd = avaaTavallinen(nimi, tila);
    if (fd < 0)
        return tila;
    struct stat s;
    if (::fstat(fd, &s) == 0 && static_cast<unsigned long long>(s.st_size) > katto) {
        ::close(fd);
        return Avaus::LiianSuuri;
    }
    char puskuri[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, puskuri, sizeof puskuri);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            sisalto.clear();
            return Avaus::EiLuettavissa;
        }
        if (n == 0)
            break;
        // The file may grow while it is read.
        if (sisalto.size() + static_cast<std::size_t>(n) > katto) {
            ::close(fd);
            sisalto.clear();
            return Avaus::LiianSuuri;
        }
        sisalto.append(puskuri, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return Avaus::Auki;
}

bool linkkiTyhjaan(const std::string &nimi) {
    struct stat s;
    return ::lstat(nimi.c_str(), &s) == 0 && S_ISLNK(s.st_mode) && ::stat(nimi.c_str(), &s) != 0 &&
           errno == ENOENT;
}

TulosteenVaraus::TulosteenVaraus(const std::string &nimi, bool seuraaLinkkia) {
    onnistui_ = varaa(nimi, seuraaLinkkia, 0);
}

bool TulosteenVaraus::varaa(const std::string &nimi, bool seuraaLinkkia, int syvyys) {
    if (syvyys > 40) // the limit of links the system itself follows
        return false;
    struct stat s;
    if (::lstat(nimi.c_str(), &s) != 0) {
        if (errno != ENOENT)
            return false;
        // Nothing there: created exclusively, so that it is known to be this program's own.
        const int fd =
            ::open(nimi.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd < 0)
            return errno == EEXIST && varaa(nimi, seuraaLinkkia, syvyys + 1);
        struct stat u;
        const bool ok = ::fstat(fd, &u) == 0;
        ::close(fd);
        if (!ok)
            return false;
        luotu_ = true;
        polku_ = nimi;
        laite_ = static_cast<unsigned long long>(u.st_dev);
        inode_ = static_cast<unsigned long long>(u.st_ino);
        return true;
    }
    if (S_ISLNK(s.st_mode) && linkkiTyhjaan(nimi)) {
        if (!seuraaLinkkia)
            return false;
        std::string kohde(4096, '\0');
        const ssize_t n = ::readlink(nimi.c_str(), kohde.data(), kohde.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= kohde.size())
            return false;
        kohde.resize(static_cast<std::size_t>(n));
        const std::size_t kauttaviiva = nimi.rfind('/');
        if (kohde[0] != '/' && kauttaviiva != std::string::npos)
            kohde = nimi.substr(0, kauttaviiva + 1) + kohde;
        return varaa(kohde, true, syvyys + 1);
    }
    // Something is there: it must open for writing as it is, neither emptied nor waited for.
    struct stat k;
    if (::stat(nimi.c_str(), &k) != 0 || S_ISDIR(k.st_mode))
        return false;
    const int fd = ::open(nimi.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

void TulosteenVaraus::peru() {
    if (!luotu_)
        return;
    luotu_ = false;
    struct stat s;
    if (::lstat(polku_.c_str(), &s) == 0 && S_ISREG(s.st_mode) &&
        static_cast<unsigned long long>(s.st_dev) == laite_ &&
        static_cast<unsigned long long>(s.st_ino) == inode_)
        ::unlink(polku_.c_str());
}

} // namespace vt
