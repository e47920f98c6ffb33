#pragma once
// What one line of an IRC channel log tells: the date of its date lines, the clock of its time
// stamp, the speaker, the designer named after "by", a linked level file, and nick aliases.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace vt {

// The calendar date of the log position being read; the year 1900 means no date seen yet.
class Date {
  public:
    std::uint32_t paiva = 1;
    std::uint32_t kuukausi = 1;
    std::uint32_t vuosi = 1900;

    // "2.1.2006", or empty text while no date is known.
    std::string str() const;
    // The next day, with Gregorian leap years.
    void lisaaPaiva();
    // Takes the date from a client's date line (session start, day changed, log opened,
    // session time); other lines change nothing.
    void lueRivistaPaivamaara(const std::string &rivi);
};

// The clock of the last time stamp read, in minutes since midnight: a smaller one means the
// log passed midnight. Reset by every date line, kept between logs.
extern unsigned vanhaKellonaika;

// One line of the nick alias file: nicks whose first five letters (upper-cased) equal `avain`
// are written as `nimi`.
struct Nickit {
    std::string avain;
    std::string nimi;
};

// Appends the aliases of an alias file, in file order.
void lueNimiTiedosto(std::istream &in, std::vector<Nickit> &nickit);
void vaihdanimea(const std::vector<Nickit> &nickit, std::string &nimi);
// Strips decoration (blanks, "@", "+", "_", brackets and the like) from both ends of a nick.
void karsi(std::string &nimi);

// The time stamp before the speaker's nick as "HH:MM", or empty text; advances `date` by a
// day when the clock went backwards.
std::string etsiAlkuTaiLoppuAika(const std::string &rivi, Date &date);
// The speaker: the nick between the first "<" and the first ">", cleaned and aliased.
std::string sanoja(const std::string &rivi, const std::vector<Nickit> &nickit);
// The word after the word "by", cleaned, cut to 11 characters and aliased.
std::string battlenSanoja(const std::string &rivi, const std::vector<Nickit> &nickit);
// The name of the level file linked in the line, without its extension.
std::string etsiLevelLogista(const std::string &rivi);
// The name linked in a link line (onLinkkiRivi) as the battle's end test compares it: the text
// before the first ".LEV" after its last "/" or space, untrimmed. `iso` is the line upper-cased.
std::string linkinNimi(const std::string &rivi, const std::string &iso);

// The kinds of line, tested on the upper-cased line with plain substring tests (so that END
// is found in WEEKEND too).
bool onPaivamaaraRivi(const std::string &iso);
bool onByRivi(const std::string &iso);
bool onLinkkiRivi(const std::string &iso);
bool voiOllaTulos(const std::string &iso);
bool onStopRivi(const std::string &iso);

} // namespace vt
