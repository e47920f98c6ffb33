#pragma once
// Byte-string helpers: number texts, padding, trimming and comparison. No locale.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

std::string toUpper(const std::string &s);
std::string int2string(unsigned n);
std::string int2string(int n);
std::string int2string(unsigned long n);
std::string int2string(unsigned long long n);
// The decimal digits of n appended to `kohde`, as int2string writes them.
void lisaaNumerot(std::string &kohde, unsigned long long n);
std::string int2string2(unsigned n);
std::string double2string(double x, unsigned n);
int string2int(const std::string &s);
// Appends blanks until `s` fills `width` columns (never cuts): columns are bytes, or for a
// valid UTF-8 text with multibyte characters the display width (see naytonLeveys).
std::string pidenna(std::string s, unsigned width);
std::string pidenna(unsigned n, unsigned width);
std::string pidenna(int n, unsigned width);
std::string lyhenna(std::string s);
// The same as a view into `s`: no copy.
std::string_view lyhennetty(std::string_view s);
bool onkotyhja(const std::string &s);
bool aakkosta(const std::string &a, const std::string &b);
bool loytyyko(const std::string &s, const std::string &t);

// Reads a number at `i` the way stream extraction reads one: white space skipped, an optional
// sign, then the digits; a value above `katto` is kept as `katto`. Returns false, leaving `i`
// as it was, when no digit follows.
struct LuettuLuku {
    unsigned long long arvo = 0;
    bool negatiivinen = false;
};
bool lueLuku(const std::string &s, size_t &i, unsigned long long katto, LuettuLuku &luku);

// White space as the C isspace test sees it (space, tab, line feed, vertical tab, form feed,
// carriage return); bytes from 0x80 up are none.
inline bool onValilyonti(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The word splitter of the program: a word is a run of bytes none of which is white space
// (onValilyonti, the same bytes stream extraction skips), so no word is empty. Gives the next
// word at or after `kohta` and leaves `kohta` just after it; false, with `kohta` at the end,
// when only white space is left. The word is a view into `teksti`.
bool seuraavaSana(std::string_view teksti, std::size_t &kohta, std::string_view &sana);
// Every word, in order.
std::vector<std::string_view> sanat(std::string_view teksti);
// The first and the last word; empty when there is none.
std::string_view ensimmainenSana(std::string_view teksti);
std::string_view viimeinenSana(std::string_view teksti);
// Escapes & < > " for HTML text; other bytes pass unchanged.
std::string htmlSuojaa(const std::string &s);
// The head lines of an HTML page, each beginning with `sisennys`: its encoding (UTF-8 when the
// whole page is valid UTF-8, otherwise the game's 8-bit text as Windows-1252) and a viewport
// that fits the page to a phone's screen.
std::string htmlMetaRivit(bool utf8, const std::string &sisennys);
// The text of the data copy inside an HTML comment: no "--" at all, so that no name can end
// the comment early ("-->", "--!>") or open another; and back. A "-" after a "-" is written
// "&#45;", and a "&" that would read as one of the two escapes is written "&#38;".
std::string kommenttiin(const std::string &s);
std::string kommentista(const std::string &s);

// Replaces every occurrence of `mita` in `s` by `milla`.
std::string korvaaKaikki(std::string s, const std::string &mita, const std::string &milla);

} // namespace vt
