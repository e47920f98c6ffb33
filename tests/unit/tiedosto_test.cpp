#include "util/tiedosto.h"

#include <cstdio>
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
