#include "util/tiedosto.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
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
        std::string malli = (fs::path(testing::TempDir()) / "vaskitaulu_tiedosto_XXXXXX").string();
        polku_ = mkdtemp(malli.data());
    }
    ~Kansio() {
        std::error_code e;
        fs::permissions(polku_, fs::perms::owner_all, fs::perm_options::add, e);
        fs::remove_all(polku_, e);
    }
    std::string operator/(const std::string &nimi) const { return (polku_ / nimi).string(); }
    const fs::path &polku() const { return polku_; }
    void kirjoita(const std::string &nimi, const std::string &sisalto) const {
        std::ofstream(polku_ / nimi, std::ios::binary) << sisalto;
    }
    // The names in the folder, for seeing that no temporary file is left.
    std::set<std::string> nimet() const {
        std::set<std::string> r;
        for (const auto &e : fs::directory_iterator(polku_))
            r.insert(e.path().filename().string());
        return r;
    }

  private:
    fs::path polku_;
};

mode_t tila(const std::string &nimi) {
    struct stat st {};
    EXPECT_EQ(::stat(nimi.c_str(), &st), 0) << nimi;
    return st.st_mode & 07777;
}

// Runs `f` in a child process and gives its exit status (-1 when it did not exit).
template <class F> int lapsessa(F f) {
    const pid_t pid = fork();
    if (pid == 0)
        _exit(f());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(KirjoitaTiedostoon, FullDiskIsAFailureNotASuccess) {
    std::ifstream koe("/dev/full");
    if (!koe.is_open())
        GTEST_SKIP() << "no /dev/full here";
    auto r =
        kirjoitaTiedostoon("/dev/full", [](std::ostream &out) { out << std::string(100000, 'x'); });
    EXPECT_EQ(r, Kirjoitus::Epaonnistui);
}

TEST(KirjoitaTiedostoon, WritesExactBytesAndReportsUnopenable) {
    std::string nimi = testing::TempDir() + "vaskitaulu_kirjoitus.txt";
    EXPECT_EQ(kirjoitaTiedostoon(nimi, [](std::ostream &out) { out << "a\nb"; }),
              Kirjoitus::Onnistui);
    std::ifstream in(nimi, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), "a\nb");
    std::remove(nimi.c_str());
    EXPECT_EQ(kirjoitaTiedostoon("/nonexistent-folder/x.txt", [](std::ostream &) {}),
              Kirjoitus::EiAukea);
}

TEST(KorvaaTiedosto, ReplacesWholeOrKeepsTheOldContents) {
    const fs::path kansio = fs::path(testing::TempDir()) / "vaskitaulu_korvaa";
    fs::remove_all(kansio);
    fs::create_directories(kansio);
    const std::string nimi = (kansio / "players.txt").string();
    EXPECT_EQ(lueTiedosto(nimi), "");
    EXPECT_TRUE(korvaaTiedosto(nimi, "first\n"));
    EXPECT_TRUE(korvaaTiedosto(nimi, "second\n"));
    EXPECT_EQ(lueTiedosto(nimi), "second\n");
    // Whatever stands under a name like the temporary file's is not in the way and stays.
    fs::create_directory(nimi + ".tmp");
    EXPECT_TRUE(korvaaTiedosto(nimi, "third\n"));
    EXPECT_EQ(lueTiedosto(nimi), "third\n");
    EXPECT_TRUE(fs::is_directory(nimi + ".tmp"));
    // A read-only file is not replaced: the old contents stay.
    fs::permissions(nimi, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(korvaaTiedosto(nimi, "fourth\n"));
    EXPECT_EQ(lueTiedosto(nimi), "third\n");
    EXPECT_EQ(tila(nimi), 0444u);
    EXPECT_FALSE(korvaaTiedosto((kansio / "missing" / "x.txt").string(), "x"));
    // A folder is not a readable file.
    EXPECT_FALSE(voiLukea(kansio.string()));
    EXPECT_TRUE(voiLukea(nimi));
    EXPECT_EQ(lueTiedosto(kansio.string()), "");
    fs::remove_all(kansio);
}

TEST(KorvaaTiedosto, WhatLiesUnderTheOldTemporaryNameIsNeitherFollowedNorTaken) {
    Kansio k;
    k.kirjoita("victim.txt", "victim\n");
    k.kirjoita("players.txt", "old\n");
    k.kirjoita("nat.txt", ":FIN a\n");
    fs::create_symlink("victim.txt", k / "nat.txt.tmp");
    k.kirjoita("players.txt.tmp", "someone's notes\n");
    EXPECT_TRUE(korvaaTiedosto(k / "nat.txt", ":SWE a\n"));
    EXPECT_TRUE(korvaaTiedosto(k / "players.txt", "new\n"));
    EXPECT_EQ(lueTiedosto(k / "nat.txt"), ":SWE a\n");
    EXPECT_EQ(lueTiedosto(k / "players.txt"), "new\n");
    EXPECT_EQ(lueTiedosto(k / "victim.txt"), "victim\n");
    EXPECT_TRUE(fs::is_symlink(k / "nat.txt.tmp"));
    EXPECT_EQ(lueTiedosto(k / "players.txt.tmp"), "someone's notes\n");
    EXPECT_EQ(k.nimet(), (std::set<std::string>{"nat.txt", "nat.txt.tmp", "players.txt",
                                                "players.txt.tmp", "victim.txt"}));
}

TEST(KorvaaTiedosto, KeepsModeOwnerAndGroup) {
    Kansio k;
    k.kirjoita("private.txt", "a\n");
    fs::permissions(k / "private.txt", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(korvaaTiedosto(k / "private.txt", "b\n"));
    EXPECT_EQ(tila(k / "private.txt"), 0600u);
    EXPECT_EQ(lueTiedosto(k / "private.txt"), "b\n");
    k.kirjoita("group.txt", "a\n");
    ::chmod((k / "group.txt").c_str(), 0664);
    EXPECT_TRUE(korvaaTiedosto(k / "group.txt", "b\n"));
    EXPECT_EQ(tila(k / "group.txt"), 0664u);
    // A new file gets what any new file would: 0666 less the umask.
    const mode_t maski = ::umask(022);
    EXPECT_TRUE(korvaaTiedosto(k / "new.txt", "c\n"));
    ::umask(maski);
    EXPECT_EQ(tila(k / "new.txt"), 0644u);
    if (geteuid() != 0)
        GTEST_SKIP() << "the owner can be kept only by root";
    k.kirjoita("theirs.txt", "a\n");
    ASSERT_EQ(::chown((k / "theirs.txt").c_str(), 65534, 65534), 0);
    EXPECT_TRUE(korvaaTiedosto(k / "theirs.txt", "b\n"));
    struct stat st {};
    ASSERT_EQ(::stat((k / "theirs.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
}

TEST(KorvaaTiedosto, ALinkedFileIsUpdatedWhereItLies) {
    Kansio k;
    fs::create_directory(k.polku() / "shared");
    k.kirjoita("shared/nat.txt", ":FIN a\n");
    ::chmod((k / "shared/nat.txt").c_str(), 0640);
    fs::create_directory(k.polku() / "mine");
    fs::create_symlink("../shared/nat.txt", k / "mine/nat.txt");
    // A link to a link is followed to the end.
    fs::create_symlink("mine/nat.txt", k / "nat2.txt");
    EXPECT_TRUE(korvaaTiedosto(k / "mine/nat.txt", ":SWE a\n"));
    EXPECT_TRUE(fs::is_symlink(k / "mine/nat.txt"));
    EXPECT_EQ(lueTiedosto(k / "shared/nat.txt"), ":SWE a\n");
    EXPECT_EQ(tila(k / "shared/nat.txt"), 0640u);
    EXPECT_TRUE(korvaaTiedosto(k / "nat2.txt", ":NOR a\n"));
    EXPECT_TRUE(fs::is_symlink(k / "nat2.txt"));
    EXPECT_EQ(lueTiedosto(k / "shared/nat.txt"), ":NOR a\n");
    EXPECT_EQ(k.nimet(), (std::set<std::string>{"mine", "nat2.txt", "shared"}));
    // A dangling link: the file it names is created and the link stays.
    fs::create_symlink("shared/new.txt", k / "new.txt");
    EXPECT_TRUE(korvaaTiedosto(k / "new.txt", "x\n"));
    EXPECT_TRUE(fs::is_symlink(k / "new.txt"));
    EXPECT_EQ(lueTiedosto(k / "shared/new.txt"), "x\n");
    // Links in a loop, and a target that is no regular file, are not replaced.
    fs::create_symlink("loop2.txt", k / "loop1.txt");
    fs::create_symlink("loop1.txt", k / "loop2.txt");
    EXPECT_EQ(korvaaKirjoittaen(k / "loop1.txt", [](std::ostream &o) { o << "x"; }),
              Kirjoitus::EiAukea);
    EXPECT_TRUE(fs::is_symlink(k / "loop1.txt"));
    ASSERT_EQ(::mkfifo((k / "fifo.txt").c_str(), 0600), 0);
    EXPECT_EQ(korvaaKirjoittaen(k / "fifo.txt", [](std::ostream &o) { o << "x"; }),
              Kirjoitus::EiAukea);
    EXPECT_TRUE(fs::is_fifo(k / "fifo.txt"));
    fs::create_directory(k.polku() / "dir.txt");
    EXPECT_EQ(korvaaKirjoittaen(k / "dir.txt", [](std::ostream &o) { o << "x"; }),
              Kirjoitus::EiAukea);
    EXPECT_EQ(k.nimet(), (std::set<std::string>{"dir.txt", "fifo.txt", "loop1.txt", "loop2.txt",
                                                "mine", "nat2.txt", "new.txt", "shared"}));
}

TEST(KorvaaTiedosto, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    Kansio k;
    k.kirjoita("out.txt", "old\n");
    // The writer itself fails.
    EXPECT_THROW(korvaaKirjoittaen(k / "out.txt",
                                   [](std::ostream &o) {
                                       o << std::string(200000, 'x');
                                       throw std::runtime_error("out of memory");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(lueTiedosto(k / "out.txt"), "old\n");
    // The disk refuses the bytes: a file size limit below what is written.
    const int tulos = lapsessa([&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit raja{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &raja);
        const Kirjoitus r = korvaaKirjoittaen(
            k / "out.txt", [](std::ostream &o) { o << std::string(200000, 'y'); });
        return r == Kirjoitus::Epaonnistui ? 0 : 1;
    });
    EXPECT_EQ(tulos, 0);
    EXPECT_EQ(lueTiedosto(k / "out.txt"), "old\n");
    EXPECT_EQ(k.nimet(), std::set<std::string>{"out.txt"});
    // A writer's output arrives whole, past any buffer size.
    std::string iso;
    for (int i = 0; i < 100000; ++i)
        iso += std::to_string(i) + "\n";
    EXPECT_EQ(korvaaKirjoittaen(k / "out.txt", [&](std::ostream &o) { o << iso; }),
              Kirjoitus::Onnistui);
    EXPECT_EQ(lueTiedosto(k / "out.txt"), iso);
    EXPECT_EQ(k.nimet(), std::set<std::string>{"out.txt"});
}

TEST(LueOmaTiedosto, TellsMissingFromUnreadable) {
    Kansio k;
    EXPECT_EQ(lueOmaTiedosto(k / "none.txt").tila, Luku::Puuttuu);
    EXPECT_TRUE(lueOmaTiedosto(k / "none.txt").kaytettavissa());
    k.kirjoita("a.txt", "a\nb");
    const OmaTiedosto a = lueOmaTiedosto(k / "a.txt");
    EXPECT_EQ(a.tila, Luku::Luettu);
    EXPECT_EQ(a.sisalto, "a\nb");
    fs::create_symlink("gone.txt", k / "dangling.txt");
    EXPECT_EQ(lueOmaTiedosto(k / "dangling.txt").tila, Luku::Puuttuu);
    fs::create_symlink("loop.txt", k / "loop.txt");
    EXPECT_EQ(lueOmaTiedosto(k / "loop.txt").tila, Luku::EiLuettavissa);
    EXPECT_FALSE(lueOmaTiedosto(k / "loop.txt").kaytettavissa());
    // A FIFO is refused at once, never waited on.
    ASSERT_EQ(::mkfifo((k / "fifo.txt").c_str(), 0600), 0);
    EXPECT_EQ(lueOmaTiedosto(k / "fifo.txt").tila, Luku::EiTavallinen);
    // A folder is there but cannot be read as a file.
    EXPECT_EQ(lueOmaTiedosto(k.polku().string()).tila, Luku::EiLuettavissa);
    // Mode 000: unreadable for anyone but root, so the check runs as an ordinary user.
    k.kirjoita("secret.txt", "keep\n");
    ::chmod((k / "secret.txt").c_str(), 0);
    ::chmod(k.polku().c_str(), 0777);
    const int tulos = lapsessa([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return 2;
        const OmaTiedosto s = lueOmaTiedosto(k / "secret.txt");
        return s.tila == Luku::EiLuettavissa && s.sisalto.empty() ? 0 : 1;
    });
    EXPECT_EQ(tulos, 0);
}

TEST(Lukko, ASecondHolderWaitsAndTheLockFileGoesWithTheLast) {
    Kansio k;
    k.kirjoita("players.txt", "");
    {
        Lukko lukko(k / "players.txt");
        ASSERT_TRUE(lukko.lukittu());
        EXPECT_EQ(lukko.polku(), k / "players.txt.lock");
        // Another process cannot take it meanwhile.
        EXPECT_EQ(lapsessa([&] { return Lukko(k / "players.txt", false).lukittu() ? 1 : 0; }), 0);
    }
    EXPECT_EQ(k.nimet(), std::set<std::string>{"players.txt"});
    EXPECT_EQ(lapsessa([&] { return Lukko(k / "players.txt", false).lukittu() ? 0 : 1; }), 0);
    // Held while the file is replaced; the lock of a link lies beside its target.
    fs::create_directory(k.polku() / "shared");
    fs::create_symlink("shared/nat.txt", k / "nat.txt");
    {
        Lukko lukko(k / "nat.txt");
        EXPECT_TRUE(lukko.lukittu());
        EXPECT_TRUE(fs::exists(k / "shared/nat.txt.lock"));
        EXPECT_TRUE(korvaaTiedosto(k / "nat.txt", "x\n"));
    }
    EXPECT_FALSE(fs::exists(k / "shared/nat.txt.lock"));
    // A link planted under the lock file's name is not followed.
    k.kirjoita("victim.txt", "v\n");
    fs::create_symlink("victim.txt", k / "players.txt.lock");
    EXPECT_FALSE(Lukko(k / "players.txt").lukittu());
    EXPECT_EQ(lueTiedosto(k / "victim.txt"), "v\n");
    EXPECT_TRUE(fs::is_symlink(k / "players.txt.lock"));
}
