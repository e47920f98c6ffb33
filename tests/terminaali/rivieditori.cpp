// The line editor as a person at a terminal meets it: the real program on a pseudo-terminal,
// typing, a cursor key, the history of earlier answers and file name completion. Each answer
// is typed only once its prompt is on the screen, and each is judged by what the program
// makes of it.
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

int paate = -1;
std::string naytto; // everything the program has written
size_t luettu = 0;  // where the next wait starts looking

// Reads the terminal until `teksti` appears after the previous match. The time limit only
// keeps a broken program from hanging the suite.
bool odota(const std::string &teksti) {
    for (int kierros = 0; kierros < 600; ++kierros) {
        const size_t p = naytto.find(teksti, luettu);
        if (p != std::string::npos) {
            luettu = p + teksti.size();
            return true;
        }
        pollfd pf{paate, POLLIN, 0};
        if (poll(&pf, 1, 100) > 0) {
            char puskuri[4096];
            const ssize_t n = read(paate, puskuri, sizeof puskuri);
            if (n <= 0)
                break;
            naytto.append(puskuri, static_cast<size_t>(n));
        }
    }
    std::cerr << "not seen: [" << teksti << "]\nscreen after the last match:\n"
              << naytto.substr(luettu) << "\n";
    return false;
}

void kirjoita(const std::string &nappaimet);

// Reads the terminal until the program has closed it (it has ended); false if it does not.
// `uudelleen`, when given, is typed again every two seconds: a key typed in the instant the
// editor hands the terminal between its modes can be dropped by the terminal itself, and a
// Ctrl-D met there in line mode reaches the editor as a stray character, after which Ctrl-D
// only beeps; so the line is cleared (Ctrl-A, Ctrl-K) before each Ctrl-D typed again.
bool odotaLoppu(const std::string &uudelleen = "") {
    for (int kierros = 0; kierros < 600; ++kierros) {
        if (!uudelleen.empty() && kierros > 0 && kierros % 20 == 0)
            kirjoita(uudelleen);
        pollfd pf{paate, POLLIN, 0};
        if (poll(&pf, 1, 100) > 0) {
            char puskuri[4096];
            const ssize_t n = read(paate, puskuri, sizeof puskuri);
            if (n <= 0)
                return true;
            naytto.append(puskuri, static_cast<size_t>(n));
        }
    }
    return false;
}

void kirjoita(const std::string &nappaimet) {
    size_t k = 0;
    while (k < nappaimet.size()) {
        const ssize_t n = write(paate, nappaimet.data() + k, nappaimet.size() - k);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        k += static_cast<size_t>(n);
    }
}

const std::string VALIKKO = "Give a number (1-18): ";
const std::string TIEDOSTO = "Give the file name: ";
const std::string TAUKO = "Press Enter to continue . . . ";
const std::string VASEN = "\x1b[D";
const std::string YLOS = "\x1b[A";

// Option 1 with `nappaimet` typed at the file name question; `vastaus` is what must follow.
bool lataa(const std::string &nappaimet, const std::string &vastaus) {
    if (!odota(VALIKKO))
        return false;
    kirjoita("1\r");
    if (!odota(TIEDOSTO))
        return false;
    kirjoita(nappaimet);
    if (!odota(vastaus) || !odota(TAUKO))
        return false;
    kirjoita("\r");
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::cerr << "usage: rivieditori_test PROGRAM FILES_DIR\n";
        return 2;
    }
    const fs::path ohjelma = fs::absolute(argv[1]);
    std::string malli = (fs::temp_directory_path() / "vaskitaulu_pty_XXXXXX").string();
    if (!mkdtemp(malli.data()))
        return 2;
    const fs::path kansio = malli;
    fs::copy(argv[2], kansio, fs::copy_options::recursive);

    winsize koko{};
    koko.ws_row = 24;
    koko.ws_col = 80;
    const pid_t lapsi = forkpty(&paate, nullptr, nullptr, &koko);
    if (lapsi < 0)
        return 2;
    if (lapsi == 0) {
        if (chdir(kansio.c_str()) != 0)
            _exit(127);
        // No personal editor settings; a UTF-8 terminal.
        setenv("HOME", kansio.c_str(), 1);
        unsetenv("EDITRC");
        setenv("TERM", "vt100", 1);
        setenv("LC_ALL", "C.UTF-8", 1);
        execl(ohjelma.c_str(), ohjelma.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }

    bool ok = true;
    // Each step runs only while every step before it passed.
    auto vaihe = [&](const char *nimi, const std::function<bool()> &askeleet) {
        if (!ok)
            return;
        ok = askeleet();
        if (!ok)
            std::cerr << "failed: " << nimi << "\n";
    };
    // A number question completes nothing: "1" and Tab stay option 1, not 12_notes.txt.
    // At the file name question Tab completes the only name beginning "ali".
    vaihe("completion", [] {
        return odota(VALIKKO) && (kirjoita("1\t\r"), odota(TIEDOSTO)) &&
               (kirjoita("ali\t\r"), odota("Level Warm Up added.")) && odota(TAUKO) &&
               (kirjoita("\r"), true);
    });
    // A cursor key moves back into the typed text: "bob_tat", three to the left, "s".
    vaihe("cursor", [] {
        return lataa("bob_tat" + VASEN + VASEN + VASEN + "s\r", "Level Twin Peaks added.");
    });
    // A folder completes with its "/", and Tab goes on inside it.
    vaihe("folder", [] { return lataa("su\tca\t\r", "Level Deep Valley added."); });
    // Earlier answers come back with the up key, newest first: 1, sub/carol.txt, 1,
    // bob_stat. The answer recalled is edited further.
    vaihe("history",
          [] { return lataa(YLOS + YLOS + YLOS + YLOS + "X\r", "Can't open file bob_statX\r\n"); });
    // Letters beyond ASCII are typed and moved over as whole characters: "Jrö", two to the
    // left, "ö".
    vaihe("utf-8", [] {
        return lataa("Jr\xc3\xb6" + VASEN + VASEN + "\xc3\xb6\r",
                     "Can't open file J\xc3\xb6r\xc3\xb6\r\n");
    });
    // End of input at a prompt ends the program quietly, with status 1: two files of the
    // session could not be opened.
    vaihe("end of input", [] { return odota(VALIKKO) && (kirjoita("\x04"), true); });

    if (!ok || !odotaLoppu("\x01\x0b\x04")) {
        std::cerr << "the program did not end; screen after the last match:\n"
                  << naytto.substr(luettu) << "\n";
        kill(lapsi, SIGKILL);
        ok = false;
    }
    int tila = 0;
    if (waitpid(lapsi, &tila, 0) != lapsi || !WIFEXITED(tila) || WEXITSTATUS(tila) != 1) {
        std::cerr << "the program did not end with status 1\n";
        ok = false;
    }
    close(paate);
    if (ok)
        fs::remove_all(kansio);
    else
        std::cerr << "kept " << kansio << "\n";
    return ok ? 0 : 1;
}
