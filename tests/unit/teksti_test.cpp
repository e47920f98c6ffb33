#include "util/teksti.h"

#include <gtest/gtest.h>
#include <random>

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

using namespace vt;

TEST(Teksti, NumberTexts) {
    EXPECT_EQ(int2string(0u), "0");
    EXPECT_EQ(int2string(-7), "-7");
    EXPECT_EQ(int2string(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(int2string2(0), "00");
    EXPECT_EQ(int2string2(7), "07");
    EXPECT_EQ(int2string2(10), "10");
    EXPECT_EQ(int2string2(123), "123");
    EXPECT_EQ(int2string(18446744073709551615ull), "18446744073709551615");
    EXPECT_EQ(int2string(4294967295u), "4294967295");
    EXPECT_EQ(int2string(1000000ul), "1000000");
    EXPECT_EQ(double2string(2.999, 2), "2.99");
    EXPECT_EQ(double2string(5.0, 2), "5.00");
    EXPECT_EQ(double2string(7.25, 0), "7");
    EXPECT_EQ(double2string(0.5, 3), "0.500");
    EXPECT_EQ(string2int(" 42"), 42);
    EXPECT_EQ(string2int("12abc"), 12);
    EXPECT_EQ(string2int("x1"), 0);
    EXPECT_EQ(string2int(""), 0);
}

TEST(Teksti, PaddingAndTrimming) {
    EXPECT_EQ(pidenna(std::string("abc"), 2), "abc");
    EXPECT_EQ(pidenna(std::string(""), 3), "   ");
    EXPECT_EQ(pidenna(5u, 3), "5  ");
    EXPECT_EQ(pidenna(-5, 3), "-5 ");
    EXPECT_EQ(lyhenna("  a b \t"), "a b");
    EXPECT_EQ(lyhenna("   "), "");
    EXPECT_EQ(lyhenna("x\r"), "x");
    for (const std::string t : {"", " ", "a", " \t a b \v", "\x80 ", "ab  c"}) {
        EXPECT_EQ(lyhennetty(t), lyhenna(t)) << t;
        // A view into the text itself, no copy.
        const std::string_view v = lyhennetty(t);
        EXPECT_TRUE(v.empty() ||
                    (v.data() >= t.data() && v.data() + v.size() <= t.data() + t.size()));
    }
    EXPECT_TRUE(onkotyhja(""));
    EXPECT_TRUE(onkotyhja(" \t"));
    EXPECT_FALSE(onkotyhja(" x "));
}

TEST(Teksti, CaseAndOrder) {
    EXPECT_EQ(toUpper("abz\xe4[_"), "ABZ\xe4[_");
    EXPECT_TRUE(aakkosta("abc", "ABD"));
    EXPECT_FALSE(aakkosta("b", "a"));
    EXPECT_TRUE(aakkosta("ab", "abc"));
    EXPECT_TRUE(aakkosta("abc", "ab"));
    // Digits before letters, brackets after them, high bytes before everything.
    EXPECT_TRUE(aakkosta("1", "A"));
    EXPECT_FALSE(aakkosta("[", "Z"));
    EXPECT_TRUE(aakkosta("\xe4", "0"));
    EXPECT_FALSE(aakkosta("0", "\xe4"));
    EXPECT_TRUE(loytyyko("abc", ""));
    EXPECT_TRUE(loytyyko("a.log.txt", ".log"));
    EXPECT_FALSE(loytyyko("abc", "C"));
}

TEST(Teksti, HtmlEscaping) {
    EXPECT_EQ(htmlSuojaa("a<b>&\"c\""), "a&lt;b&gt;&amp;&quot;c&quot;");
    EXPECT_EQ(htmlSuojaa("plain [x] name"), "plain [x] name");
    EXPECT_EQ(korvaaKaikki("a-->b-->", "-->", "--&gt;"), "a--&gt;b--&gt;");
}

TEST(Kommentti, NoDoubleDashAndEveryTextComesBack) {
    for (const std::string s : {"-->", "--!>", "<!--", "a-", "---", "&#45;", "&#38;", "&#38;#45;",
                                "-&#45;", "&&#45;-", "plain & simple", "--&gt;", ""}) {
        const std::string k = kommenttiin(s);
        EXPECT_EQ(k.find("--"), std::string::npos) << s;
        EXPECT_EQ(kommentista(k), s) << s;
    }
    EXPECT_EQ(kommenttiin("Hill & Dale"), "Hill & Dale");
    // A page of an earlier version wrote "-->" as "--&gt;".
    EXPECT_EQ(kommentista("a--&gt;b"), "a-->b");
}

TEST(Kommentti, RandomTextsAreEscapedAsByteByByte) {
    // The escaping as first written, a byte at a time: the oracle of the one copying spans.
    auto tavuittain = [](const std::string &s) {
        std::string r;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '-' && i > 0 && s[i - 1] == '-')
                r += "&#45;";
            else if (s[i] == '&' &&
                     (s.compare(i + 1, 4, "#45;") == 0 || s.compare(i + 1, 4, "#38;") == 0))
                r += "&#38;";
            else
                r += s[i];
        }
        return r;
    };
    std::mt19937 g(9);
    const std::string merkit = "-&#3458;x";
    for (int kierros = 0; kierros < 20000; ++kierros) {
        std::string s(g() % 16, ' ');
        for (char &c : s)
            c = merkit[g() % merkit.size()];
        ASSERT_EQ(kommenttiin(s), tavuittain(s)) << s;
    }
}

TEST(Teksti, WhiteSpaceIsTheCTestForEveryByte) {
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(onValilyonti(static_cast<char>(c)), std::isspace(c) != 0) << c;
}

TEST(Sanat, WordsAreRunsOfBytesThatAreNoWhiteSpace) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(sanat(""), V{});
    EXPECT_EQ(sanat(" \t\r\n\v\f"), V{});
    EXPECT_EQ(sanat("a"), V{"a"});
    // Every run of white space separates, none makes an empty word.
    EXPECT_EQ(sanat("  ab \t\tc\r\n d\ve\ff  "), (V{"ab", "c", "d", "e", "f"}));
    // High bytes and the NUL byte are part of a word, as stream extraction reads them.
    const std::string nul("x\0y z", 5);
    EXPECT_EQ(sanat(nul), (V{std::string_view("x\0y", 3), "z"}));
    EXPECT_EQ(sanat("\xe4\xa0"
                    "b \x85"),
              (V{"\xe4\xa0"
                 "b",
                 "\x85"}));
    EXPECT_EQ(ensimmainenSana("  first second third "), "first");
    EXPECT_EQ(viimeinenSana("  first second third "), "third");
    EXPECT_EQ(ensimmainenSana(" \t "), "");
    EXPECT_EQ(viimeinenSana(""), "");
    EXPECT_EQ(viimeinenSana("only"), "only");
}

TEST(Sanat, TheNextWordLeavesThePlaceJustAfterIt) {
    const std::string t = " REGISTER  Name [T] ";
    std::size_t kohta = 0;
    std::string_view sana;
    ASSERT_TRUE(seuraavaSana(t, kohta, sana));
    EXPECT_EQ(sana, "REGISTER");
    EXPECT_EQ(kohta, 9u);
    EXPECT_EQ(sana.data(), t.data() + 1); // a view into the text
    ASSERT_TRUE(seuraavaSana(t, kohta, sana));
    EXPECT_EQ(sana, "Name");
    EXPECT_EQ(t.substr(kohta), " [T] ");
    ASSERT_TRUE(seuraavaSana(t, kohta, sana));
    EXPECT_EQ(sana, "[T]");
    EXPECT_FALSE(seuraavaSana(t, kohta, sana));
    EXPECT_EQ(kohta, t.size());
    EXPECT_TRUE(sana.empty());
    EXPECT_FALSE(seuraavaSana(t, kohta, sana)); // and again at the end
    EXPECT_EQ(kohta, t.size());
    // Starting inside a word gives the rest of it.
    kohta = 3;
    ASSERT_TRUE(seuraavaSana(t, kohta, sana));
    EXPECT_EQ(sana, "GISTER");
}

TEST(Teksti, PaddingFillsColumnsNotBytes) {
    // UTF-8 and 8-bit spellings of the same name end in the same column.
    const std::string utf8 = pidenna(std::string("J\xc3\xb6r\xc3\xb6 [\xc3\x84\xc3\x96]"), 12);
    const std::string bitti8 = pidenna(std::string("J\xf6r\xf6 [\xc4\xd6]"), 12);
    EXPECT_EQ(utf8, "J\xc3\xb6r\xc3\xb6 [\xc3\x84\xc3\x96]   ");
    EXPECT_EQ(bitti8, "J\xf6r\xf6 [\xc4\xd6]   ");
    EXPECT_EQ(pidenna(std::string("\xe6\x9d\xb1\xe4\xba\xac"), 6), "\xe6\x9d\xb1\xe4\xba\xac  ");
    // Already as wide as asked: never cut, nothing added, though longer in bytes.
    EXPECT_EQ(pidenna(std::string("\xc3\xa4\xc3\xa4"), 2), "\xc3\xa4\xc3\xa4");
    EXPECT_EQ(pidenna(std::string("\xe6\x9d\xb1\xe4\xba\xac"), 3), "\xe6\x9d\xb1\xe4\xba\xac");
    // An invalid sequence pads by bytes, as every 8-bit text always has.
    EXPECT_EQ(pidenna(std::string("\xc3\xb6\xff"), 5), "\xc3\xb6\xff  ");
}

TEST(Teksti, HtmlHeadLinesDeclareTheEncoding) {
    EXPECT_EQ(htmlMetaRivit(true, ""),
              "<meta charset=\"utf-8\">\n"
              "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
    EXPECT_EQ(htmlMetaRivit(false, "\t"),
              "\t<meta charset=\"windows-1252\">\n"
              "\t<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
}
