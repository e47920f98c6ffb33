// Times the real program on generated files, one command per process: writes each shape as a
// stat file in the game's own layout (or a channel log), runs build/vaskitaulu with scripted
// input in a scratch folder and prints the median wall time of several runs and the peak
// resident memory per command.
//
//   vaskitaulu_ajuri PROGRAM [SHAPE...] [--runs N] [--skip COMMAND]...
//
// Shapes: S, M, L, 2L (levels x players, 50 runs per level), wide, deep, empty, log.
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
                    nimi += ", " + nimet[(p + 1 + g() % 3) % nimet.size()];
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
    return {std::chrono::duration<double>(loppu - alku).count(), kaytto.ru_maxrss};
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

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::cerr << "usage: vaskitaulu_ajuri PROGRAM [SHAPE...] [--runs N] [--skip COMMAND]...\n";
        return 2;
    }
    const std::string ohjelma = fs::absolute(argv[1]).string();
    std::vector<std::string> valitut;
    std::vector<std::string> ohitetut;
    unsigned kertoja = 5;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            kertoja = static_cast<unsigned>(std::atoi(argv[++i]));
        else if (std::string(argv[i]) == "--skip" && i + 1 < argc)
            ohitetut.push_back(argv[++i]);
        else
            valitut.push_back(argv[i]);
    }
    const std::vector<Muoto> muodot = {
        {"S", 100, 100, 50},     {"M", 1000, 500, 50},          {"L", 5000, 2000, 50},
        {"2L", 10000, 2000, 50}, {"wide", 50000, 0, 1, true},   {"deep", 1, 2000, 20000},
        {"empty", 200000, 1, 0}, {"log", 0, 0, 0, false, true},
    };
    const fs::path juuri =
        fs::temp_directory_path() / ("vaskitaulu_ajuri_" + std::to_string(getpid()));
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
