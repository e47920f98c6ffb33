// Runs one scenario: the real program in a fresh folder with the typed lines of input.txt,
// then compares the folder (and stdout.txt when present) byte for byte, clock masked.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

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

int main(int argc, char **argv) {
    if (argc != 3) {
        std::cerr << "usage: e2e_runner PROGRAM CASE_DIR\n";
        return 2;
    }
    const fs::path ohjelma = fs::absolute(argv[1]);
    const fs::path tapaus = fs::absolute(argv[2]);
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
    std::string komento = "cd '" + ajo.string() + "' && '" + ohjelma.string() + "' < '" +
                          (tapaus / "input.txt").string() + "' > '" + tuloste.string() + "'";
    int tila = std::system(komento.c_str());
    bool ok = true;
    if (tila != 0) {
        std::cerr << "exit status " << tila << "\n";
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
    if (fs::exists(tapaus / "stdout.txt") &&
        !vertaa("stdout", peita(lue(tapaus / "stdout.txt")), peita(lue(tuloste))))
        ok = false;
    if (ok)
        fs::remove_all(tyo);
    else
        std::cerr << "kept " << tyo << "\n";
    return ok ? 0 : 1;
}
