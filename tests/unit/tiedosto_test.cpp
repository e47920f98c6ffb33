#include "util/tiedosto.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>

using namespace vt;

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
    namespace fs = std::filesystem;
    const fs::path kansio = fs::path(testing::TempDir()) / "vaskitaulu_korvaa";
    fs::remove_all(kansio);
    fs::create_directories(kansio);
    const std::string nimi = (kansio / "players.txt").string();
    EXPECT_EQ(lueTiedosto(nimi), "");
    EXPECT_TRUE(korvaaTiedosto(nimi, "first\n"));
    EXPECT_TRUE(korvaaTiedosto(nimi, "second\n"));
    EXPECT_EQ(lueTiedosto(nimi), "second\n");
    // The temporary file cannot be made: the old contents stay, nothing else is left.
    fs::create_directory(nimi + ".tmp");
    EXPECT_FALSE(korvaaTiedosto(nimi, "third\n"));
    EXPECT_EQ(lueTiedosto(nimi), "second\n");
    EXPECT_FALSE(korvaaTiedosto((kansio / "missing" / "x.txt").string(), "x"));
    // A folder is not a readable file.
    EXPECT_FALSE(voiLukea(kansio.string()));
    EXPECT_TRUE(voiLukea(nimi));
    EXPECT_EQ(lueTiedosto(kansio.string()), "");
    fs::remove_all(kansio);
}
