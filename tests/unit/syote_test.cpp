#include "util/syote.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {

class SyoteKansio : public testing::Test {
  protected:
    void SetUp() override {
        kansio_ = fs::path(testing::TempDir()) /
                  ("vaskitaulu_syote_" + std::to_string(::getpid()) + "_" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(kansio_);
        fs::create_directories(kansio_);
    }
    void TearDown() override {
        std::error_code e;
        fs::permissions(kansio_ / "secret.txt", fs::perms::owner_all, e);
        fs::remove_all(kansio_);
    }
    std::string polku(const std::string &nimi) const { return (kansio_ / nimi).string(); }
    void kirjoita(const std::string &nimi, const std::string &sisalto) const {
        std::ofstream(polku(nimi), std::ios::binary) << sisalto;
    }
    fs::path kansio_;
};

std::string kaikki(std::istream &in) {
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST_F(SyoteKansio, ARegularFileAndALinkToOneOpen) {
    kirjoita("a.txt", std::string("x\0y\nz", 5));
    fs::create_symlink("a.txt", polku("link.txt"));
    Syote a(polku("a.txt"));
    ASSERT_TRUE(a.auki());
    EXPECT_EQ(kaikki(a.virta()), std::string("x\0y\nz", 5));
    Syote l(polku("link.txt"));
    ASSERT_TRUE(l.auki());
    std::string rivi;
    ASSERT_TRUE(std::getline(l.virta(), rivi));
    EXPECT_EQ(rivi, std::string("x\0y", 3));
    EXPECT_EQ(katsoTiedosto(polku("a.txt")), Avaus::Auki);
}

TEST_F(SyoteKansio, AFifoADeviceAndAFolderAreRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(polku("fifo.txt").c_str(), 0600), 0);
    // Opening the FIFO for reading would wait for a writer for ever; it must not be opened.
    Syote f(polku("fifo.txt"));
    EXPECT_EQ(f.tila(), Avaus::EiTavallinen);
    EXPECT_FALSE(f.auki());
    EXPECT_EQ(kaikki(f.virta()), "");
    EXPECT_EQ(katsoTiedosto(polku("fifo.txt")), Avaus::EiTavallinen);
    fs::create_symlink(polku("fifo.txt"), polku("tofifo.txt"));
    EXPECT_EQ(Syote(polku("tofifo.txt")).tila(), Avaus::EiTavallinen);
    if (fs::exists("/dev/zero")) {
        fs::create_symlink("/dev/zero", polku("zero.txt"));
        EXPECT_EQ(Syote(polku("zero.txt")).tila(), Avaus::EiTavallinen);
        std::string s;
        EXPECT_EQ(lueKokonaan(polku("zero.txt"), s), Avaus::EiTavallinen);
    }
    fs::create_directory(polku("dir.txt"));
    EXPECT_EQ(Syote(polku("dir.txt")).tila(), Avaus::EiLuettavissa);
    EXPECT_EQ(Syote(polku("none.txt")).tila(), Avaus::Puuttuu);
    EXPECT_EQ(Syote(polku("none/x.txt")).tila(), Avaus::Puuttuu);
    EXPECT_EQ(eiTavallinenViesti("fifo.txt"), "fifo.txt is not a regular file");
}

TEST_F(SyoteKansio, AFileThatCannotBeReadIsThereButNotReadable) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    kirjoita("secret.txt", "x\n");
    fs::permissions(polku("secret.txt"), fs::perms::owner_write);
    EXPECT_EQ(Syote(polku("secret.txt")).tila(), Avaus::EiLuettavissa);
    std::string s = "old";
    EXPECT_EQ(lueKokonaan(polku("secret.txt"), s), Avaus::EiLuettavissa);
    EXPECT_EQ(s, "");
    EXPECT_FALSE(nimiVarattu(polku("secret.txt")));
}

TEST_F(SyoteKansio, NamesTakenForANewFile) {
    kirjoita("a.txt", "x");
    ASSERT_EQ(::mkfifo(polku("fifo.txt").c_str(), 0600), 0);
    fs::create_symlink("../elsewhere/planted.html", polku("dangling.html"));
    fs::create_directory(polku("dir.txt"));
    EXPECT_TRUE(nimiVarattu(polku("a.txt")));
    EXPECT_TRUE(nimiVarattu(polku("fifo.txt")));
    EXPECT_TRUE(nimiVarattu(polku("dangling.html")));
    EXPECT_TRUE(nimiVarattu(polku("dir.txt")));
    EXPECT_FALSE(nimiVarattu(polku("free.txt")));
    EXPECT_FALSE(fs::exists(kansio_ / ".." / "elsewhere"));
}

TEST_F(SyoteKansio, WholeFilesHaveACap) {
    kirjoita("small.txt", "12345");
    std::string s;
    EXPECT_EQ(lueKokonaan(polku("small.txt"), s, 5), Avaus::Auki);
    EXPECT_EQ(s, "12345");
    EXPECT_EQ(lueKokonaan(polku("small.txt"), s, 4), Avaus::LiianSuuri);
    EXPECT_EQ(s, "");
    EXPECT_EQ(lueKokonaan(polku("none.txt"), s), Avaus::Puuttuu);
}

TEST(LueRivi, ReadsLikeGetlineUpToTheCap) {
    const std::string teksti = "a\n\nbcd\r\n" + std::string(20000, 'x') + "\n" +
                               std::string(8191, 'y') + "\n" + std::string(8192, 'z') + "\nlast";
    std::istringstream odotettu(teksti), in(teksti);
    std::string a, b;
    while (std::getline(odotettu, a)) {
        bool katkaistu = true;
        ASSERT_TRUE(lueRivi(in, b, 1u << 20, &katkaistu));
        EXPECT_EQ(a, b);
        EXPECT_FALSE(katkaistu);
    }
    EXPECT_FALSE(lueRivi(in, b, 1u << 20));
    EXPECT_EQ(b, "");
}

TEST(LueRivi, KeepsTheStartOfALongLineAndSkipsItsRest) {
    std::istringstream in(std::string(30000, 'x') + "tail\nnext\n" + std::string(10, 'q'));
    std::string rivi;
    bool katkaistu = false;
    ASSERT_TRUE(lueRivi(in, rivi, 100, &katkaistu));
    EXPECT_EQ(rivi, std::string(100, 'x'));
    EXPECT_TRUE(katkaistu);
    ASSERT_TRUE(lueRivi(in, rivi, 100, &katkaistu));
    EXPECT_EQ(rivi, "next");
    EXPECT_FALSE(katkaistu);
    ASSERT_TRUE(lueRivi(in, rivi, 4, &katkaistu));
    EXPECT_EQ(rivi, "qqqq");
    EXPECT_TRUE(katkaistu);
    EXPECT_FALSE(lueRivi(in, rivi, 4));
}

TEST(LueRivi, ALineEndingExactlyAtTheEndOfAPieceAndAtTheEndOfInput) {
    std::istringstream in(std::string(8191, 'a') + std::string(8191, 'b'));
    std::string rivi;
    ASSERT_TRUE(lueRivi(in, rivi, 1u << 20));
    EXPECT_EQ(rivi, std::string(8191, 'a') + std::string(8191, 'b'));
    EXPECT_FALSE(lueRivi(in, rivi, 1u << 20));
}

TEST_F(SyoteKansio, AnInputCanBeReadAgainFromItsStart) {
    std::string teksti;
    for (int i = 0; i < 30000; ++i)
        teksti += "line " + std::to_string(i) + "\n";
    kirjoita("log.txt", teksti);
    Syote in(polku("log.txt"));
    ASSERT_TRUE(in.auki());
    std::string rivi;
    long long luettu = 0;
    for (int i = 0; i < 20000; ++i) {
        ASSERT_TRUE(std::getline(in.virta(), rivi));
        luettu += static_cast<long long>(rivi.size()) + 1;
    }
    EXPECT_EQ(rivi, "line 19999");
    EXPECT_EQ(static_cast<long long>(in.virta().tellg()), luettu);
    while (std::getline(in.virta(), rivi)) {
    }
    in.virta().clear();
    in.virta().seekg(0);
    ASSERT_TRUE(std::getline(in.virta(), rivi));
    EXPECT_EQ(rivi, "line 0");
}
