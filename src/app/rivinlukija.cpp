// The one place that uses libedit (through its readline interface).
#include "app/rivinlukija.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <editline/readline.h>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace vt {

namespace {

// The questions for a file name all begin so.
bool kysyyTiedostoa(const std::string &kehote) {
    return kehote.rfind("Give the file name", 0) == 0;
}

char **eiTaydennysta(const char *, int, int) {
    rl_attempted_completion_over = 1;
    return nullptr;
}

// The names in the folder that begin with the typed text, as they are: no quoting, since the
// answer is taken as typed. One folder gets its "/", so that Tab goes on into it.
char **taydennaTiedosto(const char *teksti, int, int) {
    rl_attempted_completion_over = 1;
    char **osumat = rl_completion_matches(teksti, rl_filename_completion_function);
    rl_completion_append_character = '\0';
    // One match stands alone or repeated after the common beginning.
    const bool yksi = osumat && osumat[0] &&
                      (!osumat[1] || (!osumat[2] && std::strcmp(osumat[0], osumat[1]) == 0));
    if (yksi) {
        struct stat tiedot {};
        if (stat(osumat[0], &tiedot) == 0 && S_ISDIR(tiedot.st_mode)) {
            const size_t n = std::strlen(osumat[0]);
            if (n > 0 && osumat[0][n - 1] != '/') {
                auto *kansio = static_cast<char *>(std::malloc(n + 2));
                if (kansio) {
                    std::memcpy(kansio, osumat[0], n);
                    kansio[n] = '/';
                    kansio[n + 1] = '\0';
                    std::free(osumat[0]);
                    osumat[0] = kansio;
                }
            }
        }
    }
    return osumat;
}

// The terminal's own character set is used only while a line is edited, so that typed
// letters beyond ASCII reach the answer; everything else runs without a locale.
class Merkisto {
  public:
    Merkisto() { std::setlocale(LC_CTYPE, ""); }
    ~Merkisto() { std::setlocale(LC_CTYPE, "C"); }
    Merkisto(const Merkisto &) = delete;
    Merkisto &operator=(const Merkisto &) = delete;
};

std::optional<std::string> lueMuokaten(const std::string &kehote) {
    // A file name may hold blanks: the whole answer is the word completed.
    rl_basic_word_break_characters = "";
    rl_attempted_completion_function = kysyyTiedostoa(kehote) ? taydennaTiedosto : eiTaydennysta;
    char *rivi = nullptr;
    {
        Merkisto merkisto;
        rivi = readline(kehote.c_str());
    }
    if (!rivi)
        return std::nullopt;
    std::string vastaus(rivi);
    std::free(rivi);
    if (!vastaus.empty())
        add_history(vastaus.c_str());
    return vastaus;
}

} // namespace

void asennaRivieditori(Konsoli &konsoli) {
    if (!syoteOnTerminaali() || !tulosteOnTerminaali())
        return;
    rl_readline_name = "vaskitaulu";
    // The editor learns the terminal's character set when it starts.
    Merkisto merkisto;
    rl_initialize();
    using_history();
    konsoli.asetaRivinLukija(lueMuokaten);
}

} // namespace vt
