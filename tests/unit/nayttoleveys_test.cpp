#include "util/nayttoleveys.h"

#include <gtest/gtest.h>
#include <string>

using namespace vt;

TEST(Utf8, ValidAndInvalidSequences) {
    EXPECT_TRUE(onUtf8(""));
    EXPECT_TRUE(onUtf8("Bob [BLU]"));
    EXPECT_TRUE(onUtf8("J\xc3\xb6r\xc3\xb6"));              // Jörö
    EXPECT_TRUE(onUtf8("\xe6\x9d\xb1\xe4\xba\xac"));        // 東京
    EXPECT_TRUE(onUtf8("\xf0\x9f\x8f\x8d"));                // a four-byte character
    EXPECT_FALSE(onUtf8("J\xf6r\xf6"));                     // Jörö in 8-bit text
    EXPECT_FALSE(onUtf8("\xc3"));                           // cut short at the end
    EXPECT_FALSE(onUtf8("\xc3(x"));                         // no continuation byte
    EXPECT_FALSE(onUtf8("\xc0\xaf"));                       // overlong "/"
    EXPECT_FALSE(onUtf8("\xe0\x80\xaf"));                   // overlong, three bytes
    EXPECT_FALSE(onUtf8("\xed\xa0\x80"));                   // a surrogate
    EXPECT_FALSE(onUtf8("\xf4\x90\x80\x80"));               // beyond U+10FFFF
    EXPECT_FALSE(onUtf8("ok \x80"));                        // a stray continuation byte
    EXPECT_FALSE(onUtf8(std::string("\xc3\xb6\0\xff", 4))); // a NUL does not end the text
}

TEST(Utf8, DisplayWidthOfValidTextBytesOfAnyOther) {
    EXPECT_EQ(naytonLeveys(""), 0u);
    EXPECT_EQ(naytonLeveys("Bob\t[BLU]"), 9u);                            // ASCII: bytes, a tab one
    EXPECT_EQ(naytonLeveys("J\xc3\xb6r\xc3\xb6 [\xc3\x84\xc3\x96]"), 9u); // Jörö [ÄÖ]
    EXPECT_EQ(naytonLeveys("\xe6\x9d\xb1\xe4\xba\xac"), 4u); // wide characters count two
    EXPECT_EQ(naytonLeveys("o\xcc\x88"), 1u);                // o and a combining diaeresis
    EXPECT_EQ(naytonLeveys("J\xf6r\xf6 [\xc4\xd6]"), 9u);    // 8-bit text: its bytes
    // One invalid byte makes the whole text count by bytes.
    EXPECT_EQ(naytonLeveys("J\xc3\xb6r\xf6"), 5u);
}
