// Times the real program on generated files, one command per process: writes each shape as a
// stat file in the game's own layout (or a channel log), runs build/vaskitaulu with scripted
// input in a scratch folder and prints the median wall time of several runs and the peak
// resident memory per command.
//
//   vaskitaulu_ajuri PROGRAM [SHAPE...] [--runs N] [--skip COMMAND]... [--n N]
//
// Shapes: S, M, L, 2L (levels x players, 50 runs per level), wide, deep, empty, log; Lp/2 and
// Lp as L, with multiplayer pairs drawn afresh in every level.
// Growing shapes (below), each timed at n and 2n by the CPU seconds of the command less those
// of the load alone: newplayer, ownteam, shuffled, padded, alternate, onebattle, twice,
// registrations, typed, mergelevels, renameplayer, header, tags. --n sets their n.
// --skip leaves out the commands whose name begins with the text (from the session too):
// "--skip 13" on the wide shape, whose cup table with details is 50,000 x 50,000 cells.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Muoto {
    std::string nimi;
    unsigned levelit = 0;
    unsigned pelaajat = 0;
    unsigned ajojaPerLevel = 0;
    bool uusiPelaajaJokaAjolle = false;
    bool loki = false;
    bool tuoreetParit = false; // a multiplayer partner is any player, not one of a few friends
};

std::string kaksi(unsigned n) { return std::string(n < 10 ? "0" : "").append(std::to_string(n)); }

// The game's layout: four blanks, MM:SS:CC, blanks up to 12 characters, the name.
void kirjoitaStatit(const Muoto &m, const fs::path &polku) {
    std::mt19937 g(7);
    std::vector<std::string> nimet;
    for (unsigned p = 0; p < m.pelaajat; ++p) {
        std::string n = "Player" + std::to_string(p);
        if (g() % 100 < 30)
            n += " [T" + std::to_string(g() % 50) + "]";
        nimet.push_back(n);
    }
    std::ofstream out(polku, std::ios::binary);
    unsigned uusi = 0;
    for (unsigned l = 0; l < m.levelit; ++l) {
        out << "  Level " << (l + 1) << ", Level number " << l << ":\n";
        const unsigned pituus = 1500 + g() % 30000;
        unsigned edellinen = pituus;
        for (unsigned r = 0; r < m.ajojaPerLevel; ++r) {
            unsigned aika = g() % 100 < 5 ? edellinen : pituus + g() % (pituus / 2 + 1);
            edellinen = aika;
            std::string nimi;
            if (m.uusiPelaajaJokaAjolle) {
                nimi = "New" + std::to_string(uusi++);
            } else {
                const size_t p = g() % nimet.size();
                nimi = nimet[p];
                if (g() % 100 < 10)
                    nimi += ", " + nimet[m.tuoreetParit ? g() % nimet.size()
                                                        : (p + 1 + g() % 3) % nimet.size()];
            }
            out << "    " << kaksi(aika / 6000 % 60) << ":" << kaksi(aika / 100 % 60) << ":"
                << kaksi(aika % 100) << "    " << nimi << "\n";
        }
        out << "\n";
    }
}

// 2,000 battles of 20 players among 300 nicks, a date line for every day.
void kirjoitaLoki(const fs::path &polku) {
    std::mt19937 g(11);
    std::ofstream out(polku, std::ios::binary);
    unsigned paiva = 1, kuu = 1, vuosi = 2006;
    for (unsigned b = 0; b < 2000; ++b) {
        if (b % 4 == 0) {
            out << "--- Day changed Mon "
                << std::string("JanFebMarAprMayJunJulAugSepOctNovDec").substr((kuu - 1) * 3, 3)
                << " " << kaksi(paiva) << " " << vuosi << "\n";
            if (++paiva > 28) {
                paiva = 1;
                if (++kuu > 12) {
                    kuu = 1;
                    ++vuosi;
                }
            }
        }
        const unsigned h = 12 + b % 4 * 2;
        const std::string tekija = "nick" + std::to_string(g() % 300);
        out << "[" << kaksi(h) << ":00] <" << tekija << "> http://x.org/levels/Battle" << b
            << ".lev\n";
        for (unsigned r = 0; r < 20; ++r) {
            out << "[" << kaksi(h) << ":" << kaksi(1 + r) << "] <nick" << g() % 300 << "> "
                << 1 + g() % 3 << ":" << kaksi(g() % 60) << "," << kaksi(g() % 100) << "\n";
            out << "[" << kaksi(h) << ":" << kaksi(1 + r) << "] <nick" << g() % 300
                << "> nice one\n";
        }
        out << "[" << kaksi(h) << ":30] <" << tekija << "> stop\n";
    }
}

struct Tulos {
    double sekunnit = 0;
    long muistiKt = 0;
    double cpu = 0; // user and system seconds of the program
};

Tulos aja(const std::string &ohjelma, const fs::path &kansio, const std::string &syote) {
    const fs::path syotePolku = kansio / "input.txt";
    std::ofstream(syotePolku, std::ios::binary) << syote;
    const auto alku = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(kansio.c_str()) != 0)
            _exit(127);
        const int in = open("input.txt", O_RDONLY);
        const int ulos = open("/dev/null", O_WRONLY);
        dup2(in, 0);
        dup2(ulos, 1);
        execl(ohjelma.c_str(), ohjelma.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int tila = 0;
    rusage kaytto{};
    wait4(pid, &tila, 0, &kaytto);
    const auto loppu = std::chrono::steady_clock::now();
    if (!WIFEXITED(tila) || WEXITSTATUS(tila) != 0)
        std::cerr << "run failed in " << kansio << "\n";
    auto sek = [](const timeval &t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {std::chrono::duration<double>(loppu - alku).count(), kaytto.ru_maxrss,
            sek(kaytto.ru_utime) + sek(kaytto.ru_stime)};
}

struct Komento {
    const char *nimi;
    const char *syote; // after loading
};

// Every command writes its own file, so that the whole session asks no overwrite question.
const Komento KOMENNOT[] = {
    {"load", ""},
    {"10 stat file", "10\nout10\n\n"},
    {"11 html", "11\nout11\n\n\n"},
    {"12 cup level", "12\n1\nout12\n\n"},
    {"13 cup players", "13\n1\nout13\n\n"},
    {"14 cup teams", "14\n1\nout14\n\n"},
    {"15 battle text", "15\nout15\n1\n\n\n"},
    {"15 battle html", "15\nout15h\n2\n\n\n"},
    {"16 sorakisa", "16\n1\n\n4\n\n\n\nout16\n\n5\n\n"},
};

// Option 16 asks for the level only when there are several.
std::string syote(const Muoto &m, const Komento &k) {
    std::string s = k.syote;
    if (m.levelit == 1 && s.rfind("16\n1\n", 0) == 0)
        s.erase(3, 2);
    return s;
}

// A time of the game's own layout from hundredths.
std::string statAika(unsigned s) {
    return kaksi(s / 6000 % 60) + ":" + kaksi(s / 100 % 60) + ":" + kaksi(s % 100);
}

void statRivi(std::ostream &out, unsigned sadasosat, const std::string &nimi) {
    out << "    " << statAika(sadasosat) << "    " << nimi << "\n";
}

// A growing shape: a file of size n, the lines that load it and the commands timed on it.
// A command with empty input times the load itself.
struct Kasvava {
    const char *nimi;
    unsigned n;
    const char *tiedosto;
    void (*kirjoita)(std::ostream &, unsigned n);
    std::vector<std::pair<const char *, std::string (*)(unsigned n)>> komennot;
};

std::string vainLataus(unsigned) { return ""; }

// One new player per level among 2,000 fixed players.
void uusiPelaaja(std::ostream &out, unsigned n) {
    std::mt19937 g(3);
    for (unsigned l = 0; l < n; ++l) {
        out << "  Level " << l + 1 << ", Level number " << l << ":\n";
        for (unsigned r = 0; r < 20; ++r)
            statRivi(out, 3000 + g() % 3000, "Player" + std::to_string(g() % 2000));
        statRivi(out, 3000 + g() % 3000, "New" + std::to_string(l));
        out << "\n";
    }
}

// Every player in a team of its own: n players, 2n rows.
void omaTiimi(std::ostream &out, unsigned n) {
    std::mt19937 g(5);
    for (unsigned l = 0; l < n / 25; ++l) {
        out << "  Level " << l + 1 << ", Level number " << l << ":\n";
        for (unsigned r = 0; r < 50; ++r) {
            const unsigned p = (l * 25 + r) % n;
            statRivi(out, 3000 + g() % 3000,
                     "Player" + std::to_string(p) + " [T" + std::to_string(p) + "]");
        }
        out << "\n";
    }
}

// Level names that begin one another, in shuffled order.
void nimetSekaisin(std::ostream &out, unsigned n, bool taytetty) {
    std::vector<unsigned> k(n);
    for (unsigned i = 0; i < n; ++i)
        k[i] = i;
    std::shuffle(k.begin(), k.end(), std::mt19937(9));
    for (unsigned i = 0; i < n; ++i) {
        std::string numero = std::to_string(k[i]);
        if (taytetty)
            numero.insert(0, 7 - numero.size(), '0');
        out << "  Level " << i + 1 << ", " << (taytetty ? "Level " : "Level number ") << numero
            << ":\n";
        statRivi(out, 3000 + k[i] % 1000, "Player" + std::to_string(k[i] % 50));
        out << "\n";
    }
}

// One level whose times alternate between two values: a tie group with smaller keys between.
void vuorottelevat(std::ostream &out, unsigned n) {
    out << "  Level 1, Alternating:\n";
    for (unsigned i = 0; i < n; ++i)
        statRivi(out, i % 2 ? 5900 : 6000, "Player" + std::to_string(i));
    out << "\n";
}

void battle(std::ostream &out, unsigned n, const std::string &taso, unsigned siemen) {
    std::mt19937 g(siemen);
    out << "[12:00] <designer> http://x.org/levels/" << taso << ".lev\n";
    for (unsigned r = 0; r < n; ++r)
        out << "[12:" << kaksi(1 + r * 20 / n) << "] <nick" << r << "> " << 1 + g() % 3 << ":"
            << kaksi(g() % 60) << "," << kaksi(g() % 100) << "\n";
    out << "[12:30] <designer> stop\n";
}

void yksiBattle(std::ostream &out, unsigned n) { battle(out, n, "Big", 1); }

// The same level twice in a row: the second battle merges into the first.
void kahdesti(std::ostream &out, unsigned n) {
    battle(out, n, "Twice", 1);
    battle(out, n, "Twice", 2);
}

// A battle, then n registrations in the same log.
void rekisteroinnit(std::ostream &out, unsigned n) {
    battle(out, n, "Event", 1);
    for (unsigned r = 0; r < n; ++r)
        out << "[13:" << kaksi(r * 50 / n) << "] <nick" << r << "> !REGISTER Nick" << r << " [T"
            << r % 50 << "] (FIN)\n";
}

void yksiAjo(std::ostream &out, unsigned) {
    out << "  Level 1, Typed:\n";
    statRivi(out, 6000, "First");
    out << "\n";
}

std::string kirjoitetut(unsigned n) {
    std::string s = "2\n1\n";
    for (unsigned i = 0; i < n; ++i)
        s += std::to_string(1 + i / 6000) + ":" + kaksi(i / 100 % 60) + "," + kaksi(i % 100) +
             "\nPlayer" + std::to_string(i % 97) + "\n";
    return s + "\n\n";
}

// Two levels of n runs by the same players, half of the runs alike.
void kaksiLevelia(std::ostream &out, unsigned n) {
    for (unsigned l = 0; l < 2; ++l) {
        out << "  Level " << l + 1 << ", " << (l == 0 ? "First" : "Second") << ":\n";
        for (unsigned i = 0; i < n; ++i)
            statRivi(out, 3000 + i * 2 + (l == 1 && i % 2), "Player" + std::to_string(i % 500));
        out << "\n";
    }
}

std::string yhdistaLevelit(unsigned) { return "5\n2\nFirst\n1\n\n"; }

// One level: n runs of one player and n of another, half of their times alike.
void kaksiPelaajaa(std::ostream &out, unsigned n) {
    out << "  Level 1, Many:\n";
    for (unsigned i = 0; i < n; ++i) {
        statRivi(out, 3000 + i * 2, "Aaa");
        statRivi(out, 3000 + i * 2 + i % 2, "Bbb");
    }
    out << "\n";
}

std::string nimeaPelaaja(unsigned) { return "3\n1\nBbb\n1\n\n"; }

// One level header again and again, one run under each.
void samaOtsikko(std::ostream &out, unsigned n) {
    for (unsigned i = 0; i < n; ++i) {
        out << "  Level 1, Same:\n";
        statRivi(out, 3000 + i % 5000, "Player" + std::to_string(i));
        out << "\n";
    }
}

// One name under n team tags, one tag a level, beside a few others.
void monellaTagilla(std::ostream &out, unsigned n) {
    std::mt19937 g(13);
    for (unsigned l = 0; l < n; ++l) {
        out << "  Level " << l + 1 << ", Level number " << l << ":\n";
        statRivi(out, 3000 + g() % 3000, "Name [T" + std::to_string(l) + "]");
        for (unsigned r = 0; r < 5; ++r)
            statRivi(out, 3000 + g() % 3000, "Player" + std::to_string(g() % 100));
        out << "\n";
    }
}

std::string komento10(unsigned) { return "10\nout10\n\n"; }
std::string komento13(unsigned) { return "13\n1\nout13\n\n"; }
std::string komento14(unsigned) { return "14\n1\nout14\n\n"; }
std::string komento15(unsigned) { return "15\nout15\n1\n\n\n"; }
std::string komento16(unsigned) { return "16\n\n5\n\n"; }

const std::vector<Kasvava> &kasvavat() {
    static const std::vector<Kasvava> k = {
        {"newplayer", 2000, "c.txt", uusiPelaaja, {{"10", komento10}, {"13", komento13}}},
        {"ownteam", 5000, "c.txt", omaTiimi, {{"14", komento14}}},
        {"shuffled",
         5000,
         "c.txt",
         [](std::ostream &o, unsigned n) { nimetSekaisin(o, n, false); },
         {{"15", komento15}}},
        {"padded",
         5000,
         "c.txt",
         [](std::ostream &o, unsigned n) { nimetSekaisin(o, n, true); },
         {{"15", komento15}}},
        {"alternate", 20000, "c.txt", vuorottelevat, {{"10", komento10}}},
        {"onebattle", 50000, "c.log", yksiBattle, {{"1 (log)", vainLataus}}},
        {"twice", 10000, "c.log", kahdesti, {{"1 (log)", vainLataus}}},
        {"registrations", 2000, "c.log", rekisteroinnit, {{"16", komento16}}},
        {"typed", 50000, "c.txt", yksiAjo, {{"2", kirjoitetut}}},
        {"mergelevels", 100000, "c.txt", kaksiLevelia, {{"5", yhdistaLevelit}}},
        {"renameplayer", 100000, "c.txt", kaksiPelaajaa, {{"3", nimeaPelaaja}}},
        {"header", 50000, "c.txt", samaOtsikko, {{"1", vainLataus}}},
        {"tags", 5000, "c.txt", monellaTagilla, {{"13", komento13}}},
    };
    return k;
}

// The median CPU seconds of `kertoja` runs of the input in a fresh folder beside the file.
Tulos mediaani(const std::string &ohjelma, const fs::path &juuri, const std::string &tiedosto,
               const std::string &syote, unsigned kertoja) {
    std::vector<double> ajat;
    long muisti = 0;
    for (unsigned r = 0; r < kertoja; ++r) {
        const fs::path kansio = juuri / ("run" + std::to_string(r));
        fs::remove_all(kansio);
        fs::create_directories(kansio);
        fs::create_symlink(juuri / tiedosto, kansio / tiedosto);
        const Tulos t = aja(ohjelma, kansio, syote);
        ajat.push_back(t.cpu);
        muisti = std::max(muisti, t.muistiKt);
        fs::remove_all(kansio);
    }
    std::sort(ajat.begin(), ajat.end());
    Tulos t;
    t.cpu = ajat[ajat.size() / 2];
    t.muistiKt = muisti;
    return t;
}

// Each command of the shape at n and 2n: CPU seconds less the load's, and their ratio.
void ajaKasvava(const std::string &ohjelma, const fs::path &juuri, Kasvava k, unsigned kertoja,
                unsigned n0) {
    if (n0 > 0)
        k.n = n0;
    double aika[2][8] = {};
    for (unsigned kerroin = 1; kerroin <= 2; ++kerroin) {
        const unsigned n = k.n * kerroin;
        fs::remove_all(juuri);
        fs::create_directories(juuri);
        {
            std::ofstream out(juuri / k.tiedosto, std::ios::binary);
            k.kirjoita(out, n);
        }
        const bool loki = std::string(k.tiedosto).ends_with(".log");
        const std::string lataus = "1\n" + std::string(k.tiedosto) + (loki ? "\n\n\n" : "\n\n");
        const double pohja = mediaani(ohjelma, juuri, k.tiedosto, lataus + "18\n", kertoja).cpu;
        const double tyhja = mediaani(ohjelma, juuri, k.tiedosto, "18\n", kertoja).cpu;
        for (size_t c = 0; c < k.komennot.size() && c < 8; ++c) {
            const std::string komento = k.komennot[c].second(n);
            if (komento.empty()) { // the load is the command
                aika[kerroin - 1][c] = std::max(0.0, pohja - tyhja);
                continue;
            }
            const Tulos t =
                mediaani(ohjelma, juuri, k.tiedosto, lataus + komento + "18\n", kertoja);
            aika[kerroin - 1][c] = std::max(0.0, t.cpu - pohja);
        }
    }
    for (size_t c = 0; c < k.komennot.size() && c < 8; ++c)
        std::printf("%-14s %-8s n=%-6u %8.3f 2n %8.3f ratio %5.2f\n", k.nimi, k.komennot[c].first,
                    k.n, aika[0][c], aika[1][c], aika[0][c] > 0 ? aika[1][c] / aika[0][c] : 0.0);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::cerr << "usage: vaskitaulu_ajuri PROGRAM [SHAPE...] [--runs N] [--skip COMMAND]... "
                     "[--n N]\n";
        return 2;
    }
    const std::string ohjelma = fs::absolute(argv[1]).string();
    std::vector<std::string> valitut;
    std::vector<std::string> ohitetut;
    unsigned kertoja = 5;
    unsigned n0 = 0; // the growing shapes' own n
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            kertoja = static_cast<unsigned>(std::atoi(argv[++i]));
        else if (std::string(argv[i]) == "--n" && i + 1 < argc)
            n0 = static_cast<unsigned>(std::atoi(argv[++i]));
        else if (std::string(argv[i]) == "--skip" && i + 1 < argc)
            ohitetut.push_back(argv[++i]);
        else
            valitut.push_back(argv[i]);
    }
    const std::vector<Muoto> muodot = {
        {"S", 100, 100, 50},
        {"M", 1000, 500, 50},
        {"L", 5000, 2000, 50},
        {"2L", 10000, 2000, 50},
        {"wide", 50000, 0, 1, true},
        {"deep", 1, 2000, 20000},
        {"empty", 200000, 1, 0},
        {"log", 0, 0, 0, false, true},
        {"Lp/2", 2500, 2000, 50, false, false, true},
        {"Lp", 5000, 2000, 50, false, false, true},
    };
    const fs::path juuri =
        fs::temp_directory_path() / ("vaskitaulu_ajuri_" + std::to_string(getpid()));
    for (const Kasvava &k : kasvavat())
        if (std::find(valitut.begin(), valitut.end(), k.nimi) != valitut.end())
            ajaKasvava(ohjelma, juuri, k, kertoja, n0);
    std::printf("%-6s %-16s %10s %10s\n", "shape", "command", "median s", "peak MB");
    for (const Muoto &m : muodot) {
        if (!valitut.empty() && std::find(valitut.begin(), valitut.end(), m.nimi) == valitut.end())
            continue;
        fs::remove_all(juuri);
        fs::create_directories(juuri);
        const std::string tiedosto = m.loki ? "c.log" : "c.txt";
        if (m.loki)
            kirjoitaLoki(juuri / tiedosto);
        else
            kirjoitaStatit(m, juuri / tiedosto);
        const std::string lataus = m.loki ? "1\n" + tiedosto + "\n\n\n" : "1\n" + tiedosto + "\n\n";
        std::string istunto = lataus;
        double summa = 0;
        for (const Komento &k : KOMENNOT) {
            if (std::any_of(ohitetut.begin(), ohitetut.end(), [&](const std::string &o) {
                    return std::string(k.nimi).rfind(o, 0) == 0;
                }))
                continue;
            std::vector<double> ajat;
            long muisti = 0;
            for (unsigned r = 0; r < kertoja; ++r) {
                const fs::path kansio = juuri / ("run" + std::to_string(r));
                fs::remove_all(kansio);
                fs::create_directories(kansio);
                fs::create_symlink(juuri / tiedosto, kansio / tiedosto);
                const Tulos t = aja(ohjelma, kansio, lataus + syote(m, k) + "18\n");
                ajat.push_back(t.sekunnit);
                muisti = std::max(muisti, t.muistiKt);
                // Gone before the next run, so that the disk is not still taking this run's
                // output (L's cup table is 200 MB) while the next one is timed.
                fs::remove_all(kansio);
            }
            std::sort(ajat.begin(), ajat.end());
            const double mediaani = ajat[ajat.size() / 2];
            summa += mediaani;
            std::printf("%-6s %-16s %10.3f %10.1f\n", m.nimi.c_str(), k.nimi, mediaani,
                        static_cast<double>(muisti) / 1024.0);
            std::fflush(stdout);
            istunto += syote(m, k);
        }
        const fs::path kansio = juuri / "session";
        fs::create_directories(kansio);
        fs::create_symlink(juuri / tiedosto, kansio / tiedosto);
        const Tulos t = aja(ohjelma, kansio, istunto + "18\n");
        std::printf("%-6s %-16s %10.3f %10.1f\n", m.nimi.c_str(), "whole session", t.sekunnit,
                    static_cast<double>(t.muistiKt) / 1024.0);
    }
    fs::remove_all(juuri);
    return 0;
}
