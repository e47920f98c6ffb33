// The real program on files nobody should make and places nobody should save to: it must end
// within its memory, tell the truth about every save, and end with status 1 exactly when it
// reported a file it could not open, read or write (else 0).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string ohjelma;
bool muistiRajattu = true; // not under the sanitizers, whose shadow memory needs the room

struct Ajo {
    int tila = -1;
    std::string tuloste;
};

std::string lue(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class Kansio {
  public:
    Kansio() {
        std::string malli = (fs::temp_directory_path() / "vaskitaulu_pahat_XXXXXX").string();
        polku_ = mkdtemp(malli.data());
    }
    ~Kansio() { fs::remove_all(polku_); }
    const fs::path &polku() const { return polku_; }
    void kirjoita(const std::string &nimi, const std::string &sisalto) const {
        std::ofstream(polku_ / nimi, std::ios::binary) << sisalto;
    }
    // Runs the program here with `syote`; memory is capped at `muistiMt` megabytes.
    Ajo aja(const std::string &syote, unsigned muistiMt = 1024,
            const std::string &ohjaus = "> stdout.txt") const {
        kirjoita("input.txt", syote);
        const std::string raja =
            muistiRajattu ? "ulimit -v " + std::to_string(muistiMt * 1024) + " && " : "";
        const std::string komento = "cd '" + polku_.string() + "' && " + raja + "timeout 300 '" +
                                    ohjelma + "' < input.txt " + ohjaus;
        Ajo r;
        const int tila = std::system(komento.c_str());
        r.tila = WIFEXITED(tila) ? WEXITSTATUS(tila) : -1;
        r.tuloste = lue(polku_ / "stdout.txt");
        return r;
    }

  private:
    fs::path polku_;
};

bool tiedostovirhe(const std::string &tuloste) {
    return tuloste.find("Can't open file ") != std::string::npos ||
           (tuloste.find("Saving file ") != std::string::npos &&
            tuloste.find(" failed. ") != std::string::npos);
}

// Load the file, then write every output of the collection.
const std::string KAIKKI =
    "10\nout\n\n11\nout\n\n\n13\n1\ncup\n\n14\n1\nteams\n\n15\nbattle\n1\n\n\n"
    "16\n1\n\n4\n\n\n\nsheet\n\n5\n\n18\n";

void kestaa(const std::string &tiedosto, const std::string &sisalto, bool loki,
            unsigned muistiMt = 1024, const std::string &komennot = KAIKKI) {
    Kansio k;
    k.kirjoita(tiedosto, sisalto);
    const Ajo a = k.aja("1\n" + tiedosto + "\n" + (loki ? "\n" : "") + "\n" + komennot, muistiMt);
    EXPECT_EQ(a.tila, tiedostovirhe(a.tuloste) ? 1 : 0) << tiedosto;
    EXPECT_NE(a.tuloste.find(" times added. "), std::string::npos) << tiedosto;
}

std::string satunnainen(size_t n, std::uint32_t siemen) {
    std::mt19937 g(siemen);
    std::string s(n, '\0');
    for (char &c : s)
        c = static_cast<char>(g());
    return s;
}

} // namespace

TEST(PahatTiedostot, RandomBytesNulAndFf) {
    kestaa("random.txt", satunnainen(1 << 20, 1), false);
    kestaa("random.log", satunnainen(1 << 20, 2), true);
    std::string nul = "  Level 1, A\0B:\n     0:10,00 B\0b\n\xff\xff  Level 2, \xff:\n";
    nul[13] = '\0';
    kestaa("nul.txt", nul + std::string(1000, '\0') + std::string(1000, '\xff'), false);
    kestaa("nul.log",
           "<a\0b> http://x/\xff.lev\n<\xff> 1:00,00\n<a> stop\n" + std::string(500, '\0'), true);
}

TEST(PahatTiedostot, CarriageReturnsOnly) {
    kestaa("cr.txt", "  Level 1, A:\r     0:10,00 Bob\r\r  Level 2, B:\r     0:11,00 Ann\r", false);
    kestaa("cr.log", "[20:00] <a> http://x/A.lev\r[20:01] <b> 1:00,00\r[20:02] <a> stop\r", true);
}

TEST(PahatTiedostot, OneLineOfFiftyMegabytes) {
    const std::string rivi(50u << 20, 'x');
    kestaa("long.txt", "  Level 1, A:\n     0:10,00 " + rivi + "\n", false, 2048);
    kestaa("long.log", "<a> http://x/A.lev\n<b> " + rivi + " 1:00,00\n" + rivi + "\n", true, 2048);
}

TEST(PahatTiedostot, NamesOfTenThousandCharacters) {
    const std::string nimi(10000, 'n');
    std::string s;
    for (int l = 0; l < 20; ++l) {
        s += "  Level " + std::to_string(l + 1) + ", " + nimi + std::to_string(l) + ":\n";
        for (int r = 0; r < 5; ++r)
            s += "     0:1" + std::to_string(r) + ",00 " + nimi + std::to_string(r) + " [" + nimi +
                 "]\n";
        s += "\n";
    }
    kestaa("names.txt", s, false);
}

TEST(PahatTiedostot, TwoHundredThousandEmptyLevels) {
    std::string s;
    for (int l = 0; l < 200000; ++l)
        s += "  Level " + std::to_string(l + 1) + ", L" + std::to_string(l) + ":\n\n";
    kestaa("empty.txt", s, false);
}

TEST(PahatTiedostot, AMillionLinesOfChatter) {
    std::string s;
    s.reserve(40u << 20);
    for (int i = 0; i < 1000000; ++i)
        s += "[12:" + std::to_string(10 + i % 50) + "] <nick" + std::to_string(i % 300) +
             "> just chatting here " + std::to_string(i) + "\n";
    kestaa("chatter.log", s, true);
}

TEST(Tallennukset, FullDeviceIsReportedAsAFailure) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    Kansio k;
    k.kirjoita("s.txt", "  Level 1, Race42:\n     0:10,00 Bob\n\n");
    fs::create_symlink("/dev/full", k.polku() / "full.txt");
    fs::create_symlink("/dev/full", k.polku() / "full.html");
    const Ajo a = k.aja("1\ns\n\n"
                        "10\nfull.txt\n1\n\n"
                        "11\nfull.html\n1\n\n\n"
                        "12\n1\nfull.txt\n1\n\n"
                        "13\n1\nfull.txt\n1\n\n"
                        "14\n1\nfull.txt\n1\n\n"
                        "15\nfull.txt\n1\n1\n\n\n"
                        "16\n\n4\n\n\n\nfull.txt\n1\n\n5\n\n18\n");
    EXPECT_EQ(a.tila, 1);
    EXPECT_EQ(a.tuloste.find("saved successfully"), std::string::npos);
    EXPECT_EQ(a.tuloste.find("Sorakisa statistics generated."), std::string::npos);
    size_t n = 0;
    for (size_t p = 0; (p = a.tuloste.find("Saving file full.", p)) != std::string::npos; ++p)
        ++n;
    EXPECT_EQ(n, 7u) << a.tuloste;
}

TEST(Tallennukset, FoldersAndMissingFoldersCannotBeOpened) {
    Kansio k;
    k.kirjoita("s.txt", "  Level 1, Race42:\n     0:10,00 Bob\n\n");
    fs::create_directory(k.polku() / "dir.txt");
    const Ajo a = k.aja("1\ns\n\n"
                        "10\nnone/x.txt\n\n"
                        "11\nnone/x.html\n\n"
                        "13\n1\nnone/x.txt\n\n"
                        "15\nnone/x.txt\n1\n\n"
                        "15\ndir.txt\n1\n1\n\n"
                        "16\n\n4\n\n\n\nnone/x.txt\n\n5\n\n18\n");
    EXPECT_EQ(a.tila, 1);
    size_t n = 0;
    for (size_t p = 0; (p = a.tuloste.find("Can't open file ", p)) != std::string::npos; ++p)
        ++n;
    EXPECT_EQ(n, 6u) << a.tuloste;
    EXPECT_EQ(a.tuloste.find("saved successfully"), std::string::npos);
    EXPECT_FALSE(fs::exists(k.polku() / "none"));
}

TEST(Tallennukset, ASideFileThatCannotBeRewrittenKeepsItsContents) {
    Kansio k;
    k.kirjoita("e.log", "<org> http://x/Race42.lev\n<bob> 1:00,00\n<bob> register Bob (fin)\n"
                        "<org> stop\n");
    k.kirjoita("nationalities.txt", ":SWE bob_old\n");
    fs::create_directory(k.polku() / "nationalities.txt.tmp");
    const Ajo a = k.aja("1\ne.log\n\n\n16\n\n5\n\n18\n");
    EXPECT_EQ(a.tila, 1);
    EXPECT_NE(a.tuloste.find("Saving file nationalities.txt failed. "), std::string::npos)
        << a.tuloste;
    EXPECT_EQ(lue(k.polku() / "nationalities.txt"), ":SWE bob_old\n");
    EXPECT_NE(a.tuloste.find("File vaskitaulu_players.txt updated: Player bob added."),
              std::string::npos);
}

TEST(Konsoli, AClosedConsoleDoesNotEndASave) {
    Kansio k;
    std::string s;
    for (int l = 0; l < 3000; ++l)
        s += "  Level " + std::to_string(l + 1) + ", L" + std::to_string(l) +
             ":\n     0:10,00 Bob\n     0:11,00 Ann\n\n";
    k.kirjoita("s.txt", s);
    // The reader of the console goes away at once; the save still completes.
    const Ajo a = k.aja("1\ns\n\n10\nout\n\n18\n", 1024, "| true");
    EXPECT_EQ(a.tila, 0);
    const std::string tulos = lue(k.polku() / "out.txt");
    EXPECT_NE(tulos.find("Amount of best times of players"), std::string::npos);
    EXPECT_EQ(tulos.substr(tulos.size() - 2), "\n\n");
}

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2 && !(argc == 3 && std::string(argv[2]) == "--no-memory-limit")) {
        std::cerr << "usage: robust_tests PROGRAM [--no-memory-limit]\n";
        return 2;
    }
    ohjelma = fs::absolute(argv[1]).string();
    muistiRajattu = argc == 2;
    return RUN_ALL_TESTS();
}
