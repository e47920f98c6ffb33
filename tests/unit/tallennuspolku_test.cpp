#include "util/tallennuspolku.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {

// A fresh folder of its own for each test, removed after it.
class Kansio {
  public:
    Kansio() {
        std::string malli = (fs::path(testing::TempDir()) / "vaskitaulu_tallennus_XXXXXX").string();
        polku_ = mkdtemp(malli.data());
    }
    ~Kansio() {
        std::error_code e;
        fs::remove_all(polku_, e);
    }
    std::string operator/(const std::string &nimi) const { return (polku_ / nimi).string(); }
    void kirjoita(const std::string &nimi, const std::string &sisalto) const {
        std::ofstream(polku_ / nimi, std::ios::binary) << sisalto;
    }
    std::set<std::string> nimet() const {
        std::set<std::string> r;
        for (const auto &e : fs::directory_iterator(polku_))
            r.insert(e.path().filename().string());
        return r;
    }

  private:
    fs::path polku_;
};

std::string sisalto(const std::string &nimi) {
    std::ifstream in(nimi, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A console fed with `syote`, with the failures told counted apart.
struct Dialogi {
    explicit Dialogi(const std::string &syote) : sisaan(syote), konsoli(sisaan, ulos, false) {}
    Tallennus tallennus() {
        return Tallennus(konsoli, [this]() -> std::ostream & {
            ++virheita;
            return ulos;
        });
    }
    std::istringstream sisaan;
    std::ostringstream ulos;
    Konsoli konsoli;
    int virheita = 0;
};

const auto KIRJOITA_ABC = [](std::ostream &o) { o << "abc\n"; };

// Runs `f` in a child process that is killed after two seconds; its exit status, or -1.
template <class F> int lapsessaAjassa(F f) {
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(2);
        _exit(f());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(VapaaNimi, TheFirstFreeOfTheNinetyNineOrTheBareStem) {
    std::set<std::string> varatut = {"a01.txt", "a02.txt", "a04.txt"};
    const auto varattu = [&](const std::string &n) { return varatut.count(n) > 0; };
    EXPECT_EQ(vapaaNimi("a", ".txt", varattu), "a03.txt");
    EXPECT_EQ(vapaaNimi("a", ".html", varattu), "a01.html");
    for (unsigned k = 1; k <= 99; ++k)
        varatut.insert("b" + std::string(k < 10 ? "0" : "") + std::to_string(k) + ".txt");
    varatut.erase("b99.txt");
    EXPECT_EQ(vapaaNimi("b", ".txt", varattu), "b99.txt");
    varatut.insert("b99.txt");
    EXPECT_EQ(vapaaNimi("b", ".txt", varattu), "b.txt");
}

TEST(VapaaNimi, ByDefaultALinkToNothingAFifoAndAFolderAreTaken) {
    Kansio k;
    ASSERT_EQ(symlink("../nowhere/x.txt", (k / "s01.txt").c_str()), 0);
    ASSERT_EQ(mkfifo((k / "s02.txt").c_str(), 0600), 0);
    fs::create_directory(k / "s03.txt");
    k.kirjoita("s04.txt", "x");
    EXPECT_EQ(vapaaNimi(k / "s", ".txt"), k / "s05.txt");
}

TEST(Tallennus, TheProposalOrATypedNameIsWrittenAndReported) {
    Kansio k;
    const std::string ehdotus = vapaaNimi(k / "v", ".txt");
    Dialogi d("\n");
    EXPECT_TRUE(tallennaDialogilla(
        d.konsoli, [&]() -> std::ostream & { return d.ulos; }, ehdotus, ".txt",
        [](const std::string &) {}, KIRJOITA_ABC));
    EXPECT_EQ(d.ulos.str(), "Give the file name: (default: " + ehdotus + "): File " + ehdotus +
                                " saved successfully. \n");
    EXPECT_EQ(sisalto(ehdotus), "abc\n");

    // A typed name without a dot gets the extension; one with a dot keeps its own.
    Dialogi e("  " + (k / "typed") + "  \n");
    Tallennus t = e.tallennus();
    ASSERT_TRUE(t.kysyNimi(ehdotus, ".html"));
    EXPECT_TRUE(t.kirjoitettu());
    EXPECT_EQ(t.nimi(), k / "typed.html");
    Dialogi f(k / "page.htm\n");
    Tallennus u = f.tallennus();
    ASSERT_TRUE(u.kysyNimi(ehdotus, ".html"));
    EXPECT_EQ(u.nimi(), k / "page.htm");
    EXPECT_TRUE(u.kirjoitettu());
}

TEST(Tallennus, ATakenNameIsWrittenOnlyWhenTheUserSaysSo) {
    Kansio k;
    k.kirjoita("old.txt", "old");
    Dialogi ei(k / "old\n2\n");
    EXPECT_FALSE(tallennaDialogilla(
        ei.konsoli, [&]() -> std::ostream & { return ei.ulos; }, "x.txt", ".txt",
        [](const std::string &) {}, KIRJOITA_ABC));
    EXPECT_EQ(ei.ulos.str(), "Give the file name: (default: x.txt): File " + (k / "old.txt") +
                                 " already exists, overwrite? (1=yes, 2=no): Saving cancelled.\n");
    EXPECT_EQ(sisalto(k / "old.txt"), "old");

    // A wrong answer is asked again, then yes.
    Dialogi kylla(k / "old.txt\n3\n1\n");
    EXPECT_TRUE(tallennaDialogilla(
        kylla.konsoli, [&]() -> std::ostream & { return kylla.ulos; }, "x.txt", ".txt",
        [](const std::string &) {}, KIRJOITA_ABC));
    EXPECT_EQ(sisalto(k / "old.txt"), "abc\n");
}

TEST(Tallennus, AChangedNameThatIsTakenIsConfirmedAgain) {
    Kansio k;
    k.kirjoita("b.html", "old");
    Dialogi d(k / "b.txt\n2\n");
    Tallennus t = d.tallennus();
    ASSERT_TRUE(t.kysyNimi("x.txt", ".txt"));
    EXPECT_TRUE(t.vaihdaNimi(k / "b.txt")); // the same name: nothing asked
    EXPECT_FALSE(t.vaihdaNimi(k / "b.html"));
    EXPECT_NE(d.ulos.str().find("File " + (k / "b.html") +
                                " already exists, overwrite? (1=yes, 2=no): Saving cancelled.\n"),
              std::string::npos);
    EXPECT_EQ(sisalto(k / "b.html"), "old");
}

TEST(Tallennus, EndOfInputInTheQuestionsRemovesOnlyWhatTheDialogueCreated) {
    Kansio k;
    const auto kysymykset = [](Konsoli &konsoli) {
        return [&konsoli](const std::string &) { konsoli.lueRivi(); };
    };
    Dialogi uusi(k / "new.txt\n");
    EXPECT_THROW(tallennaDialogilla(
                     uusi.konsoli, [&]() -> std::ostream & { return uusi.ulos; }, "x.txt", ".txt",
                     kysymykset(uusi.konsoli), KIRJOITA_ABC),
                 SyoteLoppui);
    EXPECT_TRUE(k.nimet().empty());

    k.kirjoita("old.txt", "old");
    Dialogi vanha(k / "old.txt\n1\n");
    EXPECT_THROW(tallennaDialogilla(
                     vanha.konsoli, [&]() -> std::ostream & { return vanha.ulos; }, "x.txt", ".txt",
                     kysymykset(vanha.konsoli), KIRJOITA_ABC),
                 SyoteLoppui);
    EXPECT_EQ(sisalto(k / "old.txt"), "old");

    // A file put in place of the created one meanwhile is not the dialogue's own.
    Dialogi vaihdettu(k / "swap.txt\n");
    Tallennus t = vaihdettu.tallennus();
    ASSERT_TRUE(t.kysyNimi("x.txt", ".txt"));
    ASSERT_TRUE(t.varaa());
    EXPECT_TRUE(fs::exists(k / "swap.txt"));
    EXPECT_THROW(t.kysy([&] {
        fs::rename(k / "swap.txt", k / "aside.txt");
        k.kirjoita("swap.txt", "someone else's");
        vaihdettu.konsoli.lueRivi();
    }),
                 SyoteLoppui);
    EXPECT_EQ(sisalto(k / "swap.txt"), "someone else's");
}

TEST(Tallennus, ALinkToNothingIsFollowedOnlyUnderTheVeryNameTyped) {
    Kansio k;
    fs::create_directory(k / "elsewhere");
    ASSERT_EQ(symlink("elsewhere/planted.txt", (k / "v.txt").c_str()), 0);
    ASSERT_EQ(symlink("elsewhere/typed.txt", (k / "link.txt").c_str()), 0);
    ASSERT_EQ(symlink("elsewhere/changed.html", (k / "link.html").c_str()), 0);

    // Proposed (the bare stem, when all ninety-nine are taken): refused, nothing created.
    Dialogi ehdotettu("\n1\n");
    Tallennus p = ehdotettu.tallennus();
    ASSERT_TRUE(p.kysyNimi(k / "v.txt", ".txt"));
    EXPECT_FALSE(p.kirjoitettu());
    EXPECT_FALSE(p.varaa());
    EXPECT_EQ(ehdotettu.ulos.str(), "Give the file name: (default: " + (k / "v.txt") + "): File " +
                                        (k / "v.txt") +
                                        " already exists, overwrite? (1=yes, 2=no): Can't open "
                                        "file " +
                                        (k / "v.txt") + "\n");
    EXPECT_EQ(ehdotettu.virheita, 1);
    EXPECT_FALSE(fs::exists(k / "elsewhere/planted.txt"));

    // Typed but changed by the command: refused.
    Dialogi muutettu(k / "link.txt\n1\n1\n");
    Tallennus m = muutettu.tallennus();
    ASSERT_TRUE(m.kysyNimi("x.txt", ".txt"));
    ASSERT_TRUE(m.vaihdaNimi(k / "link.html"));
    EXPECT_FALSE(m.varaa());
    EXPECT_FALSE(fs::exists(k / "elsewhere/changed.html"));

    // Typed: the file it names is written.
    Dialogi kirjoitettu(k / "link.txt\n1\n");
    Tallennus t = kirjoitettu.tallennus();
    ASSERT_TRUE(t.kysyNimi("x.txt", ".txt"));
    ASSERT_TRUE(t.varaa());
    EXPECT_TRUE(t.kirjoita(KIRJOITA_ABC));
    EXPECT_EQ(sisalto(k / "elsewhere/typed.txt"), "abc\n");
    EXPECT_TRUE(fs::is_symlink(k / "link.txt"));
}

TEST(Tallennus, AFolderOrAFifoIsRefusedBeforeAnyQuestion) {
    Kansio k;
    fs::create_directory(k / "dir.txt");
    Dialogi kansio(k / "dir.txt\n1\n");
    Tallennus t = kansio.tallennus();
    ASSERT_TRUE(t.kysyNimi("x.txt", ".txt"));
    EXPECT_FALSE(t.varaa());
    EXPECT_EQ(kansio.virheita, 1);

    ASSERT_EQ(mkfifo((k / "fifo.txt").c_str(), 0600), 0);
    const int tila = lapsessaAjassa([&] {
        Dialogi fifo(k / "fifo.txt\n1\n");
        Tallennus f = fifo.tallennus();
        if (!f.kysyNimi("x.txt", ".txt"))
            return 2;
        return f.varaa() ? 3 : 0;
    });
    EXPECT_EQ(tila, 0);
}

TEST(Tallennus, EachOutcomeIsToldAsTheCommandAsks) {
    Kansio k;
    // Told by the command itself: nothing printed.
    Dialogi hiljaa(k / "quiet\n");
    Tallennus q = hiljaa.tallennus();
    ASSERT_TRUE(q.kysyNimi("x.txt", ".txt"));
    ASSERT_TRUE(q.varaa());
    EXPECT_TRUE(q.kirjoita(KIRJOITA_ABC, {.kerroOnnistuminen = false}));
    EXPECT_EQ(hiljaa.ulos.str(), "Give the file name: (default: x.txt): ");

    // A full disk.
    ASSERT_EQ(symlink("/dev/full", (k / "full.dev").c_str()), 0);
    Dialogi taysi(k / "full.dev\n1\n");
    Tallennus f = taysi.tallennus();
    ASSERT_TRUE(f.kysyNimi("x.txt", ".txt"));
    ASSERT_TRUE(f.varaa());
    EXPECT_FALSE(f.kirjoita([](std::ostream &o) { o << std::string(100000, 'x'); }));
    EXPECT_NE(taysi.ulos.str().find("Saving file " + (k / "full.dev") + " failed. \n"),
              std::string::npos);
    EXPECT_EQ(taysi.virheita, 1);

    // The file gone (a folder in its place) by the time it is written: both ways of telling.
    for (const bool tauolla : {false, true}) {
        Dialogi d(k / "gone.txt\n\n");
        Tallennus g = d.tallennus();
        ASSERT_TRUE(g.kysyNimi("x.txt", ".txt"));
        ASSERT_TRUE(g.varaa());
        fs::remove(k / "gone.txt");
        fs::create_directory(k / "gone.txt");
        EXPECT_FALSE(g.kirjoita(KIRJOITA_ABC, {.eiSyntynytTauolla = tauolla}));
        const std::string alku = "Give the file name: (default: x.txt): ";
        EXPECT_EQ(d.ulos.str(), tauolla ? alku +
                                              "Output file couldn't be made. \nPress Enter to "
                                              "continue . . . Saving file " +
                                              (k / "gone.txt") + " failed. \n"
                                        : alku + "Can't open file " + (k / "gone.txt") + "\n");
        EXPECT_EQ(d.virheita, tauolla ? 2 : 1);
        fs::remove(k / "gone.txt");
    }
}

TEST(KirjoitaTuloste, AFileIsReplacedWholeAndAnythingElseWrittenDirectly) {
    Kansio k;
    int virhe = -1;
    EXPECT_EQ(kirjoitaTuloste(k / "new.txt", KIRJOITA_ABC, virhe), Kirjoitus::Onnistui);
    EXPECT_EQ(virhe, 0);
    EXPECT_EQ(sisalto(k / "new.txt"), "abc\n");

    // A regular file gets a new file in its place; a hard link to the old one keeps the old.
    k.kirjoita("old.txt", "old");
    ASSERT_EQ(link((k / "old.txt").c_str(), (k / "hard.txt").c_str()), 0);
    EXPECT_EQ(kirjoitaTuloste(k / "old.txt", KIRJOITA_ABC, virhe), Kirjoitus::Onnistui);
    EXPECT_EQ(sisalto(k / "old.txt"), "abc\n");
    EXPECT_EQ(sisalto(k / "hard.txt"), "old");

    EXPECT_EQ(kirjoitaTuloste("/dev/null", KIRJOITA_ABC, virhe), Kirjoitus::Onnistui);
    EXPECT_EQ(kirjoitaTuloste(
                  "/dev/full", [](std::ostream &o) { o << std::string(100000, 'x'); }, virhe),
              Kirjoitus::Epaonnistui);
    EXPECT_EQ(virhe, ENOSPC);
}

TEST(KirjoitaTuloste, WhatIsNotWrittenSaysWhy) {
    Kansio k;
    int virhe = 0;
    fs::create_directory(k / "dir");
    EXPECT_EQ(kirjoitaTuloste(k / "dir", KIRJOITA_ABC, virhe), Kirjoitus::EiAukea);
    EXPECT_EQ(virhe, EISDIR);

    k.kirjoita("ro.txt", "old");
    fs::permissions(k / "ro.txt", fs::perms::owner_read);
    EXPECT_EQ(kirjoitaTuloste(k / "ro.txt", KIRJOITA_ABC, virhe), Kirjoitus::EiAukea);
    EXPECT_EQ(virhe, EACCES);
    EXPECT_EQ(sisalto(k / "ro.txt"), "old");

    EXPECT_EQ(kirjoitaTuloste(k / "none/x.txt", KIRJOITA_ABC, virhe), Kirjoitus::EiAukea);
    EXPECT_EQ(virhe, ENOENT);
    EXPECT_EQ(k.nimet(), (std::set<std::string>{"dir", "ro.txt"}));
}
