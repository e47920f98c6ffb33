// Runs one scenario: the real program in a fresh folder with the typed lines of input.txt,
// then compares the folder (and stdout.txt when present) byte for byte, clock masked.
// A case may also give command lines (args.txt, one run a line, after the menu's run when
// input.txt is there), their exit statuses in order (status.txt, the menu's first; 0 when
// not given), their standard error (stderr.txt) and pairs of files that must hold the same
// bytes, clock aside (same.txt, two names a line).
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string lue(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string peita(const std::string &s) {
    static const std::regex kello(
        R"([0-9]{1,2}\.[0-9]{1,2}\.[0-9]{4} at [0-9]{2}:[0-9]{2}:[0-9]{2})");
    // Today's date and clock offered as defaults by the event-series sheet.
    static const std::regex paiva(R"(\(default: [0-9]{1,2} [A-Z][a-z]{2} [0-9]{4}\))");
    static const std::regex aika(R"(\(default: [0-9]{2}:[0-9]{2}:[0-9]{2}\))");
    std::string r = std::regex_replace(s, kello, "D.M.YYYY at HH:MM:SS");
    r = std::regex_replace(r, paiva, "(default: D Mon YYYY)");
    return std::regex_replace(r, aika, "(default: HH:MM:SS)");
}

std::map<std::string, std::string> kansio(const fs::path &p) {
    std::map<std::string, std::string> r;
    if (!fs::exists(p))
        return r;
    for (const auto &e : fs::recursive_directory_iterator(p))
        if (e.is_regular_file())
            r[fs::relative(e.path(), p).string()] = lue(e.path());
    return r;
}

bool vertaa(const std::string &nimi, const std::string &odotettu, const std::string &saatu) {
    if (odotettu == saatu)
        return true;
    std::istringstream a(odotettu), b(saatu);
    std::string x, y;
    for (int rivi = 1;; ++rivi) {
        bool ok1 = static_cast<bool>(std::getline(a, x));
        bool ok2 = static_cast<bool>(std::getline(b, y));
        if (!ok1 && !ok2) {
            std::cerr << nimi << ": differs in line ends\n";
            break;
        }
        if (x != y || ok1 != ok2) {
            std::cerr << nimi << ": line " << rivi << " differs\n  expected: ["
                      << (ok1 ? x : "<end>") << "]\n  actual:   [" << (ok2 ? y : "<end>") << "]\n";
            break;
        }
    }
    return false;
}

} // namespace

std::string lainaa(const std::string &s) {
    std::string r = "'";
    for (char c : s)
        r += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return r + "'";
}

// Runs the program in `ajo` with `syote` as its input and `argumentit`; gives the exit status.
int aja(const fs::path &ohjelma, const fs::path &ajo, const fs::path &syote,
        const fs::path &tuloste, const std::vector<std::string> &argumentit = {},
        const fs::path &virheet = {}, bool lisaa = false) {
    std::string komento =
        "cd " + lainaa(ajo.string()) + " && timeout 60 " + lainaa(ohjelma.string());
    for (const std::string &a : argumentit)
        komento += " " + lainaa(a);
    // A run that does not end within the time is taken for one that loops.
    komento += " < " + lainaa(syote.string()) + (lisaa ? " >> " : " > ") + lainaa(tuloste.string());
    if (!virheet.empty())
        komento += " 2>> " + lainaa(virheet.string());
    const int tila = std::system(komento.c_str());
    return WIFEXITED(tila) ? WEXITSTATUS(tila) : 128 + WTERMSIG(tila);
}

// The command lines of args.txt: blank-separated words, "double quotes" keep blanks.
std::vector<std::vector<std::string>> komentorivit(const fs::path &tapaus) {
    std::vector<std::vector<std::string>> r;
    std::istringstream in(lue(tapaus / "args.txt"));
    std::string rivi;
    while (std::getline(in, rivi)) {
        std::vector<std::string> sanat;
        std::string sana;
        bool sanassa = false, lainaus = false;
        for (char c : rivi) {
            if (c == '"') {
                lainaus = !lainaus;
                sanassa = true;
            } else if (!lainaus && (c == ' ' || c == '\t')) {
                if (sanassa)
                    sanat.push_back(sana);
                sana.clear();
                sanassa = false;
            } else {
                sana += c;
                sanassa = true;
            }
        }
        if (sanassa)
            sanat.push_back(sana);
        if (!sanat.empty())
            r.push_back(sanat);
    }
    return r;
}

std::vector<int> tilat(const fs::path &tapaus, size_t ajoja) {
    std::vector<int> r;
    std::istringstream in(lue(tapaus / "status.txt"));
    for (int t; in >> t;)
        r.push_back(t);
    r.resize(std::max(r.size(), ajoja), 0);
    return r;
}

// The input cut after every line in turn: each run must end with status 0 and leave only
// files the whole run leaves, with the contents it leaves them or had at the start.
bool pyyhkaise(const fs::path &ohjelma, const fs::path &tapaus, const fs::path &tyo,
               const std::map<std::string, std::string> &alussa,
               const std::map<std::string, std::string> &lopussa, int odotettuTila) {
    const std::string syote = lue(tapaus / "input.txt");
    std::vector<size_t> loput;
    for (size_t i = 0; i < syote.size(); ++i)
        if (syote[i] == '\n')
            loput.push_back(i + 1);
    bool ok = true;
    for (size_t k = 0; k < loput.size(); ++k) {
        const size_t pituus = k == 0 ? 0 : loput[k - 1];
        const fs::path ajo = tyo / ("cut" + std::to_string(k));
        fs::create_directory(ajo);
        if (fs::exists(tapaus / "files"))
            fs::copy(tapaus / "files", ajo, fs::copy_options::recursive);
        const fs::path osa = tyo / ("input" + std::to_string(k));
        std::ofstream(osa, std::ios::binary) << syote.substr(0, pituus);
        const int tila = aja(ohjelma, ajo, osa, tyo / "cut_stdout");
        // A cut run ends at once or as the whole run ends (1 after a failed file).
        bool tamaOk = tila == 0 || tila == odotettuTila;
        if (!tamaOk)
            std::cerr << "input cut after " << k << " lines: exit status " << tila << "\n";
        for (const auto &[nimi, sisalto] : kansio(ajo)) {
            auto a = alussa.find(nimi);
            auto l = lopussa.find(nimi);
            // Files written at another second differ in their clock only.
            if ((a != alussa.end() && a->second == sisalto) ||
                (l != lopussa.end() && peita(l->second) == peita(sisalto)))
                continue;
            std::cerr << "input cut after " << k << " lines: " << nimi
                      << (a == alussa.end() && l == lopussa.end() ? " left behind\n"
                                                                  : " holds other contents\n");
            tamaOk = false;
        }
        if (tamaOk)
            fs::remove_all(ajo);
        ok = ok && tamaOk;
    }
    return ok;
}

int main(int argc, char **argv) {
    const bool pyyhkaisy = argc == 4 && std::string(argv[1]) == "--sweep";
    if (argc != 3 && !pyyhkaisy) {
        std::cerr << "usage: e2e_runner [--sweep] PROGRAM CASE_DIR\n";
        return 2;
    }
    const fs::path ohjelma = fs::absolute(argv[argc - 2]);
    const fs::path tapaus = fs::absolute(argv[argc - 1]);
    std::string malli = (fs::temp_directory_path() / "vaskitaulu_e2e_XXXXXX").string();
    if (!mkdtemp(malli.data())) {
        std::cerr << "cannot make a folder\n";
        return 2;
    }
    const fs::path tyo = malli;
    const fs::path ajo = tyo / "run";
    fs::create_directory(ajo);
    if (fs::exists(tapaus / "files"))
        fs::copy(tapaus / "files", ajo, fs::copy_options::recursive);

    const fs::path tuloste = tyo / "stdout";
    const fs::path virheet = tyo / "stderr";
    const bool valikko = fs::exists(tapaus / "input.txt");
    const auto rivit = komentorivit(tapaus);
    const std::vector<int> odotetutTilat = tilat(tapaus, rivit.size() + (valikko ? 1 : 0));
    std::vector<int> saadutTilat;
    std::ofstream(tuloste, std::ios::binary).flush();
    std::ofstream(virheet, std::ios::binary).flush();
    if (valikko)
        saadutTilat.push_back(aja(ohjelma, ajo, tapaus / "input.txt", tuloste, {},
                                  rivit.empty() ? fs::path() : virheet, true));
    for (const auto &argumentit : rivit)
        saadutTilat.push_back(aja(ohjelma, ajo, "/dev/null", tuloste, argumentit, virheet, true));
    bool ok = true;
    for (size_t i = 0; i < saadutTilat.size(); ++i)
        if (saadutTilat[i] != odotetutTilat[i]) {
            std::cerr << "run " << (i + 1) << ": exit status " << saadutTilat[i] << ", expected "
                      << odotetutTilat[i] << "\n";
            ok = false;
        }

    auto alussa = kansio(tapaus / "files");
    auto odotetut = kansio(tapaus / "expected");
    auto lopussa = kansio(ajo);
    for (const auto &[nimi, sisalto] : odotetut) {
        auto it = lopussa.find(nimi);
        if (it == lopussa.end()) {
            std::cerr << nimi << ": not written\n";
            ok = false;
        } else if (!vertaa(nimi, peita(sisalto), peita(it->second))) {
            ok = false;
        }
    }
    for (const auto &[nimi, sisalto] : lopussa) {
        if (odotetut.count(nimi))
            continue;
        auto it = alussa.find(nimi);
        if (it == alussa.end()) {
            std::cerr << nimi << ": written but not expected\n";
            ok = false;
        } else if (it->second != sisalto) {
            std::cerr << nimi << ": changed but not expected to change\n";
            ok = false;
        }
    }
    for (const auto &[nimi, sisalto] : alussa)
        if (!lopussa.count(nimi) && !odotetut.count(nimi)) {
            std::cerr << nimi << ": removed\n";
            ok = false;
        }
    if (pyyhkaisy) {
        const bool ok2 =
            ok && (!valikko || pyyhkaise(ohjelma, tapaus, tyo, alussa, lopussa, odotetutTilat[0]));
        if (ok2)
            fs::remove_all(tyo);
        else
            std::cerr << "kept " << tyo << "\n";
        return ok2 ? 0 : 1;
    }
    if (fs::exists(tapaus / "stdout.txt") &&
        !vertaa("stdout", peita(lue(tapaus / "stdout.txt")), peita(lue(tuloste))))
        ok = false;
    if (fs::exists(tapaus / "stderr.txt") &&
        !vertaa("stderr", peita(lue(tapaus / "stderr.txt")), peita(lue(virheet))))
        ok = false;
    std::istringstream parit(lue(tapaus / "same.txt"));
    for (std::string a, b; parit >> a >> b;)
        if (!vertaa(a + " against " + b, peita(lue(ajo / a)), peita(lue(ajo / b))))
            ok = false;
    if (ok)
        fs::remove_all(tyo);
    else
        std::cerr << "kept " << tyo << "\n";
    return ok ? 0 : 1;
}
