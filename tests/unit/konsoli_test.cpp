#include "util/kello.h"
#include "util/konsoli.h"

#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace vt;

namespace {
struct Ajo {
    std::istringstream in;
    std::ostringstream out;
    Konsoli k;
    explicit Ajo(const std::string &syote, bool terminaali = false)
        : in(syote), k(in, out, terminaali) {}
};
} // namespace

TEST(Kysyluku, RangeErrorsAndSilentRepeat) {
    Ajo a("0\nword\n19x\n18\n");
    EXPECT_EQ(kysyluku(a.k, "Give a number (1-18): ", 1, 18, false), 18u);
    EXPECT_EQ(a.out.str(), "Give a number (1-18): Selection has to be in range 1 - 18.\n"
                           "Give a number (1-18): Give a number (1-18): "
                           "Selection has to be in range 1 - 18.\nGive a number (1-18): ");
}

TEST(Kysyluku, SingleValueMessageAndDefault) {
    Ajo a("4\n5\n");
    EXPECT_EQ(kysyluku(a.k, "? ", 5, 5, false), 5u);
    EXPECT_EQ(a.out.str(), "? Selection has to be 5.\n? ");
    Ajo b("  \n");
    EXPECT_EQ(kysyluku(b.k, "? ", 1, 2, true), 2u);
    Ajo c("3x\n");
    EXPECT_EQ(kysyluku(c.k, "? ", 1, 3, false), 3u);
}

TEST(Kysyluku, HugeAndNegativeNumbersAreOutOfRange) {
    Ajo a("99999999999\n-1\n2");
    EXPECT_EQ(kysyluku(a.k, "? ", 1, 2, false), 2u);
    EXPECT_EQ(a.out.str(), "? Selection has to be in range 1 - 2.\n? Selection has to be in "
                           "range 1 - 2.\n? ");
}

TEST(Konsoli, EndOfInputEndsEveryRead) {
    Ajo a("");
    EXPECT_THROW(kysyluku(a.k, "? ", 1, 2, false), SyoteLoppui);
    Ajo b("x\n");
    EXPECT_THROW(kysyluku(b.k, "? ", 1, 2, false), SyoteLoppui);
    Ajo c("");
    EXPECT_THROW(tauko(c.k), SyoteLoppui);
    Ajo d("last");
    EXPECT_EQ(d.k.lueRivi(), "last");
    EXPECT_THROW(d.k.lueRivi(), SyoteLoppui);
}

TEST(Konsoli, PauseAndClear) {
    Ajo a("\nnext\n");
    tauko(a.k);
    EXPECT_EQ(a.out.str(), "Press Enter to continue . . . ");
    EXPECT_EQ(a.k.lueRivi(), "next");
    tyhjennaruutu(a.k);
    EXPECT_EQ(a.out.str(), "Press Enter to continue . . . ");
    Ajo t("", true);
    tyhjennaruutu(t.k);
    EXPECT_EQ(t.out.str(), "\x1b[H\x1b[2J");
    Ajo e("");
    taukotaiei(e.k, false);
    EXPECT_EQ(e.out.str(), "");
}

namespace {
// A line reader that answers from a list and notes every prompt it was given to show.
struct Lukija {
    std::vector<std::string> vastaukset;
    std::vector<std::string> kehotteet;
    size_t seuraava = 0;
    Konsoli::RivinLukija kayttoon() {
        return [this](const std::string &kehote) -> std::optional<std::string> {
            kehotteet.push_back(kehote);
            if (seuraava == vastaukset.size())
                return std::nullopt;
            return vastaukset[seuraava++];
        };
    }
};
} // namespace

TEST(RivinLukija, TakesThePromptsLastLineAndEveryAnswer) {
    Ajo a("never read\n", true);
    Lukija l{{"0", "2", ""}, {}};
    a.k.asetaRivinLukija(l.kayttoon());
    EXPECT_EQ(kysyluku(a.k, "Pick:\n? ", 1, 2, false), 2u);
    // The lines above the answer's line are written; the answer's line is the reader's.
    EXPECT_EQ(l.kehotteet, (std::vector<std::string>{"? ", "? "}));
    EXPECT_EQ(a.out.str(), "Pick:\nSelection has to be in range 1 - 2.\nPick:\n");
    tauko(a.k);
    EXPECT_EQ(l.kehotteet.back(), "Press Enter to continue . . . ");
    // End of input at the reader ends the program as at the end of a stream.
    EXPECT_THROW(a.k.lueRivi(), SyoteLoppui);
    EXPECT_EQ(l.kehotteet.back(), "");
    std::string loput;
    EXPECT_TRUE(std::getline(a.in, loput));
}

TEST(RivinLukija, OutputBeforeTheAnswerKeepsItsOrder) {
    Ajo a("", true);
    Lukija l{{"x"}, {}};
    a.k.asetaRivinLukija(l.kayttoon());
    a.k.kehota("Name: ");
    a.k.ulos() << "(hint)\n";
    EXPECT_EQ(a.k.lueRivi(), "x");
    EXPECT_EQ(a.out.str(), "Name: (hint)\n");
    EXPECT_EQ(l.kehotteet, (std::vector<std::string>{""}));
}

TEST(Kello, DateAndClockTexts) {
    Kello k = [] { return std::string("Wed Dec 06 18:48:00 2006\n"); };
    EXPECT_EQ(haePvm(k, true), "6.12.2006");
    EXPECT_EQ(haePvm(k, false), "6 Dec 2006");
    EXPECT_EQ(haeKello(k), "18:48:00");
    Kello uusi = [] { return std::string("Thu Jan  1 09:05:00 2026\n"); };
    EXPECT_EQ(haePvm(uusi, true), "1.1.2026");
    EXPECT_EQ(haePvm(uusi, false), "1 Jan 2026");
    EXPECT_EQ(haeKello(uusi), "09:05:00");
    Kello huono = [] { return std::string("Thu Foo 1 09:05:00 2026"); };
    EXPECT_EQ(haePvm(huono, true), "");
    Kello lyhyt = [] { return std::string("Thu Jan 1"); };
    EXPECT_EQ(haeKello(lyhyt), "");
}
